#pragma once
// The shipped composition table and allergen list, and materials for the recipes the tests compute.
#include "recipes/food_table.h"
#include "recipes/materials.h"
#include "recipes/proposals.h"
#include "recipes/recipe_file.h"

#include <ostream>

// Texts in failure messages as they read.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace test_support {

inline const recipes::Food_Table& Shipped_Table()
{
    static const recipes::Food_Table* table = recipes::Shared_Food_Table(QStringLiteral(FOOD_TABLE_DIR));
    return *table;
}

inline const recipes::Allergen_Dictionary& Shipped_Allergens()
{
    static const recipes::Allergen_Dictionary dictionary = *render::Read_Allergens(QStringLiteral(ALLERGEN_LIST));
    return dictionary;
}

// A table food as first proposed, then corrected as the shop would.
inline recipes::Material Table_Material(const char* id)
{
    return recipes::Material_From_Food(*Shipped_Table().Find(QString::fromLatin1(id)), Shipped_Allergens());
}

inline recipes::Recipe_Line Line(const recipes::Material& material, double grams)
{
    return {material.code, grams};
}

}  // namespace test_support
