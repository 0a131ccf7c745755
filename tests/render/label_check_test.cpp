// The check of a label before it is printed: each finding from a small label,
// none for a clean one, and the built-in layouts with the filled product as
// kept in built_in_layout_findings.txt.
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "products/product_extras.h"
#include "render/label_check.h"
#include "render/label_composer.h"
#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

using products::Product_Record;
using render::Finding;
using render::Label_Block;
using render::Severity;

// Printers as the check measures them: page resolution and the dots the bars lie on.
struct Printer {
    int page_dpi;
    int grid_dpi;
};
constexpr Printer kZebra203{203, 203};
constexpr Printer kZebra300{300, 300};
constexpr Printer kPdfPrinter{600, 203};

QString Line(const Finding& finding)
{
    static const char* const kSeverities[] = {"error", "warning", "note"};
    return QString::fromLatin1(kSeverities[static_cast<int>(finding.severity)]) + QStringLiteral(" [")
        + render::Block_Name(finding.block) + QStringLiteral("] ") + finding.message;
}

// One line per finding, readable in a failure message.
std::string Lines(const std::vector<Finding>& findings)
{
    QStringList lines;
    for (const Finding& finding : findings)
        lines << Line(finding);
    return lines.join(QLatin1Char('\n')).toStdString();
}

class Label_Check : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder())); }

    // The check of a product whose package is 150 cm² or less unless told.
    render::Check_Context Context(Printer printer = kZebra203,
                                  std::optional<products::Allergen_Dictionary> allergens = Shipped(),
                                  std::optional<bool> small_package = true) const
    {
        render::Check_Context context;
        context.settings = store::Default_Settings();
        context.data_folder = folder.Data_Folder();
        context.printer_dpi = printer.page_dpi;
        context.bar_grid_dpi = printer.grid_dpi;
        context.allergens = std::move(allergens);
        context.allergen_error = QStringLiteral("allergens.txtを読めません");
        context.small_package = small_package;
        return context;
    }

    std::vector<Finding> Check(const Product_Record& product, const layouts::Layout_Record& layout,
                               const render::Issue_Values& issue, Printer printer = kZebra203)
    {
        return render::Check_Label(product, layout, issue, Context(printer));
    }

    static products::Allergen_Dictionary Shipped()
    {
        static const auto shipped = products::Allergen_Dictionary::Load(QStringLiteral(FOODLABEL_REFERENCE_FOLDER), {});
        return shipped.value();
    }

    test_support::Temp_Folder folder;
};

// The required items, short and right, and a barcode on the unframed 65x45 layout: nothing overlaps.
Product_Record Small_Product(const std::function<void(Product_Record&)>& change = {})
{
    using namespace products;
    Product_Record product;
    product[Category_Name] = QStringLiteral("名称:和菓子");
    product[Ingredients] = QStringLiteral("原材料名:小豆(北海道産)、砂糖");
    product[Date_Kind] = QStringLiteral("消費期限:");
    product[Date_Format] = QStringLiteral("YYYY年MM月DD日");
    product[Storage] = QStringLiteral("保存方法:常温");
    product[Responsible] = QStringLiteral("製造者:山田製菓 東京都千代田区1-2-3");
    if (change)
        change(product);
    return product;
}

std::function<void(Product_Record&)> Set(int column, const char* text)
{
    return [=](Product_Record& p) { p[column] = QString::fromUtf8(text); };
}

// The small product with a nutrition table whose rows are those given (energy first).
Product_Record With_Nutrition(const char* title, std::initializer_list<const char*> rows)
{
    return Small_Product([&](Product_Record& p) {
        p[products::Nutrition_Title] = QString::fromUtf8(title);
        int column = products::Energy;
        for (const char* row : rows)
            p[column++] = QString::fromUtf8(row);
    });
}

render::Issue_Values Small_Issue(const QString& barcode = QStringLiteral("4901234567894"),
                                 const std::function<void(render::Issue_Values&)>& change = {})
{
    render::Issue_Values issue = render_fixtures::Filled_Issue();
    issue.barcode = barcode;
    issue.price.clear();
    if (change)
        change(issue);
    return issue;
}

