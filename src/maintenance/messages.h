#pragma once
// Notices of the maintenance screens that carry a detail line.
#include "store/confirmation.h"

#include <QString>

namespace maintenance {

// A one-button notice with the detail (usually the error text) in the third line.
void Report_Problem(store::Confirmation& ui, const QString& caller, const QString& line1, const QString& line2,
                    const QString& detail, const QString& button = QStringLiteral("はい"));

}  // namespace maintenance
