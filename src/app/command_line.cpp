#include "app/command_line.h"

#include "app/startup.h"
#include "layouts/layout_record.h"
#include "platform/desktop_platform.h"
#include "platform/printer_module.h"
#include "printing/check_context.h"
#include "printing/label_pdf.h"
#include "printing/print_job.h"
#include "printing/print_run.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "recipes/product_recipe.h"
#include "render/date_stamp.h"
#include "store/cp932.h"
#include "store/settings.h"

#include <QDateTime>
#include <QFont>
#include <QGuiApplication>
#include <QRegularExpression>

#include <map>
#include <set>

namespace app {

namespace {

const QString kHelp = QStringLiteral(
    "使い方:\n"
    "  paruberina\n"
    "      画面を開きます。\n"
    "  paruberina print --product N [--copies K] [--printer NAME] [--base-date YYYY/MM/DD[ HH:MM]] [--per-copy] "
    "[--out FILE]\n"
    "      登録番号 N の商品のラベルを K 枚 (既定 1) 印刷し、発行履歴に記録します。\n"
    "      プリンタは NAME、なければ各種設定のプリンタです。基準日時の既定は現在で、\n"
    "      時刻を省くと現在の時刻です。--per-copy は各種設定の「部単位ごとの印刷」を「する」として\n"
    "      1枚ずつページを作ります (省くと各種設定のとおり)。\n"
    "      --out は「ぱるべりなPDFプリンタ」で印刷するときの出力ファイルです\n"
    "      (省くとデータフォルダの「印刷データ」に新しいファイルを作ります)。\n"
    "  paruberina pdf --product N [--layout NAME] --out FILE\n"
    "      登録番号 N の商品のラベル1枚を、ラベルの大きさのPDFファイル FILE に書き出します。\n"
    "      レイアウトは NAME、なければ商品のレイアウトです。プリンタは使わず、発行履歴にも記録しません。\n"
    "  paruberina check --product N [--layout NAME] [--printer NAME]\n"
    "      登録番号 N の商品のラベルを確認し、見つかったこと (誤り・注意・確認) を1行ずつ表示します。\n"
    "      レイアウトは NAME、なければ商品のレイアウト、プリンタは NAME、なければ各種設定のプリンタです。\n"
    "      プリンタが設定されていなければ「ぱるべりなPDFプリンタ」で印刷するものとして確認し、そう表示します。\n"
    "      誤りがあれば終了状態は 1、確認できないとき (商品・レイアウト・プリンタがない) は 3 です。\n"
    "  paruberina recipe --product N [--detail]\n"
    "      登録番号 N の商品の配合から計算した栄養成分表示、原材料名とアレルゲンを表示します。\n"
    "      --detail は計算の内訳 (材料ごとの量、成分表に値のない成分) も表示します。何も書き込みません。\n"
    "  paruberina list [WORDS...]\n"
    "      商品一覧と同じ検索で、すべての語を含む商品を「番号|レイアウト|品名」で一覧します。\n"
    "  paruberina --help\n"
    "      この説明を表示します。\n"
    "\n"
    "画面と同じ設定ファイルとデータフォルダを使い、画面が開いていても実行できます。\n"
    "終了状態: 0 成功、1 中止または失敗 (理由は標準エラー出力)、2 使い方の誤り、\n"
    "3 check で確認できなかった。\n"
    "設定ファイルやデータファイルがなければ、画面の初回起動と同じく既定の内容で作ります。\n");

// Tells every message of the core on standard error, as the window would show it.
class Stderr_Answerer : public store::Answerer {
public:
    explicit Stderr_Answerer(QTextStream& err) : err_(err) { }

