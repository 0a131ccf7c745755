// The check of a label before it is printed: each finding from a small label,
// none for a clean one, and the built-in layouts with the filled product as
// kept in built_in_layout_findings.txt.
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/label_check.h"
#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

using products::Product_Record;
using render::Finding;
using render::Label_Block;
using render::Severity;

constexpr int kWithinRangeDpi = 72;  // one dot of 0.353 mm: 107 % of the nominal module

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

    render::Check_Context Context(int dpi, std::optional<products::Allergen_Dictionary> allergens = Shipped()) const
    {
        return {store::Default_Settings(), folder.Data_Folder(), dpi, std::move(allergens),
                QStringLiteral("allergens.txtを読めません")};
    }

    std::vector<Finding> Check(const Product_Record& product, const layouts::Layout_Record& layout,
                               const render::Issue_Values& issue, int dpi,
                               std::optional<products::Allergen_Dictionary> allergens = Shipped())
    {
        return render::Check_Label(product, layout, issue, Context(dpi, std::move(allergens)));
    }

    static products::Allergen_Dictionary Shipped()
    {
        static const auto shipped = products::Allergen_Dictionary::Load(QStringLiteral(FOODLABEL_REFERENCE_FOLDER), {});
        return shipped.value();
    }

    test_support::Temp_Folder folder;
};

