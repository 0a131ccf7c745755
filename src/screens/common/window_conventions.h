#pragma once
// What every window of the application does with the keyboard and the mouse
// wheel, installed once for the whole application when it starts:
// - Return and keypad Enter press the focused button, as Space does, and the
//   focused button is drawn as the one they press;
// - Escape closes the window, as its close box does (dialogs answer "cancel"),
//   except where closing is not a way back (the main menu ends the program);
// - the wheel over a combo box or number spin box that does not have the focus
//   scrolls the window and never changes the value.
// And how a window that waits for an answer is kept whole until it comes.
#include <QObject>
#include <QPointer>

class QEvent;
class QKeyEvent;
class QWidget;

namespace screens {

// The key is Return or keypad Enter.
bool Is_Enter_Key(const QKeyEvent* key);
// The event is a key press of Return or keypad Enter.
bool Is_Enter_Press(const QEvent* event);

// Escape leaves this window open (its close is not a way back).
void Keep_Open_On_Escape(QWidget* window);

// While it lives, a window waits for an answer (a confirmation, a line of
// text, a message box): only the answering windows take the user's clicks,
// keys and wheel, so no window can be used or re-entered meanwhile, and
// closing the waiting window is put off until the wait ends, then done.
class Answer_Wait : public QObject {
public:
    explicit Answer_Wait(QWidget* waiting);
    ~Answer_Wait() override;
    Answer_Wait(const Answer_Wait&) = delete;
    Answer_Wait& operator=(const Answer_Wait&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> waiting_;
    bool close_put_off_ = false;
};

}  // namespace screens