    bool Show_Confirmation(const store::Confirmation_Request& request) override
    {
        err_ << request.line1 << request.line2 << '\n';
        if (!request.line3.isEmpty())
            err_ << request.line3 << '\n';
        err_.flush();
        return true;  // only notices reach the command line: a print run asks nothing
    }
    void Show_Message_Box(const QString& text) override
    {
        err_ << text << '\n';
        err_.flush();
    }

private:
    QTextStream& err_;
};

struct Usage_Error {
    QString message;
};

// "--help" or "-h" where an option may stand.
struct Help_Wanted { };

bool Is_Help(const QString& argument)
{
    return argument == QStringLiteral("--help") || argument == QStringLiteral("-h");
}

using Options = Command_Options;

Options Parse(const QStringList& arguments, const QStringList& value_names, const QStringList& flag_names,
              bool words_allowed)
{
    static const QRegularExpression time_of_day(QStringLiteral("^\\d{1,2}:\\d{2}$"));
    Options options;
    for (int i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (Is_Help(argument))
            throw Help_Wanted{};
        if (!argument.startsWith(QStringLiteral("--"))) {
            if (!words_allowed)
                throw Usage_Error{QStringLiteral("余分な引数です: ") + argument};
            options.words << argument;
            continue;
        }
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const bool inline_value = equals > 0;
        if (inline_value) {
            value = argument.mid(equals + 1);
            argument.truncate(equals);
        }
        if (flag_names.contains(argument) && !inline_value) {
            options.flags.insert(argument);
            continue;
        }
        if (!value_names.contains(argument))
            throw Usage_Error{QStringLiteral("知らないオプションです: ") + argument};
        if (!inline_value) {
            if (i + 1 >= arguments.size())
                throw Usage_Error{argument + QStringLiteral(" に値がありません")};
            value = arguments[++i];
            // "--base-date 2024/03/05 09:00" without quotes: the time is the next argument.
            if (argument == QStringLiteral("--base-date") && i + 1 < arguments.size()
                && time_of_day.match(arguments[i + 1]).hasMatch())
                value += QLatin1Char(' ') + arguments[++i];
        }
        options.values[argument] = value;
    }
    // Names and words reach the data as they would through the window's boxes
    // (〜 is ～); file paths stay as they are.
    if (options.Has(QStringLiteral("--layout")))
        options.values[QStringLiteral("--layout")] =
            store::To_Cp932_Counterparts(options.Value(QStringLiteral("--layout")));
    for (QString& word : options.words)
        word = store::To_Cp932_Counterparts(word);
    return options;
}

QString Product_Number(const Options& options)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,4}$"));
    const QString text = options.Value(QStringLiteral("--product"));
    if (!options.Has(QStringLiteral("--product")))
        throw Usage_Error{QStringLiteral("--product で登録番号を指定して下さい")};
    if (!number.match(text).hasMatch() || text.toInt() == 0)
        throw Usage_Error{QStringLiteral("登録番号は 1 から 9999 の数字で指定して下さい: ") + text};
    return products::Format_Product_No(text);
}

int Copies(const Options& options)
{
    if (!options.Has(QStringLiteral("--copies")))
        return 1;
    bool ok = false;
    const int copies = options.Value(QStringLiteral("--copies")).toInt(&ok);
    if (!ok || copies < 1 || copies > 9999)
        throw Usage_Error{QStringLiteral("印刷枚数は 1 から 9999 で指定して下さい: ")
                          + options.Value(QStringLiteral("--copies"))};
    return copies;
}

// The base date and time: "YYYY/MM/DD" (at the time of day of `moment`) or
// "YYYY/MM/DD HH:MM"; `moment` to the minute when none is given.
QDateTime Base_Date(const Options& options, const QDateTime& moment)
{
    const QDateTime now = render::Base_At(moment);
    if (!options.Has(QStringLiteral("--base-date")))
        return now;
    static const QRegularExpression form(QStringLiteral("^(\\d{4})/(\\d{1,2})/(\\d{1,2})(?: (\\d{1,2}):(\\d{2}))?$"));
    const QString text = options.Value(QStringLiteral("--base-date")).trimmed();
    const QRegularExpressionMatch match = form.match(text);
    render::Base_Texts base = render::Base_Texts_Of(now);
    if (match.hasMatch()) {
        base.year = match.captured(1);
        base.month = match.captured(2);
        base.day = match.captured(3);
        if (match.hasCaptured(4)) {
            base.hour = match.captured(4);
            base.minute = match.captured(5);
        }
    }
    const std::optional<QDateTime> date = match.hasMatch() ? render::Base_Date(base) : std::nullopt;
    if (!date)
        throw Usage_Error{QStringLiteral("基準日時は YYYY/MM/DD または YYYY/MM/DD HH:MM で指定して下さい: ") + text};
    return *date;
}

struct Data {
    store::Settings_Record settings;
    QString folder;  // ending in "/"
};

Data Read_Data(const Command_Line_Context& context)
{
    Data data;
    data.settings = store::Load_Settings(context.folders.application_folder);
    data.folder = store::Working_Data_Folder(data.settings.Data_Location(), context.folders);
    return data;
}

