// The command line as users run it: the real executable, in an application
// folder of its own (its settings and data beside it, as on a USB stick), with
// no display, printing to the real CUPS queues and the built-in PDF printer.
#include "cups_jobs.h"
#include "label_fixtures.h"
#include "platform/printer_module.h"
#include "platform/single_instance.h"
#include "print_fixtures.h"
#include "printing/print_history.h"
#include "recipes/materials.h"
#include "recipes/recipe_file.h"
#include "store/settings.h"
#include "support/gui_application.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

struct Result {
    int status = -1;
    QString out;
    QString err;
};

class Command_Line_E2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }

    void SetUp() override
    {
        ASSERT_TRUE(e2e::Scheduler_Running()) << "start the test printers first: bash scripts/start-cups.sh";
        ASSERT_TRUE(folder.isValid());
        Place_Program(folder.path());
        ASSERT_TRUE(print_fixtures::Prepare_Data_Folder(Data_Folder()));
        Save_Settings(e2e::kZebra);
    }

    // The executable in `where` with what lies beside it when installed: the
    // allergen list and dictionary and the printer module.
    static void Place_Program(const QString& where)
    {
        // A hard link makes this the executable's folder (a copy where linking is not possible).
        const QString program = where + QStringLiteral("/paruberina");
        ASSERT_TRUE(::link(PARUBERINA_EXE, QFile::encodeName(program).constData()) == 0
                    || QFile::copy(QStringLiteral(PARUBERINA_EXE), program));
        const QDir program_folder = QFileInfo(QStringLiteral(PARUBERINA_EXE)).dir();
        for (const QString& name : {QStringLiteral("allergens.txt"), QStringLiteral("allergen_dictionary.txt"),
                                    QString::fromLatin1(platform::kPrinter_Module_File)})
            ASSERT_TRUE(QFile::copy(program_folder.filePath(name), where + QLatin1Char('/') + name))
                << name.toStdString();
    }

    QString Data_Folder() const { return folder.path() + QLatin1Char('/'); }

    void Save_Settings(const QString& printer)
    {
        store::Settings_Record settings = print_fixtures::Settings_For(printer);
        settings[store::Setting::Data_Location] = QStringLiteral("ぱるべりなインストールフォルダ");
        ASSERT_TRUE(store::Save_Settings(folder.path(), store::Saved_Values(settings)).ok());
    }

    Result Run(const QStringList& arguments) { return Run_In(folder.path(), arguments); }

    static Result Run_In(const QString& where, const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(where + QStringLiteral("/paruberina"), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    std::vector<printing::History_Entry> History() { return print_fixtures::History_Of(Data_Folder()); }

    QTemporaryDir folder{QStringLiteral(CLI_WORK_FOLDER "/cli-XXXXXX")};
};

TEST_F(Command_Line_E2E, HelpDescribesEveryCommand)
{
    const Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* part : {"print --product N", "--copies K", "--printer NAME", "--base-date YYYY/MM/DD[ HH:MM]",
                             "--per-copy", "--out FILE", "pdf --product N [--layout NAME] --out FILE",
                             "check --product N [--layout NAME] [--printer NAME]", "list [WORDS...]"})
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(part))) << part;
}

