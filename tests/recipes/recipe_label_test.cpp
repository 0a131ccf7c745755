// Three real recipes computed by hand from the table's values per 100 g; every
// printed row, 原材料名 and the declaration compared character for character.
#include "recipes/recipe_label.h"

#include "recipe_fixtures.h"
#include "support/utf8.h"

#include <gtest/gtest.h>

using namespace recipes;
using test_support::Dorayaki;
using test_support::Line;
using test_support::Q;
using test_support::Table_Material;

namespace {

Recipe_Label Compute(const Recipe& recipe, const std::vector<Material>& materials)
{
    return Compute_Label(recipe, materials, &test_support::Shipped_Table(), test_support::Shipped_Allergens());
}

QStringList Rows(const Recipe_Label& label)
{
    QStringList rows;
    for (const Nutrient nutrient : kRowNutrients)
        rows << label.Printed(nutrient);
    return rows;
}

}  // namespace

TEST(Recipe_Label, ProposalsForTableFoods)
{
    Dorayaki d;
    EXPECT_EQ(d.flour.label_name, Q("小麦粉"));
    EXPECT_EQ(d.flour.allergens, QStringList{Q("小麦")});
    EXPECT_EQ(d.egg.label_name, Q("鶏卵"));
    EXPECT_EQ(d.egg.allergens, QStringList{Q("卵")});
    EXPECT_EQ(d.sugar.label_name, Q("砂糖"));
    EXPECT_TRUE(d.sugar.allergens.isEmpty());
    EXPECT_EQ(d.honey.label_name, Q("はちみつ"));
    EXPECT_EQ(Table_Material("14017").label_name, Q("バター"));
    EXPECT_EQ(Table_Material("14017").allergens, QStringList{Q("乳")});
    EXPECT_EQ(Table_Material("17012").label_name, Q("食塩"));
    EXPECT_EQ(Table_Material("01088").label_name, Q("米"));
}

// Totals: 2623.2 kcal, 63.49 g, 25.8 g, 541.92 g, 506.1 mg, 1.2 g in a 900 g
// batch of 10 pieces of 90 g: 262.32 kcal, 6.349 g, 2.58 g, 54.192 g, 0.12 g a piece.
TEST(Recipe_Label, DorayakiWithBakingLoss)
{
    Dorayaki d;
    const Recipe_Label label = Compute(d.recipe, d.Materials());
    ASSERT_TRUE(label.ok()) << label.problems.join(u'\n').toStdString();
    EXPECT_EQ(label.unit_text, Q("1個(90g)当たり"));
    EXPECT_EQ(Rows(label), (QStringList{Q("262kcal"), Q("6.3g"), Q("2.6g"), Q("54.2g"), Q("0.1g")}));
    EXPECT_EQ(label.ingredient_text,
              Q("つぶあん(国内製造)(砂糖、小豆)、小麦粉、鶏卵、砂糖、はちみつ、(一部に小麦・卵を含む)"));
    EXPECT_EQ(label.allergen_statement, Q("(一部に小麦・卵を含む)"));
    EXPECT_TRUE(label.origin_notice.isEmpty());
    EXPECT_EQ(label.missing, (QStringList{Q("小麦粉: ナトリウム"), Q("はちみつ: 脂質")}));
    EXPECT_NEAR(label.per_100g[Energy], 2623.2 / 9, 1e-9);

    const std::vector<Item_Change> changes = Proposed_Changes(products::Product_Record{}, label);
    const products::Product_Record product = Apply_Changes({}, changes);
    EXPECT_EQ(product[products::Ingredients], Q("原材料名:") + label.ingredient_text);
    EXPECT_EQ(product[products::Nutrition_Title], Q("栄養成分表示(1個(90g)当たり)"));
    EXPECT_EQ(product[products::Energy], Q("熱量:262kcal"));
    EXPECT_EQ(product[products::Salt_Equivalent], Q("食塩相当量:0.1g"));
    EXPECT_EQ(product[products::Nutrient_Extra1], kEstimateNote);
}

