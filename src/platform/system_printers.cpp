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

Paged_Printer* System_Printers::Find_Printer(const QString& device_name)
{
    if (device_name == kBuilt_In_Pdf_Printer)
        return &pdf_;
    if (device_name.isEmpty())
        return nullptr;
    return queues_->Open(device_name);
}

}  // namespace platform
