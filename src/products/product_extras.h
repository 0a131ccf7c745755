#pragma once
// What the program keeps about a product beyond the product file, which stays
// as the Windows version writes it: "商品追加情報_v2.tsv" in the data folder,
// read only by this program. CP932 with CR LF like every data file: the version
// line, a line naming the columns ("登録番号" first, then one name per field),
// then one line per product with its four-digit number. A field is found by its
// column's name, so a field added later (by a later version or another feature)
// lives beside the others; columns and lines this program does not know are
// kept as they are. Every change goes through the atomic rewrite.
#include "store/outcome.h"

#include <QString>

#include <map>
#include <optional>

namespace products {

inline const QString kProductExtrasFileName = QStringLiteral("商品追加情報_v2.tsv");
inline const QString kProductExtrasTempName = QStringLiteral("商品追加情報_v2.tmp");
inline const QString kProductExtrasVersionLine = QStringLiteral("2.00");
inline const QString kProductExtrasNumberColumn = QStringLiteral("登録番号");

// One product's fields by column name; a field without a value is not stored.
using Product_Extras = std::map<QString, QString>;

// The fields stored for the product (none when it has no line or the file does
// not exist). Nothing when the file cannot be read or is not of this form;
// `error` (when given) then says why.
std::optional<Product_Extras> Read_Product_Extras(const QString& data_folder, const QString& number,
                                                  QString* error = nullptr);

// Sets the given fields of the product (an empty value removes the field),
// keeping its other fields, other products and unknown columns; a column is
// added for a new field name and a line for a new product, in number order.
// Fails, changing nothing, on a damaged file, a value with a tab or line break
// or a character without a CP932 form.
store::Outcome Store_Product_Extras(const QString& data_folder, const QString& number, const Product_Extras& fields);

// Removes the product's line (nothing to do when it has none).
store::Outcome Delete_Product_Extras(const QString& data_folder, const QString& number);

// The package-area answer: whether the package's printable surface
// (表示可能面積) is about 150 cm² or less, which allows 5.5-point characters.
// Unanswered counts as larger: characters of 8 points are asked for.
inline const QString kPackageAreaField = QStringLiteral("表示可能面積");
inline const QString kSmallPackageArea = QStringLiteral("150cm2以下");
inline const QString kLargePackageArea = QStringLiteral("150cm2超");
bool Has_Small_Package(const Product_Extras& extras);

}  // namespace products
