#include "products/product_file.h"
#include "store/cp932.h"

#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <QFile>

#include <functional>

#include <gtest/gtest.h>

using namespace products;
using test_support::Cp932_Lines;
using test_support::Scripted_Answerer;
using test_support::Temp_Folder;

namespace {

using Kind = store::Outcome::Kind;

Product_Record Record(const QString& number, const QString& name)
{
    Product_Record r;
    r[Product_No] = number;
    r[Layout_Name] = QStringLiteral("標準01 65x45");
    r[Product_Name] = name;
    return r;
}

QString Line(const QString& number, const QString& name)
{
    return Join_Product_Line(Record(number, name));
}

struct Product_File : ::testing::Test {
    Temp_Folder dir;
    Scripted_Answerer answerer;
    QString folder = dir.Data_Folder();

    void Given(const QStringList& lines) { dir.Write(kProductFileName, Cp932_Lines(lines)); }
    QByteArray File() const { return dir.Read(kProductFileName); }
    // Stores as the registration screen does: the outcome is told.
    store::Outcome::Kind Store(const QString& number, const QString& name)
    {
        Product_Record r = Record(number, name);
        const store::Outcome stored = Store_Product(folder, r, answerer);
        answerer.Tell(stored);
        return stored.kind;
    }
};

}  // namespace

TEST(Product_Record, LineHas44FieldsAndLosesControlCharacters)
{
    Product_Record r = Record(QStringLiteral("3"), QStringLiteral("品名:大福\t餅\r\n"));
    r[Recycle2_Text2] = QStringLiteral("last");
    const QString line = Join_Product_Line(r);
    EXPECT_EQ(line.count('\t'), 43);
    EXPECT_TRUE(line.startsWith(QStringLiteral("0003\t標準01 65x45\t品名:大福餅\t")));
    EXPECT_TRUE(line.endsWith(QStringLiteral("\tlast")));
    EXPECT_EQ(Split_Product_Line(line)[Product_Name], QStringLiteral("品名:大福餅"));
    EXPECT_EQ(Format_Product_No(QStringLiteral("12.5")), QStringLiteral("0012"));
}

TEST(Product_Record, LayoutNameWithTabOrLineBreakCannotSplitTheRecord)
{
    Product_Record r = Record(QStringLiteral("1"), QStringLiteral("x"));
    r[Layout_Name] = QStringLiteral("evil\n0002\tx\r");
    const QString line = Join_Product_Line(r);
    EXPECT_EQ(line.count('\t'), 43);
    EXPECT_FALSE(line.contains('\n') || line.contains('\r'));
    EXPECT_EQ(Split_Product_Line(line)[Layout_Name], QStringLiteral("evil0002x"));
}

TEST_F(Product_File, NextNumberFollowsTheLastLine)
{
    Given({"2.00"});
    EXPECT_EQ(Next_Product_No(folder), QStringLiteral("0001"));
    Given({"2.00", Line("0003", "a"), Line("0042", "b")});
    EXPECT_EQ(Next_Product_No(folder), QStringLiteral("0043"));
    Given({"2.00", Line("9999", "z")});
    EXPECT_EQ(Next_Product_No(folder), QStringLiteral("0000"));
    dir.Write(kProductFileName, "");
    EXPECT_EQ(Next_Product_No(folder), QStringLiteral("0001"));
}

// The reads on a file's bytes give what the reads of the file give, for the
// files the file reads meet: LF ends, no final line end, an empty file, odd keys.
TEST_F(Product_File, ReadsOfTheBytesAgreeWithReadsOfTheFile)
{
    const QByteArray lines = Cp932_Lines({"2.00", Line("0003", "a"), Line("0042", "苺")});
    const QByteArray cases[] = {
        lines,
        QByteArray(lines).replace("\r\n", "\n"),
        lines.chopped(2),
        "",
        "2.00",
        "2.00\r\n\r\n",
        Cp932_Lines({"2.00", QStringLiteral("ﾃｽﾄ\tx"), Line("0001", "b"), QStringLiteral("0001x")}),
    };
    const auto found = [](const std::optional<Product_Record>& record) {
        return record ? Join_Product_Line(*record) : QStringLiteral("(none)");
    };
    for (const QByteArray& bytes : cases) {
        dir.Write(kProductFileName, bytes);
        EXPECT_EQ(Product_Lines_In(bytes), Read_Product_Lines(folder)) << bytes.toStdString();
        EXPECT_EQ(Next_Product_No_In(bytes), Next_Product_No(folder)) << bytes.toStdString();
        for (const char* number : {"1", "3", "42", "9999"})
            EXPECT_EQ(found(Find_Product_In(bytes, QString::fromLatin1(number))),
                      found(Find_Product(folder, QString::fromLatin1(number))))
                << bytes.toStdString() << " " << number;
    }
}

