#pragma once
// The allergens a food contains and the allergens a label declares.
//
// Two reference files ship beside the program and may be replaced by a copy of
// the same name in the data folder, so that an installed copy follows the
// labelling rules without root:
// - the allergen list "allergens.txt": one allergen a line, "特定" (a specified
//   raw material, 特定原材料) or "推奨" (one recommended to be labelled), its
//   name and the words that stand for it, separated by "、";
// - the dictionary "allergen_dictionary.txt": ingredient words and the
//   allergens each contains ("醤油" 小麦 and 大豆), none for a word that only
//   looks like an allergen ("乳化剤", "ココナッツミルク"), and words of the same
//   ingredient before which a word does not count ("もも" beside "肉").
// Both are tab-separated, "#" starts a comment line, UTF-8 or CP932.
//
// A text is read by the longest word at each place, so "鶏もも肉" is 鶏肉 and
// not もも, "焼きそば" is 小麦 and not そば, "乳化剤" is no 乳.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace products {

inline const QString kAllergenListFileName = QStringLiteral("allergens.txt");
inline const QString kAllergenDictionaryFileName = QStringLiteral("allergen_dictionary.txt");

struct Allergen {
    QString name;            // as the label declares it: "小麦", "乳", "えび"
    bool specified = false;  // 特定原材料 (labelling required); otherwise recommended
    QStringList words;       // the words that stand for it in ingredients

    bool operator==(const Allergen&) const = default;
};

// What the declarations of a 原材料名 say: "(一部に小麦・卵・乳成分を含む)",
// "(小麦を含む)" after an ingredient, or a line "アレルギー物質:小麦・卵".
struct Allergen_Declaration {
    bool found = false;     // the text holds at least one declaration
    bool summary = false;   // one of them is the summary form "(一部に…を含む)"
    QStringList allergens;  // the allergens declared, in list order, each once
    QStringList unknown;    // declared words that name no allergen of the list
};

class Allergen_Dictionary {
public:
    // The list and dictionary: from `data_folder` where a copy lies there,
    // otherwise from `program_folder`. Nothing when a file is missing or holds
    // a line of another form; `error` (when given) then names the file and line.
    static std::optional<Allergen_Dictionary> Load(const QString& program_folder, const QString& data_folder,
                                                   QString* error = nullptr);

    // From the contents of the two files (as read, UTF-8 or CP932).
    static std::optional<Allergen_Dictionary> Parse(const QByteArray& list, const QByteArray& dictionary,
                                                    QString* error = nullptr);

    const std::vector<Allergen>& Allergens() const { return allergens_; }
    const Allergen* Find(const QString& name) const;

    // The allergens an ingredient text contains, in list order, each once: a
    // food name ("こむぎ ［小麦粉］ 薄力粉 1等", "薄力粉") or a whole 原材料名,
    // whose declarations are left out (they are read by Declared_In).
    QStringList Allergens_In(const QString& ingredients) const;

    // The allergens an ingredient text names by a word of the allergen list
    // ("小麦粉", "卵", "チーズ"), which need no "(…を含む)" after them.
    QStringList Allergens_Named_In(const QString& ingredients) const;

    // The declarations of a 原材料名 (markup already removed).
    Allergen_Declaration Declared_In(const QString& ingredients) const;

    // The allergen a declared word names: its name, "乳成分" for 乳, or a word
    // of the dictionary that contains exactly one allergen; empty when none.
    QString Declared_Allergen(const QString& word) const;

private:
    struct Word {
        QString text;                 // normalised (Normalise_Text)
        QStringList allergens;        // none: a false friend
        QStringList unless_beside;    // it does not count when the same ingredient holds one of these
        bool names_allergen = false;  // a word of the list: it declares the allergen by itself
    };
    std::vector<Allergen> allergens_;
    std::vector<Word> words_;  // longest first

    QStringList In_One_Ingredient(const QString& normalised, bool naming_only = false) const;
    QStringList In_Ingredients(const QString& ingredients, bool naming_only) const;
    QStringList In_List_Order(const QStringList& names) const;
};

// A text as the dictionary compares it: full-width letters, digits and signs
// made half-width, half-width katakana full-width (NFKC), spaces kept.
QString Normalise_Text(const QString& text);

// The text with every declaration removed ("(一部に…を含む)", "(…を含む)",
// and a line "アレルギー物質:…" or "アレルゲン:…").
QString Without_Declarations(const QString& ingredients);

}  // namespace products
