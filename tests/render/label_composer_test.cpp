#include "label_fixtures.h"
#include "render/date_stamp.h"
#include "render/label_composer.h"
#include "render/recording_surface.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using products::Product_Record;
using render::Recording_Surface;
using render_fixtures::Built_In_Layout;

const QString kUprightPlain = QStringLiteral("標準01 65x45 ﾜｸ無");    // B
const QString kTurnedPlain = QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ");  // D
const QString kRightCaptions = QStringLiteral("標準05 70x80");        // G

store::Settings_Record Settings(const QString& position = QStringLiteral("端寄せ"), const QString& max_width = {})
{
    store::Settings_Record settings = store::Default_Settings();
    settings[store::Setting::Paper_Set_Position] = position;
    settings[store::Setting::Max_Print_Width_mm] = max_width;
    return settings;
}

// Surfaces with 100 device pixels per millimetre, so positions read to 0.01 mm.
render::Surface_Profile Printer()
{
    return render::Printer_Profile(2540, 2540);
}
render::Surface_Profile Preview()
{
    return render::Preview_Profile(1270);
}

struct Composed {
    explicit Composed(const render::Surface_Profile& profile) : surface(profile)
    {
        surface.Length_Limit_mm = 1000;
        render_fixtures::Copy_Mark_Pictures(folder.Data_Folder());
    }
    void Compose(const Product_Record& product, const layouts::Layout_Record& layout,
                 const render::Issue_Values& issue = render_fixtures::Filled_Issue(),
                 const store::Settings_Record& settings = Settings())
    {
        render::Label_Composer(surface, product, layout, issue, {settings, folder.Data_Folder(), &answerer});
    }
    // Device position (mm) of the first character of the first run of characters spelling `text`.
    std::optional<QPointF> Position_Of(const QString& text) const
    {
        const qsizetype at = surface.All_Text().indexOf(text);
        if (at < 0)
            return std::nullopt;
        const auto& record = surface.texts.at(static_cast<size_t>(at));  // one character per run
        const double per_mm = surface.Profile().rx / 25.4 * surface.Profile().factor;
        return QPointF(record.px / per_mm, record.py / per_mm);
    }
    test_support::Temp_Folder folder;
    test_support::Scripted_Answerer answerer;
    Recording_Surface surface;
};

Product_Record Captions_Only(const QString& text1, const QString& text2)
{
    Product_Record product;
    product[products::Date_Kind] = render::kDateHidden;
    product[products::Recycle1_Mark] = QStringLiteral("プラ");
    product[products::Recycle1_Text1] = text1;
    product[products::Recycle1_Text2] = text2;
    product[products::Nutrition_Title] = render::kNutritionTemplateTitle;
    return product;
}

render::Issue_Values No_Barcode()
{
    render::Issue_Values issue = render_fixtures::Filled_Issue();
    issue.barcode.clear();
    issue.price.clear();
    issue.contents.clear();
    return issue;
}

TEST(Label_Composer, FilledLabelDrawsEveryItemInOrder)
{
    Composed label(Printer());
    label.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kUprightPlain));
    const QString all = label.surface.All_Text();
    const QStringList expected = {"品名:苺のショートケーキ",
                                  "名称:洋生菓子",
                                  "原材料名:",
                                  "添加物:なし",
                                  "製造所:山田製菓本店",
                                  "内容量:1個",
                                  "追加欄３:手作り品",
                                  "消費期限:2024年03月08日",
                                  "保存方法:",
                                  "追加欄４:",
                                  "製造者:",
                                  "住所:",
                                  "本体300円",
                                  " 490123 4567894",
                                  "容器",
                                  "フタ",
                                  "箱",
                                  "栄養成分(1個当たり)",
                                  "エネルギー:250kcal",
                                  "食塩相当量:0.2g",
                                  "糖質:28.0g"};
    qsizetype from = 0;
    for (const QString& text : expected) {
        const qsizetype at = all.indexOf(text, from);
        EXPECT_GE(at, from) << text.toStdString();
        from = std::max(from, at);
    }
    EXPECT_FALSE(label.surface.bars.empty());
    ASSERT_EQ(label.surface.pictures.size(), 2u);
    EXPECT_EQ(label.surface.pictures[0].source, "pura00.bmp");
    EXPECT_EQ(label.surface.pictures[1].source, "kami00.bmp");
    EXPECT_EQ(label.surface.pictures[0].mode, render::Picture_Mode::Multiply);
    const double units = render::kPrinterUnitsPerMm;
    EXPECT_EQ(label.surface.pictures[0].box, QRectF(29 * units, 54 * units, 6 * units, 6 * units));
    EXPECT_TRUE(label.answerer.requests.empty());
    EXPECT_FALSE(label.surface.Previous_Item_Ruled);
}

