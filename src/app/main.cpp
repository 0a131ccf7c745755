// The application: one main menu, started once per application folder.
#include "app/command_line.h"
#include "app/main_menu.h"
#include "screens/common/session.h"
#include "platform/desktop_platform.h"
#include "platform/qt_printer_platform.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    if (argc > 1)
        return app::Command_Line_Main(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("食品内容表示ソフトウェア ぱるべりな"));
    QApplication::setFont(QFont(QStringLiteral("IPAGothic"), 10));

    platform::System_Desktop desktop;
    app::Session& session = app::Current_Session();
    // The built-in PDF printer writes into "印刷データ" of the data folder in use.
    platform::Qt_Printer_Platform printers(
        [&session] { return session.Data_Folder() + platform::kPdf_Output_Folder_Name; });
    session.desktop = &desktop;
    session.printers = &printers;
    session.application_folder = desktop.Application_Folder();

    platform::Single_Instance instance(session.application_folder);
    if (!instance.Acquire()) {
        QMessageBox::information(nullptr, QString(), QStringLiteral("このソフトウェアを複数起動することはできません。"));
        return 0;
    }

    app::MainMenu menu;
    menu.Form_Load();
    menu.show();
    return application.exec();
}
