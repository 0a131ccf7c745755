#include "render/label_check.h"

#include "products/product_extras.h"
#include "render/date_stamp.h"
#include "render/ean.h"
#include "render/label_composer.h"
#include "render/markup.h"
#include "render/recording_surface.h"
#include "store/text_helpers.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>

namespace render {

QRectF Label_Area(const layouts::Layout_Record& layout)
{
    const double width = layout.Number(layouts::Label_Width);
    const double length = layout.Number(layouts::Label_Length);
    return Is_Turned(layout) ? QRectF(0, 0, length, width) : QRectF(0, 0, width, length);
}

namespace {

constexpr double kToleranceMm = 0.1;
constexpr double kEan8NominalBarHeightMm = 18.23;  // EAN-8 bars at 100 %

using Block_Boxes = std::map<Label_Block, std::vector<QRectF>>;

enum class Scope { Label, Layout, Label_And_Layout };

bool Labelling(Scope scope)
{
    return scope != Scope::Layout;
}
bool Layout_Wide(Scope scope)
{
    return scope != Scope::Label;
}

// The label on the printer page: its width across, its length down, turned or not.
QRectF Page_Area(const layouts::Layout_Record& layout)
{
    return QRectF(0, 0, layout.Number(layouts::Label_Width), layout.Number(layouts::Label_Length));
}

// The settings with which the page holds the label at its origin: the offsets
// and the centring move the label on the printer's paper, not on the label.
store::Settings_Record Unshifted(store::Settings_Record settings)
{
    settings[store::Setting::Offset_Horizontal_mm] = QStringLiteral("0");
    settings[store::Setting::Offset_Vertical_mm] = QStringLiteral("0");
    settings[store::Setting::Paper_Set_Position].clear();
    return settings;
}

// The label composed on a recording surface of that profile.
std::unique_ptr<Recording_Surface> Compose(const Surface_Profile& profile, int bar_grid_dpi,
                                           const products::Product_Record& product,
                                           const layouts::Layout_Record& layout, const Issue_Values& issue,
                                           const Check_Context& context)
{
    auto surface = std::make_unique<Recording_Surface>(profile);
    surface->bar_grid_dpi = bar_grid_dpi;
    // Every run is recorded, also one a printer would leave off beyond the
    // label's length: it is a part outside the label.
    constexpr int kNoLengthLimitMm = 1000000;
    surface->Length_Limit_mm = kNoLengthLimitMm;
    // Notices of the composer (missing pictures, the date) are shown when the
    // label is previewed or printed; the check keeps quiet about them.
    Label_Composer(*surface, product, layout, issue,
                   {Unshifted(context.settings), context.data_folder, nullptr, std::nullopt, context.resources});
    return surface;
}

Block_Boxes Boxes_Of(const Recording_Surface& surface)
{
    Block_Boxes boxes;
    for (const Recording_Surface::Ink& ink : surface.inks)
        if (ink.block != Label_Block::Background)
            boxes[ink.block].push_back(ink.box_mm);
    return boxes;
}

bool Overlap(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    return common.width() > kToleranceMm && common.height() > kToleranceMm;
}

bool Any_Overlap(const std::vector<QRectF>& a, const std::vector<QRectF>& b)
{
    return std::any_of(a.begin(), a.end(), [&](const QRectF& x) {
        return std::any_of(b.begin(), b.end(), [&](const QRectF& y) { return Overlap(x, y); });
    });
}

// Whether the box lies wholly beyond the label (also a line without width or height).
bool Apart(const QRectF& box, const QRectF& label)
{
    return box.right() <= label.left() || box.left() >= label.right() || box.bottom() <= label.top()
        || box.top() >= label.bottom();
}

QRectF United(const std::vector<QRectF>& boxes)
{
    QRectF all;
    for (const QRectF& box : boxes)
        all = all.united(box);
    return all;
}

QRectF Within_Tolerance(const QRectF& label)
{
    return label.adjusted(-kToleranceMm, -kToleranceMm, kToleranceMm, kToleranceMm);
}

// The bars of a barcode as drawn, the module measured from them, and the way
// the symbol advances (downwards for a turned layout on the preview).
struct Symbol {
    QRectF bars;
    double module = 0;
    bool downwards = false;
    double Bar_Height() const { return downwards ? bar_width : bar_height; }
    double bar_height = 0;  // the shortest bar (a guard bar reaches lower)
    double bar_width = 0;
};

std::optional<Symbol> Symbol_On(const Recording_Surface& surface, const QString& digits, bool downwards)
{
    if (surface.bars.empty())
        return std::nullopt;
    const double per_mm = surface.Profile().units_per_mm;
    Symbol symbol;
    symbol.downwards = downwards;
    symbol.bar_height = symbol.bar_width = 1e9;
    for (const QRectF& units : surface.bars) {
        const QRectF bar = QRectF(units.topLeft() / per_mm, units.bottomRight() / per_mm).normalized();
        symbol.bars = symbol.bars.united(bar);
        symbol.bar_height = std::min(symbol.bar_height, bar.height());
        symbol.bar_width = std::min(symbol.bar_width, bar.width());
    }
    const int modules = digits.size() == 8 ? 67 : 95;
    symbol.module = (downwards ? symbol.bars.height() : symbol.bars.width()) / modules;
    return symbol;
}

// The quiet zones before and after the bars, along the way the symbol
// advances: 11 and 7 modules for EAN-13, 7 and 7 for EAN-8.
std::array<QRectF, 2> Quiet_Zones(const Symbol& symbol, const QString& digits)
{
    const double before = (digits.size() == 13 ? 11 : 7) * symbol.module;
    const double after = 7 * symbol.module;
    const QRectF& b = symbol.bars;
    if (symbol.downwards)
        return {QRectF(b.left(), b.top() - before, b.width(), before), QRectF(b.left(), b.bottom(), b.width(), after)};
    return {QRectF(b.left() - before, b.top(), before, b.height()), QRectF(b.right(), b.top(), after, b.height())};
}

void Check_Outside(const Block_Boxes& boxes, const QRectF& label, std::vector<Finding>& findings)
{
    const QRectF inside = Within_Tolerance(label);
    for (const auto& [block, parts] : boxes) {
        const auto out = std::count_if(parts.begin(), parts.end(),
                                       [&](const QRectF& box) { return !inside.contains(box); });
        const auto gone = std::count_if(parts.begin(), parts.end(),
                                        [&](const QRectF& box) { return Apart(box, label); });
        if (gone == static_cast<long>(parts.size()))
            findings.push_back(
                {Severity::Error, Block_Name(block) + QStringLiteral("がラベルの外にあり、印刷されません"), block});
        else if (out > 0)
            findings.push_back(
                {Severity::Error, Block_Name(block) + QStringLiteral("の一部がラベルからはみ出しています"), block});
    }
}

void Check_Overlaps(const Block_Boxes& boxes, std::vector<Finding>& findings)
{
    for (auto a = boxes.begin(); a != boxes.end(); ++a)
        for (auto b = std::next(a); b != boxes.end(); ++b)
            if (Any_Overlap(a->second, b->second)) {
                Finding overlap{Severity::Error,
                                Block_Name(a->first) + QStringLiteral("と") + Block_Name(b->first)
                                    + QStringLiteral("が重なっています"),
                                b->first};
                overlap.other_block = a->first;
                findings.push_back(overlap);
            }
}

// Whether the digits are an EAN-13 or EAN-8 number with its right check digit.
void Check_Barcode_Number(const QString& digits, std::vector<Finding>& findings)
{
    const bool all_digits = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!all_digits || (digits.size() != 13 && digits.size() != 8)) {
        findings.push_back({Severity::Error,
                            QStringLiteral("バーコードの桁数が正しくありません(13桁または8桁の数字にしてください)"),
                            Label_Block::Barcode});
        return;
    }
    const int expected = Ean_Check_Digit(digits);
    if (digits.back().digitValue() != expected)
        findings.push_back({Severity::Error,
                            QStringLiteral("バーコードのチェックデジットが違います(正しくは%1)").arg(expected),
                            Label_Block::Barcode});
}

// The quiet zones, measured from the bars as printed: within the label and
// clear of every other part.
void Check_Quiet_Zones(const Symbol& symbol, const Block_Boxes& boxes, const QRectF& label, const QString& digits,
                       std::vector<Finding>& findings)
{
    const QRectF inside = Within_Tolerance(label);
    bool outside = false, covered = false;
    for (const QRectF& zone : Quiet_Zones(symbol, digits)) {
        outside = outside || !inside.contains(zone);
        for (const auto& [block, parts] : boxes)
            covered = covered || (block != Label_Block::Barcode && Any_Overlap({zone}, parts));
    }
    const auto add = [&](const QString& message) {
        Finding finding{Severity::Error, message, Label_Block::Barcode};
        finding.with_quiet_zones = true;
        findings.push_back(finding);
    };
    if (outside)
        add(QStringLiteral("バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています"));
    if (covered)
        add(QStringLiteral("バーコードの左右の余白(クワイエットゾーン)に他の表示が重なっています"));
}

// The module printed on this grid against the nominal 0.33 mm, and the bar
// height against the symbol's nominal proportion: the same for every label of
// the layout on this printer, for the user to confirm with a scanner.
void Check_Symbol_Size(const Symbol& symbol, int grid_dpi, const QString& digits, std::vector<Finding>& findings)
{
    const auto note = [&](const QString& message) {
        Finding finding{Severity::Note, message, Label_Block::Barcode};
        finding.layout_wide = true;
        findings.push_back(finding);
    };
    const QString thermal = QStringLiteral("感熱式ラベルプリンタの0.25mm前後のモジュールで読めるかどうかは、"
                                           "バーの高さと左右の余白(クワイエットゾーン)で決まります");
    const double magnification = symbol.module / kNominalModuleMm;
    if (magnification < kMinimumMagnification - 0.0005 || magnification > kMaximumMagnification) {
        const int dots = static_cast<int>(std::lround(symbol.module * grid_dpi / 25.4));
        const int fitting_dots =
            static_cast<int>(std::ceil(kNominalModuleMm * kMinimumMagnification * grid_dpi / 25.4 - 1e-9));
        const double fitting_module = fitting_dots * 25.4 / grid_dpi;
        note(QStringLiteral("バーコードのモジュールは%1ドット(%2mm)で、標準0.33mmの%3%です(GS1の範囲は80〜200%)。"
                            "%4。範囲内にするには、このプリンタでは%5ドット(%6mm、%7%)のモジュールが要ります")
                 .arg(dots)
                 .arg(symbol.module, 0, 'f', 3)
                 .arg(magnification * 100, 0, 'f', 1)
                 .arg(thermal)
                 .arg(fitting_dots)
                 .arg(fitting_module, 0, 'f', 3)
                 .arg(fitting_module / kNominalModuleMm * 100, 0, 'f', 1));
    }
    const double nominal = digits.size() == 8 ? kEan8NominalBarHeightMm : kNominalBarHeightMm;
    const double wanted = nominal * magnification;
    if (symbol.Bar_Height() < wanted - 0.05)
        note(
            QStringLiteral("バーコードのバーの高さは%1mmで、このモジュールでのGS1の標準の高さ%2mmより低くなっています。"
                           "%3。バーの高さを%2mm以上にするか、POSで読めることを確かめてください")
                .arg(symbol.Bar_Height(), 0, 'f', 1)
                .arg(wanted, 0, 'f', 1)
                .arg(thermal));
}

// The text of an item without its markup and its caption (up to the first colon).
QString Item_Value(const QString& item)
{
    const QString text = Strip_Tags(item).trimmed();
    const qsizetype colon = text.indexOf(QRegularExpression(QStringLiteral("[:：]")));
    return (colon < 0 ? text : text.mid(colon + 1)).trimmed();
}

// Whether a text reads as an address: a prefecture, or a city, ward, town,
// village or district followed by what an address has (丁目, 番地, a number).
// Shop names such as 中村製菓, 木村屋 or 大町ベーカリー are not addresses.
bool Is_Address(const QString& text)
{
    static const QRegularExpression address(QStringLiteral(
        "北海道|青森県|岩手県|宮城県|秋田県|山形県|福島県|茨城県|栃木県|群馬県|埼玉県|千葉県|東京都|神奈川県|"
        "新潟県|富山県|石川県|福井県|山梨県|長野県|岐阜県|静岡県|愛知県|三重県|滋賀県|京都府|大阪府|兵庫県|"
        "奈良県|和歌山県|鳥取県|島根県|岡山県|広島県|山口県|徳島県|香川県|愛媛県|高知県|福岡県|佐賀県|長崎県|"
        "熊本県|大分県|宮崎県|鹿児島県|沖縄県|"
        "[市区町村郡][^\\s、,:()\\[\\]]{0,12}?(?:丁目|番地|[0-9])"));
    return products::Normalise_Text(text).contains(address);
}

// Whether the 責任者 item or an extra item beside it holds an address.
bool Has_Address(const products::Product_Record& product)
{
    using namespace products;
    for (const int column : {Responsible, Extra1, Extra2, Extra3, Extra4, Extra5})
        if (Is_Address(Item_Value(product[column])))
            return true;
    return false;
}

// Items the food labelling standard requires, empty or holding only their
// caption: a label without its name or the party responsible for it, or
// without the date its date rule asks for, is wrong; the others should be fixed.
void Check_Mandatory_Items(const products::Product_Record& product, const Issue_Values& issue,
                           std::vector<Finding>& findings)
{
    using namespace products;
    const auto require = [&](const QString& value, const QString& caption, Severity severity) {
        if (Item_Value(value).isEmpty())
            findings.push_back({severity, QStringLiteral("「%1」が空欄です(表示が義務付けられています)").arg(caption),
                                Label_Block::Main_Column});
    };
    require(product[Category_Name], QStringLiteral("名称"), Severity::Error);
    require(product[Ingredients], QStringLiteral("原材料名"), Severity::Warning);
    require(issue.contents, QStringLiteral("内容量"), Severity::Warning);
    if (product[Date_Kind] != kDateHidden && product[Date_Elsewhere_Note].trimmed().isEmpty()
        && issue.date_mode != kDateModeElsewhere) {
        // A product without a date kind is named by both kinds.
        const QString kind = QString(product[Date_Kind]).remove(QRegularExpression(QStringLiteral("[:：]$"))).trimmed();
        require(product[Date_Format], kind.isEmpty() ? QStringLiteral("消費期限または賞味期限") : kind,
                Severity::Error);
    }
    require(product[Storage], QStringLiteral("保存方法"), Severity::Warning);
    require(product[Responsible], QStringLiteral("責任者"), Severity::Error);
    if (!Item_Value(product[Responsible]).isEmpty() && !Has_Address(product))
        findings.push_back({Severity::Warning,
                            QStringLiteral("責任者の住所が見当たりません(氏名または名称と住所を表示してください)"),
                            Label_Block::Main_Column});
}

// The text without any kind of space, for comparing captions.
QString Without_Spaces(const QString& text)
{
    return products::Normalise_Text(text).remove(QRegularExpression(QStringLiteral("\\s")));
}

// The unit of the first number of a nutrition value ("250kcal", "0.2 g"); empty
// when the value holds no number, "-" for a number without a unit.
QString Value_Unit(const QString& value)
{
    static const QRegularExpression number_and_unit(QStringLiteral("[0-9]+(?:\\.[0-9]+)?\\s*(kcal|kJ|mg|μg|g)?"),
                                                    QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = number_and_unit.match(products::Normalise_Text(value));
    if (!match.hasMatch())
        return {};
    return match.captured(1).isEmpty() ? QStringLiteral("-") : match.captured(1);
}

// The nutrition table: its title with the food unit it refers to, the five
// rows it must hold in this order, each with a value in its unit. A product
// that keeps the template title prints no table, which is said once.
void Check_Nutrition(const products::Product_Record& product, std::vector<Finding>& findings)
{
    using namespace products;
    const auto add = [&](Severity severity, const QString& message) {
        findings.push_back({severity, message, Label_Block::Nutrition});
    };
    if (product[Nutrition_Title] == kNutritionTemplateTitle) {
        add(Severity::Note,
            QStringLiteral("栄養成分表示の表題が「%1」のままのため、栄養成分表示は印刷されません")
                .arg(kNutritionTemplateTitle));
        return;
    }
    bool printed = false;
    for (int column = Nutrition_Title; column <= Nutrient_Extra1 + 9; ++column)
        printed = printed || !Strip_Tags(product[column]).trimmed().isEmpty();
    if (!printed)
        return;
    const QString title = Without_Spaces(Strip_Tags(product[Nutrition_Title]));
    if (title.contains(u'○') || title.contains(u'〇'))
        add(Severity::Warning, QStringLiteral("栄養成分表示の表題の「○」を数値にしてください"));
    else if (!title.contains(QStringLiteral("当たり")) && !title.contains(QStringLiteral("あたり")))
        add(Severity::Warning,
            QStringLiteral("栄養成分表示の表題に食品単位がありません"
                           "(「100g当たり」「1個(○g)当たり」のように書いてください)"));
    struct Row {
        int column;
        QStringList captions;
        QString unit;
    };
    const Row rows[] = {
        {Energy, {QStringLiteral("熱量"), QStringLiteral("エネルギー")}, QStringLiteral("kcal")},
        {Protein,
         {QStringLiteral("たんぱく質"), QStringLiteral("タンパク質"), QStringLiteral("蛋白質")},
         QStringLiteral("g")},
        {Fat, {QStringLiteral("脂質")}, QStringLiteral("g")},
        {Carbohydrate, {QStringLiteral("炭水化物")}, QStringLiteral("g")},
        {Salt_Equivalent, {QStringLiteral("食塩相当量")}, QStringLiteral("g")},
    };
    for (const Row& row : rows) {
        const QString text = Strip_Tags(product[row.column]);
        const QString caption = Without_Spaces(text);
        const bool captioned = std::any_of(row.captions.begin(), row.captions.end(),
                                           [&](const QString& name) { return caption.contains(name); });
        const QString unit = Value_Unit(Item_Value(text));
        if (row.column == Salt_Equivalent && !captioned && caption.contains(QStringLiteral("ナトリウム")))
            add(Severity::Warning, QStringLiteral("栄養成分表示にナトリウムだけがあり、食塩相当量がありません"));
        else if (!captioned)
            add(Severity::Warning,
                QStringLiteral("栄養成分表示の%1番目の行は「%2」にしてください")
                    .arg(&row - rows + 1)
                    .arg(row.captions.mid(0, 2).join(QStringLiteral("」または「"))));
        else if (Item_Value(text).isEmpty())
            add(Severity::Warning, QStringLiteral("栄養成分表示の「%1」に値がありません").arg(row.captions.front()));
        else if (!unit.isEmpty() && unit != row.unit)
            add(Severity::Warning,
                QStringLiteral("栄養成分表示の「%1」の単位は%2にしてください").arg(row.captions.front(), row.unit));
    }
}

// The ingredient that comes first in 原材料名 (the heaviest), with what
// follows it in brackets.
QString First_Ingredient(const QString& ingredients)
{
    int depth = 0;
    const QString text = products::Normalise_Text(ingredients);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'(' || c == u'[')
            ++depth;
        else if ((c == u')' || c == u']') && depth > 0)
            --depth;
        else if (depth == 0 && (c == u'、' || c == u',' || c == u'/'))
            return text.left(i);
    }
    return text;
}

