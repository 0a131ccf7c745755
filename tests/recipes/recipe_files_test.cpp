// The materials and recipe files: CP932 with CR LF after a version line,
// rewritten through the temporary twin, damaged lines named and never written over.
#include "recipes/materials.h"
#include "recipes/recipe_file.h"

#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace recipes;
using test_support::Q;

namespace {

Material Own_An()
{
    Material m;
    m.code = QStringLiteral("U0001");
    m.name = Q("こしあん(業務用)");
    m.label_name = Q("こしあん");
    m.allergens = {Q("小麦"), Q("卵")};
    m.ingredients = Q("小豆、砂糖、水あめ");
    m.origin = Q("国内製造");
    m.values = {250.0, 5.5, std::nullopt, 50.25, std::nullopt, 0.1};
    return m;
}

Recipe Two_Line_Recipe(const QString& number)
{
    Recipe r;
    r.product_no = number;
    r.lines = {{QStringLiteral("01015"), 200}, {QStringLiteral("U0001"), 12.5}};
    r.batch_grams = 900;
    r.pieces = 10;
    r.piece_grams = 45.5;
    r.allergen_form = Allergen_Form::Individual;
    return r;
}

}  // namespace

TEST(Recipe_Files, MaterialsRoundTripAsCp932Lines)
{
    test_support::Temp_Folder folder;
    Material table_food;
    table_food.code = QStringLiteral("01015");
    table_food.name = Q("こむぎ [小麦粉] 薄力粉 1等");
    table_food.label_name = Q("小麦粉");
    table_food.allergens = {Q("小麦")};
    ASSERT_TRUE(Store_Materials(folder.Data_Folder(), {table_food, Own_An()}).Is_Done());
    EXPECT_EQ(folder.Read(kMaterialsFileName),
              test_support::Cp932_Lines({Q("2.00"),
                                         Q("01015\t食品成分表\tこむぎ [小麦粉] 薄力粉 1等\t小麦粉\t小麦\t\t\t\t\t\t\t\t\t"),
                                         Q("U0001\t独自\tこしあん(業務用)\tこしあん\t小麦・卵\t\t小豆、砂糖、水あめ\t国内製造\t250\t5.5\t\t50.25\t\t0.1")}));
    const Materials_File read = Read_Materials(folder.Data_Folder());
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.materials.size(), 2u);
    EXPECT_EQ(read.materials[1], Own_An());
    EXPECT_EQ(Next_Own_Code(read.materials), QStringLiteral("U0002"));

    Material changed = Own_An();
    changed.additive = true;
    ASSERT_TRUE(Store_Materials(folder.Data_Folder(), {changed}).Is_Done());
    EXPECT_EQ(Read_Materials(folder.Data_Folder()).materials.size(), 2u);
    EXPECT_TRUE(Read_Materials(folder.Data_Folder()).Find(QStringLiteral("U0001"))->additive);
    ASSERT_TRUE(Delete_Material(folder.Data_Folder(), QStringLiteral("01015")).Is_Done());
    EXPECT_EQ(Read_Materials(folder.Data_Folder()).materials.size(), 1u);
    EXPECT_FALSE(QFile::exists(folder.File(kMaterialsTempName)));
}

TEST(Recipe_Files, RecipesKeptInNumberOrderAndReplaced)
{
    test_support::Temp_Folder folder;
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("12"))).Is_Done());
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("3"))).Is_Done());
    Recipe replaced = Two_Line_Recipe(QStringLiteral("0012"));
    replaced.unit = Sale_Unit::Per_100g;
    replaced.lines.pop_back();
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), replaced).Is_Done());
    EXPECT_EQ(folder.Read(kRecipesFileName),
              test_support::Cp932_Lines({Q("2.00"), Q("0003\t900\t1個\t10\t45.5\t個別表示\t01015\t200\tU0001\t12.5"),
                                         Q("0012\t900\t100g\t10\t45.5\t個別表示\t01015\t200")}));
    const std::optional<Recipe> found = Find_Recipe(folder.Data_Folder(), QStringLiteral("3"));
    ASSERT_TRUE(found);
    Recipe expected = Two_Line_Recipe(QStringLiteral("0003"));
    EXPECT_EQ(*found, expected);
    EXPECT_FALSE(Find_Recipe(folder.Data_Folder(), QStringLiteral("4")));
    ASSERT_TRUE(Delete_Recipe(folder.Data_Folder(), QStringLiteral("3")).Is_Done());
    EXPECT_EQ(Read_Recipes(folder.Data_Folder()).recipes.size(), 1u);
    EXPECT_FALSE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("0"))).Is_Done());
}

TEST(Recipe_Files, DamagedLinesAreNamedAndNothingIsWrittenOverThem)
{
    test_support::Temp_Folder folder;
    const QByteArray damaged_recipes = test_support::Cp932_Lines({Q("2.00"), Q("0003\t900\t1個\t10\t45\t一括表示\t01015")});
    folder.Write(kRecipesFileName, damaged_recipes);
    EXPECT_EQ(Read_Recipes(folder.Data_Folder()).error, Q("配合_v2.tsv の 2 行目が壊れています"));
    const store::Outcome stored = Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("5")));
    EXPECT_FALSE(stored.Is_Done());
    EXPECT_EQ(stored.lines.value(1), Q("配合_v2.tsv の 2 行目が壊れています"));
    EXPECT_EQ(folder.Read(kRecipesFileName), damaged_recipes);

    const QByteArray damaged_materials = test_support::Cp932_Lines({Q("2.00"), Q("U0001\t独自\tあん\t\t\t\t\t\t-5\t\t\t\t\t")});
    folder.Write(kMaterialsFileName, damaged_materials);
    EXPECT_FALSE(Read_Materials(folder.Data_Folder()).ok());
    EXPECT_FALSE(Store_Materials(folder.Data_Folder(), {Own_An()}).Is_Done());
    EXPECT_EQ(folder.Read(kMaterialsFileName), damaged_materials);
}

TEST(Recipe_Files, TextWithoutCp932FormIsRefused)
{
    test_support::Temp_Folder folder;
    Material material = Own_An();
    material.label_name = Q("こしあん😀");
    const store::Outcome outcome = Store_Materials(folder.Data_Folder(), {material});
    EXPECT_FALSE(outcome.Is_Done());
    EXPECT_TRUE(outcome.Text().contains(Q("😀"))) << outcome.Text().toStdString();
    EXPECT_FALSE(QFile::exists(folder.File(kMaterialsFileName)));
}

TEST(Recipe_Files, Amounts)
{
    EXPECT_EQ(Parse_Amount(Q("１２．５")), std::optional<std::optional<double>>(12.5));
    EXPECT_EQ(Parse_Amount(QString()), std::optional<std::optional<double>>(std::optional<double>()));
    EXPECT_EQ(Parse_Amount(Q("-1")), std::nullopt);
    EXPECT_EQ(Parse_Amount(Q("1e3")), std::nullopt);
    EXPECT_EQ(Parse_Amount(Q("abc")), std::nullopt);
    EXPECT_EQ(Number_Text(0.35), Q("0.35"));
    EXPECT_EQ(Number_Text(100.0), Q("100"));
}
