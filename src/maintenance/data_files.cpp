#include "maintenance/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace maintenance {
namespace {

QFileInfoList Files_Of(const QString& folder, const QString& extension)
{
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    QFileInfoList matching;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (Has_Extension(info.fileName(), extension))
            matching << info;
    }
    std::sort(matching.begin(), matching.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return QString::compare(a.fileName(), b.fileName(), Qt::CaseInsensitive) < 0;
    });
    return matching;
}

QString Rename_Error(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace

const QStringList& Data_Location_Names()
{
    static const QStringList names = {
        QStringLiteral("ぱるべりなUSBメモリ"), QStringLiteral("ぱるべりなインストールフォルダ"),
        QStringLiteral("デスクトップ"),        QStringLiteral("Cドライブ (ルート)"),
        QStringLiteral("Dドライブ (ルート)"),  QStringLiteral("Eドライブ (ルート)"),
        QStringLiteral("Fドライブ (ルート)")};
    return names;
}

bool Has_Extension(const QString& file_name, const QString& extension)
{
    return file_name.size() > extension.size() + 1
        && file_name.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive);
}

QString Path_In(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QStringList List_Archives(const QString& folder, const QString& extension)
{
    QStringList names;
    for (const QFileInfo& info : Files_Of(folder, extension))
        names << info.fileName().chopped(extension.size() + 1);
    return names;
}

QStringList Files_With_Extension(const QString& folder, const QString& extension)
{
    QStringList paths;
    for (const QFileInfo& info : Files_Of(folder, extension))
        paths << Path_In(folder, info.fileName());
    return paths;
}

store::Write_Result Copy_Data_Files(const QString& old_folder, const QString& new_folder)
{
    if (!QFileInfo(new_folder).isDir())
        return {QStringLiteral("保存先フォルダ %1 がありません").arg(new_folder)};
    const QString old_canonical = QFileInfo(old_folder).canonicalFilePath();
    if (!old_canonical.isEmpty() && old_canonical == QFileInfo(new_folder).canonicalFilePath())
        return {};

    struct Pending {
        QString temp;
        QString target;
    };
    std::vector<Pending> copied;
    const auto discard = [&copied] {
        for (const Pending& p : copied)
            QFile::remove(p.temp);
    };
    for (const QString& extension : {QStringLiteral("lay"), QStringLiteral("bmp"), QStringLiteral("tsv")}) {
        for (const QFileInfo& info : Files_Of(old_folder, extension)) {
            const QString target = Path_In(new_folder, info.fileName());
            const QString temp = target + QStringLiteral(".copying");
            QFile::remove(temp);
            QFile source(info.filePath());
            if (!source.copy(temp)) {
                const QString reason = source.errorString();
                QFile::remove(temp);
                discard();
                return {QStringLiteral("%1 をコピーできません: %2").arg(info.fileName(), reason)};
            }
            copied.push_back({temp, target});
        }
    }
    for (const Pending& p : copied) {
        if (const QString error = Rename_Error(p.temp, p.target); !error.isEmpty()) {
            discard();
            return {QStringLiteral("%1 を置き換えられません: %2").arg(QFileInfo(p.target).fileName(), error)};
        }
    }
    return {};
}

}  // namespace maintenance
