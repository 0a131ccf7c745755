#include "screens/common/printer_check.h"
#include "screens/common/session.h"
#include "support/fake_printer_platform.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

TEST(Select_Configured_Printer, ExactDeviceNameOnly)
{
    test_support::Temp_Folder dir;
    dir.Write("user_v2.dat", "Zebra\r\n");
    screens::Session session;
    session.application_folder = dir.Path();
    EXPECT_FALSE(screens::Select_Configured_Printer(session));  // no printers at all
    test_support::Fake_Printer_Platform printers({{"zebra"}, {"Zebra-2"}});
    session.printers = &printers;
    EXPECT_FALSE(screens::Select_Configured_Printer(session));
    EXPECT_EQ(session.current_printer, QString());
    test_support::Fake_Printer_Platform with_zebra({{"zebra"}, {"Zebra-2"}, {"Zebra"}});
    session.printers = &with_zebra;
    EXPECT_TRUE(screens::Select_Configured_Printer(session));
    EXPECT_EQ(session.current_printer, QStringLiteral("Zebra"));
}
