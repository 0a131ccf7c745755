// The allergen list and dictionary as shipped: what ingredients contain, what
// declarations say, and the words that only look like allergens.
#include "products/allergen_dictionary.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace products;

namespace {

const Allergen_Dictionary& Shipped()
{
    static const Allergen_Dictionary dictionary = [] {
        QString error;
        std::optional<Allergen_Dictionary> loaded = Allergen_Dictionary::Load(QStringLiteral(SHIPPED_REFERENCE_FOLDER),
                                                                              {}, &error);
        EXPECT_TRUE(loaded) << error.toStdString();
        return *loaded;
    }();
    return dictionary;
}

QStringList Names(const char* list)
{
    return QString::fromUtf8(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

TEST(Allergen_Dictionary, ShipsEightSpecifiedAndTwentyRecommended)
{
    const auto& allergens = Shipped().Allergens();
    EXPECT_EQ(std::count_if(allergens.begin(), allergens.end(), [](const Allergen& a) { return a.specified; }), 8);
    EXPECT_EQ(allergens.size(), 28u);
}

TEST(Allergen_Dictionary, FindsWhatIngredientsContainAndNotTheirFalseFriends)
{
    struct Case {
        const char* text;
        const char* contained;
    };
    const Case cases[] = {
        {"薄力粉", "小麦"},
        {"こむぎ ［小麦粉］ 薄力粉 1等", "小麦"},
        {"強力粉、全粒粉、パン粉", "小麦"},
        {"ライ麦全粒粉", ""},
        {"醤油", "小麦 大豆"},
        {"しょうゆ（大豆・小麦を含む）", "小麦 大豆"},
        {"ミルク、乳糖、ホエイ、バター、生クリーム、チーズ", "乳"},
        {"海老", "えび"},
        {"鶏もも肉", "鶏肉"},
        {"にわとり ［若どり・主品目］ もも 皮つき 生", "鶏肉"},
        {"ぶた ［大型種肉］ もも 脂身つき 生", "豚肉"},
        {"うし ［和牛肉］ もも 赤肉 生", "牛肉"},
        {"焼きそば", "小麦"},
        {"そば粉", "そば"},
        {"桃、白桃果汁", "もも"},
        {"乳化剤、乳酸菌、乳酸カルシウム", ""},
        {"ココナッツミルク、カカオバター", ""},
        {"アーモンドミルク", "アーモンド"},
        {"豆乳", "大豆"},
        {"鶏卵", "卵"},
        {"卵殻カルシウム", ""},
        {"ビーフン、牛蒡", ""},
        {"スイカ、パインアップル", ""},
        {"胡桃", "くるみ"},
        {"牛乳", "乳"},
        {"ﾐﾙｸ", "乳"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shipped().Allergens_In(QString::fromUtf8(c.text)), Names(c.contained)) << c.text;
}

TEST(Allergen_Dictionary, ReadsSummaryIndividualAndLineDeclarations)
{
    struct Case {
        const char* text;
        const char* declared;
        bool summary;
    };
    const Case cases[] = {
        {"小麦粉、砂糖、卵、バター/膨張剤、(一部に乳成分・卵・小麦を含む)", "小麦 卵 乳", true},
        {"小麦粉、砂糖（一部に小麦、乳成分を含む）", "小麦 乳", true},
        {"薄力粉(小麦を含む)、醤油(小麦・大豆を含む)", "小麦 大豆", false},
        {"乳化剤(大豆由来)", "大豆", false},
        {"チョコレート(砂糖、ココアバター(乳成分を含む))", "乳", false},
        {"砂糖\nアレルギー物質：えび・かに", "えび かに", true},
        {"薄力粉、砂糖", "", false},
    };
    for (const Case& c : cases) {
        const Allergen_Declaration declaration = Shipped().Declared_In(QString::fromUtf8(c.text));
        EXPECT_EQ(declaration.allergens, Names(c.declared)) << c.text;
        EXPECT_EQ(declaration.summary, c.summary) << c.text;
        EXPECT_EQ(declaration.found, !Names(c.declared).isEmpty()) << c.text;
    }
    // Declarations are not ingredients; an unknown declared word is kept to be named.
    EXPECT_EQ(Shipped().Allergens_In(QStringLiteral("砂糖(一部に小麦・卵を含む)")), QStringList());
    EXPECT_EQ(Shipped().Declared_In(QStringLiteral("砂糖(一部に小麦・魚介類を含む)")).unknown,
              QStringList{QStringLiteral("魚介類")});
}

TEST(Allergen_Dictionary, NamedAllergensAreThoseTheWordsThemselvesSay)
{
    EXPECT_EQ(Shipped().Allergens_Named_In(QStringLiteral("小麦粉、鶏卵、チーズ、薄力粉、醤油、生クリーム")),
              Names("小麦 卵 乳"));
}

TEST(Allergen_Dictionary, ACopyInTheDataFolderTakesThePlaceOfTheShippedOne)
{
    test_support::Temp_Folder program, data;
    program.Write(kAllergenListFileName, "特定\t小麦\t小麦\n");
    program.Write(kAllergenDictionaryFileName, "乳化剤\n");
    // A Windows editor's CP932 copy moves カシューナッツ to the specified allergens.
    data.Write(kAllergenListFileName,
               test_support::Cp932_Lines({QStringLiteral("特定\tカシューナッツ\tカシューナッツ")}));
    const auto dictionary = Allergen_Dictionary::Load(program.Path(), data.Data_Folder());
    ASSERT_TRUE(dictionary);
    ASSERT_EQ(dictionary->Allergens().size(), 1u);
    EXPECT_TRUE(dictionary->Allergens()[0].specified);
    EXPECT_EQ(dictionary->Allergens()[0].name, QStringLiteral("カシューナッツ"));
}

TEST(Allergen_Dictionary, RefusesDamagedFilesNamingTheLine)
{
    const struct {
        const char* list;
        const char* dictionary;
        const char* error;
    } cases[] = {
        {"特定\t小麦\n", "", "allergens.txtの1行目の形が正しくありません"},
        {"#\n必須\t小麦\t小麦\n", "", "allergens.txtの2行目の形が正しくありません"},
        {"特定\t小麦\t小麦\n", "醤油\t小麦、大豆\n", "allergen_dictionary.txtの1行目の形が正しくありません"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(Allergen_Dictionary::Parse(c.list, c.dictionary, &error));
        EXPECT_EQ(error, QString::fromUtf8(c.error));
    }
    test_support::Temp_Folder empty;
    QString error;
    EXPECT_FALSE(Allergen_Dictionary::Load(empty.Path(), empty.Data_Folder(), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("allergens.txtを読めません"))) << error.toStdString();
}
