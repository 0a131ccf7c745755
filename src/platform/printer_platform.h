#pragma once
// The printers the application can print on, as the core sees them.
#include <QString>
#include <QStringList>

namespace platform {

class Printer_Platform {
public:
    virtual ~Printer_Platform() = default;
    // Device names of the installed printers, in the system's order.
    virtual QStringList Installed_Printers() const = 0;
};

}  // namespace platform
