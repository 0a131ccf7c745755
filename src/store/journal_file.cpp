#include "store/journal_file.h"

#include <QFile>
#include <QLockFile>

#include <unistd.h>

namespace store {

namespace {

// An append holds the lock for milliseconds. A lock file older than this is
// left over by a process killed while it took the lock (before it could write
// its process id into it) and is taken over.
constexpr int kStaleLockMs = 3000;
constexpr int kLockWaitMs = 10000;
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// Size of the file up to and including its last CR LF.
qint64 Complete_Size(QFile& file)
{
    constexpr qint64 kChunk = 64 * 1024;
    qint64 end = file.size();
    while (end > 0) {
        const qint64 start = std::max<qint64>(0, end - kChunk);
        if (!file.seek(start))
            return -1;
        const QByteArray chunk = file.read(end - start + (end < file.size() ? 1 : 0));
        const qsizetype at = chunk.lastIndexOf(kLineEnd);
        if (at >= 0)
            return start + at + kLineEnd.size();
        end = start;
    }
    return 0;
}

}  // namespace

Write_Result Append_Lines(const QString& path, const QString& lock_path, const QStringList& head_lines,
                          const QStringList& lines)
{
    QByteArray bytes;
    if (Write_Result encoded = Encode_Lines(lines, bytes); !encoded.ok())
        return encoded;

    QLockFile lock(lock_path);
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        return {QStringLiteral("%1 は他の処理が使用中です").arg(path)};

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {QStringLiteral("%1 を開けません: %2").arg(path, file.errorString())};
    const qint64 complete = Complete_Size(file);
    if (complete < 0)
        return {QStringLiteral("%1 を読めません: %2").arg(path, file.errorString())};
    if (complete == 0) {
        QByteArray head;
        if (Write_Result encoded = Encode_Lines(head_lines, head); !encoded.ok())
            return encoded;
        bytes.prepend(head);
    }
    // A torn line left by a crash is not part of the file.
    if (complete != file.size() && !file.resize(complete))
        return {QStringLiteral("%1 を修復できません: %2").arg(path, file.errorString())};
    const bool written = file.seek(complete) && file.write(bytes) == bytes.size() && file.flush()
                         && ::fsync(file.handle()) == 0;
    if (!written) {
        const QString error = file.errorString();
        file.resize(complete);
        return {QStringLiteral("%1 に書き込めません: %2").arg(path, error)};
    }
    return {};
}

Journal_Text Read_Complete_Text(const QString& path)
{
    Journal_Text result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;
    QByteArray bytes = file.readAll();
    const qsizetype last = bytes.lastIndexOf(kLineEnd);
    if (last < 0)
        return result;
    bytes.truncate(last + kLineEnd.size());
    result.text = Decode_Cp932(bytes);
    return result;
}

}  // namespace store
