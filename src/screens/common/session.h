#pragma once
// What the running application shares between its screens: the platform, the
// application folder, the removable drive, the settings read from user_v2.dat,
// the clock and the composition tables read so far. The program makes one at start-up and hands it to the main
// menu, which hands it to every window it opens (tests make their own).
#include "platform/desktop_platform.h"
#include "platform/printer_platform.h"
#include "recipes/food_table.h"
#include "render/clock.h"
#include "store/data_folder.h"
#include "store/settings.h"

namespace screens {

inline const QString kProgramTitle = QStringLiteral("食品内容表示ソフトウェア ぱるべりな Ver2.04a");

struct Session {
    platform::Desktop_Platform* desktop = nullptr;
    platform::Printer_Finder* printers = nullptr;
    QString application_folder;    // no trailing "/"
    QString program_folder;        // the executable's folder (help, shipped pictures); no trailing "/"
    QString removable_drive_root;  // Removable_Drive_Root
    store::Settings_Record settings;
    QString current_printer;  // device name made current by Select_Configured_Printer
    render::Clock clock = render::System_Clock();
    recipes::Food_Tables food_tables;  // composition tables read so far

    store::Folder_Context Folder_Context() const;
    // The data folder resolved from the current settings, ending in "/"; an
    // unknown location gives the application folder (the current directory).
    QString Data_Folder() const;
    void Load_Settings();
    void Refresh_Removable_Drive_Root();
};

}  // namespace screens
