// The entry of the printer module: the CUPS queues through Qt PrintSupport.
#include "platform/printer_module.h"
#include "platform/qt_printer_platform.h"

#include <string_view>

static_assert(std::string_view(platform::kPrinter_Module_Entry) == "paruberina_create_print_queues");

extern "C" __attribute__((visibility("default"))) platform::Print_Queues* paruberina_create_print_queues()
{
    return new platform::Cups_Queues;
}