TEST_F(Command_Line_E2E, CheckListsTheFindingsForThePrinterAndFailsOnErrors)
{
    // Product 1 on its 65x45 layout: the barcode over the nutrition table, and
    // once, for the layout on the 203-dpi queue, its 2-dot modules and short bars.
    Result result = Run({"check", "--product", "1"});
    EXPECT_EQ(result.status, 1) << result.err.toStdString();
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("【誤り】バーコードと栄養成分表示が重なっています")));
    EXPECT_EQ(result.out.count(QStringLiteral("【確認】バーコードのモジュールは2ドット(0.250mm)")), 1);
    EXPECT_EQ(result.out.count(QStringLiteral("【確認】バーコードのバーの高さは")), 1);
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("【"))) << line.toStdString();

    // Product 2's barcode has a wrong check digit; the 300-dpi raster queue prints 3-dot modules.
    result = Run({"check", "--product", "2", "--printer", "Zebra300"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("【誤り】バーコードのチェックデジットが違います(正しくは7)")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("モジュールは3ドット(0.254mm)")));

    // A label with nothing wrong, checked for a PDF queue (bars on the 203-dpi grid): no error.
    products::Product_Record clean = render_fixtures::Scannable_Product();
    clean[products::Product_No] = QStringLiteral("0003");
    clean[products::Price_Text].clear();
    ASSERT_TRUE(print_fixtures::Write_Products(Data_Folder(), {render_fixtures::Filled_Product(), clean}));
    result = Run({"check", "--product", "3", "--layout", "標準05 70x80", "--printer", "PDF"});
    EXPECT_EQ(result.status, 0) << result.out.toStdString();
    EXPECT_FALSE(result.out.contains(QStringLiteral("【誤り】"))) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("モジュールは2ドット(0.250mm)")));
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));

    // Without a printer set up, the label is checked as the built-in PDF printer prints it.
    Save_Settings(QString());
    result = Run({"check", "--product", "3", "--layout", "標準05 70x80"});
    EXPECT_EQ(result.status, 0) << result.out.toStdString() << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("ぱるべりなPDFプリンタで印刷するものとして確認します")))
        << result.err.toStdString();
}

TEST_F(Command_Line_E2E, FirstCommandInAFreshFolderWritesTheDefaultFiles)
{
    QTemporaryDir fresh{QStringLiteral(CLI_WORK_FOLDER "/fresh-XXXXXX")};
    ASSERT_TRUE(fresh.isValid());
    Place_Program(fresh.path());
    const Result result = Run_In(fresh.path(), {"list"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    for (const char* name : {"user_v2.dat", "商品情報_v2.tsv", "文字列情報_v2.tsv", "単語テーブル_v2.tsv",
                             "標準01 65x45.lay", "ぱるべりな01 65x45.lay", "ぱるべりな02 70x80.lay"})
        EXPECT_TRUE(QFile::exists(fresh.filePath(QString::fromUtf8(name)))) << name;
}

TEST_F(Command_Line_E2E, UsageErrorsExitWithTwoAndChangeNothing)
{
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"frobnicate"}, "知らないコマンドです: frobnicate"},
        {{"check"}, "--product で登録番号を指定して下さい"},
        {{"check", "--product", "1", "--copies", "2"}, "知らないオプションです: --copies"},
        {{"print"}, "--product で登録番号を指定して下さい"},
        {{"print", "--product", "abc"}, "登録番号は 1 から 9999 の数字で指定して下さい: abc"},
        {{"print", "--product", "1", "--copies", "0"}, "印刷枚数は 1 から 9999 で指定して下さい: 0"},
        {{"print", "--product", "1", "--base-date", "2024/02/30"}, "基準日時は"},
        {{"print", "--product", "1", "--base-date", "2024/03/05", "25:00"}, "基準日時は"},
        {{"print", "--product", "1", "extra"}, "余分な引数です: extra"},
        {{"print", "--product", "1", "--out", "x.pdf"},
         "--out は「ぱるべりなPDFプリンタ」で印刷するときだけ指定できます"},
        {{"print", "--product", "1", "--colour"}, "知らないオプションです: --colour"},
        {{"print", "--product"}, "--product に値がありません"},
        {{"pdf", "--product", "1"}, "--out で書き出すPDFファイルを指定して下さい"},
        {{"list", "--all"}, "知らないオプションです: --all"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("x.pdf"))));
}

