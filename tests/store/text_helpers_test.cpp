#include "store/text_helpers.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace store;

TEST(Byte_Cuts, LeftAndRightCountFullWidthAsTwo)
{
    EXPECT_EQ(Left_By_Bytes(QStringLiteral("あいう"), 3), QStringLiteral("あい"));
    EXPECT_EQ(Left_By_Bytes(QStringLiteral("ab") + QString(20, ' '), 20), QStringLiteral("ab") + QString(18, ' '));
    EXPECT_EQ(Right_By_Bytes(QStringLiteral("abcあ"), 3), QStringLiteral("cあ"));
    EXPECT_EQ(Left_By_Bytes(QStringLiteral("ｱｲｳ"), 2), QStringLiteral("ｱｲ"));  // half-width katakana count 1
    EXPECT_EQ(Left_By_Bytes(QStringLiteral("ab"), 5), QStringLiteral("ab"));   // short text: no crash
}

TEST(Control_Chars, StrippedAndCommasRemovedInPlace)
{
    EXPECT_EQ(Strip_Control_Chars(QStringLiteral("a\tb\r\n")), QStringLiteral("ab"));
    QString number = QStringLiteral("1,5\t");
    Strip_Control_And_Commas(number);
    EXPECT_EQ(number, QStringLiteral("15"));
}

TEST(Pad_Zero, LenientNumberRoundedHalfEvenSignDropped)
{
    const struct {
        const char* text;
        int width;
        const char* expected;
    } cases[] = {
        {"7", 4, "0007"},    {"", 4, "0000"},      {"-3", 4, "0003"},      {"2.5", 4, "0002"}, {"12.5", 4, "0012"},
        {"13.5", 4, "0014"}, {"12345", 4, "2345"}, {"  42abc", 4, "0042"}, {"abc", 4, "0000"}, {"9", 1, "9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pad_Zero(QString::fromUtf8(c.text), c.width), QString::fromUtf8(c.expected)) << c.text;
}

TEST(Lenient_Number, TakesTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("  -1.25mm")), -1.25);
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("3abc")), 3.0);
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("x3")), 0.0);
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("-")), 0.0);
    // Digits alone, as the product file's keys are, short and long.
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("0042")), 42.0);
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("999999999999999")), 999999999999999.0);
    EXPECT_DOUBLE_EQ(Lenient_Number(QStringLiteral("12345678901234567890")), 12345678901234567890.0);
    EXPECT_EQ(Round_Half_Even(0.5), 0);
    EXPECT_EQ(Round_Half_Even(1.5), 2);
    EXPECT_EQ(Round_Half_Even(-2.5), -2);
}

TEST(Split_Tab_Line, FillsElementsFromOne)
{
    Field_Array f;
    f[7] = QStringLiteral("stale");
    Split_Tab_Line(QStringLiteral("A\tB\t"), f);
    EXPECT_EQ(f[1], QStringLiteral("A"));
    EXPECT_EQ(f[2], QStringLiteral("B"));
    EXPECT_TRUE(f[3].isEmpty());
    EXPECT_TRUE(f[7].isEmpty());
    EXPECT_TRUE(f[0].isEmpty());

    Split_Tab_Line(QStringLiteral("A\tB"), f);
    EXPECT_EQ(f[2], QStringLiteral("B"));
}

TEST(Split_Tab_Line, MoreFieldsThanTheArrayHoldsKeepsTheFirst99)
{
    QStringList parts;
    for (int i = 1; i <= 150; ++i)
        parts << QString::number(i);
    Field_Array f;
    Split_Tab_Line(parts.join('\t'), f);
    EXPECT_EQ(f[1], QStringLiteral("1"));
    EXPECT_EQ(f[99], QStringLiteral("99"));
}

TEST(Split_Tab_Fields, StopsAfterCountFields)
{
    Field_Array f;
    Split_Tab_Fields(QStringLiteral("A\tB\tC\t"), 2, f);
    EXPECT_EQ(f[1], QStringLiteral("A"));
    EXPECT_EQ(f[2], QStringLiteral("B"));
    EXPECT_TRUE(f[3].isEmpty());

    f[5] = QStringLiteral("old");
    Split_Tab_Fields(QStringLiteral("A\tB"), 5, f);
    EXPECT_EQ(f[1], QStringLiteral("A"));
    EXPECT_EQ(f[2], QStringLiteral("B"));
    EXPECT_TRUE(f[3].isEmpty());
    EXPECT_TRUE(f[5].isEmpty());
}

TEST(Quote_For_Command, DoublesInnerQuotes)
{
    EXPECT_EQ(Quote_For_Command(QStringLiteral("\"")), QStringLiteral("\"\"\"\""));
    EXPECT_EQ(Quote_For_Command(QString()), QStringLiteral("\"\""));
    EXPECT_EQ(Quote_For_Command(QStringLiteral("a b")), QStringLiteral("\"a b\""));
}

TEST(Kanma_Henkan, DecodesEveryEscapeAndEncodesBothCommas)
{
    EXPECT_EQ(Kanma_Henkan(QStringLiteral("a<kanma>b<kanma>"), 1), QStringLiteral("a,b,"));
    EXPECT_EQ(Kanma_Henkan(QStringLiteral("<kanma"), 1), QStringLiteral("<kanma"));
    EXPECT_EQ(Kanma_Henkan(QStringLiteral("a,b，c"), 0), QStringLiteral("a<kanma>b<kanma>c"));
    EXPECT_EQ(Kanma_Henkan(Kanma_Henkan(QStringLiteral("x，y"), 0), 1), QStringLiteral("x,y"));
}

TEST(Make_Safe_File_Name, ReplacesForbiddenCharactersAndDropsControls)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a/b:c", "a／b：c"},         {"x,y\\z*w?", "x，y￥z＊w？"},    {"<a>|b", "＜a＞｜b"},
        {"say \"hi\"", "say ＂hi＂"}, {"line\tbreak\r\n", "linebreak"}, {"2024年 バックアップ", "2024年 バックアップ"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(Make_Safe_File_Name(QString::fromUtf8(typed)), QString::fromUtf8(expected)) << typed;
}
