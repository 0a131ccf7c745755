#include "fuzz_support.h"

#include "store/text_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz_support {

const QString& Scratch_Folder()
{
    // In memory where the system has a RAM disk: the targets that write files
    // (restores, layouts) are then not held up by the disk and its syncs.
    static const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                                   : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/foodlabel-fuzz-XXXXXX"));
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

QString Write_Input(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = Scratch_Folder() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        Fail("cannot write the input into the scratch folder");
    return path;
}

QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

render::Issue_Values Issue_With_Days(const QString& add_days)
{
    render::Issue_Values issue;
    issue.now = QDateTime(QDate(2024, 3, 5), QTime(9, 30));
    issue.base = QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC);
    issue.add_days = store::Lenient_Number(add_days);
    return issue;
}

void Fail(const char* what)
{
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

}  // namespace fuzz_support
