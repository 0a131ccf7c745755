#include "maintenance/backup.h"

#include "maintenance/data_files.h"
#include "maintenance/print_check_setting.h"
#include "maintenance/zip_archive.h"
#include "printing/print_history.h"
#include "products/default_data.h"
#include "products/product_file.h"
#include "store/journal_file.h"
#include "store/settings.h"

#include <QFile>

#include <optional>

namespace maintenance {

QString Default_Backup_Name(const QDateTime& now)
{
    return now.toString(QStringLiteral("yyyy年MM月dd日hh時mm分ss秒")) + QStringLiteral("に保存したデータ");
}

QString Backup_Folder(int index, const store::Folder_Context& context)
{
    const QStringList& names = Data_Location_Names();
    if (index < 0 || index >= names.size())
        return {};
    return store::Resolve_Data_Folder(names.at(index), context);
}

namespace {

// Extensions of the files a backup holds: "dat" of the application folder, the rest of the data folder.
const QString kSettingsExtension = QStringLiteral("dat");
const QStringList kDataExtensions = {QStringLiteral("lay"), QStringLiteral("bmp"), QStringLiteral("tsv")};

}  // namespace

QStringList Backup_Files(const QString& application_folder, const QString& data_folder)
{
    QStringList files = Files_With_Extension(application_folder, kSettingsExtension);
    for (const QString& extension : kDataExtensions)
        files << Files_With_Extension(data_folder, extension);
    return files;
}

QString Archive_Path(const QString& folder, const QString& name)
{
    return Path_In(folder, name + QStringLiteral(".zip"));
}

store::Write_Result Create_Backup(const QString& archive_path, const QString& application_folder,
                                  const QString& data_folder)
{
    return Zip_Add(archive_path, Backup_Files(application_folder, data_folder));
}

namespace {

std::optional<QByteArray> Read_Whole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? std::nullopt : std::make_optional<QByteArray>();
    QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? std::make_optional(bytes) : std::nullopt;
}

bool Write_Whole(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

// Checks and completes the unpacked files of a restore: text files that hold
// binary data and a product file that is none are refused; the archive's print
// history is merged with the current one, under the history's lock, which is
// held until the restore has moved its files into place.
class Restore_Preparation {
public:
    explicit Restore_Preparation(const QString& data_folder) : data_folder_(data_folder) { }

    QString operator()(const QString& name, const QString& staged_path)
    {
        const std::optional<QByteArray> bytes = Read_Whole(staged_path);
        if (!bytes)
            return QStringLiteral("%1 を読めません").arg(name);
        if (name == products::kProductFileName) {
            if (const QString problem = products::Product_File_Problem(*bytes); !problem.isEmpty())
                return QStringLiteral("%1: %2").arg(name, problem);
        } else if (!Has_Extension(name, QStringLiteral("bmp")) && bytes->contains('\0')) {
            return QStringLiteral("%1 は文字ではないデータを含んでいます").arg(name);
        }
        if (name == printing::kHistoryFileName)
            return Merge_History(*bytes, staged_path);
        return {};
    }

private:
    QString Merge_History(const QByteArray& archived, const QString& staged_path)
    {
        const QString current_path = Path_In(data_folder_, printing::kHistoryFileName);
        history_lock_.emplace(Path_In(data_folder_, printing::kHistoryLockName));
        if (const store::Write_Result taken = history_lock_->Take(current_path); !taken.ok())
            return taken.error;
        const std::optional<QByteArray> current = Read_Whole(current_path);
        if (!current)
            return QStringLiteral("%1 を読めません").arg(current_path);
        if (!Write_Whole(staged_path, printing::Merge_History_Files(*current, archived)))
            return QStringLiteral("%1 を書き込めません").arg(staged_path);
        return {};
    }

    QString data_folder_;
    std::optional<store::Journal_Lock> history_lock_;
};

}  // namespace

store::Write_Result Restore_Backup(const QString& archive_path, const QString& data_folder)
{
    Restore_Preparation preparation(data_folder);
    Extract_Rules rules;
    rules.extensions = QStringList{kSettingsExtension} + kDataExtensions;
    rules.known_names = {store::kSettingsFileName,   kPrintCheckFileName,          products::kProductFileName,
                         products::kStringsFileName, products::kWordTableFileName, printing::kHistoryFileName};
    rules.prepare = std::ref(preparation);
    return Zip_Extract(archive_path, data_folder, rules);
}

}  // namespace maintenance
