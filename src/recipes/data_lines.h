#pragma once
// The lines of one of the recipe files (materials, recipes): a version line,
// then one record a line. Read whole, checked line by line, and written back
// whole through the temporary twin.
#include "store/outcome.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace recipes {

inline const QString kRecipeFilesVersion = QStringLiteral("2.00");

struct Data_Lines {
    QString version = kRecipeFilesVersion;  // as read, kept when written back
    QStringList records;                    // the lines after the version line, empty ones left out
    QString error;  // the file cannot be read or a line is damaged: it names the line
};

// The file's lines; a missing or empty file has no records. A line that
// `valid` refuses makes the whole file unusable (nothing is written over it).
Data_Lines Read_Data_Lines(const QString& data_folder, const QString& file_name,
                           const std::function<bool(const QString&)>& valid);

// Writes the version line and the records through `temp_name`.
store::Outcome Write_Data_Lines(const QString& data_folder, const QString& file_name, const QString& temp_name,
                                const Data_Lines& lines);

}  // namespace recipes
