#include "products/allergen_dictionary.h"

#include "store/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace products {

namespace {

const QString kSpecified = QStringLiteral("特定");
const QString kRecommended = QStringLiteral("推奨");
const QString kSeparator = QStringLiteral("、");

// UTF-8 when the bytes are valid UTF-8, CP932 otherwise (a file saved by a Windows editor).
QString Decode_Reference_File(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = store::Decode_Cp932(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// The lines that are not comments or blank, with their line numbers.
std::vector<std::pair<int, QString>> Content_Lines(const QString& text)
{
    std::vector<std::pair<int, QString>> lines;
    const QStringList all = text.split(QLatin1Char('\n'));
    for (int i = 0; i < all.size(); ++i) {
        QString line = all[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.emplace_back(i + 1, line);
    }
    return lines;
}

QStringList Split_Words(const QString& field)
{
    QStringList words;
    for (const QString& word : field.split(kSeparator, Qt::SkipEmptyParts))
        if (const QString trimmed = Normalise_Text(word).trimmed(); !trimmed.isEmpty())
            words << trimmed;
    return words;
}

QString Line_Error(const QString& file, int line)
{
    return QStringLiteral("%1の%2行目の形が正しくありません").arg(file).arg(line);
}

// The pieces of an ingredient list that belong to one ingredient: cut at the
// separators of a list, never inside a word.
QStringList Ingredient_Pieces(const QString& normalised)
{
    static const QRegularExpression separators(QStringLiteral("[、,/;。\\n]"));
    return normalised.split(separators, Qt::SkipEmptyParts);
}

// A summary declaration "(一部に…を含む)", an individual one "(…を含む)" or
// "(…由来)", and a line of its own "アレルギー物質:…"; the words declared are
// in the capture "words" (normalised text).
const QRegularExpression& Declaration_Pattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("\\((?<summary>(?:原材料の)?一部に)?(?<words>[^()]*?)を?(?:含む|由来)\\)"
                       "|(?:アレルギー物質|アレルギー表示|アレルゲン|特定原材料(?:等)?)\\s*[:]\\s*(?<line>[^\\n]*)"));
    return pattern;
}

QStringList Declared_Words(const QString& words)
{
    static const QRegularExpression separators(QStringLiteral("[・、,/\\s]"));
    QStringList result;
    for (QString word : words.split(separators, Qt::SkipEmptyParts)) {
        word.remove(QRegularExpression(QStringLiteral("^(?:その他|一部に)")));
        if (!word.isEmpty())
            result << word;
    }
    return result;
}

}  // namespace

QString Normalise_Text(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC);
}

QString Without_Declarations(const QString& ingredients)
{
    return Normalise_Text(ingredients).remove(Declaration_Pattern());
}

std::optional<Allergen_Dictionary> Allergen_Dictionary::Load(const QString& program_folder, const QString& data_folder,
                                                             QString* error)
{
    QByteArray contents[2];
    const QString names[2] = {kAllergenListFileName, kAllergenDictionaryFileName};
    for (int i = 0; i < 2; ++i) {
        const QString own = data_folder.isEmpty() ? QString()
                                                  : QFileInfo(data_folder + QLatin1Char('/') + names[i]).filePath();
        QFile file(!own.isEmpty() && QFile::exists(own) ? own : program_folder + QLatin1Char('/') + names[i]);
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("%1を読めません(%2)").arg(names[i], file.errorString());
            return std::nullopt;
        }
        contents[i] = file.readAll();
    }
    return Parse(contents[0], contents[1], error);
}