// The origin of the heaviest ingredient (原料原産地), required on processed
// foods made here: an item of its own, or an origin after the first ingredient.
void Check_Origin(const products::Product_Record& product, std::vector<Finding>& findings)
{
    using namespace products;
    const QString ingredients = Item_Value(product[Ingredients]);
    if (ingredients.isEmpty())
        return;
    for (int column = 0; column < kColumns; ++column)
        if (Strip_Tags(product[column]).contains(QStringLiteral("原料原産地")))
            return;
    static const QRegularExpression origin(QStringLiteral("\\([^()]*(?:産|製造|国内|外国|輸入)[^()]*\\)"));
    if (First_Ingredient(ingredients).contains(origin))
        return;
    findings.push_back({Severity::Note,
                        QStringLiteral("原料原産地が見当たりません。いちばん重い原材料の産地を"
                                       "「小麦粉(国内製造)」のように書くか、「原料原産地名」の欄を設けてください"),
                        Label_Block::Main_Column});
}

// Recycling marks must be printed at least 6 mm high and wide.
void Check_Mark_Sizes(const Recording_Surface& surface, std::vector<Finding>& findings)
{
    constexpr double kSmallestMarkMm = 6.0;
    const double units_per_mm = surface.Profile().units_per_mm;
    for (const Recording_Surface::Picture_Record& picture : surface.pictures) {
        if (picture.block != Label_Block::Recycle_Mark1 && picture.block != Label_Block::Recycle_Mark2)
            continue;
        const QSizeF size = picture.box.normalized().size() / units_per_mm;
        if (std::min(size.width(), size.height()) < kSmallestMarkMm - 0.05)
            findings.push_back({Severity::Warning,
                                QStringLiteral("%1が%2×%3mmで、6mmより小さく印刷されます")
                                    .arg(Block_Name(picture.block))
                                    .arg(std::min(size.width(), size.height()), 0, 'f', 1)
                                    .arg(std::max(size.width(), size.height()), 0, 'f', 1),
                                picture.block});
    }
}

