// Restoring valid archives built from the input, so that mutations reach the
// restore's own checks (names, encodings, case variants, data files, the
// history merge) rather than stopping in the zip reader. The input is entries
// separated by NUL bytes, each a name line and the content after its first
// line feed; the name's first byte chooses how the name is stored (UTF-8
// marked or raw bytes) and whether the entry is compressed.
#include "fuzz_support.h"
#include "maintenance/backup.h"
#include "printing/print_history.h"
#include "products/product_file.h"

#include <QDir>
#include <QFile>

#include <zip.h>

namespace {

void Write_File(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzz_support::Fail("cannot write a file of the data folder");
}

// The archive of the entries; false when libzip refuses a name (an empty one).
bool Write_Archive(const QString& path, const QList<QByteArray>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        fuzz_support::Fail("cannot create the archive");
    for (const QByteArray& entry : entries) {
        if (entry.size() < 2)
            continue;
        const char how = entry.at(0);
        const qsizetype feed = entry.indexOf('\n');
        const QByteArray name = entry.mid(1, feed < 0 ? -1 : feed - 1);
        // The contents are read only when the archive is written: views into `entries`.
        const QByteArrayView content = feed < 0 ? QByteArrayView() : QByteArrayView(entry).sliced(feed + 1);
        zip_source_t* source = zip_source_buffer(archive, content.data(), zip_uint64_t(content.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), source,
                                               ZIP_FL_OVERWRITE | ((how & 1) ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_RAW));
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), (how & 2) ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1);
    }
    const bool written = zip_close(archive) == 0;
    if (!written)
        zip_discard(archive);
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString archive = fuzz_support::Scratch_Folder() + QStringLiteral("backup.zip");
    if (!Write_Archive(archive, fuzz_support::Bytes(data, size).split('\0')))
        return 0;
    QDir target(fuzz_support::Scratch_Folder() + QStringLiteral("data"));
    target.removeRecursively();
    if (!QDir().mkpath(target.path()))
        fuzz_support::Fail("cannot create the data folder");
    Write_File(target.filePath(products::kProductFileName), "2.00\r\n0001\tkeep\r\n");
    Write_File(target.filePath(printing::kHistoryFileName), "2.00\r\n2024/03/05 09:00:00\t0001\r\n");
    const store::Write_Result restored = maintenance::Restore_Backup(archive, target.path() + QLatin1Char('/'));
    // Whatever the archive, the data folder keeps a product file and every job of its history.
    const QStringList left = target.entryList(QDir::Files);
    if (!left.contains(products::kProductFileName))
        fuzz_support::Fail("the restore lost the product file");
    QFile history(target.filePath(printing::kHistoryFileName));
    if (!history.open(QIODevice::ReadOnly) || !history.readAll().contains("2024/03/05 09:00:00\t0001\r\n"))
        fuzz_support::Fail("the restore lost a job of the history");
    if (!restored.ok() && left.size() != 2)
        fuzz_support::Fail("a refused restore changed the data folder");
    return 0;
}
