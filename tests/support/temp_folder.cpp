#include "support/temp_folder.h"

#include "store/cp932.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <QFileInfo>

#include <stdexcept>
#include <unistd.h>

namespace test_support {

Temp_Folder::Temp_Folder()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString Temp_Folder::Path() const
{
    return dir_.path();
}

QString Temp_Folder::Data_Folder() const
{
    return dir_.path() + QLatin1Char('/');
}

QString Temp_Folder::File(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

QByteArray Temp_Folder::Read(const QString& name) const
{
    QFile file(File(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void Temp_Folder::Write(const QString& name, const QByteArray& bytes) const
{
    QFile file(File(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray Cp932_Lines(const QStringList& lines)
{
    QByteArray bytes;
    const store::Write_Result result = store::Encode_Lines(lines, bytes);
    if (!result.ok())
        throw std::runtime_error(result.error.toStdString());
    return bytes;
}

const char* Name_Of(Unreadable kind)
{
    switch (kind) {
    case Unreadable::Folder_In_Its_Place:
        return "folder in its place";
    case Unreadable::Input_Output_Error:
        return "I/O error";
    case Unreadable::No_Permission:
        return "no read permission";
    }
    return "";
}

bool Make_Unreadable(const QString& path, Unreadable kind)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    switch (kind) {
    case Unreadable::Folder_In_Its_Place:
        QFile::remove(path);
        return QDir().mkpath(path);
    case Unreadable::Input_Output_Error:
        // Reading a process's own memory from offset 0 fails with EIO.
        QFile::remove(path);
        return QFile::link(QStringLiteral("/proc/self/mem"), path);
    case Unreadable::No_Permission:
        if (::geteuid() == 0)
            return false;
        if (info.isSymLink() || !info.isFile()) {
            QFile::remove(path);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write("unreadable\r\n") < 0)
                return false;
        }
        return QFile::setPermissions(path, QFileDevice::WriteOwner);
    }
    return false;
}

QByteArray State_Of(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "-> " + QFile::encodeName(info.symLinkTarget());
    if (info.isDir())
        return "<folder>";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable " + QByteArray::number(info.size()) + " bytes>";
    return file.readAll();
}

}  // namespace test_support
