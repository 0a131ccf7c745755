#include "maintenance/zip_archive.h"

#include "maintenance/data_files.h"
#include "maintenance/libzip_functions.h"
#include "store/file_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

namespace maintenance {
namespace {

QString Zip_Open_Error(const Libzip& zip, int code)
{
    zip_error_t error;
    zip.error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip.error_strerror(&error));
    zip.error_fini(&error);
    return text;
}

// The name of entry `index`: UTF-8 when the archive marks it so, CP932 when it
// does not (the Windows version writes names in CP932 without the mark). Read
// strictly, libzip gives the raw bytes back unchanged only for a marked name
// or plain ASCII.
QString Entry_Name(const Libzip& zip, zip_t* archive, zip_uint64_t index)
{
    const char* raw = zip.get_name(archive, index, ZIP_FL_ENC_RAW);
    if (!raw)
        return {};
    const QByteArray bytes(raw);
    const char* strict = zip.get_name(archive, index, ZIP_FL_ENC_STRICT);
    if (strict && bytes == strict)
        return QString::fromUtf8(bytes);
    return store::Decode_Cp932(bytes);
}

QString Zip_Error(const Libzip& zip, zip_t* archive)
{
    return QString::fromLocal8Bit(zip.strerror(archive));
}

QString Mebibytes(qint64 bytes)
{
    return QString::number(bytes / (1024 * 1024));
}

bool Has_One_Of(const QString& name, const QStringList& extensions)
{
    return std::any_of(extensions.begin(), extensions.end(),
                       [&name](const QString& extension) { return Has_Extension(name, extension); });
}

// Case-folded names and the names they stand for: a name of the rules first,
// else the file of the target folder.
QHash<QString, QString> Names_Ignoring_Case(const QString& target_folder, const QStringList& known_names)
{
    QHash<QString, QString> names;
    const QDir folder(target_folder.isEmpty() ? QStringLiteral(".") : target_folder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        names.insert(name.toCaseFolded(), name);
    for (const QString& name : known_names)
        names.insert(name.toCaseFolded(), name);
    return names;
}

// Checks every entry's name and claimed size before anything is unpacked;
// `names` gets the name each entry is unpacked under.
QString Check_Entries(const Libzip& zip, zip_t* archive, const QString& target_folder, const Extract_Rules& rules,
                      QStringList& names)
{
    const zip_int64_t count = zip.get_num_entries(archive, 0);
    if (count > kMaxArchiveEntries)
        return QStringLiteral("項目が多すぎます (%1 個、上限 %2 個)").arg(count).arg(kMaxArchiveEntries);
    const QHash<QString, QString> same_names = Names_Ignoring_Case(target_folder, rules.known_names);
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = Entry_Name(zip, archive, zip_uint64_t(i));
        if (!Is_Bare_File_Name(name))
            return QStringLiteral("ファイル名ではない項目「%1」を含んでいます").arg(name);
        if (!Has_One_Of(name, rules.extensions))
            return QStringLiteral("データファイルではない項目「%1」を含んでいます").arg(name);
        zip_stat_t stat;
        if (zip.stat_index(archive, i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            return QStringLiteral("%1: %2").arg(name, Zip_Error(zip, archive));
        if (stat.size > zip_uint64_t(kMaxEntryBytes))
            return QStringLiteral("「%1」が大きすぎます (上限 %2 MiB)").arg(name, Mebibytes(kMaxEntryBytes));
        total += qint64(stat.size);
        if (total > kMaxArchiveBytes)
            return QStringLiteral("展開した大きさが上限 (%1 MiB) を超えます").arg(Mebibytes(kMaxArchiveBytes));
        names << same_names.value(name.toCaseFolded(), name);
    }
    const qint64 free = QStorageInfo(target_folder.isEmpty() ? QStringLiteral(".") : target_folder).bytesAvailable();
    if (free >= 0 && total > free)
        return QStringLiteral("ディスクの空きが足りません (展開に %1 MiB、空き %2 MiB)")
            .arg(Mebibytes(total + 1024 * 1024 - 1), Mebibytes(free));
    return {};
}

// Streams entry `index` into `path`, stopping where it passes the size its
// header claims (which the limits were checked on). The file is synced.
QString Unpack_Entry(const Libzip& zip, zip_t* archive, zip_int64_t index, const QString& name, const QString& path)
{
    zip_stat_t stat;
    if (zip.stat_index(archive, index, 0, &stat) != 0)
        return QStringLiteral("%1: %2").arg(name, Zip_Error(zip, archive));
    zip_file_t* entry = zip.fopen_index(archive, index, 0);
    if (!entry)
        return QStringLiteral("%1: %2").arg(name, Zip_Error(zip, archive));
    QFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        error = QStringLiteral("%1 を書き込めません: %2").arg(name, file.errorString());
    qint64 written = 0;
    std::vector<char> buffer(64 * 1024);
    while (error.isEmpty()) {
        // Reading past the end makes libzip check the CRC of the whole entry.
        const zip_int64_t read = zip.fread(entry, buffer.data(), buffer.size());
        if (read < 0) {
            error = QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(zip.file_strerror(entry)));
        } else if (read == 0) {
            if (written != qint64(stat.size))
                error = QStringLiteral("%1: 項目の大きさが一致しません").arg(name);
            break;
        } else if (written + read > qint64(stat.size)) {
            error = QStringLiteral("%1: 項目の大きさが一致しません").arg(name);
        } else if (file.write(buffer.data(), read) != read) {
            error = QStringLiteral("%1 を書き込めません: %2").arg(name, file.errorString());
        } else {
            written += read;
        }
    }
    zip.fclose(entry);
    if (error.isEmpty() && (!file.flush() || ::fsync(file.handle()) != 0))
        error = QStringLiteral("%1 を書き込めません: %2").arg(name, file.errorString());
    return error;
}

// Moves the unpacked files into place all or nothing: each replaced file is kept
// (a hard link, or a copy where the file system has none) until every move
// succeeded; on a failure every file already moved is put back. The kept files
// lie beside the staging folder ("<staging>-replaced"), so that they are still
// there to be put back when the staging folder itself is gone.
class Replacement {
public:
    explicit Replacement(const QString& staging) : kept_folder_(staging + QStringLiteral("-replaced")) { }
    ~Replacement() { QDir(kept_folder_).removeRecursively(); }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    QString Move_Into_Place(const QString& from, const QString& to, const QString& name)
    {
        const QFileInfo target(to);
        if (target.isDir())
            return QStringLiteral("%1 を置き換えられません: 同じ名前のフォルダがあります").arg(name);
        Placed placed{to, {}};
        if (target.exists() || target.isSymLink()) {
            if (!QDir().mkpath(kept_folder_))
                return QStringLiteral("%1 を置き換えられません: 作業フォルダを作れません").arg(name);
            placed.kept = QDir(kept_folder_).filePath(name);
            if (::link(QFile::encodeName(to).constData(), QFile::encodeName(placed.kept).constData()) != 0
                && !QFile::copy(to, placed.kept))
                return QStringLiteral("%1 を置き換えられません: 元のファイルを控えられません").arg(name);
        }
        if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            if (!placed.kept.isEmpty())
                QFile::remove(placed.kept);
            return QStringLiteral("%1 を置き換えられません: %2").arg(name, reason);
        }
        placed_.push_back(placed);
        return {};
    }

    void Put_Back()
    {
        for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
            if (it->kept.isEmpty())
                QFile::remove(it->target);
            else
                ::rename(QFile::encodeName(it->kept).constData(), QFile::encodeName(it->target).constData());
        }
        placed_.clear();
    }

private:
    struct Placed {
        QString target;
        QString kept;  // empty: no file was there before
    };
    QString kept_folder_;
    std::vector<Placed> placed_;
};

