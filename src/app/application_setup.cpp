#include "app/application_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

bool Set_Up_Application(QApplication& application)
{
    QApplication::setFont(QFont(QStringLiteral("IPAGothic"), 10));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/paruberina.svg")));
    // Every text a person reads is Japanese, whatever the desktop's language.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

}  // namespace app
