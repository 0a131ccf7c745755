#pragma once
// Take-over of the product file of version 1.08 ("商品情報.tsv"): each old
// record becomes a current product record, merged by number into the product file.
#include "products/product_record.h"
#include "store/cp932.h"

#include <QString>

namespace maintenance {

inline const QString kOldProductFileName = QStringLiteral("商品情報.tsv");

// The standard layout for an old label type and frame pattern; an unknown
// label type gets "標準01 65x45".
QString Old_Layout_Name(const QString& label_type, const QString& frame_pattern);

// One old record line as a current product record.
products::Product_Record Convert_Old_Record(const QString& old_line);

enum class Old_File_Check { Unreadable, Not_Old_File, Old_File };
// Whether the file can be read and its first line begins with "1.08".
Old_File_Check Check_Old_File(const QString& path);

// Merges every record of the old file into the product file of the data folder
// in number order, through the product file's temporary twin; a converted
// record replaces a current record of the same number. Empty lines are skipped.
// The error is set (and the product file unchanged) when the old file cannot be
// read or is not a 1.08 file, or when the product file cannot be written.
store::Write_Result Convert_Product_File(const QString& data_folder, const QString& old_path);

}  // namespace maintenance
