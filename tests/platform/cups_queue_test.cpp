// Which queues have a raster driver, from the filter lines of their PPD.
#include "platform/cups_queue.h"

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

}  // namespace