TEST(Label_Composer, HiddenProductNameLeavesTheColumnToTheCategory)
{
    Composed label(Printer());
    Product_Record product = render_fixtures::Filled_Product();
    product[products::Product_Name] = QStringLiteral("<m>社内メモ");
    label.Compose(product, Built_In_Layout(kUprightPlain));
    const auto category = label.Position_Of("名称:洋生菓子");
    ASSERT_TRUE(category);
    EXPECT_NEAR(category->y(), 1, 0.011);  // Main_Top
    EXPECT_NEAR(category->x(), 2.5, 0.011);
    EXPECT_FALSE(label.surface.All_Text().contains("社内メモ"));
}

TEST(Label_Composer, BarcodeOnlyForThirteenOrEightCharacters)
{
    for (const QString& digits : {QStringLiteral("490123456789"), QStringLiteral(""), QStringLiteral("4512345")}) {
        Composed label(Printer());
        render::Issue_Values issue = render_fixtures::Filled_Issue();
        issue.barcode = digits;
        label.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kUprightPlain), issue);
        EXPECT_TRUE(label.surface.bars.empty()) << digits.toStdString();
        EXPECT_FALSE(label.surface.All_Text().contains("490123")) << digits.toStdString();
        EXPECT_TRUE(label.answerer.requests.empty());  // no check-digit completion here
    }
}

TEST(Label_Composer, UntouchedNutritionTemplateIsOmitted)
{
    Composed label(Printer());
    Product_Record product = render_fixtures::Filled_Product();
    product[products::Nutrition_Title] = render::kNutritionTemplateTitle;
    product[products::Energy] = QStringLiteral("エネルギー:");
    label.Compose(product, Built_In_Layout(kUprightPlain));
    EXPECT_FALSE(label.surface.All_Text().contains("栄養成分"));
    EXPECT_FALSE(label.surface.All_Text().contains("エネルギー"));
    const auto protein = label.Position_Of("たんぱく質");
    ASSERT_TRUE(protein);
    EXPECT_NEAR(protein->y(), 38, 0.011);  // Nutrition_Top: the first filled row
    EXPECT_NEAR(protein->x(), 2.5, 0.011);
}

TEST(Label_Composer, MarkNashiDrawsNeitherPictureNorCaption)
{
    Composed label(Printer());
    Product_Record product = render_fixtures::Filled_Product();
    product[products::Recycle1_Mark] = QStringLiteral("なし");
    product[products::Recycle2_Mark] = QStringLiteral("ビン");  // unknown: no picture, captions still drawn
    label.Compose(product, Built_In_Layout(kUprightPlain));
    EXPECT_TRUE(label.surface.pictures.empty());
    EXPECT_FALSE(label.surface.All_Text().contains("容器"));
    EXPECT_TRUE(label.surface.All_Text().contains("箱"));
}

