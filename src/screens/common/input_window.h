#pragma once
// What the maintenance screens share: the one-line input window driven for a
// caller and opening a full screen in place of the caller.
#include <QString>

class QWidget;

namespace screens {

struct Input_Request {
    QString caption;
    QString prompt;
    QString field_label;
    QString ok_caption;
    QString cancel_caption;
    QString initial_text;
    bool select_all = false;
};

// Shows InputWindowA for the screen `caller` (which has a Ret_Code label) and
// waits for its answer: the entered text or "cancel".
QString Ask_For_Text(QWidget* caller, const Input_Request& request);

// Gives the control its designed name as object name and returns it.
template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Shows `screen` (deleted when closed) and hides `opener` until it closes.
void Open_In_Place_Of(QWidget* opener, QWidget* screen);

}  // namespace screens
