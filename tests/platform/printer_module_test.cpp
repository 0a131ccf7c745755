// The CUPS queues loaded from the printer module on first use, as the
// application does: start-up maps no print library, the first listing does.
#include "platform/printer_module.h"
#include "support/gui_application.h"

#include <QTemporaryDir>

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

// The built-in printer's files go to a folder of the test's own.
platform::System_Printers Printers_From(const QString& module_path, const QString& pdf_folder = {})
{
    return platform::System_Printers([pdf_folder] { return pdf_folder; }, platform::Module_Queues(module_path));
}

class Printer_Module : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }
};

TEST_F(Printer_Module, LoadsThePrintLibrariesOnTheFirstCallThatNeedsAQueue)
{
    const QTemporaryDir pdf_folder;
    platform::System_Printers printers = Printers_From(QStringLiteral(PRINTER_MODULE), pdf_folder.path());
    // Finding the built-in printer, and printing on it, needs no queue.
    EXPECT_TRUE(printers.Has_Printer(platform::kBuilt_In_Pdf_Printer));
    platform::Printer* pdf = printers.Find_Printer(platform::kBuilt_In_Pdf_Printer);
    ASSERT_NE(pdf, nullptr);
    QString error;
    std::unique_ptr<platform::Print_Job> job = pdf->Begin_Job(error);
    ASSERT_NE(job, nullptr) << error.toStdString();
    job.reset();
    EXPECT_FALSE(Library_Loaded("libQt6PrintSupport"));
    EXPECT_FALSE(Library_Loaded("libcups"));

    const QStringList installed = printers.Installed_Printers();
    EXPECT_TRUE(Library_Loaded("libQt6PrintSupport"));
    ASSERT_TRUE(installed.contains(QStringLiteral("Zebra")))
        << "start the test printers first: bash scripts/start-cups.sh";
    EXPECT_EQ(installed.last(), platform::kBuilt_In_Pdf_Printer);

    platform::Printer* zebra = printers.Find_Printer(QStringLiteral("Zebra"));
    ASSERT_NE(zebra, nullptr);
    EXPECT_EQ(zebra->Name(), QStringLiteral("Zebra"));
    EXPECT_EQ(zebra->Resolution(), 203);
    EXPECT_TRUE(zebra->Raster_Driver());
    EXPECT_FALSE(zebra->Paper_Sizes().empty());
}

TEST_F(Printer_Module, WithoutTheModuleOnlyTheBuiltInPrinterRemains)
{
    for (const QString& path :
         {QStringLiteral("/nonexistent/paruberina-printers.so"), QStringLiteral("/etc/hostname")}) {
        platform::System_Printers printers = Printers_From(path);
        EXPECT_EQ(printers.Installed_Printers(), QStringList{platform::kBuilt_In_Pdf_Printer}) << path.toStdString();
        EXPECT_EQ(printers.Find_Printer(QStringLiteral("Zebra")), nullptr);
        EXPECT_NE(printers.Find_Printer(platform::kBuilt_In_Pdf_Printer), nullptr);
    }
}

}  // namespace