// A date item that is printed: a date that comes out before the base date, or
// none at all.
void Check_Date(const products::Product_Record& product, const Issue_Values& issue, std::vector<Finding>& findings)
{
    const QString& kind = product[products::Date_Kind];
    if (kind == kDateHidden || issue.date_mode == kDateModeElsewhere)
        return;
    const auto error = [&](const QString& message) {
        findings.push_back({Severity::Error, message, Label_Block::Main_Column});
    };
    if (issue.date_mode != kDateModeAdd) {
        error(QStringLiteral("日付表記が「%1」のため、期限の日付が印刷されません").arg(issue.date_mode));
        return;
    }
    if (!issue.base.isValid()) {
        error(QStringLiteral("基準日時が正しい日付ではありません(今日の日付で印刷されます)"));
        return;
    }
    const std::optional<QDateTime> stamp = Stamp_Date(issue.base, issue.add_days);
    if (!stamp)
        error(QStringLiteral("加算日が大きすぎて期限の日付を印刷できません"));
    else if (stamp->date() < issue.base.date())
        error(QStringLiteral("期限の日付(%1)が基準日(%2)より前です")
                  .arg(stamp->date().toString(QStringLiteral("yyyy/MM/dd")),
                       issue.base.date().toString(QStringLiteral("yyyy/MM/dd"))));
}

