#pragma once
// Backup archives of the application's data: naming, the files they hold,
// creating, restoring and deleting them.
#include "store/cp932.h"
#include "store/data_folder.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace maintenance {

// "2024年03月05日09時05分07秒に保存したデータ" for that moment.
QString Default_Backup_Name(const QDateTime& now);

// Folder of backup-folder entry `index` (the data location names, mapped like the data folder).
QString Backup_Folder(int index, const store::Folder_Context& context);

// What a backup holds, in the order it is added: the ".dat" files of the
// application folder, then the ".lay", ".bmp" and ".tsv" files of the data folder.
QStringList Backup_Files(const QString& application_folder, const QString& data_folder);

// Path of the archive called `name` (already made safe) in `folder`.
QString Archive_Path(const QString& folder, const QString& name);

// Adds every backup file to the archive (entries of the same names are replaced).
store::Write_Result Create_Backup(const QString& archive_path, const QString& application_folder,
                                  const QString& data_folder);

// Unpacks the archive into the data folder; see Zip_Extract. Only the files a
// backup holds (".dat", ".lay", ".bmp", ".tsv") are accepted; a case variant of
// a data file's name replaces that file; a text file holding binary data and a
// product file that is none are refused. The archive's print history is merged
// with the current one, so that jobs printed since the backup stay recorded.
store::Write_Result Restore_Backup(const QString& archive_path, const QString& data_folder);

}  // namespace maintenance
