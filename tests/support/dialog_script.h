#pragma once
// Answers the shared dialogs (Kakunin, InputWindowA) and message boxes that
// screens open during a screen test, and records what they showed.
#include <QColor>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace screens {
class Kakunin;
}

namespace test_support {

// What a dialog showed.
struct Seen_Dialog {
    QString window;       // "Kakunin", "InputWindowA" or "QMessageBox"
    QStringList texts;    // Kakunin: the three lines; InputWindowA: caption, prompt, preset text; box: text, title
    QStringList buttons;  // captions of the visible buttons
    QColor colour;        // back colour (Kakunin)
    QString focused;      // caption of the button that had the focus (Kakunin)
};

// Answers every dialog that appears. Notices (one button) and message boxes are
// simply acknowledged; questions take the next scripted answer, "ok" or
// "cancel"; InputWindowA takes the next answer as the text to enter ("" keeps
// the preset text) or "cancel". Without a scripted answer, "cancel".
class Dialog_Script : public QObject {
public:
    Dialog_Script();
    std::deque<QString> answers;
    std::vector<Seen_Dialog> seen;
    // Runs once, on the next Kakunin as it appears, before it is answered:
    // what a user might do meanwhile.
    std::function<void(screens::Kakunin*)> meanwhile;
    QStringList First_Lines() const;    // line 1 (or line 3 when line 1 is empty) of every dialog
    QStringList Kakunin_Lines() const;  // "line 1/line 2" of every Kakunin window
    QList<QColor> Kakunin_Colours() const;

private:
    void Poll();
    QString Next_Answer();
    QTimer timer_;
};

}  // namespace test_support
