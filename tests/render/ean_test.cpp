#include "render/ean.h"
#include "render/recording_surface.h"
#include "support/scripted_confirmation.h"

#include <gtest/gtest.h>

#include <limits>

#include <algorithm>

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
        {"490123456789", "4901234567894", "バーコードの13桁目のチェック", "ディジットを自動計算しました", store::kInformationColour},
        {"4901234567890", "4901234567890", "ﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です", "この場合「4」かと思われます", store::kWarningColour},
        {"4901234567894", "4901234567894", "", "", 0},
        {"4512345", "45123450", "バーコードの8桁目のチェック", "ディジットを自動計算しました", store::kInformationColour},
        {"45123453", "45123453", "ﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です", "この場合「0」かと思われます", store::kWarningColour},
        {"45123450", "45123450", "", "", 0},
        {"123", "123", "", "", 0},
        {"49012345678901", "49012345678901", "", "", 0},
    };
    for (const Case& c : cases) {
        test_support::Scripted_Confirmation ui;
        EXPECT_EQ(render::Check_Ean_Code(c.typed, ui), c.returned) << c.typed.toStdString();
        if (c.line1.isEmpty()) {
            EXPECT_TRUE(ui.requests.empty()) << c.typed.toStdString();
            continue;
        }
        ASSERT_EQ(ui.requests.size(), 1u) << c.typed.toStdString();
        const store::Confirmation_Request& r = ui.requests[0];
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
    EXPECT_EQ(ean13.left(45), "101" "0001011" "0100111" "0011001" "0010011" "0100001" "0011101");
    EXPECT_EQ(ean13.mid(45, 5), "01010");
    EXPECT_EQ(ean13.mid(50, 42), "1001110" "1010000" "1000100" "1001000" "1110100" "1011100");
    EXPECT_TRUE(ean13.endsWith("101"));

    const QString ean8 = render::Ean_Module_String("45123450");
    ASSERT_EQ(ean8.size(), 81);
    EXPECT_EQ(ean8.left(17), QString(14, u'0') + "101");
    EXPECT_EQ(ean8.mid(45, 5), "01010");
    EXPECT_TRUE(ean8.endsWith("1110010" "101"));
    EXPECT_TRUE(render::Ean_Module_String("123456789012").isEmpty());
}

// The bars of a code on a printer of 2540 dpi (100 pixels, 1440 / 2540 twips each, per mm).
struct Printed {
    render::Recording_Surface surface{render::Printer_Profile(2540, 2540)};
    double units = render::kPrinterUnitsPerMm;
};

TEST(Draw_Barcode, PrinterBarsPitchAndGuards)
{
    Printed printed;
    printed.surface.Length_Limit_mm = 100;
    render::Draw_Barcode(printed.surface, 10, 20, "4901234567894", 80, 6, 0);
    const QString modules = render::Ean_Module_String("4901234567894");
    ASSERT_EQ(printed.surface.bars.size(), static_cast<size_t>(modules.count(u'1')));
    const double x0 = std::floor(1000 * 1440.0 / 2540);  // whole pixel at 10 mm, in twips
    const QRectF first = printed.surface.bars.front();
    EXPECT_DOUBLE_EQ(first.left(), x0);
    EXPECT_DOUBLE_EQ(first.top(), 20 * printed.units);
    EXPECT_NEAR(first.width(), 0.1725 * printed.units, 1e-9);
    // Guard bars are 6 x 4.721312 twips longer than data bars.
    EXPECT_NEAR(first.height(), 86 * 4.721312, 1e-9);
    const QRectF data_bar = printed.surface.bars[2];  // module 7: first bar of 9 in set A
    EXPECT_NEAR(data_bar.height(), 80 * 4.721312, 1e-9);
    EXPECT_NEAR(data_bar.left() - x0, (3 + 3) * 0.25 * printed.units, 1e-9);
    const auto guards = std::count_if(printed.surface.bars.begin(), printed.surface.bars.end(),
                                      [](const QRectF& bar) { return bar.height() > 81 * 4.721312; });
    EXPECT_EQ(guards, 6);

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

TEST(Draw_Barcode, Ean8StartsFourteenModulesIn)
{
    Printed printed;
    printed.surface.Length_Limit_mm = 100;
    render::Draw_Barcode(printed.surface, 10, 20, "45123450", 80, 6, 0);
    const double x0 = std::floor(1000 * 1440.0 / 2540);
    ASSERT_FALSE(printed.surface.bars.empty());
    EXPECT_NEAR(printed.surface.bars.front().left() - x0, 3.5 * printed.units, 1e-9);
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

    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Draw_Barcode(preview, 55, 3, "4901234567894", 80, 6, 90);
    ASSERT_FALSE(preview.bars.empty());
    const QRectF first = preview.bars.front();
    EXPECT_DOUBLE_EQ(first.left(), std::floor(2 * std::floor(56.7 * 55)));
    EXPECT_DOUBLE_EQ(first.top(), 2 * 56.7 * 3);
    EXPECT_DOUBLE_EQ(first.height(), 15);  // bars lie across
    EXPECT_DOUBLE_EQ(first.width(), 86 * 10);
    EXPECT_DOUBLE_EQ(preview.bars[1].top() - first.top(), 2 * 28);
    EXPECT_EQ(preview.All_Text(), "4987654 321094");
    EXPECT_EQ(preview.texts.front().font.angle, 90);
}

TEST(Draw_Barcode, PreviewUnitsUpright)
{
    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Draw_Barcode(preview, 2.5, 54, "4901234567894", 80, 6, 0);
    const QRectF first = preview.bars.front();
    EXPECT_DOUBLE_EQ(first.left(), std::floor(2 * std::floor(56.7 * 2.5)));
    EXPECT_DOUBLE_EQ(first.width(), 15);
    EXPECT_DOUBLE_EQ(first.height(), 860);
    EXPECT_DOUBLE_EQ(preview.bars[1].left() - first.left(), 2 * 28);
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

}  // namespace
