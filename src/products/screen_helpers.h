#pragma once
// Small helpers shared by the product screens.
#include <QString>

class QLabel;
class QWidget;

namespace products {

// The top-level window with this object name (hidden ones included), or null.
QWidget* Find_Window(const QString& name);

// The data folder of the running application.
QString Current_Data_Folder();

// A bold heading line of a window.
QLabel* Heading_Label(const QString& text, QWidget* parent, int point_size = 13);

// Screen pixels for a distance in twips.
int Twips_To_Pixels(int twips);

}  // namespace products
