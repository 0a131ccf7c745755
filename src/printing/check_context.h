#pragma once
// What the label check needs to check a label for one printer.
#include "printing/print_job.h"
#include "recipes/food_table.h"
#include "render/label_check.h"

namespace printing {

// The check of labels printed with that geometry: the page at the printer's
// resolution, the barcode on the dots it is printed on; the geometry's note
// says when the built-in PDF printer stands in for the printer asked for.
// The allergen list and dictionary are those of the data folder where it
// holds a copy, otherwise the program folder's. A product with a recipe in
// the data folder is also checked against it, its composition table read
// into `food_tables`.
render::Check_Context Check_Context_For(const store::Settings_Record& settings, const QString& data_folder,
                                        const Printer_Geometry& printer, const QString& program_folder,
                                        const recipes::Food_Tables& food_tables);

}  // namespace printing