TEST_F(Command_Line_E2E, BadInputIsRefusedWithTheWindowsMessageAndWritesNothing)
{
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"print", "--product", "7"}, "登録番号:0007は未登録です"},
        {{"print", "--product", "1", "--printer", "Nobody"}, "プリンタが見つかりません印刷は行なえませんでした"},
        {{"pdf", "--product", "7", "--out", "a.pdf"}, "登録番号:0007は未登録です"},
        {{"pdf", "--product", "1", "--layout", "無い", "--out", "a.pdf"}, "レイアウト「無い」は存在しません"},
        {{"pdf", "--product", "1", "--out", "/proc/a.pdf"}, "PDFファイルを作成できませんでした"},
        {{"check", "--product", "7"}, "登録番号:0007は未登録です"},
        {{"check", "--product", "1", "--layout", "無い"}, "レイアウト「無い」は存在しません"},
        {{"check", "--product", "1", "--printer", "Nobody"}, "プリンタが見つかりません"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.arguments);
        // A check that cannot be made has a status of its own, not the one of a label with an error.
        const int refused = c.arguments.front() == QStringLiteral("check") ? 3 : 1;
        EXPECT_EQ(result.status, refused) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
    }
    Save_Settings(QString());
    EXPECT_EQ(Run({"print", "--product", "1"}).status, 1) << "no printer configured";
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("a.pdf"))));
}

TEST_F(Command_Line_E2E, PrintSendsOneJobToTheZplQueueAndRecordsIt)
{
    QFile::resize(e2e::kZplOutput, 0);
    const int before = e2e::Last_Job_Id(e2e::kZebra);
    const Result result = Run({"print", "--product", "1", "--copies", "3", "--base-date", "2024/03/05", "09:00"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("登録番号:0001の印刷データを送信します\n")));
    const std::vector<int> jobs = e2e::Jobs_After(e2e::kZebra, before);
    ASSERT_EQ(jobs.size(), 1u);
    const e2e::Job_Facts facts = e2e::Query_Job(jobs[0]);
    EXPECT_EQ(facts.copies, 3);
    EXPECT_EQ(facts.state, IPP_JSTATE_COMPLETED);
    EXPECT_GT(QFileInfo(e2e::kZplOutput).size(), 0);

    const std::vector<printing::History_Entry> history = History();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].printer, e2e::kZebra);
    EXPECT_EQ(history[0].copies, QStringLiteral("3"));
    EXPECT_EQ(history[0].base, QStringLiteral("2024/03/05 09:00"));
    EXPECT_EQ(history[0].date_line, QStringLiteral("消費期限:2024年03月08日"));
    EXPECT_EQ(history[0].result, printing::kHistorySent);
}

TEST_F(Command_Line_E2E, PerCopyPrintingOnTheCupsPdfQueueMakesAPageForEachLabel)
{
    const int before = e2e::Last_Job_Id(e2e::kPdfQueue);
    const Result result = Run({"print", "--product", "2", "--copies", "2", "--printer", "PDF", "--per-copy"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    const std::vector<int> jobs = e2e::Jobs_After(e2e::kPdfQueue, before);
    ASSERT_EQ(jobs.size(), 1u);
    const e2e::Job_Facts facts = e2e::Query_Job(jobs[0]);
    EXPECT_EQ(facts.copies, 1);
    EXPECT_EQ(facts.state, IPP_JSTATE_COMPLETED);
    EXPECT_EQ(History().at(0).printer, e2e::kPdfQueue);
}

TEST_F(Command_Line_E2E, AQueueThatTakesNoJobsIsRefusedAndRecordedAsRefused)
{
    const QString queue = QStringLiteral("FoodlabelCliStopped");
    ASSERT_TRUE(e2e::Run(QStringLiteral("lpadmin"),
                         {"-p", queue, "-E", "-v", "file:///dev/null", "-m", "drv:///sample.drv/zebra.ppd"}));
    ASSERT_TRUE(e2e::Run(QStringLiteral("cupsdisable"), {queue}));
    const Result result = Run({"print", "--product", "1", "--printer", queue});
    e2e::Run(QStringLiteral("lpadmin"), {"-x", queue});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("登録番号:0001の印刷データを送信できませんでした\n"
                                                   "プリンタ「FoodlabelCliStopped」は停止しています")))
        << result.err.toStdString();
    const std::vector<printing::History_Entry> history = History();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].result, printing::kHistoryRefused);
    EXPECT_TRUE(history[0].reason.contains(QStringLiteral("停止しています")));
}

