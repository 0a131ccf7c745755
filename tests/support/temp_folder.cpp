#include "support/temp_folder.h"

#include "store/cp932.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <stdexcept>

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

}  // namespace test_support
