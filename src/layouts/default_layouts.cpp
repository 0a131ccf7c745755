#include "layouts/default_layouts.h"

#include "store/data_folder.h"

namespace layouts {
namespace {

constexpr int kCount = 8;  // layouts A..H

struct Heading {
    const char* tag;
    const char* name;
    const char* direction;
};

const Heading kHeadings[kCount] = {
    {"Ver2.00", "標準01 65x45", " 0"},      {"Ver2.00β", "標準01 65x45 ﾜｸ無", " 0"},
    {"Ver2.00", "標準02 65x45 ﾖｺ", "90"},   {"Ver2.00", "標準02 65x45 ﾜｸ無 ﾖｺ", "90"},
    {"Ver2.00", "標準03 28x38 ﾜｸ無", " 0"}, {"Ver2.00", "標準04 28x38 ﾊﾞｰｺｰﾄﾞ", " 0"},
    {"Ver2.00β", "標準05 70x80", " 0"},     {"Ver2.00", "標準06 90x50", "90"},
};

// Lines 4 to 34 of layouts A..H (line 8, the background picture, is empty in all).
const char* const kPositions[31][kCount] = {
    {"65", "65", "65", "65", "28", "28", "70", "90"},    // 4 Label_Length
    {"45", "45", "45", "45", "38", "38", "80", "50"},    // 5 Label_Width
    {"0", "0", "0", "0", "0", "0", "0", "0"},            // 6
    {"0", "0", "0", "0", "0", "0", "0", "0"},            // 7
    {"", "", "", "", "", "", "", ""},                    // 8 Background_Image
    {"1", "1", "2.5", "2.5", "1", "1", "1", "1"},        // 9 Main_Top
    {"2.5", "2.5", "1", "1", "2", "1", "3.5", "2.5"},    // 10 Main_Left
    {"42", "42", "52", "52", "36", "36", "44", "47"},    // 11 Main_Width
    {"54", "54", "3", "3", "8", "8", "52", "80"},        // 12 Barcode_Top
    {"2.5", "2.5", "55", "55", "6", "6", "52", "3.5"},   // 13 Barcode_Left
    {"7", "7", "7", "7", "12", "12", "7", "7"},          // 14 Barcode_Height
    {"54", "54", "29", "29", "21", "21", "62", "80"},    // 15 Recycle1_Top
    {"29", "29", "55", "55", "20", "20", "53", "30"},    // 16 Recycle1_Left
    {"6", "6", "6", "6", "6", "6", "6", "6"},            // 17
    {"6", "6", "6", "6", "6", "6", "6", "6"},            // 18
    {"54", "54", "37", "37", "21", "21", "62", "80"},    // 19 Recycle2_Top
    {"37", "37", "55", "55", "28", "28", "68", "39"},    // 20 Recycle2_Left
    {"6", "6", "6", "6", "6", "6", "6", "6"},            // 21
    {"6", "6", "6", "6", "6", "6", "6", "6"},            // 22
    {"38", "38", "2.5", "2.5", "0", "0", "4", "1"},      // 23 Nutrition_Top
    {"2.5", "2.5", "10", "10", "0", "0", "49.5", "51"},  // 24 Nutrition_Left
    {"32", "32", "40", "40", "99", "99", "29", "36"},    // 25 Nutrition_Width
    {"0", "0", "10", "10", "0", "0", "0", "67"},         // 26 Remarks1_Top
    {"0", "0", "30", "30", "0", "0", "0", "2.5"},        // 27 Remarks1_Left
    {"99", "99", "99", "99", "99", "99", "99", "47"},    // 28 Remarks1_Width
    {"0", "0", "5", "5", "0", "0", "0", "73"},           // 29 Remarks2_Top
    {"0", "0", "30", "30", "0", "0", "0", "2.5"},        // 30 Remarks2_Left
    {"99", "99", "99", "99", "99", "99", "99", "47"},    // 31 Remarks2_Width
    {"0", "0", "1", "1", "22", "22", "0", "0"},          // 32 Price_Top
    {"0", "0", "40", "40", "18", "18", "0", "0"},        // 33 Price_Left
    {"99", "99", "99", "99", "99", "99", "99", "99"},    // 34 Price_Width
};

struct Style_Exception {
    int layout;  // 0 = A
    int line;    // size line of the pair
    const char* size;
    const char* width;
};

const Style_Exception kStyleExceptions[] = {
    {0, 41, "8", "75"},    {1, 41, "8", "75"},                         // 原材料名 of A, B
    {2, 37, "8", "150"},   {3, 37, "8", "150"},  {6, 37, "8", "150"},  // 品名 of C, D, G
    {7, 37, "8", "150"},                                               // 品名 of H
    {4, 65, "5.5", "150"},                                             // 価格 of E
    {5, 39, "10", "75"},   {5, 65, "10", "150"},                       // 名称 and 価格 of F
};

// Caption styles 99..108, the same in every layout.
const char* const kCaptionStyles[10] = {"6", "75", "6", "75", "8", "100", "6", "75", "6", "75"};

bool Is_Ruled(int layout, int line)
{
    switch (layout) {
    case 0:
        return (line >= 109 && line <= 130) || (line >= 132 && line <= 140);
    case 2:
        return line >= 109 && line <= 124;
    case 6:
        return line == 121 || (line >= 125 && line <= 130);
    case 7:
        return line == 109 || (line >= 111 && line <= 120) || (line >= 125 && line <= 130);
    default:
        return false;
    }
}

const char* const kCaptionSides[kCount][2] = {
    {"下", "下"}, {"下", "下"}, {"下", "下"}, {"下", "下"}, {"右", "下"}, {"右", "下"}, {"右", "右"}, {"下", "下"},
};

Layout_Record Build(int layout)
{
    Layout_Record r;
    r[Format_Tag] = QString::fromUtf8(kHeadings[layout].tag);
    r[Saved_Name] = QString::fromUtf8(kHeadings[layout].name);
    r[Print_Direction] = QString::fromLatin1(kHeadings[layout].direction);
    for (int line = 4; line <= 34; ++line)
        r[line] = QString::fromLatin1(kPositions[line - 4][layout]);
    const bool small = layout == 4 || layout == 5;
    for (int line = First_Item_Style; line < First_Caption_Style; line += 2) {
        r[line] = small ? QStringLiteral("5.5") : QStringLiteral("8");
        r[line + 1] = QStringLiteral("100");
    }
    for (const Style_Exception& e : kStyleExceptions) {
        if (e.layout == layout) {
            r[e.line] = QString::fromLatin1(e.size);
            r[e.line + 1] = QString::fromLatin1(e.width);
        }
    }
    for (int i = 0; i < 10; ++i)
        r[First_Caption_Style + i] = QString::fromLatin1(kCaptionStyles[i]);
    for (int line = First_Ruled_Flag; line <= 140; ++line)
        r[line] = Format_Ruled_Flag(Is_Ruled(layout, line) ? kRuled : kPlain);
    r[Recycle1_Caption_Side] = QString::fromUtf8(kCaptionSides[layout][0]);
    r[Recycle2_Caption_Side] = QString::fromUtf8(kCaptionSides[layout][1]);
    for (int line = Layout_Paper_Number; line <= kLayoutLines; ++line)
        r[line] = QStringLiteral("0");
    return r;
}

// A layout of our own: the unframed 65x45 layout's styles with every item and
// nutrition row at `item_points`, and the positions given.
struct Own_Spec {
    const QString& name;
    const char* item_points;
    std::vector<std::pair<int, const char*>> positions;
};

Layout_Record Build_Own(const Own_Spec& spec)
{
    Layout_Record r = Build(1);
    r[Format_Tag] = QStringLiteral("Ver2.00");
    r[Saved_Name] = spec.name;
    for (int line = First_Item_Style; line < First_Caption_Style; line += 2) {
        r[line] = QString::fromLatin1(spec.item_points);
        r[line + 1] = QStringLiteral("100");
    }
    for (const auto& [line, value] : spec.positions)
        r[line] = QString::fromLatin1(value);
    return r;
}

const Own_Spec kOwnSpecs[] = {
    // 45 mm across, 65 mm down: the items, below them the nutrition table
    // beside the marks, the remarks, and the barcode with the price at its right.
    {kOwn_Layout_65x45,
     "5.5",
     {{Label_Length, "65"},   {Label_Width, "45"},     {Main_Top, "1"},         {Main_Left, "1.5"},
      {Main_Width, "42"},     {Nutrition_Top, "30.5"}, {Nutrition_Left, "1.5"}, {Nutrition_Width, "26"},
      {Recycle1_Top, "31"},   {Recycle1_Left, "30"},   {Recycle2_Top, "31"},    {Recycle2_Left, "38"},
      {Remarks1_Top, "48"},   {Remarks1_Left, "1.5"},  {Remarks1_Width, "42"},  {Remarks2_Top, "50.5"},
      {Remarks2_Left, "1.5"}, {Remarks2_Width, "42"},  {Barcode_Top, "54"},     {Barcode_Left, "4"},
      {Barcode_Height, "7"},  {Price_Top, "56"},       {Price_Left, "31"},      {Price_Width, "13"}}},
    // 80 mm across, 70 mm down: the items on the left over the remarks and the
    // price, on the right the nutrition table, the marks and the barcode.
    {kOwn_Layout_70x80,
     "8",
     {{Label_Length, "70"},   {Label_Width, "80"},    {Main_Top, "1"},        {Main_Left, "2"},
      {Main_Width, "46"},     {Nutrition_Top, "2"},   {Nutrition_Left, "50"}, {Nutrition_Width, "29"},
      {Recycle1_Top, "28"},   {Recycle1_Left, "52"},  {Recycle2_Top, "28"},   {Recycle2_Left, "62"},
      {Remarks1_Top, "50"},   {Remarks1_Left, "2"},   {Remarks1_Width, "46"}, {Remarks2_Top, "54"},
      {Remarks2_Left, "2"},   {Remarks2_Width, "46"}, {Barcode_Top, "55"},    {Barcode_Left, "52"},
      {Barcode_Height, "10"}, {Price_Top, "60"},      {Price_Left, "2"},      {Price_Width, "46"}}},
};

}  // namespace

const std::vector<Default_Layout>& Own_Layouts()
{
    static const std::vector<Default_Layout> layouts = [] {
        std::vector<Default_Layout> all;
        for (const Own_Spec& spec : kOwnSpecs)
            all.push_back({spec.name, Build_Own(spec)});
        return all;
    }();
    return layouts;
}

const std::vector<Default_Layout>& Default_Layouts()
{
    static const std::vector<Default_Layout> layouts = [] {
        std::vector<Default_Layout> all;
        for (int i = 0; i < kCount; ++i)
            all.push_back({QString::fromUtf8(kHeadings[i].name), Build(i)});
        return all;
    }();
    return layouts;
}

QStringList Ensure_Default_Layouts(const QString& data_folder)
{
    QStringList errors;
    std::vector<Default_Layout> all = Default_Layouts();
    all.insert(all.end(), Own_Layouts().begin(), Own_Layouts().end());
    for (const Default_Layout& layout : all) {
        const QString path = Layout_Path(data_folder, layout.name);
        if (!store::Needs_Default_File(path))
            continue;
        if (store::Write_Result written = Write_Layout(path, layout.record); !written.ok())
            errors << written.error;
    }
    return errors;
}

}  // namespace layouts