TEST_F(Command_Line_E2E, TheBuiltInPdfPrinterWritesTheNamedFileOrANewOneAndTheHistoryNamesIt)
{
    const QString out = folder.filePath(QStringLiteral("出力/ラベル.pdf"));
    Result result = Run({"print", "--product", "1", "--printer", platform::kBuilt_In_Pdf_Printer, "--out", out});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("PDFファイルを書き出しました: ") + out));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    result = Run({"print", "--product", "2", "--printer", platform::kBuilt_In_Pdf_Printer});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    const QStringList written = QDir(Data_Folder() + platform::kPdf_Output_Folder_Name).entryList({"*.pdf"});
    ASSERT_EQ(written.size(), 1);

    const std::vector<printing::History_Entry> history = History();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1].file, out);
    EXPECT_EQ(QFileInfo(history[0].file).fileName(), written[0]);
}

TEST_F(Command_Line_E2E, PdfWritesOneLabelSizedPageWithoutAnyPrinter)
{
    Save_Settings(QString());
    const QString out = folder.filePath(QStringLiteral("label.pdf"));
    const Result result = Run({"pdf", "--product", "1", "--out", out});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {out});
    ASSERT_TRUE(info.waitForFinished());
    const QString facts = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(facts.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << facts.toStdString();
    // 標準01 is 45 mm wide and 65 mm long: 127.56 x 184.25 points.
    EXPECT_TRUE(
        facts.contains(QRegularExpression(QStringLiteral("Page size:\\s+12[78](\\.\\d+)? x 18[45](\\.\\d+)? pts"))))
        << facts.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));
    e2e::Run(QStringLiteral("pdftoppm"),
             {"-png", "-r", "100", "-singlefile", out, e2e::Picture_Folder() + "/cli-label"});
}

TEST_F(Command_Line_E2E, ListFindsProductsLikeTheListWindowWhileTheWindowIsOpen)
{
    platform::Single_Instance window(folder.path());
    ASSERT_EQ(window.Acquire(), platform::Lock_Outcome::Acquired);
    Result result = Run({"list"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.split('\n', Qt::SkipEmptyParts).size(), 2);
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("0001|標準01 65x45")));
    result = Run({"list", "苺大福"});
    EXPECT_EQ(result.out.toStdString(), "0002|標準01 65x45        |苺大福\n");
}

// "-h" where a value stands is that value; 〜 typed on Linux is the ～ the
// window stores; an impossible date stops the command as the window reports it.
TEST_F(Command_Line_E2E, ValuesAreTakenAsTheWindowTakesThem)
{
    Result result = Run({"pdf", "--product", "1", "--layout", "-h", "--out", folder.filePath("a.pdf")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("レイアウト「-h」は存在しません"))) << result.err.toStdString();
    EXPECT_FALSE(result.out.contains(QStringLiteral("使い方")));
    EXPECT_EQ(Run({"print", "-h"}).status, 0);

    products::Product_Record third = render_fixtures::Filled_Product();
    third[products::Product_No] = QStringLiteral("0003");
    third[products::Product_Name] = QStringLiteral("品名:饅頭10～20個入り");
    products::Product_Record fourth = third;
    fourth[products::Product_No] = QStringLiteral("0004");
    fourth[products::Product_Name] = QStringLiteral("品名:長持ち");
    fourth[products::Date_Add_Days] = QStringLiteral("3000000");
    ASSERT_TRUE(print_fixtures::Write_Products(Data_Folder(), {render_fixtures::Filled_Product(), third, fourth}));
    result = Run({"list", QStringLiteral("10〜20")});
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("0003|"))) << result.out.toStdString();

    const QString out = folder.filePath(QStringLiteral("date.pdf"));
    const int before = e2e::Last_Job_Id(e2e::kZebra);
    for (const QStringList& arguments :
         {QStringList{"print", "--product", "1", "--base-date", "9999/12/31"}, QStringList{"print", "--product", "4"},
          QStringList{"pdf", "--product", "4", "--out", out}}) {
        result = Run(arguments);
        EXPECT_EQ(result.status, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("入力された日付が異常です"))) << result.err.toStdString();
    }
    EXPECT_TRUE(e2e::Jobs_After(e2e::kZebra, before).empty());
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(History().empty());
}

