#pragma once
// What an operation that writes did, and what the screen should tell the user
// about it. Core functions return it; screens tell it through their answerer.
#include <QString>
#include <QStringList>

namespace store {

struct Outcome {
    enum class Kind { Done, Declined, Failed };

    Kind kind = Kind::Done;
    QStringList lines;     // up to three message lines; none: nothing to tell
    bool warning = false;  // a done outcome shown as a warning (done, with a problem)

    bool Is_Done() const { return kind == Kind::Done; }
    // The message as one text, its lines joined by line breaks.
    QString Text() const { return lines.join(QLatin1Char('\n')); }

    static Outcome Done(QStringList lines = {}) { return {Kind::Done, std::move(lines), false}; }
    static Outcome Done_With_Problem(QStringList lines) { return {Kind::Done, std::move(lines), true}; }
    // The user said no; `lines` when the screen still says what did not happen.
    static Outcome Declined(QStringList lines = {}) { return {Kind::Declined, std::move(lines), true}; }
    static Outcome Failed(QStringList lines) { return {Kind::Failed, std::move(lines), true}; }
};

}  // namespace store
