#pragma once
// From a recipe to the label's items: the nutrition rows per 食品単位, the
// 原材料名 in descending order of weight with compound ingredients in
// parentheses and additives after "／", the allergen declaration, and the
// origin of the heaviest ingredient. The product's items change only when the
// user accepts what is computed here.
#include "products/product_record.h"
#include "recipes/food_table.h"
#include "recipes/materials.h"
#include "recipes/proposals.h"
#include "recipes/recipe_file.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace recipes {

// The note computed values carry.
inline const QString kEstimateNote = QStringLiteral("この表示値は、目安です。");

// One printed ingredient: materials of one printed name, their weight together.
struct Ingredient {
    QString label_name;
    QString inner;  // a compound ingredient's own ingredients
    QString origin;
    QStringList allergens;
    double grams = 0;
    bool additive = false;
};

struct Recipe_Label {
    QStringList problems;  // what stops the computation (an unknown material, no weight)

    // Nutrition per 食品単位.
    double batch_grams = 0;
    double unit_grams = 0;
    QString unit_text;  // "1個(45g)当たり" or "100g当たり"
    std::array<double, kNutrients> per_unit{};
    std::array<double, kNutrients> per_100g{};
    std::array<bool, kNutrients> zero{};
    QStringList missing;  // "上白糖: たんぱく質" for each value the table leaves out

    // 原材料名.
    std::vector<Ingredient> ingredients;  // ingredients by weight, then additives by weight
    QString ingredient_text;              // the list with the declaration, without the item's caption
    QStringList allergens;                // declared, in the order they first appear
    QString allergen_statement;           // "(一部に小麦・卵を含む)", "" when none or declared one by one
    QString origin_notice;                // set when the heaviest ingredient has no origin

    QStringList detail;  // the computation, line by line

    bool ok() const { return problems.isEmpty(); }
    // The printed amount of a nutrient ("123kcal").
    QString Printed(Nutrient nutrient) const;
};

// Computes the label for the recipe with the materials and the table (null:
// no table foods can be computed). The dictionary names allergens in the
// individual form.
Recipe_Label Compute_Label(const Recipe& recipe, const std::vector<Material>& materials, const Food_Table* table,
                           const Allergen_Dictionary& dictionary);

// The printed amount rows, in the product's columns Energy .. Salt_Equivalent.
constexpr int kAmountRows = 5;
constexpr Nutrient kRowNutrients[kAmountRows] = {Energy, Protein, Fat, Carbohydrate, Salt};

// An item of the product that the computation would change.
struct Item_Change {
    int column = 0;
    QString item;      // the item's name on the registration screen
    QString current;   // what the product has
    QString computed;  // what it would get
    bool Changes() const { return current != computed; }
};

// What the computed label would make of the product's items: 原材料名, the
// nutrition title, the five rows (their captions kept where they name the
// row) and the estimate note in the first free 成分追加 row (or the one that
// holds it already).
std::vector<Item_Change> Proposed_Changes(const products::Product_Record& product, const Recipe_Label& label);

// The product with the changes written in.
products::Product_Record Apply_Changes(products::Product_Record product, const std::vector<Item_Change>& changes);

// The report of `paruberina recipe`: rows, 原材料名 and declaration, then the detail when asked.
QStringList Report_Lines(const Recipe_Label& label, bool detail);

}  // namespace recipes
