#pragma once
// Screen-test fixtures: a desktop and printers of the test's own, a session in
// temporary folders.
#include "platform/printer_platform.h"
#include "screens/common/session.h"
#include "support/dialog_script.h"
#include "support/fake_desktop.h"
#include "support/fake_printer_platform.h"
#include "support/temp_folder.h"

#include <QStringList>

namespace maintenance_test {

// Three installed printers with an A4 size each.
class Test_Printers : public test_support::Fake_Printer_Platform {
public:
    Test_Printers();
};

// An application folder and a desktop folder, wired into a session of the
// test's own that the windows under test are opened in.
struct Session_Fixture {
    test_support::Temp_Folder application;
    test_support::Temp_Folder desktop_folder;
    test_support::Fake_Desktop desktop;
    Test_Printers printers;
    screens::Session session;

    Session_Fixture();
    // Writes user_v2.dat with the fifteen lines (missing ones empty).
    void Write_Settings(const QStringList& lines) const;
    QStringList Settings_Lines() const;
};

using test_support::Dialog_Script;
using test_support::Seen_Dialog;

}  // namespace maintenance_test
