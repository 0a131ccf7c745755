#include "maintenance/layout_management.h"

#include "layouts/default_layouts.h"
#include "layouts/layout_names.h"
#include "products/product_file.h"
#include "store/data_folder.h"
#include "store/text_helpers.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace maintenance {
namespace {

constexpr int kBackgroundField = Field_Of_Line(layouts::Background_Image);

Saved_Layout Not_Saved(store::Outcome outcome)
{
    return {std::move(outcome), QString(), false};
}

bool Is_Whole_Number(const QString& text)
{
    bool ok = false;
    text.trimmed().toLongLong(&ok);
    return ok;
}

// Writes the file's lines, each with its bytes as read, to `path`.
store::Write_Result Copy_Lines_Atomically(const QString& path, const store::Text_File& file)
{
    QByteArray bytes;
    if (store::Write_Result encoded = store::Encode_Lines(file.lines, bytes, file); !encoded.ok())
        return encoded;
    return store::Replace_Bytes_Locked(path, bytes);
}

// The reason a layout cannot be written into the data folder: the folder, or
// its product file, is gone (a drive taken away). Empty when it is there.
QStringList Data_Folder_Gone(const QString& data_folder)
{
    if (QFileInfo::exists(data_folder + products::kProductFileName))
        return {};
    return store::Missing_File_Lines(data_folder, products::kProductFileName);
}

// Rewrites the product file with `new_name` as layout of every product that used `old_name`.
store::Write_Result Rename_Layout_In_Products(const QString& data_folder, const QString& old_name,
                                              const QString& new_name)
{
    const auto step = [&](const store::Text_File& old_file, QStringList& out) {
        out << (old_file.lines.isEmpty() ? products::kProductVersionLine : old_file.lines.first());
        for (qsizetype i = 1; i < old_file.lines.size(); ++i) {
            QStringList fields = old_file.lines.at(i).split(QLatin1Char('\t'));
            if (fields.size() > 1 && fields.at(1) == old_name)
                fields[1] = new_name;
            out << fields.join(QLatin1Char('\t'));
        }
        return true;
    };
    const store::Outcome result = store::Rewrite_Via_Temp(data_folder, products::kProductFileName,
                                                          products::kProductTempName, step);
    if (result.kind == store::Outcome::Kind::Failed)
        return {result.Text()};
    return {};
}

}  // namespace

Layout_Fields New_Layout_Fields()
{
    Layout_Fields fields;
    const auto set_line = [&fields](int line, const char* value) {
        fields.text[static_cast<size_t>(Field_Of_Line(line))] = QString::fromLatin1(value);
    };
    for (int line = Line_Of_Field(0); line < layouts::First_Item_Style; ++line)
        set_line(line, "0");
    set_line(layouts::Background_Image, "");
    set_line(layouts::Barcode_Height, "7");
    set_line(layouts::Main_Width, "40");
    set_line(layouts::Nutrition_Width, "40");
    for (int line : {layouts::Remarks1_Width, layouts::Remarks2_Width, layouts::Price_Width})
        set_line(line, "99");
    for (int line : {layouts::Recycle1_Height, layouts::Recycle2_Height})
        set_line(line, "6");
    for (int line : {layouts::Recycle1_Width, layouts::Recycle2_Width})
        set_line(line, "7");
    for (int line = layouts::First_Item_Style; line < layouts::First_Ruled_Flag; line += 2) {
        set_line(line, "8");
        set_line(line + 1, "100");
    }
    fields.flags.fill(layouts::kRuled);
    return fields;
}

layouts::Layout_Record Compose_Layout(const Layout_Fields& fields, const QString& name)
{
    layouts::Layout_Record record;
    record[layouts::Format_Tag] = QStringLiteral("Ver2.00");
    record[layouts::Saved_Name] = name;
    record[layouts::Print_Direction] = fields.direction;
    for (int i = 0; i < kLayoutFields; ++i) {
        const QString& text = fields.text[static_cast<size_t>(i)];
        record[Line_Of_Field(i)] = i == kBackgroundField ? layouts::Escape_Background_Name(text)
                                                         : layouts::Normalize_Layout_Number(text);
    }
    for (int i = 0; i < kRuledRows; ++i)
        record[layouts::First_Ruled_Flag + i] = layouts::Format_Ruled_Flag(fields.flags[static_cast<size_t>(i)]);
    record[layouts::Recycle1_Caption_Side] = fields.side1;
    record[layouts::Recycle2_Caption_Side] = fields.side2;
    record[layouts::Layout_Paper_Number] = layouts::Format_Paper_Number(fields.paper);
    for (int line = layouts::Layout_Paper_Number + 1; line <= layouts::kLayoutLines; ++line)
        record[line] = QStringLiteral("0");
    return record;
}

