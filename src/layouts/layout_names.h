#pragma once
// The names of the layouts in a data folder, as the layout lists show them.
#include <QStringList>

namespace layouts {

// Sorts in place, ascending, by exchange, with the case-insensitive text
// comparison of the user's locale.
void strSort(QStringList& names);

// Base names (without ".lay") of the data folder's layout files, sorted by strSort.
QStringList Sorted_Layout_Names(const QString& data_folder);

}  // namespace layouts
