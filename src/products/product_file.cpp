#include "products/product_file.h"

#include "products/product_extras.h"
#include "store/data_folder.h"

#include <algorithm>

namespace products {
namespace {

store::Outcome Write_Failure(const QString& reason)
{
    return store::Outcome::Failed({QStringLiteral("書き込み出来ません"), reason});
}

const QByteArray kVersionLineBytes = kProductVersionLine.toLatin1();

// The first four bytes of the line when they are ASCII (each then one character), else nothing.
std::optional<QByteArrayView> Ascii_Key(QByteArrayView line)
{
    const QByteArrayView head = line.first(std::min<qsizetype>(line.size(), 4));
    for (char b : head)
        if (static_cast<unsigned char>(b) >= 0x80)
            return std::nullopt;
    return head;
}

// The line's first four characters: its number as the file keys it.
QString Line_Key(QByteArrayView line)
{
    const std::optional<QByteArrayView> ascii = Ascii_Key(line);
    return ascii ? QString::fromLatin1(*ascii) : store::Decode_Leading_Chars(line, 4);
}

bool Line_Has_Key(QByteArrayView line, const QString& key)
{
    const std::optional<QByteArrayView> ascii = Ascii_Key(line);
    if (!ascii)
        return Line_Key(line) == key;
    return QLatin1StringView(*ascii) == key;
}

// Where a record line stands to the number being stored (`key` its four-digit
// form, `typed` its value): the same number, a greater one, or neither.
enum class Line_Order { Same_Number, Greater_Number, Other };

Line_Order Order_Of(QByteArrayView line, const QString& key, double typed)
{
    // Four ASCII digits, as every stored record starts, are the key itself and
    // its value: compared as bytes, without building the key's text.
    const auto is_digit = [](char b) { return b >= '0' && b <= '9'; };
    if (line.size() >= 4 && std::all_of(line.begin(), line.begin() + 4, is_digit)) {
        if (QLatin1StringView(line.first(4)) == key)
            return Line_Order::Same_Number;
        const double number = ((line[0] - '0') * 10 + (line[1] - '0')) * 100 + (line[2] - '0') * 10 + (line[3] - '0');
        return typed < number ? Line_Order::Greater_Number : Line_Order::Other;
    }
    const QString line_key = Line_Key(line);
    if (line_key == key)
        return Line_Order::Same_Number;
    return typed < store::Lenient_Number(line_key) ? Line_Order::Greater_Number : Line_Order::Other;
}

// Where Store_Product puts its record line: before the first line with a greater
// number, or in place of the first line with its number once the user agreed.
struct Placement {
    QString key;
    double typed = 0;
    QString new_line;
    QByteArray new_bytes;
    bool overwrite_agreed = false;
    bool must_ask = false;  // set when a line with the number was found before the user agreed
};

// The version line the new file starts with: the old file's first line, or
// "2.00" for a file without lines.
void Copy_Version_Line(store::Line_Rewrite& file)
{
    QByteArrayView first;
    if (file.Next(first))
        file.Keep();
    else
        file.Add_Line(kVersionLineBytes);
}

store::Outcome Place_Record(Placement& placement, store::Line_Rewrite& file)
{
    Copy_Version_Line(file);
    bool placed = false;
    QByteArrayView line;
    while (file.Next(line)) {
        if (!placed) {
            const Line_Order order = Order_Of(line, placement.key, placement.typed);
            if (order == Line_Order::Same_Number) {
                if (!placement.overwrite_agreed) {
                    placement.must_ask = true;
                    return store::Outcome::Declined();
                }
                // A line that reads as the new one keeps its own bytes.
                if (store::Decode_Cp932(line) == placement.new_line)
                    file.Keep();
                else
                    file.Add_Line(placement.new_bytes);
                placed = true;
                continue;
            }
            if (order == Line_Order::Greater_Number) {
                file.Add_Line(placement.new_bytes);
                placed = true;
            }
        }
        file.Keep();
    }
    if (!placed)
        file.Add_Line(placement.new_bytes);
    return store::Outcome::Done();
}

// Whether Place_Record, on the file as it is now, meets a line with the number
// before the place where a new record would go: the line it replaces.
bool Replaces_A_Line(const QString& data_folder, const QString& key, double typed)
{
    store::Line_Reader reader(data_folder + kProductFileName);
    QByteArrayView line;
    if (!reader.Next(line))
        return false;  // not even the version line
    while (reader.Next(line)) {
        const Line_Order order = Order_Of(line, key, typed);
        if (order != Line_Order::Other)
            return order == Line_Order::Same_Number;
    }
    return false;
}

QStringList Without_Version_Line(QStringList lines)
{
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

// The number after the file's last line (`first`: the last line is the version line).
QString Number_After(QByteArrayView last, bool first)
{
    const QString key = first ? QString() : Line_Key(last);
    return Format_Product_No(QString::number(store::Lenient_Number(key) + 1, 'f', 0));
}

// The first record line after the version line whose key is `key`; `next`
// gives the lines in order.
template <typename Next_Line>
std::optional<Product_Record> First_With_Key(const QString& key, Next_Line next)
{
    QByteArrayView line;
    if (!next(line))
        return std::nullopt;  // not even the version line
    while (next(line)) {
        if (Line_Has_Key(line, key))
            return Split_Product_Line(store::Decode_Cp932(line));
    }
    return std::nullopt;
}

}  // namespace

QStringList Read_Product_Lines(const QString& data_folder)
{
    return Without_Version_Line(store::Read_Text_Lines(data_folder + kProductFileName).lines);
}

QStringList Product_Lines_In(const QByteArray& file)
{
    return Without_Version_Line(store::Split_Text_Lines(file).lines);
}

QString Next_Product_No(const QString& data_folder)
{
    const store::Last_Line last = store::Read_Last_Line(data_folder + kProductFileName);
    return Number_After(last.bytes, last.first);
}

QString Next_Product_No_In(QByteArrayView file)
{
    const QList<QByteArrayView> lines = store::Split_Raw_Lines(file);
    return Number_After(lines.isEmpty() ? QByteArrayView() : lines.last(), lines.size() <= 1);
}

std::optional<Product_Record> Find_Product(const QString& data_folder, const QString& number)
{
    store::Line_Reader reader(data_folder + kProductFileName);
    return First_With_Key(Format_Product_No(number), [&reader](QByteArrayView& line) { return reader.Next(line); });
}

std::optional<Product_Record> Find_Product_In(QByteArrayView file, const QString& number)
{
    const QList<QByteArrayView> lines = store::Split_Raw_Lines(file);
    qsizetype at = 0;
    return First_With_Key(Format_Product_No(number), [&lines, &at](QByteArrayView& line) {
        if (at >= lines.size())
            return false;
        line = lines.at(at++);
        return true;
    });
}

store::Outcome Store_Product(const QString& data_folder, Product_Record& record, store::Answerer& answerer)
{
    if (data_folder == QStringLiteral("/"))
        return Write_Failure(QStringLiteral("(保存先指定が異常です)"));
    const double typed = store::Lenient_Number(record[Product_No]);
    if (!(typed > 0))
        return Write_Failure(QStringLiteral("(登録番号が異常です)"));
    const QString key = Format_Product_No(record[Product_No]);
    record[Product_No] = key;
    const QString new_line = Join_Product_Line(record);
    const store::Encoded encoded = store::Encode_Cp932(new_line);
    if (!encoded.ok())
        return Write_Failure(store::Unencodable_Message(encoded.unencodable));

    // The file is read and written under its lock, and the user is never asked
    // while it is held (another copy would wait for the answer): the question
    // comes first when the number is there; a rewrite that finds the number
    // added by another copy meanwhile stops, asks, and reads the file again.
    Placement placement{key, typed, new_line, encoded.bytes};
    const auto agreed = [&] {
        return answerer.Ask_Focus_No(QStringLiteral("No.") + key + QStringLiteral("を上書き保存します"),
                                     QStringLiteral("よろしいですか？"));
    };
    if (Replaces_A_Line(data_folder, key, typed)) {
        if (!agreed())
            return store::Outcome::Declined();
        placement.overwrite_agreed = true;
    }
    const auto place = [&placement](store::Line_Rewrite& file) { return Place_Record(placement, file); };
    store::Outcome result = store::Rewrite_Lines_Via_Temp(data_folder, kProductFileName, kProductTempName, place);
    if (placement.must_ask) {
        if (!agreed())
            return store::Outcome::Declined();
        placement.overwrite_agreed = true;
        result = store::Rewrite_Lines_Via_Temp(data_folder, kProductFileName, kProductTempName, place);
    }
    switch (result.kind) {
    case store::Outcome::Kind::Declined:
        return result;
    case store::Outcome::Kind::Failed:
        return Write_Failure(result.Text());
    case store::Outcome::Kind::Done:
        break;
    }
    return store::Outcome::Done({QStringLiteral("保存しました")});
}

store::Outcome Delete_Product(const QString& data_folder, const QString& number)
{
    const QString key = Format_Product_No(number);
    const store::Outcome result = store::Rewrite_Lines_Via_Temp(data_folder, kProductFileName, kProductTempName,
                                                                [&key](store::Line_Rewrite& file) {
                                                                    Copy_Version_Line(file);
                                                                    QByteArrayView line;
                                                                    while (file.Next(line)) {
                                                                        if (!Line_Has_Key(line, key))
                                                                            file.Keep();
                                                                    }
                                                                    return store::Outcome::Done();
                                                                });
    if (result.kind == store::Outcome::Kind::Failed)
        return Write_Failure(result.Text());
    // What was kept about the product beside the product file goes with it, so
    // that a product registered later under this number does not inherit it.
    if (const store::Outcome extras = Delete_Product_Extras(data_folder, key); !extras.Is_Done())
        return store::Outcome::Done_With_Problem({QStringLiteral("削除しました"), extras.Text()});
    return store::Outcome::Done({QStringLiteral("削除しました")});
}

store::Outcome Change_Product_Layouts(const QString& data_folder, const QStringList& numbers, const QString& layout)
{
    if (const store::Encoded encoded = store::Encode_Cp932(layout); !encoded.ok())
        return Write_Failure(store::Unencodable_Message(encoded.unencodable));
    QStringList keys;
    for (const QString& number : numbers)
        keys << Format_Product_No(number);
    qsizetype changed = 0;
    const store::Outcome result =
        store::Rewrite_Lines_Via_Temp(data_folder, kProductFileName, kProductTempName, [&](store::Line_Rewrite& file) {
            changed = 0;
            Copy_Version_Line(file);
            QByteArrayView line;
            while (file.Next(line)) {
                if (!keys.contains(Line_Key(line))) {
                    file.Keep();
                    continue;
                }
                Product_Record record = Split_Product_Line(store::Decode_Cp932(line));
                if (record[Layout_Name] == layout) {
                    file.Keep();
                    continue;
                }
                record[Layout_Name] = layout;
                const store::Encoded encoded = store::Encode_Cp932(Join_Product_Line(record));
                if (!encoded.ok())
                    return store::Outcome::Failed({store::Unencodable_Message(encoded.unencodable)});
                file.Add_Line(encoded.bytes);
                ++changed;
            }
            return store::Outcome::Done();
        });
    if (result.kind == store::Outcome::Kind::Failed)
        return Write_Failure(result.Text());
    return store::Outcome::Done({QStringLiteral("変更しました"), QStringLiteral("%1件").arg(changed)});
}

QString Product_File_Problem(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("商品情報ファイルが空です");
    if (bytes.contains('\0'))
        return QStringLiteral("商品情報ファイルではありません (文字ではないデータを含んでいます)");
    const qsizetype end = bytes.indexOf('\n');
    QByteArrayView first = end < 0 ? bytes : bytes.first(end);
    if (first.endsWith('\r'))
        first.chop(1);
    if (first != kProductVersionLine.toLatin1())
        return QStringLiteral("商品情報ファイルではありません (1行目が版の行「%1」ではありません)")
            .arg(kProductVersionLine);
    return {};
}

}  // namespace products
