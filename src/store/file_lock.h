#pragma once
// Exclusive use of one file across processes: two windows on one data folder
// (two PCs on a shared folder, a desktop and a USB copy, one user logged in
// twice) and the command line. A lock file beside the file ("<name>.lock") is
// held for the whole read-modify-write, so that no writer works from a copy
// older than what another one saved.
#include <QLockFile>
#include <QString>

namespace store {

class File_Lock {
public:
    // Locks `file_path` + ".lock"; nothing is taken until Acquire.
    explicit File_Lock(const QString& file_path);

    // Takes the lock, waiting up to `wait_ms` while another process holds it;
    // the lock of a process that ended without releasing it is taken over.
    // Empty on success; otherwise what the user is told: who holds the file,
    // or why the lock file cannot be made.
    QString Acquire(int wait_ms = kDefaultWaitMs);

    // A rewrite holds the lock for well under a second: a process that waits
    // this long waits for one that has stopped.
    static constexpr int kDefaultWaitMs = 10000;

private:
    QString file_name_;
    QLockFile lock_;
};

// The process that holds a lock file, as the user is told of it:
// "ホスト <host>、プロセス番号 <pid>、ユーザー <user>"; empty when none is named.
QString Lock_Holder(const QLockFile& lock, const QString& lock_path);

// The temporary twin this process writes for `temp_path` ("商品情報_v2.tmp" ->
// "商品情報_v2.<pid>@<host>.tmp"): two writers never share one, and its name
// tells whether the process that wrote it still runs.
QString Writer_Temp_Path(const QString& temp_path);

// Removes the temporary twins in the folder that no running process writes:
// those of ended processes of this computer, and those of other computers
// older than a day.
void Remove_Stale_Temporaries(const QString& folder);

}  // namespace store
