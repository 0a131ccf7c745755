#pragma once
// The eight standard layouts that every data folder gets at first start.
#include "layouts/layout_record.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace layouts {

struct Default_Layout {
    QString name;  // file base name
    Layout_Record record;
};

// The eight layouts in the order they are checked.
const std::vector<Default_Layout>& Default_Layouts();

// Layouts of this program's own for common roll sizes (not in the Windows
// version): on each, a product with every item filled and a barcode prints
// with nothing outside the label or over another part, quiet zones clear and
// characters of at least 5.5 points (8 on the larger label).
inline const QString kOwn_Layout_65x45 = QStringLiteral("ぱるべりな01 65x45");
inline const QString kOwn_Layout_70x80 = QStringLiteral("ぱるべりな02 70x80");
const std::vector<Default_Layout>& Own_Layouts();

// Writes each standard layout and each of Own_Layouts whose file is missing or
// empty (store::Needs_Default_File), whole or not at all; files with content
// are left alone. Returns the errors of layouts that could not be created.
QStringList Ensure_Default_Layouts(const QString& data_folder);

}  // namespace layouts