int Refuse(QTextStream& err, const QString& line1, const QString& line2 = {})
{
    err << line1 << line2 << '\n';
    return kExitFailed;
}

// Whether the label's date can be computed; an impossible date (a base date
// or addition days past the year 9999) is refused on standard error, as the
// window reports it ("入力された日付が異常です"), instead of printing today's date.
bool Date_Is_Possible(const render::Date_Line_Result& date, QTextStream& err)
{
    if (date.fault == render::Date_Fault::None)
        return true;
    err << render::kDateFaultNotice << '\n' << QStringLiteral("日付が計算できないため中止しました") << '\n';
    return false;
}

// The file named by --out may be written: refused on standard error when it
// must not be replaced, and told when an existing file is.
bool Output_May_Be_Written(const QString& path, const Data& data, const Command_Line_Context& context, QTextStream& err)
{
    const printing::Pdf_Output_Check check =
        printing::Check_Pdf_Output(path, {data.folder, context.folders.application_folder});
    if (!check.refusal.isEmpty()) {
        err << check.refusal << '\n';
        return false;
    }
    if (!check.replaced.isEmpty())
        err << check.replaced << '\n';
    return true;
}

struct Label {
    products::Product_Record product;
    layouts::Layout_Record layout;
};

// The product and the layout its label is drawn on (the one named by --layout,
// or the product's own); none, with the reason on standard error, when either is missing.
std::optional<Label> Read_Label(const Options& options, const QString& number, const Data& data, QTextStream& err)
{
    const auto product = products::Find_Product(data.folder, number);
    if (!product) {
        Refuse(err, QStringLiteral("登録番号:") + number + QStringLiteral("は"), QStringLiteral("未登録です"));
        return std::nullopt;
    }
    const QString layout_name = options.Has(QStringLiteral("--layout")) ? options.Value(QStringLiteral("--layout"))
                                                                        : (*product)[products::Layout_Name];
    std::optional<layouts::Layout_Record> layout = layouts::Read_Layout(data.folder, layout_name);
    if (!layout) {
        Refuse(err, QStringLiteral("レイアウト「") + layout_name + QStringLiteral("」は存在しません"));
        return std::nullopt;
    }
    return Label{*product, std::move(*layout)};
}

int Print(const Options& options, const Command_Line_Context& context, QTextStream& err)
{
    printing::Print_Issue issue;
    issue.product_no = Product_Number(options);
    issue.copies = Copies(options);
    const QDateTime now = context.clock();
    const QDateTime base = Base_Date(options, now);
    if (options.flags.count(QStringLiteral("--per-copy")))
        issue.page_per_copy = true;
    Data data = Read_Data(context);
    const auto product = products::Find_Product(data.folder, issue.product_no);
    // The issue as the printing screen takes it from the product.
    issue.values = render::Preview_Issue(product.value_or(products::Product_Record{}), now);
    issue.values.base = base;
    const QString& number = issue.product_no;
    const QString printer = options.Has(QStringLiteral("--printer")) ? options.Value(QStringLiteral("--printer"))
                                                                     : data.settings.Printer_Name();
    const bool to_file = options.Has(QStringLiteral("--out"));
    if (to_file && printer != platform::kBuilt_In_Pdf_Printer)
        throw Usage_Error{QStringLiteral("--out は「") + platform::kBuilt_In_Pdf_Printer
                          + QStringLiteral("」で印刷するときだけ指定できます")};
    if (!product)
        return Refuse(err, QStringLiteral("登録番号:") + number + QStringLiteral("は"), QStringLiteral("未登録です"));
    const printing::Printer_Geometry geometry = printing::Find_Geometry(context.printers, printer);
    if (!geometry.found)
        return Refuse(err, QStringLiteral("プリンタが見つかりません"), QStringLiteral("印刷は行なえませんでした"));
    const printing::Print_Job job = printing::Prepare_Job(data.folder, issue, geometry, product);
    if (!Date_Is_Possible(job.date, err))
        return kExitFailed;
    if (to_file && !Output_May_Be_Written(options.Value(QStringLiteral("--out")), data, context, err))
        return kExitFailed;

    data.settings[store::Setting::Printer_Name] = printer;
    if (to_file)
        context.set_pdf_output_file(options.Value(QStringLiteral("--out")));
    Stderr_Answerer answerer(err);
    QStringList written;
    int unrecorded = 0;
    printing::Print_Run_Context run;
    run.data_folder = data.folder;
    run.settings = data.settings;
    run.printers = context.printers;
    run.answerer = &answerer;
    run.clock = context.clock;
    run.written_files = &written;
    run.unrecorded_jobs = &unrecorded;
    const printing::Print_Issues left = printing::Run_Print({job}, printing::Print_Mode::Immediate, run);
    if (to_file)
        context.set_pdf_output_file({});
    for (const QString& file : written)
        err << QStringLiteral("PDFファイルを書き出しました: ") << file << '\n';
    if (unrecorded > 0)
        err << QStringLiteral("印刷しましたが、発行履歴に記録できませんでした") << '\n';
    return left.isEmpty() && unrecorded == 0 ? kExitDone : kExitFailed;
}

