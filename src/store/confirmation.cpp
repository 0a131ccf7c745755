#include "store/confirmation.h"

namespace store {

void Confirmation::Notify(const QString& caller, const QString& line1, const QString& line2, std::uint32_t colour,
                          const QString& button)
{
    Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.caller = caller;
    request.first_shown = false;
    request.second_shown = true;
    request.second_caption = button;
    request.back_colour = colour;
    Show_Confirmation(request);
}

bool Confirmation::Ask(const QString& caller, const QString& line1, const QString& line2, const QString& line3)
{
    Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.line3 = line3;
    request.caller = caller;
    request.first_shown = true;
    request.second_shown = true;
    request.first_caption = QStringLiteral("はい");
    request.second_caption = QStringLiteral("いいえ");
    request.back_colour = kWarningColour;
    return Show_Confirmation(request);
}

}  // namespace store
