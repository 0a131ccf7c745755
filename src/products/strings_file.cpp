#include "products/strings_file.h"

#include "products/default_data.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

namespace products {

Category_Strings Read_Category_Strings(const QString& data_folder, const QString& key, Key_Match match)
{
    Category_Strings strings;
    const store::Text_File file = store::Read_Text_Lines(data_folder + kStringsFileName);
    if (!file.opened)
        return strings;
    QStringList fields;
    for (const QString& line : file.lines)
        fields << line.split(QLatin1Char(','));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const bool found = match == Key_Match::Equal ? fields.at(i) == key : fields.at(i).startsWith(key);
        if (!found)
            continue;
        for (int k = 0; k < kStringsPerCategory && i + 1 + k < fields.size(); ++k)
            strings[k] = store::Kanma_Henkan(fields.at(i + 1 + k), 1);
        break;
    }
    return strings;
}

QString Category_Line(const QString& key, const Category_Strings& strings)
{
    QString line = key;
    for (const QString& text : strings)
        line += QLatin1Char(',') + store::Kanma_Henkan(store::Strip_Control_Chars(text), 0);
    return line;
}

store::Outcome Register_Category_Strings(const QString& data_folder, const QString& key,
                                         const Category_Strings& strings)
{
    const QString new_line = Category_Line(key, strings);
    return store::Rewrite_Via_Temp(data_folder, kStringsFileName, kStringsTempName,
                                   [&](const store::Text_File& old_file, QStringList& out) {
                                       bool replaced = false;
                                       for (const QString& line : old_file.lines) {
                                           if (line.startsWith(key)) {
                                               out << new_line;
                                               replaced = true;
                                           } else {
                                               out << line;
                                           }
                                       }
                                       if (!replaced)
                                           out << new_line;
                                       return true;
                                   });
}

}  // namespace products
