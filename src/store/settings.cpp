#include "store/settings.h"

#include "store/data_folder.h"
#include "store/text_helpers.h"

#include <QDir>

namespace store {

Settings_Record Default_Settings()
{
    Settings_Record s;
    s[Setting::Paper_Number] = QStringLiteral("0000");
    s[Setting::Offset_Vertical_mm] = QStringLiteral("0");
    s[Setting::Offset_Horizontal_mm] = QStringLiteral("0");
    s[Setting::Print_Per_Copy] = QStringLiteral("しない");
    s[Setting::Data_Location] = QStringLiteral("ぱるべりなインストールフォルダ");
    s[Setting::Vertical_Barcode_Method] = QStringLiteral("ソフトウェアにて生成");
    s[Setting::Paper_Set_Position] = QStringLiteral("中央寄せ");
    return s;
}

Settings_Values Saved_Values(const Settings_Record& settings)
{
    Settings_Values values;
    for (int n = 1; n <= kSavedSettings; ++n)
        values[static_cast<size_t>(n - 1)] = settings.line[static_cast<size_t>(n)];
    return values;
}

QString Settings_Path(const QString& application_folder)
{
    return QDir(application_folder).filePath(kSettingsFileName);
}

Settings_Record Load_Settings(const QString& application_folder, bool* opened)
{
    const Text_File file = Read_Text_Lines(Settings_Path(application_folder));
    if (opened)
        *opened = file.opened;
    return Settings_From_Lines(file.lines);
}

Settings_Record Settings_From_Lines(const QStringList& lines)
{
    Settings_Record s;
    for (int n = 1; n <= kSettingsLines && n <= lines.size(); ++n)
        s.line[n] = lines.at(n - 1);
    return s;
}

namespace {

QStringList Lines_Of(const Settings_Record& s)
{
    QStringList lines;
    for (int n = 1; n <= kSettingsLines; ++n)
        lines << s.line[n];
    return lines;
}

}  // namespace

Write_Result Create_Default_Settings(const QString& application_folder)
{
    return Create_File_If_Missing(Settings_Path(application_folder), Lines_Of(Default_Settings()));
}

Write_Result Save_Settings(const QString& application_folder, const Settings_Values& values)
{
    Settings_Record s;
    // One value per line: a line break or tab in a value would shift the lines after it.
    for (int n = 1; n <= kSavedSettings; ++n)
        s.line[n] = Strip_Control_Chars(values[n - 1]);
    return Replace_File_Locked(Settings_Path(application_folder), Lines_Of(s));
}

}  // namespace store
