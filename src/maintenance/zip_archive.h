#pragma once
// Zip archives through libzip: entries under bare file names, added at the
// highest compression, and unpacked without ever writing outside the target.
#include "store/cp932.h"

#include <QString>
#include <QStringList>

namespace maintenance {

// Adds each file to the archive under its bare name, creating the archive when
// needed; an entry of the same name is replaced. Every file is read first: when
// one cannot be read, or the archive cannot be written, the error says which and
// the archive is left as it was.
store::Write_Result Zip_Add(const QString& archive_path, const QStringList& file_paths);

// True for a name that can be written into a folder as it stands: not empty,
// not "." or "..", and free of folder separators, drive colons and control characters.
bool Is_Bare_File_Name(const QString& name);

// Unpacks every entry into `target_folder`, replacing files of the same names.
// An unreadable or damaged archive, or one with an entry that is not a bare file
// name, is refused and nothing in the target folder changes: the entries are
// first unpacked into a temporary folder inside the target folder and only moved
// into place when all of them were read intact.
store::Write_Result Zip_Extract(const QString& archive_path, const QString& target_folder);

// The entry names of an archive (empty when it cannot be read).
QStringList Zip_Entry_Names(const QString& archive_path);

}  // namespace maintenance
