#pragma once
// A label layout: the 152 lines of a ".lay" file, addressed by line number.
#include "store/cp932.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace layouts {

constexpr int kLayoutLines = 152;     // lines of a complete file
constexpr int kLayoutCapacity = 200;  // lines a record holds; missing lines read as ""

// Line numbers used by name.
enum Line : int {
    Format_Tag = 1,
    Saved_Name = 2,
    Print_Direction = 3,
    Label_Length = 4,
    Label_Width = 5,
    Correction_Vertical = 6,
    Correction_Horizontal = 7,
    Background_Image = 8,
    Main_Top = 9,
    Main_Left = 10,
    Main_Width = 11,
    Barcode_Top = 12,
    Barcode_Left = 13,
    Barcode_Height = 14,
    Recycle1_Top = 15,
    Recycle1_Left = 16,
    Recycle1_Height = 17,
    Recycle1_Width = 18,
    Recycle2_Top = 19,
    Recycle2_Left = 20,
    Recycle2_Height = 21,
    Recycle2_Width = 22,
    Nutrition_Top = 23,
    Nutrition_Left = 24,
    Nutrition_Width = 25,
    Remarks1_Top = 26,
    Remarks1_Left = 27,
    Remarks1_Width = 28,
    Remarks2_Top = 29,
    Remarks2_Left = 30,
    Remarks2_Width = 31,
    Price_Top = 32,
    Price_Left = 33,
    Price_Width = 34,
    First_Item_Style = 35,       // 16 item (size, width) pairs 35..66
    First_Nutrition_Style = 67,  // 16 nutrition pairs 67..98
    First_Caption_Style = 99,    // 5 caption pairs 99..108
    First_Ruled_Flag = 109,      // 32 flags 109..140
    Recycle1_Caption_Side = 141,
    Recycle2_Caption_Side = 142,
    Layout_Paper_Number = 143,
};

// Rows of the item style table, each with a (size, width) pair and a ruled flag.
enum Item_Row : int {
    Caption_Row,  // 項目名
    Product_Name_Row,
    Category_Row,
    Ingredients_Row,
    Extra1_Row,
    Extra2_Row,
    Contents_Row,
    Extra3_Row,
    Date_Row,
    Storage_Row,
    Extra4_Row,
    Responsible_Row,
    Extra5_Row,
    Remarks1_Row,
    Remarks2_Row,
    Price_Row,
};
// Rows of the nutrition style table: the title, then 熱量 .. 食塩相当量 and 成分追加１..10.
constexpr int kNutritionTitleRow = 0;
// Rows of the other captions' style table.
enum Caption_Row : int {
    Recycle1_Caption1_Row,
    Recycle2_Caption1_Row,
    Barcode_Caption_Row,
    Recycle1_Caption2_Row,
    Recycle2_Caption2_Row,
};
constexpr int kStyleRows = 16;  // rows of the item table and of the nutrition table

// The size line of a style row; its width line follows it.
constexpr int Item_Size_Line(int row)
{
    return First_Item_Style + 2 * row;
}
constexpr int Nutrition_Size_Line(int row)
{
    return First_Nutrition_Style + 2 * row;
}
constexpr int Caption_Size_Line(int row)
{
    return First_Caption_Style + 2 * row;
}
// The ruled flag line of an item row and of a nutrition row.
constexpr int Item_Flag_Line(int row)
{
    return First_Ruled_Flag + row;
}
constexpr int Nutrition_Flag_Line(int row)
{
    return First_Ruled_Flag + kStyleRows + row;
}

constexpr double kMaxLabelMm = 1000;     // no label is a metre long
constexpr double kMaxStyleValue = 1000;  // points of a type size, percent of a character width

constexpr int kRuled = 16711680;  // blue caption: the item is drawn ruled
constexpr int kPlain = 192;       // dark red caption: plain item

struct Layout_Record {
    std::array<QString, kLayoutCapacity + 1> line;  // element n = line n; element 0 unused

    QString& operator[](int n) { return line[n]; }
    const QString& operator[](int n) const { return line[n]; }
    // Line n read leniently as a number (0 when it holds none), held to what it
    // can mean on a label: positions and sizes within ±kMaxLabelMm, type sizes
    // and widths within 0..kMaxStyleValue, the paper number within 0..9999.
    double Number(int n) const;
};

QString Layout_Path(const QString& data_folder, const QString& name);

// Lines 1, 2, 3 ... of the file; lines past the record's capacity are ignored.
// Nothing when the file cannot be opened.
std::optional<Layout_Record> Read_Layout(const QString& data_folder, const QString& name);

// Writes lines 1..152, each with CR LF, replacing an existing file atomically:
// a failed write leaves the old file as it was.
store::Write_Result Write_Layout(const QString& path, const Layout_Record& record);

// The layout screen's reader: the file's values split at line ends and at
// commas (values[0] is line 1). Nothing when the file cannot be opened.
std::optional<QStringList> Read_Layout_Values(const QString& path);

// Number text as the layout screen writes it: single precision, at most 7
// significant digits, no leading zero before the point (".5"), no trailing zeros.
QString Normalize_Layout_Number(const QString& text);
// Background picture name as stored: control characters removed, "," and "，" as "<kanma>".
QString Escape_Background_Name(const QString& text);
// Paper number as four digits: last four characters of "0000" + normalised number.
QString Format_Paper_Number(const QString& text);
// Ruled flag line: signed whole number with a leading and a trailing blank (" 192 ").
QString Format_Ruled_Flag(int colour);

}  // namespace layouts
