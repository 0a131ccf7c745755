#pragma once
// Small helpers shared by the product screens.
#include <QString>

class QWidget;

namespace products {

// The top-level window with this object name (hidden ones included), or null.
QWidget* Find_Window(const QString& name);

// The data folder of the running application.
QString Current_Data_Folder();

// Screen pixels for a distance in twips.
int Twips_To_Pixels(int twips);

}  // namespace products
