#include "products/product_file.h"

#include "store/data_folder.h"

namespace products {
namespace {

QString Version_Line_Of(const store::Text_File& file)
{
    return file.lines.isEmpty() ? kProductVersionLine : file.lines.first();
}

store::Outcome Write_Failure(const QString& reason)
{
    return store::Outcome::Failed({QStringLiteral("書き込み出来ません"), reason});
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
    const QStringList lines = Read_Product_Lines(data_folder);
    const QString last = lines.isEmpty() ? QString() : lines.last().left(4);
    return Format_Product_No(QString::number(store::Lenient_Number(last) + 1, 'f', 0));
}

std::optional<Product_Record> Find_Product(const QString& data_folder, const QString& number)
{
    const QString key = Format_Product_No(number);
    for (const QString& line : Read_Product_Lines(data_folder)) {
        if (line.left(4) == key)
            return Split_Product_Line(line);
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
    if (const QString bad = store::First_Unencodable(new_line); !bad.isEmpty())
        return Write_Failure(store::Unencodable_Message(bad));

    const store::Outcome result = store::Rewrite_Via_Temp(
        data_folder, kProductFileName, kProductTempName,
        [&](const store::Text_File& old_file, QStringList& out) {
            out << Version_Line_Of(old_file);
            bool placed = false;
            for (qsizetype i = 1; i < old_file.lines.size(); ++i) {
                const QString& line = old_file.lines.at(i);
                if (!placed && line.left(4) == key) {
                    if (!ui.Ask(QStringLiteral("No.") + key + QStringLiteral("を上書き保存します"),
                                QStringLiteral("よろしいですか？")))
                        return false;
                    out << new_line;
                    placed = true;
                } else if (placed || typed >= store::Lenient_Number(line.left(4))) {
                    out << line;
                } else {
                    out << new_line << line;
                    placed = true;
                }
            }
            if (!placed)
                out << new_line;
            return true;
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
    const store::Outcome result = store::Rewrite_Via_Temp(
        data_folder, kProductFileName, kProductTempName,
        [&](const store::Text_File& old_file, QStringList& out) {
            out << Version_Line_Of(old_file);
            for (qsizetype i = 1; i < old_file.lines.size(); ++i) {
                if (old_file.lines.at(i).left(4) != key)
                    out << old_file.lines.at(i);
            }
            return true;
        });
    if (result.kind == store::Outcome::Kind::Failed)
        return Write_Failure(result.Text());
    return store::Outcome::Done({QStringLiteral("削除しました")});
}

}  // namespace products
