// The eight built-in layouts with a filled product, composed on the preview
// picture (96 pixels per inch) and on the printer page of a 300 dpi printer,
// must give exactly the stored pictures in tests/render/pictures: any change
// in how text, frames, bars or pictures are drawn shows up pixel by pixel.
// A differing picture is written beside the test executable for inspection.
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/label_pictures.h"
#include "render/qt_surfaces.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPrinterDpi = 300;

store::Settings_Record Edge_Aligned_Settings()
{
    store::Settings_Record settings = store::Default_Settings();
    settings[store::Setting::Paper_Set_Position] = QStringLiteral("端寄せ");
    return settings;
}

// The label drawn through the printer page onto a white picture of the label's
// size at the printer's resolution.
QImage Printed_Picture(const layouts::Layout_Record& layout, const render::Compose_Context& context)
{
    const double dots_per_mm = kPrinterDpi / 25.4;
    QImage page(static_cast<int>(std::lround(layout.Number(layouts::Label_Width) * dots_per_mm)),
                static_cast<int>(std::lround(layout.Number(layouts::Label_Length) * dots_per_mm)),
                QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(static_cast<int>(std::lround(dots_per_mm * 1000)));
    page.setDotsPerMeterY(page.dotsPerMeterX());
    QPainter painter(&page);
    render::Printer_Page_Surface surface(painter, kPrinterDpi, kPrinterDpi, render::Bar_Edges::Inside_Dots);
    surface.Length_Limit_mm = store::Round_Half_Even(layout.Number(layouts::Label_Length));
    render::Label_Composer(surface, render_fixtures::Filled_Product(), layout, render_fixtures::Filled_Issue(),
                           context);
    return page;
}

// Number of pixels in which the pictures differ; every pixel when their sizes differ.
qsizetype Differing_Pixels(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size())
        return qsizetype(actual.width()) * actual.height();
    const QImage a = expected.convertToFormat(QImage::Format_RGB32);
    const QImage b = actual.convertToFormat(QImage::Format_RGB32);
    qsizetype differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* line_a = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* line_b = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            differing += (line_a[x] & 0xFFFFFF) != (line_b[x] & 0xFFFFFF);
    }
    return differing;
}

void Expect_Stored_Picture(const QImage& actual, const QString& name)
{
    const QImage expected(QStringLiteral(FOODLABEL_RENDER_TEST_DIR "/pictures/") + name);
    const qsizetype differing = expected.isNull() ? -1 : Differing_Pixels(expected, actual);
    if (differing != 0) {
        const QString written = QDir::current().absoluteFilePath(name);
        actual.convertToFormat(QImage::Format_Grayscale8).save(written, nullptr, 0);
        ADD_FAILURE() << name.toStdString() << ": "
                      << (differing < 0 ? std::string("no stored picture")
                                        : std::to_string(differing) + " pixels differ")
                      << "; composed picture written to " << written.toStdString();
    }
}

class Built_In_Label_Picture : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder_.Data_Folder())); }
    const layouts::Layout_Record& Layout() const
    {
        return layouts::Default_Layouts().at(static_cast<size_t>(GetParam())).record;
    }
    render::Compose_Context Context() { return {Edge_Aligned_Settings(), folder_.Data_Folder(), &answerer_}; }

    test_support::Temp_Folder folder_;
    test_support::Scripted_Answerer answerer_;
};

TEST_P(Built_In_Label_Picture, PreviewIsUnchanged)
{
    const QImage preview = render::Compose_Preview_Picture(render_fixtures::Filled_Product(), Layout(),
                                                           render_fixtures::Filled_Issue(), Context(),
                                                           render::Preview_Profile(96));
    Expect_Stored_Picture(preview, QStringLiteral("layout%1_preview96.png").arg(GetParam()));
}

TEST_P(Built_In_Label_Picture, PrintedPageIsUnchanged)
{
    Expect_Stored_Picture(Printed_Picture(Layout(), Context()),
                          QStringLiteral("layout%1_printed300.png").arg(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EightLayouts, Built_In_Label_Picture, ::testing::Range(0, 8));

}  // namespace