std::optional<Allergen_Dictionary> Allergen_Dictionary::Parse(const QByteArray& list, const QByteArray& dictionary,
                                                              QString* error)
{
    const auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    Allergen_Dictionary result;
    for (const auto& [number, line] : Content_Lines(Decode_Reference_File(list))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QString name = fields.value(1).trimmed();
        const QStringList words = Split_Words(fields.value(2));
        if (fields.size() != 3 || (fields[0] != kSpecified && fields[0] != kRecommended) || name.isEmpty()
            || words.isEmpty() || result.Find(name))
            return fail(Line_Error(kAllergenListFileName, number));
        result.allergens_.push_back({name, fields[0] == kSpecified, words});
        for (const QString& word : words)
            result.words_.push_back({word, {name}, {}, true});
    }
    for (const auto& [number, line] : Content_Lines(Decode_Reference_File(dictionary))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QString word = Normalise_Text(fields[0]).trimmed();
        const QStringList allergens = fields.value(1).split(kSeparator, Qt::SkipEmptyParts);
        const bool known = std::all_of(allergens.begin(), allergens.end(),
                                       [&](const QString& name) { return result.Find(name.trimmed()) != nullptr; });
        if (fields.size() > 3 || word.isEmpty() || !known)
            return fail(Line_Error(kAllergenDictionaryFileName, number));
        Word entry{word, {}, Split_Words(fields.value(2))};
        for (const QString& name : allergens)
            entry.allergens << name.trimmed();
        // A dictionary word replaces the same word of the list, which still names its allergen.
        const auto same = std::find_if(result.words_.begin(), result.words_.end(),
                                       [&](const Word& known_word) { return known_word.text == word; });
        if (same == result.words_.end())
            result.words_.push_back(entry);
        else
            *same = {entry.text, entry.allergens, entry.unless_beside, same->names_allergen};
    }
    std::stable_sort(result.words_.begin(), result.words_.end(),
                     [](const Word& a, const Word& b) { return a.text.size() > b.text.size(); });
    return result;
}

const Allergen* Allergen_Dictionary::Find(const QString& name) const
{
    const auto found = std::find_if(allergens_.begin(), allergens_.end(),
                                    [&](const Allergen& allergen) { return allergen.name == name; });
    return found == allergens_.end() ? nullptr : &*found;
}

QStringList Allergen_Dictionary::In_List_Order(const QStringList& names) const
{
    QStringList ordered;
    for (const Allergen& allergen : allergens_)
        if (names.contains(allergen.name))
            ordered << allergen.name;
    return ordered;
}

// The longest word at each place of one ingredient; a word that does not count
// beside another of the same ingredient is passed over whole.
QStringList Allergen_Dictionary::In_One_Ingredient(const QString& normalised, bool naming_only) const
{
    QStringList found;
    for (qsizetype at = 0; at < normalised.size();) {
        const auto word = std::find_if(words_.begin(), words_.end(), [&](const Word& candidate) {
            return QStringView(normalised).mid(at).startsWith(candidate.text);
        });
        if (word == words_.end()) {
            ++at;
            continue;
        }
        const bool passed_over = std::any_of(word->unless_beside.begin(), word->unless_beside.end(),
                                             [&](const QString& other) { return normalised.contains(other); });
        if (!passed_over && (word->names_allergen || !naming_only))
            found << word->allergens;
        at += word->text.size();
    }
    return found;
}

QStringList Allergen_Dictionary::In_Ingredients(const QString& ingredients, bool naming_only) const
{
    QStringList found;
    for (const QString& piece : Ingredient_Pieces(Without_Declarations(ingredients)))
        found << In_One_Ingredient(piece, naming_only);
    return In_List_Order(found);
}

QStringList Allergen_Dictionary::Allergens_In(const QString& ingredients) const
{
    return In_Ingredients(ingredients, false);
}

QStringList Allergen_Dictionary::Allergens_Named_In(const QString& ingredients) const
{
    return In_Ingredients(ingredients, true);
}

QString Allergen_Dictionary::Declared_Allergen(const QString& word) const
{
    const QString normalised = Normalise_Text(word).trimmed();
    if (Find(normalised))
        return normalised;
    for (const Allergen& allergen : allergens_)
        if (allergen.words.contains(normalised))
            return allergen.name;
    const QStringList contained = In_List_Order(In_One_Ingredient(normalised));
    return contained.size() == 1 ? contained.front() : QString();
}

Allergen_Declaration Allergen_Dictionary::Declared_In(const QString& ingredients) const
{
    Allergen_Declaration declaration;
    QStringList declared;
    auto matches = Declaration_Pattern().globalMatch(Normalise_Text(ingredients));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        declaration.found = true;
        // A line of its own lists every allergen in one place, as the summary form does.
        declaration.summary = declaration.summary || !match.captured(u"summary").isEmpty()
            || !match.captured(u"line").isNull();
        const QString words = match.captured(u"words").isNull() ? match.captured(u"line") : match.captured(u"words");
        for (const QString& word : Declared_Words(words)) {
            const QString allergen = Declared_Allergen(word);
            if (allergen.isEmpty())
                declaration.unknown << word;
            else
                declared << allergen;
        }
    }
    declaration.allergens = In_List_Order(declared);
    return declaration;
}

}  // namespace products