TEST(Label_Composer, TurnedLayoutOnThePrinterIsMappedAcrossThePage)
{
    Composed label(Printer());
    label.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kTurnedPlain));
    const auto name = label.Position_Of("品名:");
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->y(), 64, 0.011);   // a = Label_Length 65 - Main_Left 1
    EXPECT_NEAR(name->x(), 2.5, 0.011);  // b = Main_Top
    EXPECT_EQ(label.surface.texts.front().font.angle, 90);

    // Mark 1 box (top 29, left 55, 6 x 6) at page (29, 65 - 55 - 6), turned picture.
    const double units = render::kPrinterUnitsPerMm;
    ASSERT_EQ(label.surface.pictures.size(), 2u);
    EXPECT_EQ(label.surface.pictures[0].source, "pura90.bmp");
    EXPECT_EQ(label.surface.pictures[0].box, QRectF(29 * units, 4 * units, 6 * units, 6 * units));

    // Barcode at page (Barcode_Top 3, 65 - Barcode_Left 55), bars upwards.
    ASSERT_FALSE(label.surface.bars.empty());
    EXPECT_NEAR(label.surface.bars.front().bottom(), 10 * units, 1e-9);
}

TEST(Label_Composer, PreviewDrawsUprightAndTurnsOnlyTheBarcode)
{
    Composed label(Preview());
    label.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kTurnedPlain));
    const auto name = label.Position_Of("品名:");
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->x(), 1, 0.011);
    EXPECT_NEAR(name->y(), 2.5, 0.011);
    EXPECT_EQ(label.surface.texts.front().font.angle, 0);
    EXPECT_EQ(label.surface.pictures[0].source, "pura00.bmp");
    const QRectF bar = label.surface.bars.front();
    EXPECT_GT(bar.width(), bar.height());  // bars lie across
}

TEST(Label_Composer, CorrectionsAndCentring)
{
    store::Settings_Record settings = Settings(QStringLiteral("中央寄せ"), QStringLiteral("104"));
    settings[store::Setting::Offset_Vertical_mm] = QStringLiteral("0.5");
    settings[store::Setting::Offset_Horizontal_mm] = QStringLiteral("-0.5");
    layouts::Layout_Record layout = Built_In_Layout(kUprightPlain);
    layout[layouts::Correction_Vertical] = QStringLiteral("1");
    layout[layouts::Correction_Horizontal] = QStringLiteral("2");

    Composed page(Printer());
    page.Compose(render_fixtures::Filled_Product(), layout, render_fixtures::Filled_Issue(), settings);
    const auto name = page.Position_Of("品名:");
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->x(), 2.5 + 2 - 0.5 + 29.5, 0.011);
    EXPECT_NEAR(name->y(), 1 + 1 + 0.5, 0.011);

    Composed preview(Preview());  // the preview takes the layout's corrections only
    preview.Compose(render_fixtures::Filled_Product(), layout, render_fixtures::Filled_Issue(), settings);
    const auto shown = preview.Position_Of("品名:");
    ASSERT_TRUE(shown);
    EXPECT_NEAR(shown->x(), 2.5 + 2, 0.011);
    EXPECT_NEAR(shown->y(), 1 + 1, 0.011);

    Composed turned(Printer());  // turned: centring moves y, across the paper
    turned.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kTurnedPlain), render_fixtures::Filled_Issue(),
                   Settings(QStringLiteral("中央寄せ"), QStringLiteral("104")));
    const auto across = turned.Position_Of("品名:");
    ASSERT_TRUE(across);
    EXPECT_NEAR(across->x(), 2.5 + 29.5, 0.011);
    EXPECT_NEAR(across->y(), 64, 0.011);

    Composed unknown_width(Printer());  // no maximum print width: nothing to centre across
    unknown_width.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kUprightPlain),
                          render_fixtures::Filled_Issue(), Settings(QStringLiteral("中央寄せ"), QString()));
    const auto unmoved = unknown_width.Position_Of("品名:");
    ASSERT_TRUE(unmoved);
    EXPECT_NEAR(unmoved->x(), 2.5, 0.011);
}

