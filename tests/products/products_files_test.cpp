// The strings file and the word table: reading, registering, deleting.
#include "products/default_data.h"
#include "products/strings_file.h"
#include "products/word_table.h"
#include "store/cp932.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace products;

namespace {

class Strings_File : public ::testing::Test {
protected:
    void SetUp() override { folder.Write(kStringsFileName, test_support::Cp932_Lines(Default_Strings_Lines())); }
    QStringList Lines() const { return store::Read_Text_Lines(folder.File(kStringsFileName)).lines; }
    test_support::Temp_Folder folder;
};

}  // namespace

TEST_F(Strings_File, ReadsACategoryWithCommasDecoded)
{
    folder.Write(kStringsFileName,
                 test_support::Cp932_Lines({QStringLiteral("品名の登録,a<kanma>b,,c<kanma>,,"),
                                            QStringLiteral("表示価格の登録x,1,2,3,4,5")}));
    const Category_Strings strings = Read_Category_Strings(folder.Data_Folder(), QStringLiteral("品名の登録"),
                                                           Key_Match::Equal);
    EXPECT_EQ(strings[0], QStringLiteral("a,b"));
    EXPECT_EQ(strings[2], QStringLiteral("c,"));
    EXPECT_EQ(Read_Category_Strings(folder.Data_Folder(), QStringLiteral("表示価格の登録"), Key_Match::Equal)[0],
              QString());
    EXPECT_EQ(Read_Category_Strings(folder.Data_Folder(), QStringLiteral("表示価格の登録"), Key_Match::Starts_With)[0],
              QStringLiteral("1"));
    test_support::Temp_Folder empty;
    EXPECT_EQ(Read_Category_Strings(empty.Data_Folder(), QStringLiteral("品名の登録"), Key_Match::Equal)[0], QString());
}

TEST_F(Strings_File, RegisterReplacesTheLineInPlaceOrAppends)
{
    Category_Strings price = Read_Category_Strings(folder.Data_Folder(), QStringLiteral("表示価格の登録"),
                                                   Key_Match::Starts_With);
    EXPECT_EQ(price[1], QStringLiteral("円＋税"));
    price[2] = QStringLiteral("1,000円，税込");
    ASSERT_EQ(Register_Category_Strings(folder.Data_Folder(), QStringLiteral("表示価格の登録"), price).kind,
              store::Outcome::Kind::Done);
    QStringList expected = Default_Strings_Lines();
    expected[9] = QStringLiteral("表示価格の登録,円(税込),円＋税,1<kanma>000円<kanma>税込,,");
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(Read_Category_Strings(folder.Data_Folder(), QStringLiteral("表示価格の登録"), Key_Match::Equal)[2],
              QStringLiteral("1,000円,税込"));

    Category_Strings contents;
    contents[0] = QStringLiteral("100\tｇ");
    Register_Category_Strings(folder.Data_Folder(), QStringLiteral("内容量の登録"), contents);
    expected << QStringLiteral("内容量の登録,100ｇ,,,,");
    EXPECT_EQ(Lines(), expected);

    contents[0].clear();
    Register_Category_Strings(folder.Data_Folder(), QStringLiteral("内容量の登録"), contents);
    EXPECT_EQ(Lines().last(), QStringLiteral("内容量の登録,,,,,"));
    EXPECT_FALSE(QFile::exists(folder.File(kStringsTempName)));
}

TEST_F(Strings_File, UnencodableTextIsRefusedAndNothingWritten)
{
    const QByteArray before = folder.Read(kStringsFileName);
    Category_Strings strings;
    strings[0] = QStringLiteral("smile 😀");
    const store::Outcome result = Register_Category_Strings(folder.Data_Folder(), QStringLiteral("品名の登録"),
                                                            strings);
    EXPECT_EQ(result.kind, store::Outcome::Kind::Failed);
    EXPECT_FALSE(result.Text().isEmpty());
    EXPECT_EQ(folder.Read(kStringsFileName), before);
}

namespace {

class Word_Table : public ::testing::Test {
protected:
    void SetUp() override { folder.Write(kWordTableFileName, test_support::Cp932_Lines(Default_Word_Table_Lines())); }
    QStringList Lines() const { return store::Read_Text_Lines(folder.File(kWordTableFileName)).lines; }
    int Lines_Of(const QString& word) const
    {
        int n = 0;
        for (const QString& line : Lines())
            n += Word_Of_Entry(line) == word ? 1 : 0;
        return n;
    }
    QStringList Words(int filter) const
    {
        QStringList words;
        for (const QString& entry : Filter_Word_Entries(Read_Word_Entries(folder.Data_Folder()), filter))
            words << Word_Of_Entry(entry);
        return words;
    }
    test_support::Temp_Folder folder;
    test_support::Scripted_Answerer answerer;
};

}  // namespace

