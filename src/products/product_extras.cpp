#include "products/product_extras.h"

#include "products/product_record.h"
#include "store/cp932.h"
#include "store/data_folder.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

namespace products {

namespace {

// The file as columns and one row of fields per product (a row may end before the last columns).
struct Extras_Table {
    QStringList columns = {kProductExtrasNumberColumn};
    std::vector<QStringList> rows;

    QStringList Lines() const
    {
        QStringList lines = {kProductExtrasVersionLine, columns.join(QLatin1Char('\t'))};
        for (const QStringList& row : rows)
            lines << row.join(QLatin1Char('\t'));
        return lines;
    }

    std::vector<QStringList>::iterator Row(const QString& number)
    {
        return std::find_if(rows.begin(), rows.end(), [&](const QStringList& row) { return row.front() == number; });
    }
};

QString Damaged(const QString& reason)
{
    return QStringLiteral("%1の形が正しくありません(%2)").arg(kProductExtrasFileName, reason);
}

// The table a file holds; a file that does not exist holds an empty one.
std::optional<Extras_Table> Parse(const store::Text_File& file, QString& error)
{
    Extras_Table table;
    if (!file.error.isEmpty()) {
        error = file.error;
        return std::nullopt;
    }
    if (!file.opened)
        return table;
    if (file.lines.value(0) != kProductExtrasVersionLine) {
        error = Damaged(QStringLiteral("1行目が%1ではありません").arg(kProductExtrasVersionLine));
        return std::nullopt;
    }
    table.columns = file.lines.value(1).split(QLatin1Char('\t'));
    if (table.columns.front() != kProductExtrasNumberColumn || table.columns.removeDuplicates() > 0) {
        error = Damaged(QStringLiteral("2行目が列の名前ではありません"));
        return std::nullopt;
    }
    for (qsizetype i = 2; i < file.lines.size(); ++i) {
        if (file.lines[i].isEmpty())
            continue;
        table.rows.push_back(file.lines[i].split(QLatin1Char('\t')));
    }
    return table;
}

store::Text_File Read_File(const QString& data_folder)
{
    return store::Read_Text_Lines(data_folder + kProductExtrasFileName);
}

// Rewrites the table through `change`, which may refuse with a reason.
store::Outcome Rewrite(const QString& data_folder, const std::function<void(Extras_Table&)>& change)
{
    QString error;
    const store::Outcome outcome = store::Rewrite_Via_Temp(
        data_folder, kProductExtrasFileName, kProductExtrasTempName,
        [&](const store::Text_File& old_file, QStringList& lines) {
            std::optional<Extras_Table> table = Parse(old_file, error);
            if (!table)
                return false;
            change(*table);
            lines = table->Lines();
            return true;
        });
    return error.isEmpty() ? outcome : store::Outcome::Failed({error});
}

}  // namespace

std::optional<Product_Extras> Read_Product_Extras(const QString& data_folder, const QString& number, QString* error)
{
    QString reason;
    std::optional<Extras_Table> table = Parse(Read_File(data_folder), reason);
    if (!table) {
        if (error)
            *error = reason;
        return std::nullopt;
    }
    Product_Extras extras;
    const auto row = table->Row(Format_Product_No(number));
    if (row != table->rows.end())
        for (qsizetype column = 1; column < table->columns.size(); ++column)
            if (!row->value(column).isEmpty())
                extras[table->columns[column]] = row->value(column);
    return extras;
}

store::Outcome Store_Product_Extras(const QString& data_folder, const QString& number, const Product_Extras& fields)
{
    for (const auto& [name, value] : fields)
        if (name.isEmpty() || (name + value).contains(QRegularExpression(QStringLiteral("[\\t\\r\\n]"))))
            return store::Outcome::Failed({QStringLiteral("「%1」にタブや改行は保存できません").arg(name)});
    const QString key = Format_Product_No(number);
    return Rewrite(data_folder, [&](Extras_Table& table) {
        auto row = table.Row(key);
        if (row == table.rows.end()) {
            const auto after = std::find_if(table.rows.begin(), table.rows.end(),
                                            [&](const QStringList& other) { return other.front() > key; });
            row = table.rows.insert(after, QStringList(key));
        }
        for (const auto& [name, value] : fields) {
            if (!table.columns.contains(name))
                table.columns << name;
            const qsizetype column = table.columns.indexOf(name);
            while (row->size() <= column)
                row->append(QString());
            (*row)[column] = value;
        }
        while (row->size() > 1 && row->back().isEmpty())
            row->removeLast();
    });
}

store::Outcome Delete_Product_Extras(const QString& data_folder, const QString& number)
{
    if (!QFile::exists(data_folder + kProductExtrasFileName))
        return store::Outcome::Done();
    const QString key = Format_Product_No(number);
    return Rewrite(data_folder, [&](Extras_Table& table) {
        std::erase_if(table.rows, [&](const QStringList& row) { return row.front() == key; });
    });
}

bool Has_Small_Package(const Product_Extras& extras)
{
    const auto answer = extras.find(kPackageAreaField);
    return answer != extras.end() && answer->second == kSmallPackageArea;
}

}  // namespace products