// libzip writes a changed archive to "<archive>.XXXXXX" and renames it over the
// archive at the end; an interrupted backup leaves that file behind. Only files
// of exactly that name that are empty or begin like a zip file are removed.
void Remove_Stale_Archive_Temporaries(const QString& archive_path)
{
    const QFileInfo archive(archive_path);
    const QRegularExpression pattern(QLatin1Char('^') + QRegularExpression::escape(archive.fileName())
                                     + QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    for (const QFileInfo& info : archive.dir().entryInfoList(QDir::Files | QDir::Hidden)) {
        if (info.isSymLink() || !pattern.match(info.fileName()).hasMatch())
            continue;
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly) && (file.size() == 0 || file.read(2) == "PK"))
            QFile::remove(info.filePath());
    }
}

// Why the archive with the files added would pass the limits that unpacking
// checks (entries it holds under other names count too); empty when it would not.
QString Over_Limits(const QString& archive_path, const QStringList& file_paths)
{
    QSet<QString> added;
    qint64 total = 0;
    for (const QString& path : file_paths) {
        const QFileInfo info(path);
        if (info.size() > kMaxEntryBytes)
            return QStringLiteral("「%1」が大きすぎます (%2 MiB、上限 %3 MiB)")
                .arg(info.fileName(), Mebibytes(info.size()), Mebibytes(kMaxEntryBytes));
        total += info.size();
        added.insert(info.fileName());
    }
    qsizetype entries = added.size();
    for (const auto& [name, size] : Zip_Entry_Sizes(archive_path)) {
        if (!added.contains(name)) {
            total += size;
            ++entries;
        }
    }
    if (entries > kMaxArchiveEntries)
        return QStringLiteral("ファイルが多すぎます (%1 個、上限 %2 個)").arg(entries).arg(kMaxArchiveEntries);
    if (total > kMaxArchiveBytes)
        return QStringLiteral("ファイルが大きすぎます (合わせて %1 MiB、上限 %2 MiB)")
            .arg(Mebibytes(total), Mebibytes(kMaxArchiveBytes));
    return {};
}

