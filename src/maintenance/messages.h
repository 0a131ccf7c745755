#pragma once
// Notices of the maintenance screens that carry a detail line.
#include "store/confirmation.h"

#include <QString>

namespace maintenance {

// A one-button notice of three lines in the given colour.
void Notify_Lines(store::Confirmation& ui, const QString& caller, const QString& line1, const QString& line2,
                  const QString& line3, const QString& button, std::uint32_t colour);

// A one-button warning with the detail (usually the error text) in the third line.
void Report_Problem(store::Confirmation& ui, const QString& caller, const QString& line1, const QString& line2,
                    const QString& detail, const QString& button = QStringLiteral("はい"));

}  // namespace maintenance
