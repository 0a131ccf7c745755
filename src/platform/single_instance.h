#pragma once
// One running copy per application folder: a lock file beside the executable.
#include <QLockFile>
#include <QString>

#include <memory>

namespace platform {

class Single_Instance {
public:
    explicit Single_Instance(const QString& application_folder);
    // True when this process holds the lock (a stale lock of a dead process is recovered).
    bool Acquire();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
