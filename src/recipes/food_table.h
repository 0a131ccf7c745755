#pragma once
// The food composition table shipped with the program (日本食品標準成分表2020年版
// (八訂), 2478 foods, values per 100 g of the edible part), read at first use,
// and the search of its foods by name as the shop types it: hiragana,
// katakana, kanji or a part of the name ("はくりき" finds 薄力粉).
#include "store/width_conversion.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace recipes {

// The values a food label needs, in the order of the nutrition table.
enum Nutrient : int { Energy, Protein, Fat, Carbohydrate, Sodium, Salt };
constexpr int kNutrients = 6;
// Per 100 g: kcal, g, g, g, mg, g. A value the table leaves out (trace or not
// determined) is nullopt: it counts as 0, and the computation says so.
using Nutrient_Values = std::array<std::optional<double>, kNutrients>;

// "熱量", "たんぱく質", … "ナトリウム", "食塩相当量".
QString Nutrient_Name(Nutrient nutrient);
// "kcal", "g" or "mg".
QString Nutrient_Unit(Nutrient nutrient);

struct Food {
    QString id;       // 食品番号, five digits
    QString name;     // 食品名 as the table writes it
    QString reading;  // the name in hiragana
    Nutrient_Values values;
    QString search_key;  // name and reading, normalised for the search
};

// The folder of the table and its files' names.
inline const QString kFoodTableFolder = QStringLiteral("food-composition-2020");
inline const QString kFoodTableBody = QStringLiteral("body.csv");
inline const QString kFoodTableReadings = QStringLiteral("readings.tsv");

class Food_Table {
public:
    // Reads the table of the folder (body.csv and, when present, readings.tsv).
    // nullopt with `error` set when the table cannot be read or a line is damaged.
    static std::optional<Food_Table> Read(const QString& folder, QString* error = nullptr);

    const std::vector<Food>& Foods() const { return foods_; }
    // The food with that 食品番号, or null.
    const Food* Find(const QString& id) const;
    // Foods whose name or reading holds every word of the query, in the table's
    // order, at most `limit`; an empty query finds nothing.
    std::vector<const Food*> Search(const QString& query, int limit = 200) const;

private:
    std::vector<Food> foods_;
    QHash<QString, qsizetype> by_id_;  // 食品番号 -> index in foods_
};

// The text as the search compares it (the word table's search uses the same key).
using store::Search_Key;

// The folder whose table is used: the data folder's own copy
// (data_folder + "food-composition-2020") when it has one, else the program's.
QString Food_Table_Folder(const QString& program_folder, const QString& data_folder);

// The tables read so far, by folder, kept by their owner (the session, a
// command-line run) so that a table is read once for every search and label
// check of that owner; copies share what has been read.
class Food_Tables {
public:
    // The table of the folder, read on first use; null with `error` set when
    // it cannot be read (read again on the next call).
    const Food_Table* Of_Folder(const QString& folder, QString* error = nullptr) const;

private:
    std::shared_ptr<std::map<QString, std::unique_ptr<const Food_Table>>> read_ =
        std::make_shared<std::map<QString, std::unique_ptr<const Food_Table>>>();
};

}  // namespace recipes