layouts::Layout_Record Small_Layout(const std::function<void(layouts::Layout_Record&)>& change = {})
{
    layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45 ﾜｸ無"));
    layout[layouts::Barcode_Left] = QStringLiteral("10");
    layout[layouts::Barcode_Top] = QStringLiteral("45");
    if (change)
        change(layout);
    return layout;
}

std::function<void(layouts::Layout_Record&)> Barcode_At(const char* left, const char* top)
{
    return [=](layouts::Layout_Record& layout) {
        layout[layouts::Barcode_Left] = QString::fromLatin1(left);
        layout[layouts::Barcode_Top] = QString::fromLatin1(top);
    };
}

// The unframed turned 65x45 layout, its barcode that far from the top edge of the label as it is read.
layouts::Layout_Record Turned_Layout(const char* barcode_top)
{
    layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ"));
    layout[layouts::Barcode_Top] = QString::fromLatin1(barcode_top);
    return layout;
}

// 標準05 70x80 with nothing but the required items and the barcode at that place.
layouts::Layout_Record Wide_Layout(const char* barcode_left)
{
    layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準05 70x80"));
    layout[layouts::Barcode_Left] = QString::fromLatin1(barcode_left);
    return layout;
}

std::function<void(layouts::Layout_Record&)> Size_Of(int row, const char* points)
{
    return [=](layouts::Layout_Record& layout) { layout[layouts::Item_Size_Line(row)] = QString::fromLatin1(points); };
}

TEST_F(Label_Check, CleanLabelHasNoFindings)
{
    for (const Printer printer : {kZebra203, kZebra300, kPdfPrinter})
        EXPECT_EQ(Lines(Check(Small_Product(), Small_Layout(), Small_Issue(), printer)), "") << printer.page_dpi;
}