// --out writes a new file or replaces a PDF, saying so; it never replaces a
// device, a link, a file that is no PDF or a file of the data folder.
TEST_F(Command_Line_E2E, OutWritesOnlyANewFileOrAPdfTheUserNames)
{
    const QString pdf_printer = platform::kBuilt_In_Pdf_Printer;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("work")));
    const QString notes_path = folder.filePath(QStringLiteral("work/notes.txt"));
    QFile notes(notes_path);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("my notes") == 8);
    notes.close();
    ASSERT_TRUE(QFile::link(notes_path, folder.filePath(QStringLiteral("link.pdf"))));
    struct Case {
        QString path;
        const char* says;
    };
    const std::vector<Case> refused = {
        {QStringLiteral("/dev/full"), "通常のファイルではない"},
        {folder.filePath(QStringLiteral("link.pdf")), "シンボリックリンク"},
        {notes_path, "PDFではないファイル"},
        {Data_Folder() + QStringLiteral("商品情報_v2.tsv"), "データのフォルダ"},
        {Data_Folder() + QStringLiteral("user_v2.dat"), "データのフォルダ"},
        {folder.path(), "フォルダ"},
    };
    for (const Case& c : refused) {
        for (const QStringList& arguments :
             {QStringList{"pdf", "--product", "1", "--out", c.path},
              QStringList{"print", "--product", "1", "--printer", pdf_printer, "--out", c.path}}) {
            QFileInfo info(c.path);
            const bool was_file = info.isFile() && !info.isSymLink();
            QFile file(c.path);
            const QByteArray bytes_before = was_file && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            file.close();
            const Result result = Run(arguments);
            EXPECT_EQ(result.status, 1) << arguments.join(' ').toStdString();
            EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.says))) << result.err.toStdString();
            info.refresh();
            EXPECT_EQ(info.isFile() && !info.isSymLink(), was_file) << c.path.toStdString();
            if (was_file && file.open(QIODevice::ReadOnly)) {
                EXPECT_EQ(file.readAll(), bytes_before) << c.path.toStdString();
            }
        }
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).isSymLink() || !QFileInfo(QStringLiteral("/dev/full")).isFile());
    EXPECT_TRUE(QFileInfo(folder.filePath(QStringLiteral("link.pdf"))).isSymLink());
    EXPECT_TRUE(History().empty());

    // A PDF named again is replaced, and the user is told what was there.
    const QString out = folder.filePath(QStringLiteral("label.pdf"));
    ASSERT_EQ(Run({"pdf", "--product", "1", "--out", out}).status, 0);
    const Result again = Run({"pdf", "--product", "2", "--out", out});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_TRUE(again.err.contains(out + QStringLiteral(" にあるPDFファイル"))) << again.err.toStdString();
}

