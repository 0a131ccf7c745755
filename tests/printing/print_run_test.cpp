// The print run over a fake printer platform: what is composed, what each
// printer job holds and what the user is told, in order.
#include "label_fixtures.h"
#include "layouts/layout_record.h"
#include "print_fixtures.h"
#include "printing/issue_line.h"
#include "printing/print_history.h"
#include "printing/print_run.h"
#include "render/clock.h"
#include "support/fake_printer_platform.h"
#include "support/gui_application.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using print_fixtures::Issue_For;
using printing::Print_Mode;
using test_support::Fake_Printer;

namespace {

const QString kZebra = QStringLiteral("Zebra");
const QString kNoCopies = QStringLiteral("NoCopies");

QPageSize Label_Paper()
{
    return QPageSize(QSizeF(101.6, 127), QPageSize::Millimeter, QStringLiteral("w288h360"), QPageSize::ExactMatch);
}

class Print_Run_Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }

    void SetUp() override { ASSERT_TRUE(print_fixtures::Prepare_Data_Folder(data.Data_Folder())); }

    printing::Print_Issues Run(const printing::Print_Issues& lines, Print_Mode mode,
                               const store::Settings_Record& settings)
    {
        return print_fixtures::Run_Issues(
            lines, mode, print_fixtures::Context_For(data.Data_Folder(), settings, printers, answerer));
    }

    test_support::Temp_Folder data;
    test_support::Fake_Printer_Platform printers{{{kZebra, {QPageSize(QPageSize::A4), Label_Paper()}, 1, 203},
                                                  {kNoCopies, {QPageSize(QPageSize::A4)}, 0, 600, false}}};
    test_support::Scripted_Answerer answerer;
};

TEST(Issue_Line, IsTheFixedHeadThenTheTabFields)
{
    printing::Print_Issue issue;
    issue.product_no = QStringLiteral("0012");
    issue.copies = 5;
    issue.values.base = QDateTime(QDate(2024, 3, 5), QTime(9, 5), Qt::UTC);
    issue.values.contents = QStringLiteral("200");
    issue.values.add_days = 3;
    issue.values.date_mode = QStringLiteral("加算日計算");
    issue.values.price = QStringLiteral("398円");
    issue.values.barcode = QStringLiteral("4901234567894");
    EXPECT_EQ(printing::Issue_Line(issue),
              QStringLiteral("No.0012 0005枚 2024/03/05 09:05") + QString(20, QLatin1Char(' '))
                  + QStringLiteral("200\t3\t加算日計算\t398円\t4901234567894"));

    // A TAB typed into a field does not shift the fields after it; a part of a
    // day and a year before 1000 keep their form.
    issue.values.contents = QStringLiteral("2\t00");
    issue.values.add_days = -0.25;
    issue.values.base = QDateTime(QDate(987, 1, 2), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(printing::Issue_Line(issue),
              QStringLiteral("No.0012 0005枚 0987/01/02 00:00") + QString(20, QLatin1Char(' '))
                  + QStringLiteral("200\t-0.25\t加算日計算\t398円\t4901234567894"));

    // A base that is no date shows as it was typed, padded; without the typed
    // texts, as zeros: the head keeps its width.
    issue.values.base = QDateTime();
    issue.base_as_typed = render::Base_Texts{"2024", "13", "5", "9", ""};
    EXPECT_TRUE(printing::Issue_Line(issue).startsWith(QStringLiteral("No.0012 0005枚 2024/13/05 09:00     ")));
    issue.base_as_typed.reset();
    EXPECT_TRUE(printing::Issue_Line(issue).startsWith(QStringLiteral("No.0012 0005枚 0000/00/00 00:00     ")));
}

// The history records the base the label was stamped from: the current moment
// in place of an invalid base, none where no date is stamped.
TEST(Job_Entry, RecordsTheBaseTheDateWasStampedFrom)
{
    printing::Print_Job job;
    job.issue = Issue_For("1", 2);
    job.issue.values.now = QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10));
    job.product = render_fixtures::Filled_Product();
    job.date = render::Date_Line(*job.product, job.issue.values);
    EXPECT_EQ(printing::Job_Entry(job, kZebra).base, QStringLiteral("2024/03/05 09:00"));

    job.issue.values.base = QDateTime();
    job.date = render::Date_Line(*job.product, job.issue.values);
    EXPECT_EQ(job.date.fault, render::Date_Fault::Invalid_Base);
    const printing::History_Entry entry = printing::Job_Entry(job, kZebra);
    EXPECT_EQ(entry.base, QStringLiteral("2025/06/07 08:09"));
    EXPECT_EQ(entry.date_line, *job.date.line);

    job.issue.values.date_mode = render::kDateModeElsewhere;
    job.date = render::Date_Line(*job.product, job.issue.values);
    EXPECT_EQ(printing::Job_Entry(job, kZebra).base, QString());
}

