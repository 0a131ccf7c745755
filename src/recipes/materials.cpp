#include "recipes/materials.h"

#include "recipes/recipe_file.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

#include <algorithm>
#include <cmath>

namespace recipes {
namespace {

constexpr int kMaterialFields = 14;
const QString kTableKind = QStringLiteral("食品成分表");
const QString kOwnKind = QStringLiteral("独自");
const QString kAdditiveMark = QStringLiteral("添加物");
const QChar kAllergenSeparator(u'・');

QString Clean(const QString& text)
{
    return store::Strip_Control_Chars(text);
}

bool Valid_Material_Line(const QString& line)
{
    return Parse_Material_Line(line).has_value();
}

QString Code_Of(const QString& line)
{
    return line.section(QLatin1Char('\t'), 0, 0);
}

}  // namespace

QString Number_Text(std::optional<double> value)
{
    if (!value)
        return {};
    QString text = QString::number(*value, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

std::optional<std::optional<double>> Parse_Amount(const QString& text)
{
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (plain.isEmpty())
        return std::optional<double>();
    bool ok = false;
    const double value = plain.toDouble(&ok);
    static const QString allowed = QStringLiteral("0123456789.");
    const bool plain_number = std::all_of(plain.begin(), plain.end(), [](QChar c) { return allowed.contains(c); });
    if (!ok || !plain_number || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return std::optional<double>(value);
}

const Material* Materials_File::Find(const QString& code) const
{
    for (const Material& material : materials) {
        if (material.code == code)
            return &material;
    }
    return nullptr;
}

QString Material_Line(const Material& m)
{
    QStringList allergens;
    for (const QString& allergen : m.allergens) {
        if (const QString clean = Clean(allergen); !clean.isEmpty())
            allergens << clean;
    }
    QStringList fields = {Clean(m.code),
                          m.Is_Own() ? kOwnKind : kTableKind,
                          Clean(m.name),
                          Clean(m.label_name),
                          allergens.join(kAllergenSeparator),
                          m.additive ? kAdditiveMark : QString(),
                          Clean(m.ingredients),
                          Clean(m.origin)};
    for (const std::optional<double>& value : m.values)
        fields << Number_Text(value);
    return fields.join(QLatin1Char('\t'));
}

std::optional<Material> Parse_Material_Line(const QString& line)
{
    const QStringList fields = line.split(QLatin1Char('\t'));
    Material m;
    m.code = Clean(fields.value(0));  // as it is written back
    if (fields.size() != kMaterialFields || m.code.isEmpty())
        return std::nullopt;
    if ((fields[1] == kOwnKind) != m.Is_Own() || (fields[1] != kOwnKind && fields[1] != kTableKind))
        return std::nullopt;
    m.name = fields[2];
    m.label_name = fields[3];
    m.allergens = fields[4].split(kAllergenSeparator, Qt::SkipEmptyParts);
    m.additive = fields[5] == kAdditiveMark;
    m.ingredients = fields[6];
    m.origin = fields[7];
    for (int n = 0; n < kNutrients; ++n) {
        const std::optional<std::optional<double>> value = Parse_Amount(fields[8 + n]);
        if (!value)
            return std::nullopt;
        m.values[n] = *value;
    }
    return m;
}

Materials_File Read_Materials(const QString& data_folder)
{
    Materials_File file;
    const Data_Lines lines = Read_Data_Lines(data_folder, kMaterialsFileName, Valid_Material_Line);
    file.error = lines.error;
    for (const QString& line : lines.records)
        file.materials.push_back(*Parse_Material_Line(line));
    return file;
}

store::Outcome Store_Materials(const QString& data_folder, const std::vector<Material>& materials)
{
    const QString failed = QStringLiteral("材料を保存できません");
    QStringList new_lines;
    for (const Material& material : materials) {
        if (material.code.isEmpty() || material.name.trimmed().isEmpty())
            return store::Outcome::Failed({failed, QStringLiteral("材料名がありません")});
        new_lines << Material_Line(material);
        const QString unencodable = store::First_Unencodable(new_lines.back());
        if (!unencodable.isEmpty())
            return store::Outcome::Failed({failed, store::Unencodable_Message(unencodable)});
    }
    return Change_Data_Lines(data_folder, kMaterialsFileName, kMaterialsTempName, Valid_Material_Line, failed,
                             [&new_lines](QStringList& records) {
                                 for (const QString& line : new_lines) {
                                     const auto at =
                                         std::find_if(records.begin(), records.end(),
                                                      [&](const QString& l) { return Code_Of(l) == Code_Of(line); });
                                     if (at != records.end())
                                         *at = line;
                                     else
                                         records << line;
                                 }
                             });
}

store::Outcome Delete_Material(const QString& data_folder, const QString& code)
{
    const QString failed = QStringLiteral("材料を削除できません");
    // A recipe that lost a material could no longer be computed: the material
    // stays until no recipe uses it.
    const Recipes_File recipes = Read_Recipes(data_folder);
    if (!recipes.ok())
        return store::Outcome::Failed({failed, recipes.error});
    QStringList users;
    for (const Recipe& recipe : recipes.recipes) {
        if (std::any_of(recipe.lines.begin(), recipe.lines.end(), [&](const Recipe_Line& l) { return l.code == code; }))
            users << recipe.product_no;
    }
    if (!users.isEmpty()) {
        const Materials_File materials = Read_Materials(data_folder);
        const Material* material = materials.Find(code);
        return store::Outcome::Failed({failed, QStringLiteral("配合で使われています"),
                                       QStringLiteral("「%1」を使う登録番号: %2")
                                           .arg(material ? material->name : code, users.join(QStringLiteral("、")))});
    }
    return Change_Data_Lines(
        data_folder, kMaterialsFileName, kMaterialsTempName, Valid_Material_Line, failed,
        [&code](QStringList& records) { records.removeIf([&](const QString& l) { return Code_Of(l) == code; }); });
}

QString Next_Own_Code(const std::vector<Material>& materials)
{
    int highest = 0;
    for (const Material& material : materials) {
        if (material.Is_Own())
            highest = std::max(highest, material.code.mid(1).toInt());
    }
    return kOwnCodeLetter + QStringLiteral("%1").arg(highest + 1, 4, 10, QLatin1Char('0'));
}

}  // namespace recipes
