#include "maintenance/messages.h"

namespace maintenance {

void Report_Problem(store::Confirmation& ui, const QString& caller, const QString& line1, const QString& line2,
                    const QString& detail, const QString& button)
{
    store::Confirmation_Request request;
    request.line1 = line1;
    request.line2 = line2;
    request.line3 = detail;
    request.caller = caller;
    request.second_caption = button;
    ui.Show_Confirmation(request);
}

}  // namespace maintenance