bool Small_Package(const products::Product_Record& product, const Check_Context& context)
{
    if (context.small_package)
        return *context.small_package;
    const QString& number = product[products::Product_No];
    if (number.trimmed().isEmpty())
        return false;
    const auto extras = products::Read_Product_Extras(context.data_folder, number);
    return extras && products::Has_Small_Package(*extras);
}

// Characters of the labelling items (the main column and the nutrition table)
// as printed (whole points on a printer page) smaller than 8 points, or 5.5
// points when the package's printable surface is 150 cm² or less; one finding
// for each part with its smallest size.
void Check_Character_Sizes(const Recording_Surface& surface, bool small_package, std::vector<Finding>& findings)
{
    const double smallest_pt = small_package ? 5.5 : 8.0;
    const Surface_Profile& profile = surface.Profile();
    std::map<Label_Block, double> sizes;
    for (const Recording_Surface::Text_Record& run : surface.texts) {
        if ((run.block != Label_Block::Main_Column && run.block != Label_Block::Nutrition)
            || run.text.trimmed().isEmpty())
            continue;
        const double points = std::round(run.font.height * 72.0 * profile.factor / profile.ry) / profile.factor;
        const auto known = sizes.find(run.block);
        if (known == sizes.end() || points < known->second)
            sizes[run.block] = points;
    }
    const QString advice = small_package
        ? QStringLiteral("5.5ポイント以上にしてください")
        : QStringLiteral("8ポイント以上にしてください。包装の表示可能面積が150cm²以下なら、"
                         "商品登録で指定すると5.5ポイントまで使えます");
    for (const auto& [block, points] : sizes)
        if (points < smallest_pt)
            findings.push_back(
                {Severity::Warning,
                 QStringLiteral("%1に%2ポイントの文字があります(%3)").arg(Block_Name(block)).arg(points).arg(advice),
                 block});
}