TEST(Label_Composer, AnEditedLayoutIsReadAgain)
{
    // The layout screen composes the same layout record again after each edit.
    layouts::Layout_Record layout = Built_In_Layout(kUprightPlain);
    Composed before(Printer());
    before.Compose(render_fixtures::Filled_Product(), layout);
    layout[layouts::Correction_Vertical] = QStringLiteral("3");
    layout[layouts::Item_Size_Line(layouts::Product_Name_Row)] = QStringLiteral("12");
    Composed after(Printer());
    after.Compose(render_fixtures::Filled_Product(), layout);
    const auto moved = after.Position_Of("品名:");
    ASSERT_TRUE(moved);
    EXPECT_NEAR(moved->y() - before.Position_Of("品名:")->y(), 3, 0.011);
    const size_t first = static_cast<size_t>(after.surface.All_Text().indexOf("品名:"));
    EXPECT_EQ(after.surface.texts.at(first).font.height, std::lround(12 * 2540 / 72.0));
}

TEST(Label_Composer, CaptionsBelowTheMarkInTheThreeColumns)
{
    // Mark 1 of layout B/D: top 54/29, left 29/55, 6 x 6; captions 6 pt, 75 %.
    const double w1 = 4 * 6 * 0.1625 * 0.75;  // "容器"
    const double w2 = 2 * 6 * 0.1625 * 0.75;  // "フ"
    struct Case {
        render::Surface_Profile profile;
        QString layout;
        QPointF line1;
        QPointF line2;
    };
    const double T = 54, L = 29;
    const Case cases[] = {
        {Preview(), kUprightPlain, {L + 3 - w1 / 2, T + 6 + 0.1}, {L + 3 - w2 / 2, T + 6 + 6 * 0.3527762 + 0.2}},
        {Printer(), kUprightPlain, {L + 3 - w1 / 2, T + 6 + 0.25}, {L + 3 - w2 / 2, T + 6 + 6 * 0.396}},
        // Turned printer: caption lines run up the page from a = 65 - x, at page x = y.
        {Printer(), kTurnedPlain, {29 + 6 + 0.2, 65 - (55 + 3 - w1 / 2)}, {29 + 6 + 6 * 0.378, 65 - (55 + 3 - w2 / 2)}},
    };
    for (const Case& c : cases) {
        Composed label(c.profile);
        label.Compose(Captions_Only("容器", "フ"), Built_In_Layout(c.layout), No_Barcode());
        const auto line1 = label.Position_Of("容器");
        const auto line2 = label.Position_Of("フ");
        ASSERT_TRUE(line1 && line2) << c.layout.toStdString();
        EXPECT_NEAR(line1->x(), c.line1.x(), 0.011) << c.layout.toStdString();
        EXPECT_NEAR(line1->y(), c.line1.y(), 0.011) << c.layout.toStdString();
        EXPECT_NEAR(line2->x(), c.line2.x(), 0.011) << c.layout.toStdString();
        EXPECT_NEAR(line2->y(), c.line2.y(), 0.011) << c.layout.toStdString();
    }
}

