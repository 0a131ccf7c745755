#pragma once
// Rules of the product registration items: new-product values, option lists,
// the addition-days text and the item separator.
#include "products/product_record.h"

#include <QString>
#include <QStringList>

namespace products {

// A new product's values (number and layout left empty).
Product_Record New_Product_Record();

// Option lists of the registration screen's drop-downs, in display order.
QStringList Unit_Options();
QStringList Date_Kind_Options();
QStringList Date_Format_Options();
QStringList Date_Elsewhere_Options();
QStringList Recycle_Mark_Options();

// The addition-days text as the box shows it after leaving: half-width, its
// leading number in single precision without sign ("３" -> "3", "-2" -> "2", "0.5" -> ".5").
QString Normalize_Add_Days(const QString& text);

// True when the item text ends with ":" or "：" (the title separator).
bool Ends_With_Separator(const QString& text);

// The text of an item whose value follows a caption ("保存方法:…") with a
// full-width "：" that ends the caption written as ":", the caption's colon on
// the label, as an input method types it: the first colon of the text, after
// at least one character of caption. One character for one; nothing else changes.
QString With_Caption_Colon(const QString& text);

enum class Delete_Key { Backspace, Delete };
// Whether the key would remove a ":" or "：": the selected text holds one, or,
// without a selection, the character before (Backspace) or after (Delete) the caret is one.
bool Removes_Item_Separator(const QString& text, int cursor, int selection_start, int selection_length, Delete_Key key);

}  // namespace products
