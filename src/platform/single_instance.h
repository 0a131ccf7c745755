#pragma once
// One running copy per application folder: a lock file beside the executable.
#include <QLockFile>
#include <QString>

#include <memory>

namespace platform {

enum class Lock_Outcome { Acquired, Other_Copy_Running, Folder_Not_Writable };

class Single_Instance {
public:
    explicit Single_Instance(const QString& application_folder);
    // Acquired when this process holds the lock (a stale lock of a dead process
    // is recovered); otherwise whether a running copy holds it or the lock file
    // cannot be made in the folder (read-only, missing).
    Lock_Outcome Acquire();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
