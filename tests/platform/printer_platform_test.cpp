// Paper numbering, the built-in PDF printer, print jobs and finding printers.
#include "platform/paged_printer.h"
#include "platform/pdf_copies.h"
#include "support/fake_printer_platform.h"
#include "support/gui_application.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>

#include <gtest/gtest.h>

using platform::kBuilt_In_Pdf_Printer;
using test_support::Fake_Printer;
using test_support::Fake_Printer_Platform;

namespace {

QPageSize Millimetres(double w, double h, const QString& key)
{
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, key, QPageSize::ExactMatch);
}

std::vector<int> Numbers(const std::vector<platform::Paper_Size>& papers)
{
    std::vector<int> numbers;
    for (const auto& paper : papers)
        numbers.push_back(paper.number);
    return numbers;
}

}  // namespace

TEST(Number_Paper_Sizes, WindowsIdsKeptRepeatsAndOthersNumberedFrom256InOrder)
{
    // A5 twice (the second, rotated, has the same Windows id), a label size
    // without a Windows id, a standard size whose id is 0.
    const QList<QPageSize> sizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5),
                                    QPageSize(QPageSize::A5), Millimetres(40, 30, QStringLiteral("w113h85")),
                                    QPageSize(QPageSize::A0), QPageSize(QPageSize::Letter)};
    EXPECT_EQ(Numbers(platform::Number_Paper_Sizes(sizes)), (std::vector<int>{9, 11, 256, 257, 258, 1}));
}

TEST(Number_Paper_Sizes, SizesKeepTheirExactSize)
{
    const auto papers = platform::Number_Paper_Sizes({Millimetres(101.6, 165.1, QStringLiteral("w288h468"))});
    ASSERT_EQ(papers.size(), 1u);
    EXPECT_NEAR(papers[0].Twips().width(), 101.6 / 25.4 * 1440, 0.5);
    EXPECT_NEAR(papers[0].Twips().height(), 165.1 / 25.4 * 1440, 0.5);
}

