#include "render/recording_surface.h"
#include "render/text_flow.h"

#include <gtest/gtest.h>

namespace {

using render::Recording_Surface;

constexpr int kSizeLine = 37;  // 品名's style pair
constexpr int kPlain = layouts::kPlain;
constexpr int kRuled = layouts::kRuled;

layouts::Layout_Record Layout(const QString& size, const QString& width, const QString& direction = " 0")
{
    layouts::Layout_Record layout;
    layout[layouts::Print_Direction] = direction;
    layout[kSizeLine] = size;
    layout[kSizeLine + 1] = width;
    return layout;
}

// Surfaces of 100 device pixels per millimetre, so positions read to 0.01 mm.
render::Surface_Profile Printer()
{
    return render::Printer_Profile(2540, 2540);
}
render::Surface_Profile Preview()
{
    return render::Preview_Profile(1270);
}

double X_mm(const Recording_Surface& s, size_t i)
{
    return s.texts.at(i).px / (s.Profile().rx / 25.4 * s.Profile().factor);
}
double Y_mm(const Recording_Surface& s, size_t i)
{
    return s.texts.at(i).py / (s.Profile().ry / 25.4 * s.Profile().factor);
}

TEST(Draw_Item_Text, PlainPrinterAdvancesAndWraps)
{
    Recording_Surface page(Printer());
    page.Length_Limit_mm = 1000;
    const float next = render::Draw_Item_Text(page, Layout("10", "100"), 5, 7, kPlain, "abcdefg", kSizeLine,
                                              kSizeLine + 1, 10);
    ASSERT_EQ(page.texts.size(), 7u);
    EXPECT_NEAR(X_mm(page, 1) - X_mm(page, 0), 1.62, 0.011);
    EXPECT_NEAR(X_mm(page, 5), 5 + 5 * 1.62, 0.011);
    EXPECT_NEAR(X_mm(page, 6), 5, 0.011);  // the seventh starts the second line at x_mm
    EXPECT_NEAR(Y_mm(page, 6) - Y_mm(page, 0), 3.527762, 0.011);
    EXPECT_FLOAT_EQ(next, 7 + 0.18f + 2 * 10 * 0.3527762f);
    EXPECT_FALSE(page.Previous_Item_Ruled);
}

TEST(Draw_Item_Text, PlainPreviewAdvancesIndentsAndSpaces)
{
    Recording_Surface preview(Preview());
    const float next = render::Draw_Item_Text(preview, Layout("10", "100"), 5, 7, kPlain, "abcdefg", kSizeLine,
                                              kSizeLine + 1, 10);
    ASSERT_EQ(preview.texts.size(), 7u);
    EXPECT_NEAR(X_mm(preview, 5), 5 + 5 * 1.625, 0.011);
    EXPECT_NEAR(X_mm(preview, 6), 5.35, 0.011);
    EXPECT_NEAR(Y_mm(preview, 6) - Y_mm(preview, 0), 3.6, 0.011);
    EXPECT_FLOAT_EQ(next, 7 + 0.18f + 2 * 3.6f);
}

TEST(Draw_Item_Text, EdgesSizesAndEmptyTexts)
{
    // A character ending exactly on the box edge stays on the line (8 x 1.625 = 13).
    Recording_Surface preview(Preview());
    render::Draw_Item_Text(preview, Layout("10", "100"), 0, 0, kPlain, "abcdefghi", kSizeLine, kSizeLine + 1, 13);
    EXPECT_EQ(preview.texts[7].py, preview.texts[0].py);
    EXPECT_GT(preview.texts[8].py, preview.texts[0].py);

    // Size 0: every character at the start point, no line break.
    Recording_Surface zero(Preview());
    const float next = render::Draw_Item_Text(zero, Layout("0", "100"), 3, 4, kPlain, "あいう", kSizeLine,
                                              kSizeLine + 1, 1);
    ASSERT_EQ(zero.texts.size(), 3u);
    EXPECT_EQ(zero.texts[2].px, zero.texts[0].px);
    EXPECT_EQ(zero.texts[2].py, zero.texts[0].py);
    EXPECT_FLOAT_EQ(next, 4.18f);

    // Box 999 never wraps.
    Recording_Surface wide(Printer());
    wide.Length_Limit_mm = 1000;
    render::Draw_Item_Text(wide, Layout("8", "100"), 0, 0, kPlain, QString(300, u'あ'), kSizeLine, kSizeLine + 1, 999);
    EXPECT_EQ(wide.texts.back().py, wide.texts.front().py);

    // An empty text draws nothing and leaves the flag as it was.
    Recording_Surface empty(Printer());
    empty.Length_Limit_mm = 1000;
    empty.Previous_Item_Ruled = true;
    EXPECT_FLOAT_EQ(render::Draw_Item_Text(empty, Layout("8", "100"), 1, 2, kPlain, "", kSizeLine, kSizeLine + 1, 40),
                    2);
    EXPECT_TRUE(empty.Previous_Item_Ruled);

    // A hidden text still takes one line; in ruled mode it draws an empty frame.
    Recording_Surface hidden(Printer());
    hidden.Length_Limit_mm = 1000;
    EXPECT_FLOAT_EQ(
        render::Draw_Item_Text(hidden, Layout("10", "100"), 1, 2, kPlain, "<m>メモ", kSizeLine, kSizeLine + 1, 40),
        2 + 0.18f + 10 * 0.3527762f);
    EXPECT_TRUE(hidden.texts.empty());
    render::Draw_Item_Text(hidden, Layout("10", "100"), 1, 2, kRuled, "<m>メモ", kSizeLine, kSizeLine + 1, 40);
    EXPECT_TRUE(hidden.texts.empty());
    EXPECT_EQ(hidden.rectangles.size(), 1u);
}

TEST(Draw_Item_Text, RuledFrameAndNameCell)
{
    const double units = render::kPrinterUnitsPerMm;
    Recording_Surface page(render::Printer_Profile(203, 203));
    page.Length_Limit_mm = 1000;
    const float next = render::Draw_Item_Text(page, Layout("8", "100"), 2, 10, kRuled, "名称:ケーキ", kSizeLine,
                                              kSizeLine + 1, 40);
    EXPECT_NEAR(next, 10 + 3.2222096, 1e-5);
    ASSERT_EQ(page.rectangles.size(), 2u);
    const auto& frame = page.rectangles[0];
    EXPECT_NEAR(frame.from.x(), 2 * units, 1e-3);
    EXPECT_NEAR(frame.from.y(), 10 * units, 1e-3);
    EXPECT_NEAR(frame.to.x(), 42 * units, 1e-3);
    EXPECT_NEAR(frame.to.y(), (10 + 3.2222096) * units, 1e-3);
    EXPECT_NEAR(page.rectangles[1].to.x(), (2 + 5.94) * units, 1e-3);
    EXPECT_EQ(frame.line_width, 1);  // exactly 8 dots per mm
    EXPECT_EQ(page.line_width, 1);
    EXPECT_EQ(page.texts[2].text, " ");  // the ":" became a blank
    EXPECT_TRUE(page.Previous_Item_Ruled);

    // The next plain item starts 0.3 mm below the frame.
    const float after = render::Draw_Item_Text(page, Layout("8", "100"), 2, next, kPlain, "x", kSizeLine, kSizeLine + 1,
                                               40);
    EXPECT_EQ(page.texts.back().py, std::lround((next + 0.3) * 203 / 25.4));
    EXPECT_NEAR(after, next + 0.3 + 0.18 + 8 * 0.3527762, 1e-5);

    Recording_Surface coarse(render::Printer_Profile(300, 300));
    coarse.Length_Limit_mm = 1000;
    render::Draw_Item_Text(coarse, Layout("8", "100"), 2, 10, kRuled, "x", kSizeLine, kSizeLine + 1, 40);
    EXPECT_EQ(coarse.rectangles.at(0).line_width, 2);
    EXPECT_EQ(coarse.line_width, 1);
}

TEST(Draw_Item_Text, NameCellSplitsAtTheFirstHalfWidthColon)
{
    const double units = render::kPrinterUnitsPerMm;
    struct Case {
        QString text;
        size_t rectangles;
        double cell_mm;  // right edge of the name cell from x_mm
    };
    const Case cases[] = {
        {"名称ケーキ", 1, 0},
        {"名称：ケーキ", 1, 0},  // full-width colon does not split
        {":ケーキ", 2, 0.165 * 8 * 0.5},
        {"ab:c:d", 2, 0.165 * 8 * 2.5},
    };
    for (const Case& c : cases) {
        Recording_Surface page(render::Printer_Profile(203, 203));
        page.Length_Limit_mm = 1000;
        render::Draw_Item_Text(page, Layout("8", "100"), 0, 0, kRuled, c.text, kSizeLine, kSizeLine + 1, 40);
        ASSERT_EQ(page.rectangles.size(), c.rectangles) << c.text.toStdString();
        if (c.rectangles == 2) {
            EXPECT_NEAR(page.rectangles[1].to.x(), c.cell_mm * units, 1e-3) << c.text.toStdString();
        }
    }
}

TEST(Draw_Item_Text, TurnedPrinterLayoutRunsUpThePage)
{
    Recording_Surface page(Printer());
    page.Length_Limit_mm = 1000;
    const float next = render::Draw_Item_Text(page, Layout("10", "100", "90"), 64, 3, kPlain, "abcdefg", kSizeLine,
                                              kSizeLine + 1, 10, 90);
    ASSERT_EQ(page.texts.size(), 7u);
    EXPECT_EQ(page.texts[0].font.angle, 90);
    EXPECT_NEAR(X_mm(page, 0), 3, 0.011);   // page x = line position
    EXPECT_NEAR(Y_mm(page, 0), 64, 0.011);  // page y = position along the line, decreasing
    EXPECT_NEAR(Y_mm(page, 1), 64 - 1.62, 0.011);
    EXPECT_NEAR(Y_mm(page, 6), 64, 0.011);
    EXPECT_NEAR(X_mm(page, 6), 3 + 3.527762, 0.011);
    EXPECT_FLOAT_EQ(next, 3 + 0.18f + 2 * 3.527762f);

    render::Draw_Item_Text(page, Layout("8", "100", "90"), 64, 3, kRuled, "名称:x", kSizeLine, kSizeLine + 1, 40, 90);
    const double units = render::kPrinterUnitsPerMm;
    ASSERT_EQ(page.rectangles.size(), 2u);
    EXPECT_NEAR(page.rectangles[0].from.x(), 3 * units, 1e-3);
    EXPECT_NEAR(page.rectangles[0].to.y(), 24 * units, 1e-3);
    EXPECT_NEAR(page.rectangles[1].to.y(), (64 - 0.165 * 8 * 4.9) * units, 1e-3);
}

}  // namespace
