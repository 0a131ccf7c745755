#include "platform/system_printers.h"

namespace platform {

System_Printers::System_Printers(std::function<QString()> pdf_output_folder, std::unique_ptr<Print_Queues> queues)
    : pdf_(std::move(pdf_output_folder)), queues_(std::move(queues))
{
}

System_Printers::~System_Printers() = default;

QStringList System_Printers::Installed_Printers() const
{
    return queues_->Names() << kBuilt_In_Pdf_Printer;
}

bool System_Printers::Has_Printer(const QString& device_name) const
{
    return device_name == kBuilt_In_Pdf_Printer || (!device_name.isEmpty() && queues_->Has(device_name));
}

Printer* System_Printers::Find_Printer(const QString& device_name)
{
    Paged_Printer* found = device_name == kBuilt_In_Pdf_Printer ? &pdf_
        : device_name.isEmpty()                                 ? nullptr
                                                                : queues_->Open(device_name);
    if (found)
        found->Reset();
    return found;
}

}  // namespace platform
