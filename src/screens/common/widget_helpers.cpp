#include "screens/common/widget_helpers.h"

#include "screens/common/printer_check.h"
#include "screens/common/session.h"
#include "store/confirmation.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QThread>

#include <cstdlib>

namespace app {

bool Select_List_Item(QListWidget* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            list->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

bool Select_List_Item(QComboBox* combo, const QString& text)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            combo->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

bool Set_Dropdown_Width(QComboBox* combo, int pixels)
{
    QAbstractItemView* view = combo->view();
    if (!view || view->minimumWidth() == pixels)
        return false;
    const int old_width = view->minimumWidth();
    view->setMinimumWidth(pixels);
    return view->minimumWidth() != old_width;
}

void Centre_On_Screen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.x() + (area.width() - window->width()) / 2, area.y() + (area.height() - window->height()) / 2);
}

QLabel* Add_Ret_Code(QWidget* screen)
{
    auto* label = new QLabel(screen);
    label->setObjectName(QStringLiteral("Ret_Code"));
    label->hide();
    return label;
}

QWidget* Find_Window(const QString& screen_name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == screen_name)
            return top;
    return nullptr;
}

QLabel* Find_Ret_Code(const QString& screen_name)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == screen_name) {
            if (auto* label = top->findChild<QLabel*>(QStringLiteral("Ret_Code")))
                return label;
        }
    }
    return nullptr;
}

void Wait_For_Answer(QLabel* ret_code)
{
    QPointer<QLabel> guard(ret_code);
    while (guard && guard->text().isEmpty()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
}

void Require_Configured_Printer(store::Confirmation& ui)
{
    const Session& session = Current_Session();
    if (session.printers && Select_Configured_Printer(session.application_folder, *session.printers))
        return;
    ui.Show_Titled_Message_Box(Printer_Missing_Message(), QString());
    std::exit(0);
}

QString Array_Name(const QString& name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

}  // namespace app
