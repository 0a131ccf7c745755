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
// the archive is left as it was. Temporary files that an interrupted earlier
// write of the same archive left beside it are removed first.
store::Write_Result Zip_Add(const QString& archive_path, const QStringList& file_paths);

// True for a name that can be written into a folder as it stands: not empty,
// not "." or "..", and free of folder separators, drive colons and control characters.
bool Is_Bare_File_Name(const QString& name);

// Limits of an archive that is unpacked: entries, and bytes of any one entry
// and of all together (far above the data of the largest product file).
constexpr qint64 kMaxRestoreBytes = qint64(64) * 1024 * 1024;
constexpr int kMaxRestoreEntries = 10000;

// Unpacks every entry into `target_folder`, replacing files of the same names.
// Refused, with nothing in the target folder changed: an unreadable or damaged
// archive, an entry that is not a bare file name with one of the `extensions`,
// more entries or bytes than the limits (counted as unpacked, whatever the
// archive claims), another unpacking into the folder running. Entries are
// streamed into a staging folder inside the target folder and moved into place
// only when all of them were read intact; when a move fails, or the staging
// folder has gone, every file already replaced is put back and the error says so.
store::Write_Result Zip_Extract(const QString& archive_path, const QString& target_folder,
                                const QStringList& extensions);

// Removes staging folders that an interrupted unpacking left in the folder,
// unless an unpacking into it is running (in this or another process): its
// staging folder is in use. False when one is running and nothing was removed.
bool Remove_Stale_Staging_Folders(const QString& target_folder);

// The entry names of an archive (empty when it cannot be read).
QStringList Zip_Entry_Names(const QString& archive_path);

}  // namespace maintenance