// One case of every finding class, and the false alarms of each as clean cases.
TEST_F(Label_Check, EachFindingAndEachFalseAlarm)
{
    using namespace products;
    struct Case {
        const char* name;
        std::vector<std::string> expected;
        Product_Record product = Small_Product();
        layouts::Layout_Record layout = Small_Layout();
        QString barcode = QStringLiteral("4901234567894");
        std::function<void(render::Issue_Values&)> issue_change = {};
        Printer printer = kZebra203;
    };
    const std::string quiet_zone_outside =
        "error [バーコード] バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています";
    const Case cases[] = {
        // Placement, measured on the printed page.
        {"barcode partly outside",
         {"error [バーコード] バーコードの一部がラベルからはみ出しています", quiet_zone_outside},
         Small_Product(),
         Small_Layout(Barcode_At("30", "45"))},
        {"barcode wholly outside",
         {"error [バーコード] バーコードがラベルの外にあり、印刷されません", quiet_zone_outside},
         Small_Product(),
         Small_Layout(Barcode_At("50", "45"))},
        {"barcode over the name",
         {"error [バーコード] 表示項目とバーコードが重なっています",
          "error [バーコード] バーコードの左右の余白(クワイエットゾーン)に他の表示が重なっています"},
         Small_Product(),
         Small_Layout(Barcode_At("10", "2"))},
        {"quiet zone outside on the left", {quiet_zone_outside}, Small_Product(), Small_Layout(Barcode_At("1", "45"))},
        {"turned label: quiet zones above and below", {}, Small_Product(), Turned_Layout("5")},
        {"turned label: 11 modules of 0.25 mm fit in 3 mm", {}, Small_Product(), Turned_Layout("3")},
        {"turned label: 11 modules do not fit in 2 mm", {quiet_zone_outside}, Small_Product(), Turned_Layout("2")},
        {"EAN-8 quiet zone of 7 modules fits",
         {},
         Small_Product(),
         Small_Layout(Barcode_At("2", "45")),
         QStringLiteral("49123456")},
        {"70x80: bars end at 77.2 mm, 2.8 mm before the edge", {}, Small_Product(), Wide_Layout("53.5")},
        {"70x80 on the PDF printer",
         {},
         Small_Product(),
         Wide_Layout("53.5"),
         QStringLiteral("4901234567894"),
         {},
         kPdfPrinter},
        {"70x80 on the 300-dpi printer",
         {},
         Small_Product(),
         Wide_Layout("53.5"),
         QStringLiteral("4901234567894"),
         {},
         kZebra300},
        {"70x80: bars inside, right quiet zone cut", {quiet_zone_outside}, Small_Product(), Wide_Layout("56")},
        // The barcode's number.
        {"wrong check digit",
         {"error [バーコード] バーコードのチェックデジットが違います(正しくは4)"},
         Small_Product(),
         Small_Layout(),
         QStringLiteral("4901234567890")},
        {"twelve digits",
         {"error [バーコード] バーコードの桁数が正しくありません(13桁または8桁の数字にしてください)"},
         Small_Product(),
         Small_Layout(),
         QStringLiteral("490123456789")},
        {"full-width digits",
         {"error [バーコード] バーコードの桁数が正しくありません(13桁または8桁の数字にしてください)"},
         Small_Product(),
         Small_Layout(),
         QStringLiteral("４９１２３４５６")},
        // Mandatory items.
        {"name caption only",
         {"error [表示項目] 「名称」が空欄です(表示が義務付けられています)"},
         Small_Product(Set(Category_Name, "名称:<b> </b>"))},
        {"no responsible party",
         {"error [表示項目] 「責任者」が空欄です(表示が義務付けられています)"},
         Small_Product(Set(Responsible, "製造者:"))},
        {"ingredients and storage empty",
         {"warning [表示項目] 「原材料名」が空欄です(表示が義務付けられています)",
          "warning [表示項目] 「保存方法」が空欄です(表示が義務付けられています)"},
         Small_Product([](Product_Record& p) {
             p[Ingredients].clear();
             p[Storage] = QStringLiteral("保存方法：");
         })},
        {"date rule without a format prints no date",
         {"error [表示項目] 「賞味期限」が空欄です(表示が義務付けられています)"},
         Small_Product([](Product_Record& p) {
             p[Date_Kind] = QStringLiteral("賞味期限:");
             p[Date_Format].clear();
         })},
        {"date not shown", {}, Small_Product([](Product_Record& p) {
             p[Date_Kind] = QStringLiteral("表示しない");
             p[Date_Format].clear();
         })},
        {"date printed elsewhere", {}, Small_Product([](Product_Record& p) {
             p[Date_Format].clear();
             p[Date_Elsewhere_Note] = QStringLiteral("枠外上部に記載");
         })},
        // The date.
        {"date before the base date",
         {"error [表示項目] 期限の日付(2024/03/04)が基準日(2024/03/05)より前です"},
         Small_Product(),
         Small_Layout(),
         {},
         [](render::Issue_Values& issue) { issue.add_days = -0.5; }},
        {"date on the base date",
         {},
         Small_Product(),
         Small_Layout(),
         {},
         [](render::Issue_Values& issue) { issue.add_days = 0; }},
        {"invalid base date",
         {"error [表示項目] 基準日時が正しい日付ではありません(今日の日付で印刷されます)"},
         Small_Product(),
         Small_Layout(),
         {},
         [](render::Issue_Values& issue) { issue.base = QDateTime(); }},
        {"no date in this date mode",
         {"error [表示項目] 日付表記が「手入力」のため、期限の日付が印刷されません"},
         Small_Product(),
         Small_Layout(),
         {},
         [](render::Issue_Values& issue) { issue.date_mode = QStringLiteral("手入力"); }},
        // The nutrition table.
        // (no barcode: the nutrition table of this layout lies where the cases above put it)
        {"the program's own captions are their rows",
         {},
         With_Nutrition(
             "栄養成分表示(100g当たり)",
             {"エネルギー:120kcal", "たんぱく質:2.0g", "　脂　質　:1.0g", " 炭水化物 :25.1g", "食塩相当量:0.1g"}),
         Small_Layout(),
         {}},
        {"template title: no table, nothing about its rows",
         {"note [栄養成分表示] "
          "栄養成分表示の表題が「栄養成分(1食分○g当たり)」のままのため、栄養成分表示は印刷されません"},
         With_Nutrition("栄養成分(1食分○g当たり)",
                        {"エネルギー:", "たんぱく質:", "　脂　質　:", " 炭水化物 :", "ナトリウム:"}),
         Small_Layout(),
         {}},
        {"rows out of order, without a value, sodium only",
         {"warning [栄養成分表示] 栄養成分表示の2番目の行は「たんぱく質」または「タンパク質」にしてください",
          "warning [栄養成分表示] 栄養成分表示の3番目の行は「脂質」にしてください",
          "warning [栄養成分表示] 栄養成分表示の「炭水化物」に値がありません",
          "warning [栄養成分表示] 栄養成分表示にナトリウムだけがあり、食塩相当量がありません"},
         With_Nutrition("栄養成分表示(1個当たり)",
                        {"熱量:120kcal", "脂質:1.0g", "たんぱく質:2.0g", "炭水化物:", "ナトリウム:"}),
         Small_Layout(),
         {}},
        {"units and food unit",
         {"warning [栄養成分表示] "
          "栄養成分表示の表題に食品単位がありません(「100g当たり」「1個(○g)当たり」のように書いてください)",
          "warning [栄養成分表示] 栄養成分表示の「熱量」の単位はkcalにしてください",
          "warning [栄養成分表示] 栄養成分表示の「食塩相当量」の単位はgにしてください"},
         With_Nutrition("栄養成分表示",
                        {"エネルギー:120", "たんぱく質:2.0ｇ", "脂質:1.0g", "炭水化物:25.1g", "食塩相当量:120mg"}),
         Small_Layout(),
         {}},
        {"placeholder left in the food unit",
         {"warning [栄養成分表示] 栄養成分表示の表題の「○」を数値にしてください"},
         With_Nutrition("栄養成分表示(1個○g当たり)",
                        {"エネルギー:120kcal", "たんぱく質:2.0g", "脂質:1.0g", "炭水化物:25.1g", "食塩相当量:0.1g"}),
         Small_Layout(),
         {}},
        // Recycling marks.
        {"recycling mark of 5 mm",
         {"warning [識別マーク1] 識別マーク1が5.0×5.0mmで、6mmより小さく印刷されます"},
         Small_Product(Set(Recycle1_Mark, "プラ")),
         Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Recycle1_Height] = QStringLiteral("5");
             layout[layouts::Recycle1_Width] = QStringLiteral("5");
         }),
         {}},
        {"recycling mark of 6 mm",
         {},
         Small_Product(Set(Recycle1_Mark, "プラ")),
         Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Recycle1_Height] = QStringLiteral("6");
             layout[layouts::Recycle1_Width] = QStringLiteral("6");
         }),
         {}},
        // Character sizes as printed: whole points.
        {"5.4 pt prints at 5 pt",
         {"warning [表示項目] 表示項目に5ポイントの文字があります(5.5ポイント以上にしてください)"},
         Small_Product(),
         Small_Layout(Size_Of(layouts::Category_Row, "5.4"))},
        {"5.5 pt prints at 6 pt", {}, Small_Product(), Small_Layout(Size_Of(layouts::Category_Row, "5.5"))},
        // Origin of the heaviest ingredient.
        {"no origin",
         {"note [表示項目] 原料原産地が見当たりません。いちばん重い原材料の産地を「小麦粉(国内製造)」のように"
          "書くか、「原料原産地名」の欄を設けてください"},
         Small_Product(Set(Ingredients, "原材料名:小豆、砂糖"))},
        {"origin after the first ingredient", {}, Small_Product(Set(Ingredients, "原材料名:小麦粉（国内製造）、砂糖"))},
        {"an origin item of its own", {}, Small_Product([](Product_Record& p) {
             p[Ingredients] = QStringLiteral("原材料名:小豆、砂糖");
             p[Extra1] = QStringLiteral("原料原産地名:国産(小豆)");
         })},
    };
    for (const Case& c : cases) {
        std::string expected;
        for (const std::string& line : c.expected)
            expected += (expected.empty() ? "" : "\n") + line;
        EXPECT_EQ(Lines(Check(c.product, c.layout, Small_Issue(c.barcode, c.issue_change), c.printer)), expected)
            << c.name;
    }
}

