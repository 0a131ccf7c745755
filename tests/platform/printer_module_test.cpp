// The CUPS queues loaded from the printer module on first use, as the
// application does: start-up maps no print library, the first listing does.
#include "platform/printer_module.h"
#include "support/gui_application.h"

#include <gtest/gtest.h>

#include <link.h>

#include <string>

namespace {

bool Library_Loaded(const std::string& name_part)
{
    bool found = false;
    auto visit = [](dl_phdr_info* info, size_t, void* data) {
        auto* wanted = static_cast<std::pair<const std::string*, bool*>*>(data);
        if (std::string(info->dlpi_name).find(*wanted->first) != std::string::npos)
            *wanted->second = true;
        return 0;
    };
    std::pair<const std::string*, bool*> wanted{&name_part, &found};
    dl_iterate_phdr(visit, &wanted);
    return found;
}

platform::System_Printers Printers_From(const QString& module_path)
{
    return platform::System_Printers([] { return QString(); }, platform::Module_Queues(module_path));
}

class Printer_Module : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }
};

TEST_F(Printer_Module, LoadsThePrintLibrariesOnTheFirstCallThatNeedsAQueue)
{
    platform::System_Printers printers = Printers_From(QStringLiteral(PRINTER_MODULE));
    // Choosing the built-in printer needs no queue.
    ASSERT_TRUE(printers.Select_Printer(platform::kBuilt_In_Pdf_Printer));
    EXPECT_FALSE(Library_Loaded("libQt6PrintSupport"));
    EXPECT_FALSE(Library_Loaded("libcups"));

    const QStringList installed = printers.Installed_Printers();
    EXPECT_TRUE(Library_Loaded("libQt6PrintSupport"));
    ASSERT_TRUE(installed.contains(QStringLiteral("Zebra")))
        << "start the test printers first: bash scripts/start-cups.sh";
    EXPECT_EQ(installed.last(), platform::kBuilt_In_Pdf_Printer);

    ASSERT_TRUE(printers.Select_Printer(QStringLiteral("Zebra")));
    EXPECT_EQ(printers.Current_Printer(), QStringLiteral("Zebra"));
    EXPECT_EQ(printers.Resolution(), 203);
    EXPECT_TRUE(printers.Raster_Driver());
    EXPECT_FALSE(printers.Paper_Sizes().empty());
}

TEST_F(Printer_Module, WithoutTheModuleOnlyTheBuiltInPrinterRemains)
{
    for (const QString& path : {QStringLiteral("/nonexistent/paruberina-printers.so"), QStringLiteral("/etc/hostname")}) {
        platform::System_Printers printers = Printers_From(path);
        EXPECT_EQ(printers.Installed_Printers(), QStringList{platform::kBuilt_In_Pdf_Printer}) << path.toStdString();
        EXPECT_FALSE(printers.Select_Printer(QStringLiteral("Zebra")));
        EXPECT_TRUE(printers.Select_Printer(platform::kBuilt_In_Pdf_Printer));
    }
}

}  // namespace
