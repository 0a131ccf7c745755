#pragma once
// The shared small windows: confirmation (Kakunin), one-line input
// (InputWindowA) and the paper-search progress window (WorkBar). None is
// modal: the caller waits until the dialog writes its answer into the caller's
// hidden "Ret_Code" label; the caller's name travels in the dialog's "Ret_Form".
#include "store/answerer.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace screens {

// The one list of window names that may open Kakunin and InputWindowA: the
// designed callers and every screen that has an answerer (a
// Screen_Answerer adds its screen's name as it is made), so that no
// window can ask in a name the dialogs do not know.
bool Is_Known_Caller(const QString& name);
QStringList Known_Callers();

// Base of the two answering dialogs: stays in front of the application's other
// windows until answered, and answers "cancel" when closed any other way.
class Answer_Dialog : public QWidget {
    Q_OBJECT
public:
    explicit Answer_Dialog(QWidget* parent = nullptr);
    QLabel* Ret_Form = nullptr;

protected:
    // Writes the answer into the caller's Ret_Code. An unknown caller is a
    // programming error: the application says so and ends.
    void Answer(const QString& answer);
    void closeEvent(QCloseEvent* event) override;

private:
    void Stay_In_Front();
};

class Kakunin : public Answer_Dialog {
    Q_OBJECT
public:
    explicit Kakunin(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    // Lines 1 and 2 in full when they were cut to 28 bytes, wrapped and selectable.
    QLabel* Details = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class InputWindowA : public Answer_Dialog {
    Q_OBJECT
public:
    explicit InputWindowA(QWidget* parent = nullptr);
    QLabel* Label1[2] = {};
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();
};

class WorkBar : public QWidget {
    Q_OBJECT
public:
    explicit WorkBar(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QWidget* Picture1 = nullptr;  // the caller draws the progress bar here
    void Set_Progress(double fraction);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double progress_ = 0.0;
};

// The answerer of one screen: shows Kakunin for that screen (named once, at
// construction) and waits for the answer in the screen's Ret_Code.
class Screen_Answerer : public store::Answerer {
public:
    explicit Screen_Answerer(QString screen_name);
    bool Show_Confirmation(const store::Confirmation_Request& request) override;
    void Show_Message_Box(const QString& text) override;
    void Show_Titled_Message_Box(const QString& text, const QString& title) override;
    void Show_Warning_Box(const QString& text, const QString& title) override;

private:
    QString screen_name_;
};

// Show_Confirmation with the nine designed arguments.
bool Show_Confirmation(const QString& line1, const QString& line2, const QString& line3, const QString& caller,
                       bool first_shown, bool second_shown, const QString& first_caption, const QString& second_caption,
                       std::uint32_t back_colour, bool second_focused = false);

// The Ret_Code label the dialogs answer a known caller in (made when the
// caller's window has none yet); null for an unknown caller or one with no window.
QLabel* Answer_Label(const QString& caller);

// The line as Kakunin shows it: cut to 26 bytes and "…" when wider than 28 bytes.
QString Confirmation_Line(const QString& line);

}  // namespace screens
