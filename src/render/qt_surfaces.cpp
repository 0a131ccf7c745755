#include "render/qt_surfaces.h"

#include "platform/dot_page.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace render {
namespace {

const QString kSubstituteFace = QStringLiteral("IPAGothic");

QFont Run_Qt_Font(const Run_Font& run)
{
    QFont font(Installed_Face(run.face));
    font.setPixelSize(run.height);
    // The average width is that of a half-width character, half the height at normal width.
    if (run.average_width > 0)
        font.setStretch(std::clamp(static_cast<int>(std::lround(run.average_width * 200.0 / run.height)), 1, 4000));
    font.setWeight(run.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(run.italic);
    font.setUnderline(run.underline);
    return font;
}

}  // namespace

QString Installed_Face(const QString& face)
{
    return face == kLabelFace ? kSubstituteFace : face;
}

Painter_Surface::Painter_Surface(const Surface_Profile& profile, QPainter& painter, Label_Resources* resources)
    : Drawing_Surface(profile), painter_(painter),
      own_resources_(resources ? nullptr : std::make_unique<Label_Resources>()),
      resources_(resources ? *resources : *own_resources_)
{
}

QPointF Painter_Surface::To_Pixels(QPointF units) const
{
    return {units.x() / Profile().twips_per_pixel_x, units.y() / Profile().twips_per_pixel_y};
}

QRectF Painter_Surface::To_Pixels(const QRectF& units) const
{
    return {To_Pixels(units.topLeft()), To_Pixels(units.bottomRight())};
}

std::vector<Prepared_Font>& Painter_Surface::Prepared_Fonts()
{
    // By the device's resolution, which decides how a pixel-sized font is resolved and measured.
    const QPaintDevice* device = painter_.device();
    return resources_.Fonts(device->logicalDpiX(), device->logicalDpiY());
}

const Prepared_Font& Painter_Surface::Select_Font(const Run_Font& font)
{
    // A label uses a handful of fonts: each is built once and set only when it changes.
    std::vector<Prepared_Font>& fonts = Prepared_Fonts();
    auto found = std::find_if(fonts.begin(), fonts.end(), [&](const Prepared_Font& f) { return f.run == font; });
    if (found == fonts.end()) {
        if (fonts.size() >= 32)
            fonts.clear();
        painter_.setFont(Run_Qt_Font(font));
        Prepared_Font prepared{
            font, painter_.font(), QRawFont::fromFont(painter_.font()),
            QFontMetricsF(painter_.font(), painter_.device()).ascent(),
            font.bold && !QFontDatabase::styles(painter_.font().family()).contains(QStringLiteral("Bold"))};
        fonts.push_back(std::move(prepared));
        found = fonts.end() - 1;
    } else if (painter_font_ != font) {
        painter_.setFont(found->font);
    }
    painter_font_ = font;
    if (painter_.pen().style() != Qt::SolidLine || painter_.pen().color() != Qt::black)
        painter_.setPen(Qt::black);  // a pen change costs a state change on printer devices
    return *found;
}

void Painter_Surface::Text(const Run_Font& font, int px, int py, const QString& text)
{
    if (font.height < 1)
        return;  // a character of no height is invisible
    Use_Device_Pixels();
    const Prepared_Font& prepared = Select_Font(font);
    if (font.angle == 0) {
        Draw_Run_Text(prepared, QPointF(px, py + prepared.ascent), text);
        return;
    }
    const QTransform upright = painter_.worldTransform();
    // Escapement turns counter-clockwise about the run's top-left corner.
    painter_.setWorldTransform(QTransform(upright).translate(px, py).rotate(-font.angle));
    Draw_Run_Text(prepared, QPointF(0, prepared.ascent), text);
    painter_.setWorldTransform(upright);
}

void Painter_Surface::Draw_Run_Text(const Prepared_Font& font, QPointF baseline, const QString& text)
{
    painter_.drawText(baseline, text);
    if (font.synthetic_bold && Strikes_Synthetic_Bold_Twice())
        painter_.drawText(baseline + QPointF(font.font.pixelSize() / 24.0, 0), text);
}

void Painter_Surface::Expect_Characters(const QString& characters)
{
    platform::Expect_Characters(painter_, characters);
}

void Painter_Surface::Characters(const Run_Font& font, const std::vector<Placed_Character>& characters)
{
    // Qt draws an underline under each text it writes: underlined characters
    // keep one call each, so that their lines stay as they are.
    if (font.height < 1 || font.underline) {
        Drawing_Surface::Characters(font, characters);
        return;
    }
    Use_Device_Pixels();
    const Prepared_Font& prepared = Select_Font(font);
    std::vector<quint32> glyphs(characters.size());
    QString text(static_cast<qsizetype>(characters.size()), Qt::Uninitialized);
    for (size_t i = 0; i < characters.size(); ++i)
        text[static_cast<qsizetype>(i)] = characters[i].character;
    // Lone surrogates stay without a glyph; a pair would give one glyph for two characters.
    const bool one_glyph_each = std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); });
    int found = static_cast<int>(glyphs.size());
    if (!one_glyph_each || !prepared.glyphs.glyphIndexesForChars(text.constData(), found, glyphs.data(), &found)
        || found != static_cast<int>(glyphs.size()))
        std::fill(glyphs.begin(), glyphs.end(), 0);
    // A character the face lacks is written alone, so that Qt draws it from a
    // fallback face as it draws any text.
    size_t from = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (glyphs[i] != 0)
            continue;
        Draw_Glyphs(prepared, characters, glyphs, from, i);
        Text(font, characters[i].corner.x(), characters[i].corner.y(), QString(characters[i].character));
        from = i + 1;
    }
    Draw_Glyphs(prepared, characters, glyphs, from, characters.size());
}

