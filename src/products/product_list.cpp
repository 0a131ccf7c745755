#include "products/product_list.h"

#include "products/product_file.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

#include <functional>
#include <optional>
#include <vector>

namespace products {
namespace {

QString After_First_Separator(const QString& text)
{
    const qsizetype ascii = text.indexOf(QLatin1Char(':'));
    const qsizetype wide = text.indexOf(QChar(0xFF1A));
    qsizetype at = ascii;
    if (at < 0 || (wide >= 0 && wide < at))
        at = wide;
    return at < 0 ? text : text.mid(at + 1);
}

const QString kHideMark = QStringLiteral("<m>");

QString Search_Result_Line(const QString& line)
{
    store::Field_Array fields;
    store::Split_Tab_Fields(line, 3, fields);
    return Product_List_Line(fields[1], fields[2], Search_Result_Name(fields[3]));
}

// The line's first `count` fields decoded: its bytes up to and including the
// tab after them (a tab byte is always a character of its own).
QString Decode_Leading_Fields(QByteArrayView line, int count)
{
    qsizetype end = 0;
    for (int tab = 0; tab < count && end < line.size(); ++tab) {
        const qsizetype at = line.indexOf('\t', end);
        end = at < 0 ? line.size() : at + 1;
    }
    return store::Decode_Cp932(line.first(end));
}

// The products of the file, each line's list line as `list_line` makes it (or
// none when it returns nothing); nothing when the file cannot be read in full.
QStringList List_Products(const QString& data_folder,
                          const std::function<std::optional<QString>(QByteArrayView line)>& list_line)
{
    store::Line_Reader reader(data_folder + kProductFileName);
    QByteArrayView line;
    QStringList list;
    if (!reader.Next(line))
        return list;  // the version line
    while (reader.Next(line)) {
        if (std::optional<QString> listed = list_line(line))
            list << *listed;
    }
    return reader.failed() ? QStringList() : list;
}

}  // namespace

QString Full_List_Name(const QString& product_name, const QString& category_name)
{
    QString name = product_name.isEmpty() ? category_name : product_name;
    if (const qsizetype at = name.indexOf(kHideMark); at >= 0)
        name = name.mid(at + kHideMark.size());
    return After_First_Separator(name);
}

QString Search_Result_Name(const QString& product_name)
{
    QString name = product_name;
    if (name.startsWith(QStringLiteral("品名:")))
        name.remove(0, 3);
    if (name.startsWith(kHideMark))
        name.remove(0, kHideMark.size());
    return name;
}

QString Product_List_Line(const QString& number, const QString& layout_name, const QString& display_name)
{
    const QString layout_column = store::Left_By_Bytes(layout_name + QString(20, QLatin1Char(' ')), 20);
    return number + QLatin1Char('|') + layout_column + QLatin1Char('|') + display_name;
}

QStringList Full_Product_List(const QString& data_folder)
{
    return List_Products(data_folder, [](QByteArrayView line) -> std::optional<QString> {
        store::Field_Array fields;
        store::Split_Tab_Fields(Decode_Leading_Fields(line, 4), 4, fields);
        return Product_List_Line(fields[1], fields[2], Full_List_Name(fields[3], fields[4]));
    });
}

QStringList Split_Search_Words(const QString& text)
{
    QStringList words;
    QString word;
    for (QChar c : text + QLatin1Char(' ')) {
        if (c == QLatin1Char(' ') || c == QChar(0x3000)) {
            words << word;
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

QStringList Search_Product_List(const QString& data_folder, const QString& search_text)
{
    // A word whose characters have one CP932 code each is found in the line's
    // bytes; the others in the decoded line, which only lines holding every
    // word of the first kind are decoded for.
    QStringList decoded_words;
    std::vector<QByteArray> byte_words;
    for (const QString& word : Split_Search_Words(search_text)) {
        if (word.isEmpty())
            continue;  // every line holds the empty word
        if (std::optional<QByteArray> bytes = store::Sole_Encoding(word))
            byte_words.push_back(std::move(*bytes));
        else
            decoded_words << word;
    }
    return List_Products(data_folder, [&](QByteArrayView line) -> std::optional<QString> {
        for (const QByteArray& word : byte_words)
            if (!store::Decoded_Contains(line, word))
                return std::nullopt;
        if (decoded_words.isEmpty())
            return Search_Result_Line(Decode_Leading_Fields(line, 3));
        const QString text = store::Decode_Cp932(line);
        for (const QString& word : decoded_words)
            if (!text.contains(word))
                return std::nullopt;
        return Search_Result_Line(text);
    });
}

}  // namespace products