TEST_F(Print_Run_Test, ImmediateRunComposesOnceAndLetsThePrinterMakeTheCopies)
{
    const printing::Print_Issues left = Run({Issue_For("1", 5)}, Print_Mode::Immediate,
                                            print_fixtures::Settings_For(kZebra));
    EXPECT_TRUE(left.isEmpty());
    ASSERT_EQ(printers.sent.size(), 1u);
    EXPECT_EQ(printers.sent[0].printer, kZebra);
    EXPECT_EQ(printers.sent[0].copies, 5);
    EXPECT_EQ(printers.sent[0].pages, 1);
    // No paper number anywhere: the page is the label's own size.
    EXPECT_NEAR(printers.sent[0].page_mm.width(), 45, 0.01);
    EXPECT_NEAR(printers.sent[0].page_mm.height(), 65, 0.01);
    ASSERT_EQ(answerer.requests.size(), 1u);
    EXPECT_EQ(answerer.Shown(), QStringList{"登録番号:0001の/印刷データを送信します"});
    EXPECT_EQ(answerer.requests[0].second_caption, QStringLiteral("送信"));
    EXPECT_FALSE(answerer.requests[0].first_shown);
    EXPECT_EQ(answerer.requests[0].back_colour, store::kInformationColour);
}

TEST_F(Print_Run_Test, PrintingPerCopyPutsEveryCopyOnAPageOfItsOwn)
{
    Run({Issue_For("1", 3)}, Print_Mode::Immediate, print_fixtures::Settings_For(kZebra, QStringLiteral("する")));
    ASSERT_EQ(printers.sent.size(), 1u);
    EXPECT_EQ(printers.sent[0].copies, 1);
    EXPECT_EQ(printers.sent[0].pages, 3);
    // The copies are the same page, composed once and repeated in the job.
    EXPECT_EQ(test_support::Pdf_Content_Streams(printers.sent[0].pdf), 1);
}

TEST_F(Print_Run_Test, APrinterThatMakesNoCopiesGetsThePageRepeatedInTheJob)
{
    Run({Issue_For("1", 3)}, Print_Mode::Immediate, print_fixtures::Settings_For(kNoCopies));
    ASSERT_EQ(printers.sent.size(), 1u);
    EXPECT_EQ(printers.sent[0].copies, 1);
    EXPECT_EQ(printers.sent[0].pages, 3);
    EXPECT_EQ(test_support::Pdf_Content_Streams(printers.sent[0].pdf), 1);
}

TEST_F(Print_Run_Test, ReservationRunSendsAJobPerLineAndTellsEachThenAll)
{
    const printing::Print_Issues left = Run({Issue_For("1", 2), Issue_For("2", 1)}, Print_Mode::Reservation,
                                            print_fixtures::Settings_For(kZebra));
    EXPECT_TRUE(left.isEmpty());
    ASSERT_EQ(printers.sent.size(), 2u);
    EXPECT_EQ(printers.sent[0].copies, 2);
    EXPECT_EQ(printers.sent[1].copies, 1);
    EXPECT_EQ(answerer.Shown(),
              (QStringList{"登録番号:0001の/印刷データを送信しました", "登録番号:0002の/印刷データを送信しました",
                           "予約されていた全ての/印刷データを送信しました"}));
    for (const auto& request : answerer.requests) {
        EXPECT_EQ(request.back_colour, store::kInformationColour);
        EXPECT_EQ(request.second_caption, QStringLiteral("はい"));
    }
}

TEST_F(Print_Run_Test, ALineWithoutLayoutOrProductIsSkippedAndTheOthersPrint)
{
    // 0001's layout is gone; 0003 is no product.
    ASSERT_TRUE(QFile::remove(layouts::Layout_Path(data.Data_Folder(), print_fixtures::kLayout)));
    const printing::Print_Issues lines = {Issue_For("1", 1), Issue_For("3", 1)};
    const printing::Print_Issues left = Run(lines, Print_Mode::Reservation, print_fixtures::Settings_For(kZebra));
    EXPECT_TRUE(left.isEmpty());
    EXPECT_TRUE(printers.sent.empty());
    EXPECT_EQ(
        answerer.Shown(),
        (QStringList{"登録番号:0001で指定されて/いるレイアウトは存在しません", "登録番号:0001の/印刷が出来ませんでした",
                     "登録番号:0003で指定されて/いるレイアウトは存在しません", "登録番号:0003の/印刷が出来ませんでした",
                     "予約されていた全ての/印刷データを送信しました"}));
}

