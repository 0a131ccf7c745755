#include "maintenance/messages.h"

namespace maintenance {

void Notify_Lines(store::Confirmation& ui, const QString& caller, const QString& line1, const QString& line2,
                  const QString& line3, const QString& button, std::uint32_t colour)
{
    store::Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.line3 = line3;
    request.caller = caller;
    request.second_caption = button;
    request.back_colour = colour;
    ui.Show_Confirmation(request);
}

void Report_Problem(store::Confirmation& ui, const QString& caller, const QString& line1, const QString& line2,
                    const QString& detail, const QString& button)
{
    Notify_Lines(ui, caller, line1, line2, detail, button, store::kWarningColour);
}

}  // namespace maintenance
