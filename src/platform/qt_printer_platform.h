#pragma once
// Printers of the CUPS server, reached through Qt PrintSupport.
#include "platform/printer_platform.h"

namespace platform {

class Qt_Printer_Platform : public Printer_Platform {
public:
    QStringList Installed_Printers() const override;
};

}  // namespace platform
