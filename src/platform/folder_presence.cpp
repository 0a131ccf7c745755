#include "platform/folder_presence.h"

#include "store/file_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <sys/time.h>

namespace platform {

namespace {

const QString kPrefix = QStringLiteral(".in-use-");
const QString kSuffix = QStringLiteral(".lock");

QString Own_Name()
{
    return kPrefix + QSysInfo::machineHostName() + QLatin1Char('-')
        + QString::number(QCoreApplication::applicationPid()) + kSuffix;
}

}  // namespace

Folder_Presence::Folder_Presence(const QString& data_folder) : folder_(data_folder)
{
}

bool Folder_Presence::Announce()
{
    own_ = std::make_unique<QLockFile>(QDir(folder_).filePath(Own_Name()));
    own_->setStaleLockTime(kStaleMs);
    if (own_->tryLock(0))
        return true;
    own_.reset();
    return false;
}

void Folder_Presence::Renew()
{
    if (own_)
        ::utimes(QFile::encodeName(own_->fileName()).constData(), nullptr);
}

QStringList Folder_Presence::Other_Copies() const
{
    QStringList copies;
    const QDir dir(folder_);
    for (const QString& name : dir.entryList({kPrefix + QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden)) {
        if (name == Own_Name())
            continue;
        QLockFile other(dir.filePath(name));
        other.setStaleLockTime(kStaleMs);
        if (other.tryLock(0)) {
            other.unlock();  // the copy ended without removing it: removed now
            continue;
        }
        if (other.error() != QLockFile::LockFailedError)
            continue;
        const QString holder = store::Lock_Holder(other, other.fileName());
        if (!holder.isEmpty())
            copies << holder;
    }
    return copies;
}

}  // namespace platform
