#include "maintenance/paper_selection.h"

#include "store/text_helpers.h"

namespace maintenance {

int First_Paper_Number(const QString& printer_name)
{
    const QString head = printer_name.left(4);
    const bool sato = head == QStringLiteral("sato") || head == QStringLiteral("Sato")
        || head == QStringLiteral("SATO");
    return sato ? 255 : 1;
}

QString Paper_Entry(int number, const QSizeF& page_twips)
{
    const int width = store::Round_Half_Even(page_twips.width() / kTwipsPerMillimetre);
    const int height = store::Round_Half_Even(page_twips.height() / kTwipsPerMillimetre);
    QString entry = store::Pad_Zero(QString::number(number), 4)
        + QStringLiteral(":%1mmx%2mmの用紙 ").arg(width).arg(height);
    if (width == 115 && height == 115)
        entry += QStringLiteral(" (お勧め)");
    return entry;
}

std::optional<QStringList> Search_Paper_Sizes(platform::Printer_Finder& printers, const QString& printer_name,
                                              const std::function<void(int)>& step)
{
    platform::Printer* printer = printers.Find_Printer(printer_name);
    if (!printer)
        return std::nullopt;
    QStringList entries;
    for (int number = First_Paper_Number(printer_name); number <= kLast_Paper_Number; ++number) {
        if (step)
            step(number);
        if (printer->Set_Paper_Number(number))
            entries << Paper_Entry(number, printer->Page_Size_Twips());
    }
    return entries;
}

}  // namespace maintenance