TEST_F(Label_Check, CharactersOf8PointsUnlessThePackageIsSmall)
{
    const layouts::Layout_Record layout = Small_Layout(Size_Of(layouts::Category_Row, "6"));
    const std::string asked = "warning [表示項目] 表示項目に6ポイントの文字があります(8ポイント以上にしてください。"
                              "包装の表示可能面積が150cm²以下なら、商品登録で指定すると5.5ポイントまで使えます)";
    Product_Record product = Small_Product();
    product[products::Product_No] = QStringLiteral("0007");
    // Unanswered (no line in the extras file) asks for 8 points; the answer kept for the product decides.
    EXPECT_EQ(Lines(render::Check_Label(product, layout, Small_Issue(), Context(kZebra203, Shipped(), std::nullopt))),
              asked);
    ASSERT_TRUE(products::Store_Product_Extras(folder.Data_Folder(), QStringLiteral("7"),
                                               {{products::kPackageAreaField, products::kSmallPackageArea}})
                    .Is_Done());
    EXPECT_EQ(Lines(render::Check_Label(product, layout, Small_Issue(), Context(kZebra203, Shipped(), std::nullopt))),
              "");
    EXPECT_EQ(Lines(render::Check_Label(product, layout, Small_Issue(), Context(kZebra203, Shipped(), false))), asked);
}