// The allergens 原材料名 contains against those the label declares: one
// contained and not declared is an error (a warning for a recommended one),
// one declared that no ingredient explains is for the user to confirm. Without
// the summary form "(一部に…を含む)", an ingredient whose name says its
// allergen ("小麦粉", "卵") declares it by itself.
void Check_Allergens(const products::Product_Record& product, const Check_Context& context,
                     std::vector<Finding>& findings)
{
    const auto add = [&](Severity severity, const QString& message) {
        findings.push_back({severity, message, Label_Block::Main_Column});
    };
    if (!context.allergens) {
        add(Severity::Note, QStringLiteral("アレルゲンを確認できません(%1)").arg(context.allergen_error));
        return;
    }
    const products::Allergen_Dictionary& dictionary = *context.allergens;
    using namespace products;
    const QString ingredients = Strip_Tags(product[Ingredients]);
    QString declarations = ingredients;
    for (const int column : {Extra1, Extra2, Extra3, Extra4, Extra5})
        declarations += QLatin1Char('\n') + Strip_Tags(product[column]);
    const Allergen_Declaration declaration = dictionary.Declared_In(declarations);
    QStringList declared = declaration.allergens;
    if (!declaration.summary)
        declared += dictionary.Allergens_Named_In(ingredients);
    const QStringList contained = dictionary.Allergens_In(ingredients);

    const auto quoted = [](const QStringList& names) {
        return QStringLiteral("「") + names.join(QStringLiteral("」「")) + QStringLiteral("」");
    };
    QStringList specified, recommended;
    for (const QString& name : contained)
        if (!declared.contains(name))
            (dictionary.Find(name)->specified ? specified : recommended) << name;
    if (!specified.isEmpty())
        add(Severity::Error,
            QStringLiteral("原材料名に含まれる特定原材料%1がアレルゲンとして表示されていません")
                .arg(quoted(specified)));
    if (!recommended.isEmpty())
        add(Severity::Warning,
            QStringLiteral("原材料名に含まれる特定原材料に準ずるもの%1がアレルゲンとして表示されていません")
                .arg(quoted(recommended)));
    QStringList unexplained;
    for (const QString& name : declaration.allergens)
        if (!contained.contains(name))
            unexplained << name;
    if (!unexplained.isEmpty())
        add(Severity::Note,
            QStringLiteral("アレルゲンとして表示された%1を含む原材料が見当たりません。表示を確かめてください")
                .arg(quoted(unexplained)));
}

