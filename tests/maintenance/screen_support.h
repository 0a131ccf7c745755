#pragma once
// Screen-test fixtures: a desktop and printers of the test's own, a session in
// temporary folders, and a script that answers the dialogs the screens open.
#include "app/session.h"
#include "platform/desktop_platform.h"
#include "platform/printer_platform.h"
#include "support/temp_folder.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <memory>
#include <vector>

namespace maintenance_test {

class Test_Desktop : public platform::Desktop_Platform {
public:
    QString application_folder;
    QString desktop_folder;
    QString removable_root;
    std::vector<QUrl> opened;

    QString Application_Folder() const override { return application_folder; }
    QString Desktop_Folder() const override { return desktop_folder; }
    QString Removable_Drive_Root() const override { return removable_root; }
    int Screen_Pixels_Per_Inch() const override { return 96; }
    bool Open_Url(const QUrl& url) override
    {
        opened.push_back(url);
        return true;
    }
    QString User_Name() const override { return QStringLiteral("tester"); }
};

class Test_Printers : public platform::Printer_Platform {
public:
    QStringList names;
    QStringList Installed_Printers() const override { return names; }
};

// An application folder and a desktop folder, wired into the running session.
struct Session_Fixture {
    test_support::Temp_Folder application;
    test_support::Temp_Folder desktop_folder;
    Test_Desktop desktop;
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

// Answers every dialog that appears, in order: for Kakunin "ok" or "cancel"
// (a notice with one button is answered with that button whatever the script
// says), for InputWindowA the text to enter or "cancel" ("" keeps the preset
// text); message boxes are accepted. Without a scripted answer, "cancel".
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
