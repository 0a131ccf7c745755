#pragma once
// The product file 商品情報_v2.tsv: a version line, then one product per line in
// ascending number order, each line starting with its four-digit number. The
// operations work on the file's bytes and decode only the lines they use; a
// rewrite copies every line it leaves alone with its bytes as read.
#include "products/product_record.h"
#include "store/answerer.h"

#include <QString>

#include <optional>

namespace products {

inline const QString kProductFileName = QStringLiteral("商品情報_v2.tsv");
inline const QString kProductTempName = QStringLiteral("商品情報_v2.tmp");
inline const QString kProductVersionLine = QStringLiteral("2.00");

// The same reads on the bytes of a whole product file, its lines cut as the
// file reads cut them.
QStringList Product_Lines_In(const QByteArray& file);
QString Next_Product_No_In(QByteArrayView file);
std::optional<Product_Record> Find_Product_In(QByteArrayView file, const QString& number);

// Why bytes are no product file (empty, binary, or no version line "2.00"
// first); empty for a product file.
QString Product_File_Problem(QByteArrayView bytes);

// Number after the last line's number ("0001" for an empty list; "0000" after 9999).
QString Next_Product_No(const QString& data_folder);

// The first record whose first four characters equal Format_Product_No(number).
std::optional<Product_Record> Find_Product(const QString& data_folder, const QString& number);

// Every record line of the file (the version line left out).
QStringList Read_Product_Lines(const QString& data_folder);

// Adds the record in number order, or replaces the first record with its number
// after the user agrees (asked through `answerer`). `record[Product_No]` is the number
// as typed and becomes its four-digit form. Done: "保存しました".
store::Outcome Store_Product(const QString& data_folder, Product_Record& record, store::Answerer& answerer);

// Removes every record with the number, and its line of the product extras
// file. Done: "削除しました"; failed when the product file could not be
// rewritten; done with the reason when only the extras could not.
store::Outcome Delete_Product(const QString& data_folder, const QString& number);

// Gives every record with one of the numbers the layout, keeping the bytes of
// every other line. Done: "変更しました" and how many products changed.
store::Outcome Change_Product_Layouts(const QString& data_folder, const QStringList& numbers, const QString& layout);

}  // namespace products
