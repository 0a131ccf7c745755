#include "store/answerer.h"

namespace store {

void Answerer::Notify(const QString& line1, const QString& line2, std::uint32_t colour, const QString& button)
{
    Notify_Lines(line1, line2, {}, button, colour);
}

void Answerer::Notify_Lines(const QString& line1, const QString& line2, const QString& line3, const QString& button,
                            std::uint32_t colour)
{
    Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.line3 = line3;
    request.first_shown = false;
    request.second_shown = true;
    request.second_caption = button;
    request.back_colour = colour;
    Show_Confirmation(request);
}

void Answerer::Report_Problem(const QString& line1, const QString& line2, const QString& detail, const QString& button)
{
    Notify_Lines(line1, line2, detail, button, kWarningColour);
}

void Answerer::Tell(const Outcome& outcome)
{
    if (outcome.lines.isEmpty())
        return;
    const std::uint32_t colour = outcome.warning ? kWarningColour : kInformationColour;
    Notify_Lines(outcome.lines.value(0), outcome.lines.value(1), outcome.lines.value(2), QStringLiteral("はい"),
                 colour);
}

namespace {

Confirmation_Request Question(const QString& line1, const QString& line2, const QString& line3,
                              const QString& yes_caption, const QString& no_caption)
{
    Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.line3 = line3;
    request.first_shown = true;
    request.second_shown = true;
    request.first_caption = yes_caption;
    request.second_caption = no_caption;
    request.back_colour = kWarningColour;
    return request;
}

}  // namespace

bool Answerer::Ask(const QString& line1, const QString& line2, const QString& line3, const QString& yes_caption,
                   const QString& no_caption)
{
    return Show_Confirmation(Question(line1, line2, line3, yes_caption, no_caption));
}

bool Answerer::Ask_Focusing_No(const QString& line1, const QString& line2, const QString& line3,
                               const QString& yes_caption, const QString& no_caption)
{
    Confirmation_Request request = Question(line1, line2, line3, yes_caption, no_caption);
    request.second_focused = true;
    return Show_Confirmation(request);
}

bool Answerer::Ask_Focus_No(const QString& line1, const QString& line2)
{
    Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.first_shown = true;
    request.first_caption = QStringLiteral("はい");
    request.second_caption = QStringLiteral("いいえ");
    request.second_focused = true;
    return Show_Confirmation(request);
}

}  // namespace store
