#pragma once
// The strings file 文字列情報_v2.tsv: one line per item category, the
// category key followed by five comma-separated strings ("<kanma>" for a comma).
#include "store/data_folder.h"

#include <QString>

#include <array>

namespace products {

constexpr int kStringsPerCategory = 5;
using Category_Strings = std::array<QString, kStringsPerCategory>;

// How a field is recognised as the category key: the enlarged input compares
// for equality, the strings editor accepts a field that begins with the key.
enum class Key_Match { Equal, Starts_With };

// The five strings of the category, "<kanma>" turned back into ","; all empty
// when the file cannot be read or holds no such key. The file is read as one
// sequence of fields cut at commas and line ends.
Category_Strings Read_Category_Strings(const QString& data_folder, const QString& key, Key_Match match);

// The stored line of a category: key and the five strings without control
// characters, "," and "，" written as "<kanma>".
QString Category_Line(const QString& key, const Category_Strings& strings);

// Replaces every line that begins with the key by the category's new line (or
// appends it), rewriting the file through 文字列情報_v2.tmp.
store::Outcome Register_Category_Strings(const QString& data_folder, const QString& key,
                                         const Category_Strings& strings);

}  // namespace products