class Built_In_Pdf_Printer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }

    test_support::Temp_Folder data;
    QString output = data.Data_Folder() + platform::kPdf_Output_Folder_Name;
    platform::Pdf_File_Printer printer{[this] { return output; }};

    QStringList Files() const { return QDir(output).entryList(QDir::Files); }

    // A job of two pages, "ラベル" and "２枚目", ended.
    platform::Job_Result Two_Page_Job()
    {
        QString error;
        const std::unique_ptr<platform::Print_Job> job = printer.Begin_Job(error);
        if (!job)
            return {false, error, {}};
        job->Painter().drawText(100, 100, QStringLiteral("ラベル"));
        if (!job->New_Page())
            return {false, QStringLiteral("no second page"), {}};
        job->Painter().drawText(100, 100, QStringLiteral("２枚目"));
        return job->End();
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(Built_In_Pdf_Printer, AcceptsA4A5B5LetterUnderTheirWindowsNumbersOnly)
{
    EXPECT_EQ(Numbers(printer.Paper_Sizes()), (std::vector<int>{9, 11, 13, 1}));
    EXPECT_EQ(printer.Paper_Number(), 0);
    EXPECT_FALSE(printer.Set_Paper_Number(2));
    EXPECT_EQ(printer.Paper_Number(), 0);
    ASSERT_TRUE(printer.Set_Paper_Number(9));
    EXPECT_NEAR(printer.Page_Size_Twips().width(), 210 / 25.4 * 1440, 0.01);
    EXPECT_NEAR(printer.Page_Size_Twips().height(), 297 / 25.4 * 1440, 0.01);
    EXPECT_EQ(printer.Set_Copy_Count(5), 5);  // it repeats the pages in the file
}

TEST_F(Built_In_Pdf_Printer, WritesEachJobAsAPdfOfTheLabelSizeIntoTheOutputFolder)
{
    printer.Set_Label_Size_mm(QSizeF(60, 45));
    EXPECT_NEAR(printer.Page_Size_Twips().width(), 60 / 25.4 * 1440, 0.01);
    for (int job = 0; job < 2; ++job) {
        const platform::Job_Result result = Two_Page_Job();
        ASSERT_TRUE(result.sent) << result.error.toStdString();
        const QByteArray pdf = Read(result.output);
        EXPECT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_EQ(test_support::Pdf_Page_Count(pdf), 2);
        // 60 x 45 mm in whole points, as Qt writes page boxes
        EXPECT_TRUE(pdf.contains("/MediaBox [0 0 170.000000 128.000000]"));
    }
    EXPECT_EQ(Files().size(), 2);  // two jobs, two files, no part files left
    for (const QString& name : Files())
        EXPECT_TRUE(name.endsWith(QStringLiteral(".pdf"))) << name.toStdString();
}

TEST_F(Built_In_Pdf_Printer, CopiesRepeatTheJobsPagesInOrderEachDrawnOnce)
{
    printer.Set_Label_Size_mm(QSizeF(60, 45));
    ASSERT_EQ(printer.Set_Copy_Count(3), 3);
    const platform::Job_Result result = Two_Page_Job();
    ASSERT_TRUE(result.sent) << result.error.toStdString();
    EXPECT_EQ(test_support::Pdf_Content_Streams(Read(result.output)), 2);
    // Another reader sees six pages, the job's two three times over.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {result.output, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeAll(QString());
    for (QString& page : pages)
        page = page.trimmed();
    EXPECT_EQ(pages, (QStringList{"ラベル", "２枚目", "ラベル", "２枚目", "ラベル", "２枚目"}));
}

TEST(Append_Page_Copies, AFileItCannotReadIsLeftAsItWas)
{
    test_support::Temp_Folder folder;
    const QByteArray kinds[] = {"not a pdf", "%PDF-1.4\nstartxref\n9\n%%EOF\n",
                                "%PDF-1.4\ntrailer\n<< /Size 3 >>\nstartxref\n1\n%%EOF\n"};
    for (const QByteArray& bytes : kinds) {
        folder.Write(QStringLiteral("job.pdf"), bytes);
        EXPECT_FALSE(platform::Append_Page_Copies(folder.File(QStringLiteral("job.pdf")), 2)) << bytes.constData();
        EXPECT_EQ(folder.Read(QStringLiteral("job.pdf")), bytes);
    }
}

TEST_F(Built_In_Pdf_Printer, AJobDroppedUnendedLeavesNoFileAndAnEndedJobTakesNoMorePages)
{
    QString error;
    std::unique_ptr<platform::Print_Job> job = printer.Begin_Job(error);
    ASSERT_NE(job, nullptr) << error.toStdString();
    job.reset();
    EXPECT_TRUE(Files().isEmpty());

    job = printer.Begin_Job(error);
    ASSERT_NE(job, nullptr) << error.toStdString();
    ASSERT_TRUE(job->End().sent);
    EXPECT_FALSE(job->New_Page());
    EXPECT_FALSE(job->End().sent);
    EXPECT_EQ(Files().size(), 1);
}

TEST_F(Built_In_Pdf_Printer, AnOutputFolderThatCannotBeMadeIsReportedWithThePrinterName)
{
    data.Write(QStringLiteral("file"), "x");
    output = data.File(QStringLiteral("file")) + QStringLiteral("/印刷データ");
    QString error;
    EXPECT_EQ(printer.Begin_Job(error), nullptr);
    EXPECT_TRUE(error.contains(kBuilt_In_Pdf_Printer));
}

TEST(Printer_Finder, FindsByExactDeviceNameOnThePrintersOwnSizeWithOneCopy)
{
    test_support::Ensure_Gui_Application();
    Fake_Printer_Platform printers(
        {{QStringLiteral("Zebra"), {QPageSize(QPageSize::A4), Millimetres(101.6, 127, QStringLiteral("w288h360"))}, 1},
         {QStringLiteral("Office"), {QPageSize(QPageSize::A4)}}});
    EXPECT_EQ(printers.Find_Printer(QStringLiteral("zebra")), nullptr);
    EXPECT_EQ(printers.Find_Printer(QString()), nullptr);
    EXPECT_FALSE(printers.Has_Printer(QStringLiteral("zebra")));
    EXPECT_TRUE(printers.Has_Printer(QStringLiteral("Office")));
    platform::Printer* zebra = printers.Find_Printer(QStringLiteral("Zebra"));
    ASSERT_NE(zebra, nullptr);
    EXPECT_EQ(zebra->Name(), QStringLiteral("Zebra"));
    EXPECT_EQ(zebra->Paper_Number(), 256);
    EXPECT_TRUE(zebra->Set_Paper_Number(9));
    EXPECT_FALSE(zebra->Set_Paper_Number(600));
    EXPECT_EQ(zebra->Paper_Number(), 9);
    zebra->Set_Copy_Count(4);
    // Found again, it starts afresh.
    ASSERT_EQ(printers.Find_Printer(QStringLiteral("Zebra")), zebra);
    EXPECT_EQ(zebra->Paper_Number(), 256);
    QString error;
    const std::unique_ptr<platform::Print_Job> job = zebra->Begin_Job(error);
    ASSERT_NE(job, nullptr);
    ASSERT_TRUE(job->End().sent);
    ASSERT_EQ(printers.sent.size(), 1u);
    EXPECT_EQ(printers.sent[0].copies, 1);
}

TEST(Printer_Finder, ARefusedJobIsNotBegunAndSaysWhy)
{
    Fake_Printer_Platform printers({{QStringLiteral("Zebra"),
                                     {QPageSize(QPageSize::A4)},
                                     {},
                                     203,
                                     true,
                                     QStringLiteral("プリンタ「Zebra」は停止しています")}});
    platform::Printer* zebra = printers.Find_Printer(QStringLiteral("Zebra"));
    ASSERT_NE(zebra, nullptr);
    QString error;
    EXPECT_EQ(zebra->Begin_Job(error), nullptr);
    EXPECT_EQ(error, QStringLiteral("プリンタ「Zebra」は停止しています"));
    EXPECT_TRUE(printers.sent.empty());
}
