// The shipped composition table: its foods and values, and the search by name as typed.
#include "recipes/food_table.h"
#include "recipes/product_recipe.h"

#include "recipe_fixtures.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace recipes;
using test_support::Q;

namespace {

QStringList Found_Ids(const QString& query, int limit = 200)
{
    QStringList ids;
    for (const Food* food : test_support::Shipped_Table().Search(query, limit))
        ids << food->id;
    return ids;
}

}  // namespace

TEST(Food_Table, ReadsEveryFoodWithTraceValuesLeftOut)
{
    const Food_Table& table = test_support::Shipped_Table();
    EXPECT_EQ(table.Foods().size(), 2478u);
    const Food* flour = table.Find(QStringLiteral("01015"));
    ASSERT_NE(flour, nullptr);
    EXPECT_EQ(flour->name, Q("こむぎ [小麦粉] 薄力粉 1等"));
    EXPECT_EQ(flour->values[Energy], 349.0);
    EXPECT_EQ(flour->values[Protein], 8.3);
    EXPECT_EQ(flour->values[Carbohydrate], 75.8);
    EXPECT_EQ(flour->values[Sodium], std::nullopt);  // "null" in the table
    EXPECT_EQ(flour->values[Salt], 0.0);
    EXPECT_EQ(table.Find(QStringLiteral("99999")), nullptr);
}

TEST(Food_Table, SearchByHiraganaKatakanaKanjiAndPart)
{
    struct Case {
        const char* query;
        const char* expected_first;
    };
    const Case cases[] = {
        {"はくりき", "01015"},    {"ハクリキ", "01015"},         {"薄力粉", "01015"},     {"ﾊｸﾘｷ", "01015"},
        {"小麦粉 薄力", "01015"}, {"じょうはくとう", "03003"},   {"上白糖", "03003"},     {"鶏卵 全卵 生", "12004"},
        {"つぶし練り", "04006"},  {"むはっこうばたー", "14017"}, {"有塩バター", "14017"},
    };
    for (const Case& c : cases) {
        const QStringList ids = Found_Ids(Q(c.query));
        ASSERT_FALSE(ids.isEmpty()) << c.query;
        EXPECT_EQ(ids.front(), QString::fromLatin1(c.expected_first)) << c.query;
    }
    EXPECT_TRUE(Found_Ids(Q("はちみつ")).contains(QStringLiteral("03022")));
    EXPECT_TRUE(Found_Ids(QString()).isEmpty());
    EXPECT_TRUE(Found_Ids(Q("ぴかちゅう")).isEmpty());
    EXPECT_EQ(Found_Ids(Q("こめ"), 3).size(), 3);
}

TEST(Food_Table, DamagedOrMissingTableIsNamed)
{
    test_support::Temp_Folder folder;
    QString error;
    EXPECT_FALSE(Food_Table::Read(folder.Path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("body.csv"))) << error.toStdString();

    folder.Write(QStringLiteral("body.csv"), "01,01001,1,name,0,1,2\n");
    EXPECT_FALSE(Food_Table::Read(folder.Path(), &error));
    EXPECT_TRUE(error.contains(Q("1 行目が壊れています"))) << error.toStdString();
}

TEST(Food_Table, DataFolderCopyOverridesTheShippedOne)
{
    test_support::Temp_Folder program;
    test_support::Temp_Folder data;
    EXPECT_EQ(Food_Table_Folder(program.Path(), data.Data_Folder()),
              program.Path() + QStringLiteral("/food-composition-2020"));
    QDir(data.Path()).mkpath(kFoodTableFolder);
    data.Write(kFoodTableFolder + QStringLiteral("/body.csv"), "x");
    EXPECT_EQ(Food_Table_Folder(program.Path(), data.Data_Folder()), data.Data_Folder() + kFoodTableFolder);
}

TEST(Food_Table, RegisteredMaterialsComeFirstAndTakenFoodsGetTheirProposals)
{
    recipes::Material own;
    own.code = QStringLiteral("U0001");
    own.name = Q("こしあん(業務用)");
    own.label_name = Q("こしあん");
    recipes::Material flour = test_support::Table_Material("01015");
    flour.label_name = Q("小麦粉(薄力)");
    const std::vector<recipes::Material> registered = {own, flour};

    const std::vector<recipes::Material> found = Find_Materials(Q("はくりき"), registered,
                                                                &test_support::Shipped_Table());
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ(found[0].label_name, Q("小麦粉(薄力)"));  // the registered one, as corrected
    EXPECT_EQ(found[1].code, QStringLiteral("01016"));
    EXPECT_EQ(found[1].label_name, Q("小麦粉"));
    EXPECT_EQ(Find_Materials(Q("あん"), registered, nullptr).size(), 1u);  // without the table: own ones only
    EXPECT_EQ(Find_Materials(QString(), registered, &test_support::Shipped_Table()).size(), 2u);

    const recipes::Material taken = Taken_Material(found[1], registered, &test_support::Shipped_Table(),
                                                   test_support::Shipped_Allergens());
    EXPECT_EQ(taken.allergens, QStringList{Q("小麦")});
    EXPECT_EQ(Taken_Material(found[0], registered, nullptr, {}), flour);
}
