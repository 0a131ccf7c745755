// Which queues have a raster driver, from the filter lines of their PPD; a
// queue read again when, and only when, its settings change.
#include "platform/cups_queue.h"
#include "platform/qt_printer_platform.h"
#include "support/gui_application.h"

#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

TEST(Ppd_Has_Raster_Driver, TheInputTypeOfAFilterLineDecides)
{
    const std::pair<const char*, bool> cases[] = {
        // A ZPL or Dymo label driver fed CUPS raster.
        {"*PPD-Adobe: \"4.3\"\n*cupsFilter: \"application/vnd.cups-raster 50 rastertolabel\"\n", true},
        // Driverless printers: PWG raster or Apple raster.
        {"*cupsFilter2: \"image/pwg-raster image/pwg-raster 0 -\"\r\n", true},
        {"*cupsFilter2:  \"image/urf  image/urf 100 -\"\n", true},
        // PDF and PostScript devices, and a filter line that is a comment.
        {"*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 -\"\n", false},
        {"*cupsFilter: \"application/vnd.cups-postscript 0 pstitleiconv\"\n", false},
        {"*% cupsFilter:    \"application/vnd.cups-raster 0 x\"\n*ModelName: \"Generic CUPS-PDF Printer\"\n", false},
        {"", false},
        {"*cupsFilter: application/vnd.cups-raster 50 rastertolabel\n", false},  // no quotes: not a filter line
    };
    for (const auto& [ppd, raster] : cases)
        EXPECT_EQ(platform::Ppd_Has_Raster_Driver(QByteArray(ppd)), raster) << ppd;
}

// A queue of its own on the test scheduler, removed at the end.
class Temporary_Queue : public ::testing::Test {
protected:
    static constexpr const char* kName = "Paruberina_Queue_Test";

    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }
    void TearDown() override { Remove(); }

    static QString Name() { return QString::fromLatin1(kName); }
    // lpadmin -p NAME with the options: adds the queue or changes it.
    static bool Set(const QStringList& options)
    {
        return QProcess::execute(QStringLiteral("lpadmin"), QStringList{QStringLiteral("-p"), Name()} + options) == 0;
    }
    static bool Remove() { return QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), Name()}) == 0; }
};

TEST_F(Temporary_Queue, IsReadAgainOnlyWhenItsSettingsChange)
{
    ASSERT_TRUE(
        Set({QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("file:///dev/null"), QStringLiteral("-m"),
             QStringLiteral("drv:///sample.drv/zebra.ppd"), QStringLiteral("-o"), QStringLiteral("Resolution=203dpi")}))
        << "start the test printers first: bash scripts/start-cups.sh";
    platform::Cups_Queues queues;
    platform::Paged_Printer* first = queues.Open(Name());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Resolution(), 203);
    EXPECT_EQ(queues.Open(Name()), first);

    QThread::msleep(1100);  // the scheduler counts changes in whole seconds
    ASSERT_TRUE(Set({QStringLiteral("-o"), QStringLiteral("Resolution=300dpi")}));
    platform::Paged_Printer* changed = queues.Open(Name());
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->Resolution(), 300);

    ASSERT_TRUE(Remove());
    EXPECT_EQ(queues.Open(Name()), nullptr);
}

}  // namespace
