// The materials and recipe files: CP932 with CR LF after a version line,
// rewritten through the temporary twin, damaged lines named and never written over.
#include "products/product_file.h"
#include "recipes/materials.h"
#include "recipes/recipe_file.h"

#include "support/scripted_answerer.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/wait.h>
#include <unistd.h>

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

Material Own_Numbered(int number)
{
    Material m = Own_An();
    m.code = QStringLiteral("U%1").arg(number, 4, 10, QLatin1Char('0'));
    return m;
}

// Stores `count` materials and recipes from `first` on, one at a time, as a
// user saving again and again; true when every save was done.
bool Save_Each(const QString& data_folder, int first, int count)
{
    bool all_done = true;
    for (int n = first; n < first + count; ++n) {
        all_done &= Store_Materials(data_folder, {Own_Numbered(n)}).Is_Done();
        all_done &= Store_Recipe(data_folder, Two_Line_Recipe(QString::number(n))).Is_Done();
    }
    return all_done;
}

}  // namespace

// Two copies of the program on one data folder save at the same moments: each
// change is made to the file as it stands under the lock, so neither loses the
// other's materials or recipes.
TEST(Recipe_Files, TwoWritersKeepEachOthersSaves)
{
    test_support::Temp_Folder folder;
    constexpr int kEach = 30;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(Save_Each(folder.Data_Folder(), 1, kEach) ? 0 : 1);
    const bool parent_done = Save_Each(folder.Data_Folder(), 1001, kEach);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(parent_done);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const Materials_File materials = Read_Materials(folder.Data_Folder());
    const Recipes_File recipes = Read_Recipes(folder.Data_Folder());
    ASSERT_TRUE(materials.ok() && recipes.ok());
    EXPECT_EQ(materials.materials.size(), size_t(2 * kEach));
    EXPECT_EQ(recipes.recipes.size(), size_t(2 * kEach));
    for (int n : {1, kEach, 1001, 1000 + kEach}) {
        EXPECT_TRUE(materials.Find(Own_Numbered(n).code)) << n;
        EXPECT_TRUE(recipes.Find(QString::number(n))) << n;
    }
    // Still in the order of their numbers.
    EXPECT_TRUE(std::is_sorted(recipes.recipes.begin(), recipes.recipes.end(),
                               [](const Recipe& a, const Recipe& b) { return a.product_no < b.product_no; }));
}

// A material a recipe uses stays until no recipe uses it; the refusal names
// the products, and removing a product's recipe leaves the other lines byte for byte.
TEST(Recipe_Files, MaterialUsedByARecipeIsNotDeleted)
{
    test_support::Temp_Folder folder;
    ASSERT_TRUE(Store_Materials(folder.Data_Folder(), {Own_An(), Own_Numbered(2)}).Is_Done());
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("12"))).Is_Done());
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("3"))).Is_Done());
    Recipe other = Two_Line_Recipe(QStringLiteral("20"));
    other.lines = {{QStringLiteral("01015"), 100}};
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), other).Is_Done());
    const QByteArray materials_before = folder.Read(kMaterialsFileName);

    const store::Outcome refused = Delete_Material(folder.Data_Folder(), QStringLiteral("U0001"));
    EXPECT_EQ(refused.kind, store::Outcome::Kind::Failed);
    EXPECT_EQ(refused.lines,
              QStringList({Q("材料を削除できません"), Q("配合で使われています"),
                           Q("「こしあん(業務用)」を使う登録番号: 0003、0012")}));
    EXPECT_EQ(folder.Read(kMaterialsFileName), materials_before);

    // Removing a recipe that is not there changes nothing; removing one keeps the others as they were.
    const QByteArray recipes_before = folder.Read(kRecipesFileName);
    ASSERT_TRUE(Delete_Recipe(folder.Data_Folder(), QStringLiteral("7")).Is_Done());
    EXPECT_EQ(folder.Read(kRecipesFileName), recipes_before);
    ASSERT_TRUE(Delete_Recipe(folder.Data_Folder(), QStringLiteral("3")).Is_Done());
    QList<QByteArray> kept = recipes_before.split('\n');
    kept.removeAt(1);
    EXPECT_EQ(folder.Read(kRecipesFileName), kept.join('\n'));
    EXPECT_FALSE(Delete_Material(folder.Data_Folder(), QStringLiteral("U0001")).Is_Done());

    ASSERT_TRUE(Delete_Recipe(folder.Data_Folder(), QStringLiteral("0012")).Is_Done());
    ASSERT_TRUE(Delete_Material(folder.Data_Folder(), QStringLiteral("U0001")).Is_Done());
    const Materials_File left = Read_Materials(folder.Data_Folder());
    ASSERT_EQ(left.materials.size(), 1u);
    EXPECT_EQ(left.materials[0], Own_Numbered(2));

    // A damaged recipe file cannot say which products use a material: nothing is deleted.
    folder.Write(kRecipesFileName, test_support::Cp932_Lines({Q("2.00"), Q("0003\t900")}));
    const store::Outcome unsure = Delete_Material(folder.Data_Folder(), QStringLiteral("U0002"));
    EXPECT_FALSE(unsure.Is_Done());
    EXPECT_EQ(unsure.lines.value(1), Q("配合_v2.tsv の 2 行目が壊れています"));
    EXPECT_EQ(Read_Materials(folder.Data_Folder()).materials.size(), 1u);
}

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
              test_support::Cp932_Lines(
                  {Q("2.00"), Q("01015\t食品成分表\tこむぎ [小麦粉] 薄力粉 1等\t小麦粉\t小麦\t\t\t\t\t\t\t\t\t"),
                   Q("U0001\t独自\tこしあん(業務用)\tこしあん\t小麦・卵\t\t小豆、砂糖、水あめ\t国内製造\t250\t5."
                     "5\t\t50.25\t\t0.1")}));
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
    const QByteArray damaged_recipes =
        test_support::Cp932_Lines({Q("2.00"), Q("0003\t900\t1個\t10\t45\t一括表示\t01015")});
    folder.Write(kRecipesFileName, damaged_recipes);
    EXPECT_EQ(Read_Recipes(folder.Data_Folder()).error, Q("配合_v2.tsv の 2 行目が壊れています"));
    const store::Outcome stored = Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("5")));
    EXPECT_FALSE(stored.Is_Done());
    EXPECT_EQ(stored.lines.value(1), Q("配合_v2.tsv の 2 行目が壊れています"));
    EXPECT_EQ(folder.Read(kRecipesFileName), damaged_recipes);

    const QByteArray damaged_materials =
        test_support::Cp932_Lines({Q("2.00"), Q("U0001\t独自\tあん\t\t\t\t\t\t-5\t\t\t\t\t")});
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