// The required items, short, and a barcode on the unframed 65x45 layout: nothing overlaps.
Product_Record Small_Product(const std::function<void(Product_Record&)>& change = {})
{
    using namespace products;
    Product_Record product;
    product[Category_Name] = QStringLiteral("名称:和菓子");
    product[Ingredients] = QStringLiteral("原材料名:小豆、砂糖");
    product[Date_Kind] = QStringLiteral("消費期限:");
    product[Date_Format] = QStringLiteral("YYYY年MM月DD日");
    product[Storage] = QStringLiteral("保存方法:常温");
    product[Responsible] = QStringLiteral("製造者:山田製菓 東京都千代田区1-2-3");
    if (change)
        change(product);
    return product;
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

// The unframed turned 65x45 layout, its barcode that far from the top edge of the label as it is read.
layouts::Layout_Record Turned_Layout(const char* barcode_top)
{
    layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ"));
    layout[layouts::Barcode_Top] = QString::fromLatin1(barcode_top);
    return layout;
}

TEST_F(Label_Check, CleanLabelHasNoFindings)
{
    EXPECT_EQ(Lines(Check(Small_Product(), Small_Layout(), Small_Issue(), kWithinRangeDpi)), "");
}

TEST_F(Label_Check, EachFindingFromASmallLabel)
{
    const auto barcode_at = [](const char* left, const char* top) {
        return [=](layouts::Layout_Record& layout) {
            layout[layouts::Barcode_Left] = QString::fromLatin1(left);
            layout[layouts::Barcode_Top] = QString::fromLatin1(top);
        };
    };
    struct Case {
        const char* name;
        layouts::Layout_Record layout;
        QString barcode;
        int dpi;
        QStringList expected;
        Product_Record product = Small_Product();
        std::function<void(render::Issue_Values&)> issue_change = {};
    };
    const Case cases[] = {
        {"barcode partly outside", Small_Layout(barcode_at("30", "45")), "4901234567894", kWithinRangeDpi,
         {"error [バーコード] バーコードの一部がラベルからはみ出しています",
          "error [バーコード] バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています"}},
        {"barcode wholly outside", Small_Layout(barcode_at("50", "45")), "4901234567894", kWithinRangeDpi,
         {"error [バーコード] バーコードがラベルの外にあり、印刷されません",
          "error [バーコード] バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています"}},
        {"barcode over the name", Small_Layout(barcode_at("10", "2")), "4901234567894", kWithinRangeDpi,
         {"error [バーコード] 表示項目とバーコードが重なっています",
          "error [バーコード] バーコードの左右の余白(クワイエットゾーン)に他の表示が重なっています"}},
        {"quiet zone outside on the left", Small_Layout(barcode_at("1", "45")), "4901234567894", kWithinRangeDpi,
         {"error [バーコード] バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています"}},
        {"turned label: quiet zones above and below", Turned_Layout("5"), "4901234567894", kWithinRangeDpi, {}},
        {"turned label: 11 modules above do not fit in 3 mm", Turned_Layout("3"), "4901234567894", kWithinRangeDpi,
         {"error [バーコード] バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています"}},
        {"turned label: 11 modules of 203 dpi fit in 3 mm", Turned_Layout("3"), "4901234567894", 203,
         {"warning [バーコード] バーコードのモジュールは2ドット(0.250mm)で標準0.33mmの75.8%です。"
          "80〜200%の範囲外のため読めないことがあります。"
          "このプリンタでは3ドット(0.375mm、113.7%)のモジュールと26.0mm以上のバーの高さが範囲内です"}},
        {"EAN-8 quiet zone of 7 modules fits", Small_Layout(barcode_at("3", "45")), "49123456", kWithinRangeDpi, {}},
        {"wrong check digit", Small_Layout(), "4901234567890", kWithinRangeDpi,
         {"error [バーコード] バーコードのチェックデジットが違います(正しくは4)"}},
        {"twelve digits", Small_Layout(), "490123456789", kWithinRangeDpi,
         {"error [バーコード] バーコードの桁数が正しくありません(13桁または8桁の数字にしてください)"}},
        {"letters", Small_Layout(), "49012345A7894", kWithinRangeDpi,
         {"error [バーコード] バーコードの桁数が正しくありません(13桁または8桁の数字にしてください)"}},
        {"full-width digits", Small_Layout(), "４９１２３４５６", kWithinRangeDpi,
         {"error [バーコード] バーコードの桁数が正しくありません(13桁または8桁の数字にしてください)"}},
        {"module of 203 dpi", Small_Layout(), "4901234567894", 203,
         {"warning [バーコード] バーコードのモジュールは2ドット(0.250mm)で標準0.33mmの75.8%です。"
          "80〜200%の範囲外のため読めないことがあります。"
          "このプリンタでは3ドット(0.375mm、113.7%)のモジュールと26.0mm以上のバーの高さが範囲内です"}},
        {"module of 96 dpi within range", Small_Layout(), "4901234567894", 96, {}},
        {"name caption only", Small_Layout(), "", kWithinRangeDpi,
         {"warning [表示項目] 「名称」が空欄です(表示が義務付けられています)"},
         Small_Product([](Product_Record& p) { p[products::Category_Name] = QStringLiteral("名称:<b> </b>"); })},
        {"ingredients, storage and operator empty", Small_Layout(), "", kWithinRangeDpi,
         {"warning [表示項目] 「原材料名」が空欄です(表示が義務付けられています)",
          "warning [表示項目] 「保存方法」が空欄です(表示が義務付けられています)",
          "warning [表示項目] 「責任者」が空欄です(表示が義務付けられています)"},
         Small_Product([](Product_Record& p) {
             p[products::Ingredients].clear();
             p[products::Storage] = QStringLiteral("保存方法：");
             p[products::Responsible] = QStringLiteral("製造者:");
         })},
        {"date without format", Small_Layout(), "", kWithinRangeDpi,
         {"warning [表示項目] 「賞味期限」が空欄です(表示が義務付けられています)"},
         Small_Product([](Product_Record& p) {
             p[products::Date_Kind] = QStringLiteral("賞味期限:");
             p[products::Date_Format].clear();
         })},
        {"date without kind or format", Small_Layout(), "", kWithinRangeDpi,
         {"warning [表示項目] 「消費期限または賞味期限」が空欄です(表示が義務付けられています)"},
         Small_Product([](Product_Record& p) {
             p[products::Date_Kind].clear();
             p[products::Date_Format].clear();
         })},
        {"date not shown", Small_Layout(), "", kWithinRangeDpi, {},
         Small_Product([](Product_Record& p) {
             p[products::Date_Kind] = QStringLiteral("表示しない");
             p[products::Date_Format].clear();
         })},
        {"date printed elsewhere", Small_Layout(), "", kWithinRangeDpi, {},
         Small_Product([](Product_Record& p) {
             p[products::Date_Format].clear();
             p[products::Date_Elsewhere_Note] = QStringLiteral("枠外上部に記載");
         })},
        {"nutrition rows out of order, without a value, sodium only", Small_Layout(), "", kWithinRangeDpi,
         {"warning [栄養成分表示] 栄養成分表示の2番目の行は「たんぱく質」にしてください",
          "warning [栄養成分表示] 栄養成分表示の3番目の行は「脂質」にしてください",
          "warning [栄養成分表示] 栄養成分表示の「炭水化物」に値がありません",
          "warning [栄養成分表示] 栄養成分表示にナトリウムだけがあり、食塩相当量がありません"},
         Small_Product([](Product_Record& p) {
             p[products::Energy] = QStringLiteral("熱量:120kcal");
             p[products::Protein] = QStringLiteral("脂質:1.0g");
             p[products::Fat] = QStringLiteral("たんぱく質:2.0g");
             p[products::Carbohydrate] = QStringLiteral("炭水化物:");
             p[products::Salt_Equivalent] = QStringLiteral("ナトリウム:");
         })},
        {"recycling mark of 5 mm", Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Recycle1_Height] = QStringLiteral("5");
             layout[layouts::Recycle1_Width] = QStringLiteral("5");
         }),
         "", kWithinRangeDpi, {"warning [識別マーク1] 識別マーク1が5.0×5.0mmで、6mmより小さく印刷されます"},
         Small_Product([](Product_Record& p) { p[products::Recycle1_Mark] = QStringLiteral("プラ"); })},
        {"recycling mark of 6 mm", Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Recycle1_Height] = QStringLiteral("6");
             layout[layouts::Recycle1_Width] = QStringLiteral("6");
         }),
         "", kWithinRangeDpi, {},
         Small_Product([](Product_Record& p) { p[products::Recycle1_Mark] = QStringLiteral("プラ"); })},
        {"date before the base date", Small_Layout(), "", kWithinRangeDpi,
         {"error [表示項目] 期限の日付(2024/03/04)が基準日(2024/03/05)より前です"}, Small_Product(),
         [](render::Issue_Values& issue) { issue.add_days = QStringLiteral("-0.5"); }},
        {"date on the base date", Small_Layout(), "", kWithinRangeDpi, {}, Small_Product(),
         [](render::Issue_Values& issue) { issue.add_days = QStringLiteral("0"); }},
        {"invalid base date", Small_Layout(), "", kWithinRangeDpi,
         {"error [表示項目] 基準日時が正しい日付ではありません(今日の日付で印刷されます)"}, Small_Product(),
         [](render::Issue_Values& issue) {
             issue.month = QStringLiteral("2");
             issue.day = QStringLiteral("30");
         }},
        {"no date in this date mode", Small_Layout(), "", kWithinRangeDpi,
         {"error [表示項目] 日付表記が「手入力」のため、期限の日付が印刷されません"}, Small_Product(),
         [](render::Issue_Values& issue) { issue.date_mode = QStringLiteral("手入力"); }},
        {"5 pt on a label of 150 cm² or less", Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Item_Size_Line(layouts::Category_Row)] = QStringLiteral("5");
         }),
         "", kWithinRangeDpi, {"warning [表示項目] 表示項目に5ポイントの文字があります(5.5ポイント以上にしてください)"}},
        {"5.5 pt on a label of 150 cm² or less", Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Item_Size_Line(layouts::Category_Row)] = QStringLiteral("5.5");
         }),
         "", kWithinRangeDpi, {}},
        {"7.5 pt on a larger label", Small_Layout([](layouts::Layout_Record& layout) {
             layout[layouts::Label_Width] = QStringLiteral("100");
             layout[layouts::Label_Length] = QStringLiteral("160");
             for (int row = layouts::Caption_Row; row <= layouts::Category_Row; ++row)
                 layout[layouts::Item_Size_Line(row)] = QStringLiteral("8");
             layout[layouts::Item_Size_Line(layouts::Ingredients_Row)] = QStringLiteral("7.5");
         }),
         "", kWithinRangeDpi, {"warning [表示項目] 表示項目に7.5ポイントの文字があります(8ポイント以上にしてください)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(Check(c.product, c.layout, Small_Issue(c.barcode, c.issue_change), c.dpi)), c.expected.join(QLatin1Char('\n')).toStdString()) << c.name;
}

TEST_F(Label_Check, ResponsiblePartyWithoutAnAddressIsAWarning)
{
    const std::string warning = "warning [表示項目] 責任者の住所が見当たりません(氏名または名称と住所を表示してください)";
    const struct {
        const char* responsible;
        const char* extra5;
        std::string expected;
    } cases[] = {
        {"製造者:山田製菓 東京都千代田区1-2-3", "", ""},
        {"販売者:こだま食品 札幌市中央区北1条", "", ""},
        {"製造者:鈴木商店 神奈川県横浜市", "", ""},
        {"製造者:山田製菓株式会社", "住所:大阪府大阪市北区1-1", ""},
        {"製造者:山田製菓株式会社", "", warning},
        {"製造者:山田製菓株式会社", "TEL:03-1234-5678", warning},
    };
    for (const auto& c : cases) {
        const Product_Record product = Small_Product([&](Product_Record& p) {
            p[products::Responsible] = QString::fromUtf8(c.responsible);
            p[products::Extra5] = QString::fromUtf8(c.extra5);
        });
        EXPECT_EQ(Lines(Check(product, Small_Layout(), Small_Issue(), kWithinRangeDpi)), c.expected)
            << c.responsible << " / " << c.extra5;
    }
}

TEST_F(Label_Check, LayoutCheckLeavesOutTheProductTextsAndFindingsSayWhereTheirPartsLie)
{
    const Product_Record product = Small_Product([](Product_Record& p) { p[products::Storage].clear(); });
    layouts::Layout_Record layout = Small_Layout();
    layout[layouts::Barcode_Top] = QStringLiteral("2");
    const render::Issue_Values issue = Small_Issue(QStringLiteral("4901234567890"));
    const render::Check_Context context = Context(203, std::nullopt);
    const std::vector<Finding> layout_findings = render::Check_Layout(product, layout, issue, context);
    EXPECT_EQ(Lines(layout_findings),
              "error [バーコード] 表示項目とバーコードが重なっています\n"
              "error [バーコード] バーコードのチェックデジットが違います(正しくは4)\n"
              "warning [バーコード] バーコードのモジュールは2ドット(0.250mm)で標準0.33mmの75.8%です。"
              "80〜200%の範囲外のため読めないことがあります。"
              "このプリンタでは3ドット(0.375mm、113.7%)のモジュールと26.0mm以上のバーの高さが範囲内です\n"
              "error [バーコード] バーコードの左右の余白(クワイエットゾーン)に他の表示が重なっています");
    // The whole check adds the empty storage item and the unreadable allergen list.
    EXPECT_EQ(render::Check_Label(product, layout, issue, context).size(), layout_findings.size() + 2);

    // The overlap outlines both parts; the barcode's own findings the symbol (its
    // 95 modules of 0.25 mm and the digits) at 10 mm from the left, the quiet
    // zones 11 and 7 modules of 2 dots beside it.
    ASSERT_EQ(layout_findings[0].boxes_mm.size(), 2u);
    EXPECT_TRUE(layout_findings[0].boxes_mm[1].intersects(layout_findings[0].boxes_mm[0]));
    ASSERT_EQ(layout_findings[1].boxes_mm.size(), 1u);
    const QRectF bars = layout_findings[1].boxes_mm[0];
    EXPECT_NEAR(bars.left(), 10, 0.5);
    EXPECT_GT(bars.width(), 95 * 0.25);
    const QRectF with_zones = layout_findings[3].boxes_mm.at(0);
    const double module = render::Printed_Module_Mm(203);
    EXPECT_NEAR(with_zones.left(), bars.left() - 11 * module, 0.01);
    EXPECT_NEAR(with_zones.right(), bars.right() + 7 * module, 0.01);
}

TEST_F(Label_Check, AllergensContainedAreComparedWithThoseDeclared)
{
    const auto with_ingredients = [](const char* ingredients) {
        return Small_Product([=](Product_Record& p) { p[products::Ingredients] = QString::fromUtf8(ingredients); });
    };
    const struct {
        const char* ingredients;
        std::string expected;
    } cases[] = {
        {"原材料名:小豆、砂糖、寒天", ""},
        {"原材料名:小麦粉、砂糖、鶏卵、バター", ""},
        {"原材料名:薄力粉、砂糖、生クリーム、鶏もも肉、焼きそば、乳化剤(一部に小麦・乳成分・鶏肉を含む)", ""},
        {"原材料名:薄力粉(小麦を含む)、ココナッツミルク、桃", ""},
        {"原材料名:薄力粉、砂糖、ホエイ", "error [表示項目] 原材料名に含まれる特定原材料「小麦」「乳」がアレルゲンとして表示されていません"},
        {"原材料名:小麦粉、卵、バター、醤油(一部に小麦・卵を含む)",
         "error [表示項目] 原材料名に含まれる特定原材料「乳」がアレルゲンとして表示されていません\n"
         "warning [表示項目] 原材料名に含まれる特定原材料に準ずるもの「大豆」がアレルゲンとして表示されていません"},
        {"原材料名:<b>小豆、砂糖(一部にそばを含む)</b>",
         "note [表示項目] アレルゲンとして表示された「そば」を含む原材料が見当たりません。表示を確かめてください"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(Check(with_ingredients(c.ingredients), Small_Layout(), Small_Issue(), kWithinRangeDpi)), c.expected)
            << c.ingredients;
    EXPECT_EQ(Lines(Check(Small_Product(), Small_Layout(), Small_Issue(), kWithinRangeDpi, std::nullopt)),
              "note [表示項目] アレルゲンを確認できません(allergens.txtを読めません)");
}

TEST_F(Label_Check, BuiltInLayoutsWithTheFilledProductGiveTheRecordedFindings)
{
    QString listing;
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts()) {
        listing += layout.name + QLatin1Char('\n');
        for (const Finding& finding :
             Check(render_fixtures::Filled_Product(), layout.record, render_fixtures::Filled_Issue(), 203))
            listing += QStringLiteral("  ") + Line(finding) + QLatin1Char('\n');
    }
    QFile recorded(QStringLiteral(FOODLABEL_RENDER_TEST_DIR "/built_in_layout_findings.txt"));
    // RECORD_FINDINGS=1 writes the listing as it now is, to be looked through before it is committed.
    if (qEnvironmentVariableIsSet("RECORD_FINDINGS") && recorded.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        recorded.write(listing.toUtf8());
        recorded.close();
    }
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recorded.readAll()).toStdString(), listing.toStdString());
}

}  // namespace
