#pragma once
// A confirmation double: answers questions from a script and records every request.
#include "store/answerer.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace test_support {

class Scripted_Answerer : public store::Answerer {
public:
    std::deque<bool> answers;  // answers to questions, in order; "いいえ" when the script runs out
    std::vector<store::Confirmation_Request> requests;
    QStringList message_boxes;
    QStringList message_box_titles;  // one per message box; empty when it had none of its own

    bool Show_Confirmation(const store::Confirmation_Request& request) override;
    void Show_Message_Box(const QString& text) override;
    void Show_Titled_Message_Box(const QString& text, const QString& title) override;

    // Tells the outcome as a screen does; true when it is done.
    bool Told_Done(const store::Outcome& outcome)
    {
        Tell(outcome);
        return outcome.Is_Done();
    }

    // First lines of the requests, in order.
    QStringList Lines1() const;
    // "line1/line2" of the requests, in order.
    QStringList Shown() const;
};

}  // namespace test_support
