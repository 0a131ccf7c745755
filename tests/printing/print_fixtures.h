#pragma once
// A data folder ready for printing: products 0001 and 0002 (every item filled)
// on the built-in layout "標準01 65x45", the eight built-in layouts and the
// recycling-mark pictures; settings that name a printer; issues.
#include "printing/print_history.h"
#include "printing/print_job.h"
#include "printing/print_run.h"
#include "products/product_record.h"
#include "store/settings.h"
#include "support/temp_folder.h"

#include <QStringList>

#include <vector>

namespace print_fixtures {

inline const QString kLayout = QStringLiteral("標準01 65x45");

// Fills the folder (ending in "/"); false when a file could not be written.
bool Prepare_Data_Folder(const QString& data_folder);

// Default settings with this printer, copy mode and paper number.
store::Settings_Record Settings_For(const QString& printer, const QString& per_copy = QStringLiteral("しない"),
                                    const QString& paper = QStringLiteral("0000"));

// What a print run of the folder needs.
printing::Print_Run_Context Context_For(const QString& data_folder, const store::Settings_Record& settings,
                                        platform::Printer_Finder& printers, store::Answerer& answerer);

// The issue of product `number` with `labels` labels (based 2024/3/5 9:00),
// with the filled issue's EAN-13 barcode or these digits.
printing::Print_Issue Issue_For(const QString& number, int labels, const QString& barcode = {});

// Run_Print of the jobs of these issues, prepared from the context's data folder.
printing::Print_Issues Run_Issues(const printing::Print_Issues& issues, printing::Print_Mode mode,
                                  const printing::Print_Run_Context& context);

// Writes the product file of the folder with these products (on kLayout).
bool Write_Products(const QString& data_folder, std::vector<products::Product_Record> products);

// Sets line `line` of the layout file `name` in the folder.
bool Change_Layout_Line(const QString& data_folder, const QString& name, int line, const QString& value);

// Every entry of the folder's print history, newest first (none when it cannot be read).
std::vector<printing::History_Entry> History_Of(const QString& data_folder);

}  // namespace print_fixtures
