#include "app/startup.h"

#include "layouts/default_layouts.h"
#include "maintenance/zip_archive.h"
#include "platform/paged_printer.h"
#include "products/default_data.h"
#include "products/product_file.h"
#include "store/file_lock.h"

#include <QDir>
#include <QFile>

namespace app {

QStringList Create_Missing_Files(const QString& data_folder)
{
    QStringList errors;
    // The default lines are made only for a file that is to be written.
    const auto create = [&](const QString& name, QStringList (*default_lines)()) {
        const QString path = data_folder + name;
        if (!store::Needs_Default_File(path))
            return;
        if (store::Write_Result r = store::Create_File_If_Missing(path, default_lines()); !r.ok())
            errors << r.error;
    };
    create(products::kProductFileName, products::Default_Product_File_Lines);
    create(products::kStringsFileName, products::Default_Strings_Lines);
    create(products::kWordTableFileName, products::Default_Word_Table_Lines);
    errors << layouts::Ensure_Default_Layouts(data_folder);
    return errors;
}

QStringList Copy_Missing_Pictures(const QString& program_folder, const QString& application_folder)
{
    QStringList errors;
    const QDir from(program_folder);
    const QDir to(application_folder);
    if (from == to)
        return errors;
    for (const QString& name : from.entryList({QStringLiteral("*.bmp")}, QDir::Files)) {
        if (!to.exists(name) && !QFile::copy(from.filePath(name), to.filePath(name)))
            errors << QStringLiteral("%1 を %2 にコピーできません").arg(name, application_folder);
    }
    return errors;
}

Startup_Result Prepare_Data(const store::Folder_Context& context)
{
    Startup_Result result;
    if (store::Write_Result r = store::Create_Default_Settings(context.application_folder); !r.ok())
        result.errors << r.error;
    result.settings = store::Load_Settings(context.application_folder);
    result.data_folder = store::Working_Data_Folder(result.settings.Data_Location(), context);
    if (!QDir(result.data_folder).exists()) {
        result.errors << QStringLiteral("データ保存先 %1 が見つかりません").arg(result.data_folder);
        return result;
    }
    maintenance::Remove_Stale_Staging_Folders(result.data_folder);
    store::Remove_Stale_Temporaries(result.data_folder);
    store::Remove_Stale_Temporaries(context.application_folder);
    result.errors << Create_Missing_Files(result.data_folder);
    platform::Remove_Stale_Pdf_Parts(result.data_folder + platform::kPdf_Output_Folder_Name);
    return result;
}

QString Lock_Refusal_Message(platform::Lock_Outcome outcome, const QString& application_folder)
{
    if (outcome == platform::Lock_Outcome::Other_Copy_Running)
        return QStringLiteral("このソフトウェアを複数起動することはできません。");
    return QStringLiteral(
               "フォルダ「%1」に書き込めないため起動できません。\n書き込みできるフォルダから起動して下さい。")
        .arg(QDir::toNativeSeparators(application_folder));
}

}  // namespace app