TEST(Label_Composer, CaptionsRightOfTheMarkInTheThreeColumns)
{
    // Mark 1 of layout G: top 62, left 53, 6 x 6, caption side "右".
    const double T = 62, L = 53, s = 6;
    struct Case {
        render::Surface_Profile profile;
        QString text2;
        double x;
        double y1;
        double y2;
    };
    const Case cases[] = {
        {Preview(), "", L + 6, T + 3 - s * 0.18, 0},
        {Preview(), "フ", L + 6, T + 3 - s * 0.3527762, T + 3 - s * 0.3527762 + s * 0.3527762 + 0.2},
        {Printer(), "", L + 6.3, T + 3 - s * 0.18, 0},
        {Printer(), "フ", L + 6.3, T + 3 - s * 0.36, T + 3 - s * 0.36 + s * 0.378},
    };
    for (const Case& c : cases) {
        Composed label(c.profile);
        label.Compose(Captions_Only("容器", c.text2), Built_In_Layout(kRightCaptions), No_Barcode());
        const auto line1 = label.Position_Of("容器");
        ASSERT_TRUE(line1);
        EXPECT_NEAR(line1->x(), c.x, 0.011);
        EXPECT_NEAR(line1->y(), c.y1, 0.011);
        if (!c.text2.isEmpty()) {
            const auto line2 = label.Position_Of("フ");
            ASSERT_TRUE(line2);
            EXPECT_NEAR(line2->y(), c.y2, 0.011);
        }
    }

    // Turned printer, two lines: line 1 at T + s1 x 0.18, line 2 s2 x 0.378 further.
    layouts::Layout_Record turned = Built_In_Layout(kTurnedPlain);
    turned[layouts::Recycle1_Caption_Side] = QStringLiteral("右");
    turned[107 - 2] = QStringLiteral("8");  // caption line 2 of mark 1 (line 105) at 8 pt
    Composed label(Printer());
    label.Compose(Captions_Only("容器", "フ"), turned, No_Barcode());
    const auto line1 = label.Position_Of("容器");
    const auto line2 = label.Position_Of("フ");
    ASSERT_TRUE(line1 && line2);
    EXPECT_NEAR(line1->x(), 29 + 6 * 0.18, 0.011);
    EXPECT_NEAR(line1->y(), 65 - (55 + 6.3), 0.011);
    EXPECT_NEAR(line2->x(), 29 + 6 * 0.18 + 8 * 0.378, 0.011);
}

TEST(Label_Composer, MissingPicturesAreReportedAndTheLabelStillComposed)
{
    Composed label(Printer());
    QFile::remove(label.folder.File("kami00.bmp"));
    layouts::Layout_Record layout = Built_In_Layout(kUprightPlain);
    layout[layouts::Background_Image] = QStringLiteral("無い画像.bmp");
    label.Compose(render_fixtures::Filled_Product(), layout);
    const QStringList lines = label.answerer.Lines1();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "指定画像ファイルがありません");
    EXPECT_EQ(label.answerer.requests[0].line2, "画像は読めませんでした");
    EXPECT_EQ(label.answerer.requests[0].back_colour, store::kInformationColour);
    EXPECT_EQ(label.answerer.requests[1].line2, "kami00.bmp");  // the missing mark is named
    ASSERT_EQ(label.surface.pictures.size(), 1u);
    EXPECT_TRUE(label.surface.All_Text().contains("糖質:28.0g"));
    EXPECT_TRUE(label.surface.All_Text().contains("箱"));
}

TEST(Label_Composer, BackgroundPictureStretchedOnPreviewUnstretchedOnPrinter)
{
    Composed preview(Preview());
    QImage(40, 30, QImage::Format_RGB32).save(preview.folder.File("背景.png"));
    layouts::Layout_Record layout = Built_In_Layout(kUprightPlain);
    layout[layouts::Background_Image] = QStringLiteral("背景.png");
    preview.Compose(render_fixtures::Filled_Product(), layout);
    const double units = preview.surface.Profile().units_per_mm;
    ASSERT_EQ(preview.surface.pictures.size(), 3u);
    EXPECT_EQ(preview.surface.pictures[0].box, QRectF(0, 0, 45 * units, 65 * units));
    EXPECT_EQ(preview.surface.pictures[0].mode, render::Picture_Mode::Copy);

    Composed page(Printer());
    QImage(40, 30, QImage::Format_RGB32).save(page.folder.File("背景.png"));
    page.Compose(render_fixtures::Filled_Product(), layout);
    EXPECT_EQ(page.surface.pictures[0].box, QRectF(0, 0, 40, 30));  // one pixel per twip
}

