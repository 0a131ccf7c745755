// label_render: writes one label of a data folder as a PNG at preview scale
// and as a one-page PDF through the printer page, so that labels can be looked at
// without the application. For developers; not installed.
#include "layouts/layout_record.h"
#include "products/product_file.h"
#include "render/date_stamp.h"
#include "render/drawing_surface.h"
#include "render/label_pictures.h"
#include "store/settings.h"
#include "store/text_helpers.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace {

// Messages of the composer go to the terminal; questions are answered "no".
class Console_Answerer : public store::Answerer {
public:
    bool Show_Confirmation(const store::Confirmation_Request& request) override
    {
        std::fprintf(stderr, "notice: %s / %s\n", qPrintable(request.line1), qPrintable(request.line2));
        return false;
    }
    void Show_Message_Box(const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(QString(text).replace(u'\r', u' ')));
    }
};

// Sample texts for every empty item, so that every part of a layout shows. The
// remarks, the price and the nutrition table are filled only where the layout
// places them (a block left at 0, 0 is not part of the layout).
void Fill_Empty_Items(products::Product_Record& p, const layouts::Layout_Record& layout)
{
    using namespace products;
    const std::pair<Column, const char*> samples[] = {
        {Product_Name, "品名:苺のショートケーキ"},
        {Category_Name, "名称:洋生菓子"},
        {Ingredients, "原材料名:小麦粉、砂糖、鶏卵、苺/香料、<b>(一部に乳・卵・小麦を含む)</b>"},
        {Extra1, "添加物:<u>なし</u>"},
        {Extra2, "製造所:山田製菓本店"},
        {Contents, "内容量:1"},
        {Contents_Unit, "個"},
        {Date_Kind, "消費期限:"},
        {Date_Format, "YYYY年MM月DD日"},
        {Date_Add_Days, "3"},
        {Storage, "保存方法:要冷蔵(10℃以下)"},
        {Extra3, "追加欄３:手作り品"},
        {Extra4, "追加欄４:お早めに"},
        {Responsible, "製造者:山田製菓株式会社"},
        {Extra5, "住所:東京都千代田区1-2-3"},
        {Remarks1, "備考１:開封後は冷蔵"},
        {Remarks2, "備考２:03-1234-5678"},
        {Price_Text, "本体300円"},
        {Barcode, "4901234567894"},
        {Nutrition_Title, "栄養成分(1個当たり)"},
        {Energy, "エネルギー:250kcal"},
        {Protein, "たんぱく質:4.2g"},
        {Fat, "脂質:12.1g"},
        {Carbohydrate, "炭水化物:30.5g"},
        {Salt_Equivalent, "食塩相当量:0.2g"},
        {Nutrient_Extra1, "糖質:28.0g"},
        {Recycle1_Mark, "プラ"},
        {Recycle1_Text1, "容器"},
        {Recycle1_Text2, "フタ"},
        {Recycle2_Mark, "紙"},
        {Recycle2_Text1, "箱"},
    };
    auto placed = [&layout](int top, int left) { return layout.Number(top) != 0 || layout.Number(left) != 0; };
    for (const auto& [column, text] : samples) {
        if (!p[column].isEmpty())
            continue;
        if ((column == Remarks1 && !placed(layouts::Remarks1_Top, layouts::Remarks1_Left))
            || (column == Remarks2 && !placed(layouts::Remarks2_Top, layouts::Remarks2_Left))
            || (column == Price_Text && !placed(layouts::Price_Top, layouts::Price_Left))
            || (column >= Nutrition_Title && column <= Nutrient_Extra1
                && !placed(layouts::Nutrition_Top, layouts::Nutrition_Left)))
            continue;
        p[column] = QString::fromUtf8(text);
    }
}

