#include "store/data_folder.h"

#include <QFile>
#include <QFileInfo>

namespace store {

QString Resolve_Data_Folder(const QString& data_location, const Folder_Context& context)
{
    const QString app = context.application_folder + QLatin1Char('/');
    if (data_location == QStringLiteral("ぱるべりなUSBメモリ")) {
        const QString root = context.removable_drive_root + QLatin1Char('/');
        return (root == QStringLiteral("/") || root == QStringLiteral("//")) ? app : root;
    }
    if (data_location == QStringLiteral("ぱるべりなインストールフォルダ"))
        return app;
    if (data_location == QStringLiteral("デスクトップ"))
        return context.desktop_folder + QLatin1Char('/');
    static const char* const kDrives[] = {"C", "D", "E", "F"};
    for (const char* drive : kDrives) {
        if (data_location == QString::fromLatin1(drive) + QStringLiteral("ドライブ (ルート)"))
            return context.drive_root_base + QString::fromLatin1(drive).toLower() + QLatin1Char('/');
    }
    return {};
}

QString Working_Data_Folder(const QString& data_location, const Folder_Context& context)
{
    const QString folder = Resolve_Data_Folder(data_location, context);
    return folder.isEmpty() ? context.application_folder + QLatin1Char('/') : folder;
}

bool Needs_Default_File(const QString& path)
{
    const QFileInfo info(path);
    return !info.isFile() || info.size() == 0;
}

Write_Result Create_File_If_Missing(const QString& path, const QStringList& lines)
{
    if (!Needs_Default_File(path))
        return {};
    QByteArray bytes;
    if (Write_Result encoded = Encode_Lines(lines, bytes); !encoded.ok())
        return encoded;
    return Replace_File_Atomically(path, path + QStringLiteral(".tmp"), bytes);
}

Outcome Rewrite_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                         const Rewrite_Step& step)
{
    QByteArray encoded_bytes;  // written after the step returns
    return Rewrite_Bytes_Via_Temp(data_folder, real_name, temp_name,
                                  [&](const File_Bytes& old_bytes, Byte_Pieces& new_bytes) {
                                      Text_File old_file = Split_Text_Lines(old_bytes.bytes);
                                      old_file.opened = old_bytes.opened;
                                      QStringList new_lines;
                                      if (!step(old_file, new_lines))
                                          return Outcome::Declined();
                                      if (Write_Result encoded = Encode_Lines(new_lines, encoded_bytes, old_file);
                                          !encoded.ok())
                                          return Outcome::Failed({encoded.error});
                                      new_bytes.Append(encoded_bytes);
                                      return Outcome::Done();
                                  });
}

Outcome Rewrite_Bytes_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                               const Byte_Rewrite_Step& step)
{
    const QString real_path = data_folder + real_name;
    const QString temp_path = data_folder + temp_name;
    const File_Bytes old_file = Read_File_Bytes(real_path);
    if (!old_file.error.isEmpty())
        return Outcome::Failed({old_file.error});
    Byte_Pieces bytes(old_file.bytes);
    const Outcome made = step(old_file, bytes);
    if (made.kind == Outcome::Kind::Declined)
        QFile::remove(temp_path);
    if (!made.Is_Done())
        return made;
    if (Write_Result replaced = Replace_File_Atomically(real_path, temp_path, bytes); !replaced.ok())
        return Outcome::Failed({replaced.error});
    return Outcome::Done();
}

}  // namespace store