int Write_Pdf(const Options& options, const Command_Line_Context& context, QTextStream& err)
{
    const QString number = Product_Number(options);
    const QString out = options.Value(QStringLiteral("--out"));
    if (out.isEmpty())
        throw Usage_Error{QStringLiteral("--out で書き出すPDFファイルを指定して下さい")};
    const Data data = Read_Data(context);
    const std::optional<Label> label = Read_Label(options, number, data, err);
    if (!label)
        return kExitFailed;
    const auto& [product, layout] = *label;
    const render::Issue_Values issue = render::Preview_Issue(product, context.clock());
    if (!Date_Is_Possible(render::Date_Line(product, issue), err) || !Output_May_Be_Written(out, data, context, err))
        return kExitFailed;
    Stderr_Answerer answerer(err);
    const store::Outcome outcome = printing::Write_Label_Pdf(out, product, layout, issue, data.settings, data.folder,
                                                             answerer);
    answerer.Tell(outcome);
    return outcome.Is_Done() ? kExitDone : kExitFailed;
}

int Check(const Options& options, const Command_Line_Context& context, QTextStream& out, QTextStream& err)
{
    const QString number = Product_Number(options);
    const Data data = Read_Data(context);
    const QString printer = options.Has(QStringLiteral("--printer")) ? options.Value(QStringLiteral("--printer"))
                                                                     : data.settings.Printer_Name();
    const std::optional<Label> label = Read_Label(options, number, data, err);
    if (!label)
        return kExitCannotCheck;
    const auto& [product, layout] = *label;
    const render::Check_Context check = printing::Check_Context_For(data.settings, data.folder,
                                                                    printing::Find_Geometry(context.printers, printer),
                                                                    context.program_folder, recipes::Food_Tables{});
    // A printer that was named is looked for once: without it there is nothing to check against.
    if (!printer.isEmpty() && !check.printer_note.isEmpty()) {
        Refuse(err, QStringLiteral("プリンタが見つかりません"));
        return kExitCannotCheck;
    }
    if (!check.printer_note.isEmpty())
        err << check.printer_note << '\n';
    bool errors = false;
    for (const render::Finding& finding :
         render::Check_Label_And_Layout(product, layout, render::Preview_Issue(product, context.clock()), check)) {
        out << render::Finding_Line(finding) << '\n';
        errors = errors || finding.severity == render::Severity::Error;
    }
    return errors ? kExitFailed : kExitDone;
}

int Show_Recipe(const Options& options, const Command_Line_Context& context, QTextStream& out, QTextStream& err)
{
    const QString number = Product_Number(options);
    const Data data = Read_Data(context);
    if (!products::Find_Product(data.folder, number))
        return Refuse(err, QStringLiteral("登録番号:") + number + QStringLiteral("は"), QStringLiteral("未登録です"));
    const recipes::Product_Recipe computed = recipes::Compute_Product_Recipe(data.folder, context.program_folder,
                                                                             number, recipes::Food_Tables{});
    if (!computed.ok())
        return Refuse(err, computed.error);
    if (!computed.recipe)
        return Refuse(err, QStringLiteral("登録番号:") + number + QStringLiteral("は"),
                      QStringLiteral("配合が未登録です"));
    const QStringList lines = recipes::Report_Lines(computed.label,
                                                    options.flags.count(QStringLiteral("--detail")) > 0);
    for (const QString& line : lines)
        (computed.label.ok() ? out : err) << line << '\n';
    return computed.label.ok() ? kExitDone : kExitFailed;
}

