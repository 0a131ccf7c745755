#include "platform/desktop_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>

#include <cmath>
#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {

// /proc/mounts escapes blanks and similar characters as octal \ooo.
QString Unescape_Mount_Field(const QString& field)
{
    QString result;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == QLatin1Char('\\') && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                result.append(QChar(code));
                i += 3;
                continue;
            }
        }
        result.append(field.at(i));
    }
    return result;
}

bool Device_Is_Removable(const QString& device, const QString& sys_block)
{
    static const QRegularExpression disk(QStringLiteral("^/dev/([a-z]+|mmcblk\\d+|nvme\\d+n\\d+)"));
    const QRegularExpressionMatch m = disk.match(device);
    if (!m.hasMatch())
        return false;
    QFile flag(sys_block + QLatin1Char('/') + m.captured(1) + QStringLiteral("/removable"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

}  // namespace

QString Find_Removable_Mount(const QString& mounts_text, const QString& sys_block)
{
    for (const QString& line : mounts_text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() < 2)
            continue;
        const QString device = parts.at(0);
        QString mount = Unescape_Mount_Field(parts.at(1));
        const bool media = mount.startsWith(QStringLiteral("/media/"))
            || mount.startsWith(QStringLiteral("/run/media/"));
        if (media || Device_Is_Removable(device, sys_block)) {
            while (mount.size() > 1 && mount.endsWith(QLatin1Char('/')))
                mount.chop(1);
            return mount;
        }
    }
    return {};
}

Application_Place Choose_Application_Place(const QString& program_folder, bool program_folder_writable,
                                           const QString& user_data_folder, const QString& runtime_folder)
{
    if (program_folder_writable)
        return {program_folder, program_folder, program_folder};
    return {program_folder, user_data_folder, runtime_folder.isEmpty() ? user_data_folder : runtime_folder};
}

Application_Place This_Application_Place()
{
    const QString program_folder = QCoreApplication::applicationDirPath();
    const bool writable = QFileInfo(program_folder).isWritable();
    const QString user_data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const Application_Place place = Choose_Application_Place(
        program_folder, writable, user_data, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    if (!writable)
        QDir().mkpath(place.application_folder);
    return place;
}

QString System_Desktop::Application_Folder() const
{
    return This_Application_Place().application_folder;
}

QString System_Desktop::Desktop_Folder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString System_Desktop::Removable_Drive_Root() const
{
    QFile mounts(QStringLiteral("/proc/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    return Find_Removable_Mount(QString::fromLocal8Bit(mounts.readAll()), QStringLiteral("/sys/block"));
}

int System_Desktop::Screen_Pixels_Per_Inch() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

bool System_Desktop::Open_Url(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

QString System_Desktop::Missing_Opener(const QUrl& url) const
{
    // Qt hands URLs to xdg-open, which asks xdg-mime for the program of a file's type.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return QStringLiteral("xdg-open (パッケージ xdg-utils)");
    if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).isDir())
        return {};
    const QString type = QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (query.waitForFinished(5000) && !query.readAllStandardOutput().trimmed().isEmpty())
        return {};
    return QStringLiteral("%1 を開くプログラム").arg(type);
}

QString System_Desktop::User_Name() const
{
    if (const passwd* entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

}  // namespace platform