// Staging folders are hidden folders ".restore-" + six characters in the target
// folder. An unpacking holds the lock ".restore.lock" there from before it makes
// its staging folder until it is done, so that another copy starting meanwhile
// tells its staging folder from one an interrupted unpacking left behind.
const QString kStagingPrefix = QStringLiteral(".restore-");
const QString kRestoreLockName = QStringLiteral(".restore.lock");

void Remove_Staging_Folders(const QString& target_folder)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.restore-[A-Za-z0-9]{6}(-replaced)?$"));
    const QDir folder(target_folder.isEmpty() ? QStringLiteral(".") : target_folder);
    for (const QFileInfo& info : folder.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!info.isSymLink() && pattern.match(info.fileName()).hasMatch())
            QDir(info.filePath()).removeRecursively();
    }
}

// The restore lock of the target folder; it is taken over from a process of
// this computer that ended, never by age (an unpacking may take minutes).
std::unique_ptr<QLockFile> Restore_Lock(const QString& target_folder)
{
    auto lock = std::make_unique<QLockFile>(Path_In(target_folder, kRestoreLockName));
    lock->setStaleLockTime(0);
    return lock;
}

// Locks of the data files an unpacking replaces ("*.tsv", "*.dat"), held while
// it moves them into place, so that a copy storing into one of them meanwhile
// does not put its older content back over the restored file.
class Data_File_Locks {
public:
    QString Acquire(const QString& target_folder, const QStringList& names)
    {
        for (const QString& name : names) {
            if (!Has_Extension(name, QStringLiteral("tsv")) && !Has_Extension(name, QStringLiteral("dat")))
                continue;
            auto lock = std::make_unique<store::File_Lock>(Path_In(target_folder, name));
            if (const QString busy = lock->Acquire(); !busy.isEmpty())
                return busy;
            locks_.push_back(std::move(lock));
        }
        return {};
    }

private:
    std::vector<std::unique_ptr<store::File_Lock>> locks_;
};

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
    if (const QString refused = Over_Limits(archive_path, file_paths); !refused.isEmpty())
        return {QStringLiteral("%1 を作れません: %2").arg(QFileInfo(archive_path).fileName(), refused)};
    std::vector<QByteArray> contents;
    contents.reserve(file_paths.size());
    for (const QString& path : file_paths) {
        QFile file(path);
        const bool opened = file.open(QIODevice::ReadOnly);
        QByteArray bytes = opened ? file.readAll() : QByteArray();
        if (!opened || file.error() != QFileDevice::NoError)
            return {QStringLiteral("%1 を読み込めません: %2").arg(QFileInfo(path).fileName(), file.errorString())};
        contents.push_back(std::move(bytes));
    }
    QString unavailable;
    const Libzip* libzip = Load_Libzip(unavailable);
    if (!libzip)
        return {QStringLiteral("%1 を開けません: %2").arg(archive_path, unavailable)};
    const Libzip& zip = *libzip;
    Remove_Stale_Archive_Temporaries(archive_path);
    int open_error = 0;
    zip_t* archive = zip.open(QFile::encodeName(archive_path).constData(), ZIP_CREATE, &open_error);
    if (!archive)
        return {QStringLiteral("%1 を開けません: %2").arg(archive_path, Zip_Open_Error(zip, open_error))};
    for (int i = 0; i < file_paths.size(); ++i) {
        const QFileInfo info(file_paths.at(i));
        const QByteArray& bytes = contents[static_cast<size_t>(i)];
        zip_source_t* source = zip.source_buffer(archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()),
                                                 0);
        const zip_int64_t index = source
            ? zip.file_add(archive, info.fileName().toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8)
            : -1;
        if (index < 0) {
            const QString error = QString::fromLocal8Bit(zip.strerror(archive));
            if (source)
                zip.source_free(source);
            zip.discard(archive);
            return {QStringLiteral("%1 を追加できません: %2").arg(info.fileName(), error)};
        }
        zip.set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
        zip.file_set_mtime(archive, static_cast<zip_uint64_t>(index),
                           static_cast<time_t>(info.lastModified().toSecsSinceEpoch()), 0);
    }
    if (zip.close(archive) != 0) {
        const QString error = QString::fromLocal8Bit(zip.strerror(archive));
        zip.discard(archive);
        return {QStringLiteral("%1 を書き込めません: %2").arg(archive_path, error)};
    }
    return {};
}

