#include "render/ean.h"
#include "render/instore_code.h"
#include "render/recording_surface.h"
#include "support/scripted_answerer.h"

#include <gtest/gtest.h>

#include <limits>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

TEST(Check_Ean_Code, CompletesChecksOrLeavesAlone)
{
    struct Case {
        QString typed;
        QString returned;
        QString line1;  // empty: no message
        QString line2;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"490123456789", "4901234567894", "バーコードの13桁目のチェック", "ディジットを自動計算しました",
         store::kInformationColour},
        {"4901234567890", "4901234567890", "ﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です", "この場合「4」かと思われます",
         store::kWarningColour},
        {"4901234567894", "4901234567894", "", "", 0},
        {"4512345", "45123450", "バーコードの8桁目のチェック", "ディジットを自動計算しました",
         store::kInformationColour},
        {"45123453", "45123453", "ﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です", "この場合「0」かと思われます", store::kWarningColour},
        {"45123450", "45123450", "", "", 0},
        {"123", "123", "", "", 0},
        {"49012345678901", "49012345678901", "", "", 0},
    };
    for (const Case& c : cases) {
        test_support::Scripted_Answerer answerer;
        EXPECT_EQ(render::Check_Ean_Code(c.typed, answerer), c.returned) << c.typed.toStdString();
        if (c.line1.isEmpty()) {
            EXPECT_TRUE(answerer.requests.empty()) << c.typed.toStdString();
            continue;
        }
        ASSERT_EQ(answerer.requests.size(), 1u) << c.typed.toStdString();
        const store::Confirmation_Request& r = answerer.requests[0];
        EXPECT_EQ(r.line1, c.line1);
        EXPECT_EQ(r.line2, c.line2);
        EXPECT_TRUE(r.line3.isEmpty());
        EXPECT_FALSE(r.first_shown);
        EXPECT_TRUE(r.second_shown);
        EXPECT_EQ(r.second_caption, "了解");
        EXPECT_EQ(r.back_colour, c.colour);
    }
}

TEST(Ean_Module_String, Ean13AndEan8Symbols)
{
    const QString ean13 = render::Ean_Module_String("4901234567894");
    ASSERT_EQ(ean13.size(), 95);
    // Parity "OEOOEE" of 4: 9 (A), 0 (B), 1 (A), 2 (A), 3 (B), 4 (B).
    EXPECT_EQ(ean13.left(45),
              "101"
              "0001011"
              "0100111"
              "0011001"
              "0010011"
              "0100001"
              "0011101");
    EXPECT_EQ(ean13.mid(45, 5), "01010");
    EXPECT_EQ(ean13.mid(50, 42),
              "1001110"
              "1010000"
              "1000100"
              "1001000"
              "1110100"
              "1011100");
    EXPECT_TRUE(ean13.endsWith("101"));

    const QString ean8 = render::Ean_Module_String("45123450");
    ASSERT_EQ(ean8.size(), 81);
    EXPECT_EQ(ean8.left(17), QString(14, u'0') + "101");
    EXPECT_EQ(ean8.mid(45, 5), "01010");
    EXPECT_TRUE(ean8.endsWith("1110010"
                              "101"));
    EXPECT_TRUE(render::Ean_Module_String("123456789012").isEmpty());
}

// The bars of a code on a printer of 2540 dpi (100 pixels, 1440 / 2540 twips each, per mm):
// a module is 25 pixels (0.25 mm).
struct Printed {
    render::Recording_Surface surface{render::Printer_Profile(2540, 2540)};
    double units = render::kPrinterUnitsPerMm;
    double pixel = 1440.0 / 2540;
    double module = 25 * pixel;
};

// Runs of adjacent bar modules in a module string.
long Bar_Runs(const QString& modules)
{
    long runs = 0;
    for (qsizetype i = 0; i < modules.size(); ++i)
        runs += modules[i] == u'1' && (i == 0 || modules[i - 1] == u'0');
    return runs;
}

