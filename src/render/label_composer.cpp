#include "render/label_composer.h"

#include "render/date_stamp.h"
#include "render/ean.h"
#include "render/markup.h"
#include "render/text_flow.h"
#include "store/text_helpers.h"

#include <QImage>

#include <optional>

namespace render {
namespace {

using layouts::Layout_Record;
using products::Product_Record;
namespace L = layouts;
namespace P = products;

constexpr int kGuardExtension = 6;
constexpr int kNoWrap = 999;

// Everything one composition needs besides the item being drawn.
struct Composition {
    Drawing_Surface& surface;
    const Product_Record& product;
    const Layout_Record& layout;
    const QString& data_folder;
    store::Answerer* answerer;  // none: the notices are kept quiet
    Label_Resources& resources;
    const Layout_Numbers& numbers;
    bool turned_page = false;  // a turned layout on the printer page
    int angle = 0;             // text direction handed to the text flow
    double xc = 0;             // corrections, centring included
    double yc = 0;
    double length = 0;  // Label_Length

    double Line(int n) const { return numbers(n); }

    // Draws an item whose layout point (x, y) already includes the corrections.
    float Item(double x, double y, int flag, const QString& text, int size_line, int wrap) const
    {
        const double a = turned_page ? length - x : x;
        return Draw_Item_Text(surface, numbers, static_cast<float>(a), static_cast<float>(y), flag, text, size_line,
                              size_line + 1, wrap, angle);
    }
    int Flag(int line) const { return store::Round_Half_Even(Line(line)); }
    int Wrap(int line) const { return store::Round_Half_Even(Line(line)); }
};

void Draw_Background(Composition& c)
{
    const QString& name = c.layout[L::Background_Image];
    if (name.isEmpty())
        return;
    const QImage picture = c.resources.Picture(c.data_folder + name);
    if (picture.isNull()) {
        if (c.answerer)
            c.answerer->Notify(QStringLiteral("指定画像ファイルがありません"), QStringLiteral("画像は読めませんでした"),
                               store::kInformationColour);
        return;
    }
    const double units = c.surface.Profile().units_per_mm;
    if (c.surface.Is_Printer()) {
        // One picture pixel per page unit, not turned.
        const QPointF corner = c.turned_page ? QPointF(c.yc, c.xc) : QPointF(c.xc, c.yc);
        c.surface.Picture(picture, QRectF(corner * units, QSizeF(picture.size())), Picture_Mode::Copy, name);
        return;
    }
    // Stretched over the label as it is read.
    const bool turned = Is_Turned(c.layout);
    const double width = turned ? c.Line(L::Label_Length) : c.Line(L::Label_Width);
    const double height = turned ? c.Line(L::Label_Width) : c.Line(L::Label_Length);
    c.surface.Picture(picture, QRectF(c.xc * units, c.yc * units, width * units, height * units), Picture_Mode::Copy,
                      name);
}

void Draw_Main_Column(Composition& c, const std::optional<QString>& date_line, const QString& contents)
{
    struct Main_Item {
        QString text;
        L::Item_Row row;
    };
    const Product_Record& p = c.product;
    const Main_Item items[] = {
        {p[P::Product_Name].startsWith(QStringLiteral("<m>")) ? QString() : p[P::Product_Name], L::Product_Name_Row},
        {p[P::Category_Name], L::Category_Row},
        {p[P::Ingredients], L::Ingredients_Row},
        {p[P::Extra1], L::Extra1_Row},
        {p[P::Extra2], L::Extra2_Row},
        {contents, L::Contents_Row},
        {p[P::Extra3], L::Extra3_Row},
        {date_line.value_or(QString()), L::Date_Row},
        {p[P::Storage], L::Storage_Row},
        {p[P::Extra4], L::Extra4_Row},
        {p[P::Responsible], L::Responsible_Row},
        {p[P::Extra5], L::Extra5_Row},
    };
    const double x = c.Line(L::Main_Left) + c.xc;
    double y = c.Line(L::Main_Top) + c.yc;
    for (const Main_Item& item : items)
        y = c.Item(x, y, c.Flag(L::Item_Flag_Line(item.row)), item.text, L::Item_Size_Line(item.row),
                   c.Wrap(L::Main_Width));
    c.surface.Previous_Item_Ruled = false;
}

void Draw_Block(Composition& c, const QString& text, int top, int left, int width, L::Item_Row row)
{
    if (!text.isEmpty())
        c.Item(c.Line(left) + c.xc, c.Line(top) + c.yc, c.Flag(L::Item_Flag_Line(row)), text, L::Item_Size_Line(row),
               c.Wrap(width));
}

void Draw_Barcode_Item(Composition& c, const Issue_Values& issue, const store::Settings_Record& settings)
{
    const QString& digits = issue.barcode;
    if (digits.size() != 13 && digits.size() != 8)
        return;
    const double left = c.Line(L::Barcode_Left) + c.xc;
    const double top = c.Line(L::Barcode_Top) + c.yc;
    const int height_units = store::Round_Half_Even(c.Line(L::Barcode_Height) * kBarcodeHeightUnitsPerMm);
    const int angle = Is_Turned(c.layout) ? 90 : 0;
    const bool font_method = c.surface.Is_Printer() && settings.Vertical_Barcode_Method() != kSoftwareBarcode;
    const QString face = c.turned_page ? QStringLiteral("jan13yoko") : QStringLiteral("jan13");
    if (font_method && c.surface.Has_Font(face)) {
        const double units = c.surface.Profile().units_per_mm;
        const QPointF position = c.turned_page ? QPointF((top + 23) * units, (c.length - left) * units)
                                               : QPointF(left * units, top * units);
        c.surface.Barcode_Font_Text(face, position, c.Line(L::Barcode_Height), digits);
        return;
    }
    // Drawn bars; also in place of a barcode font that is not installed.
    if (c.turned_page)
        Draw_Barcode(c.surface, top, c.length - left, digits, height_units, kGuardExtension, angle);
    else
        Draw_Barcode(c.surface, left, top, digits, height_units, kGuardExtension, angle);
}

struct Mark_Lines {
    int mark, text1, text2;        // product columns
    int top, left, height, width;  // layout lines of the box
    int style1, style2;            // size lines of caption lines 1 and 2
    int side;                      // layout line of the caption side
};

void Draw_Mark_Picture(Composition& c, const Mark_Lines& m, double top, double left, double height, double width)
{
    const QString name = Recycle_Picture_Name(c.product[m.mark], c.turned_page);
    if (name.isEmpty())
        return;
    const QImage picture = c.resources.Picture(c.data_folder + name);
    if (picture.isNull()) {
        if (c.answerer)
            c.answerer->Notify(QStringLiteral("リサイクルマーク画像を読めません"), name);
        return;
    }
    const double units = c.surface.Profile().units_per_mm;
    const QRectF box = c.turned_page
        ? QRectF(top * units, (c.length - left - width) * units, height * units, width * units)
        : QRectF(left * units, top * units, width * units, height * units);
    c.surface.Picture(picture, box, Picture_Mode::Multiply, name);
}

void Draw_Captions(Composition& c, const Mark_Lines& m, double T, double L, double H, double W)
{
    const QString& text1 = c.product[m.text1];
    const QString& text2 = c.product[m.text2];
    if (text1.isEmpty())
        return;
    const QString& side = c.layout[m.side];
    const double s1 = c.Line(m.style1);
    const double s2 = c.Line(m.style2);
    const bool two = !text2.isEmpty();
    const bool printer = c.surface.Is_Printer();
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    if (side == QStringLiteral("右")) {
        x1 = x2 = printer ? L + W + 0.3 : L + W;
        if (!two) {
            y1 = T + H / 2 - s1 * 0.18;
        } else if (!printer) {
            y1 = T + H / 2 - s1 * kPointMm;
            y2 = y1 + s1 * kPointMm + 0.2;
        } else if (!c.turned_page) {
            y1 = T + H / 2 - s1 * 0.36;
            y2 = y1 + s1 * 0.378;
        } else {
            y1 = T + s1 * 0.18;
            y2 = y1 + s2 * 0.378;
        }
    } else if (side == QStringLiteral("下")) {
        x1 = L + W / 2 - Measure_Text_Width(text1, s1, c.Line(m.style1 + 1)) / 2;
        x2 = L + W / 2 - Measure_Text_Width(text2, s2, c.Line(m.style2 + 1)) / 2;
        if (!printer) {
            y1 = T + H + 0.1;
            y2 = T + H + s2 * kPointMm + 0.2;
        } else if (!c.turned_page) {
            y1 = T + H + 0.25;
            y2 = T + H + s1 * 0.396;
        } else {
            y1 = T + H + 0.2;
            y2 = T + H + s1 * 0.378;
        }
    } else {
        return;
    }
    c.Item(x1, y1, 0, text1, m.style1, kNoWrap);
    if (two)
        c.Item(x2, y2, 0, text2, m.style2, kNoWrap);
}

void Draw_Recycling_Mark(Composition& c, const Mark_Lines& m)
{
    const double T = c.Line(m.top) + c.yc;
    const double L = c.Line(m.left) + c.xc;
    const double H = c.Line(m.height);
    const double W = c.Line(m.width);
    Draw_Mark_Picture(c, m, T, L, H, W);
    if (c.product[m.mark] != QStringLiteral("なし"))
        Draw_Captions(c, m, T, L, H, W);
}

void Draw_Nutrition(Composition& c)
{
    const Product_Record& p = c.product;
    const double x = c.Line(L::Nutrition_Left) + c.xc;
    double y = c.Line(L::Nutrition_Top) + c.yc;
    const int wrap = c.Wrap(L::Nutrition_Width);
    if (p[P::Nutrition_Title] != kNutritionTemplateTitle)
        y = c.Item(x, y, c.Flag(L::Nutrition_Flag_Line(L::kNutritionTitleRow)), p[P::Nutrition_Title],
                   L::Nutrition_Size_Line(L::kNutritionTitleRow), wrap);
    for (int n = 0; n < L::kStyleRows - 1; ++n) {  // 熱量 .. 食塩相当量, then 成分追加１..10
        const QString& text = p[P::Energy + n];
        const bool main_row = n < 5;
        if (main_row && text.endsWith(u':'))
            continue;  // left at its caption alone
        const int row = L::kNutritionTitleRow + 1 + n;
        y = c.Item(x, y, c.Flag(L::Nutrition_Flag_Line(row)), text, L::Nutrition_Size_Line(row), wrap);
    }
}

// The characters a label of the product may print from its fields and the issue.
QString Label_Characters(const Product_Record& product, const Issue_Values& issue)
{
    QString characters = issue.contents + issue.price;
    for (const QString& field : product.field)
        characters += field;
    return characters;
}

}  // namespace

bool Is_Turned(const Layout_Record& layout)
{
    return layout.Number(L::Print_Direction) != 0;
}

QString Recycle_Picture_Name(const QString& mark, bool turned)
{
    if (mark == QStringLiteral("プラ"))
        return turned ? QStringLiteral("pura90.bmp") : QStringLiteral("pura00.bmp");
    if (mark == QStringLiteral("紙"))
        return turned ? QStringLiteral("kami90.bmp") : QStringLiteral("kami00.bmp");
    return {};
}

void Label_Composer(Drawing_Surface& surface, const Product_Record& product, const Layout_Record& layout,
                    const Issue_Values& issue, const Compose_Context& context)
{
    const store::Settings_Record& settings = context.settings;
    std::optional<Label_Resources> own_resources;
    Label_Resources& resources = context.resources ? *context.resources : own_resources.emplace();
    Composition c{
        surface, product, layout, context.data_folder, context.answerer, resources, resources.Numbers(layout)};
    surface.Answerer = context.answerer;
    surface.Now = issue.now;
    c.length = c.Line(L::Label_Length);
    c.xc = c.Line(L::Correction_Horizontal);
    c.yc = c.Line(L::Correction_Vertical);
    if (surface.Is_Printer()) {
        surface.Expect_Characters(Label_Characters(product, issue));
        c.turned_page = Is_Turned(layout);
        c.angle = c.turned_page ? 90 : 0;
        c.xc += store::Lenient_Number(settings.Offset_Horizontal_mm());
        c.yc += store::Lenient_Number(settings.Offset_Vertical_mm());
        // Centring needs the printer's maximum print width; without one (the
        // default settings) the label stays where it is instead of moving off the page.
        const double max_width = store::Lenient_Number(settings.Max_Print_Width_mm());
        if (settings.Paper_Set_Position() == kCentredPaper && max_width > 0) {
            const double centring = max_width / 2 - c.Line(L::Label_Width) / 2;
            (c.turned_page ? c.yc : c.xc) += centring;
        }
    }

    surface.Begin_Block(Label_Block::Background);
    Draw_Background(c);
    const Date_Line_Result date = context.date ? *context.date : Date_Line(product, issue);
    if (date.fault != Date_Fault::None && c.answerer)
        c.answerer->Notify(kDateFaultNotice, kContinueWithToday, store::kInformationColour);
    surface.Begin_Block(Label_Block::Main_Column);
    Draw_Main_Column(c, date.line, issue.contents + product[P::Contents_Unit]);

    surface.Begin_Block(Label_Block::Remarks1);
    Draw_Block(c, product[P::Remarks1], L::Remarks1_Top, L::Remarks1_Left, L::Remarks1_Width, L::Remarks1_Row);
    surface.Begin_Block(Label_Block::Remarks2);
    Draw_Block(c, product[P::Remarks2], L::Remarks2_Top, L::Remarks2_Left, L::Remarks2_Width, L::Remarks2_Row);
    surface.Previous_Item_Ruled = false;
    surface.Begin_Block(Label_Block::Price);
    Draw_Block(c, issue.price, L::Price_Top, L::Price_Left, L::Price_Width, L::Price_Row);
    surface.Previous_Item_Ruled = false;

    surface.Begin_Block(Label_Block::Barcode);
    Draw_Barcode_Item(c, issue, settings);
    surface.Begin_Block(Label_Block::Recycle_Mark1);
    Draw_Recycling_Mark(c,
                        {P::Recycle1_Mark, P::Recycle1_Text1, P::Recycle1_Text2, L::Recycle1_Top, L::Recycle1_Left,
                         L::Recycle1_Height, L::Recycle1_Width, L::Caption_Size_Line(L::Recycle1_Caption1_Row),
                         L::Caption_Size_Line(L::Recycle1_Caption2_Row), L::Recycle1_Caption_Side});
    surface.Begin_Block(Label_Block::Recycle_Mark2);
    Draw_Recycling_Mark(c,
                        {P::Recycle2_Mark, P::Recycle2_Text1, P::Recycle2_Text2, L::Recycle2_Top, L::Recycle2_Left,
                         L::Recycle2_Height, L::Recycle2_Width, L::Caption_Size_Line(L::Recycle2_Caption1_Row),
                         L::Caption_Size_Line(L::Recycle2_Caption2_Row), L::Recycle2_Caption_Side});
    surface.Begin_Block(Label_Block::Nutrition);
    Draw_Nutrition(c);
    surface.Previous_Item_Ruled = false;
}

}  // namespace render
