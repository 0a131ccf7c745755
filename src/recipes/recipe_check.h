#pragma once
// The label check of a product that has a recipe: the printed 原材料名 and
// its allergen declaration against the recipe (【誤り】 for an allergen of the
// recipe not declared, or an ingredient printed before a heavier one), and the
// printed nutrition values against the computed ones (【注意】 beyond the
// tolerance, with both values).
#include "recipes/recipe_label.h"
#include "render/label_check.h"

#include <vector>

namespace recipes {

std::vector<render::Finding> Check_Against_Recipe(const products::Product_Record& product, const Recipe_Label& label,
                                                  const Allergen_Dictionary& dictionary);

// The names printed in a 原材料名 (markup, caption and allergen declarations
// left out; parentheses kept with the name before them), ingredients and
// additives (after "／") apart.
struct Printed_Ingredients {
    QStringList ingredients;
    QStringList additives;
};
Printed_Ingredients Split_Printed_Ingredients(const QString& item_text);

// The check the label check runs for a product: reads the product's recipe
// from the data folder and, when it has one that can be computed, compares.
// The composition table is read into `tables`, shared with the caller.
render::Recipe_Check Recipe_Check_For(const QString& data_folder, const QString& program_folder,
                                      const Food_Tables& tables);

}  // namespace recipes
