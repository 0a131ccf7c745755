#pragma once
// The word table 単語テーブル_v2.tsv: one word per line, a two-character
// reading key, a TAB and the word. The window lists each line as "key|word".
#include "store/answerer.h"

#include <QString>
#include <QStringList>

namespace products {

constexpr int kMaxWordEntries = 10000;

// The file's lines as list entries "key|word", in file order, at most 10000.
QStringList Read_Word_Entries(const QString& data_folder);

// The word of an entry or of a file line (everything after the first three characters).
QString Word_Of_Entry(const QString& entry);

// Filter buttons: 0 all, 1..10 the kana rows あ か さ た な は ま や ら わ
// (voiced and semi-voiced forms included), 11 everything else ("英数").
constexpr int kFilterAll = 0;
constexpr int kFilterOther = 11;
bool Entry_Passes_Filter(const QString& entry, int filter);
QStringList Filter_Word_Entries(const QStringList& entries, int filter);

// The entries the shop finds by typing a word or its reading, in hiragana,
// katakana (half-width too), kanji or Latin letters, in file order. An entry is
// found when its word holds the text, or, for a word whose reading is not
// spelled out in kana (増粘剤), when the text and the key, the reading's first
// two characters, agree as far as both go ("ぞうねん" finds 増粘剤 by "ぞう").
// Widths, katakana and hiragana, case, blanks and brackets are folded as
// store::Search_Key folds them. An empty text finds nothing.
QStringList Search_Word_Entries(const QStringList& entries, const QString& text);

// A reading as stored: full-width, exactly two characters (ideographic spaces appended).
QString Normalize_Reading(const QString& reading);

// The ingredients text with the word appended: directly after ":", "：", "("
// or "（", otherwise after "､".
QString Append_Ingredient(const QString& ingredients, const QString& word);

// Registers the word (control characters removed, full-width) under the
// normalised reading before the first line whose key is not below it.
// Done: "登録しました"; failed when the file could not be written.
store::Outcome Register_Word(const QString& data_folder, const QString& reading, const QString& word);

// Asks, then removes every line holding the word, whatever its key.
// Done: "削除しました"; declined, or failed when the file could not be written.
store::Outcome Delete_Word(const QString& data_folder, const QString& word, store::Answerer& answerer);

}  // namespace products
