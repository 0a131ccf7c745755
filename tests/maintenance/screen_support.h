#pragma once
// Screen-test fixtures: a desktop and printers of the test's own, a session in
// temporary folders, and a script that answers the dialogs the screens open.
#include "app/session.h"
#include "platform/printer_platform.h"
#include "support/fake_desktop.h"
#include "support/fake_printer_platform.h"
#include "support/temp_folder.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <memory>
#include <vector>

namespace maintenance_test {

// Three installed printers with an A4 size each.
class Test_Printers : public test_support::Fake_Printer_Platform {
public:
    Test_Printers();
};

// An application folder and a desktop folder, wired into the running session.
struct Session_Fixture {
    test_support::Temp_Folder application;
    test_support::Temp_Folder desktop_folder;
    test_support::Fake_Desktop desktop;
    Test_Printers printers;

    Session_Fixture();
    // Writes user_v2.dat with the fifteen lines (missing ones empty).
    void Write_Settings(const QStringList& lines) const;
    QStringList Settings_Lines() const;
};

// What a dialog showed.
struct Seen_Dialog {
    QString window;       // "Kakunin", "InputWindowA" or "QMessageBox"
    QStringList texts;    // Kakunin: the three lines; InputWindowA: caption, prompt, preset text; box: its text
    QStringList buttons;  // captions of the visible buttons
};

// Answers every dialog that appears. Notices (one button) and message boxes are
// simply acknowledged; questions take the next scripted answer, "ok" or
// "cancel"; InputWindowA takes the next answer as the text to enter ("" keeps
// the preset text) or "cancel". Without a scripted answer, "cancel".
class Dialog_Script : public QObject {
public:
    Dialog_Script();
    std::deque<QString> answers;
    std::vector<Seen_Dialog> seen;
    QStringList First_Lines() const;  // line 1 (or line 3 when line 1 is empty) of every dialog

private:
    void Poll();
    QString Next_Answer();
    QTimer timer_;
};

}  // namespace maintenance_test
