#pragma once
// Zip archives through libzip: entries under bare file names, added at the
// highest compression, and unpacked without ever writing outside the target.
#include "store/cp932.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace maintenance {

// Limits of an archive, the same for writing and unpacking, so that every
// archive written can be unpacked: entries, and bytes of any one entry and of
// all together (far above the data of a shop: ten years of print history, a
// hundred background pictures). Unpacking also needs the bytes free on disk.
constexpr qint64 kMaxEntryBytes = qint64(1) << 30;
constexpr qint64 kMaxArchiveBytes = qint64(4) << 30;
constexpr int kMaxArchiveEntries = 10000;

// Adds each file to the archive under its bare name, creating the archive when
// needed; an entry of the same name is replaced. Refused before anything is
// read when the archive would pass the limits. Every file is read first: when
// one cannot be read, or the archive cannot be written, the error says which and
// the archive is left as it was. Temporary files that an interrupted earlier
// write of the same archive left beside it are removed first.
store::Write_Result Zip_Add(const QString& archive_path, const QStringList& file_paths);

// True for a name that can be written into a folder as it stands: not empty,
// not "." or "..", and free of folder separators, drive colons and control characters.
bool Is_Bare_File_Name(const QString& name);

// What an unpacking accepts and how its files land.
struct Extract_Rules {
    QStringList extensions;  // the only extensions an entry may have (case ignored)
    // Names an entry takes whatever the case of its own ("商品情報_V2.TSV" is
    // the product file), as files of the target folder do, so that a case
    // variant replaces the file instead of adding a second one.
    QStringList known_names;
    // Checks or completes each unpacked file (its name, its staged path)
    // before any file is moved into place; an error refuses the archive.
    std::function<QString(const QString& name, const QString& staged_path)> prepare;
};

// Unpacks every entry into `target_folder`, replacing files of the same names.
// Entry names are UTF-8 where the archive marks them so (or they are plain
// ASCII), CP932 otherwise (archives of the Windows version).
// Refused, with nothing in the target folder changed: an unreadable or damaged
// archive, an entry that is not a bare file name with one of the extensions,
// more entries or bytes than the limits or the disk holds (an entry that
// unpacks to more than its header claims is refused), a file `prepare`
// refuses, another unpacking into the folder running. Entries are streamed
// into a staging folder inside the target folder and moved into place only
// when all of them were read intact; when a move fails, or the staging folder
// has gone, every file already replaced is put back and the error says so.
store::Write_Result Zip_Extract(const QString& archive_path, const QString& target_folder, const Extract_Rules& rules);

// Removes staging folders that an interrupted unpacking left in the folder,
// unless an unpacking into it is running (in this or another process): its
// staging folder is in use. False when one is running and nothing was removed.
bool Remove_Stale_Staging_Folders(const QString& target_folder);

// The entry names of an archive (empty when it cannot be read).
QStringList Zip_Entry_Names(const QString& archive_path);

// The entry names with the sizes their headers claim.
std::vector<std::pair<QString, qint64>> Zip_Entry_Sizes(const QString& archive_path);

}  // namespace maintenance