// Outlines each finding's parts where they lie in `boxes`.
void Outline_Parts(std::vector<Finding>& findings, const Block_Boxes& boxes)
{
    for (Finding& finding : findings) {
        finding.boxes_mm.clear();
        for (const Label_Block block : {finding.other_block, finding.block})
            if (const auto parts = boxes.find(block); block != Label_Block::Background && parts != boxes.end())
                finding.boxes_mm.push_back(United(parts->second));
    }
}

// The findings of one label, in the scope asked for, with outlines on the
// preview of the label.
std::vector<Finding> Check(const products::Product_Record& product, const layouts::Layout_Record& layout,
                           const Issue_Values& issue, const Check_Context& context, Scope scope)
{
    const std::unique_ptr<Recording_Surface> page = Compose(Printer_Profile(context.printer_dpi, context.printer_dpi),
                                                            context.bar_grid_dpi, product, layout, issue, context);
    const Block_Boxes boxes = Boxes_Of(*page);
    const QRectF label = Page_Area(layout);

    std::vector<Finding> findings;
    Check_Outside(boxes, label, findings);
    Check_Overlaps(boxes, findings);
    std::optional<Symbol> symbol;
    if (!issue.barcode.isEmpty()) {
        Check_Barcode_Number(issue.barcode, findings);
        // On the printer page the symbol always advances across the page, its
        // module whole dots of the grid.
        symbol = Symbol_On(*page, issue.barcode, false);
        if (symbol)
            symbol->module = Printed_Module_Mm(context.bar_grid_dpi);
        if (symbol)
            Check_Quiet_Zones(*symbol, boxes, label, issue.barcode, findings);
    }
    Check_Mark_Sizes(*page, findings);
    Check_Character_Sizes(*page, Small_Package(product, context), findings);
    if (Labelling(scope)) {
        Check_Mandatory_Items(product, issue, findings);
        Check_Date(product, issue, findings);
        Check_Allergens(product, context, findings);
        Check_Nutrition(product, findings);
        Check_Origin(product, findings);
        if (context.check_recipe)
            context.check_recipe(product, findings);
    }
    if (Layout_Wide(scope) && symbol)
        Check_Symbol_Size(*symbol, context.bar_grid_dpi, issue.barcode, findings);
    Outline_Findings(findings, product, layout, issue, context, Preview_Profile(96));
    return findings;
}

}  // namespace

