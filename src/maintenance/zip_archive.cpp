#include "maintenance/zip_archive.h"

#include "maintenance/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace maintenance {
namespace {

QString Zip_Open_Error(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// Entry names are stored as UTF-8 by this application; archives made on the
// original platform carry CP932 names.
QString Decode_Entry_Name(const char* raw)
{
    const QByteArray bytes(raw);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? store::Decode_Cp932(bytes) : decoded;
}

struct Entry {
    QString name;
    QByteArray bytes;
};

QString Read_Entries(zip_t* archive, std::vector<Entry>& entries)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(archive, i, ZIP_FL_ENC_RAW);
        if (!raw)
            return QString::fromLocal8Bit(zip_strerror(archive));
        const QString name = Decode_Entry_Name(raw);
        if (!Is_Bare_File_Name(name))
            return QStringLiteral("ファイル名ではない項目「%1」を含んでいます").arg(name);
        zip_stat_t stat;
        if (zip_stat_index(archive, i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            return QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(zip_strerror(archive)));
        zip_file_t* file = zip_fopen_index(archive, i, 0);
        if (!file)
            return QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(zip_strerror(archive)));
        QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
        // Reading past the end makes libzip check the CRC of the whole entry.
        char probe = 0;
        const bool intact = read == static_cast<zip_int64_t>(stat.size) && zip_fread(file, &probe, 1) == 0;
        const QString error = intact ? QString() : QString::fromLocal8Bit(zip_file_strerror(file));
        zip_fclose(file);
        if (!intact)
            return QStringLiteral("%1: %2").arg(name, error);
        entries.push_back({name, bytes});
    }
    return {};
}

}  // namespace

bool Is_Bare_File_Name(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 32 || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
    }
    return true;
}

store::Write_Result Zip_Add(const QString& archive_path, const QStringList& file_paths)
{
    std::vector<QByteArray> contents;
    contents.reserve(file_paths.size());
    for (const QString& path : file_paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("%1 を読み込めません: %2").arg(QFileInfo(path).fileName(), file.errorString())};
        contents.push_back(file.readAll());
    }
    int open_error = 0;
    zip_t* archive = zip_open(QFile::encodeName(archive_path).constData(), ZIP_CREATE, &open_error);
    if (!archive)
        return {QStringLiteral("%1 を開けません: %2").arg(archive_path, Zip_Open_Error(open_error))};
    for (int i = 0; i < file_paths.size(); ++i) {
        const QFileInfo info(file_paths.at(i));
        const QByteArray& bytes = contents[static_cast<size_t>(i)];
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, info.fileName().toUtf8().constData(), source,
                                  ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8)
                   : -1;
        if (index < 0) {
            const QString error = QString::fromLocal8Bit(zip_strerror(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            return {QStringLiteral("%1 を追加できません: %2").arg(info.fileName(), error)};
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index),
                           static_cast<time_t>(info.lastModified().toSecsSinceEpoch()), 0);
    }
    if (zip_close(archive) != 0) {
        const QString error = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return {QStringLiteral("%1 を書き込めません: %2").arg(archive_path, error)};
    }
    return {};
}

store::Write_Result Zip_Extract(const QString& archive_path, const QString& target_folder)
{
    int open_error = 0;
    zip_t* archive = zip_open(QFile::encodeName(archive_path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &open_error);
    if (!archive)
        return {QStringLiteral("%1 を読み込めません: %2").arg(QFileInfo(archive_path).fileName(),
                                                              Zip_Open_Error(open_error))};
    std::vector<Entry> entries;
    const QString read_error = Read_Entries(archive, entries);
    zip_discard(archive);
    if (!read_error.isEmpty())
        return {QStringLiteral("%1 は復元できません: %2").arg(QFileInfo(archive_path).fileName(), read_error)};

    QTemporaryDir staging(Path_In(target_folder, QStringLiteral(".restore-XXXXXX")));
    if (!staging.isValid())
        return {QStringLiteral("%1 に書き込めません: %2").arg(target_folder, staging.errorString())};
    for (const Entry& entry : entries) {
        QFile file(QDir(staging.path()).filePath(entry.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(entry.bytes) != entry.bytes.size()
            || !file.flush())
            return {QStringLiteral("%1 を書き込めません: %2").arg(entry.name, file.errorString())};
    }
    for (const Entry& entry : entries) {
        const QString from = QDir(staging.path()).filePath(entry.name);
        if (!QFileInfo::exists(from))
            continue;  // a name that occurs twice was moved already
        const QString to = Path_In(target_folder, entry.name);
        if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
            return {QStringLiteral("%1 を置き換えられません: %2").arg(entry.name,
                                                                       QString::fromLocal8Bit(std::strerror(errno)))};
    }
    return {};
}

QStringList Zip_Entry_Names(const QString& archive_path)
{
    QStringList names;
    int open_error = 0;
    zip_t* archive = zip_open(QFile::encodeName(archive_path).constData(), ZIP_RDONLY, &open_error);
    if (!archive)
        return names;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char* raw = zip_get_name(archive, i, ZIP_FL_ENC_RAW))
            names << Decode_Entry_Name(raw);
    }
    zip_discard(archive);
    return names;
}

}  // namespace maintenance