TEST(Label_Composer, BarcodeFontWhenChosenAndInstalled)
{
    store::Settings_Record settings = Settings();
    settings[store::Setting::Vertical_Barcode_Method] = QStringLiteral("バーコードフォント使用");
    Composed with_font(Printer());
    with_font.surface.installed_fonts << "jan13"
                                      << "jan13yoko";
    with_font.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kUprightPlain),
                      render_fixtures::Filled_Issue(), settings);
    ASSERT_EQ(with_font.surface.font_texts.size(), 1u);
    EXPECT_EQ(with_font.surface.font_texts[0].face, "jan13");
    EXPECT_EQ(with_font.surface.font_texts[0].digits, "4901234567894");
    const double units = render::kPrinterUnitsPerMm;
    EXPECT_EQ(with_font.surface.font_texts[0].position, QPointF(2.5 * units, 54 * units));
    EXPECT_TRUE(with_font.surface.bars.empty());

    Composed turned(Printer());
    turned.surface.installed_fonts << "jan13yoko";
    turned.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kTurnedPlain), render_fixtures::Filled_Issue(),
                   settings);
    ASSERT_EQ(turned.surface.font_texts.size(), 1u);
    EXPECT_EQ(turned.surface.font_texts[0].face, "jan13yoko");
    EXPECT_EQ(turned.surface.font_texts[0].position, QPointF((3 + 23) * units, (65 - 55) * units));

    Composed without_font(Printer());  // not installed: bars in its place
    without_font.Compose(render_fixtures::Filled_Product(), Built_In_Layout(kUprightPlain),
                         render_fixtures::Filled_Issue(), settings);
    EXPECT_TRUE(without_font.surface.font_texts.empty());
    EXPECT_FALSE(without_font.surface.bars.empty());
}

TEST(Label_Composer, PaperLengthNoticeOncePerPrintRun)
{
    render::Recording_Surface page(render::Printer_Profile(203, 203));
    test_support::Temp_Folder folder;
    test_support::Scripted_Answerer answerer;
    const layouts::Layout_Record& small = Built_In_Layout(QStringLiteral("標準03 28x38 ﾜｸ無"));
    page.Length_Limit_mm = 28;
    Product_Record product = render_fixtures::Filled_Product();
    product[products::Recycle1_Mark] = product[products::Recycle2_Mark] = QStringLiteral("なし");
    for (int label = 0; label < 3; ++label)
        render::Label_Composer(page, product, small, render_fixtures::Filled_Issue(),
                               {Settings(), folder.Data_Folder(), &answerer});
    EXPECT_EQ(answerer.message_boxes.size(), 1);
    EXPECT_FALSE(page.texts.empty());
}

// A date that cannot be computed is told once and the label goes on with the
// moment it is printed at, which "<d>" expressions show as well.
TEST(Label_Composer, DateFaultComposesWithToday)
{
    struct Case {
        QDateTime base;
        double add_days;
        const char* printed;
    };
    for (const Case& c : {Case{QDateTime(), 3, "消費期限:2025年06月10日"},
                          Case{render_fixtures::Filled_Issue().base, 1e9, "消費期限:2025年06月07日"}}) {
        Composed label(Printer());
        render::Issue_Values issue = render_fixtures::Filled_Issue();
        issue.base = c.base;
        issue.add_days = c.add_days;
        issue.now = QDateTime(QDate(2025, 6, 7), QTime(8, 9));
        Product_Record product = render_fixtures::Filled_Product();
        product[products::Extra1] = QStringLiteral("<d>製造日:yyyy.m.d hh:nn");
        label.Compose(product, Built_In_Layout(kUprightPlain), issue);
        EXPECT_TRUE(label.surface.All_Text().contains(c.printed)) << c.printed;
        EXPECT_TRUE(label.surface.All_Text().contains("製造日:2025.6.7 08:09"));
        ASSERT_EQ(label.answerer.requests.size(), 1u);
        EXPECT_EQ(label.answerer.requests[0].line1, "入力された日付が異常です");
        EXPECT_EQ(label.answerer.requests[0].line2, "本日の日付にて継続します");
        EXPECT_EQ(label.answerer.requests[0].back_colour, store::kInformationColour);
    }
}

}  // namespace
