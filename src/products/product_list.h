#pragma once
// The lines of the product list: "number|layout column|display name", and the search.
#include <QString>
#include <QStringList>

namespace products {

// Display name of the full list: 品名 (名称 when empty), the text after the
// first "<m>", then the text after the first ":" or "：".
QString Full_List_Name(const QString& product_name, const QString& category_name);
// Display name of a search result: 品名 without a leading "品名:", then without a leading "<m>".
QString Search_Result_Name(const QString& product_name);

// Number, "|", the layout name padded with blanks and cut to 20 bytes, "|", the name.
QString Product_List_Line(const QString& number, const QString& layout_name, const QString& display_name);

// Every product of the file with its full-list name, in file order.
QStringList Full_Product_List(const QString& data_folder);

// The search words: the text cut at every ASCII and ideographic space, with
// the empty word after the last space dropped (two spaces in a row give an
// empty word, which every line contains). All words are used.
QStringList Split_Search_Words(const QString& text);

// The products whose line contains every word, with the search-result name;
// an empty search text lists every product with that name.
QStringList Search_Product_List(const QString& data_folder, const QString& search_text);

}  // namespace products
