// The painting surfaces on real devices: scale, fonts, bars, frames and pictures.
#include "render/qt_surfaces.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

constexpr double kInch = 25.4;

// A white picture that reports `dpi` to its painters, as a printer device does.
QImage Device(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / kInch * 1000)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / kInch * 1000)));
    return image;
}

bool Black(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 64;
}

TEST(Label_Face, GothicIsDrawnInIpaGothicWithHalfWidthHalfAdvance)
{
    EXPECT_EQ(render::Installed_Face(render::kLabelFace), "IPAGothic");
    EXPECT_EQ(render::Installed_Face("jan13"), "jan13");
    QFont font(render::Installed_Face(render::kLabelFace));
    font.setPixelSize(40);
    EXPECT_EQ(QFontInfo(font).family(), "IPAGothic");
    const QFontMetricsF metrics(font);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("あ")), 2 * metrics.horizontalAdvance(QStringLiteral("a")));
}

TEST(Printer_Page_Surface, BarsLieOnTheirDotsAtTheProfileResolutionWhateverTheDevice)
{
    // A 1200 dpi device printed as a 203 dpi printer: 1 mm of the label is still 1 mm.
    // The bar on the 203 dpi dots 80 and 81, at 10 mm: inside them by 0.45 dot
    // for a raster driver, exactly on them for a page kept as drawn.
    const std::pair<render::Bar_Edges, double> cases[] = {{render::Bar_Edges::Inside_Dots, 0.45},
                                                          {render::Bar_Edges::On_Dots, 0.0}};
    for (const auto& [edges, inset] : cases) {
        QImage page = Device(1200, 600, 1200);
        {
            QPainter painter(&page);
            render::Printer_Page_Surface surface(painter, 203, 203, edges);
            const double dot = 1440.0 / 203;  // twips
            surface.Bar(QRectF(80 * dot, 5 * render::kPrinterUnitsPerMm, 2 * dot, 3 * render::kPrinterUnitsPerMm));
        }
        const double pixels_per_mm = 1200 / kInch;
        const int row = static_cast<int>(6 * pixels_per_mm);
        const int first = static_cast<int>(std::ceil((80 + inset) * 1200 / 203.0));
        const int last = static_cast<int>(std::floor((82 - inset) * 1200 / 203.0)) - 1;
        EXPECT_FALSE(Black(page, first - 2, row)) << inset;
        EXPECT_TRUE(Black(page, first + 1, row)) << inset;
        EXPECT_TRUE(Black(page, last - 1, row)) << inset;
        EXPECT_FALSE(Black(page, last + 2, row)) << inset;
        EXPECT_NEAR(first / pixels_per_mm, 10 + inset * kInch / 203, 0.05) << inset;
    }
}

TEST(Preview_Picture_Surface, BarsCoverTheirPixelsAndFramesLieInside)
{
    const render::Surface_Profile profile = render::Preview_Profile(96);
    QImage picture(200, 100, QImage::Format_RGB32);
    {
        render::Preview_Picture_Surface surface(picture, profile);
        // A bar of two whole pixels (15 units each) from pixel 20, and one of a third of a pixel.
        surface.Bar(QRectF(300, 150, 30, 300));
        surface.Bar(QRectF(450, 150, 5, 300));
        surface.Rectangle(QPointF(1500, 150), QPointF(2250, 900));
    }
    const int y = 20;
    EXPECT_FALSE(Black(picture, 19, y));
    EXPECT_TRUE(Black(picture, 20, y));
    EXPECT_TRUE(Black(picture, 21, y));
    EXPECT_FALSE(Black(picture, 22, y));
    EXPECT_TRUE(Black(picture, 30, y));  // never thinner than a pixel
    EXPECT_FALSE(Black(picture, 31, y));
    // Frame from pixel (100, 10) to (150, 60), one pixel wide, inside the box.
    EXPECT_TRUE(Black(picture, 100, 30));
    EXPECT_TRUE(Black(picture, 150, 30));
    EXPECT_TRUE(Black(picture, 120, 10));
    EXPECT_TRUE(Black(picture, 120, 60));
    EXPECT_FALSE(Black(picture, 101, 30));
    EXPECT_FALSE(Black(picture, 99, 30));
    EXPECT_FALSE(Black(picture, 151, 30));
}

TEST(Painter_Surfaces, MarkPicturesLeaveTheLabelUnderTheirWhite)
{
    QImage mark(8, 8, QImage::Format_RGB32);
    mark.fill(Qt::white);
    mark.setPixel(0, 0, qRgb(0, 0, 0));
    const QColor grey(128, 128, 128);

    const render::Surface_Profile profile = render::Preview_Profile(96);
    QImage picture(40, 40, QImage::Format_RGB32);
    {
        render::Preview_Picture_Surface surface(picture, profile);
        surface.Bar(QRectF(0, 0, 600, 600));  // black under the whole mark
        surface.Picture(mark, QRectF(0, 0, 120, 120), render::Picture_Mode::Multiply, "pura00.bmp");
    }
    EXPECT_TRUE(Black(picture, 5, 5));  // white over black stays black (AND)

    QImage page = Device(200, 200, 203);
    page.fill(grey);
    {
        QPainter painter(&page);
        render::Printer_Page_Surface surface(painter, 203, 203, render::Bar_Edges::On_Dots);
        const double units = render::kPrinterUnitsPerMm;
        surface.Picture(mark, QRectF(0, 0, 16 * units, 16 * units), render::Picture_Mode::Multiply, "pura00.bmp");
    }
    EXPECT_EQ(QColor(page.pixel(100, 100)), grey);  // white leaves the page as it was
    EXPECT_TRUE(Black(page, 3, 3));
}

TEST(Painter_Surfaces, TextRunsSitBelowTheirTopLeftCorner)
{
    const render::Surface_Profile profile = render::Preview_Profile(96);
    QImage picture(200, 100, QImage::Format_RGB32);
    render::Run_Font font;
    font.face = render::kLabelFace;
    font.height = 40;
    font.average_width = 20;
    {
        render::Preview_Picture_Surface surface(picture, profile);
        surface.Text(font, 10, 20, QStringLiteral("■"));
        font.angle = 90;
        surface.Text(font, 120, 80, QStringLiteral("■"));
    }
    int top = 100, left = 200, right = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (Black(picture, x, y)) {
                top = std::min(top, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 30);
    EXPECT_GE(left, 10);
    EXPECT_LE(right, 52);
    // Turned by 90 degrees the glyph lies right of and above its corner.
    bool above = false;
    for (int y = 40; y < 80; ++y)
        for (int x = 121; x < 160; ++x)
            above = above || Black(picture, x, y);
    EXPECT_TRUE(above);
}

}  // namespace
