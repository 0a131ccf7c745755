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
    static const recipes::Food_Tables tables;
    static const recipes::Food_Table* table = tables.Of_Folder(QStringLiteral(FOOD_TABLE_DIR));
    return *table;
}

inline const recipes::Allergen_Dictionary& Shipped_Allergens()
{
    static const recipes::Allergen_Dictionary dictionary =
        *recipes::Allergen_Dictionary::Load(QStringLiteral(RESOURCES_DIR), QStringLiteral(RESOURCES_DIR));
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

// どら焼き: 980 g of batter and あん baked to 900 g, 10 pieces.
struct Dorayaki {
    recipes::Material flour = Table_Material("01015");  // 349 kcal, 8.3 g, 1.5 g, 75.8 g, Na -, salt 0
    recipes::Material egg = Table_Material("12004");    // 142, 12.2, 10.2, 0.4, Na 140, 0.4
    recipes::Material sugar = Table_Material("03003");  // 391, 0, 0, 99.3, Na 1, 0
    recipes::Material honey = Table_Material("03022");  // 329, 0.3, -, 81.9, Na 2, 0
    recipes::Material an = Table_Material("04006");     // 239, 5.6, 0.6, 54.0, Na 56, 0.1
    recipes::Recipe recipe;

    Dorayaki()
    {
        an.label_name = QString::fromUtf8("つぶあん");
        an.ingredients = QString::fromUtf8("砂糖、小豆");
        an.origin = QString::fromUtf8("国内製造");
        recipe.product_no = QStringLiteral("0001");
        recipe.lines = {Line(flour, 200), Line(egg, 200), Line(sugar, 150), Line(honey, 30), Line(an, 400)};
        recipe.batch_grams = 900;  // 80 g lost in baking
        recipe.pieces = 10;
    }
    std::vector<recipes::Material> Materials() const { return {flour, egg, sugar, honey, an}; }
};

}  // namespace test_support