bool Remove_Stale_Staging_Folders(const QString& target_folder)
{
    const std::unique_ptr<QLockFile> lock = Restore_Lock(target_folder);
    if (!lock->tryLock(0))
        return false;  // a running unpacking owns its staging folder
    Remove_Staging_Folders(target_folder);
    return true;
}

store::Write_Result Zip_Extract(const QString& archive_path, const QString& target_folder, const Extract_Rules& rules)
{
    const QString archive_name = QFileInfo(archive_path).fileName();
    const std::unique_ptr<QLockFile> restore_lock = Restore_Lock(target_folder);
    if (!restore_lock->tryLock(0)) {
        if (restore_lock->error() != QLockFile::LockFailedError)
            return {QStringLiteral("%1 に書き込めません").arg(target_folder)};
        const QString holder = store::Lock_Holder(*restore_lock, restore_lock->fileName());
        return {QStringLiteral("他のぱるべりながこのフォルダに復元中です%1")
                    .arg(holder.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder))};
    }
    Remove_Staging_Folders(target_folder);
    const auto refused = [&archive_name](const QString& reason) {
        return store::Write_Result{QStringLiteral("%1 は復元できません: %2").arg(archive_name, reason)};
    };
    QString unavailable;
    const Libzip* libzip = Load_Libzip(unavailable);
    if (!libzip)
        return {QStringLiteral("%1 を読み込めません: %2").arg(archive_name, unavailable)};
    const Libzip& zip = *libzip;
    int open_error = 0;
    zip_t* archive = zip.open(QFile::encodeName(archive_path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &open_error);
    if (!archive)
        return {QStringLiteral("%1 を読み込めません: %2").arg(archive_name, Zip_Open_Error(zip, open_error))};
    QStringList names;
    if (const QString error = Check_Entries(zip, archive, target_folder, rules, names); !error.isEmpty()) {
        zip.discard(archive);
        return refused(error);
    }

    QTemporaryDir staging(Path_In(target_folder, kStagingPrefix + QStringLiteral("XXXXXX")));
    if (!staging.isValid()) {
        zip.discard(archive);
        return {QStringLiteral("%1 に書き込めません: %2").arg(target_folder, staging.errorString())};
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString error = Unpack_Entry(zip, archive, i, names.at(i), QDir(staging.path()).filePath(names.at(i)));
        if (!error.isEmpty()) {
            zip.discard(archive);
            return refused(error);
        }
    }
    zip.discard(archive);
    if (rules.prepare) {
        for (const QString& name : QSet<QString>(names.begin(), names.end())) {
            if (const QString error = rules.prepare(name, QDir(staging.path()).filePath(name)); !error.isEmpty())
                return refused(error);
        }
    }

    Data_File_Locks locks;
    if (const QString busy = locks.Acquire(target_folder, names); !busy.isEmpty())
        return {busy};
    Replacement replacement(staging.path());
    QSet<QString> moved;
    for (const QString& name : names) {
        if (moved.contains(name))
            continue;  // a name that occurs twice
        const QString from = QDir(staging.path()).filePath(name);
        if (!QFileInfo::exists(from)) {
            replacement.Put_Back();
            return {QStringLiteral("復元用の作業フォルダ %1 がなくなりました (%2 がありません)。元のファイルのままです")
                        .arg(QDir::toNativeSeparators(staging.path()), name)};
        }
        if (const QString error = replacement.Move_Into_Place(from, Path_In(target_folder, name), name);
            !error.isEmpty()) {
            replacement.Put_Back();
            return {error};
        }
        moved.insert(name);
    }
    return {};
}

QStringList Zip_Entry_Names(const QString& archive_path)
{
    QStringList names;
    for (const auto& [name, size] : Zip_Entry_Sizes(archive_path))
        names << name;
    return names;
}

std::vector<std::pair<QString, qint64>> Zip_Entry_Sizes(const QString& archive_path)
{
    std::vector<std::pair<QString, qint64>> entries;
    QString unavailable;
    const Libzip* libzip = Load_Libzip(unavailable);
    if (!libzip)
        return entries;
    const Libzip& zip = *libzip;
    int open_error = 0;
    zip_t* archive = zip.open(QFile::encodeName(archive_path).constData(), ZIP_RDONLY, &open_error);
    if (!archive)
        return entries;
    const zip_int64_t count = zip.get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        const QString name = Entry_Name(zip, archive, zip_uint64_t(i));
        if (!name.isEmpty() && zip.stat_index(archive, i, 0, &stat) == 0)
            entries.emplace_back(name, (stat.valid & ZIP_STAT_SIZE) ? qint64(stat.size) : 0);
    }
    zip.discard(archive);
    return entries;
}

}  // namespace maintenance
