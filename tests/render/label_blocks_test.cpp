// Every built-in layout composed with the filled product on the preview: which
// parts of the label fall partly or wholly outside it and which overlap, as kept
// in built_in_layout_blocks.txt, so that any change in composition shows up.
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/label_composer.h"
#include "render/recording_surface.h"
#include "support/scripted_confirmation.h"
#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using render::Label_Block;

constexpr double kToleranceMm = 0.1;

const std::map<Label_Block, QString> kBlockNames = {
    {Label_Block::Main_Column, "main column"}, {Label_Block::Remarks1, "remarks 1"},
    {Label_Block::Remarks2, "remarks 2"},      {Label_Block::Price, "price"},
    {Label_Block::Barcode, "barcode"},         {Label_Block::Recycle_Mark1, "recycling mark 1"},
    {Label_Block::Recycle_Mark2, "recycling mark 2"}, {Label_Block::Nutrition, "nutrition"},
};

bool Overlap(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    return common.width() > kToleranceMm && common.height() > kToleranceMm;
}

// The label as it is read (a turned layout is wider than high), in millimetres.
QRectF Label_Area(const layouts::Layout_Record& layout)
{
    const double width = layout.Number(layouts::Label_Width);
    const double length = layout.Number(layouts::Label_Length);
    return render::Is_Turned(layout) ? QRectF(0, 0, length, width) : QRectF(0, 0, width, length);
}

// "wholly outside: …", "partly outside: …" and "overlap: … / …" lines of one composed label.
QStringList Block_Problems(const render::Recording_Surface& surface, const QRectF& label)
{
    std::map<Label_Block, std::vector<QRectF>> boxes;
    for (const render::Recording_Surface::Ink& ink : surface.inks)
        if (ink.block != Label_Block::Background)
            boxes[ink.block].push_back(ink.box_mm);
    const QRectF inside = label.adjusted(-kToleranceMm, -kToleranceMm, kToleranceMm, kToleranceMm);
    QStringList problems;
    for (const auto& [block, parts] : boxes) {
        const auto out = std::count_if(parts.begin(), parts.end(), [&](const QRectF& box) { return !inside.contains(box); });
        if (out == static_cast<long>(parts.size()))
            problems << "wholly outside: " + kBlockNames.at(block);
        else if (out > 0)
            problems << "partly outside: " + kBlockNames.at(block);
    }
    for (auto a = boxes.begin(); a != boxes.end(); ++a)
        for (auto b = std::next(a); b != boxes.end(); ++b) {
            const bool touching = std::any_of(a->second.begin(), a->second.end(), [&](const QRectF& x) {
                return std::any_of(b->second.begin(), b->second.end(), [&](const QRectF& y) { return Overlap(x, y); });
            });
            if (touching)
                problems << "overlap: " + kBlockNames.at(a->first) + " / " + kBlockNames.at(b->first);
        }
    return problems;
}

TEST(Built_In_Layouts, BlocksOutsideTheLabelOrOverlappingAreAsRecorded)
{
    test_support::Temp_Folder folder;
    ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder()));
    QString listing;
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts()) {
        render::Recording_Surface surface(render::Preview_Profile(96));
        test_support::Scripted_Confirmation ui;
        render::Label_Composer(surface, render_fixtures::Filled_Product(), layout.record, render_fixtures::Filled_Issue(),
                               {store::Default_Settings(), folder.Data_Folder(), ui});
        EXPECT_TRUE(ui.requests.empty()) << layout.name.toStdString();
        const QStringList problems = Block_Problems(surface, Label_Area(layout.record));
        listing += layout.name + QLatin1Char('\n');
        for (const QString& problem : problems.isEmpty() ? QStringList{"none"} : problems)
            listing += QStringLiteral("  ") + problem + QLatin1Char('\n');
    }
    QFile recorded(QStringLiteral(FOODLABEL_RENDER_TEST_DIR "/built_in_layout_blocks.txt"));
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recorded.readAll()).toStdString(), listing.toStdString());
}

}  // namespace
