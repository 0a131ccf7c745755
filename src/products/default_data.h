#pragma once
// Contents of the product file, the strings file and the word table of a new data folder.
#include <QString>
#include <QStringList>

namespace products {

inline const QString kStringsFileName = QStringLiteral("文字列情報_v2.tsv");
inline const QString kStringsTempName = QStringLiteral("文字列情報_v2.tmp");
inline const QString kWordTableFileName = QStringLiteral("単語テーブル_v2.tsv");
inline const QString kWordTableTempName = QStringLiteral("単語テーブル_v2.tmp");

QStringList Default_Product_File_Lines();
QStringList Default_Strings_Lines();     // the eleven category lines
QStringList Default_Word_Table_Lines();  // the 1040 "key<TAB>word" lines in file order

}  // namespace products
