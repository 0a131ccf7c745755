#include "store/data_folder.h"

#include "store/file_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

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

Line_Rewrite::Line_Rewrite(const QString& path, const QString& twin_path, qsizetype block)
    : Line_Reader(path, block), twin_(path, twin_path)
{
}

Write_Result Line_Rewrite::Create_Twin()
{
    struct stat status { };
    if (opened() && ::fstat(Handle(), &status) != 0)
        return {
            QStringLiteral("%1 を読み込めません: %2").arg(twin_.Path(), QString::fromLocal8Bit(std::strerror(errno)))};
    return twin_.Create(opened() ? std::optional<quint64>(status.st_dev) : std::nullopt);
}

bool Line_Rewrite::Next(QByteArrayView& line)
{
    if (!Line_Reader::Next(line_))
        return false;
    line = line_;
    return true;
}

void Line_Rewrite::Keep()
{
    static constexpr QByteArrayView kCrLf("\r\n");
    const QByteArrayView buffered = Buffered();
    const QByteArrayView after = buffered.sliced(line_.data() + line_.size() - buffered.data());
    if (!after.startsWith(kCrLf)) {
        Add_Line(line_);  // a bare line feed, or the end of the file, ended it
        return;
    }
    const QByteArrayView with_end(line_.data(), line_.size() + kCrLf.size());
    if (!kept_.isEmpty() && kept_.data() + kept_.size() == with_end.data()) {
        kept_ = QByteArrayView(kept_.data(), kept_.size() + with_end.size());
        return;
    }
    Write_Kept();
    kept_ = with_end;
}

void Line_Rewrite::Add_Line(QByteArrayView bytes)
{
    Write(bytes);
    twin_.Write("\r\n");
}

void Line_Rewrite::Write(QByteArrayView bytes)
{
    Write_Kept();
    twin_.Write(bytes);
}

Write_Result Line_Rewrite::Replace()
{
    Write_Kept();
    return twin_.Replace();
}

void Line_Rewrite::Before_Refill()
{
    Write_Kept();
}

void Line_Rewrite::Write_Kept()
{
    twin_.Write(kept_);
    kept_ = {};
}

Outcome Rewrite_Lines_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                               const Line_Rewrite_Step& step, If_Missing if_missing)
{
    const QString real_path = data_folder + real_name;
    File_Lock lock(real_path);
    if (const QString busy = lock.Acquire(); !busy.isEmpty())
        return Outcome::Failed({busy});
    Line_Rewrite file(real_path, data_folder + temp_name);
    if (file.failed())
        return Outcome::Failed({file.error()});
    if (!file.opened() && if_missing == If_Missing::Refuse)
        return Outcome::Failed(Missing_File_Lines(data_folder, real_name));
    Write_Result written = file.Create_Twin();
    if (written.ok()) {
        Outcome made = step(file);
        if (!made.Is_Done())
            return made;
        // The lines the step left are read all the same: a file that cannot be
        // read in full is not replaced.
        for (QByteArrayView rest; file.Next(rest);) { }
        if (file.failed())
            return Outcome::Failed({file.error()});
        written = file.Replace();
    }
    if (!written.ok()) {
        // The drive went away while the file was written.
        if (file.opened() && !QFileInfo::exists(real_path))
            return Outcome::Failed(Missing_File_Lines(data_folder, real_name));
        return Outcome::Failed({written.error});
    }
    return Outcome::Done();
}

Outcome Rewrite_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                         const Rewrite_Step& step, If_Missing if_missing)
{
    QByteArray new_bytes;
    return Rewrite_Lines_Via_Temp(
        data_folder, real_name, temp_name,
        [&](Line_Rewrite& file) {
            Text_File old_file;
            old_file.opened = file.opened();
            for (QByteArrayView line; file.Next(line);)
                old_file.Append_Read_Line(line);
            if (file.failed())
                return Outcome::Failed({file.error()});
            QStringList new_lines;
            if (!step(old_file, new_lines))
                return Outcome::Declined();
            if (Write_Result encoded = Encode_Lines(new_lines, new_bytes, old_file); !encoded.ok())
                return Outcome::Failed({encoded.error});
            file.Write(new_bytes);
            return Outcome::Done();
        },
        if_missing);
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
    const Outcome result = Rewrite_Lines_Via_Temp(
        info.absolutePath() + QLatin1Char('/'), info.fileName(), info.fileName() + QStringLiteral(".tmp"),
        [&bytes](Line_Rewrite& file) {
            file.Write(bytes);
            return Outcome::Done();
        },
        If_Missing::Create);
    return result.Is_Done() ? Write_Result{} : Write_Result{result.Text()};
}

}  // namespace store
