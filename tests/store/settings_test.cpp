#include "store/settings.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace store;
using test_support::Temp_Folder;

TEST(Settings, DefaultsAreFifteenCrLfLines)
{
    Temp_Folder dir;
    ASSERT_TRUE(Create_Default_Settings(dir.Path()).ok());
    const QByteArray expected = test_support::Cp932_Lines(
        {"", "0000", "0", "0", QStringLiteral("しない"), QStringLiteral("ぱるべりなインストールフォルダ"),
         QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ"), "", "", "", "", "", "", ""});
    EXPECT_EQ(dir.Read("user_v2.dat"), expected);
}

TEST(Settings, ExistingFileIsNeverReplacedByDefaults)
{
    Temp_Folder dir;
    dir.Write("user_v2.dat", "mine\r\n");
    ASSERT_TRUE(Create_Default_Settings(dir.Path()).ok());
    EXPECT_EQ(dir.Read("user_v2.dat"), QByteArray("mine\r\n"));
}

TEST(Settings, SaveThenLoadKeepsTheNineValuesAndEmptiesTheReservedLines)
{
    Temp_Folder dir;
    dir.Write("user_v2.dat", test_support::Cp932_Lines(QStringList(15, QStringLiteral("old"))));
    const Settings_Values values = {QStringLiteral("Zebra"),
                                    "0009",
                                    "1.5",
                                    "",
                                    QStringLiteral("する"),
                                    QStringLiteral("デスクトップ"),
                                    QStringLiteral("バーコードフォント使用"),
                                    QStringLiteral("端寄せ"),
                                    ""};
    ASSERT_TRUE(Save_Settings(dir.Path(), values).ok());
    bool opened = false;
    const Settings_Record s = Load_Settings(dir.Path(), &opened);
    EXPECT_TRUE(opened);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(s.line[n], values[n - 1]) << n;
    for (int n = 10; n <= 15; ++n)
        EXPECT_TRUE(s.line[n].isEmpty()) << n;
    EXPECT_EQ(Saved_Values(s), values);
    EXPECT_EQ(s[Setting::Vertical_Barcode_Method], QStringLiteral("バーコードフォント使用"));
    EXPECT_EQ(dir.Read("user_v2.dat").count("\r\n"), 15);
    EXPECT_FALSE(QFile::exists(dir.File("user_v2.dat.tmp")));
}

TEST(Settings, LineBreakInAValueCannotShiftTheLinesAfterIt)
{
    Temp_Folder dir;
    Settings_Values values;
    values[0] = QStringLiteral("Zebra\r\n0001\tx");
    values[8] = QStringLiteral("50\n");
    ASSERT_TRUE(Save_Settings(dir.Path(), values).ok());
    EXPECT_EQ(dir.Read("user_v2.dat").count("\r\n"), 15);
    const Settings_Record s = Load_Settings(dir.Path());
    EXPECT_EQ(s.line[1], QStringLiteral("Zebra0001x"));
    EXPECT_EQ(s.line[9], QStringLiteral("50"));
}

TEST(Settings, ShortAndLongFilesReadWithoutShifting)
{
    Temp_Folder dir;
    dir.Write("user_v2.dat", "P\r\n0001\r\n");
    Settings_Record s = Load_Settings(dir.Path());
    EXPECT_EQ(s.Printer_Name(), QStringLiteral("P"));
    EXPECT_EQ(s.Paper_Number(), QStringLiteral("0001"));
    EXPECT_TRUE(s.Data_Location().isEmpty());

    dir.Write("user_v2.dat", test_support::Cp932_Lines(QStringList(20, QStringLiteral("v"))));
    s = Load_Settings(dir.Path());
    EXPECT_EQ(s.line[15], QStringLiteral("v"));
}

TEST(Settings, SaveRefusesUnencodablePrinterNameAndKeepsTheOldFile)
{
    Temp_Folder dir;
    dir.Write("user_v2.dat", "old\r\n");
    Settings_Values values;
    values[0] = QStringLiteral("Printer😀");
    EXPECT_FALSE(Save_Settings(dir.Path(), values).ok());
    EXPECT_EQ(dir.Read("user_v2.dat"), QByteArray("old\r\n"));
}
