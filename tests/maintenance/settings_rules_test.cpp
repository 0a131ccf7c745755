// The settings screen's printer presets, the data copy of a location change and
// the file that says whether labels are checked before printing.
#include "maintenance/data_files.h"
#include "maintenance/new_product_layout.h"
#include "maintenance/print_check_setting.h"
#include "maintenance/settings_rules.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace maintenance;
using test_support::Temp_Folder;

namespace {

using test_support::Q;

const QString kInstall = QStringLiteral("ぱるべりなインストールフォルダ");
const QString kDesktop = QStringLiteral("デスクトップ");
const QString kUsb = QStringLiteral("ぱるべりなUSBメモリ");

}  // namespace

TEST(Printer_Change_Rule, KnownLabelPrintersPresetCentredPaperAndWidth)
{
    const struct {
        const char* printer;
        const char* position;
        const char* width;  // nullptr: left unchanged
    } cases[] = {
        {"Lesprit T-200", "中央寄せ", "101.6"},
        {"my lesprit", "中央寄せ", "101.6"},
        {"ﾚｽﾌﾟﾘ", "中央寄せ", "101.6"},
        {"レスプリ 2", "中央寄せ", "101.6"},
        {"L'esprit", "中央寄せ", "101.6"},
        {"SATO FI212T", "中央寄せ", "50.8"},
        {"EtVie-1", "中央寄せ", "50.8"},
        {"Lesprit FI212T", "中央寄せ", "50.8"},  // the second rule applies after the first
        {"LESPRIT", "端寄せ", nullptr},
        {"Zebra", "端寄せ", nullptr},
        {"", "端寄せ", nullptr},
    };
    for (const auto& c : cases) {
        const Printer_Presets presets = Printer_Change_Rule(Q(c.printer));
        EXPECT_EQ(presets.paper_set_position, Q(c.position)) << c.printer;
        EXPECT_EQ(presets.max_print_width.has_value(), c.width != nullptr) << c.printer;
        if (c.width) {
            EXPECT_EQ(*presets.max_print_width, Q(c.width)) << c.printer;
        }
    }
}

struct Location_Fixture : ::testing::Test {
    Temp_Folder application;
    Temp_Folder desktop;
    store::Folder_Context context;

    void SetUp() override
    {
        context.application_folder = application.Path();
        context.desktop_folder = desktop.Path();
        application.Write(Q("商品情報_v2.tsv"), "2.00\r\n0001\tmine\r\n");
        application.Write(Q("a.lay"), "layout");
        application.Write(Q("pura00.bmp"), "picture");
        application.Write(Q("user_v2.dat"), "settings");
        desktop.Write(Q("商品情報_v2.tsv"), "2.00\r\n");
    }
};

TEST_F(Location_Fixture, CopiesLayoutsPicturesAndTablesReplacingFilesOfTheSameName)
{
    ASSERT_TRUE(Change_Data_Location(kInstall, kDesktop, context).ok());
    EXPECT_EQ(desktop.Read(Q("商品情報_v2.tsv")), QByteArray("2.00\r\n0001\tmine\r\n"));
    EXPECT_EQ(desktop.Read(Q("a.lay")), QByteArray("layout"));
    EXPECT_EQ(desktop.Read(Q("pura00.bmp")), QByteArray("picture"));
    EXPECT_FALSE(QFileInfo::exists(desktop.File(Q("user_v2.dat"))));
    EXPECT_EQ(application.Read(Q("a.lay")), QByteArray("layout")) << "the old files stay";
    EXPECT_EQ(QDir(desktop.Path()).entryList(QDir::Files).size(), 3);
}

TEST_F(Location_Fixture, FolderThatCannotBeWrittenKeepsEverythingAndSaysWhy)
{
    // Root may write anywhere it has a folder; these paths cannot be written by anyone.
    for (const QString& unwritable : {QStringLiteral("/proc"), application.File(Q("a.lay")) + QStringLiteral("/sub"),
                                      application.File(Q("missing"))}) {
        context.desktop_folder = unwritable;
        const store::Write_Result result = Change_Data_Location(kInstall, kDesktop, context);
        EXPECT_FALSE(result.ok()) << unwritable.toStdString();
        EXPECT_FALSE(result.error.isEmpty());
    }
    context.desktop_folder = QStringLiteral("/proc");
    const store::Write_Result result = Change_Data_Location(kInstall, kDesktop, context);
    EXPECT_TRUE(result.error.contains(Q("a.lay"))) << "names the first file: " << result.error.toStdString();
}

TEST_F(Location_Fixture, FailedCopyLeavesTheNewFolderAsItWas)
{
    application.Write(Q("z.tsv"), "new");
    desktop.Write(Q("z.tsv"), "old");
    QDir(desktop.Path()).mkdir(Q("pura00.bmp.copying"));  // the picture cannot be copied
    const store::Write_Result result = Change_Data_Location(kInstall, kDesktop, context);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(Q("pura00.bmp"))) << result.error.toStdString();
    EXPECT_EQ(desktop.Read(Q("z.tsv")), QByteArray("old"));
    EXPECT_FALSE(QFileInfo::exists(desktop.File(Q("a.lay"))));
    EXPECT_FALSE(QFileInfo::exists(desktop.File(Q("a.lay.copying"))));
}

