#pragma once
// The paper sizes a printer accepts, found by trying every paper number on
// it, and the list entries that show them.
#include "platform/printer_platform.h"

#include <QSizeF>
#include <QStringList>

#include <functional>
#include <optional>

namespace maintenance {

constexpr int kLast_Paper_Number = 600;
constexpr double kTwipsPerMillimetre = 56.7;

// First number tried: 255 for printers whose name begins "sato", "Sato" or "SATO", else 1.
int First_Paper_Number(const QString& printer_name);

// "0009:210mmx297mmの用紙 ", followed by " (お勧め)" for a page of 115 mm by 115 mm.
QString Paper_Entry(int number, const QSizeF& page_twips);

// The number an entry hands back: its first four characters.
inline QString Entry_Number(const QString& entry)
{
    return entry.left(4);
}

// Finds the named printer and tries every number from its first
// number to 600 on it; `step(n)` runs before number n is tried. The entries
// of the accepted numbers in order, or nothing when no printer has that name.
std::optional<QStringList> Search_Paper_Sizes(platform::Printer_Finder& printers, const QString& printer_name,
                                              const std::function<void(int)>& step);

}  // namespace maintenance
