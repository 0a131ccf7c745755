#include "layouts/layout_names.h"

#include <QDir>

namespace layouts {

void strSort(QStringList& names)
{
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        for (qsizetype j = i + 1; j < names.size(); ++j) {
            if (QString::localeAwareCompare(names.at(i).toLower(), names.at(j).toLower()) > 0)
                names.swapItemsAt(i, j);
        }
    }
}

QStringList Sorted_Layout_Names(const QString& data_folder)
{
    const QDir folder(data_folder.isEmpty() ? QStringLiteral(".") : data_folder);
    QStringList names;
    for (const QString& file : folder.entryList({QStringLiteral("*.lay")}, QDir::Files))
        names << file.chopped(4);
    strSort(names);
    return names;
}

}  // namespace layouts
