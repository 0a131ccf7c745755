#include "layouts/layout_record.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace layouts;
using test_support::Temp_Folder;

TEST(Layout_Numbers, NormalisedAsTheLayoutScreenWritesThem)
{
    const struct {
        const char* entered;
        const char* stored;
    } cases[] = {
        {"0.5", ".5"},
        {"-1.25", "-1.25"},
        {"abc", "0"},
        {"3mm", "3"},
        {"65", "65"},
        {"2.50", "2.5"},
        {"-0.5", "-.5"},
        {" 7.093596", "7.093596"},
        {"0.1", ".1"},
        {"", "0"},
        {"123.456789", "123.4568"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Normalize_Layout_Number(QString::fromUtf8(c.entered)), QString::fromUtf8(c.stored)) << c.entered;
    EXPECT_EQ(Format_Paper_Number(QStringLiteral("12")), QStringLiteral("0012"));
    EXPECT_EQ(Format_Paper_Number(QStringLiteral("0")), QStringLiteral("0000"));
    EXPECT_EQ(Format_Ruled_Flag(kRuled), QStringLiteral(" 16711680 "));
    EXPECT_EQ(Escape_Background_Name(QStringLiteral("a,b，c\r\n.bmp")), QStringLiteral("a<kanma>b<kanma>c.bmp"));
}

TEST(Layout_Numbers, HeldToWhatTheyCanMeanOnALabel)
{
    const QString huge = QStringLiteral("99999999999999999999999");
    const struct {
        int line;
        QString text;
        double number;
    } cases[] = {
        {Barcode_Height, huge, kMaxLabelMm},
        {Label_Length, QStringLiteral("-") + huge, -kMaxLabelMm},
        {Main_Left, QStringLiteral("12.5"), 12.5},
        {Item_Size_Line(Product_Name_Row), huge, kMaxStyleValue},
        {Item_Size_Line(Product_Name_Row) + 1, QStringLiteral("-80"), 0},
        {Item_Flag_Line(Date_Row), QStringLiteral("16711680"), kRuled},
        {Layout_Paper_Number, huge, 9999},
        {Print_Direction, QStringLiteral("90"), 90},
    };
    for (const auto& c : cases) {
        Layout_Record record;
        record[c.line] = c.text;
        EXPECT_EQ(record.Number(c.line), c.number) << c.line;
    }
}

TEST(Layout_File, WritesOneHundredFiftyTwoLinesAndReadsThemBack)
{
    Temp_Folder dir;
    Layout_Record r;
    for (int n = 1; n <= kLayoutLines; ++n)
        r[n] = QString::number(n);
    r[Saved_Name] = QStringLiteral("作成ﾚｲｱｳﾄ");
    r[160] = QStringLiteral("not written");
    ASSERT_TRUE(Write_Layout(Layout_Path(dir.Data_Folder(), QStringLiteral("x")), r).ok());
    const QByteArray bytes = dir.Read("x.lay");
    EXPECT_EQ(bytes.count("\r\n"), kLayoutLines);
    EXPECT_TRUE(bytes.endsWith("152\r\n"));

    const std::optional<Layout_Record> read = Read_Layout(dir.Data_Folder(), QStringLiteral("x"));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ((*read)[Saved_Name], QStringLiteral("作成ﾚｲｱｳﾄ"));
    EXPECT_EQ(read->Number(Label_Length), 4.0);
    EXPECT_TRUE((*read)[160].isEmpty());
    EXPECT_FALSE(Read_Layout(dir.Data_Folder(), QStringLiteral("missing")).has_value());
}

TEST(Layout_File, ShortAndOverlongFilesAreReadSafely)
{
    Temp_Folder dir;
    QStringList lines;
    for (int n = 1; n <= 100; ++n)
        lines << QString::number(n);
    dir.Write("short.lay", test_support::Cp932_Lines(lines));
    const Layout_Record shortRecord = *Read_Layout(dir.Data_Folder(), QStringLiteral("short"));
    EXPECT_EQ(shortRecord.Number(100), 100.0);
    EXPECT_EQ(shortRecord.Number(101), 0.0);
    EXPECT_TRUE(shortRecord[152].isEmpty());

    for (int n = 101; n <= 300; ++n)
        lines << QString::number(n);
    dir.Write("long.lay", test_support::Cp932_Lines(lines));
    EXPECT_EQ(Read_Layout(dir.Data_Folder(), QStringLiteral("long"))->Number(kLayoutCapacity), 200.0);
}

TEST(Layout_File, FailedWriteKeepsTheOldFile)
{
    Temp_Folder dir;
    dir.Write("x.lay", "old\r\n");
    Layout_Record r;
    r[Saved_Name] = QStringLiteral("😀");
    EXPECT_FALSE(Write_Layout(dir.File("x.lay"), r).ok());
    EXPECT_EQ(dir.Read("x.lay"), QByteArray("old\r\n"));
}

TEST(Layout_File, ScreenReaderSplitsAtCommasToo)
{
    Temp_Folder dir;
    dir.Write("c.lay", "Ver2.00\r\na,b\r\n 0\r\n");
    const std::optional<QStringList> values = Read_Layout_Values(dir.File("c.lay"));
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(*values, (QStringList{"Ver2.00", "a", "b", " 0"}));
}