double Printed_Module_Mm(int dpi)
{
    const double dots = std::max(1.0, std::round(0.25 * dpi / 25.4));
    return dots * 25.4 / dpi;
}

QString Block_Name(Label_Block block)
{
    switch (block) {
    case Label_Block::Background:
        return QStringLiteral("背景");
    case Label_Block::Main_Column:
        return QStringLiteral("表示項目");
    case Label_Block::Remarks1:
        return QStringLiteral("備考1");
    case Label_Block::Remarks2:
        return QStringLiteral("備考2");
    case Label_Block::Price:
        return QStringLiteral("価格");
    case Label_Block::Barcode:
        return QStringLiteral("バーコード");
    case Label_Block::Recycle_Mark1:
        return QStringLiteral("識別マーク1");
    case Label_Block::Recycle_Mark2:
        return QStringLiteral("識別マーク2");
    case Label_Block::Nutrition:
        return QStringLiteral("栄養成分表示");
    }
    return {};
}

std::vector<Finding> Check_Label(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                 const Issue_Values& issue, const Check_Context& context)
{
    return Check(product, layout, issue, context, Scope::Label);
}

std::vector<Finding> Check_Layout(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                  const Issue_Values& issue, const Check_Context& context)
{
    return Check(product, layout, issue, context, Scope::Layout);
}

