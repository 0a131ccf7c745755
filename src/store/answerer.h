#pragma once
// How core code asks the user a question without opening a window itself: the
// screen (or a test) passes an implementation of this interface in. The screen's
// implementation knows which window asks; core code never names a window.
#include "store/outcome.h"

#include <QString>

#include <cstdint>

namespace store {

// Colour numbers (red + 256 * green + 65536 * blue) of the confirmation window.
constexpr std::uint32_t kWarningColour = 12640511;      // light orange: notices, errors, questions
constexpr std::uint32_t kInformationColour = 13434828;  // light green: completed actions

struct Confirmation_Request {
    QString line1;
    QString line2;
    QString line3;
    bool first_shown = false;
    bool second_shown = true;
    QString first_caption;
    QString second_caption;
    std::uint32_t back_colour = kWarningColour;
    // The window opens with the second button focused, so that Return or
    // Space does not answer "はい" to a question whose yes loses data.
    bool second_focused = false;
};

class Answerer {
public:
    virtual ~Answerer() = default;
    // The nine-argument confirmation window; true when the answer is "ok".
    virtual bool Show_Confirmation(const Confirmation_Request& request) = 0;
    // A plain system message box with an OK button.
    virtual void Show_Message_Box(const QString& text) = 0;
    // The same with its own title; answerers without titles show the text alone.
    virtual void Show_Titled_Message_Box(const QString& text, const QString& title)
    {
        Q_UNUSED(title);
        Show_Message_Box(text);
    }

    // The same as a warning.
    virtual void Show_Warning_Box(const QString& text, const QString& title) { Show_Titled_Message_Box(text, title); }

    // One-button notice ("はい") in the given colour.
    void Notify(const QString& line1, const QString& line2 = {}, std::uint32_t colour = kWarningColour,
                const QString& button = QStringLiteral("はい"));
    // A one-button notice of three lines in the given colour.
    void Notify_Lines(const QString& line1, const QString& line2, const QString& line3, const QString& button,
                      std::uint32_t colour);
    // A one-button warning with the detail (usually the error text) in the third line.
    void Report_Problem(const QString& line1, const QString& line2, const QString& detail,
                        const QString& button = QStringLiteral("はい"));
    // A yes/no question whose "はい" replaces stored data: "いいえ" has the focus.
    bool Ask_Focus_No(const QString& line1, const QString& line2 = {});
    // Tells what an operation did: done in the information colour, anything
    // else in the warning colour; nothing when the outcome has no lines.
    void Tell(const Outcome& outcome);
    // Yes/no question in the warning colour; its buttons say "はい" / "いいえ" unless named.
    bool Ask(const QString& line1, const QString& line2 = {}, const QString& line3 = {},
             const QString& yes_caption = QStringLiteral("はい"), const QString& no_caption = QStringLiteral("いいえ"));
    // The same with the focus on "no": saying yes takes a deliberate choice.
    bool Ask_Focusing_No(const QString& line1, const QString& line2, const QString& line3, const QString& yes_caption,
                         const QString& no_caption);
};

}  // namespace store