TEST_F(Product_File, StoreInsertsInNumberOrder)
{
    Given({"2.00", Line("0003", "a"), Line("0007", "b")});
    EXPECT_EQ(Store("5", "c"), Kind::Done);
    EXPECT_EQ(File(), Cp932_Lines({"2.00", Line("0003", "a"), Line("0005", "c"), Line("0007", "b")}));
    EXPECT_EQ(Store("9", "d"), Kind::Done);
    EXPECT_EQ(Store("1", "e"), Kind::Done);
    EXPECT_EQ(File(),
              Cp932_Lines({"2.00", Line("0001", "e"), Line("0003", "a"), Line("0005", "c"), Line("0007", "b"),
                           Line("0009", "d")}));
    EXPECT_EQ(answerer.Lines1(), QStringList(3, QStringLiteral("保存しました")));
    EXPECT_EQ(answerer.requests.back().back_colour, store::kInformationColour);
    EXPECT_FALSE(QFile::exists(dir.File(kProductTempName)));
}

TEST_F(Product_File, EmptyFileGetsTheVersionLineFirst)
{
    dir.Write(kProductFileName, "");
    EXPECT_EQ(Store("1", "a"), Kind::Done);
    EXPECT_EQ(File(), Cp932_Lines({"2.00", Line("0001", "a")}));
}

TEST_F(Product_File, OverwriteAskedAndAnsweredBothWays)
{
    Given({"2.00", Line("0003", "a"), Line("0007", "b")});
    const QByteArray before = File();

    answerer.answers = {false};
    EXPECT_EQ(Store("3", "new"), Kind::Declined);
    EXPECT_EQ(File(), before);
    EXPECT_FALSE(QFile::exists(dir.File(kProductTempName)));
    ASSERT_EQ(answerer.requests.size(), 1u);
    EXPECT_EQ(answerer.requests[0].line1, QStringLiteral("No.0003を上書き保存します"));
    EXPECT_EQ(answerer.requests[0].line2, QStringLiteral("よろしいですか？"));
    EXPECT_EQ(answerer.requests[0].first_caption, QStringLiteral("はい"));
    EXPECT_EQ(answerer.requests[0].second_caption, QStringLiteral("いいえ"));

    answerer.answers = {true};
    EXPECT_EQ(Store("0003", "new"), Kind::Done);
    EXPECT_EQ(File(), Cp932_Lines({"2.00", Line("0003", "new"), Line("0007", "b")}));
}

TEST_F(Product_File, DuplicateNumbersFirstIsReplacedAllAreDeleted)
{
    Given({"2.00", Line("0004", "first"), Line("0004", "second"), Line("0005", "x")});
    EXPECT_EQ(Find_Product(folder, QStringLiteral("4"))->field[Product_Name], QStringLiteral("first"));
    answerer.answers = {true};
    EXPECT_EQ(Store("4", "new"), Kind::Done);
    EXPECT_EQ(File(), Cp932_Lines({"2.00", Line("0004", "new"), Line("0004", "second"), Line("0005", "x")}));

    EXPECT_TRUE(answerer.Told_Done(Delete_Product(folder, QStringLiteral("4"))));
    EXPECT_EQ(File(), Cp932_Lines({"2.00", Line("0005", "x")}));
    EXPECT_EQ(answerer.Lines1().back(), QStringLiteral("削除しました"));
    EXPECT_FALSE(Find_Product(folder, QStringLiteral("4")).has_value());
}

TEST_F(Product_File, RefusalsWriteNothing)
{
    Given({"2.00", Line("0003", "a")});
    const QByteArray before = File();
    EXPECT_EQ(Store("0", "x"), Kind::Failed);
    EXPECT_EQ(Store("abc", "x"), Kind::Failed);
    EXPECT_EQ(answerer.requests[0].line2, QStringLiteral("(登録番号が異常です)"));
    EXPECT_EQ(Store("4", "吉野家𠮷"), Kind::Failed);
    EXPECT_TRUE(answerer.requests.back().line2.contains(QStringLiteral("𠮷")));

    Product_Record r = Record("4", "x");
    EXPECT_FALSE(answerer.Told_Done(Store_Product(QStringLiteral("/"), r, answerer)));
    EXPECT_EQ(answerer.requests.back().line2, QStringLiteral("(保存先指定が異常です)"));
    EXPECT_EQ(File(), before);
}

