#include "recipes/data_lines.h"

#include "store/data_folder.h"

namespace recipes {

Data_Lines Parse_Data_Lines(const store::Text_File& file, const QString& file_name, const Line_Check& valid)
{
    Data_Lines result;
    if (!file.error.isEmpty()) {
        result.error = file.error;
        return result;
    }
    if (file.lines.isEmpty())
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

Data_Lines Read_Data_Lines(const QString& data_folder, const QString& file_name, const Line_Check& valid)
{
    return Parse_Data_Lines(store::Read_Text_Lines(data_folder + file_name), file_name, valid);
}

store::Outcome Change_Data_Lines(const QString& data_folder, const QString& file_name, const QString& temp_name,
                                 const Line_Check& valid, const QString& failed, const Records_Change& change)
{
    QString error;
    const store::Outcome outcome = store::Rewrite_Via_Temp(
        data_folder, file_name, temp_name,
        [&](const store::Text_File& old_file, QStringList& new_lines) {
            Data_Lines lines = Parse_Data_Lines(old_file, file_name, valid);
            error = lines.error;
            if (!error.isEmpty())
                return false;
            change(lines.records);
            new_lines = QStringList{lines.version} + lines.records;
            return true;
        },
        store::If_Missing::Create);  // made by the first recipe or material
    if (!error.isEmpty())
        return store::Outcome::Failed({failed, error});
    if (outcome.Is_Done())
        return outcome;
    return store::Outcome::Failed(QStringList{failed} + outcome.lines);
}

}  // namespace recipes