void Apply_Layout_Values(const QStringList& values, Layout_Fields& fields)
{
    const auto value = [&values](int line) { return values.at(line - 1); };
    if (values.size() < layouts::Print_Direction)
        return;
    const double direction = store::Lenient_Number(value(layouts::Print_Direction));
    if (direction == 0)
        fields.direction = QStringLiteral(" 0");
    else if (direction == 90)
        fields.direction = QStringLiteral("90");
    for (int i = 0; i < kLayoutFields; ++i) {
        const int line = Line_Of_Field(i);
        if (values.size() < line)
            return;
        fields.text[static_cast<size_t>(i)] = i == kBackgroundField ? layouts::Escape_Background_Name(value(line))
                                                                    : layouts::Normalize_Layout_Number(value(line));
    }
    for (int i = 0; i < kRuledRows; ++i) {
        const int line = layouts::First_Ruled_Flag + i;
        if (values.size() < line || !Is_Whole_Number(value(line)))
            return;
        fields.flags[static_cast<size_t>(i)] = store::Lenient_Int(value(line));
    }
    for (auto [line, side] : {std::pair{int(layouts::Recycle1_Caption_Side), &fields.side1},
                              std::pair{int(layouts::Recycle2_Caption_Side), &fields.side2}}) {
        if (values.size() < line)
            return;
        if (value(line) == QStringLiteral("下") || value(line) == QStringLiteral("右"))
            *side = value(line);
    }
    if (values.size() < layouts::Layout_Paper_Number)
        return;
    const QString paper = value(layouts::Layout_Paper_Number);
    fields.paper = store::Lenient_Number(paper) != 0 ? layouts::Format_Paper_Number(paper) : QStringLiteral("0000");
}

QStringList Layout_List(const QString& data_folder)
{
    QStringList names = layouts::Sorted_Layout_Names(data_folder);
    if (names.size() > kLayoutListCap)
        names = names.mid(0, kLayoutListCap);
    names.prepend(kNewLayoutEntry);
    return names;
}

bool Is_Protected_Layout_Name(const QString& name)
{
    if (name == kNewLayoutEntry)
        return true;
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts()) {
        if (layout.name == name)
            return true;
    }
    return false;
}

QString Clean_Layout_Name(const QString& name)
{
    return store::Make_Safe_File_Name(store::Kanma_Henkan(store::Strip_Control_Chars(name), 0));
}

QString Created_Layout_Name(const QDateTime& now)
{
    return QStringLiteral("作成ﾚｲｱｳﾄ") + now.toString(QStringLiteral("yy年MM月dd日hh時mm分ss秒"));
}

QString Preview_Product_No(const QString& typed)
{
    QString digits = typed;
    for (QChar& c : digits) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    }
    return products::Format_Product_No(digits);
}

QString Picture_Size_Hint(const QString& length, const QString& width, double vertical_ratio)
{
    constexpr double kTwipsPerMillimetre = 56.748768;
    const auto pixels = [](double value) { return QString::number(static_cast<long long>(std::floor(value))); };
    return QStringLiteral("最大:幅") + pixels(store::Lenient_Number(width) * kTwipsPerMillimetre)
        + QStringLiteral("px×縦") + pixels(store::Lenient_Number(length) * kTwipsPerMillimetre * vertical_ratio)
        + QStringLiteral("px");
}

Saved_Layout Save_Layout(const QString& data_folder, const QString& entered_name, const Layout_Fields& fields,
                         store::Answerer& answerer, const render::Clock& clock)
{
    QString name = Clean_Layout_Name(entered_name);
    if (name == kNewLayoutEntry)
        name = Created_Layout_Name(clock());
    if (name.isEmpty())
        return Not_Saved(
            store::Outcome::Failed({QStringLiteral("保存しませんでした"), QStringLiteral("レイアウト名がありません")}));
    if (const QStringList gone = Data_Folder_Gone(data_folder); !gone.isEmpty())
        return Not_Saved(store::Outcome::Failed(QStringList{QStringLiteral("保存出来ませんでした")} + gone));
    const QString path = layouts::Layout_Path(data_folder, name);
    const bool exists = QFileInfo::exists(path);
    if (exists
        && !answerer.Ask(QStringLiteral("同じ名前のレイアウトが存在"), QStringLiteral("します。上書きしますか？　")))
        return Not_Saved(store::Outcome::Declined({QStringLiteral("保存しませんでした")}));
    if (store::Write_Result written = layouts::Write_Layout(path, Compose_Layout(fields, name)); !written.ok())
        return Not_Saved(store::Outcome::Failed({QStringLiteral("保存出来ませんでした"), name, written.error}));
    return {store::Outcome::Done({exists ? QStringLiteral("上書き保存しました") : QStringLiteral("保存しました")}),
            name, !exists};
}