TEST_F(Location_Fixture, UsbMemoryWithoutDriveIsRefusedNotCopiedToTheRoot)
{
    EXPECT_EQ(Location_Change_Target(kUsb, context), QString());
    EXPECT_FALSE(Change_Data_Location(kInstall, kUsb, context).ok());

    Temp_Folder stick;
    context.removable_drive_root = stick.Path();
    EXPECT_EQ(Location_Change_Target(kUsb, context), stick.Data_Folder());
    ASSERT_TRUE(Change_Data_Location(kInstall, kUsb, context).ok());
    EXPECT_EQ(stick.Read(Q("a.lay")), QByteArray("layout"));
}

TEST_F(Location_Fixture, SameFolderCopiesNothing)
{
    // USB memory without a drive means the application folder.
    ASSERT_TRUE(Change_Data_Location(kUsb, kInstall, context).ok());
    EXPECT_EQ(application.Read(Q("a.lay")), QByteArray("layout"));
}

TEST(Print_Check_Setting, AsksUnlessTheFileSaysNotAndIsWrittenInTheFileConventions)
{
    Temp_Folder application;
    EXPECT_TRUE(Confirms_Before_Printing(application.Path()));  // no file yet

    ASSERT_TRUE(Save_Confirms_Before_Printing(application.Path(), false).Is_Done());
    EXPECT_EQ(application.Read(kPrintCheckFileName), test_support::Cp932_Lines({Q("2.00"), Q("確認しない")}));
    EXPECT_FALSE(Confirms_Before_Printing(application.Path()));
    EXPECT_FALSE(QFileInfo::exists(application.File(kPrintCheckTempName)));

    ASSERT_TRUE(Save_Confirms_Before_Printing(application.Path(), true).Is_Done());
    EXPECT_EQ(application.Read(kPrintCheckFileName), test_support::Cp932_Lines({Q("2.00"), Q("確認する")}));
    EXPECT_TRUE(Confirms_Before_Printing(application.Path()));

    // A damaged file asks, as a missing one does.
    for (const QByteArray& damaged : {QByteArray("2.00\r\n"), test_support::Cp932_Lines({Q("9.99"), Q("確認しない")}),
                                      test_support::Cp932_Lines({Q("2.00"), Q("確認しない"), Q("")})}) {
        application.Write(kPrintCheckFileName, damaged);
        EXPECT_TRUE(Confirms_Before_Printing(application.Path())) << damaged.toStdString();
    }
}

TEST(Print_Check_Setting, AFileThatCannotBeReadIsNotReplaced)
{
    for (const test_support::Unreadable kind : test_support::kUnreadableKinds) {
        Temp_Folder application;
        const QString path = application.File(kPrintCheckFileName);
        if (!test_support::Make_Unreadable(path, kind))
            continue;
        const QByteArray before = test_support::State_Of(path);
        const store::Outcome saved = Save_Confirms_Before_Printing(application.Path(), false);
        EXPECT_EQ(saved.kind, store::Outcome::Kind::Failed) << test_support::Name_Of(kind);
        EXPECT_FALSE(saved.lines.isEmpty());
        EXPECT_EQ(test_support::State_Of(path), before);
        EXPECT_TRUE(Confirms_Before_Printing(application.Path()));
    }
}

TEST(New_Product_Layout, DefaultChoiceLastUsedAndTheFileConventions)
{
    Temp_Folder application;
    New_Product_Layout_Setting setting = Read_New_Product_Layout(application.Path());  // no file yet
    EXPECT_EQ(setting.choice, kDefaultNewProductLayout);
    EXPECT_EQ(setting.Layout(), Q("ぱるべりな01 65x45"));

    ASSERT_TRUE(Remember_Last_Used_Layout(application.Path(), Q("標準06 90x50")).Is_Done());
    EXPECT_EQ(application.Read(kNewProductLayoutFileName),
              test_support::Cp932_Lines({Q("2.00"), Q("ぱるべりな01 65x45"), Q("標準06 90x50")}));
    EXPECT_EQ(Read_New_Product_Layout(application.Path()).Layout(), Q("ぱるべりな01 65x45"));
    setting.choice = kLastUsedLayoutChoice;
    setting.last_used = Q("標準06 90x50");
    ASSERT_TRUE(Save_New_Product_Layout(application.Path(), setting).Is_Done());
    EXPECT_EQ(Read_New_Product_Layout(application.Path()).Layout(), Q("標準06 90x50"));
    EXPECT_FALSE(QFileInfo::exists(application.File(kNewProductLayoutTempName)));

    for (const QByteArray& damaged : {QByteArray("2.00\r\n"), test_support::Cp932_Lines({Q("9.99"), Q("A"), Q("B")}),
                                      test_support::Cp932_Lines({Q("2.00"), Q(""), Q("B")})}) {
        application.Write(kNewProductLayoutFileName, damaged);
        EXPECT_EQ(Read_New_Product_Layout(application.Path()).Layout(), kDefaultNewProductLayout)
            << damaged.toStdString();
    }
}