TEST(Draw_Barcode, PrinterBarsAreRunsOfWholeModulesWithLongerGuards)
{
    Printed printed;
    printed.surface.Length_Limit_mm = 100;
    render::Draw_Barcode(printed.surface, 10, 20, "4901234567894", 80, 6, 0);
    const QString modules = render::Ean_Module_String("4901234567894");
    ASSERT_EQ(static_cast<long>(printed.surface.bars.size()), Bar_Runs(modules));
    // The symbol starts on the page's dot at 10 mm.
    const QRectF first = printed.surface.bars.front();
    const double x0 = first.left();
    EXPECT_NEAR(x0, 1000 * printed.pixel, 1e-6);
    EXPECT_DOUBLE_EQ(first.top(), 20 * printed.units);
    EXPECT_DOUBLE_EQ(first.width(), printed.module);
    // Guard bars are 6 x 4.721312 twips longer than data bars.
    EXPECT_NEAR(first.height(), 86 * 4.721312, 1e-9);
    // 9 in set A is 0001011: a bar of one module at module 7, then one of two modules.
    const QRectF data_bar = printed.surface.bars[2];
    EXPECT_NEAR(data_bar.height(), 80 * 4.721312, 1e-9);
    EXPECT_NEAR(data_bar.left() - x0, 6 * printed.module, 1e-9);
    EXPECT_NEAR(printed.surface.bars[3].left() - x0, 8 * printed.module, 1e-9);
    EXPECT_NEAR(printed.surface.bars[3].width(), 2 * printed.module, 1e-9);
    const auto guards = std::count_if(printed.surface.bars.begin(), printed.surface.bars.end(),
                                      [](const QRectF& bar) { return bar.height() > 81 * 4.721312; });
    EXPECT_EQ(guards, 6);
    EXPECT_NEAR(printed.surface.bars.back().right() - x0, 95 * printed.module, 1e-9);

    // The digit row: 15 characters at 1.44 mm from x + 0.7, below the bars.
    ASSERT_EQ(printed.surface.texts.size(), 15u);
    EXPECT_EQ(printed.surface.All_Text(), " 490123 4567894");
    EXPECT_EQ(printed.surface.texts[0].px, 1070);
    EXPECT_EQ(printed.surface.texts[1].px, 1214);
    EXPECT_EQ(printed.surface.texts[0].py, std::lround((20 + 80 / 11.42) * 100));
}

TEST(Draw_Barcode, LargestHeightKeepsEveryBarPointingDown)
{
    Printed printed;
    render::Draw_Barcode(printed.surface, 10, 20, "4901234567894", std::numeric_limits<int>::max(), 6, 0);
    ASSERT_FALSE(printed.surface.bars.empty());
    for (const QRectF& bar : printed.surface.bars)
        EXPECT_GT(bar.height(), 0);
}

TEST(Draw_Barcode, AModuleIsTheQuarterMillimetreInWholeDotsStartingOnADot)
{
    struct Case {
        render::Surface_Profile profile;
        int angle;
        int module_dots;
    };
    const Case cases[] = {
        {render::Printer_Profile(203, 203), 0, 2}, {render::Printer_Profile(300, 300), 0, 3},
        {render::Printer_Profile(600, 600), 0, 6}, {render::Printer_Profile(600, 600), 90, 6},
        {render::Preview_Profile(96), 0, 2},       {render::Preview_Profile(96), 90, 2},
        {render::Preview_Profile(144), 0, 3},
    };
    for (const Case& c : cases) {
        render::Recording_Surface surface(c.profile);
        surface.Length_Limit_mm = 100;
        render::Draw_Barcode(surface, 2.7, 13.3, "45123450", 80, 6, c.angle);
        const bool downwards = c.angle == 90 && !c.profile.printer;
        const double pixel = downwards ? c.profile.twips_per_pixel_y : c.profile.twips_per_pixel_x;
        const auto start = [&](const QRectF& bar) { return (downwards ? bar.top() : bar.left()) / pixel; };
        const auto end = [&](const QRectF& bar) { return (downwards ? bar.bottom() : bar.right()) / pixel; };
        const std::string name = std::to_string(c.profile.rx) + (c.profile.printer ? " dpi printer" : " ppi preview")
            + ", angle " + std::to_string(c.angle);
        ASSERT_FALSE(surface.bars.empty()) << name;
        for (const QRectF& bar : surface.bars) {
            EXPECT_NEAR(start(bar), std::round(start(bar)), 1e-6) << name;
            EXPECT_NEAR(end(bar), std::round(end(bar)), 1e-6) << name;
        }
        // The first bar, the start guard's, is one module 14 modules in; the last ends the 81st.
        const double x0 = start(surface.bars.front()) - 14 * c.module_dots;
        EXPECT_NEAR(end(surface.bars.front()) - start(surface.bars.front()), c.module_dots, 1e-6) << name;
        EXPECT_NEAR(end(surface.bars.back()) - x0, 81 * c.module_dots, 1e-6) << name;
    }
}

TEST(Draw_Barcode, Ean8StartsFourteenModulesIn)
{
    Printed ean13;
    ean13.surface.Length_Limit_mm = 100;
    render::Draw_Barcode(ean13.surface, 10, 20, "4901234567894", 80, 6, 0);
    const double x0 = ean13.surface.bars.front().left();  // the symbol's start: its first module is a bar
    Printed printed;
    printed.surface.Length_Limit_mm = 100;
    render::Draw_Barcode(printed.surface, 10, 20, "45123450", 80, 6, 0);
    ASSERT_FALSE(printed.surface.bars.empty());
    EXPECT_NEAR(printed.surface.bars.front().left() - x0, 14 * printed.module, 1e-9);  // 3.5 mm
    EXPECT_EQ(printed.surface.All_Text(), "   4512 3450");
    const auto guards = std::count_if(printed.surface.bars.begin(), printed.surface.bars.end(),
                                      [](const QRectF& bar) { return bar.height() > 81 * 4.721312; });
    EXPECT_EQ(guards, 6);
}

