#include "screens/common/data_file_watcher.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace screens {

Data_File_Watcher::Data_File_Watcher(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(100);
    connect(&settle_, &QTimer::timeout, this, &Data_File_Watcher::Check);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
}

void Data_File_Watcher::Watch(const QString& path)
{
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    path_ = path;
    seen_ = State_Of(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        watcher_.addPath(folder);
}

void Data_File_Watcher::Check()
{
    if (path_.isEmpty())
        return;
    const State now = State_Of(path_);
    if (now == seen_)
        return;
    seen_ = now;
    emit Changed();
}

Data_File_Watcher::State Data_File_Watcher::State_Of(const QString& path)
{
    struct stat status { };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {true, static_cast<quint64>(status.st_ino), static_cast<qint64>(status.st_size),
            static_cast<qint64>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

}  // namespace screens