render::Issue_Values Issue_From(const products::Product_Record& product, const QCommandLineParser& args)
{
    render::Issue_Values issue;
    issue.now = QDateTime::currentDateTime();
    issue.base = render::Base_At(issue.now);
    if (args.isSet("date")) {
        const QDateTime date = QDateTime::fromString(args.value("date"), QStringLiteral("yyyy/M/d H:m"));
        issue.base = QDateTime(date.date(), date.time(), Qt::UTC);
    }
    issue.add_days = store::Lenient_Number(args.isSet("add-days") ? args.value("add-days")
                                                                  : product[products::Date_Add_Days]);
    issue.date_mode = product[products::Date_Elsewhere_Note].isEmpty() ? render::kDateModeAdd
                                                                       : render::kDateModeElsewhere;
    if (args.isSet("mode"))
        issue.date_mode = args.value("mode");
    issue.contents = args.isSet("contents") ? args.value("contents") : product[products::Contents];
    issue.price = args.isSet("price") ? args.value("price") : product[products::Price_Text];
    issue.barcode = args.isSet("barcode") ? args.value("barcode") : product[products::Barcode];
    return issue;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "label_render: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription(
        QStringLiteral("Writes <out>.png (preview scale) and <out>.pdf (printer page) of one label."));
    args.addHelpOption();
    args.addOptions({
        {"data", "Data folder with the product file, layouts and pictures.", "folder"},
        {"product", "Product number.", "number"},
        {"layout", "Layout name instead of the product's.", "name"},
        {"fill", "Fill every empty item of the product (or an unknown number) with sample texts."},
        {"date", "Base date and time, yyyy/M/d H:m (default: now).", "date"},
        {"add-days", "Addition days.", "days"},
        {"mode", "Date mode (加算日計算 or 別途記載表示).", "mode"},
        {"contents", "Contents text of the issue.", "text"},
        {"price", "Price text of the issue.", "text"},
        {"barcode", "Barcode digits of the issue.", "digits"},
        {"settings", "Application folder whose user_v2.dat gives the corrections (default: none).", "folder"},
        {"dpi", "Printer resolution of the PDF page (default 203).", "dpi", "203"},
        {"ppi", "Screen pixels per inch of the preview picture (default 96).", "ppi", "96"},
        {"out", "Output path without extension.", "path", "label"},
    });
    args.process(application);
    if (!args.isSet("data") || !args.isSet("product"))
        return Fail(QStringLiteral("--data and --product are required (see --help)."));
    const int dpi = args.value("dpi").toInt();
    const int ppi = args.value("ppi").toInt();
    if (dpi <= 0 || ppi <= 0)
        return Fail(QStringLiteral("--dpi and --ppi take a whole number above 0."));
    if (args.isSet("date") && !QDateTime::fromString(args.value("date"), QStringLiteral("yyyy/M/d H:m")).isValid())
        return Fail(QStringLiteral("--date takes yyyy/M/d H:m, for example 2024/3/5 9:00."));

    const QString data_folder = QDir(args.value("data")).absolutePath() + QLatin1Char('/');
    std::optional<products::Product_Record> product = products::Find_Product(data_folder, args.value("product"));
    if (!product && !args.isSet("fill"))
        return Fail(QStringLiteral("No product %1 in %2.").arg(args.value("product"), data_folder));
    if (!product)
        product.emplace();

    const QString layout_name = args.isSet("layout") ? args.value("layout") : (*product)[products::Layout_Name];
    const std::optional<layouts::Layout_Record> layout = layouts::Read_Layout(data_folder, layout_name);
    if (!layout)
        return Fail(QStringLiteral("Cannot open the layout %1.").arg(layouts::Layout_Path(data_folder, layout_name)));
    if (args.isSet("fill"))
        Fill_Empty_Items(*product, *layout);

    store::Settings_Record settings = store::Default_Settings();
    settings.line[8] = QStringLiteral("端寄せ");  // no centring unless the settings say so
    if (args.isSet("settings"))
        settings = store::Load_Settings(args.value("settings"));

    const render::Issue_Values issue = Issue_From(*product, args);
    Console_Answerer console;
    const QString caller = QStringLiteral("Insatsu");
    const QString out = args.value("out");
    const render::Compose_Context context{settings, data_folder, &console};
    const QImage picture = render::Compose_Preview_Picture(*product, *layout, issue, context,
                                                           render::Preview_Profile(ppi));
    if (!picture.save(out + QStringLiteral(".png")))
        return Fail(QStringLiteral("Cannot write %1.png.").arg(out));
    const QString error = render::Compose_Label_Pdf(out + QStringLiteral(".pdf"), *product, *layout, issue, context,
                                                    dpi);
    if (!error.isEmpty())
        return Fail(error);
    std::printf("%s.png %s.pdf\n", qPrintable(out), qPrintable(out));
    return 0;
}