TEST_F(Print_Run_Test, AMissingProductAfterAGoodOneIsNotPrintedAsTheGoodOne)
{
    const printing::Print_Issues left = Run({Issue_For("2", 1), Issue_For("3", 4)}, Print_Mode::Reservation,
                                            print_fixtures::Settings_For(kZebra));
    EXPECT_TRUE(left.isEmpty());
    ASSERT_EQ(printers.sent.size(), 1u);
    EXPECT_EQ(printers.sent[0].copies, 1);
    EXPECT_EQ(answerer.Shown()[1], QStringLiteral("登録番号:0003で指定されて/いるレイアウトは存在しません"));
}

TEST_F(Print_Run_Test, WithoutThePrinterEveryLineReportsItAndAnImmediateListStays)
{
    for (const QString& name : {QString(), QStringLiteral("zebra")}) {
        answerer.requests.clear();
        const printing::Print_Issues lines = {Issue_For("1", 1), Issue_For("2", 1)};
        EXPECT_TRUE(Run(lines, Print_Mode::Reservation, print_fixtures::Settings_For(name)).isEmpty());
        EXPECT_EQ(
            answerer.Shown(),
            (QStringList{"プリンタが見つかりません/印刷は行なえませんでした", "登録番号:0001の/印刷が出来ませんでした",
                         "プリンタが見つかりません/印刷は行なえませんでした", "登録番号:0002の/印刷が出来ませんでした",
                         "予約されていた全ての/印刷データを送信しました"}));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(answerer.requests[i].back_colour, store::kWarningColour);
    }
    answerer.requests.clear();
    const printing::Print_Issues immediate = {Issue_For("1", 1)};
    EXPECT_EQ(Run(immediate, Print_Mode::Immediate, print_fixtures::Settings_For(QString())), immediate);
    EXPECT_EQ(answerer.requests.size(), 2u);  // no "送信" window
    EXPECT_TRUE(printers.sent.empty());
}

TEST_F(Print_Run_Test, ALayoutPaperNumberThePrinterLacksEndsTheRunAndSendsNothing)
{
    ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout,
                                                   layouts::Layout_Paper_Number, QStringLiteral("9999")));
    const printing::Print_Issues lines = {Issue_For("1", 2), Issue_For("2", 1)};
    EXPECT_EQ(Run(lines, Print_Mode::Reservation, print_fixtures::Settings_For(kZebra)), lines);
    EXPECT_TRUE(printers.sent.empty());
    EXPECT_TRUE(answerer.requests.empty());
    EXPECT_EQ(answerer.message_boxes,
              (QStringList{"存在しない用紙番号を指定されました。\n当レイアウトの用紙番号指定を変更して下さい。",
                           "発行を中止しました"}));
}

TEST_F(Print_Run_Test, PaperComesFromTheLayoutElseFromTheSettingsWhereThePrinterHasIt)
{
    ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout,
                                                   layouts::Layout_Paper_Number, QStringLiteral("0009")));
    Run({Issue_For("1", 1)}, Print_Mode::Immediate, print_fixtures::Settings_For(kZebra, "しない", "0256"));
    ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout,
                                                   layouts::Layout_Paper_Number, QStringLiteral("0000")));
    Run({Issue_For("1", 1)}, Print_Mode::Immediate, print_fixtures::Settings_For(kZebra, "しない", "0009"));
    Run({Issue_For("1", 1)}, Print_Mode::Immediate, print_fixtures::Settings_For(kZebra, "しない", "0777"));
    ASSERT_EQ(printers.sent.size(), 3u);
    EXPECT_NEAR(printers.sent[0].page_mm.width(), 210, 0.01);
    EXPECT_NEAR(printers.sent[1].page_mm.width(), 210, 0.01);
    EXPECT_NEAR(printers.sent[2].page_mm.width(), 45, 0.01);  // 777 refused silently: no paper size is chosen
    EXPECT_TRUE(answerer.message_boxes.isEmpty());
}

TEST_F(Print_Run_Test, WithoutPaperNumberATurnedLayoutGetsAPageOfItsPrintedSize)
{
    // A turned layout 90 long and 50 wide is printed 50 across and 90 down the page.
    for (const auto& [line, value] :
         {std::pair{layouts::Print_Direction, "90"}, {layouts::Label_Length, "90"}, {layouts::Label_Width, "50"}})
        ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout, line, value));
    Run({Issue_For("1", 1)}, Print_Mode::Immediate, print_fixtures::Settings_For(kZebra));
    ASSERT_EQ(printers.sent.size(), 1u);
    EXPECT_NEAR(printers.sent[0].page_mm.width(), 50, 0.01);
    EXPECT_NEAR(printers.sent[0].page_mm.height(), 90, 0.01);
}

