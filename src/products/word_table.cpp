#include "products/word_table.h"

#include "products/default_data.h"
#include "store/cp932.h"
#include "store/data_folder.h"
#include "store/text_helpers.h"
#include "store/width_conversion.h"

namespace products {
namespace {

// First and last kana of each row of the syllabary, for filters 1..10.
constexpr char16_t kRowRanges[10][2] = {
    {0x3042, 0x304A}, {0x304B, 0x3054}, {0x3055, 0x305E}, {0x305F, 0x3069}, {0x306A, 0x306E},
    {0x306F, 0x307D}, {0x307E, 0x3082}, {0x3084, 0x3088}, {0x3089, 0x308D}, {0x308F, 0x3093},
};

const QChar kIdeographicSpace(0x3000);

// The outcome of a word-table rewrite, with the message shown when it was written.
store::Outcome Outcome_Of(const store::Outcome& rewritten, const QString& done_line)
{
    switch (rewritten.kind) {
    case store::Outcome::Kind::Failed:
        return store::Outcome::Failed({QStringLiteral("書き込み出来ません"), rewritten.Text()});
    case store::Outcome::Kind::Declined:
        return rewritten;
    case store::Outcome::Kind::Done:
        break;
    }
    return store::Outcome::Done({done_line});
}

}  // namespace

QStringList Read_Word_Entries(const QString& data_folder)
{
    QStringList entries;
    for (const QString& line : store::Read_Text_Lines(data_folder + kWordTableFileName).lines) {
        if (entries.size() >= kMaxWordEntries)
            break;
        entries << line.left(2) + QLatin1Char('|') + line.mid(3);
    }
    return entries;
}

QString Word_Of_Entry(const QString& entry)
{
    return entry.mid(3);
}

bool Entry_Passes_Filter(const QString& entry, int filter)
{
    if (filter == kFilterAll)
        return true;
    const char16_t first = entry.isEmpty() ? 0 : entry.at(0).unicode();
    if (filter == kFilterOther)
        return first < 0x3042 || first > 0x3093;
    if (filter < 1 || filter > 10)
        return false;
    return first >= kRowRanges[filter - 1][0] && first <= kRowRanges[filter - 1][1];
}

QStringList Filter_Word_Entries(const QStringList& entries, int filter)
{
    QStringList shown;
    for (const QString& entry : entries)
        if (Entry_Passes_Filter(entry, filter))
            shown << entry;
    return shown;
}

namespace {

// The word's whole reading can be read off the word itself: it is kana only.
bool Is_Kana_Only(const QString& key)
{
    for (QChar c : key) {
        const char16_t u = c.unicode();
        if (!((u >= 0x3041 && u <= 0x3096) || u == 0x30FC))  // hiragana (katakana folded into it) and ー
            return false;
    }
    return !key.isEmpty();
}

// The start of the entry's reading that is known: the kana the word begins
// with, or its key (the reading's first two characters) when that is longer.
QString Known_Reading_Start(const QString& entry, const QString& word_key)
{
    qsizetype kana = 0;
    while (kana < word_key.size() && Is_Kana_Only(word_key.mid(kana, 1)))
        ++kana;
    const QString reading_key = store::Search_Key(entry.left(2));
    if (Is_Kana_Only(reading_key) && reading_key.size() > kana)
        return reading_key;
    return word_key.left(kana);
}

bool Entry_Matches(const QString& entry, const QString& query)
{
    const QString word = store::Search_Key(Word_Of_Entry(entry));
    if (word.contains(query))
        return true;
    if (Is_Kana_Only(word))
        return false;  // its whole reading is the word itself
    const QString known = Known_Reading_Start(entry, word);
    if (known.isEmpty())
        return false;
    if (entry.left(2).contains(kIdeographicSpace))  // a one-character reading: the key is all of it
        return known.startsWith(query);
    return query.startsWith(known) || known.startsWith(query);
}

}  // namespace

QStringList Search_Word_Entries(const QStringList& entries, const QString& text)
{
    const QString query = store::Search_Key(text);
    QStringList found;
    if (query.isEmpty())
        return found;
    for (const QString& entry : entries)
        if (Entry_Matches(entry, query))
            found << entry;
    return found;
}

QString Normalize_Reading(const QString& reading)
{
    return (store::To_Full_Width(reading) + QString(2, kIdeographicSpace)).left(2);
}

QString Append_Ingredient(const QString& ingredients, const QString& word)
{
    static const QString direct = QStringLiteral(":：(（");
    if (!ingredients.isEmpty() && direct.contains(ingredients.back()))
        return ingredients + word;
    return ingredients + QStringLiteral("､") + word;
}

store::Outcome Register_Word(const QString& data_folder, const QString& reading, const QString& word)
{
    const QString key = Normalize_Reading(store::Strip_Control_Chars(reading));
    const QString new_line = key + QLatin1Char('\t') + store::To_Full_Width(store::Strip_Control_Chars(word));
    const char16_t k1 = key.at(0).unicode();
    const char16_t k2 = key.at(1).unicode();
    const store::Outcome result = store::Rewrite_Via_Temp(
        data_folder, kWordTableFileName, kWordTableTempName, [&](const store::Text_File& old_file, QStringList& out) {
            bool placed = false;
            for (const QString& line : old_file.lines) {
                const char16_t l1 = line.size() > 0 ? line.at(0).unicode() : 0;
                const char16_t l2 = line.size() > 1 ? line.at(1).unicode() : 0;
                if (!placed && !(l1 < k1 || l2 < k2)) {
                    out << new_line;
                    placed = true;
                }
                out << line;
            }
            if (!placed)
                out << new_line;
            return true;
        });
    return Outcome_Of(result, QStringLiteral("登録しました"));
}

store::Outcome Delete_Word(const QString& data_folder, const QString& word, store::Answerer& answerer)
{
    if (!answerer.Ask(word.left(7) + QStringLiteral("を削除します"), QStringLiteral("よろしいですか？")))
        return store::Outcome::Declined();
    const store::Outcome result = store::Rewrite_Via_Temp(data_folder, kWordTableFileName, kWordTableTempName,
                                                          [&](const store::Text_File& old_file, QStringList& out) {
                                                              for (const QString& line : old_file.lines)
                                                                  if (Word_Of_Entry(line) != word)
                                                                      out << line;
                                                              return true;
                                                          });
    return Outcome_Of(result, QStringLiteral("削除しました"));
}

}  // namespace products
