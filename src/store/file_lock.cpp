#include "store/file_lock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include <cerrno>
#include <signal.h>

namespace store {

namespace {

// The lock of a process on another computer cannot be checked for life: it
// counts as left over once it is older than any rewrite takes.
constexpr int kStaleLockMs = 60000;
constexpr qint64 kStaleForeignTemporarySecs = 24 * 60 * 60;

const QString kTempSuffix = QStringLiteral(".tmp");

// True when a process of this computer runs under the number.
bool Process_Is_Alive(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

}  // namespace

File_Lock::File_Lock(const QString& file_path)
    : file_name_(QFileInfo(file_path).fileName()), lock_(file_path + QStringLiteral(".lock"))
{
    lock_.setStaleLockTime(kStaleLockMs);
}

QString File_Lock::Acquire(int wait_ms)
{
    if (lock_.tryLock(wait_ms))
        return {};
    if (lock_.error() == QLockFile::LockFailedError) {
        const QString holder = Lock_Holder(lock_, lock_.fileName());
        return QStringLiteral("%1 は他のぱるべりなが使用中です%2\nしばらくしてからもう一度実行して下さい")
            .arg(file_name_, holder.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder));
    }
    return QStringLiteral("%1 のロックファイル %2 を作成できません (フォルダに書き込めません)")
        .arg(file_name_, QFileInfo(lock_.fileName()).fileName());
}

QString Lock_Holder(const QLockFile& lock, const QString& lock_path)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return {};
    const QString user = QFileInfo(lock_path).owner();
    QString holder = QStringLiteral("ホスト %1、プロセス番号 %2").arg(host).arg(pid);
    if (!user.isEmpty())
        holder += QStringLiteral("、ユーザー %1").arg(user);
    return holder;
}

QString Writer_Temp_Path(const QString& temp_path)
{
    const QString stem = temp_path.endsWith(kTempSuffix) ? temp_path.chopped(kTempSuffix.size()) : temp_path;
    return QStringLiteral("%1.%2@%3%4")
        .arg(stem)
        .arg(QCoreApplication::applicationPid())
        .arg(QSysInfo::machineHostName(), kTempSuffix);
}

void Remove_Stale_Temporaries(const QString& folder)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\.(\\d+)@(.*)\\.tmp$"));
    const QString host = QSysInfo::machineHostName();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*@*.tmp")}, QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(info.fileName());
        if (!match.hasMatch() || info.isSymLink())
            continue;
        const bool stale = match.captured(2) == host
            ? !Process_Is_Alive(match.captured(1).toLongLong())
            : info.lastModified().toUTC().secsTo(now) > kStaleForeignTemporarySecs;
        if (stale)
            QFile::remove(info.filePath());
    }
}

}  // namespace store
