#pragma once
// Making the configured printer (settings line 1) the application's current printer.
#include <QString>

namespace screens {

struct Session;

// Reads the session's user_v2.dat afresh and looks for an installed printer
// whose device name equals line 1 exactly; on success it becomes the session's
// current printer.
bool Select_Configured_Printer(Session& session);

// The message shown when the configured printer is not installed (three lines).
QString Printer_Missing_Message();

}  // namespace screens