TEST_F(Product_File, OddLinesSurviveARewrite)
{
    // An empty line, a short line and undecodable bytes are copied, not lost.
    dir.Write(kProductFileName, QByteArray("2.00\r\n\r\n0002\tshort\r\n0003\t\x85\x40\r\n"));
    EXPECT_EQ(Store("9", "new"), Kind::Done);
    const store::Text_File file = store::Read_Text_Lines(dir.File(kProductFileName));
    ASSERT_EQ(file.lines.size(), 5);
    EXPECT_EQ(file.lines[2], QStringLiteral("0002\tshort"));
    EXPECT_TRUE(file.lines[3].startsWith(QStringLiteral("0003\t")));
    EXPECT_TRUE(file.lines[4].startsWith(QStringLiteral("0009\t")));
}

// A file from a Windows copy may hold codes that decode to a character whose own
// code differs (ED40 and FA5C are both 纊, 8790 and 81E0 both ≒, EEF9 and 81CA
// both ￢) and bytes that decode to nothing (8540, a lone lead byte): a rewrite
// keeps them as they are on every line it does not change.
TEST_F(Product_File, RewritesKeepTheBytesOfEveryLineTheyDoNotChange)
{
    const QByteArray odd("\t\xED\x40\x87\x90\xEE\xF9\x85\x40x\xFD\x81");
    const QList<QByteArray> lines = {"2.00", "0001" + odd, "0003" + odd, "0005" + odd, "0005" + odd + "z"};
    const auto file_of = [](const QList<QByteArray>& lines) {
        QByteArray bytes;
        for (const QByteArray& line : lines)
            bytes += line + "\r\n";
        return bytes;
    };
    const auto changed = [](const char* number, const char* name) {
        return Cp932_Lines({Line(QString::fromLatin1(number), QString::fromLatin1(name))}).chopped(2);
    };
    struct Case {
        const char* what;
        std::function<store::Outcome()> rewrite;
        QList<QByteArray> expected;
    };
    const Case cases[] = {
        {"replace",
         [&] {
             Product_Record r = Record("3", "new");
             return Store_Product(folder, r, answerer);
         },
         {lines[0], lines[1], changed("3", "new"), lines[3], lines[4]}},
        {"insert",
         [&] {
             Product_Record r = Record("4", "new");
             return Store_Product(folder, r, answerer);
         },
         {lines[0], lines[1], lines[2], changed("4", "new"), lines[3], lines[4]}},
        {"delete",
         [&] { return Delete_Product(folder, QStringLiteral("1")); },
         {lines[0], lines[2], lines[3], lines[4]}},
        {"delete duplicates",
         [&] { return Delete_Product(folder, QStringLiteral("5")); },
         {lines[0], lines[1], lines[2]}},
    };
    for (const Case& c : cases) {
        dir.Write(kProductFileName, file_of(lines));
        answerer.answers = {true};
        EXPECT_TRUE(c.rewrite().Is_Done()) << c.what;
        EXPECT_EQ(File(), file_of(c.expected)) << c.what;
    }
}

// Several products take one layout; every other line keeps its bytes, every
// other field of the changed lines stays.
TEST_F(Product_File, LayoutOfSeveralProductsChangedAtOnce)
{
    const QByteArray odd("0002\t\xED\x40\x87\x90\xEE\xF9\x85\x40x\xFD\x81");
    const QByteArray before = Cp932_Lines({QStringLiteral("2.00"), Line("1", "品名:柏餅")}) + odd + "\r\n"
        + Cp932_Lines({Line("3", "品名:大福")});
    dir.Write(kProductFileName, before);
    const store::Outcome changed = Change_Product_Layouts(
        folder, {QStringLiteral("3"), QStringLiteral("0001"), QStringLiteral("9")}, QStringLiteral("標準06 90x50"));
    ASSERT_TRUE(changed.Is_Done());
    EXPECT_EQ(changed.lines, (QStringList{QStringLiteral("変更しました"), QStringLiteral("2件")}));
    Product_Record first = Record("0001", "品名:柏餅");
    Product_Record third = Record("0003", "品名:大福");
    first[Layout_Name] = third[Layout_Name] = QStringLiteral("標準06 90x50");
    EXPECT_EQ(File(),
              Cp932_Lines({QStringLiteral("2.00"), Join_Product_Line(first)}) + odd + "\r\n"
                  + Cp932_Lines({Join_Product_Line(third)}));

    const QByteArray now = File();
    EXPECT_TRUE(Change_Product_Layouts(folder, {QStringLiteral("1")}, QStringLiteral("標準06 90x50")).Is_Done());
    EXPECT_EQ(File(), now);  // already so: nothing changes
    EXPECT_EQ(Change_Product_Layouts(folder, {QStringLiteral("1")}, QStringLiteral("🍡")).kind, Kind::Failed);
    EXPECT_EQ(File(), now);
}