TEST_F(Label_Check, ResponsiblePartyWithoutAnAddressIsAWarning)
{
    const std::string warning =
        "warning [表示項目] 責任者の住所が見当たりません(氏名または名称と住所を表示してください)";
    const struct {
        const char* responsible;
        const char* extra5;
        std::string expected;
    } cases[] = {
        {"製造者:山田製菓 東京都千代田区1-2-3", "", ""},
        {"販売者:こだま食品 札幌市中央区北1条", "", ""},
        {"製造者:鈴木商店 神奈川県横浜市", "", ""},
        {"製造者:山田製菓株式会社", "住所:大阪府大阪市北区1-1", ""},
        {"製造者:田中屋 横浜市中区山下町２番地", "", ""},
        {"製造者:山田製菓株式会社", "", warning},
        {"製造者:山田製菓株式会社", "TEL:03-1234-5678", warning},
        {"製造者:中村製菓", "", warning},
        {"製造者:木村屋", "", warning},
        {"製造者:大町ベーカリー", "", warning},
    };
    for (const auto& c : cases) {
        const Product_Record product = Small_Product([&](Product_Record& p) {
            p[products::Responsible] = QString::fromUtf8(c.responsible);
            p[products::Extra5] = QString::fromUtf8(c.extra5);
        });
        EXPECT_EQ(Lines(Check(product, Small_Layout(), Small_Issue())), c.expected)
            << c.responsible << " / " << c.extra5;
    }
}

