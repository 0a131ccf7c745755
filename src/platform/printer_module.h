#pragma once
// The CUPS queues live in a module of their own beside the executable, with Qt
// PrintSupport, libcups and the libraries those bring (TLS, Kerberos, Avahi).
// The application loads it on the first call that needs a queue, so that
// starting the program loads none of them.
#include "platform/system_printers.h"

namespace platform {

// File name of the module, and the function it exports:
// Print_Queues* paruberina_create_print_queues() (a new object for the caller).
inline constexpr char kPrinter_Module_File[] = "paruberina-printers.so";
inline constexpr char kPrinter_Module_Entry[] = "paruberina_create_print_queues";

// The module beside the running executable.
QString Printer_Module_Path();

// The queues of the module at `module_path`, loaded on the first call. When
// it cannot be loaded there are no queues (the built-in PDF printer remains)
// and the reason is logged once.
std::unique_ptr<Print_Queues> Module_Queues(const QString& module_path = Printer_Module_Path());

}  // namespace platform