std::vector<Finding> Check_Label_And_Layout(const products::Product_Record& product,
                                            const layouts::Layout_Record& layout, const Issue_Values& issue,
                                            const Check_Context& context)
{
    return Check(product, layout, issue, context, Scope::Label_And_Layout);
}

void Outline_Findings(std::vector<Finding>& findings, const products::Product_Record& product,
                      const layouts::Layout_Record& layout, const Issue_Values& issue, const Check_Context& context,
                      const Surface_Profile& profile)
{
    if (findings.empty())
        return;
    const std::unique_ptr<Recording_Surface> picture = Compose(profile, profile.rx, product, layout, issue, context);
    const Block_Boxes boxes = Boxes_Of(*picture);
    const std::optional<Symbol> symbol = Symbol_On(*picture, issue.barcode, Is_Turned(layout) && !profile.printer);
    Outline_Parts(findings, boxes);
    for (Finding& finding : findings) {
        if (finding.with_quiet_zones && symbol) {
            const auto zones = Quiet_Zones(*symbol, issue.barcode);
            finding.boxes_mm = {symbol->bars.united(zones[0]).united(zones[1])};
        }
    }
}

std::vector<Finding> Check_Placement(const Recording_Surface& surface, const layouts::Layout_Record& layout)
{
    const Block_Boxes boxes = Boxes_Of(surface);
    std::vector<Finding> findings;
    Check_Outside(boxes, Label_Area(layout), findings);
    Check_Overlaps(boxes, findings);
    Outline_Parts(findings, boxes);
    return findings;
}

products::Product_Record Sample_Product()
{
    using namespace products;
    Product_Record p;
    p[Product_Name] = QStringLiteral("品名:苺のショートケーキ");
    p[Category_Name] = QStringLiteral("名称:洋生菓子");
    p[Ingredients] = QStringLiteral("原材料名:小麦粉(国内製造)、砂糖、鶏卵、生クリーム、苺、バター、洋酒/膨張剤、香料、"
                                    "<b>(一部に乳成分・卵・小麦を含む)</b>");
    p[Extra1] = QStringLiteral("添加物:<u>なし</u>");
    p[Extra2] = QStringLiteral("製造所:山田製菓本店");
    p[Contents] = QStringLiteral("内容量:1");
    p[Contents_Unit] = QStringLiteral("個");
    p[Date_Kind] = QStringLiteral("消費期限:");
    p[Date_Format] = QStringLiteral("YYYY年MM月DD日");
    p[Date_Add_Days] = QStringLiteral("3");
    p[Storage] = QStringLiteral("保存方法:要冷蔵(10℃以下)");
    p[Extra3] = QStringLiteral("追加欄３:手作り品");
    p[Extra4] = QStringLiteral("追加欄４:お早めに");
    p[Responsible] = QStringLiteral("製造者:山田製菓株式会社");
    p[Extra5] = QStringLiteral("住所:東京都千代田区1-2-3");
    p[Remarks1] = QStringLiteral("備考:開封後は冷蔵");
    p[Remarks2] = QStringLiteral("お問合せ:03-1234-5678");
    p[Price_Text] = QStringLiteral("本体300円");
    p[Barcode] = QStringLiteral("4901234567894");
    p[Nutrition_Title] = QStringLiteral("栄養成分(1個当たり)");
    p[Energy] = QStringLiteral("エネルギー:250kcal");
    p[Protein] = QStringLiteral("たんぱく質:4.2g");
    p[Fat] = QStringLiteral("脂質:12.1g");
    p[Carbohydrate] = QStringLiteral("炭水化物:30.5g");
    p[Salt_Equivalent] = QStringLiteral("食塩相当量:0.2g");
    p[Nutrient_Extra1] = QStringLiteral("糖質:28.0g");
    p[Recycle1_Mark] = QStringLiteral("プラ");
    p[Recycle1_Text1] = QStringLiteral("容器");
    p[Recycle1_Text2] = QStringLiteral("フタ");
    p[Recycle2_Mark] = QStringLiteral("紙");
    p[Recycle2_Text1] = QStringLiteral("箱");
    return p;
}

QString Severity_Mark(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("誤り");
    case Severity::Warning:
        return QStringLiteral("注意");
    case Severity::Note:
        return QStringLiteral("確認");
    }
    return {};
}

QString Finding_Line(const Finding& finding)
{
    return QStringLiteral("【") + Severity_Mark(finding.severity) + QStringLiteral("】") + finding.message;
}

}  // namespace render