TEST_F(Label_Check, AllergensContainedAreComparedWithThoseDeclared)
{
    const struct {
        const char* ingredients;
        std::string expected;
    } cases[] = {
        {"原材料名:小豆(北海道産)、砂糖、寒天", ""},
        {"原材料名:小麦粉(国内製造)、砂糖、鶏卵、バター", ""},
        {"原材料名:薄力粉(国内製造)、砂糖、生クリーム、鶏もも肉、焼きそば、乳化剤(一部に小麦・乳成分・鶏肉を含む)", ""},
        {"原材料名:薄力粉(小麦を含む)(国内製造)、ココナッツミルク、桃", ""},
        {"原材料名:薄力粉(国内製造)、砂糖、ホエイ",
         "error [表示項目] 原材料名に含まれる特定原材料「小麦」「乳」がアレルゲンとして表示されていません"},
        {"原材料名:小麦粉(国内製造)、卵、バター、醤油(一部に小麦・卵を含む)",
         "error [表示項目] 原材料名に含まれる特定原材料「乳」がアレルゲンとして表示されていません\n"
         "warning [表示項目] 原材料名に含まれる特定原材料に準ずるもの「大豆」がアレルゲンとして表示されていません"},
        {"原材料名:<b>小豆(北海道産)、砂糖(一部にそばを含む)</b>",
         "note [表示項目] アレルゲンとして表示された「そば」を含む原材料が見当たりません。表示を確かめてください"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(Check(Small_Product(Set(products::Ingredients, c.ingredients)), Small_Layout(), Small_Issue())),
                  c.expected)
            << c.ingredients;
    // Declared in an item of its own.
    const Product_Record declared_apart = Small_Product([](Product_Record& p) {
        p[products::Ingredients] = QStringLiteral("原材料名:薄力粉(国内製造)、砂糖");
        p[products::Extra1] = QStringLiteral("アレルギー物質:小麦");
    });
    EXPECT_EQ(Lines(Check(declared_apart, Small_Layout(), Small_Issue())), "");
    EXPECT_EQ(
        Lines(render::Check_Label(Small_Product(), Small_Layout(), Small_Issue(), Context(kZebra203, std::nullopt))),
        "note [表示項目] アレルゲンを確認できません(allergens.txtを読めません)");
}

TEST_F(Label_Check, ModuleAndBarHeightAreFindingsOfTheLayoutOnly)
{
    const std::string module_203 =
        "note [バーコード] バーコードのモジュールは2ドット(0.250mm)で、標準0.33mmの75.8%です(GS1の範囲は80〜200%)。"
        "感熱式ラベルプリンタの0.25mm前後のモジュールで読めるかどうかは、バーの高さと左右の余白(クワイエットゾーン)"
        "で決まります。"
        "範囲内にするには、このプリンタでは3ドット(0.375mm、113.7%)のモジュールが要ります";
    const std::string height_203 =
        "note [バーコード] "
        "バーコードのバーの高さは6.7mmで、このモジュールでのGS1の標準の高さ17.3mmより低くなっています。"
        "感熱式ラベルプリンタの0.25mm前後のモジュールで読めるかどうかは、バーの高さと左右の余白(クワイエットゾーン)"
        "で決まります。"
        "バーの高さを17.3mm以上にするか、POSで読めることを確かめてください";
    const Product_Record product = Small_Product();
    const layouts::Layout_Record layout = Small_Layout();
    EXPECT_EQ(Lines(render::Check_Layout(product, layout, Small_Issue(), Context(kZebra203))),
              module_203 + "\n" + height_203);
    EXPECT_EQ(Lines(render::Check_Label_And_Layout(product, layout, Small_Issue(), Context(kPdfPrinter))),
              module_203 + "\n" + height_203);
    const std::vector<Finding> at_300 = render::Check_Layout(product, layout, Small_Issue(), Context(kZebra300));
    ASSERT_EQ(at_300.size(), 2u);
    EXPECT_TRUE(at_300[0].message.contains(QStringLiteral("3ドット(0.254mm)で、標準0.33mmの77.0%"))) << Lines(at_300);
    EXPECT_TRUE(at_300[0].layout_wide && at_300[1].layout_wide);
    // Never in the check of each print.
    EXPECT_EQ(Lines(Check(product, layout, Small_Issue())), "");
}

// The label drawn on the surface, its notices unheard.
void Quiet_Compose(render::Recording_Surface& surface, const Product_Record& product,
                   const layouts::Layout_Record& layout, const render::Issue_Values& issue)
{
    render::Label_Composer(surface, product, layout, issue, {store::Default_Settings(), QString()});
}

TEST_F(Label_Check, LayoutCheckLeavesOutTheProductTextsAndOutlinesAreThePreviewsOwn)
{
    const Product_Record product = Small_Product([](Product_Record& p) { p[products::Storage].clear(); });
    const layouts::Layout_Record layout = Small_Layout(Barcode_At("10", "2"));
    const render::Issue_Values issue = Small_Issue(QStringLiteral("4901234567890"));
    std::vector<Finding> findings = render::Check_Layout(product, layout, issue, Context());
    ASSERT_GE(findings.size(), 3u) << Lines(findings);
    EXPECT_EQ(Line(findings[0]).toStdString(), "error [バーコード] 表示項目とバーコードが重なっています");
    EXPECT_EQ(Line(findings[1]).toStdString(), "error [バーコード] バーコードのチェックデジットが違います(正しくは4)");
    EXPECT_EQ(Line(findings[2]).toStdString(),
              "error [バーコード] バーコードの左右の余白(クワイエットゾーン)に他の表示が重なっています");
    EXPECT_EQ(render::Check_Label(product, layout, issue, Context()).size(), 4u);  // with the empty storage item

    // The overlap outlines both parts; the quiet-zone finding the bars with 11
    // and 7 modules beside them, as the preview draws them (its own modules).
    const render::Surface_Profile editing = render::Preview_Profile(96, true);
    render::Outline_Findings(findings, product, layout, issue, Context(), editing);
    ASSERT_EQ(findings[0].boxes_mm.size(), 2u);
    EXPECT_TRUE(findings[0].boxes_mm[1].intersects(findings[0].boxes_mm[0]));
    render::Recording_Surface preview(editing);
    Quiet_Compose(preview, product, layout, issue);
    QRectF bars;
    for (const QRectF& bar : preview.bars)
        bars = bars.united(QRectF(bar.topLeft() / editing.units_per_mm, bar.bottomRight() / editing.units_per_mm));
    const double module = bars.width() / 95;
    const QRectF with_zones = findings[2].boxes_mm.at(0);
    EXPECT_NEAR(with_zones.left(), bars.left() - 11 * module, 0.01);
    EXPECT_NEAR(with_zones.right(), bars.right() + 7 * module, 0.01);
}

TEST_F(Label_Check, OwnLayoutsPrintTheFilledProductWithoutAFinding)
{
    for (const layouts::Default_Layout& layout : layouts::Own_Layouts())
        for (const Printer printer : {kZebra203, kZebra300, kPdfPrinter})
            EXPECT_EQ(Lines(Check(render_fixtures::Filled_Product(), layout.record, render_fixtures::Filled_Issue(),
                                  printer)),
                      "")
                << layout.name.toStdString() << " at " << printer.page_dpi;
}

TEST_F(Label_Check, BuiltInLayoutsWithTheFilledProductGiveTheRecordedFindings)
{
    QString listing;
    const struct {
        const char* name;
        Printer printer;
    } printers[] = {{"203 dpi", kZebra203}, {"300 dpi", kZebra300}, {"PDF", kPdfPrinter}};
    for (const auto& [name, printer] : printers)
        for (const layouts::Default_Layout& layout : layouts::Default_Layouts()) {
            listing += layout.name + QStringLiteral(" / ") + QString::fromLatin1(name) + QLatin1Char('\n');
            for (const Finding& finding :
                 Check(render_fixtures::Filled_Product(), layout.record, render_fixtures::Filled_Issue(), printer))
                listing += QStringLiteral("  ") + Line(finding) + QLatin1Char('\n');
        }
    EXPECT_EQ(render_fixtures::Recorded_Listing(
                  QStringLiteral(FOODLABEL_RENDER_TEST_DIR "/built_in_layout_findings.txt"), listing),
              listing.toStdString());
}

}  // namespace
