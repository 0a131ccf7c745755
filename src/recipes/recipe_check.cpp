#include "recipes/recipe_check.h"

#include "recipes/nutrition_rules.h"
#include "recipes/product_recipe.h"
#include "render/markup.h"

#include <QRegularExpression>

#include <cmath>
#include <map>

namespace recipes {
namespace {

using render::Finding;
using render::Label_Block;
using render::Severity;

// Top-level pieces of the text between separators; separators inside parentheses stay.
QStringList Split_Top_Level(const QString& text, const QString& separators)
{
    QStringList pieces;
    QString piece;
    int depth = 0;
    for (const QChar c : text) {
        if (c == u'(' || c == u'（')
            ++depth;
        else if ((c == u')' || c == u'）') && depth > 0)
            --depth;
        if (depth == 0 && separators.contains(c)) {
            pieces << piece.trimmed();
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces << piece.trimmed();
    pieces.removeAll(QString());
    return pieces;
}

QString Name_Before_Parentheses(const QString& piece)
{
    const qsizetype open = piece.indexOf(QRegularExpression(QStringLiteral("[(（]")));
    return (open < 0 ? piece : piece.left(open)).trimmed();
}

// Ingredients printed before one that is heavier in the recipe.
void Check_Order(const QStringList& printed, const std::vector<Ingredient>& ingredients, bool additives,
                 std::vector<Finding>& findings)
{
    std::map<QString, double> grams;
    for (const Ingredient& ingredient : ingredients) {
        if (ingredient.additive == additives)
            grams[ingredient.label_name] += ingredient.grams;
    }
    QString previous;
    for (const QString& name : printed) {
        if (!grams.count(name))
            continue;
        if (!previous.isEmpty() && grams[previous] < grams[name]) {
            findings.push_back({Severity::Error,
                                QStringLiteral("原材料名の「%1」(%2g)が配合でより重い「%3」(%4g)より前にあります。"
                                               "重さの順に並べてください")
                                    .arg(previous, Number_Text(grams[previous]), name, Number_Text(grams[name])),
                                Label_Block::Main_Column});
        }
        previous = name;
    }
    for (const auto& [name, weight] : grams) {
        if (!printed.contains(name))
            findings.push_back({Severity::Warning,
                                QStringLiteral("配合の%1「%2」が原材料名にありません")
                                    .arg(additives ? QStringLiteral("添加物") : QStringLiteral("原材料"), name),
                                Label_Block::Main_Column});
    }
}

void Check_Allergens(const products::Product_Record& product, const Recipe_Label& label,
                     const Allergen_Dictionary& dictionary, std::vector<Finding>& findings)
{
    const QString ingredients = render::Strip_Tags(product[products::Ingredients]);
    QString declarations = ingredients;
    for (const int column : {products::Extra1, products::Extra2, products::Extra3, products::Extra4, products::Extra5})
        declarations += QLatin1Char('\n') + render::Strip_Tags(product[column]);
    const products::Allergen_Declaration declaration = dictionary.Declared_In(declarations);
    QStringList declared = declaration.allergens;
    if (!declaration.summary)
        declared += dictionary.Allergens_Named_In(ingredients);
    QStringList missing;
    for (const QString& allergen : label.allergens) {
        if (!declared.contains(allergen))
            missing << Declared_Allergen_Name(allergen);
    }
    if (!missing.isEmpty())
        findings.push_back({Severity::Error,
                            QStringLiteral("配合に含まれるアレルゲン「%1」が原材料名に表示されていません")
                                .arg(missing.join(QStringLiteral("」「"))),
                            Label_Block::Main_Column});
}

// What a nutrition row prints after its caption.
QString Printed_Value(const QString& row_text)
{
    const qsizetype colon = row_text.indexOf(QRegularExpression(QStringLiteral("[:：]")));
    return row_text.mid(colon + 1).trimmed();
}

void Check_Nutrition_Values(const products::Product_Record& product, const Recipe_Label& label,
                            std::vector<Finding>& findings)
{
    for (int row = 0; row < kAmountRows; ++row) {
        const Nutrient nutrient = kRowNutrients[row];
        const QString text = render::Strip_Tags(product[products::Energy + row]);
        const std::optional<double> printed = Printed_Number(text);
        if (!printed)
            continue;
        const double computed = label.per_unit[nutrient];
        const double basis = nutrient == Salt ? label.per_100g[Sodium] : label.per_100g[nutrient];
        const bool below = text.contains(QStringLiteral("未満"));
        bool within = false;
        if (below)
            within = computed < *printed;
        else if (*printed == 0 && label.zero[nutrient])
            within = true;
        else  // rounding to the printed place comes on top of the tolerance
            within = std::abs(*printed - computed) <= Tolerance(nutrient, computed, basis, label.unit_grams)
                    + 0.5 * std::pow(10.0, -Printed_Places(nutrient)) + 1e-9;
        if (within)
            continue;
        findings.push_back({Severity::Warning,
                            QStringLiteral("栄養成分表示の%1 %2 は配合から計算した %3 と許容差(%4)を超えて違います")
                                .arg(Nutrient_Name(nutrient), Printed_Value(text), label.Printed(nutrient),
                                     Tolerance_Text(nutrient, basis)),
                            Label_Block::Nutrition});
    }
}

}  // namespace

Printed_Ingredients Split_Printed_Ingredients(const QString& item_text)
{
    QString text = render::Strip_Tags(item_text);
    const qsizetype colon = text.indexOf(QRegularExpression(QStringLiteral("[:：]")));
    const qsizetype open = text.indexOf(QRegularExpression(QStringLiteral("[(（]")));
    if (colon >= 0 && (open < 0 || colon < open))
        text = text.mid(colon + 1);
    text = products::Without_Declarations(text);
    const QStringList halves = Split_Top_Level(text, QStringLiteral("／/"));
    Printed_Ingredients printed;
    const QString separators = QStringLiteral("、，,");
    for (const QString& piece : Split_Top_Level(halves.value(0), separators))
        printed.ingredients << Name_Before_Parentheses(piece);
    for (const QString& piece : Split_Top_Level(halves.mid(1).join(QLatin1Char('/')), separators))
        printed.additives << Name_Before_Parentheses(piece);
    printed.ingredients.removeAll(QString());
    printed.additives.removeAll(QString());
    return printed;
}

std::vector<render::Finding> Check_Against_Recipe(const products::Product_Record& product, const Recipe_Label& label,
                                                  const Allergen_Dictionary& dictionary)
{
    std::vector<Finding> findings;
    if (!label.ok())
        return findings;
    const Printed_Ingredients printed = Split_Printed_Ingredients(product[products::Ingredients]);
    Check_Order(printed.ingredients, label.ingredients, false, findings);
    Check_Order(printed.additives, label.ingredients, true, findings);
    Check_Allergens(product, label, dictionary, findings);
    Check_Nutrition_Values(product, label, findings);
    return findings;
}

render::Recipe_Check Recipe_Check_For(const QString& data_folder, const QString& program_folder,
                                      const Food_Tables& tables)
{
    return [data_folder, program_folder, tables](const products::Product_Record& product,
                                                 std::vector<render::Finding>& findings) {
        const Product_Recipe computed = Compute_Product_Recipe(data_folder, program_folder,
                                                               product[products::Product_No], tables);
        if (!computed.recipe)
            return;
        if (!computed.ok() || !computed.label.ok()) {
            const QString reason = computed.ok() ? computed.label.problems.value(0) : computed.error;
            findings.push_back(
                {Severity::Note, QStringLiteral("配合と比べられません(%1)").arg(reason), Label_Block::Main_Column});
            return;
        }
        const std::optional<Allergen_Dictionary> dictionary = Read_Allergen_Dictionary(program_folder, data_folder);
        if (!dictionary)
            return;  // the label check notes the missing dictionary itself
        for (Finding& finding : Check_Against_Recipe(product, computed.label, *dictionary))
            findings.push_back(std::move(finding));
    };
}

}  // namespace recipes
