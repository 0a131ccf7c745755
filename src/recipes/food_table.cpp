#include "recipes/food_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <mutex>

namespace recipes {
namespace {

constexpr int kBodyColumns = 58;
// 0-based columns of body.csv: 食品番号, 食品名, then the label's values in Nutrient order.
constexpr int kIdColumn = 1;
constexpr int kNameColumn = 3;
constexpr int kValueColumns[kNutrients] = {6, 9, 12, 18, 21, 57};

std::optional<double> Table_Value(QByteArrayView field, bool* ok)
{
    if (field == "null")
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    *ok = *ok && error == std::errc() && end == field.data() + field.size();
    return value;
}

// The pieces of the text between the separators (views into it).
QList<QByteArrayView> Split_View(QByteArrayView text, char separator)
{
    QList<QByteArrayView> pieces;
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
        pieces << text.sliced(start, at - start);
        start = at + 1;
    }
    pieces << text.sliced(start);
    return pieces;
}

QHash<QString, QString> Read_Readings(const QString& path)
{
    QHash<QString, QString> readings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readings;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0)
            readings.insert(QString::fromUtf8(line.left(tab)), QString::fromUtf8(line.mid(tab + 1)).trimmed());
    }
    return readings;
}

}  // namespace

QString Nutrient_Name(Nutrient nutrient)
{
    static const QString names[kNutrients] = {QStringLiteral("熱量"),       QStringLiteral("たんぱく質"),
                                              QStringLiteral("脂質"),       QStringLiteral("炭水化物"),
                                              QStringLiteral("ナトリウム"), QStringLiteral("食塩相当量")};
    return names[nutrient];
}

QString Nutrient_Unit(Nutrient nutrient)
{
    switch (nutrient) {
    case Energy:
        return QStringLiteral("kcal");
    case Sodium:
        return QStringLiteral("mg");
    default:
        return QStringLiteral("g");
    }
}

std::optional<Food_Table> Food_Table::Read(const QString& folder, QString* error)
{
    const QString path = QDir(folder).filePath(kFoodTableBody);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("食品成分表 %1 を開けません: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const QHash<QString, QString> readings = Read_Readings(QDir(folder).filePath(kFoodTableReadings));
    Food_Table table;
    table.foods_.reserve(2500);
    int line_number = 0;
    for (QByteArrayView line : Split_View(bytes, '\n')) {
        ++line_number;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QList<QByteArrayView> fields = Split_View(line, ',');
        bool ok = fields.size() == kBodyColumns;
        Food food;
        if (ok) {
            food.id = QString::fromUtf8(fields[kIdColumn]);
            food.name = QString::fromUtf8(fields[kNameColumn]).simplified();
            for (int n = 0; n < kNutrients; ++n)
                food.values[n] = Table_Value(fields[kValueColumns[n]], &ok);
        }
        if (!ok || food.id.isEmpty() || food.name.isEmpty()) {
            if (error)
                *error = QStringLiteral("食品成分表 %1 の %2 行目が壊れています").arg(path).arg(line_number);
            return std::nullopt;
        }
        food.reading = readings.value(food.id);
        food.search_key = Search_Key(food.name) + QLatin1Char('\n') + Search_Key(food.reading);
        table.by_id_.insert(food.id, static_cast<qsizetype>(table.foods_.size()));
        table.foods_.push_back(std::move(food));
    }
    if (table.foods_.empty()) {
        if (error)
            *error = QStringLiteral("食品成分表 %1 に食品がありません").arg(path);
        return std::nullopt;
    }
    return table;
}

const Food* Food_Table::Find(const QString& id) const
{
    const auto at = by_id_.constFind(id);
    return at == by_id_.cend() ? nullptr : &foods_[*at];
}

std::vector<const Food*> Food_Table::Search(const QString& query, int limit) const
{
    const QStringList words = query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList keys;
    for (const QString& word : words) {
        if (const QString key = Search_Key(word); !key.isEmpty())
            keys << key;
    }
    std::vector<const Food*> found;
    if (keys.isEmpty())
        return found;
    for (const Food& food : foods_) {
        const bool all = std::all_of(keys.begin(), keys.end(),
                                     [&](const QString& key) { return food.search_key.contains(key); });
        if (all) {
            found.push_back(&food);
            if (static_cast<int>(found.size()) >= limit)
                break;
        }
    }
    return found;
}

QString Food_Table_Folder(const QString& program_folder, const QString& data_folder)
{
    const QString own = QDir(data_folder.isEmpty() ? QStringLiteral(".") : data_folder).filePath(kFoodTableFolder);
    if (QFileInfo::exists(QDir(own).filePath(kFoodTableBody)))
        return own;
    return QDir(program_folder).filePath(kFoodTableFolder);
}

const Food_Table* Food_Tables::Of_Folder(const QString& folder, QString* error) const
{
    const QString key = QFileInfo(folder).absoluteFilePath();
    if (const auto known = read_->find(key); known != read_->end())
        return known->second.get();
    std::optional<Food_Table> read = Food_Table::Read(folder, error);
    if (!read)
        return nullptr;
    auto& kept = (*read_)[key];
    kept = std::make_unique<const Food_Table>(std::move(*read));
    return kept.get();
}

}  // namespace recipes
