#pragma once
// The settings file user_v2.dat in the application folder: fifteen lines, one value each.
#include "store/cp932.h"

#include <QString>

#include <array>

namespace store {

inline const QString kSettingsFileName = QStringLiteral("user_v2.dat");
constexpr int kSettingsLines = 15;

// The lines that hold a value, by name.
enum class Setting : int {
    Printer_Name = 1,
    Paper_Number,
    Offset_Vertical_mm,
    Offset_Horizontal_mm,
    Print_Per_Copy,
    Data_Location,
    Vertical_Barcode_Method,
    Paper_Set_Position,
    Max_Print_Width_mm,
};
constexpr int kSavedSettings = 9;  // lines 1..9, the ones the settings screen saves

// Element n holds line n (1..15); element 0 is unused.
struct Settings_Record {
    std::array<QString, kSettingsLines + 1> line;

    QString& operator[](Setting s) { return line[static_cast<size_t>(s)]; }
    const QString& operator[](Setting s) const { return line[static_cast<size_t>(s)]; }

    const QString& Printer_Name() const { return (*this)[Setting::Printer_Name]; }
    const QString& Paper_Number() const { return (*this)[Setting::Paper_Number]; }
    const QString& Offset_Vertical_mm() const { return (*this)[Setting::Offset_Vertical_mm]; }
    const QString& Offset_Horizontal_mm() const { return (*this)[Setting::Offset_Horizontal_mm]; }
    const QString& Print_Per_Copy() const { return (*this)[Setting::Print_Per_Copy]; }
    const QString& Data_Location() const { return (*this)[Setting::Data_Location]; }
    const QString& Vertical_Barcode_Method() const { return (*this)[Setting::Vertical_Barcode_Method]; }
    const QString& Paper_Set_Position() const { return (*this)[Setting::Paper_Set_Position]; }
    const QString& Max_Print_Width_mm() const { return (*this)[Setting::Max_Print_Width_mm]; }
};

// The nine values the settings screen saves as lines 1 to 9.
using Settings_Values = std::array<QString, kSavedSettings>;

// Lines 1 to 9 of the record, as Save_Settings takes them.
Settings_Values Saved_Values(const Settings_Record& settings);

Settings_Record Default_Settings();

QString Settings_Path(const QString& application_folder);

// Reads the file; missing lines read as empty, lines past 15 are ignored.
// `opened` tells whether the file could be read.
Settings_Record Load_Settings(const QString& application_folder, bool* opened = nullptr);
// The same on the lines of the file.
Settings_Record Settings_From_Lines(const QStringList& lines);

// Writes the fifteen default lines when the file is missing or empty, whole or
// not at all (Create_File_If_Missing); a file with content is left untouched.
Write_Result Create_Default_Settings(const QString& application_folder);

// Writes the nine values (without control characters) and six empty lines,
// replacing the file atomically.
Write_Result Save_Settings(const QString& application_folder, const Settings_Values& values);

}  // namespace store
