#include "platform/single_instance.h"

#include <QDir>

namespace platform {

Single_Instance::Single_Instance(const QString& application_folder)
    : lock_(std::make_unique<QLockFile>(QDir(application_folder).filePath(QStringLiteral(".foodlabel.lock"))))
{
    lock_->setStaleLockTime(0);
}

Lock_Outcome Single_Instance::Acquire()
{
    if (lock_->tryLock(0))
        return Lock_Outcome::Acquired;
    return lock_->error() == QLockFile::LockFailedError ? Lock_Outcome::Other_Copy_Running
                                                        : Lock_Outcome::Folder_Not_Writable;
}

}  // namespace platform
