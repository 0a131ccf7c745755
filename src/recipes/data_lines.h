#pragma once
// The lines of one of the recipe files (materials, recipes): a version line,
// then one record a line. Read whole and checked line by line; a change is
// made to the file as it stands under its lock and written back whole through
// the temporary twin, so that two copies of the program on one data folder
// never lose each other's saves.
#include "store/cp932.h"
#include "store/outcome.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace recipes {

inline const QString kRecipeFilesVersion = QStringLiteral("2.00");

struct Data_Lines {
    QString version = kRecipeFilesVersion;  // as read, kept when written back
    QStringList records;                    // the lines after the version line, empty ones left out
    QString error;                          // the file cannot be read or a line is damaged: it names the line
};

// Whether a record line can be used.
using Line_Check = std::function<bool(const QString&)>;

// The lines of the file's text; a missing or empty file has no records. A line
// that `valid` refuses makes the whole file unusable (nothing is written over it).
Data_Lines Parse_Data_Lines(const store::Text_File& file, const QString& file_name, const Line_Check& valid);
Data_Lines Read_Data_Lines(const QString& data_folder, const QString& file_name, const Line_Check& valid);

// Adds, replaces or removes records in place.
using Records_Change = std::function<void(QStringList& records)>;

// Takes the file's lock, reads the records as they stand, applies `change` and
// writes the version line and the records through `temp_name`. Refuses,
// writing nothing, when the file is damaged or cannot be written; `failed` is
// the first line of the message then.
store::Outcome Change_Data_Lines(const QString& data_folder, const QString& file_name, const QString& temp_name,
                                 const Line_Check& valid, const QString& failed, const Records_Change& change);

}  // namespace recipes
