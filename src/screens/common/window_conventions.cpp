#include "screens/common/window_conventions.h"

#include "screens/common/dialogs.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

namespace screens {
namespace {

const char* const kKeepOpenOnEscape = "keepOpenOnEscape";

// A box whose value the wheel turns.
bool Turns_With_Wheel(const QObject* object)
{
    return qobject_cast<const QComboBox*>(object) || qobject_cast<const QAbstractSpinBox*>(object);
}

// Hands the wheel to the scroll area the box sits in; true when one took it.
bool Scroll_Window_Instead(QWidget* box, QWheelEvent* wheel)
{
    for (QWidget* w = box->parentWidget(); w; w = w->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(w);
        if (!area)
            continue;
        QWidget* viewport = area->viewport();
        const QPointF at = viewport->mapFromGlobal(wheel->globalPosition());
        QWheelEvent passed(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                           wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source());
        QCoreApplication::sendEvent(viewport, &passed);
        return true;
    }
    return false;
}

// The application-wide keyboard and wheel rules (see the header).
class Window_Conventions : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
            // A wheel over a box gives it no focus, so that the rule below applies.
            if (auto* widget = qobject_cast<QWidget*>(watched);
                widget && Turns_With_Wheel(widget) && widget->focusPolicy() == Qt::WheelFocus)
                widget->setFocusPolicy(Qt::StrongFocus);
            break;
        case QEvent::KeyPress:
            return Key_Pressed(qobject_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
        case QEvent::Wheel:
            if (auto* box = qobject_cast<QWidget*>(watched); box && Turns_With_Wheel(box) && !box->hasFocus()) {
                Scroll_Window_Instead(box, static_cast<QWheelEvent*>(event));
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool Key_Pressed(QWidget* receiver, QKeyEvent* key)
    {
        if (!receiver || key->isAutoRepeat())
            return false;
        if (auto* button = qobject_cast<QPushButton*>(receiver); button && Is_Enter_Key(key)) {
            if (button->isEnabled() && button->isVisible())
                button->click();
            return true;
        }
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            QWidget* window = receiver->window();
            if (qobject_cast<QDialog*>(window) || window->windowType() == Qt::Popup
                || window->property(kKeepOpenOnEscape).toBool() || !window->isVisible())
                return false;
            window->close();
            return true;
        }
        return false;
    }
};

// The focused button is drawn as the button Return presses.
void Mark_Focused_Button(QWidget* old_focus, QWidget* new_focus)
{
    for (QWidget* widget : {old_focus, new_focus}) {
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button && !qobject_cast<QDialog*>(button->window()))
            button->setDefault(widget == new_focus);
    }
}

void Install_Window_Conventions()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return;  // the command line opens no window
    application->installEventFilter(new Window_Conventions);
    QObject::connect(application, &QApplication::focusChanged, application, &Mark_Focused_Button);
}
// Every window of the application, from its start: the rules are installed as the application object is made.
Q_COREAPP_STARTUP_FUNCTION(Install_Window_Conventions)

// A window that takes the user's input while another waits for an answer.
bool Is_Answering_Window(const QWidget* window)
{
    return qobject_cast<const Answer_Dialog*>(window) || qobject_cast<const QDialog*>(window)
        || window->windowType() == Qt::Popup;
}

bool Is_User_Input(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool Is_Enter_Key(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool Is_Enter_Press(const QEvent* event)
{
    return event->type() == QEvent::KeyPress && Is_Enter_Key(static_cast<const QKeyEvent*>(event));
}

void Keep_Open_On_Escape(QWidget* window)
{
    window->setProperty(kKeepOpenOnEscape, true);
}

Answer_Wait::Answer_Wait(QWidget* waiting) : waiting_(waiting)
{
    QCoreApplication::instance()->installEventFilter(this);
}

Answer_Wait::~Answer_Wait()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (close_put_off_ && waiting_)
        QTimer::singleShot(0, waiting_.data(), &QWidget::close);
}

bool Answer_Wait::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == waiting_) {
        event->ignore();
        close_put_off_ = true;
        return true;
    }
    if (!Is_User_Input(event->type()))
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget && !Is_Answering_Window(widget->window());
}

}  // namespace screens
