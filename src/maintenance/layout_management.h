#pragma once
// Rules of the layout management screen: the layout list, the values of its
// entry fields as layout lines and back, saving, renaming, deleting and importing.
#include "layouts/layout_record.h"
#include "render/clock.h"
#include "store/answerer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

namespace maintenance {

inline const QString kNewLayoutEntry = QStringLiteral("新規登録レイアウト");
constexpr int kLayoutListCap = 1001;  // layout names the list holds at most
constexpr int kLayoutFields = 105;    // entry fields for lines 4..108
constexpr int kRuledRows = 32;        // style rows with a ruled flag (lines 109..140)

// The entry field (Text1 index) that holds a layout line, and back.
constexpr int Field_Of_Line(int line)
{
    return line - layouts::Label_Length;
}
constexpr int Line_Of_Field(int field)
{
    return layouts::Label_Length + field;
}

// What the screen's controls hold for one layout.
struct Layout_Fields {
    QString direction = QStringLiteral(" 0");  // " 0" or "90"
    std::array<QString, kLayoutFields> text;   // Text1(0..104) = lines 4..108
    std::array<int, kRuledRows> flags{};       // caption colours 16711680 / 192
    QString side1 = QStringLiteral("下");
    QString side2 = QStringLiteral("下");
    QString paper = QStringLiteral("0000");  // Text1(105) = line 143

    bool operator==(const Layout_Fields&) const = default;
};

// The fields of a new layout.
Layout_Fields New_Layout_Fields();

// The layout lines the fields give, exactly as saved (line 2 = name).
layouts::Layout_Record Compose_Layout(const Layout_Fields& fields, const QString& name);

// Applies the values of the screen's reader to the fields, stopping at the first
// value it cannot take (a flag that is not a number) or at the end of the values.
void Apply_Layout_Values(const QStringList& values, Layout_Fields& fields);

// "新規登録レイアウト", then at most 1001 layout names of the folder in the order of strSort.
QStringList Layout_List(const QString& data_folder);

// The eight standard layouts and "新規登録レイアウト" can be neither deleted nor renamed.
bool Is_Protected_Layout_Name(const QString& name);

// Control characters removed, "," and "，" as "<kanma>", and every character
// file names may not hold replaced by its full-width form ("a,b" -> "a＜kanma＞b").
QString Clean_Layout_Name(const QString& name);

// "作成ﾚｲｱｳﾄ24年03月05日14時07分09秒" for that moment.
QString Created_Layout_Name(const QDateTime& now);

// The preview product number typed in full- or half-width digits, as four digits.
QString Preview_Product_No(const QString& typed);

// "最大:幅Wpx×縦Hpx": the picture size the printer draws at the label's size.
QString Picture_Size_Hint(const QString& length, const QString& width, double vertical_ratio = 1.0);

struct Saved_Layout {
    store::Outcome outcome;
    QString name;          // empty when nothing was saved
    bool created = false;  // a new file (not an overwrite)
};

// Saves the fields under the name the user entered (cleaned; "新規登録レイアウト"
// becomes a dated name), asking before an existing layout is overwritten.
Saved_Layout Save_Layout(const QString& data_folder, const QString& entered_name, const Layout_Fields& fields,
                         store::Answerer& answerer, const render::Clock& clock);

// Refuses a protected name before the new name is asked for.
store::Outcome Can_Rename_Layout(const QString& name);

// Gives the layout a new name and every product that used it the new name.
// Line 2 of the file keeps the old name. The old file is removed only after the
// new file and the product file were written. Done when renamed.
store::Outcome Rename_Layout(const QString& data_folder, const QString& old_name, const QString& entered_name);

// Refuses protected names; asks, then removes the file. Done when deleted.
store::Outcome Delete_Layout(const QString& data_folder, const QString& name, store::Answerer& answerer);

// A dropped ".lay" file: asks, then copies it into the data folder under its own name
// without control characters (with the extension written ".lay"). Declined
// (silently) for another extension; fails when the file is missing or unreadable.
store::Outcome Import_Layout(const QString& data_folder, const QString& source_path, store::Answerer& answerer);

}  // namespace maintenance