TEST_F(Word_Table, FiltersIncludeVoicedAndSemiVoicedRows)
{
    const QStringList entries = Read_Word_Entries(folder.Data_Folder());
    ASSERT_EQ(entries.size(), 1040);
    EXPECT_EQ(entries.first(), QStringLiteral("ＥＤ|ＥＤＴＡ－Ｎａ"));
    EXPECT_TRUE(Words(2).contains(QStringLiteral("合成甘味料")));
    EXPECT_TRUE(Words(6).contains(QStringLiteral("膨張剤")));
    EXPECT_TRUE(Words(6).contains(QStringLiteral("ポリアクリル酸Ｎａ")));
    EXPECT_FALSE(Words(6).contains(QStringLiteral("増粘剤")));
    EXPECT_EQ(Words(kFilterOther).size(), 76);
    EXPECT_EQ(Words(2).size(), 209);
    EXPECT_EQ(Words(10).size(), 0);
    EXPECT_EQ(Words(kFilterAll).size(), 1040);
}

// The search by what the shop types: each query finds these words (among others)
// and never those.
TEST_F(Word_Table, SearchFindsWordsByReadingInEveryKanaAndWidth)
{
    const QStringList entries = Read_Word_Entries(folder.Data_Folder());
    const auto found = [&](const QString& query) {
        QStringList words;
        for (const QString& entry : Search_Word_Entries(entries, query))
            words << Word_Of_Entry(entry);
        return words;
    };
    const struct {
        const char* query;
        QStringList finds;
        QStringList misses;
    } cases[] = {
        // a kanji word by the start of its reading (its key), and beyond the key
        {"ぞう", {"増粘剤", "増粘多糖類", "造礁サンゴ焼成カルシウム"}, {"アスパルテーム"}},
        {"ぞうねん", {"増粘剤", "増粘剤（カラギナン）"}, {"アスパルテーム", "ゼラチン"}},
        // a katakana word by any part of it, typed in hiragana, katakana or half-width katakana
        {"あすぱ", {"アスパルテーム", "アスパラギナーゼ"}, {"アスコルビン酸", "亜酸化窒素"}},
        {"アスパ", {"アスパルテーム"}, {"アスコルビン酸"}},
        {"ｱｽﾊﾟﾙ", {"アスパルテーム"}, {"アスパラギナーゼ"}},
        {"ぱるてーむ", {"アスパルテーム"}, {}},
        {"こうしん", {"香辛料", "香辛料抽出物"}, {"クエン酸"}},
        // kanji and Latin letters as written, in either width and case
        {"増粘", {"増粘剤", "増粘多糖類"}, {"造礁サンゴ焼成カルシウム"}},
        {"edta", {"ＥＤＴＡ－Ｎａ"}, {}},
        {"Ｖ．Ｂ", {"Ｖ.Ｂ１", "Ｖ.Ｂ２"}, {"Ｖ.Ａ"}},
        // a one-character reading is all of its key
        {"す", {"酢", "スクラロース"}, {}},
        {"すいか", {}, {"酢"}},
    };
    for (const auto& c : cases) {
        const QStringList words = found(QString::fromUtf8(c.query));
        for (const QString& word : c.finds)
            EXPECT_TRUE(words.contains(word)) << c.query << " misses " << word.toStdString();
        for (const QString& word : c.misses)
            EXPECT_FALSE(words.contains(word)) << c.query << " finds " << word.toStdString();
    }
    EXPECT_TRUE(found(QStringLiteral(" 　")).isEmpty());
    const QStringList in_order = Search_Word_Entries(entries, QStringLiteral("ぞう"));
    EXPECT_LT(entries.indexOf(in_order.first()), entries.indexOf(in_order.last()));
}

TEST_F(Word_Table, KanaReadingGoesFirstAndLatinZZLast)
{
    ASSERT_TRUE(answerer.Told_Done(Register_Word(folder.Data_Folder(), QStringLiteral("あ"), QStringLiteral("abc"))));
    EXPECT_EQ(Lines().first(), QStringLiteral("あ　\tａｂｃ"));
    EXPECT_EQ(Lines().at(1), QStringLiteral("ＥＤ\tＥＤＴＡ－Ｎａ"));
    EXPECT_EQ(answerer.Lines1().last(), QStringLiteral("登録しました"));
    EXPECT_TRUE(Words(1).contains(QStringLiteral("ａｂｃ")));

    ASSERT_TRUE(answerer.Told_Done(Register_Word(folder.Data_Folder(), QStringLiteral("ZZ"), QStringLiteral("末尾"))));
    EXPECT_EQ(Lines().last(), QStringLiteral("ＺＺ\t末尾"));
    EXPECT_EQ(Lines().size(), 1042);
    EXPECT_TRUE(Words(kFilterOther).contains(QStringLiteral("末尾")));
    EXPECT_EQ(Normalize_Reading(QStringLiteral("ぞうねん")), QStringLiteral("ぞう"));
}