// A PDF under a folder whose name CP932 cannot hold is recorded; a job that
// printed but could not be recorded ends the command with 1.
TEST_F(Command_Line_E2E, EveryPrintedJobIsRecordedOrTheCommandFails)
{
    const QString out = folder.filePath(QStringLiteral("café/ラベル.pdf"));
    Result result = Run({"print", "--product", "1", "--printer", platform::kBuilt_In_Pdf_Printer, "--out", out});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    ASSERT_EQ(History().size(), 1u);
    EXPECT_EQ(History()[0].file, out);

    ASSERT_TRUE(QFile::remove(folder.filePath(printing::kHistoryFileName)));
    ASSERT_TRUE(QDir(folder.path()).mkdir(printing::kHistoryFileName));  // a folder in the history's place
    const int before = e2e::Last_Job_Id(e2e::kZebra);
    result = Run({"print", "--product", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(e2e::Jobs_After(e2e::kZebra, before).size(), 1u);
    EXPECT_TRUE(result.err.contains(QStringLiteral("発行履歴に記録できませんでした"))) << result.err.toStdString();
}

// A print killed while it wrote its PDF leaves a ".part" file; the next PDF
// print and the next start remove such files that no running job holds.
TEST_F(Command_Line_E2E, PartFilesOfKilledPdfPrintsAreRemoved)
{
    const QString output = Data_Folder() + platform::kPdf_Output_Folder_Name;
    ASSERT_TRUE(QDir().mkpath(output));
    const QStringList stale = {QStringLiteral("20240305-090507-123.pdf.part"),
                               QStringLiteral("20240305-090507-123-2.pdf.part")};
    for (const QString& name : stale + QStringList{QStringLiteral("mine.pdf.part")}) {
        QFile file(QDir(output).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const Result result = Run({"print", "--product", "1", "--printer", platform::kBuilt_In_Pdf_Printer});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    QStringList left = QDir(output).entryList({QStringLiteral("*.part")}, QDir::Files);
    EXPECT_EQ(left, QStringList{QStringLiteral("mine.pdf.part")});
    EXPECT_EQ(QDir(output).entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), 1);
}

}  // namespace

TEST_F(Command_Line_E2E, RecipePrintsWhatTheRecipeComputesAndWritesNothing)
{
    // The composition table and the allergen dictionary lie beside the executable, as installed.
    const QDir program_folder = QFileInfo(QStringLiteral(PARUBERINA_EXE)).dir();
    const QString dictionary = folder.filePath(QStringLiteral("allergen_dictionary.txt"));
    ASSERT_TRUE(QFile::exists(dictionary)
                || QFile::copy(program_folder.filePath(QStringLiteral("allergen_dictionary.txt")), dictionary));
    QDir(folder.path()).mkdir(QStringLiteral("food-composition-2020"));
    for (const QString& name :
         QDir(program_folder.filePath(QStringLiteral("food-composition-2020"))).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(program_folder.filePath(QStringLiteral("food-composition-2020/") + name),
                                folder.filePath(QStringLiteral("food-composition-2020/") + name)));
    // A salted onigiri: ご飯 1000 g (01088) and 食塩 8 g (17012), 100 g a piece.
    recipes::Material rice{QStringLiteral("01088"),
                           QStringLiteral("こめ [水稲めし] 精白米 うるち米"),
                           QStringLiteral("米"),
                           {},
                           false,
                           {},
                           QStringLiteral("国産"),
                           {}};
    recipes::Material salt{
        QStringLiteral("17012"), QStringLiteral("食塩"), QStringLiteral("食塩"), {}, false, {}, {}, {}};
    ASSERT_TRUE(recipes::Store_Materials(Data_Folder(), {rice, salt}).Is_Done());
    recipes::Recipe recipe;
    recipe.product_no = QStringLiteral("0001");
    recipe.lines = {{rice.code, 1000}, {salt.code, 8}};
    recipe.piece_grams = 100;
    ASSERT_TRUE(recipes::Store_Recipe(Data_Folder(), recipe).Is_Done());

    Result result = Run({"recipe", "--product", "1"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(
        result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
        (QStringList{QStringLiteral("栄養成分表示(1個(100g)当たり)"), QStringLiteral("熱量:155kcal"),
                     QStringLiteral("たんぱく質:2.5g"), QStringLiteral("脂質:0g"), QStringLiteral("炭水化物:36.8g"),
                     QStringLiteral("食塩相当量:0.8g"), QStringLiteral("この表示値は、目安です。"),
                     QStringLiteral("原材料名:米(国産)、食塩"), QStringLiteral("アレルゲン:なし")}));

    result = Run({"recipe", "--product", "1", "--detail"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.contains(QStringLiteral("米 1000g (01088 こめ [水稲めし] 精白米 うるち米): 熱量 1560kcal")))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("脂質は100g当たりの量が少ないので0と表示します")));

    result = Run({"recipe", "--product", "2"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("登録番号:0002は配合が未登録です"))) << result.err.toStdString();
    result = Run({"recipe", "--product", "77"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("登録番号:0077は未登録です"))) << result.err.toStdString();
    EXPECT_EQ(Run({"recipe"}).status, 2);
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));
}
