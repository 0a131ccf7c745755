#include "store/settings.h"

#include <QDir>
#include <QFile>

namespace store {

Settings_Record Default_Settings()
{
    Settings_Record s;
    s.line[2] = QStringLiteral("0000");
    s.line[3] = QStringLiteral("0");
    s.line[4] = QStringLiteral("0");
    s.line[5] = QStringLiteral("しない");
    s.line[6] = QStringLiteral("ぱるべりなインストールフォルダ");
    s.line[7] = QStringLiteral("ソフトウェアにて生成");
    s.line[8] = QStringLiteral("中央寄せ");
    return s;
}

QString Settings_Path(const QString& application_folder)
{
    return QDir(application_folder).filePath(kSettingsFileName);
}

Settings_Record Load_Settings(const QString& application_folder, bool* opened)
{
    Settings_Record s;
    const Text_File file = Read_Text_Lines(Settings_Path(application_folder));
    if (opened)
        *opened = file.opened;
    for (int n = 1; n <= kSettingsLines && n <= file.lines.size(); ++n)
        s.line[n] = file.lines.at(n - 1);
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
    const QString path = Settings_Path(application_folder);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly))
        return {};
    return Write_Text_Lines(path, Lines_Of(Default_Settings()));
}

Write_Result Save_Settings(const QString& application_folder, const Settings_Values& values)
{
    Settings_Record s;
    for (int n = 1; n <= 9; ++n)
        s.line[n] = values[n - 1];
    QByteArray bytes;
    if (Write_Result encoded = Encode_Lines(Lines_Of(s), bytes); !encoded.ok())
        return encoded;
    const QString path = Settings_Path(application_folder);
    return Replace_File_Atomically(path, path + QStringLiteral(".tmp"), bytes);
}

}  // namespace store
