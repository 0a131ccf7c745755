#include "recipes/recipe_label.h"

#include "recipes/nutrition_rules.h"

#include <QRegularExpression>

#include <algorithm>

namespace recipes {
namespace {

using products::Column;

constexpr double kSaltPerSodiumMg = 2.54 / 1000;

const QString kIngredientSeparator = QStringLiteral("、");
const QString kAdditiveSeparator = QStringLiteral("／");

QString Grams_Text(double grams)
{
    return Number_Text(Round_Half_Up(grams, 1)) + QStringLiteral("g");
}

// A material's values per 100 g: a table food's from the table, an own one's
// as entered (ナトリウム and 食塩相当量 each derived from the other when only one is given).
Nutrient_Values Values_Of(const Material& material, const Food* food)
{
    Nutrient_Values values = food ? food->values : material.values;
    if (!food) {
        if (!values[Sodium] && values[Salt])
            values[Sodium] = *values[Salt] / kSaltPerSodiumMg;
        if (!values[Salt] && values[Sodium])
            values[Salt] = *values[Sodium] * kSaltPerSodiumMg;
    }
    return values;
}

QString Material_Title(const Material& material)
{
    return material.label_name.isEmpty() ? material.name : material.label_name;
}

void Add_Nutrition(Recipe_Label& label, const Recipe& recipe, const std::vector<const Material*>& used,
                   const Food_Table* table)
{
    std::array<double, kNutrients> total{};
    double grams = 0;
    for (size_t n = 0; n < recipe.lines.size(); ++n) {
        const Material& material = *used[n];
        const Recipe_Line& line = recipe.lines[n];
        const Food* food = material.Is_Own() || !table ? nullptr : table->Find(material.code);
        const Nutrient_Values values = Values_Of(material, food);
        QStringList missing;
        QStringList amounts;
        for (int k = 0; k < kNutrients; ++k) {
            const auto nutrient = static_cast<Nutrient>(k);
            if (!values[k])
                missing << Nutrient_Name(nutrient);
            const double amount = values[k].value_or(0) * line.grams / 100;
            total[k] += amount;
            amounts << Nutrient_Name(nutrient) + QLatin1Char(' ') + Number_Text(Round_Half_Up(amount, 3))
                    + Nutrient_Unit(nutrient);
        }
        grams += line.grams;
        const QString source = food ? food->id + QLatin1Char(' ') + food->name : QStringLiteral("独自の材料");
        label.detail << QStringLiteral("%1 %2 (%3): %4")
                            .arg(Material_Title(material), Grams_Text(line.grams), source,
                                 amounts.join(QLatin1Char(' ')));
        if (!missing.isEmpty())
            label.missing << Material_Title(material) + QStringLiteral(": ") + missing.join(QLatin1Char(' '));
    }
    label.batch_grams = recipe.batch_grams > 0 ? recipe.batch_grams : grams;
    if (label.batch_grams <= 0) {
        label.problems << QStringLiteral("材料の重さがありません");
        return;
    }
    if (recipe.unit == Sale_Unit::Per_100g) {
        label.unit_grams = 100;
        label.unit_text = QStringLiteral("100g当たり");
    } else {
        label.unit_grams = recipe.piece_grams > 0 ? recipe.piece_grams
            : recipe.pieces > 0                   ? label.batch_grams / recipe.pieces
                                                  : 0;
        if (label.unit_grams <= 0) {
            label.problems << QStringLiteral("1個の重さか、1回に作る個数を入れてください");
            return;
        }
        label.unit_text = QStringLiteral("1個(%1)当たり").arg(Grams_Text(label.unit_grams));
    }
    for (int k = 0; k < kNutrients; ++k) {
        label.per_100g[k] = total[k] * 100 / label.batch_grams;
        label.per_unit[k] = total[k] * label.unit_grams / label.batch_grams;
    }
    for (int k = 0; k < kNutrients; ++k) {
        const auto nutrient = static_cast<Nutrient>(k);
        const double basis = nutrient == Salt ? label.per_100g[Sodium] : label.per_100g[k];
        label.zero[k] = May_Print_Zero(nutrient, basis);
    }
    label.detail << QStringLiteral("材料の合計 %1、できあがり %2、食品単位 %3")
                        .arg(Grams_Text(grams), Grams_Text(label.batch_grams), label.unit_text);
    QStringList per_100g;
    QStringList per_unit;
    for (int k = 0; k < kNutrients; ++k) {
        const auto nutrient = static_cast<Nutrient>(k);
        const QString name = Nutrient_Name(nutrient) + QLatin1Char(' ');
        per_100g << name + Number_Text(Round_Half_Up(label.per_100g[k], 3)) + Nutrient_Unit(nutrient);
        per_unit << name + Number_Text(Round_Half_Up(label.per_unit[k], 3)) + Nutrient_Unit(nutrient);
    }
    label.detail << QStringLiteral("100g当たり: ") + per_100g.join(QLatin1Char(' '));
    label.detail << label.unit_text + QStringLiteral(": ") + per_unit.join(QLatin1Char(' '));
    for (int k = 0; k < kNutrients; ++k) {
        if (label.zero[k] && k != Sodium)
            label.detail << QStringLiteral("%1は100g当たりの量が少ないので0と表示します")
                                .arg(Nutrient_Name(static_cast<Nutrient>(k)));
    }
    label.detail << (label.missing.isEmpty() ? QStringLiteral("成分表に値のない成分はありません")
                                             : QStringLiteral("成分表に値のない成分(0として計算): ")
                             + label.missing.join(QStringLiteral("、")));
}

// Materials of one printed name (and, for compound ones, the same own list) become one ingredient.
std::vector<Ingredient> Group_Ingredients(const Recipe& recipe, const std::vector<const Material*>& used)
{
    std::vector<Ingredient> groups;
    for (size_t n = 0; n < recipe.lines.size(); ++n) {
        const Material& m = *used[n];
        const QString name = Material_Title(m);
        auto at = std::find_if(groups.begin(), groups.end(), [&](const Ingredient& g) {
            return g.label_name == name && g.additive == m.additive && g.inner == m.ingredients;
        });
        if (at == groups.end()) {
            groups.push_back({name, m.ingredients, m.origin, {}, 0, m.additive});
            at = groups.end() - 1;
        }
        at->grams += recipe.lines[n].grams;
        if (at->origin.isEmpty())
            at->origin = m.origin;
        for (const QString& allergen : m.allergens) {
            if (!at->allergens.contains(allergen))
                at->allergens << allergen;
        }
    }
    std::stable_sort(groups.begin(), groups.end(), [](const Ingredient& a, const Ingredient& b) {
        if (a.additive != b.additive)
            return !a.additive;
        return a.grams > b.grams;
    });
    return groups;
}

QString Ingredient_Text(const Ingredient& ingredient, bool with_origin)
{
    QString text = ingredient.label_name;
    if (with_origin && !ingredient.origin.isEmpty())
        text += QLatin1Char('(') + ingredient.origin + QLatin1Char(')');
    if (!ingredient.inner.trimmed().isEmpty())
        text += QLatin1Char('(') + ingredient.inner.trimmed() + QLatin1Char(')');
    return text;
}

QString Declared_List(const QStringList& allergens)
{
    QStringList names;
    for (const QString& allergen : allergens)
        names << Declared_Allergen_Name(allergen);
    return names.join(QStringLiteral("・"));
}

void Add_Ingredients(Recipe_Label& label, const Recipe& recipe, const std::vector<const Material*>& used,
                     const Allergen_Dictionary& dictionary)
{
    label.ingredients = Group_Ingredients(recipe, used);
    const bool individual = recipe.allergen_form == Allergen_Form::Individual;
    QStringList main;
    QStringList additives;
    bool origin_placed = false;
    for (const Ingredient& ingredient : label.ingredients) {
        const bool heaviest = !ingredient.additive && !origin_placed;
        origin_placed = origin_placed || heaviest;
        if (heaviest && ingredient.origin.trimmed().isEmpty())
            label.origin_notice =
                QStringLiteral("一番重い原材料「%1」の原産地(原料原産地)が入っていません").arg(ingredient.label_name);
        QString text = Ingredient_Text(ingredient, heaviest);
        QStringList undeclared;
        for (const QString& allergen : ingredient.allergens) {
            if (!label.allergens.contains(allergen))
                label.allergens << allergen;
            if (!Names_Allergen(text, allergen, dictionary))
                undeclared << allergen;
        }
        if (individual && !undeclared.isEmpty())
            text += QStringLiteral("(%1%2)").arg(
                Declared_List(undeclared), ingredient.additive ? QStringLiteral("由来") : QStringLiteral("を含む"));
        (ingredient.additive ? additives : main) << text;
    }
    label.ingredient_text = main.join(kIngredientSeparator);
    if (!additives.isEmpty())
        label.ingredient_text += kAdditiveSeparator + additives.join(kIngredientSeparator);
    if (!individual && !label.allergens.isEmpty()) {
        label.allergen_statement = QStringLiteral("(一部に%1を含む)").arg(Declared_List(label.allergens));
        label.ingredient_text += kIngredientSeparator + label.allergen_statement;
    }
}

// The caption part of an item ("原材料名:" of "原材料名:小麦粉…"), "" when it has none.
QString Caption_Of(const QString& text)
{
    const qsizetype colon = text.indexOf(QRegularExpression(QStringLiteral("[:：]")));
    return colon < 0 ? QString() : text.left(colon + 1);
}

QString Row_Caption(const QString& current, Nutrient nutrient)
{
    const QString caption = Caption_Of(current);
    QString plain = caption;
    plain.remove(QRegularExpression(QStringLiteral("[\\s　:：]")));
    const bool names_row = nutrient == Energy ? plain == QStringLiteral("熱量") || plain == QStringLiteral("エネルギー")
                                              : plain == Nutrient_Name(nutrient);
    return names_row ? caption : Nutrient_Name(nutrient) + QLatin1Char(':');
}

bool Is_Estimate_Note(const QString& text)
{
    return text.contains(QStringLiteral("推定値")) || text.contains(QStringLiteral("目安"));
}

}  // namespace

QString Recipe_Label::Printed(Nutrient nutrient) const
{
    return Printed_Amount(nutrient, per_unit[nutrient], zero[nutrient]);
}

Recipe_Label Compute_Label(const Recipe& recipe, const std::vector<Material>& materials, const Food_Table* table,
                           const Allergen_Dictionary& dictionary)
{
    Recipe_Label label;
    std::vector<const Material*> used;
    for (const Recipe_Line& line : recipe.lines) {
        const auto at = std::find_if(materials.begin(), materials.end(),
                                     [&](const Material& m) { return m.code == line.code; });
        if (at == materials.end())
            label.problems << QStringLiteral("材料 %1 が材料の一覧にありません").arg(line.code);
        else if (!at->Is_Own() && (!table || !table->Find(at->code)))
            label.problems
                << QStringLiteral("材料「%1」(%2)が食品成分表にありません").arg(Material_Title(*at), at->code);
        else if (line.grams <= 0)
            label.problems << QStringLiteral("材料「%1」の重さがありません").arg(Material_Title(*at));
        else
            used.push_back(&*at);
    }
    if (recipe.lines.empty())
        label.problems << QStringLiteral("配合に材料がありません");
    if (!label.ok())
        return label;
    Add_Nutrition(label, recipe, used, table);
    if (!label.ok())
        return label;
    Add_Ingredients(label, recipe, used, dictionary);
    return label;
}

std::vector<Item_Change> Proposed_Changes(const products::Product_Record& product, const Recipe_Label& label)
{
    std::vector<Item_Change> changes;
    const auto change = [&](int column, const QString& item, const QString& computed) {
        changes.push_back({column, item, product[column], computed});
    };
    const QString ingredients_caption = Caption_Of(product[Column::Ingredients]);
    change(Column::Ingredients, QStringLiteral("原材料名"),
           (ingredients_caption.isEmpty() ? QStringLiteral("原材料名:") : ingredients_caption) + label.ingredient_text);
    change(Column::Nutrition_Title, QStringLiteral("成分表ﾀｲﾄﾙ"),
           QStringLiteral("栄養成分表示(%1)").arg(label.unit_text));
    for (int row = 0; row < kAmountRows; ++row) {
        const Nutrient nutrient = kRowNutrients[row];
        const int column = Column::Energy + row;
        change(column, Nutrient_Name(nutrient), Row_Caption(product[column], nutrient) + label.Printed(nutrient));
    }
    const int first_extra = Column::Nutrient_Extra1;
    int note_column = 0;
    for (int column = first_extra; column < first_extra + 10 && note_column == 0; ++column) {
        if (Is_Estimate_Note(product[column]))
            note_column = column;
    }
    for (int column = first_extra + 9; column >= first_extra && note_column == 0; --column) {
        const bool free = product[column].trimmed().isEmpty();
        const bool last_free = free && (column == first_extra || !product[column - 1].trimmed().isEmpty());
        if (last_free)
            note_column = column;
    }
    if (note_column != 0)
        change(note_column, QStringLiteral("成分追加%1").arg(note_column - first_extra + 1), kEstimateNote);
    else  // every 成分追加 row is taken: the title carries the note
        changes[1].computed += QStringLiteral("推定値");
    return changes;
}

products::Product_Record Apply_Changes(products::Product_Record product, const std::vector<Item_Change>& changes)
{
    for (const Item_Change& change : changes)
        product[change.column] = change.computed;
    return product;
}

QStringList Report_Lines(const Recipe_Label& label, bool detail)
{
    if (!label.ok())
        return label.problems;
    QStringList lines;
    lines << QStringLiteral("栄養成分表示(%1)").arg(label.unit_text);
    for (const Nutrient nutrient : kRowNutrients)
        lines << Nutrient_Name(nutrient) + QLatin1Char(':') + label.Printed(nutrient);
    lines << kEstimateNote;
    lines << QStringLiteral("原材料名:") + label.ingredient_text;
    lines << QStringLiteral("アレルゲン:")
            + (label.allergens.isEmpty() ? QStringLiteral("なし") : Declared_List(label.allergens));
    if (!label.origin_notice.isEmpty())
        lines << label.origin_notice;
    if (detail)
        lines << QStringLiteral("計算の内訳:") << label.detail;
    return lines;
}

}  // namespace recipes
