#include "store/data_folder.h"

#include "store/file_lock.h"

#include <QDir>
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
    File_Lock lock(path);
    if (const QString busy = lock.Acquire(); !busy.isEmpty())
        return {busy};
    if (!Needs_Default_File(path))
        return {};
    return Replace_File_Atomically(path, path + QStringLiteral(".tmp"), bytes);
}

QStringList Missing_File_Lines(const QString& data_folder, const QString& name)
{
    const QString folder = QDir::toNativeSeparators(data_folder);
    const QString what = QFileInfo(data_folder).isDir()
        ? QStringLiteral("データ保存先 %1 から %2 がなくなっています").arg(folder, name)
        : QStringLiteral("データ保存先 %1 が見つかりません").arg(folder);
    return {what, QStringLiteral("(ドライブが外されていないか確認して下さい)")};
}

Outcome Rewrite_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                         const Rewrite_Step& step, If_Missing if_missing)
{
    QByteArray encoded_bytes;  // written after the step returns
    return Rewrite_Bytes_Via_Temp(
        data_folder, real_name, temp_name,
        [&](const File_Bytes& old_bytes, Byte_Pieces& new_bytes) {
            Text_File old_file = Split_Text_Lines(old_bytes.bytes);
            old_file.opened = old_bytes.opened;
            QStringList new_lines;
            if (!step(old_file, new_lines))
                return Outcome::Declined();
            if (Write_Result encoded = Encode_Lines(new_lines, encoded_bytes, old_file); !encoded.ok())
                return Outcome::Failed({encoded.error});
            new_bytes.Append(encoded_bytes);
            return Outcome::Done();
        },
        if_missing);
}

Outcome Rewrite_Bytes_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                               const Byte_Rewrite_Step& step, If_Missing if_missing)
{
    const QString real_path = data_folder + real_name;
    File_Lock lock(real_path);
    if (const QString busy = lock.Acquire(); !busy.isEmpty())
        return Outcome::Failed({busy});
    const File_Bytes old_file = Read_File_Bytes(real_path);
    if (!old_file.error.isEmpty())
        return Outcome::Failed({old_file.error});
    if (!old_file.opened && if_missing == If_Missing::Refuse)
        return Outcome::Failed(Missing_File_Lines(data_folder, real_name));
    Byte_Pieces bytes(old_file.bytes);
    const Outcome made = step(old_file, bytes);
    if (!made.Is_Done())
        return made;
    const std::optional<quint64> device = old_file.opened ? std::optional(old_file.device) : std::nullopt;
    if (Write_Result replaced = Replace_File_Atomically(real_path, data_folder + temp_name, bytes, device);
        !replaced.ok()) {
        // The drive went away while the file was written.
        if (old_file.opened && !QFileInfo::exists(real_path))
            return Outcome::Failed(Missing_File_Lines(data_folder, real_name));
        return Outcome::Failed({replaced.error});
    }
    return Outcome::Done();
}

Write_Result Replace_File_Locked(const QString& path, const QStringList& lines)
{
    const QFileInfo info(path);
    const Outcome result = Rewrite_Via_Temp(
        info.absolutePath() + QLatin1Char('/'), info.fileName(), info.fileName() + QStringLiteral(".tmp"),
        [&lines](const Text_File&, QStringList& out) {
            out = lines;
            return true;
        },
        If_Missing::Create);
    return result.Is_Done() ? Write_Result{} : Write_Result{result.Text()};
}

Write_Result Replace_Bytes_Locked(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const Outcome result = Rewrite_Bytes_Via_Temp(
        info.absolutePath() + QLatin1Char('/'), info.fileName(), info.fileName() + QStringLiteral(".tmp"),
        [&bytes](const File_Bytes&, Byte_Pieces& out) {
            out.Append(bytes);
            return Outcome::Done();
        },
        If_Missing::Create);
    return result.Is_Done() ? Write_Result{} : Write_Result{result.Text()};
}

}  // namespace store
