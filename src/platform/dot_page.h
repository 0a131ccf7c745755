#pragma once
// A page of printer dots painted the way the queue's own rasteriser
// (Ghostscript, through CUPS's PDF filters) paints the PDF of the same
// drawing, so that a label sent as dots prints exactly as it printed when it
// was sent as PDF:
// - the drawing lies a fraction of a dot off the page, where the PDF page
//   (whole points) lands when the filters centre it on the label's page;
// - a filled rectangle paints every dot it touches, however little;
// - an outline or a line across or down drawn with a pen of one dot or less
//   paints the dots its middle runs through; a wider pen is rounded to whole
//   dots (x.5 down) and paints every dot the stroke of that width touches;
// - glyphs as the rasteriser paints our PDF's glyphs (Glyph_Dots), when the
//   page is handed the glyphs (Draw_Glyph_Run) or can find them (text);
// - pictures as the rasteriser paints our PDF's pictures (Picture_Dots);
// - everything else is painted by Qt, aliased, at the same fraction.
#include "platform/glyph_dots.h"

#include <QImage>
#include <QPaintDevice>
#include <QPointF>

#include <memory>

class QPainter;

namespace platform {

// Where the queue's filters lay our PDF page (whole points) on the label's
// page: centred, its corner `shift` points off the label page's corner
// (upwards), then moved by `rounding`, what their single-precision
// arithmetic leaves over (a few millionths of a point), both as the filters
// write them, to the millionth of a point; the rasteriser's page is `height`
// whole points high, ours `pdf_height`.
struct Pdf_Placement {
    QPointF shift;
    QPointF rounding;
    double height = 0;
    double pdf_height = 0;

    // Where, in dots, the rasteriser puts the drawing's origin on a page of `dpi_x` by `dpi_y`.
    QPointF Offset(int dpi_x, int dpi_y) const;
};

class Dot_Page : public QPaintDevice {
public:
    // `dots`: the blank page, one pixel per dot; `placement`: where the
    // rasteriser puts the drawing; `glyphs`: the glyph pictures made for
    // earlier pages at the same resolution, or none.
    Dot_Page(QImage dots, const Pdf_Placement& placement, std::shared_ptr<Glyph_Dots> glyphs = nullptr);
    ~Dot_Page() override;
    Dot_Page(const Dot_Page&) = delete;
    Dot_Page& operator=(const Dot_Page&) = delete;

    const QImage& Dots() const { return dots_; }
    QPointF Offset() const { return offset_; }
    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class Dot_Paint_Engine;
    friend void Draw_Glyph_Run(QPainter& painter, const QGlyphRun& run, const QFont& font);
    friend void Expect_Characters(QPainter& painter, const QString& characters);
    // The run drawn in `font` with `transform` (the drawing's), in `ink`; false when it was not painted.
    bool Paint_Glyphs(const QGlyphRun& run, const QFont& font, const QTransform& transform, const QColor& ink);

    QImage dots_;
    Pdf_Placement placement_;
    QPointF offset_;
    std::shared_ptr<Glyph_Dots> glyphs_;
    std::unique_ptr<QPaintEngine> engine_;
};

// Draws `run`, made from `font`, with `painter`: on a Dot_Page by the
// rasteriser's glyph rule, elsewhere as QPainter::drawGlyphRun does.
void Draw_Glyph_Run(QPainter& painter, const QGlyphRun& run, const QFont& font);
// On a Dot_Page: the characters the drawing is about to draw, whose glyphs
// the page prepares with the first it has to prepare; elsewhere nothing.
void Expect_Characters(QPainter& painter, const QString& characters);

}  // namespace platform
