// The label check of a product with a recipe: printed order, allergen
// declaration and nutrition values against what the recipe computes.
#include "recipes/recipe_check.h"

#include "layouts/default_layouts.h"
#include "recipes/product_recipe.h"

#include "recipe_fixtures.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <gtest/gtest.h>

using namespace recipes;
using test_support::Q;

namespace {

// どら焼き as the recipe computes it: 262 kcal, 6.3 g, 2.6 g, 54.2 g, 0.1 g a piece.
products::Product_Record Dorayaki_Product(const Recipe_Label& label)
{
    return Apply_Changes(products::Product_Record{}, Proposed_Changes(products::Product_Record{}, label));
}

QStringList Messages(const std::vector<render::Finding>& findings)
{
    QStringList lines;
    for (const render::Finding& finding : findings)
        lines << render::Finding_Line(finding);
    return lines;
}

Recipe_Label Dorayaki_Label()
{
    const test_support::Dorayaki d;
    return Compute_Label(d.recipe, d.Materials(), &test_support::Shipped_Table(), test_support::Shipped_Allergens());
}

}  // namespace

TEST(Recipe_Check, TheComputedLabelPasses)
{
    const Recipe_Label label = Dorayaki_Label();
    EXPECT_TRUE(Check_Against_Recipe(Dorayaki_Product(label), label, test_support::Shipped_Allergens()).empty());
}

TEST(Recipe_Check, OrderAllergensAndValues)
{
    const Recipe_Label label = Dorayaki_Label();
    struct Case {
        int column;
        const char* text;
        const char* finding;  // "" when the label passes
    };
    const Case cases[] = {
        {products::Ingredients, "原材料名:小麦粉、つぶあん(砂糖、小豆)、鶏卵、砂糖、はちみつ、(一部に小麦・卵を含む)",
         "【誤り】原材料名の「小麦粉」(200g)が配合でより重い「つぶあん」(400g)"
         "より前にあります。重さの順に並べてください"},
        // 小麦粉 and 鶏卵 weigh the same: either order is right.
        {products::Ingredients, "原材料名:つぶあん(砂糖、小豆)、鶏卵、小麦粉、砂糖、はちみつ、(一部に小麦・卵を含む)",
         ""},
        {products::Ingredients, "原材料名:つぶあん(砂糖、小豆)、小麦粉、鶏卵、砂糖、はちみつ、(一部に小麦を含む)",
         "【誤り】配合に含まれるアレルゲン「卵」が原材料名に表示されていません"},
        // Without a summary, names that show the allergen declare it.
        {products::Ingredients, "原材料名:つぶあん(砂糖、小豆)、小麦粉、鶏卵、砂糖、はちみつ", ""},
        {products::Ingredients, "原材料名:つぶあん(砂糖、小豆)、小麦粉、砂糖、はちみつ、(一部に小麦・卵を含む)",
         "【注意】配合の原材料「鶏卵」が原材料名にありません"},
        {products::Energy, "熱量:330kcal",
         "【注意】栄養成分表示の熱量 330kcal は配合から計算した 262kcal と許容差(±20%)を超えて違います"},
        {products::Energy, "熱量:314kcal", ""},      // 262.32 + 20 % = 314.8
        {products::Protein, "たんぱく質:7.6g", ""},  // 6.349 + 20 % + rounding 0.05 = 7.67 …
        {products::Protein, "たんぱく質:7.7g",
         "【注意】栄養成分表示のたんぱく質 7.7g は配合から計算した 6.3g と許容差(±20%)を超えて違います"},
        {products::Salt_Equivalent, "食塩相当量:0.1g未満",  // 0.12 g is not below 0.1 g
         "【注意】栄養成分表示の食塩相当量 0.1g未満 は配合から計算した 0.1g と許容差(±20%)を超えて違います"},
    };
    for (const Case& c : cases) {
        products::Product_Record product = Dorayaki_Product(label);
        product[c.column] = Q(c.text);
        const QStringList found = Messages(Check_Against_Recipe(product, label, test_support::Shipped_Allergens()));
        EXPECT_EQ(found, c.finding[0] ? QStringList{Q(c.finding)} : QStringList{}) << c.text;
    }
}

TEST(Recipe_Check, PrintedNamesLeaveOutCaptionParenthesesAndDeclarations)
{
    const Printed_Ingredients printed = Split_Printed_Ingredients(
        Q("原材料名：<b>小麦粉</"
          "b>(国内製造)、チョコ(砂糖、ココアバター、全粉乳)、鶏卵／膨張剤、香料、(一部に小麦・乳成分を含む)"));
    EXPECT_EQ(printed.ingredients, (QStringList{Q("小麦粉"), Q("チョコ"), Q("鶏卵")}));
    EXPECT_EQ(printed.additives, (QStringList{Q("膨張剤"), Q("香料")}));
}

TEST(Recipe_Check, TheLabelCheckReadsTheProductsRecipe)
{
    test_support::Temp_Folder folder;
    const test_support::Dorayaki d;
    ASSERT_TRUE(Store_Materials(folder.Data_Folder(), d.Materials()).Is_Done());
    ASSERT_TRUE(Store_Recipe(folder.Data_Folder(), d.recipe).Is_Done());
    const render::Recipe_Check check = Recipe_Check_For(folder.Data_Folder(), QStringLiteral(RESOURCES_DIR),
                                                        Food_Tables{});
    products::Product_Record product = Dorayaki_Product(Dorayaki_Label());
    product[products::Product_No] = QStringLiteral("0001");
    product[products::Fat] = Q("脂質:9.9g");
    std::vector<render::Finding> findings;
    check(product, findings);
    EXPECT_EQ(Messages(findings),
              QStringList{Q("【注意】栄養成分表示の脂質 9.9g は配合から計算した 2.6g と許容差(±20%)を超えて違います")});

    findings.clear();
    product[products::Product_No] = QStringLiteral("0002");  // no recipe: nothing to compare
    check(product, findings);
    EXPECT_TRUE(findings.empty());
}

TEST(Recipe_Check, ComputedTextThatLeavesTheLabelIsNamed)
{
    test_support::Temp_Folder folder;
    ASSERT_TRUE(layouts::Ensure_Default_Layouts(folder.Data_Folder()).isEmpty());
    const std::optional<layouts::Layout_Record> small = layouts::Read_Layout(folder.Data_Folder(), Q("標準01 65x45"));
    ASSERT_TRUE(small);
    render::Check_Context context;
    context.data_folder = folder.Data_Folder();
    const QDateTime now(QDate(2024, 3, 5), QTime(9, 0));
    products::Product_Record before;
    before[products::Layout_Name] = Q("標準01 65x45");
    before[products::Ingredients] = Q("原材料名:米");
    products::Product_Record after = before;
    EXPECT_TRUE(Fit_Problems(before, after, *small, context, now).isEmpty());
    after[products::Ingredients] = Q("原材料名:")
        + Q("つぶあん(砂糖、小豆)、小麦粉、鶏卵、砂糖、はちみつ、").repeated(20);
    const QStringList problems = Fit_Problems(before, after, *small, context, now);
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_TRUE(problems.front().startsWith(Q("計算した表示がレイアウト「標準01 65x45」に収まりません")))
        << problems.front().toStdString();
    EXPECT_TRUE(
        Fit_Problems(after, after, *small, context, now).isEmpty());  // already so before: not the recipe's doing
}
