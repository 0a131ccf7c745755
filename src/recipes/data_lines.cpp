#include "recipes/data_lines.h"

#include "store/cp932.h"
#include "store/data_folder.h"

namespace recipes {

Data_Lines Read_Data_Lines(const QString& data_folder, const QString& file_name,
                           const std::function<bool(const QString&)>& valid)
{
    Data_Lines result;
    const store::Text_File file = store::Read_Text_Lines(data_folder + file_name);
    if (!file.error.isEmpty()) {
        result.error = file.error;
        return result;
    }
    if (!file.opened || file.lines.isEmpty())
        return result;
    result.version = file.lines.front();
    for (qsizetype n = 1; n < file.lines.size(); ++n) {
        if (file.lines[n].isEmpty())
            continue;
        if (!valid(file.lines[n])) {
            result.error = QStringLiteral("%1 の %2 行目が壊れています").arg(file_name).arg(n + 1);
            return result;
        }
        result.records << file.lines[n];
    }
    return result;
}

store::Outcome Write_Data_Lines(const QString& data_folder, const QString& file_name, const QString& temp_name,
                                const Data_Lines& lines)
{
    return store::Rewrite_Via_Temp(data_folder, file_name, temp_name,
                                   [&lines](const store::Text_File&, QStringList& new_lines) {
                                       new_lines = QStringList{lines.version} + lines.records;
                                       return true;
                                   },
                                   store::If_Missing::Create);  // made by the first recipe or material
}

}  // namespace recipes