TEST_F(Word_Table, DeleteRemovesEveryLineOfTheWordAfterAsking)
{
    answerer.Told_Done(Register_Word(folder.Data_Folder(), QStringLiteral("ぞ"), QStringLiteral("増粘剤")));
    EXPECT_EQ(Lines_Of(QStringLiteral("増粘剤")), 2);

    const QByteArray before = folder.Read(kWordTableFileName);
    answerer.answers = {false};
    EXPECT_FALSE(answerer.Told_Done(Delete_Word(folder.Data_Folder(), QStringLiteral("増粘剤"), answerer)));
    EXPECT_EQ(folder.Read(kWordTableFileName), before);

    answerer.answers = {true};
    EXPECT_TRUE(answerer.Told_Done(Delete_Word(folder.Data_Folder(), QStringLiteral("増粘剤"), answerer)));
    EXPECT_EQ(Lines_Of(QStringLiteral("増粘剤")), 0);
    EXPECT_EQ(Lines().size(), 1039);
    EXPECT_TRUE(Lines().contains(QStringLiteral("ぞう\t増粘剤（カラギナン）")));
    EXPECT_EQ(answerer.Lines1().mid(answerer.Lines1().size() - 2),
              (QStringList{QStringLiteral("増粘剤を削除します"), QStringLiteral("削除しました")}));
}

TEST_F(Word_Table, UnencodableWordIsRefused)
{
    const QByteArray before = folder.Read(kWordTableFileName);
    EXPECT_FALSE(
        answerer.Told_Done(Register_Word(folder.Data_Folder(), QStringLiteral("え"), QStringLiteral("絵文字😀"))));
    EXPECT_EQ(folder.Read(kWordTableFileName), before);
    EXPECT_EQ(answerer.Lines1().last(), QStringLiteral("書き込み出来ません"));
}

// Lines written by a Windows copy (ED40 for 纊 where this codec writes FA5C, bytes
// that decode to nothing) keep their bytes when another line is registered.
TEST(Rewrites, StringsFileAndWordTableKeepTheBytesOfOtherLines)
{
    test_support::Temp_Folder folder;
    const QByteArray strings = "\x95\x69\x96\xBC\x82\xCC\x93\x6F\x98\x5E,\xED\x40\x85\x40,,,,\r\n";  // 品名の登録
    folder.Write(kStringsFileName, strings);
    Category_Strings contents;
    contents[0] = QStringLiteral("100ｇ");
    ASSERT_TRUE(Register_Category_Strings(folder.Data_Folder(), QStringLiteral("内容量の登録"), contents).Is_Done());
    EXPECT_EQ(folder.Read(kStringsFileName),
              strings + test_support::Cp932_Lines({QStringLiteral("内容量の登録,100ｇ,,,,")}));

    const QByteArray first = "\x82\xA0\x81\x40\t\xED\x40\xFD\r\n";  // reading "あ　"
    const QByteArray last = "\x82\x79\x82\x79\t\x87\x90\x81\r\n";   // reading "ＺＺ"
    folder.Write(kWordTableFileName, first + last);
    ASSERT_TRUE(Register_Word(folder.Data_Folder(), QStringLiteral("か"), QStringLiteral("菓子")).Is_Done());
    const QByteArray added = test_support::Cp932_Lines({QStringLiteral("か　\t菓子")});
    EXPECT_EQ(folder.Read(kWordTableFileName), first + added + last);
    test_support::Scripted_Answerer answerer;
    answerer.answers = {true};
    ASSERT_TRUE(Delete_Word(folder.Data_Folder(), QStringLiteral("菓子"), answerer).Is_Done());
    EXPECT_EQ(folder.Read(kWordTableFileName), first + last);
}

TEST(Ingredients, TransferAppendsWithCommaUnlessAfterSeparator)
{
    const QString first = Append_Ingredient(QStringLiteral("原材料名:"), QStringLiteral("増粘剤"));
    EXPECT_EQ(first, QStringLiteral("原材料名:増粘剤"));
    EXPECT_EQ(Append_Ingredient(first, QStringLiteral("香辛料")), QStringLiteral("原材料名:増粘剤､香辛料"));
    EXPECT_EQ(Append_Ingredient(QStringLiteral("調味料（"), QStringLiteral("アミノ酸")),
              QStringLiteral("調味料（アミノ酸"));
    EXPECT_EQ(Append_Ingredient(QString(), QStringLiteral("塩")), QStringLiteral("､塩"));
}