TEST_F(Print_Run_Test, APrinterWithoutLabelSizedPagesUsesItsDefaultAndTheScreenIsToldOnce)
{
    const QString plain = QStringLiteral("Plain");
    test_support::Fake_Printer_Platform fixed(
        {{plain, {QPageSize(QPageSize::A4), Label_Paper()}, 1, 203, true, {}, false}});
    QSet<QString> told;
    printing::Print_Run_Context context =
        print_fixtures::Context_For(data.Data_Folder(), print_fixtures::Settings_For(plain), fixed, answerer);
    context.told_default_page = &told;
    print_fixtures::Run_Issues({Issue_For("1", 1), Issue_For("2", 1)}, Print_Mode::Reservation, context);
    print_fixtures::Run_Issues({Issue_For("1", 1)}, Print_Mode::Immediate, context);
    EXPECT_EQ(answerer.Shown(),
              (QStringList{"プリンタ「Plain」は/ラベルの大きさの用紙を指定できません",
                           "登録番号:0001の/印刷データを送信しました", "登録番号:0002の/印刷データを送信しました",
                           "予約されていた全ての/印刷データを送信しました", "登録番号:0001の/印刷データを送信します"}));
    EXPECT_EQ(answerer.requests[0].line3, QStringLiteral("プリンタの既定の用紙に印刷します"));
    EXPECT_EQ(answerer.requests[0].back_colour, store::kWarningColour);
    ASSERT_EQ(fixed.sent.size(), 3u);
    for (const test_support::Sent_Job& job : fixed.sent)
        EXPECT_NEAR(job.page_mm.width(), 101.6, 0.01);

    // A paper number in the settings is the user's choice: nothing to say.
    answerer.requests.clear();
    told.clear();
    context.settings = print_fixtures::Settings_For(plain, QStringLiteral("しない"), QStringLiteral("0009"));
    print_fixtures::Run_Issues({Issue_For("1", 1)}, Print_Mode::Immediate, context);
    EXPECT_EQ(answerer.Shown(), QStringList{"登録番号:0001の/印刷データを送信します"});
    EXPECT_NEAR(fixed.sent.back().page_mm.width(), 210, 0.01);
}

TEST_F(Print_Run_Test, AJobThePrinterRefusesIsReportedAndItsLineKept)
{
    test_support::Fake_Printer_Platform stopped(
        {{kZebra, {QPageSize(QPageSize::A4)}, 0, 203, true, QStringLiteral("プリンタ「Zebra」は停止しています")}});
    const printing::Print_Run_Context context =
        print_fixtures::Context_For(data.Data_Folder(), print_fixtures::Settings_For(kZebra), stopped, answerer);
    const printing::Print_Issues lines = {Issue_For("1", 1), Issue_For("2", 1)};
    EXPECT_EQ(print_fixtures::Run_Issues(lines, Print_Mode::Reservation, context), lines);
    EXPECT_TRUE(stopped.sent.empty());
    EXPECT_EQ(answerer.Shown(),
              (QStringList{"登録番号:0001の/印刷データを送信できませんでした", "登録番号:0001の/印刷が出来ませんでした",
                           "登録番号:0002の/印刷データを送信できませんでした", "登録番号:0002の/印刷が出来ませんでした",
                           "予約されていた印刷データの一部を/送信できませんでした"}));
    EXPECT_EQ(answerer.requests[0].line3, QStringLiteral("プリンタ「Zebra」は停止しています"));

    answerer.requests.clear();
    const printing::Print_Issues immediate = {Issue_For("1", 1)};
    EXPECT_EQ(print_fixtures::Run_Issues(immediate, Print_Mode::Immediate, context), immediate);
    EXPECT_EQ(
        answerer.Shown(),
        (QStringList{"登録番号:0001の/印刷データを送信できませんでした", "登録番号:0001の/印刷が出来ませんでした"}));
}

TEST_F(Print_Run_Test, ThePaperLengthNoticeIsShownOncePerRun)
{
    ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout, layouts::Label_Length,
                                                   QStringLiteral("10")));
    Run({Issue_For("1", 2), Issue_For("2", 1)}, Print_Mode::Reservation,
        print_fixtures::Settings_For(kZebra, QStringLiteral("する")));
    EXPECT_EQ(answerer.message_boxes.size(), 1);
    EXPECT_EQ(printers.sent.size(), 2u);
    Run({Issue_For("1", 1)}, Print_Mode::Reservation, print_fixtures::Settings_For(kZebra));
    EXPECT_EQ(answerer.message_boxes.size(), 2);
}

}  // namespace
