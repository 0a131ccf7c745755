#include "store/journal_file.h"

#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>
#include <unistd.h>

namespace store {

namespace {

// An append holds the lock for milliseconds. A lock file older than this is
// left over by a process killed while it took the lock (before it could write
// its process id into it) and is taken over.
constexpr int kStaleLockMs = 3000;
constexpr int kLockWaitMs = 10000;
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// Why a lock file could not be made in its folder.
QString Lock_File_Problem(const QString& lock_path)
{
    const QString folder = QFileInfo(lock_path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("フォルダ %1 がありません").arg(folder);
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return QStringLiteral("フォルダ %1 に書き込めません (読み取り専用か、書き込む権限がありません)").arg(folder);
    struct statvfs disk { };
    if (::statvfs(QFile::encodeName(folder).constData(), &disk) == 0
        && (disk.f_bavail == 0 || (disk.f_files > 0 && disk.f_favail == 0)))
        return QStringLiteral("ディスクに空きがありません (%1)").arg(folder);
    return QStringLiteral("ロックファイル %1 を作れません").arg(lock_path);
}

}  // namespace

Journal_Lock::Journal_Lock(const QString& lock_path) : lock_path_(lock_path), lock_(lock_path)
{
    lock_.setStaleLockTime(kStaleLockMs);
}

Write_Result Journal_Lock::Take(const QString& journal_path)
{
    if (lock_.tryLock(kLockWaitMs))
        return {};
    if (lock_.error() != QLockFile::LockFailedError)
        return {QStringLiteral("%1 をロックできません: %2").arg(journal_path, Lock_File_Problem(lock_path_))};
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock_.getLockInfo(&pid, &host, &application))
        return {QStringLiteral("%1 は他の処理が使用中です (%2、プロセス番号 %3)")
                    .arg(journal_path, application.isEmpty() ? QStringLiteral("不明なプログラム") : application)
                    .arg(pid)};
    return {QStringLiteral("%1 は他の処理が使用中です").arg(journal_path)};
}

Write_Result Append_Lines(const QString& path, const QString& lock_path, const QStringList& head_lines,
                          const QStringList& lines)
{
    QByteArray bytes;
    if (Write_Result encoded = Encode_Lines(lines, bytes); !encoded.ok())
        return encoded;

    Journal_Lock lock(lock_path);
    if (Write_Result taken = lock.Take(path); !taken.ok())
        return taken;

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {QStringLiteral("%1 を開けません: %2").arg(path, file.errorString())};
    const qint64 size = file.size();
    if (size == 0) {
        QByteArray head;
        if (Write_Result encoded = Encode_Lines(head_lines, head); !encoded.ok())
            return encoded;
        bytes.prepend(head);
    } else {
        // The last line read has no line end (an edit elsewhere, or an append
        // cut short): it stays a line of its own.
        char last = 0;
        if (!file.seek(size - 1) || !file.getChar(&last))
            return {QStringLiteral("%1 を読めません: %2").arg(path, file.errorString())};
        if (last != '\n')
            bytes.prepend(kLineEnd);
    }
    const bool written = file.seek(size) && file.write(bytes) == bytes.size() && file.flush()
        && ::fsync(file.handle()) == 0;
    if (!written) {
        const QString error = file.errorString();
        file.resize(size);
        return {QStringLiteral("%1 に書き込めません: %2").arg(path, error)};
    }
    return {};
}

Journal_Text Read_Journal_Text(const QString& path)
{
    Journal_Text result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;
    result.text = Decode_Cp932(file.readAll());
    return result;
}

}  // namespace store
