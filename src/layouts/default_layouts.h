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

// Writes each standard layout whose file is missing or empty (store::Needs_Default_File),
// whole or not at all; files with content are left alone. Returns the errors of layouts that could not be created.
QStringList Ensure_Default_Layouts(const QString& data_folder);

}  // namespace layouts
