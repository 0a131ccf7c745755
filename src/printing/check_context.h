#pragma once
// What the label check needs to check a label for one printer.
#include "platform/printer_platform.h"
#include "render/label_check.h"

namespace printing {

// The check of labels printed on `printer` (made the current printer when it
// is installed): the barcode is checked on the dots it is printed on, the
// printer's own for a raster driver and those of a 203-dpi label printer for a
// page kept as drawn; a printer that is not there counts at the resolution
// assumed for unknown printers. The allergen list and dictionary are those of
// the data folder where it holds a copy, otherwise those of the program folder.
// A product with a recipe in the data folder is also checked against it.
render::Check_Context Check_Context_For(const store::Settings_Record& settings, const QString& data_folder,
                                        platform::Printer_Platform* printers, const QString& printer,
                                        const QString& program_folder);

}  // namespace printing