int List(const Options& options, const Command_Line_Context& context, QTextStream& out)
{
    for (const QString& line : products::Search_Product_List(Read_Data(context).folder, options.words.join(' ')))
        out << line << '\n';
    return kExitDone;
}

int Usage(const QString& message, QTextStream& err)
{
    err << QStringLiteral("paruberina: ") << message << '\n'
        << QStringLiteral("使い方は paruberina --help で表示します。") << '\n';
    return kExitUsage;
}

}  // namespace

QString Command_Options::Value(const QString& name) const
{
    const auto found = values.find(name);
    return found == values.end() ? QString() : found->second;
}

Parsed_Command Parse_Command_Line(const QStringList& arguments)
{
    struct Command_Form {
        QStringList value_names;
        QStringList flag_names;
        bool words_allowed = false;
    };
    static const std::map<QString, Command_Form> forms = {
        {QStringLiteral("print"), {{"--product", "--copies", "--printer", "--base-date", "--out"}, {"--per-copy"}}},
        {QStringLiteral("pdf"), {{"--product", "--layout", "--out"}, {}}},
        {QStringLiteral("check"), {{"--product", "--layout", "--printer"}, {}}},
        {QStringLiteral("recipe"), {{"--product"}, {"--detail"}}},
        {QStringLiteral("list"), {{}, {}, true}},
    };
    Parsed_Command parsed;
    parsed.command = arguments.value(0);
    if (Is_Help(parsed.command)) {
        parsed.help = true;
        return parsed;
    }
    const auto form = forms.find(parsed.command);
    if (form == forms.end()) {
        parsed.usage_error = QStringLiteral("知らないコマンドです: ") + parsed.command;
        return parsed;
    }
    try {
        parsed.options = Parse(arguments.mid(1), form->second.value_names, form->second.flag_names,
                               form->second.words_allowed);
    } catch (const Help_Wanted&) {
        parsed.help = true;
    } catch (const Usage_Error& error) {
        parsed.usage_error = error.message;
    }
    return parsed;
}

int Run_Command(const QStringList& arguments, const Command_Line_Context& context, QTextStream& out, QTextStream& err)
{
    const Parsed_Command parsed = Parse_Command_Line(arguments);
    if (parsed.help) {
        out << kHelp;
        return kExitDone;
    }
    if (!parsed.usage_error.isEmpty())
        return Usage(parsed.usage_error, err);
    try {
        if (parsed.command == QStringLiteral("print"))
            return Print(parsed.options, context, err);
        if (parsed.command == QStringLiteral("pdf"))
            return Write_Pdf(parsed.options, context, err);
        if (parsed.command == QStringLiteral("check"))
            return Check(parsed.options, context, out, err);
        if (parsed.command == QStringLiteral("recipe"))
            return Show_Recipe(parsed.options, context, out, err);
        return List(parsed.options, context, out);
    } catch (const Usage_Error& error) {
        return Usage(error.message, err);
    }
}

int Command_Line_Main(int argc, char* argv[])
{
    // No display is needed: labels are drawn off screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("paruberina"));  // the same user data folder as the window
    QGuiApplication::setFont(QFont(QStringLiteral("IPAGothic"), 10));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    platform::System_Desktop desktop;
    Command_Line_Context context;
    context.folders.application_folder = desktop.Application_Folder();
    context.folders.removable_drive_root = desktop.Removable_Drive_Root();
    context.folders.desktop_folder = desktop.Desktop_Folder();
    context.program_folder = platform::This_Application_Place().program_folder;
    QTextStream out(stdout);
    QTextStream err(stderr);
    // A fresh folder gets its default files as at the window's first start.
    const Startup_Result prepared = Prepare_Data(context.folders);
    QStringList problems = prepared.errors;
    if (!context.program_folder.isEmpty())
        problems << Copy_Missing_Pictures(context.program_folder, context.folders.application_folder);
    for (const QString& problem : problems)
        err << problem << '\n';
    const QString data_folder = prepared.data_folder;
    platform::System_Printers printers([data_folder] { return data_folder + platform::kPdf_Output_Folder_Name; },
                                       platform::Module_Queues());
    context.printers = &printers;
    context.set_pdf_output_file = [&printers](const QString& path) {
        printers.Built_In_Pdf_Printer().Set_Output_File(path);
    };

    return Run_Command(arguments, context, out, err);
}

}  // namespace app
