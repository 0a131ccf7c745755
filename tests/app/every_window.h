#pragma once
// Every window of the application, opened as the user opens it, for the tests
// that go through all of them: fitting the screen (window_fit_test) and
// conduct towards the keyboard and while waiting (window_conduct_test).
#include "support/screen_support.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace app_test {

// Opens the window in the session.
using Opener = std::function<QWidget*(screens::Session&)>;

struct Window_Opening {
    QString name;        // the object name the window goes by once open
    Opener open;         // opens and shows it
    bool asks;           // it asks and tells through the shared dialogs
    QString state = {};  // the state it is opened in, when not the first one

    // The test row and picture name: "Insatsu", "Insatsu_Reservation".
    QString Row() const { return state.isEmpty() ? name : name + QLatin1Char('_') + state; }
};

// The session every window is opened in: the default layouts, the Zebra
// printer configured, the data beside the program, its settings loaded.
std::unique_ptr<maintenance_test::Session_Fixture> Every_Window_Session();

// Each window once (the printing screen twice: also in reservation mode).
const std::vector<Window_Opening>& Every_Window();

// Adds the columns "open" (Opener), "name" (QString) and "asks" (bool) and
// one row a window, named by Row().
void Add_Every_Window_Rows();

}  // namespace app_test

Q_DECLARE_METATYPE(app_test::Opener)
