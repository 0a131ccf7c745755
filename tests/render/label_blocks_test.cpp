// Every built-in layout composed with the filled product on the preview: which
// parts of the label fall partly or wholly outside it and which overlap, with
// where those parts lie, as kept in built_in_layout_blocks.txt, so that any
// change in composition shows up.
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/label_check.h"
#include "render/label_composer.h"
#include "render/recording_surface.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// "x,y wxh" of a box in millimetres.
QString Box_Text(const QRectF& box)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(box.x(), 0, 'f', 1)
        .arg(box.y(), 0, 'f', 1)
        .arg(box.width(), 0, 'f', 1)
        .arg(box.height(), 0, 'f', 1);
}

TEST(Built_In_Layouts, BlocksOutsideTheLabelOrOverlappingAreAsRecorded)
{
    test_support::Temp_Folder folder;
    ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder()));
    QString listing;
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts()) {
        render::Recording_Surface surface(render::Preview_Profile(96));
        test_support::Scripted_Answerer answerer;
        render::Label_Composer(surface, render_fixtures::Filled_Product(), layout.record,
                               render_fixtures::Filled_Issue(),
                               {store::Default_Settings(), folder.Data_Folder(), &answerer});
        EXPECT_TRUE(answerer.requests.empty()) << layout.name.toStdString();
        listing += layout.name + QLatin1Char('\n');
        const std::vector<render::Finding> findings = render::Check_Placement(surface, layout.record);
        if (findings.empty())
            listing += QStringLiteral("  none\n");
        for (const render::Finding& finding : findings) {
            QStringList boxes;
            for (const QRectF& box : finding.boxes_mm)
                boxes << Box_Text(box);
            listing += QStringLiteral("  ") + finding.message + QStringLiteral(" (") + boxes.join(QStringLiteral(" / "))
                + QStringLiteral(")\n");
        }
    }
    EXPECT_EQ(render_fixtures::Recorded_Listing(QStringLiteral(FOODLABEL_RENDER_TEST_DIR "/built_in_layout_blocks.txt"),
                                                listing),
              listing.toStdString());
}

}  // namespace
