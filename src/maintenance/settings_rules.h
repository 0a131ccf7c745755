#pragma once
// Rules of the settings screen that do not depend on its widgets: what a
// printer choice presets, and the copy of the data when the location changes.
#include "store/cp932.h"
#include "store/data_folder.h"

#include <QString>

#include <optional>

namespace maintenance {

// Paper position ("中央寄せ" / "端寄せ") and, for the known label printers,
// the maximum print width that choosing the printer presets.
struct Printer_Presets {
    QString paper_set_position;
    std::optional<QString> max_print_width;
};
Printer_Presets Printer_Change_Rule(const QString& printer_name);

// The folder a location change copies into: the location's data folder, except
// that the USB memory has no fallback (empty when no removable drive is present).
QString Location_Change_Target(const QString& data_location, const store::Folder_Context& context);

// Copies the data files of the location in use into the new location's folder.
// Succeeds only when every file was copied; otherwise the error says which file
// and why, and the old location stays.
store::Write_Result Change_Data_Location(const QString& old_location, const QString& new_location,
                                         const store::Folder_Context& context);

}  // namespace maintenance
