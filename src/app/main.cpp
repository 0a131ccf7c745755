// The application: one main menu, started once per application folder.
#include "app/application_setup.h"
#include "app/command_line.h"
#include "app/first_frame.h"
#include "app/main_menu.h"
#include "app/startup.h"
#include "platform/desktop_platform.h"
#include "platform/printer_module.h"
#include "platform/single_instance.h"
#include "screens/common/session.h"

#include <QApplication>
#include <QMessageBox>

#include <malloc.h>

int main(int argc, char* argv[])
{
    // QPdfWriter compresses every finished page through buffers of 16 MiB that
    // it allocates and frees page by page. glibc serves blocks that large with
    // mmap, so each label page would map them, fault their pages in and unmap
    // them again, which costs more than drawing the label. Below these
    // thresholds the heap keeps them between pages; only the pages written to
    // become resident.
    constexpr int kMmapThreshold = 32 * 1024 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    ::mallopt(M_TRIM_THRESHOLD, 2 * kMmapThreshold);
    if (argc > 1)
        return app::Command_Line_Main(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("paruberina"));
    QApplication::setApplicationDisplayName(QStringLiteral("食品内容表示ソフトウェア ぱるべりな"));
    app::Set_Up_Application(application);

    platform::System_Desktop desktop;
    screens::Session session;
    // The built-in PDF printer writes into "印刷データ" of the data folder in use.
    platform::System_Printers printers([&session] { return session.Data_Folder() + platform::kPdf_Output_Folder_Name; },
                                       platform::Module_Queues());
    session.desktop = &desktop;
    session.printers = &printers;
    const platform::Application_Place place = platform::This_Application_Place();
    session.application_folder = place.application_folder;
    session.program_folder = place.program_folder;

    platform::Single_Instance instance(place.lock_folder);
    if (const platform::Lock_Outcome lock = instance.Acquire(); lock != platform::Lock_Outcome::Acquired) {
        QMessageBox::information(nullptr, QString(), app::Lock_Refusal_Message(lock, place.lock_folder));
        return 0;
    }

    app::MainMenu menu(session);
    menu.Form_Load();
    // For measuring start-up: the program ends once the main menu's first frame is painted.
    if (qEnvironmentVariableIsSet("PARUBERINA_EXIT_WHEN_SHOWN"))
        new app::Quit_After_First_Frame(menu);
    menu.show();
    return application.exec();
}
