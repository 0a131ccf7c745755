#pragma once
// One product: 44 text fields addressed by name or by column number 1..44.
#include "store/text_helpers.h"

#include <QString>

#include <array>

namespace products {

enum Column : int {
    Product_No = 1,
    Layout_Name,
    Product_Name,
    Category_Name,
    Ingredients,
    Extra1,
    Extra2,
    Contents,
    Contents_Unit,
    Date_Kind,
    Date_Format,
    Date_Add_Days,
    Date_Elsewhere_Note,
    Storage,
    Extra3,
    Extra4,
    Responsible,
    Extra5,
    Remarks1,
    Remarks2,
    Price_Text,
    Barcode,
    Nutrition_Title,
    Energy,
    Protein,
    Fat,
    Carbohydrate,
    Salt_Equivalent,
    Nutrient_Extra1,  // .. Nutrient_Extra10 = 38
    Recycle1_Mark = 39,
    Recycle1_Text1,
    Recycle1_Text2,
    Recycle2_Mark,
    Recycle2_Text1,
    Recycle2_Text2,
};

constexpr int kColumns = 44;

struct Product_Record {
    std::array<QString, kColumns + 1> field;  // element n = column n; element 0 unused

    QString& operator[](int column) { return field[column]; }
    const QString& operator[](int column) const { return field[column]; }
};

// Pad_Zero with width 4: "7" -> "0007", "12.5" -> "0012", "" -> "0000".
QString Format_Product_No(const QString& text);

// The 44 fields joined by TABs: column 1 formatted, columns 2..44 without
// control characters (a tab or line break would split the record).
QString Join_Product_Line(const Product_Record& record);

// A record line split at its TABs (columns past 44 are ignored).
Product_Record Split_Product_Line(const QString& line);

using store::Kanma_Henkan;

}  // namespace products
