#include "render/label_check.h"

#include "render/date_stamp.h"
#include "render/ean.h"
#include "render/label_composer.h"
#include "render/markup.h"
#include "render/recording_surface.h"
#include "store/text_helpers.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>

namespace render {

namespace {

constexpr double kToleranceMm = 0.1;
constexpr double kNominalBarHeightMm = 22.85;  // EAN-13 bars at 100 %

// Notices of the composer (missing pictures, base date) are shown when the
// label is previewed or printed; the check keeps quiet about them.
class Quiet_Answerer : public store::Confirmation {
public:
    bool Show_Confirmation(const store::Confirmation_Request&) override { return true; }
    void Show_Message_Box(const QString&) override {}
};

using Block_Boxes = std::map<Label_Block, std::vector<QRectF>>;

// The label as it is read (a turned layout is wider than high), in millimetres.
QRectF Label_Area(const layouts::Layout_Record& layout)
{
    const double width = layout.Number(layouts::Label_Width);
    const double length = layout.Number(layouts::Label_Length);
    return Is_Turned(layout) ? QRectF(0, 0, length, width) : QRectF(0, 0, width, length);
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

void Check_Outside(const Block_Boxes& boxes, const QRectF& label, std::vector<Finding>& findings)
{
    const QRectF inside = label.adjusted(-kToleranceMm, -kToleranceMm, kToleranceMm, kToleranceMm);
    for (const auto& [block, parts] : boxes) {
        const auto out = std::count_if(parts.begin(), parts.end(), [&](const QRectF& box) { return !inside.contains(box); });
        const auto gone = std::count_if(parts.begin(), parts.end(), [&](const QRectF& box) { return Apart(box, label); });
        if (gone == static_cast<long>(parts.size()))
            findings.push_back({Severity::Error, Block_Name(block) + QStringLiteral("がラベルの外にあり、印刷されません"),
                                block, {United(parts)}});
        else if (out > 0)
            findings.push_back({Severity::Error, Block_Name(block) + QStringLiteral("の一部がラベルからはみ出しています"),
                                block, {United(parts)}});
    }
}

void Check_Overlaps(const Block_Boxes& boxes, std::vector<Finding>& findings)
{
    for (auto a = boxes.begin(); a != boxes.end(); ++a)
        for (auto b = std::next(a); b != boxes.end(); ++b)
            if (Any_Overlap(a->second, b->second))
                findings.push_back({Severity::Error,
                                    Block_Name(a->first) + QStringLiteral("と") + Block_Name(b->first)
                                        + QStringLiteral("が重なっています"),
                                    b->first, {United(a->second), United(b->second)}});
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

// The module printed at this resolution against the nominal 0.33 mm; when it is
// out of range, the smallest whole-dot module within range and the bar height
// that goes with its magnification.
void Check_Module(int dpi, std::vector<Finding>& findings)
{
    const double module = Printed_Module_Mm(dpi);
    const double magnification = module / kNominalModuleMm;
    if (magnification >= kMinimumMagnification && magnification <= kMaximumMagnification)
        return;
    const int dots = static_cast<int>(std::lround(module * dpi / 25.4));
    const int fitting_dots = static_cast<int>(std::ceil(kNominalModuleMm * kMinimumMagnification * dpi / 25.4 - 1e-9));
    const double fitting_module = fitting_dots * 25.4 / dpi;
    const double fitting_magnification = fitting_module / kNominalModuleMm;
    findings.push_back({Severity::Warning,
                        QStringLiteral("バーコードのモジュールは%1ドット(%2mm)で標準0.33mmの%3%です。"
                                       "80〜200%の範囲外のため読めないことがあります。"
                                       "このプリンタでは%4ドット(%5mm、%6%)のモジュールと%7mm以上のバーの高さが範囲内です")
                            .arg(dots)
                            .arg(module, 0, 'f', 3)
                            .arg(magnification * 100, 0, 'f', 1)
                            .arg(fitting_dots)
                            .arg(fitting_module, 0, 'f', 3)
                            .arg(fitting_magnification * 100, 0, 'f', 1)
                            .arg(kNominalBarHeightMm * fitting_magnification, 0, 'f', 1),
                        Label_Block::Barcode});
}

// The quiet zones beside the symbol: along the direction the bars advance
// (downwards on a turned label), 11 and 7 modules for EAN-13, 7 and 7 for EAN-8.
void Check_Quiet_Zones(const Block_Boxes& boxes, const QRectF& label, bool downwards, const QString& digits,
                       int dpi, std::vector<Finding>& findings)
{
    const auto barcode = boxes.find(Label_Block::Barcode);
    if (barcode == boxes.end())
        return;
    const QRectF symbol = United(barcode->second);
    const double module = Printed_Module_Mm(dpi);
    const double before = (digits.size() == 13 ? 11 : 7) * module;
    const double after = 7 * module;
    const QRectF zones[] = {
        downwards ? QRectF(symbol.left(), symbol.top() - before, symbol.width(), before)
                  : QRectF(symbol.left() - before, symbol.top(), before, symbol.height()),
        downwards ? QRectF(symbol.left(), symbol.bottom(), symbol.width(), after)
                  : QRectF(symbol.right(), symbol.top(), after, symbol.height()),
    };
    const QRectF inside = label.adjusted(-kToleranceMm, -kToleranceMm, kToleranceMm, kToleranceMm);
    bool outside = false, covered = false;
    for (const QRectF& zone : zones) {
        outside = outside || !inside.contains(zone);
        for (const auto& [block, parts] : boxes)
            covered = covered || (block != Label_Block::Barcode && Any_Overlap({zone}, parts));
    }
    const QRectF with_zones = symbol.united(zones[0]).united(zones[1]);
    if (outside)
        findings.push_back({Severity::Error, QStringLiteral("バーコードの左右の余白(クワイエットゾーン)がラベルからはみ出しています"),
                            Label_Block::Barcode, {with_zones}});
    if (covered)
        findings.push_back({Severity::Error, QStringLiteral("バーコードの左右の余白(クワイエットゾーン)に他の表示が重なっています"),
                            Label_Block::Barcode, {with_zones}});
}

// The text of an item without its markup and its caption (up to the first colon).
QString Item_Value(const QString& item)
{
    const QString text = Strip_Tags(item).trimmed();
    const qsizetype colon = text.indexOf(QRegularExpression(QStringLiteral("[:：]")));
    return (colon < 0 ? text : text.mid(colon + 1)).trimmed();
}

// Whether the 責任者 item or an extra item beside it holds something that reads
// as an address: a prefecture, or a city, ward, town or village.
bool Has_Address(const products::Product_Record& product)
{
    static const QRegularExpression address(
        QStringLiteral("東京都|北海道|大阪府|京都府|\\p{Han}{2,3}県|[\\p{Han}\\p{Hiragana}\\p{Katakana}]{1,5}[市区町村郡]"));
    using namespace products;
    for (const int column : {Responsible, Extra1, Extra2, Extra3, Extra4, Extra5})
        if (Item_Value(product[column]).contains(address))
            return true;
    return false;
}

// Items the food labelling standard requires, empty or holding only their caption.
void Check_Mandatory_Items(const products::Product_Record& product, const Issue_Values& issue,
                           std::vector<Finding>& findings)
{
    using namespace products;
    const auto require = [&](const QString& value, const QString& caption) {
        if (Item_Value(value).isEmpty())
            findings.push_back({Severity::Warning,
                                QStringLiteral("「%1」が空欄です(表示が義務付けられています)").arg(caption),
                                Label_Block::Main_Column});
    };
    require(product[Category_Name], QStringLiteral("名称"));
    require(product[Ingredients], QStringLiteral("原材料名"));
    require(issue.contents, QStringLiteral("内容量"));
    if (product[Date_Kind] != QStringLiteral("表示しない") && product[Date_Elsewhere_Note].trimmed().isEmpty()) {
        // A product without a date kind is named by both kinds.
        const QString kind = QString(product[Date_Kind]).remove(QRegularExpression(QStringLiteral("[:：]$"))).trimmed();
        require(product[Date_Format], kind.isEmpty() ? QStringLiteral("消費期限または賞味期限") : kind);
    }
    require(product[Storage], QStringLiteral("保存方法"));
    require(product[Responsible], QStringLiteral("責任者"));
    if (!Item_Value(product[Responsible]).isEmpty() && !Has_Address(product))
        findings.push_back({Severity::Warning,
                            QStringLiteral("責任者の住所が見当たりません(氏名または名称と住所を表示してください)"),
                            Label_Block::Main_Column});
}

// The five rows a nutrition table must hold, in this order, each with a value;
// checked when the label prints a nutrition table at all.
void Check_Nutrition(const products::Product_Record& product, std::vector<Finding>& findings)
{
    using namespace products;
    bool printed = false;
    for (int column = Nutrition_Title; column <= Nutrient_Extra1 + 9; ++column)
        printed = printed || !Strip_Tags(product[column]).trimmed().isEmpty();
    if (!printed)
        return;
    struct Row {
        int column;
        QStringList captions;
    };
    const Row rows[] = {
        {Energy, {QStringLiteral("熱量"), QStringLiteral("エネルギー")}},
        {Protein, {QStringLiteral("たんぱく質")}},
        {Fat, {QStringLiteral("脂質")}},
        {Carbohydrate, {QStringLiteral("炭水化物")}},
        {Salt_Equivalent, {QStringLiteral("食塩相当量")}},
    };
    const auto warn = [&](const QString& message) {
        findings.push_back({Severity::Warning, message, Label_Block::Nutrition});
    };
    for (const Row& row : rows) {
        const QString text = Strip_Tags(product[row.column]);
        const bool captioned = std::any_of(row.captions.begin(), row.captions.end(),
                                           [&](const QString& caption) { return text.contains(caption); });
        if (row.column == Salt_Equivalent && !captioned && text.contains(QStringLiteral("ナトリウム")))
            warn(QStringLiteral("栄養成分表示にナトリウムだけがあり、食塩相当量がありません"));
        else if (!captioned)
            warn(QStringLiteral("栄養成分表示の%1番目の行は「%2」にしてください")
                     .arg(&row - rows + 1)
                     .arg(row.captions.join(QStringLiteral("」または「"))));
        else if (Item_Value(text).isEmpty())
            warn(QStringLiteral("栄養成分表示の「%1」に値がありません").arg(row.captions.front()));
    }
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
                                    .arg(size.width(), 0, 'f', 1)
                                    .arg(size.height(), 0, 'f', 1),
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
    const std::optional<QDateTime> base = Base_Date(issue);
    if (!base) {
        error(QStringLiteral("基準日時が正しい日付ではありません(今日の日付で印刷されます)"));
        return;
    }
    const std::optional<QDateTime> stamp = Stamp_Date(*base, store::Lenient_Number(issue.add_days));
    if (!stamp)
        error(QStringLiteral("加算日が大きすぎて期限の日付を印刷できません"));
    else if (stamp->date() < base->date())
        error(QStringLiteral("期限の日付(%1)が基準日(%2)より前です")
                  .arg(stamp->date().toString(QStringLiteral("yyyy/MM/dd")),
                       base->date().toString(QStringLiteral("yyyy/MM/dd"))));
}

// Characters of the labelling items (the main column and the nutrition table)
// smaller than 8 points, or 5.5 points on a label of 150 cm² or less; one
// finding for each part with its smallest size.
void Check_Character_Sizes(const Recording_Surface& surface, const layouts::Layout_Record& layout,
                           std::vector<Finding>& findings)
{
    const QRectF label = Label_Area(layout);
    const bool small_label = label.width() * label.height() <= 150 * 100;
    const double smallest_pt = small_label ? 5.5 : 8.0;
    const Surface_Profile& profile = surface.Profile();
    std::map<Label_Block, double> sizes;
    for (const Recording_Surface::Text_Record& run : surface.texts) {
        if ((run.block != Label_Block::Main_Column && run.block != Label_Block::Nutrition) || run.text.trimmed().isEmpty())
            continue;
        // Fonts are built from whole points of the surface (half points on the preview).
        const double points = std::round(run.font.height * 72.0 / profile.ry) / profile.factor;
        const auto known = sizes.find(run.block);
        if (known == sizes.end() || points < known->second)
            sizes[run.block] = points;
    }
    for (const auto& [block, points] : sizes)
        if (points < smallest_pt)
            findings.push_back({Severity::Warning,
                                QStringLiteral("%1に%2ポイントの文字があります(%3ポイント以上にしてください)")
                                    .arg(Block_Name(block))
                                    .arg(points)
                                    .arg(smallest_pt),
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
        add(Severity::Error, QStringLiteral("原材料名に含まれる特定原材料%1がアレルゲンとして表示されていません")
                                 .arg(quoted(specified)));
    if (!recommended.isEmpty())
        add(Severity::Warning, QStringLiteral("原材料名に含まれる特定原材料に準ずるもの%1がアレルゲンとして表示されていません")
                                   .arg(quoted(recommended)));
    QStringList unexplained;
    for (const QString& name : declaration.allergens)
        if (!contained.contains(name))
            unexplained << name;
    if (!unexplained.isEmpty())
        add(Severity::Note, QStringLiteral("アレルゲンとして表示された%1を含む原材料が見当たりません。表示を確かめてください")
                                .arg(quoted(unexplained)));
}

Block_Boxes Boxes_Of(const Recording_Surface& surface)
{
    Block_Boxes boxes;
    for (const Recording_Surface::Ink& ink : surface.inks)
        if (ink.block != Label_Block::Background)
            boxes[ink.block].push_back(ink.box_mm);
    return boxes;
}

// The findings of one label; those about the product's texts only when `labelling`.
std::vector<Finding> Check(const products::Product_Record& product, const layouts::Layout_Record& layout,
                           const Issue_Values& issue, const Check_Context& context, bool labelling)
{
    // The preview draws the label as it is read, at its own size.
    Recording_Surface surface(Preview_Profile(96));
    Quiet_Answerer quiet;
    Label_Composer(surface, product, layout, issue, {context.settings, context.data_folder, quiet});
    const Block_Boxes boxes = Boxes_Of(surface);

    std::vector<Finding> findings;
    const QRectF label = Label_Area(layout);
    Check_Outside(boxes, label, findings);
    Check_Overlaps(boxes, findings);
    if (!issue.barcode.isEmpty()) {
        Check_Barcode_Number(issue.barcode, findings);
        if (boxes.contains(Label_Block::Barcode)) {
            Check_Module(context.printer_dpi, findings);
            Check_Quiet_Zones(boxes, label, Is_Turned(layout), issue.barcode, context.printer_dpi, findings);
        }
    }
    Check_Mark_Sizes(surface, findings);
    Check_Character_Sizes(surface, layout, findings);
    if (labelling) {
        Check_Mandatory_Items(product, issue, findings);
        Check_Date(product, issue, findings);
        Check_Allergens(product, context, findings);
        Check_Nutrition(product, findings);
        if (context.check_recipe)
            context.check_recipe(product, findings);
    }
    for (Finding& finding : findings)
        if (const auto parts = boxes.find(finding.block); finding.boxes_mm.empty() && parts != boxes.end())
            finding.boxes_mm = {United(parts->second)};
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
    case Label_Block::Background: return QStringLiteral("背景");
    case Label_Block::Main_Column: return QStringLiteral("表示項目");
    case Label_Block::Remarks1: return QStringLiteral("備考1");
    case Label_Block::Remarks2: return QStringLiteral("備考2");
    case Label_Block::Price: return QStringLiteral("価格");
    case Label_Block::Barcode: return QStringLiteral("バーコード");
    case Label_Block::Recycle_Mark1: return QStringLiteral("識別マーク1");
    case Label_Block::Recycle_Mark2: return QStringLiteral("識別マーク2");
    case Label_Block::Nutrition: return QStringLiteral("栄養成分表示");
    }
    return {};
}

std::vector<Finding> Check_Label(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                 const Issue_Values& issue, const Check_Context& context)
{
    return Check(product, layout, issue, context, true);
}

std::vector<Finding> Check_Layout(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                  const Issue_Values& issue, const Check_Context& context)
{
    return Check(product, layout, issue, context, false);
}

std::vector<Finding> Check_Placement(const Recording_Surface& surface, const layouts::Layout_Record& layout)
{
    const Block_Boxes boxes = Boxes_Of(surface);
    std::vector<Finding> findings;
    Check_Outside(boxes, Label_Area(layout), findings);
    Check_Overlaps(boxes, findings);
    return findings;
}

products::Product_Record Sample_Product()
{
    using namespace products;
    Product_Record p;
    p[Product_Name] = QStringLiteral("品名:苺のショートケーキ");
    p[Category_Name] = QStringLiteral("名称:洋生菓子");
    p[Ingredients] = QStringLiteral("原材料名:小麦粉、砂糖、鶏卵、生クリーム、苺、バター、洋酒/膨張剤、香料、"
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
    case Severity::Error: return QStringLiteral("誤り");
    case Severity::Warning: return QStringLiteral("注意");
    case Severity::Note: return QStringLiteral("確認");
    }
    return {};
}

QString Finding_Line(const Finding& finding)
{
    return QStringLiteral("【") + Severity_Mark(finding.severity) + QStringLiteral("】") + finding.message;
}

}  // namespace render
