#include "products/product_record.h"

namespace products {

QString Format_Product_No(const QString& text)
{
    return store::Pad_Zero(text, 4);
}

QString Join_Product_Line(const Product_Record& record)
{
    QString line = Format_Product_No(record[Product_No]);
    for (int column = Layout_Name; column <= kColumns; ++column) {
        line += QLatin1Char('\t');
        line += store::Strip_Control_Chars(record[column]);
    }
    return line;
}

Product_Record Split_Product_Line(const QString& line)
{
    store::Field_Array fields;
    store::Split_Tab_Line(line, fields);
    Product_Record record;
    for (int column = 1; column <= kColumns; ++column)
        record[column] = fields[column];
    return record;
}

}  // namespace products