// ご飯 1000 g and 食塩 8 g, 100 g a piece: 1560 kcal, 25 g, 3 g, 371 g, 7.928 g of
// salt in 1008 g. 脂質 is 0.2976 g per 100 g, under 0.5 g: printed as 0.
TEST(Recipe_Label, SaltedOnigiriPrintsFatAsZero)
{
    Material rice = Table_Material("01088");
    rice.origin = Q("国産");
    const Material salt = Table_Material("17012");
    Recipe recipe;
    recipe.product_no = QStringLiteral("0002");
    recipe.lines = {Line(salt, 8), Line(rice, 1000)};
    recipe.piece_grams = 100;
    const Recipe_Label label = Compute(recipe, {rice, salt});
    ASSERT_TRUE(label.ok());
    EXPECT_EQ(label.unit_text, Q("1個(100g)当たり"));
    EXPECT_EQ(Rows(label), (QStringList{Q("155kcal"), Q("2.5g"), Q("0g"), Q("36.8g"), Q("0.8g")}));
    EXPECT_EQ(label.ingredient_text, Q("米(国産)、食塩"));
    EXPECT_TRUE(label.allergen_statement.isEmpty());
    EXPECT_TRUE(label.allergens.isEmpty());
}

// Sold per 100 g; 615 g of dough baked to 560 g. An own compound material and
// an own additive with values from the supplier's sheet (食塩相当量 only: ナトリウム derived).
struct Cookie {
    Material flour = Table_Material("01015");
    Material butter = Table_Material("14017");  // 700, 0.6, 81.0, 0.2, Na 750, 1.9
    Material sugar = Table_Material("03003");
    Material egg = Table_Material("12004");
    Material powder;
    Material chips;
    Recipe recipe;

    Cookie()
    {
        flour.origin = Q("国内製造");
        powder.code = QStringLiteral("U0001");
        powder.name = Q("ベーキングパウダー");
        powder.label_name = Q("膨張剤");
        powder.additive = true;
        powder.values = {150.0, 0.0, 0.0, 37.0, std::nullopt, 16.0};
        chips.code = QStringLiteral("U0002");
        chips.name = Q("チョコチップ(製菓用)");
        chips.label_name = Q("チョコレートチップ");
        chips.ingredients = Q("砂糖、カカオマス、ココアバター、全粉乳");
        chips.allergens = {Q("乳")};
        chips.values = {550.0, 5.5, 34.0, 56.0, std::nullopt, 0.1};
        recipe.product_no = QStringLiteral("0003");
        recipe.lines = {Line(powder, 5),  Line(flour, 250), Line(butter, 150),
                        Line(sugar, 100), Line(egg, 50),    Line(chips, 60)};
        recipe.batch_grams = 560;
        recipe.unit = Sale_Unit::Per_100g;
    }
    std::vector<Material> Materials() const { return {flour, butter, sugar, egg, powder, chips}; }
};

// Totals 2722 kcal, 31.05 g, 150.75 g, 324.75 g, 3.91 g of salt in 560 g:
// per 100 g 486.07 kcal, 5.545 g, 26.92 g, 57.99 g, 0.698 g.
TEST(Recipe_Label, CookieWithButterAndAdditive)
{
    Cookie c;
    const Recipe_Label label = Compute(c.recipe, c.Materials());
    ASSERT_TRUE(label.ok()) << label.problems.join(u'\n').toStdString();
    EXPECT_EQ(label.unit_text, Q("100g当たり"));
    EXPECT_EQ(Rows(label), (QStringList{Q("486kcal"), Q("5.5g"), Q("26.9g"), Q("58.0g"), Q("0.7g")}));
    EXPECT_EQ(label.ingredient_text,
              Q("小麦粉(国内製造)、バター、砂糖、チョコレートチップ(砂糖、カカオマス、ココアバター、全粉乳)、"
                "鶏卵／膨張剤、(一部に小麦・乳成分・卵を含む)"));
    EXPECT_EQ(label.allergen_statement, Q("(一部に小麦・乳成分・卵を含む)"));
    EXPECT_TRUE(label.missing.contains(Q("小麦粉: ナトリウム")));
}