// What a line holds reads as it is written back: control characters (a file
// edited elsewhere, an undecodable byte) never leave an allergen or a code
// that the written line no longer has.
TEST(Recipe_Files, LinesReadAsTheyAreWrittenBack)
{
    Material m = Own_An();
    m.allergens = {Q("小麦"), QStringLiteral("\x01")};
    const QString line = Material_Line(m);
    EXPECT_EQ(Material_Line(*Parse_Material_Line(line)), line);
    EXPECT_EQ(Parse_Material_Line(line)->allergens, QStringList({Q("小麦")}));
    const QString controlled_code = QStringLiteral("\x02") + Material_Line(Own_An());
    ASSERT_TRUE(Parse_Material_Line(controlled_code));
    EXPECT_EQ(Parse_Material_Line(controlled_code)->code, QStringLiteral("U0001"));

    EXPECT_FALSE(Parse_Recipe_Line(Q("0003\t900\t1個\t10\t45\t一括表示\t\x01\x02\t20")));
    const std::optional<Recipe> cleaned = Parse_Recipe_Line(Q("0003\t900\t1個\t10\t45\t一括表示\t0101\x03"
                                                              "5\t20"));
    ASSERT_TRUE(cleaned);
    EXPECT_EQ(cleaned->lines[0].code, QStringLiteral("01015"));
}

// Deleting a product takes its recipe with it, so that a product registered
// later under the number does not inherit it; the other recipes stay.
TEST(Recipe_Files, DeletingAProductTakesItsRecipe)
{
    test_support::Temp_Folder folder;
    test_support::Scripted_Answerer answerer;
    folder.Write(products::kProductFileName, QByteArrayLiteral("2.00\r\n"));
    for (const QString& number : {QStringLiteral("0003"), QStringLiteral("0012")}) {
        products::Product_Record product;
        product[products::Product_No] = number;
        product[products::Layout_Name] = Q("標準01 65x45");
        product[products::Product_Name] = Q("どら焼き");
        ASSERT_TRUE(products::Store_Product(folder.Data_Folder(), product, answerer).Is_Done());
    }
    // Without a recipe file, deleting a product creates none.
    ASSERT_TRUE(Delete_Product_And_Recipe(folder.Data_Folder(), QStringLiteral("3")).Is_Done());
    EXPECT_FALSE(QFile::exists(folder.Path() + QLatin1Char('/') + kRecipesFileName));

    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("12"))).Is_Done());
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), Two_Line_Recipe(QStringLiteral("20"))).Is_Done());
    ASSERT_TRUE(Delete_Product_And_Recipe(folder.Data_Folder(), QStringLiteral("12")).Is_Done());
    EXPECT_FALSE(products::Find_Product(folder.Data_Folder(), QStringLiteral("0012")));
    EXPECT_FALSE(Find_Recipe(folder.Data_Folder(), QStringLiteral("12")));
    EXPECT_TRUE(Find_Recipe(folder.Data_Folder(), QStringLiteral("20")));
}
