#include "screens/common/printer_check.h"
#include "screens/common/session.h"
#include "support/fake_printer_platform.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

TEST(Select_Configured_Printer, ExactDeviceNameOnly)
{
    test_support::Temp_Folder dir;
    dir.Write("user_v2.dat", "Zebra\r\n");
    test_support::Fake_Printer_Platform printers({{"zebra"}, {"Zebra-2"}});
    EXPECT_FALSE(screens::Select_Configured_Printer(dir.Path(), printers));
    test_support::Fake_Printer_Platform with_zebra({{"zebra"}, {"Zebra-2"}, {"Zebra"}});
    EXPECT_TRUE(screens::Select_Configured_Printer(dir.Path(), with_zebra));
    EXPECT_EQ(screens::Current_Session().current_printer, QStringLiteral("Zebra"));
}
