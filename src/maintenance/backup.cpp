#include "maintenance/backup.h"

#include "maintenance/data_files.h"
#include "maintenance/zip_archive.h"

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

store::Write_Result Restore_Backup(const QString& archive_path, const QString& data_folder)
{
    return Zip_Extract(archive_path, data_folder, QStringList{kSettingsExtension} + kDataExtensions);
}

}  // namespace maintenance
