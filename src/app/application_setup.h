#pragma once
// What every window of the application shares: the font, Qt's own texts in
// Japanese (file choosers, standard buttons) and the program's icon.
class QApplication;

namespace app {

// True when Qt's Japanese translations were found and installed.
bool Set_Up_Application(QApplication& application);

}  // namespace app
