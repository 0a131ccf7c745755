#pragma once
// What the program proposes for a food of the composition table when the shop
// first uses it: the name it is printed under in 原材料名 (こむぎ [小麦粉]
// 薄力粉 1等 -> 小麦粉) and its allergens, from the allergen list the label
// check uses (products::Allergen_Dictionary). The shop corrects both once;
// the material keeps them.
#include "products/allergen_dictionary.h"
#include "recipes/food_table.h"
#include "recipes/materials.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace recipes {

using Allergen_Dictionary = products::Allergen_Dictionary;

// The allergens the dictionary finds in the text, in the list's order.
QStringList Propose_Allergens(const QString& text, const Allergen_Dictionary& dictionary);

// Whether the text names the allergen by a word of the list ("小麦粉", "バター"),
// so that an individual declaration need not repeat it.
bool Names_Allergen(const QString& text, const QString& allergen, const Allergen_Dictionary& dictionary);

// How the allergen is written in a declaration: "乳" -> "乳成分", others as they are.
QString Declared_Allergen_Name(const QString& allergen);

// The printed name proposed for a table food.
QString Propose_Label_Name(const QString& food_name);

// A material for a table food with the proposed name and allergens.
Material Material_From_Food(const Food& food, const Allergen_Dictionary& dictionary);

}  // namespace recipes
