#pragma once
// What the label check needs to check a label for one printer.
#include "platform/printer_platform.h"
#include "render/label_check.h"

namespace printing {

// The check of labels printed on `printer` (when it is installed): the page at the printer's resolution, the barcode on
// the dots it is printed on, the printer's own for a raster driver and those of a 203-dpi label printer for a page kept
// as drawn. Without that printer (none set up, or not installed) the labels are checked as the built-in PDF printer
// prints them, which `printer_note` says. The allergen list and dictionary are
// those of the data folder where it holds a copy, otherwise the program folder's.
// A product with a recipe in the data folder is also checked against it.
render::Check_Context Check_Context_For(const store::Settings_Record& settings, const QString& data_folder,
                                        platform::Printer_Finder* printers, const QString& printer,
                                        const QString& program_folder);

}  // namespace printing
