// The paper search and its list entries.
#include "maintenance/paper_selection.h"
#include "support/fake_printer_platform.h"

#include <gtest/gtest.h>

using maintenance::Paper_Entry;
using test_support::Fake_Printer_Platform;

namespace {

QPageSize Millimetres(double w, double h, const QString& key)
{
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, key, QPageSize::ExactMatch);
}

QSizeF Twips_Of_Mm(double w, double h)
{
    return QSizeF(w / 25.4 * 1440, h / 25.4 * 1440);
}

}  // namespace

TEST(Paper_Selection, SearchStartsAt255OnlyForNamesBeginningWithSato)
{
    const std::vector<std::pair<const char*, int>> cases = {
        {"sato CL4NX", 255}, {"Sato", 255}, {"SATO-LT408", 255}, {"SaTo", 1}, {"Label SATO", 1}, {"Zebra", 1}, {"", 1}};
    for (const auto& [name, first] : cases)
        EXPECT_EQ(maintenance::First_Paper_Number(QString::fromUtf8(name)), first) << name;
}

TEST(Paper_Selection, EntryShowsNumberAndMillimetresAndRecommends115Square)
{
    EXPECT_EQ(Paper_Entry(9, Twips_Of_Mm(210, 297)), QStringLiteral("0009:210mmx297mmの用紙 "));
    EXPECT_EQ(Paper_Entry(257, Twips_Of_Mm(115, 115)), QStringLiteral("0257:115mmx115mmの用紙  (お勧め)"));
    EXPECT_EQ(Paper_Entry(258, Twips_Of_Mm(115, 116)), QStringLiteral("0258:115mmx116mmの用紙 "));
    // twips / 56.7, rounded: 6520 twips is 114.99 -> 115
    EXPECT_EQ(Paper_Entry(1, QSizeF(6520, 6520)), QStringLiteral("0001:115mmx115mmの用紙  (お勧め)"));
}

TEST(Paper_Selection, ListsTheAcceptedNumbersInOrderTryingEveryNumberTo600)
{
    Fake_Printer_Platform printers(
        {{QStringLiteral("Zebra"),
          {Millimetres(115, 115, QStringLiteral("w326h326")), QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)}}});
    std::vector<int> tried;
    const auto entries = maintenance::Search_Paper_Sizes(printers, QStringLiteral("Zebra"),
                                                         [&tried](int n) { tried.push_back(n); });
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries,
              (QStringList{QStringLiteral("0009:210mmx297mmの用紙 "), QStringLiteral("0011:148mmx210mmの用紙 "),
                           QStringLiteral("0256:115mmx115mmの用紙  (お勧め)")}));
    ASSERT_EQ(tried.size(), 600u);
    EXPECT_EQ(tried.front(), 1);
    EXPECT_EQ(tried.back(), 600);
}

TEST(Paper_Selection, SatoPrintersAreTriedFrom255)
{
    Fake_Printer_Platform printers(
        {{QStringLiteral("SATO L"), {QPageSize(QPageSize::A4), Millimetres(60, 40, QStringLiteral("w170h113"))}}});
    int tries = 0;
    const auto entries = maintenance::Search_Paper_Sizes(printers, QStringLiteral("SATO L"),
                                                         [&tries](int) { ++tries; });
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, QStringList{QStringLiteral("0256:60mmx40mmの用紙 ")});
    EXPECT_EQ(tries, 600 - 255 + 1);
}

TEST(Paper_Selection, AnUnknownPrinterGivesNoList)
{
    Fake_Printer_Platform printers({{QStringLiteral("Zebra"), {QPageSize(QPageSize::A4)}}});
    EXPECT_FALSE(maintenance::Search_Paper_Sizes(printers, QStringLiteral("zebra"), {}));
    EXPECT_FALSE(maintenance::Search_Paper_Sizes(printers, QString(), {}));
}