TEST(Recipe_Label, IndividualFormNamesOnlyWhatTheNameDoesNotShow)
{
    Cookie c;
    c.recipe.allergen_form = Allergen_Form::Individual;
    c.chips.ingredients = Q("砂糖、カカオマス");  // no longer shows 乳
    c.powder.allergens = {Q("小麦")};
    const Recipe_Label label = Compute(c.recipe, c.Materials());
    EXPECT_EQ(label.ingredient_text,
              Q("小麦粉(国内製造)、バター、砂糖、チョコレートチップ(砂糖、カカオマス)(乳成分を含む)、"
                "鶏卵／膨張剤(小麦由来)"));
    EXPECT_TRUE(label.allergen_statement.isEmpty());
}

TEST(Recipe_Label, SamePrintedNameIsOneIngredientAndTheHeaviestWithoutOriginIsNamed)
{
    Dorayaki d;
    Material granulated = Table_Material("03004");  // 三温糖: also printed 砂糖
    ASSERT_EQ(granulated.label_name, Q("砂糖"));
    d.an.origin.clear();
    d.recipe.lines.push_back(Line(granulated, 300));  // 砂糖 150 + 300 = 450 g: now the heaviest
    auto materials = d.Materials();
    materials.push_back(granulated);
    const Recipe_Label label = Compute(d.recipe, materials);
    EXPECT_TRUE(label.ingredient_text.startsWith(Q("砂糖、つぶあん(砂糖、小豆)、小麦粉")));
    EXPECT_EQ(label.origin_notice, Q("一番重い原材料「砂糖」の原産地(原料原産地)が入っていません"));
}

TEST(Recipe_Label, ProblemsStopTheComputation)
{
    Dorayaki d;
    Recipe no_size = d.recipe;
    no_size.pieces = 0;
    EXPECT_EQ(Compute(no_size, d.Materials()).problems, QStringList{Q("1個の重さか、1回に作る個数を入れてください")});
    Recipe unknown = d.recipe;
    unknown.lines.push_back({QStringLiteral("U0099"), 10});
    EXPECT_EQ(Compute(unknown, d.Materials()).problems, QStringList{Q("材料 U0099 が材料の一覧にありません")});
    EXPECT_FALSE(Compute(Recipe{}, {}).ok());
    EXPECT_FALSE(Compute_Label(d.recipe, d.Materials(), nullptr, {}).ok());  // no table for table foods
}

TEST(Recipe_Label, ChangesKeepCaptionsAndPlaceTheNoteAfterTheLastExtraRow)
{
    Dorayaki d;
    products::Product_Record product;
    product[products::Ingredients] = Q("原材料：古い");
    product[products::Energy] = Q("エネルギー:1kcal");
    product[products::Fat] = Q("　脂　質　:");
    product[products::Salt_Equivalent] = Q("ナトリウム:");
    product[products::Nutrient_Extra1] = Q("糖質:1g");
    const std::vector<Item_Change> changes = Proposed_Changes(product, Compute(d.recipe, d.Materials()));
    const products::Product_Record after = Apply_Changes(product, changes);
    EXPECT_TRUE(after[products::Ingredients].startsWith(Q("原材料：つぶあん")));
    EXPECT_EQ(after[products::Energy], Q("エネルギー:262kcal"));
    EXPECT_EQ(after[products::Fat], Q("　脂　質　:2.6g"));
    EXPECT_EQ(after[products::Salt_Equivalent], Q("食塩相当量:0.1g"));
    EXPECT_EQ(after[products::Nutrient_Extra1], Q("糖質:1g"));
    EXPECT_EQ(after[products::Nutrient_Extra1 + 1], kEstimateNote);

    product[products::Nutrient_Extra1 + 4] = Q("推定値");  // an earlier note is reused
    EXPECT_EQ(Apply_Changes(product,
                            Proposed_Changes(product, Compute(d.recipe, d.Materials())))[products::Nutrient_Extra1 + 4],
              kEstimateNote);
}
