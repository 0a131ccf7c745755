#include "platform/single_instance.h"

#include <QDir>

namespace platform {

Single_Instance::Single_Instance(const QString& application_folder)
    : lock_(std::make_unique<QLockFile>(QDir(application_folder).filePath(QStringLiteral(".foodlabel.lock"))))
{
    lock_->setStaleLockTime(0);
}

bool Single_Instance::Acquire()
{
    return lock_->tryLock(0);
}

}  // namespace platform
