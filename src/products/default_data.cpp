#include "products/default_data.h"

#include "products/product_file.h"

#include <QFile>

namespace products {
namespace {

// Lines of a UTF-8 resource file kept in the repository (LF line ends).
QStringList Resource_Lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing built-in resource %s", qPrintable(path));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

QStringList Default_Product_File_Lines()
{
    return {kProductVersionLine};
}

QStringList Default_Strings_Lines()
{
    static const QStringList lines = Resource_Lines(QStringLiteral(":/defaults/strings_default.txt"));
    return lines;
}

QStringList Default_Word_Table_Lines()
{
    static const QStringList lines = Resource_Lines(QStringLiteral(":/defaults/word_table_default.txt"));
    return lines;
}

}  // namespace products