void Painter_Surface::Draw_Glyphs(const Prepared_Font& font, const std::vector<Placed_Character>& characters,
                                  const std::vector<quint32>& glyphs, size_t from, size_t to)
{
    if (from >= to)
        return;
    // Each glyph goes where Text puts that character alone: its baseline at
    // the ascent below its corner, in the run's direction about the first corner.
    const QPoint origin = characters[from].corner;
    const int angle = font.run.angle;
    const QTransform back = QTransform().rotate(angle);  // device offsets into the turned frame
    const bool twice = font.synthetic_bold && Strikes_Synthetic_Bold_Twice();
    // drawText starts its text at a multiple of 1/64 pixel across: the second strike too.
    const QPointF second_strike(std::round(font.font.pixelSize() / 24.0 * 64) / 64, 0);
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(qsizetype(to - from) * (twice ? 2 : 1));
    positions.reserve(indexes.capacity());
    for (size_t i = from; i < to; ++i) {
        const QPoint offset = characters[i].corner - origin;
        const QPointF baseline = (angle == 0 ? QPointF(characters[i].corner) : back.map(QPointF(offset)))
            + QPointF(0, font.ascent);
        indexes.append(glyphs[i]);
        positions.append(baseline);
        if (twice) {
            indexes.append(glyphs[i]);
            positions.append(baseline + second_strike);
        }
    }
    QGlyphRun run;
    run.setRawFont(font.glyphs);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    if (angle == 0) {
        platform::Draw_Glyph_Run(painter_, run, font.font);
        return;
    }
    const QTransform upright = painter_.worldTransform();
    painter_.setWorldTransform(QTransform(upright).translate(origin.x(), origin.y()).rotate(-angle));
    platform::Draw_Glyph_Run(painter_, run, font.font);
    painter_.setWorldTransform(upright);
}

void Painter_Surface::Rectangle(QPointF from, QPointF to)
{
    // The outline lies inside the box, its four sides drawn as filled strips of the line width.
    Use_Device_Pixels();
    const QRectF pixels = QRectF(To_Pixels(from), To_Pixels(to)).normalized();
    const int left = static_cast<int>(std::lround(pixels.left()));
    const int top = static_cast<int>(std::lround(pixels.top()));
    const int width = static_cast<int>(std::lround(pixels.right())) - left + 1;
    const int height = static_cast<int>(std::lround(pixels.bottom())) - top + 1;
    const int line = std::min({line_width_, width, height});
    painter_.fillRect(left, top, width, line, Qt::black);
    painter_.fillRect(left, top + height - line, width, line, Qt::black);
    painter_.fillRect(left, top, line, height, Qt::black);
    painter_.fillRect(left + width - line, top, line, height, Qt::black);
}

QRect Painter_Surface::Bar_Pixels(const QRectF& box) const
{
    const QRectF pixels = To_Pixels(box).normalized();
    const QPoint from(static_cast<int>(std::lround(pixels.left())), static_cast<int>(std::lround(pixels.top())));
    const QPoint to(static_cast<int>(std::lround(pixels.right())), static_cast<int>(std::lround(pixels.bottom())));
    return {from, QSize(std::max(1, to.x() - from.x()), std::max(1, to.y() - from.y()))};
}

void Painter_Surface::Bar(const QRectF& box)
{
    // A bar covers exactly the device pixels inside its box: bars of whole pixels keep their width.
    Use_Device_Pixels();
    painter_.fillRect(Bar_Pixels(box), Qt::black);
}

