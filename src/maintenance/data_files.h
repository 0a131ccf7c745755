#pragma once
// The files that make up the data of a location, and the location names the
// settings and backup screens offer.
#include "store/cp932.h"
#include "store/data_folder.h"

#include <QString>
#include <QStringList>

namespace maintenance {

// The seven data locations in the order the screens list them.
const QStringList& Data_Location_Names();

// Names (extension removed) of the files in the folder whose extension equals
// `extension` (case ignored), sorted case-insensitively. An unreadable folder gives none.
QStringList List_Archives(const QString& folder, const QString& extension);

// Full paths of those files, in the same order.
QStringList Files_With_Extension(const QString& folder, const QString& extension);

// Copies every "*.lay", "*.bmp" and "*.tsv" file of `old_folder` into
// `new_folder` under the same name. All files are first copied to temporary
// names and only renamed into place when every copy succeeded, so a failure
// leaves the new folder as it was. The error names the file and the reason.
// A missing old folder copies nothing; the new folder must exist.
store::Write_Result Copy_Data_Files(const QString& old_folder, const QString& new_folder);

// True when the file name ends in "." and the extension (case ignored) after at least one character.
bool Has_Extension(const QString& file_name, const QString& extension);

// Path of `name` inside `folder`, whether or not the folder ends in "/".
QString Path_In(const QString& folder, const QString& name);

}  // namespace maintenance
