#pragma once
// The printers of this machine as the application lists them: the system's
// print queues, then the application's own PDF printer.
#include "platform/paged_printer.h"

#include <memory>

namespace platform {

// The system's print queues.
class Print_Queues {
public:
    virtual ~Print_Queues() = default;
    // Names of the queues, in the system's order.
    virtual QStringList Names() const = 0;
    // The queue of that name as it is now, or null when there is none. The
    // object lives until the next call for the same name or the end of this.
    virtual Paged_Printer* Open(const QString& name) = 0;
    // Whether a queue has that name.
    virtual bool Has(const QString& name) const { return Names().contains(name); }
};

class System_Printers : public Printer_Finder {
public:
    // `pdf_output_folder` gives the folder of the built-in PDF printer's files
    // ("印刷データ" in the data folder) when a job starts.
    System_Printers(std::function<QString()> pdf_output_folder, std::unique_ptr<Print_Queues> queues);
    ~System_Printers() override;

    // The queues, then the built-in PDF printer.
    QStringList Installed_Printers() const override;
    // The built-in PDF printer is found without asking for the queues.
    bool Has_Printer(const QString& device_name) const override;
    Printer* Find_Printer(const QString& device_name) override;
    Pdf_File_Printer& Built_In_Pdf_Printer() { return pdf_; }

private:
    Pdf_File_Printer pdf_;
    std::unique_ptr<Print_Queues> queues_;
};

}  // namespace platform