store::Outcome Can_Rename_Layout(const QString& name)
{
    if (!Is_Protected_Layout_Name(name))
        return store::Outcome::Done();
    return store::Outcome::Failed({QStringLiteral("このレイアウト名は"), QStringLiteral("変更出来ません")});
}

store::Outcome Rename_Layout(const QString& data_folder, const QString& old_name, const QString& entered_name)
{
    if (store::Outcome allowed = Can_Rename_Layout(old_name); !allowed.Is_Done())
        return allowed;
    const QString new_name = Clean_Layout_Name(entered_name);
    const QString new_path = layouts::Layout_Path(data_folder, new_name);
    if (new_name.isEmpty() || new_name == kNewLayoutEntry || QFileInfo::exists(new_path))
        return store::Outcome::Failed(
            {QStringLiteral("入力した名称は既に存在します"), QStringLiteral("名称は変更出来ませんでした　")});
    const QString not_renamed = QStringLiteral("名称は変更出来ませんでした　");
    const QString old_path = layouts::Layout_Path(data_folder, old_name);
    const store::Text_File old_file = store::Read_Text_Lines(old_path);
    if (!old_file.opened)
        return store::Outcome::Failed(
            {not_renamed, old_name,
             old_file.error.isEmpty() ? QStringLiteral("レイアウトを開けません") : old_file.error});
    if (store::Write_Result copied = Copy_Lines_Atomically(new_path, old_file); !copied.ok())
        return store::Outcome::Failed({not_renamed, new_name, copied.error});
    if (store::Write_Result updated = Rename_Layout_In_Products(data_folder, old_name, new_name); !updated.ok()) {
        QFile::remove(new_path);
        return store::Outcome::Failed({not_renamed, products::kProductFileName, updated.error});
    }
    QFile old(old_path);
    if (!old.remove())
        return store::Outcome::Done_With_Problem(
            {QStringLiteral("元のレイアウトを削除出来ません"), old_name, old.errorString()});
    return store::Outcome::Done({QStringLiteral("変更しました")});
}

store::Outcome Delete_Layout(const QString& data_folder, const QString& name, store::Answerer& answerer)
{
    if (Is_Protected_Layout_Name(name))
        return store::Outcome::Failed({QStringLiteral("このレイアウトは"), QStringLiteral("削除出来ません")});
    if (!answerer.Ask(name, QStringLiteral("を削除してもいいですか？")))
        return store::Outcome::Declined();
    QFile file(layouts::Layout_Path(data_folder, name));
    if (!file.remove())
        return store::Outcome::Failed({QStringLiteral("削除出来ませんでした"), name, file.errorString()});
    return store::Outcome::Done({QStringLiteral("削除しました")});
}

store::Outcome Import_Layout(const QString& data_folder, const QString& source_path, store::Answerer& answerer)
{
    const QFileInfo source(source_path);
    if (source.suffix().compare(QStringLiteral("lay"), Qt::CaseInsensitive) != 0)
        return store::Outcome::Declined();
    if (!answerer.Ask(source.fileName(), QStringLiteral("を登録してもいいですか？")))
        return store::Outcome::Declined();
    const QString not_registered = QStringLiteral("登録出来ませんでした");
    if (!source.isFile())
        return store::Outcome::Failed({not_registered, source.fileName(), QStringLiteral("ファイルがありません")});
    // Stored with the extension the layout list and the readers look for, and
    // without control characters: a tab or line break in a layout name would
    // split the lines of the product file that names it.
    const QString name = store::Strip_Control_Chars(source.completeBaseName());
    if (name.isEmpty())
        return store::Outcome::Failed({not_registered, source.fileName(), QStringLiteral("レイアウト名がありません")});
    if (const QStringList gone = Data_Folder_Gone(data_folder); !gone.isEmpty())
        return store::Outcome::Failed(QStringList{not_registered} + gone);
    const QString target = layouts::Layout_Path(data_folder, name);
    if (source.canonicalFilePath() != QFileInfo(target).canonicalFilePath()) {
        QFile file(source_path);
        const bool opened = file.open(QIODevice::ReadOnly);
        const QByteArray bytes = opened ? file.readAll() : QByteArray();
        if (!opened || file.error() != QFileDevice::NoError)
            return store::Outcome::Failed({not_registered, source.fileName(), file.errorString()});
        if (store::Write_Result copied = store::Replace_Bytes_Locked(target, bytes); !copied.ok())
            return store::Outcome::Failed({not_registered, source.fileName(), copied.error});
    }
    return store::Outcome::Done({QStringLiteral("登録しました")});
}

}  // namespace maintenance
