#include "maintenance/conversion.h"

#include "products/product_file.h"
#include "store/data_folder.h"
#include "store/text_helpers.h"

namespace maintenance {
namespace {

using products::Product_Record;

QString Without_Leading_Tag(const QString& text, const QString& tag)
{
    return text.startsWith(tag, Qt::CaseInsensitive) ? text.mid(tag.size()) : text;
}

// Caption lines of an old mark caption, split at its first "<r>".
std::pair<QString, QString> Split_Caption(const QString& caption)
{
    const qsizetype at = caption.indexOf(QStringLiteral("<r>"));
    if (at < 0)
        return {caption, {}};
    return {caption.left(at), caption.mid(at + 3)};
}

void Set_Mark(Product_Record& record, int mark_column, const QString& mark, const QString& caption)
{
    record[mark_column] = mark;
    const auto [first, second] = Split_Caption(caption);
    record[mark_column + 1] = first;
    record[mark_column + 2] = second;
}

void Convert_Marks(Product_Record& record, const QString& marks, const QString& caption1, const QString& caption2)
{
    const QString none = QStringLiteral("なし");
    const QString plastic = QStringLiteral("プラ");
    const QString paper = QStringLiteral("紙");
    QString first = none;
    QString second = none;
    if (marks == plastic || marks == paper) {
        first = marks;
    } else if (marks == QStringLiteral("紙＆プラ")) {
        first = paper;
        second = plastic;
    } else if (marks == QStringLiteral("プラ＆紙")) {
        first = plastic;
        second = paper;
    }
    Set_Mark(record, products::Recycle1_Mark, first, first == none ? QString() : caption1);
    Set_Mark(record, products::Recycle2_Mark, second, second == none ? QString() : caption2);
}

int Number_Of(const QString& line)
{
    return store::Lenient_Int(line.left(4));
}

}  // namespace

QString Old_Layout_Name(const QString& label_type, const QString& frame_pattern)
{
    const bool without_frame = frame_pattern == QStringLiteral("xxxxxxxxxxx");
    if (label_type == QStringLiteral("65×45(ヨコ)"))
        return without_frame ? QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ") : QStringLiteral("標準02 65x45 ﾖｺ");
    if (label_type == QStringLiteral("28×38"))
        return QStringLiteral("標準03 28x38 ﾜｸ無");
    if (label_type == QStringLiteral("65×45(タテ)") && without_frame)
        return QStringLiteral("標準01 65x45 ﾜｸ無");
    return QStringLiteral("標準01 65x45");
}

Product_Record Convert_Old_Record(const QString& old_line)
{
    store::Field_Array old;
    store::Split_Tab_Line(old_line, old);
    Product_Record record;
    record[products::Product_No] = old[1];
    record[products::Layout_Name] = Old_Layout_Name(old[21], old[22]);
    record[products::Product_Name] = Without_Leading_Tag(old[2], QStringLiteral("<w>"));
    record[products::Category_Name] = Without_Leading_Tag(old[3], QStringLiteral("<w>"));
    record[products::Ingredients] = store::Kanma_Henkan(old[4], 1);
    record[products::Contents] = old[5];
    record[products::Contents_Unit] = old[6];
    record[products::Date_Kind] = old[7];
    record[products::Date_Format] = Without_Leading_Tag(old[8], QStringLiteral("<b>"));
    for (int i = 0; i < 8; ++i)
        record[products::Date_Add_Days + i] = old[9 + i];
    record[products::Barcode] = old[17];
    Convert_Marks(record, old[18], old[19], old[20]);
    return record;
}

Old_File_Check Check_Old_File(const QString& path)
{
    if (path.isEmpty())
        return Old_File_Check::Unreadable;
    const store::Text_File file = store::Read_Text_Lines(path);
    if (!file.opened)
        return Old_File_Check::Unreadable;
    if (file.lines.isEmpty() || !file.lines.first().startsWith(QStringLiteral("1.08")))
        return Old_File_Check::Not_Old_File;
    return Old_File_Check::Old_File;
}

store::Write_Result Convert_Product_File(const QString& data_folder, const QString& old_path)
{
    if (old_path.isEmpty())
        return {QStringLiteral("コンバートする商品情報ファイルが指定されていません")};
    const store::Text_File old_file = store::Read_Text_Lines(old_path);
    if (!old_file.opened)
        return {old_file.error.isEmpty() ? QStringLiteral("%1 を読み込めません").arg(old_path) : old_file.error};
    if (old_file.lines.isEmpty() || !old_file.lines.first().startsWith(QStringLiteral("1.08")))
        return {QStringLiteral("%1 は Ver1.08 の商品情報ファイルではありません").arg(old_path)};

    QStringList converted;
    for (qsizetype i = 1; i < old_file.lines.size(); ++i) {
        if (!old_file.lines.at(i).isEmpty())
            converted << products::Join_Product_Line(Convert_Old_Record(old_file.lines.at(i)));
    }
    const auto merge = [&converted](const store::Text_File& current_file, QStringList& out) {
        out << (current_file.lines.isEmpty() ? products::kProductVersionLine : current_file.lines.first());
        QStringList current = current_file.lines.mid(1);
        current.removeAll(QString());
        qsizetype c = 0;
        qsizetype o = 0;
        while (c < current.size() || o < converted.size()) {
            if (c < current.size() && o < converted.size()) {
                const int current_no = Number_Of(current.at(c));
                const int converted_no = Number_Of(converted.at(o));
                if (current_no == converted_no) {
                    out << converted.at(o++);
                    ++c;
                } else if (current_no < converted_no) {
                    out << current.at(c++);
                } else {
                    out << converted.at(o++);
                }
            } else if (c < current.size()) {
                out << current.at(c++);
            } else {
                out << converted.at(o++);
            }
        }
        return true;
    };
    const store::Outcome result = store::Rewrite_Via_Temp(data_folder, products::kProductFileName,
                                                          products::kProductTempName, merge);
    if (result.kind == store::Outcome::Kind::Failed)
        return {result.Text()};
    return {};
}

}  // namespace maintenance
