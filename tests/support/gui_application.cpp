#include "support/gui_application.h"

#include <QGuiApplication>

namespace test_support {

void Ensure_Gui_Application()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

}  // namespace test_support
