// The painting surfaces on real devices: scale, fonts, bars, frames and pictures.
#include "render/qt_surfaces.h"
#include "store/cp932.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("あ")),
                     2 * metrics.horizontalAdvance(QStringLiteral("a")));
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

// Every character that can be stored (each with a CP932 form), and two that
// cannot and that the label face lacks, which a fallback face draws.
QString Drawable_Characters()
{
    QString characters;
    for (char32_t code = 0x20; code <= 0xFFFF; ++code) {
        const QChar c(static_cast<char16_t>(code));
        if (!c.isSurrogate() && store::First_Unencodable(QString(c)).isEmpty())
            characters += c;
    }
    return characters + QStringLiteral("♻✓");
}

// The characters on a grid of 24-pixel cells, 100 to a row.
std::vector<render::Placed_Character> On_A_Grid(const QString& characters)
{
    std::vector<render::Placed_Character> placed;
    for (qsizetype i = 0; i < characters.size(); ++i)
        placed.push_back({characters[i], QPoint(8 + 24 * int(i % 100), 30 + 24 * int(i / 100))});
    return placed;
}

using Surface_On = std::function<std::unique_ptr<render::Painter_Surface>(QImage&, QPainter&)>;

TEST(Painter_Surfaces, CharactersDrawnTogetherLookExactlyAsDrawnOneByOne)
{
    const QString characters = Drawable_Characters();
    const std::vector<render::Placed_Character> placed = On_A_Grid(characters);
    QFont face(render::Installed_Face(render::kLabelFace));
    int lacking = 0;
    for (QChar c : characters)
        lacking += !QRawFont::fromFont(face).supportsCharacter(c);
    EXPECT_GE(lacking, 2);  // the fallback faces are in the picture too

    const Surface_On preview = [](QImage& image, QPainter&) {
        return std::make_unique<render::Preview_Picture_Surface>(image, render::Preview_Profile(96));
    };
    // A 203 dpi printer page on a 300 dpi device: drawn through a scaling transform.
    const Surface_On printer = [](QImage& image, QPainter& painter) {
        image.setDotsPerMeterX(static_cast<int>(std::lround(300 / kInch * 1000)));
        image.setDotsPerMeterY(image.dotsPerMeterX());
        painter.begin(&image);
        return std::make_unique<render::Printer_Page_Surface>(painter, 203, 203, render::Bar_Edges::Inside_Dots);
    };
    struct Case {
        const char* name;
        const Surface_On& surface;
        int average_width;  // of a 20-pixel font: 10 is 100 %
        bool bold;
        int angle;
    };
    const Case cases[] = {
        {"preview", preview, 10, false, 0},
        {"preview 50 %", preview, 5, false, 0},
        {"preview 150 % bold", preview, 15, true, 0},
        {"preview turned", preview, 10, false, 90},
        {"printer bold", printer, 10, true, 0},
        {"printer 75 % turned", printer, 8, false, 90},
        {"printer upside down", printer, 10, true, 180},
    };
    for (const Case& c : cases) {
        render::Run_Font font;
        font.face = render::kLabelFace;
        font.height = 20;
        font.average_width = c.average_width;
        font.bold = c.bold;
        font.angle = c.angle;
        const auto draw = [&](bool together) {
            QImage image = Device(2420, 24 * int(placed.size() / 100) + 60, 96);
            QPainter painter;
            {
                const std::unique_ptr<render::Painter_Surface> surface = c.surface(image, painter);
                if (together)
                    surface->Characters(font, placed);
                else
                    for (const render::Placed_Character& one : placed)
                        surface->Text(font, one.corner.x(), one.corner.y(), QString(one.character));
            }
            if (painter.isActive())
                painter.end();
            return image;
        };
        const QImage one_by_one = draw(false);
        const QImage together = draw(true);
        EXPECT_TRUE(one_by_one == together) << c.name;
    }
}

}  // namespace
