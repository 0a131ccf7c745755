#pragma once
// Ends the application once a window's first frame has been painted: for
// measuring start-up to what the user sees. Used by the program and by the
// benchmark's hello-world alike, so both are measured to the same point.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace app {

class Quit_After_First_Frame : public QObject {
public:
    explicit Quit_After_First_Frame(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window is painted first, its children and the flush to the
        // screen follow in the same pass: the next turn of the event loop
        // comes after the whole frame.
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};

}  // namespace app
