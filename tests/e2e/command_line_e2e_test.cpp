// The command line as users run it: the real executable, in an application
// folder of its own (its settings and data beside it, as on a USB stick), with
// no display, printing to the real CUPS queues and the built-in PDF printer.
#include "cups_jobs.h"
#include "platform/printer_module.h"
#include "platform/single_instance.h"
#include "label_fixtures.h"
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
        // A hard link makes this the executable's folder (a copy where linking is not possible).
        const QString program = folder.filePath(QStringLiteral("paruberina"));
        ASSERT_TRUE(::link(PARUBERINA_EXE, QFile::encodeName(program).constData()) == 0
                    || QFile::copy(QStringLiteral(PARUBERINA_EXE), program));
        // The allergen list and the printer module lie beside the executable, as installed.
        const QDir program_folder = QFileInfo(QStringLiteral(PARUBERINA_EXE)).dir();
        for (const QString& name : {QStringLiteral("allergens.txt"), QString::fromLatin1(platform::kPrinter_Module_File)})
            ASSERT_TRUE(QFile::copy(program_folder.filePath(name), folder.filePath(name))) << name.toStdString();
        ASSERT_TRUE(print_fixtures::Prepare_Data_Folder(Data_Folder()));
        Save_Settings(e2e::kZebra);
    }

    QString Data_Folder() const { return folder.path() + QLatin1Char('/'); }

    void Save_Settings(const QString& printer)
    {
        store::Settings_Record settings = print_fixtures::Settings_For(printer);
        settings[store::Setting::Data_Location] = QStringLiteral("ぱるべりなインストールフォルダ");
        ASSERT_TRUE(store::Save_Settings(folder.path(), store::Saved_Values(settings)).ok());
    }

    Result Run(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(folder.filePath(QStringLiteral("paruberina")), arguments);
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
    // Product 1 on its 65x45 layout: the barcode over the nutrition table, 2-dot
    // modules on the 203-dpi queue, and the allergens of its ingredients to confirm.
    Result result = Run({"check", "--product", "1"});
    EXPECT_EQ(result.status, 1) << result.err.toStdString();
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("【誤り】バーコードと栄養成分表示が重なっています")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("【注意】バーコードのモジュールは2ドット(0.250mm)")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("【確認】")) && result.out.contains(QStringLiteral("小麦")));
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("【"))) << line.toStdString();

    // Product 2's barcode has a wrong check digit; the 300-dpi raster queue prints 3-dot modules.
    result = Run({"check", "--product", "2", "--printer", "Zebra300"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("【誤り】バーコードのチェックデジットが違います(正しくは7)")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("モジュールは3ドット(0.254mm)")));

    // A label with nothing wrong, checked for a PDF queue (bars on the 203-dpi grid): warnings and notes only.
    products::Product_Record clean = render_fixtures::Scannable_Product();
    clean[products::Product_No] = QStringLiteral("0003");
    clean[products::Price_Text].clear();
    ASSERT_TRUE(print_fixtures::Write_Products(Data_Folder(), {render_fixtures::Filled_Product(), clean}));
    result = Run({"check", "--product", "3", "--layout", "標準05 70x80", "--printer", "PDF"});
    EXPECT_EQ(result.status, 0) << result.out.toStdString();
    EXPECT_FALSE(result.out.contains(QStringLiteral("【誤り】"))) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("モジュールは2ドット(0.250mm)")));
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));
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
        {{"print", "--product", "1", "--out", "x.pdf"}, "--out は「ぱるべりなPDFプリンタ」で印刷するときだけ指定できます"},
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
        EXPECT_EQ(result.status, 1) << c.arguments.join(' ').toStdString();
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
    ASSERT_TRUE(e2e::Run(QStringLiteral("lpadmin"), {"-p", queue, "-E", "-v", "file:///dev/null", "-m",
                                                      "drv:///sample.drv/zebra.ppd"}));
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
    EXPECT_TRUE(facts.contains(QRegularExpression(QStringLiteral("Page size:\\s+12[78](\\.\\d+)? x 18[45](\\.\\d+)? pts"))))
        << facts.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(printing::kHistoryFileName)));
    e2e::Run(QStringLiteral("pdftoppm"), {"-png", "-r", "100", "-singlefile", out, e2e::Picture_Folder() + "/cli-label"});
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

}  // namespace

TEST_F(Command_Line_E2E, RecipePrintsWhatTheRecipeComputesAndWritesNothing)
{
    // The composition table and the allergen dictionary lie beside the executable, as installed.
    const QDir program_folder = QFileInfo(QStringLiteral(PARUBERINA_EXE)).dir();
    const QString dictionary = folder.filePath(QStringLiteral("allergen_dictionary.txt"));
    ASSERT_TRUE(QFile::exists(dictionary)
                || QFile::copy(program_folder.filePath(QStringLiteral("allergen_dictionary.txt")), dictionary));
    QDir(folder.path()).mkdir(QStringLiteral("food-composition-2020"));
    for (const QString& name : QDir(program_folder.filePath(QStringLiteral("food-composition-2020"))).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(program_folder.filePath(QStringLiteral("food-composition-2020/") + name),
                                folder.filePath(QStringLiteral("food-composition-2020/") + name)));
    // A salted onigiri: ご飯 1000 g (01088) and 食塩 8 g (17012), 100 g a piece.
    recipes::Material rice{QStringLiteral("01088"), QStringLiteral("こめ [水稲めし] 精白米 うるち米"), QStringLiteral("米"),
                           {}, false, {}, QStringLiteral("国産"), {}};
    recipes::Material salt{QStringLiteral("17012"), QStringLiteral("食塩"), QStringLiteral("食塩"), {}, false, {}, {}, {}};
    ASSERT_TRUE(recipes::Store_Materials(Data_Folder(), {rice, salt}).Is_Done());
    recipes::Recipe recipe;
    recipe.product_no = QStringLiteral("0001");
    recipe.lines = {{rice.code, 1000}, {salt.code, 8}};
    recipe.piece_grams = 100;
    ASSERT_TRUE(recipes::Store_Recipe(Data_Folder(), recipe).Is_Done());

    Result result = Run({"recipe", "--product", "1"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
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