TEST(Draw_Barcode, TurnedOnPrinterAndPreview)
{
    Printed printed;
    printed.surface.Length_Limit_mm = 100;
    render::Draw_Barcode(printed.surface, 3, 10, "4901234567894", 80, 6, 90);
    const QRectF bar = printed.surface.bars.front();
    EXPECT_NEAR(bar.bottom(), 10 * printed.units, 1e-9);  // upwards from y0
    const render::Recording_Surface::Text_Record& digit = printed.surface.texts.front();
    EXPECT_EQ(digit.font.angle, 180);
    EXPECT_EQ(digit.px, std::lround((3 + 22.4) * 100));
    EXPECT_EQ(digit.py, std::lround((10 - 80 / 11.42) * 100));
    EXPECT_EQ(printed.surface.texts[1].px, std::lround((3 + 22.4 - 1.44) * 100));

    // On the preview the bars lie across and follow each other downwards, from
    // the whole picture pixel (15 units) at or above y0, two pixels a module.
    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Draw_Barcode(preview, 55, 3, "4901234567894", 80, 6, 90);
    ASSERT_FALSE(preview.bars.empty());
    const QRectF first = preview.bars.front();
    EXPECT_DOUBLE_EQ(first.left(), std::floor(2 * std::floor(56.7 * 55)));
    EXPECT_DOUBLE_EQ(first.top(), std::floor(2 * 56.7 * 3 / 15) * 15);
    EXPECT_DOUBLE_EQ(first.height(), 30);
    EXPECT_DOUBLE_EQ(first.width(), 86 * 10);
    EXPECT_DOUBLE_EQ(preview.bars[1].top() - first.top(), 2 * 30);
    EXPECT_EQ(preview.All_Text(), "4987654 321094");
    EXPECT_EQ(preview.texts.front().font.angle, 90);
}

TEST(Draw_Barcode, PreviewUnitsUpright)
{
    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Draw_Barcode(preview, 2.5, 54, "4901234567894", 80, 6, 0);
    const QRectF first = preview.bars.front();
    EXPECT_DOUBLE_EQ(first.left(), std::floor(std::floor(2 * std::floor(56.7 * 2.5)) / 15) * 15);
    EXPECT_DOUBLE_EQ(first.width(), 30);
    EXPECT_DOUBLE_EQ(first.height(), 860);
    EXPECT_DOUBLE_EQ(preview.bars[1].left() - first.left(), 2 * 30);
}

TEST(Draw_Spaced_Text, PitchAndDirections)
{
    render::Recording_Surface preview(render::Preview_Profile(2540));
    render::Draw_Spaced_Text(preview, render::kLabelFace, 8, 0, false, 1, 1, 100, false, false, "a b");
    ASSERT_EQ(preview.texts.size(), 3u);
    EXPECT_EQ(preview.texts[2].px - preview.texts[0].px, std::lround(2 * 1.44 * 200));
    render::Draw_Spaced_Text(preview, render::kLabelFace, 8, 45, false, 1, 1, 100, false, false, "xyz");
    EXPECT_EQ(preview.texts.size(), 3u);
}

// The in-store code: an EAN-13 with the price and its own check digit inside.
TEST(Instore_Code, PriceCheckDigitAndCompleteCode)
{
    EXPECT_EQ(render::Price_Check_Digit(QStringLiteral("0298")), 1);
    EXPECT_EQ(render::Price_Check_Digit(QStringLiteral("0000")), 0);
    EXPECT_EQ(render::Instore_Code(QStringLiteral("02"), QStringLiteral("12345"), QStringLiteral("0298")),
              QStringLiteral("0212345102985"));
    EXPECT_EQ(render::Instore_Code(QStringLiteral("2"), QStringLiteral("12345"), QStringLiteral("0298")), QString());
    EXPECT_EQ(render::Instore_Code(QStringLiteral("0a"), QStringLiteral("12345"), QStringLiteral("0298")), QString());
    EXPECT_EQ(render::Pad_Code(QStringLiteral("5"), 2), QStringLiteral("05"));
    EXPECT_EQ(render::Pad_Code(QString(), 4), QStringLiteral("0000"));
    EXPECT_EQ(render::Digit_Counter(3, 5), QStringLiteral("(3/5桁) "));
}

}  // namespace
