#include "products/product_file.h"

#include "products/product_extras.h"
#include "store/data_folder.h"

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

}  // namespace


QStringList Read_Product_Lines(const QString& data_folder)
{
    QStringList lines = store::Read_Text_Lines(data_folder + kProductFileName).lines;
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

QString Next_Product_No(const QString& data_folder)
{
    const store::Last_Line last = store::Read_Last_Line(data_folder + kProductFileName);
    const QString key = last.first ? QString() : Line_Key(last.bytes);
    return Format_Product_No(QString::number(store::Lenient_Number(key) + 1, 'f', 0));
}

std::optional<Product_Record> Find_Product(const QString& data_folder, const QString& number)
{
    const QString key = Format_Product_No(number);
    store::Line_Reader reader(data_folder + kProductFileName);
    QByteArrayView line;
    if (!reader.Next(line))
        return std::nullopt;  // not even the version line
    while (reader.Next(line)) {
        if (Line_Has_Key(line, key))
            return Split_Product_Line(store::Decode_Cp932(line));
    }
    return std::nullopt;
}

store::Outcome Store_Product(const QString& data_folder, Product_Record& record, store::Confirmation& ui)
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

    const store::Outcome result = store::Rewrite_Bytes_Via_Temp(
        data_folder, kProductFileName, kProductTempName,
        [&](const store::File_Bytes& old_file, store::Byte_Pieces& out) {
            const QList<QByteArrayView> lines = store::Split_Raw_Lines(old_file.bytes);
            out.Append_Line(lines.isEmpty() ? QByteArrayView(kVersionLineBytes) : lines.first());
            bool placed = false;
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QByteArrayView line = lines.at(i);
                if (!placed) {
                    const QString line_key = Line_Key(line);
                    if (line_key == key) {
                        if (!ui.Ask(QStringLiteral("No.") + key + QStringLiteral("を上書き保存します"),
                                    QStringLiteral("よろしいですか？")))
                            return store::Outcome::Declined();
                        // A line that reads as the new one keeps its own bytes.
                        out.Append_Line(store::Decode_Cp932(line) == new_line ? line : encoded.bytes);
                        placed = true;
                        continue;
                    }
                    if (typed < store::Lenient_Number(line_key)) {
                        out.Append_Line(encoded.bytes);
                        placed = true;
                    }
                }
                out.Append_Line(line);
            }
            if (!placed)
                out.Append_Line(encoded.bytes);
            return store::Outcome::Done();
        });
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
    const store::Outcome result = store::Rewrite_Bytes_Via_Temp(
        data_folder, kProductFileName, kProductTempName,
        [&](const store::File_Bytes& old_file, store::Byte_Pieces& out) {
            const QList<QByteArrayView> lines = store::Split_Raw_Lines(old_file.bytes);
            out.Append_Line(lines.isEmpty() ? QByteArrayView(kVersionLineBytes) : lines.first());
            for (qsizetype i = 1; i < lines.size(); ++i) {
                if (!Line_Has_Key(lines.at(i), key))
                    out.Append_Line(lines.at(i));
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

}  // namespace products
