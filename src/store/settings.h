#pragma once
// The settings file user_v2.dat in the application folder: fifteen lines, one value each.
#include "store/cp932.h"

#include <QString>

#include <array>

namespace store {

inline const QString kSettingsFileName = QStringLiteral("user_v2.dat");
constexpr int kSettingsLines = 15;

// Element n holds line n (1..15); element 0 is unused.
struct Settings_Record {
    std::array<QString, kSettingsLines + 1> line;

    const QString& Printer_Name() const { return line[1]; }
    const QString& Paper_Number() const { return line[2]; }
    const QString& Offset_Vertical_mm() const { return line[3]; }
    const QString& Offset_Horizontal_mm() const { return line[4]; }
    const QString& Print_Per_Copy() const { return line[5]; }
    const QString& Data_Location() const { return line[6]; }
    const QString& Vertical_Barcode_Method() const { return line[7]; }
    const QString& Paper_Set_Position() const { return line[8]; }
    const QString& Max_Print_Width_mm() const { return line[9]; }
};

// The nine values the settings screen saves as lines 1 to 9.
using Settings_Values = std::array<QString, 9>;

Settings_Record Default_Settings();

QString Settings_Path(const QString& application_folder);

// Reads the file; missing lines read as empty, lines past 15 are ignored.
// `opened` tells whether the file could be read.
Settings_Record Load_Settings(const QString& application_folder, bool* opened = nullptr);

// Writes the fifteen default lines when the file cannot be opened for reading;
// an existing file is left untouched.
Write_Result Create_Default_Settings(const QString& application_folder);

// Writes the nine values and six empty lines, replacing the file atomically.
Write_Result Save_Settings(const QString& application_folder, const Settings_Values& values);

}  // namespace store
