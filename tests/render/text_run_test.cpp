#include "render/recording_surface.h"
#include "render/text_run.h"
#include "support/scripted_answerer.h"

#include <gtest/gtest.h>

namespace {

render::Text_Run Character_Run(double size_pt, double y_mm, int angle = 0)
{
    render::Text_Run run;
    run.size_pt = size_pt;
    run.y_mm = y_mm;
    run.x_mm = 10;
    run.angle = angle;
    run.text = QStringLiteral("あ");
    return run;
}

TEST(Build_Run_Font, SizeRoundedAfterTheSurfaceFactor)
{
    struct Case {
        render::Surface_Profile profile;
        double size_pt;
        double width;
        int height;
        int average_width;
    };
    const Case cases[] = {
        {render::Printer_Profile(203, 203), 5.5, 100, 17, 8},  // built at 6 pt: MulDiv(6, 203, 72) = 17; 8.5 -> 8
        {render::Printer_Profile(203, 203), 6.5, 100, 17, 8},  // 6.5 -> 6 as well
        {render::Printer_Profile(203, 203), 8, 75, 23, 9},     // 22.56 -> 23; 23 / 2 x 0.75 = 8.625 -> 9
        {render::Preview_Profile(96), 5.5, 100, 15, 8},        // 11 points: MulDiv(11, 96, 72) = 15; 7.5 -> 8
        {render::Preview_Profile(96), 8, 150, 21, 16},         // 16 points: 21.33 -> 21; 21 / 2 x 1.5 = 15.75
    };
    for (const Case& c : cases) {
        render::Text_Run run = Character_Run(c.size_pt, 0);
        run.width_percent = c.width;
        const render::Run_Font font = render::Build_Run_Font(run, c.profile);
        EXPECT_EQ(font.height, c.height) << c.size_pt;
        EXPECT_EQ(font.average_width, c.average_width) << c.size_pt << " " << c.width;
        EXPECT_EQ(font.face, render::kLabelFace);
    }
}

TEST(Draw_Text_Run, DevicePositionIsRoundedHalfEven)
{
    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Text_Run run = Character_Run(8, 25.4);
    run.x_mm = 25.4;
    render::Draw_Text_Run(preview, run);
    ASSERT_EQ(preview.texts.size(), 1u);
    EXPECT_EQ(preview.texts[0].px, 192);
    EXPECT_EQ(preview.texts[0].py, 192);
}

TEST(Draw_Text_Run, PaperLengthCheckShowsTheNoticeOncePerRun)
{
    test_support::Scripted_Answerer answerer;
    render::Recording_Surface page(render::Printer_Profile(203, 203));
    page.Length_Limit_mm = 65;
    page.Answerer = &answerer;
    render::Draw_Text_Run(page, Character_Run(8, 60));  // 60 + 2.82 < 65
    EXPECT_EQ(page.texts.size(), 1u);
    render::Draw_Text_Run(page, Character_Run(8, 63));  // 65.8: refused
    render::Draw_Text_Run(page, Character_Run(8, 64));
    render::Draw_Text_Run(page, Character_Run(8, 64.5, 90));  // turned runs compare their start only: drawn
    render::Draw_Text_Run(page, Character_Run(8, 66, 180));
    EXPECT_EQ(page.texts.size(), 2u);
    ASSERT_EQ(answerer.message_boxes.size(), 1);
    EXPECT_EQ(answerer.message_boxes[0], "印字が行えない項目があります。\r用紙長が印字内容に足りていません。");
    EXPECT_EQ(answerer.message_box_titles[0], "用紙長エラー");
    EXPECT_TRUE(page.Length_Notice_Shown);
}

TEST(Draw_Text_Run, OtherAnglesDrawNothingOnThePrinter)
{
    test_support::Scripted_Answerer answerer;
    render::Recording_Surface page(render::Printer_Profile(203, 203));
    page.Length_Limit_mm = 65;
    page.Answerer = &answerer;
    render::Draw_Text_Run(page, Character_Run(8, 10, 45));
    EXPECT_TRUE(page.texts.empty());

    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Draw_Text_Run(preview, Character_Run(8, 500));  // the preview draws every run
    EXPECT_EQ(preview.texts.size(), 1u);
}

// Records how the characters reach the surface: one entry per call, its characters joined.
class Call_Recording_Surface : public render::Recording_Surface {
public:
    using Recording_Surface::Recording_Surface;
    void Characters(const render::Run_Font& font, const std::vector<render::Placed_Character>& characters) override
    {
        QString joined;
        for (const render::Placed_Character& placed : characters)
            joined += placed.character;
        calls << joined;
        Recording_Surface::Characters(font, characters);
    }
    QStringList calls;
};

TEST(Character_Writer, HandsOverEachRunOfOneFontInOneCallAndLeavesOutRefusedCharacters)
{
    test_support::Scripted_Answerer answerer;
    Call_Recording_Surface page(render::Printer_Profile(203, 203));
    page.Length_Limit_mm = 65;
    page.Answerer = &answerer;
    {
        render::Character_Writer writer(page);
        render::Text_Run run = Character_Run(8, 10);
        for (QChar c : QStringLiteral("一二"))
            writer.Add(run, c);
        run.bold = true;
        writer.Add(run, u'三');
        EXPECT_EQ(page.calls, QStringList({"一二"}));  // the bold one is held until the font changes again
        run.bold = false;
        run.x_mm = 20;
        writer.Add(run, u'四');
        run.y_mm = 63;  // beyond the label's end: refused
        writer.Add(run, u'五');
        run.y_mm = 11;
        writer.Add(run, u'六');
    }
    EXPECT_EQ(page.calls, QStringList({"一二", "三", "四六"}));
    // Each character at the device pixel Draw_Text_Run gives it.
    ASSERT_EQ(page.texts.size(), 5u);
    render::Recording_Surface alone(render::Printer_Profile(203, 203));
    alone.Length_Limit_mm = 65;
    render::Text_Run sixth = Character_Run(8, 11);
    sixth.x_mm = 20;
    render::Draw_Text_Run(alone, sixth);
    ASSERT_EQ(alone.texts.size(), 1u);
    EXPECT_EQ(page.texts[4].px, alone.texts[0].px);
    EXPECT_EQ(page.texts[4].py, alone.texts[0].py);
    EXPECT_EQ(page.texts[4].font, alone.texts[0].font);
    EXPECT_EQ(answerer.message_boxes.size(), 1);
}

}  // namespace
