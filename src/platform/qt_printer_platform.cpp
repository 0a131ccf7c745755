#include "platform/qt_printer_platform.h"

#include <QPrinterInfo>

namespace platform {

QStringList Qt_Printer_Platform::Installed_Printers() const
{
    return QPrinterInfo::availablePrinterNames();
}

}  // namespace platform