void Painter_Surface::Set_Line_Width(int pixels)
{
    line_width_ = pixels;
}

void Painter_Surface::Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString&)
{
    Use_Device_Pixels();
    const QRectF pixels = To_Pixels(box);
    if (mode == Picture_Mode::Multiply)
        Multiply_Picture(picture, pixels);
    else
        painter_.drawImage(pixels, picture);
}

void Painter_Surface::Barcode_Font_Text(const QString& face, QPointF position, double height_mm, const QString& digits)
{
    Use_Device_Pixels();
    painter_font_.reset();
    QFont font(face);
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(height_mm * Profile().units_per_mm / Profile().twips_per_pixel_y))));
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const QPointF at = To_Pixels(position);
    painter_.drawText(QPointF(at.x(), at.y() + QFontMetricsF(font, painter_.device()).ascent()), digits);
}

bool Painter_Surface::Has_Font(const QString& face) const
{
    return QFontDatabase::families().contains(face);
}

Printer_Page_Surface::Printer_Page_Surface(QPainter& painter, int dpi_x, int dpi_y, Bar_Edges bar_edges,
                                           Label_Resources* resources)
    : Painter_Surface(Printer_Profile(dpi_x, dpi_y), painter, resources), bar_edges_(bar_edges)
{
    const QPaintDevice* device = painter.device();
    to_device_ = QTransform::fromScale(static_cast<double>(device->logicalDpiX()) / dpi_x,
                                       static_cast<double>(device->logicalDpiY()) / dpi_y)
        * painter.worldTransform();
}

void Printer_Page_Surface::Use_Device_Pixels()
{
    if (painter_.worldTransform() != to_device_)
        painter_.setWorldTransform(to_device_);
}

void Printer_Page_Surface::Multiply_Picture(const QImage& picture, const QRectF& pixel_box)
{
    // Printer and PDF engines ignore raster operations: the white is taken out
    // beforehand, so that a document of many labels holds the picture once.
    painter_.drawImage(pixel_box, Resources().Converted(picture, Picture_Conversion::Without_White));
}

void Printer_Page_Surface::Bar(const QRectF& box)
{
    // Raster drivers paint every dot a filled shape touches, and their page may
    // lie a fraction of a dot off ours: a bar filling its dots exactly comes out
    // a dot wider, its neighbouring spaces a dot narrower (measured on CUPS's ZPL
    // driver). Drawn 0.45 dot inside its dots, the bar is painted on exactly its
    // dots by either rule (dots touched, or dot centres inside). A page kept as
    // drawn gets the bar exactly where the composer put it, on the 203-dpi grid.
    Use_Device_Pixels();
    if (bar_edges_ == Bar_Edges::On_Dots) {
        painter_.fillRect(To_Pixels(box).normalized(), Qt::black);
        return;
    }
    constexpr double kInset = 0.45;
    painter_.fillRect(QRectF(Bar_Pixels(box)).adjusted(kInset, kInset, -kInset, -kInset), Qt::black);
}

int Printer_Page_Surface::Bar_Grid_Dpi() const
{
    return bar_edges_ == Bar_Edges::On_Dots ? kLabelPrinterDpi : Profile().rx;
}

void Printer_Page_Surface::Rectangle(QPointF from, QPointF to)
{
    // One stroked outline per frame keeps printer and PDF output small; the
    // stroke lies inside the box as on the preview.
    Use_Device_Pixels();
    const QRectF pixels = QRectF(To_Pixels(from), To_Pixels(to)).normalized();
    const QRectF snapped(QPointF(std::round(pixels.left()), std::round(pixels.top())),
                         QPointF(std::round(pixels.right()) + 1, std::round(pixels.bottom()) + 1));
    const double line = std::min({static_cast<double>(Line_Width()), snapped.width(), snapped.height()});
    QPen pen(Qt::black, line);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(snapped.adjusted(line / 2, line / 2, -line / 2, -line / 2));
}

Preview_Picture_Surface::Preview_Picture_Surface(QImage& image, const Surface_Profile& profile,
                                                 Label_Resources* resources)
    : Painter_Surface(profile, own_painter_, resources), own_painter_(&image)
{
    own_painter_.fillRect(image.rect(), Qt::white);
}

void Preview_Picture_Surface::Multiply_Picture(const QImage& picture, const QRectF& pixel_box)
{
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter_.drawImage(pixel_box, Resources().Converted(picture, Picture_Conversion::Rgb32));
    painter_.restore();
}

int Preview_Pixels(double twips, const Surface_Profile& profile)
{
    return static_cast<int>(std::lround(twips / profile.twips_per_pixel_x));
}

}  // namespace render
