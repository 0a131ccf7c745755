#pragma once
// Small helpers shared by the product screens.
#include "screens/common/conventions.h"
#include "screens/common/widget_helpers.h"

#include <QString>

class QLabel;
class QWidget;

namespace products {

using app::Find_Window;  // the top-level window with that object name

using app::Current_Data_Folder;

// A bold heading line of a window.
QLabel* Heading_Label(const QString& text, QWidget* parent, int point_size = 13);

}  // namespace products
