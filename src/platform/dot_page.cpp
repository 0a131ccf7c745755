#include "platform/dot_page.h"

#include "platform/picture_dots.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>

namespace platform {

namespace {

// The dots a rectangle (in dots) touches with any part of its area.
QRect Touched_Dots(const QRectF& box)
{
    const QPoint from(int(std::floor(box.left())), int(std::floor(box.top())));
    const QPoint to(int(std::ceil(box.right())) - 1, int(std::ceil(box.bottom())) - 1);
    return {from, to};
}

// The dots whose every part lies inside the rectangle (in dots).
QRect Covered_Dots(const QRectF& box)
{
    const QPoint from(int(std::ceil(box.left())), int(std::ceil(box.top())));
    const QPoint to(int(std::floor(box.right())) - 1, int(std::floor(box.bottom())) - 1);
    return {from, to};
}

// The dots from the one holding the rectangle's top left corner to the one
// holding its bottom right corner (in dots).
QRect Centre_Dots(const QRectF& box)
{
    return {QPoint(int(std::floor(box.left())), int(std::floor(box.top()))),
            QPoint(int(std::floor(box.right())), int(std::floor(box.bottom())))};
}

}  // namespace

// Rectangles, filled or outlined, and lines across or down are painted dot by
// dot by the rules above, glyphs by the page's Glyph_Dots, pictures by
// Picture_Dots; other shapes, and pictures those do not cover, go to Qt's
// own painter on the dots, moved by the page's offset.
class Dot_Paint_Engine final : public QPaintEngine {
public:
    Dot_Paint_Engine() : QPaintEngine(QPaintEngine::AllFeatures) { }

    bool begin(QPaintDevice* device) override
    {
        page_ = static_cast<Dot_Page*>(device);
        if (!dots_.begin(&page_->dots_))
            return false;
        dots_.setRenderHint(QPainter::Antialiasing, false);
        Set_Transform(QTransform());
        return true;
    }
    bool end() override { return dots_.end(); }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            dots_.setPen(state.pen());
        if (dirty & DirtyBrush)
            dots_.setBrush(state.brush());
        if (dirty & DirtyBrushOrigin)
            dots_.setBrushOrigin(state.brushOrigin());
        if (dirty & DirtyFont)
            dots_.setFont(state.font());
        if (dirty & DirtyTransform)
            Set_Transform(state.transform());
        if (dirty & DirtyCompositionMode)
            dots_.setCompositionMode(state.compositionMode());
        if (dirty & DirtyOpacity)
            dots_.setOpacity(state.opacity());
        if (dirty & DirtyClipEnabled)
            dots_.setClipping(state.isClipEnabled());
        if (dirty & DirtyClipPath)
            dots_.setClipPath(state.clipPath(), state.clipOperation());
        if (dirty & DirtyClipRegion)
            dots_.setClipRegion(state.clipRegion(), state.clipOperation());
    }

    void drawRects(const QRectF* rects, int count) override
    {
        if (!Keeps_Rectangles()) {
            QPaintEngine::drawRects(rects, count);  // as paths
            return;
        }
        for (int i = 0; i < count; ++i) {
            const QRectF box = On_Dots(rects[i]);
            if (dots_.brush().style() != Qt::NoBrush)
                Fill(Touched_Dots(box), dots_.brush());
            if (dots_.pen().style() != Qt::NoPen)
                Outline(box);
        }
    }

    void drawPath(const QPainterPath& path) override { dots_.drawPath(path); }
    // Text as the glyphs of its characters, side by side from the origin as
    // the painter lays out text; what cannot be painted so (characters of
    // another face, glyphs the rasteriser would draw as outlines) Qt paints.
    void drawTextItem(const QPointF& origin, const QTextItem& text) override
    {
        const QGlyphRun run = Laid_Out_Glyphs(origin, text);
        if (run.glyphIndexes().isEmpty() || !page_->Paint_Glyphs(run, text.font(), transform_, dots_.pen().color()))
            dots_.paintEngine()->drawTextItem(origin, text);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            dots_.drawPolyline(points, count);
        else
            dots_.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            if (!Straight_Line(lines[i]))
                dots_.drawLine(lines[i]);
    }
    void drawPoints(const QPointF* points, int count) override { dots_.drawPoints(points, count); }
    void drawEllipse(const QRectF& box) override { dots_.drawEllipse(box); }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override
    {
        if (!Paint_Picture(target, image, source))
            dots_.drawImage(target, image, source, flags);
    }

private:
    // The glyphs of the text's characters in its font with their origins, or
    // none when a character has no glyph of its own in that font.
    static QGlyphRun Laid_Out_Glyphs(const QPointF& origin, const QTextItem& text)
    {
        const QString characters = text.text();
        if (characters.isEmpty())
            return {};
        const QRawFont font = QRawFont::fromFont(text.font());
        const QList<quint32> glyphs = font.glyphIndexesForString(characters);
        if (glyphs.size() != characters.size() || glyphs.contains(0))
            return {};
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
        QList<QPointF> positions;
        positions.reserve(glyphs.size());
        // The painter places text at 1/64 pixel and adds the advances to it.
        QPointF pen(std::round(origin.x() * 64) / 64, std::round(origin.y() * 64) / 64);
        for (const QPointF& advance : advances) {
            positions.append(pen);
            pen += advance;
        }
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        return run;
    }

    void Set_Transform(const QTransform& transform)
    {
        transform_ = transform;
        dots_.setTransform(transform * QTransform::fromTranslate(page_->offset_.x(), page_->offset_.y()));
    }

    // Whether the drawing's rectangles stay rectangles across and down on the
    // dots: no turn, or a quarter turn (a turned label).
    bool Keeps_Rectangles() const
    {
        return (transform_.m12() == 0 && transform_.m21() == 0) || (transform_.m11() == 0 && transform_.m22() == 0);
    }

    QRectF On_Dots(const QRectF& rect) const
    {
        return transform_.mapRect(rect).normalized().translated(page_->offset_);
    }

    void Fill(const QRect& dots, const QBrush& brush)
    {
        if (dots.isEmpty())
            return;
        dots_.save();
        dots_.resetTransform();
        dots_.fillRect(dots, brush);
        dots_.restore();
    }

    // The pen's width in dots as the rasteriser strokes it: 0 for a pen of a
    // dot or less, which paints the dots the line's middle runs through
    // (Centre_Dots); a wider one whole dots wide, rounded (x.5 down).
    double Stroke_Width() const
    {
        const QPen& pen = dots_.pen();
        const double width = pen.isCosmetic() ? pen.widthF()
                                              : pen.widthF() * std::sqrt(std::abs(transform_.determinant()));
        return width <= 1 ? 0 : std::ceil(width - 0.5);
    }

    // A line across or down (an underline) as the dots its middle runs
    // through, or for a pen wider than a dot, every dot its stroke touches;
    // false for any other line, which Qt draws.
    bool Straight_Line(const QLineF& line)
    {
        const QPen& pen = dots_.pen();
        const QLineF on_dots = transform_.map(line).translated(page_->offset_);
        const bool across = on_dots.y1() == on_dots.y2(), down = on_dots.x1() == on_dots.x2();
        if (!Keeps_Rectangles() || pen.style() != Qt::SolidLine || across == down)
            return false;
        const double width = Stroke_Width();
        const double cap = pen.capStyle() == Qt::FlatCap ? 0 : width / 2;
        QRectF box = QRectF(on_dots.p1(), on_dots.p2()).normalized();
        if (width == 0) {
            Fill(Centre_Dots(box.adjusted(-cap, -cap, cap, cap)), pen.brush());
            return true;
        }
        const double half = width / 2;
        box = across ? box.adjusted(-cap, -half, cap, half) : box.adjusted(-half, -cap, half, cap);
        Fill(Touched_Dots(box), pen.brush());
        return true;
    }

    // A picture upright or turned a quarter, as the rasteriser paints it from
    // the PDF (Picture_Dots); false for any other, which Qt paints.
    bool Paint_Picture(const QRectF& target, const QImage& image, const QRectF& source)
    {
        if (!Keeps_Rectangles() || dots_.hasClipping() || dots_.opacity() != 1.0
            || dots_.compositionMode() != QPainter::CompositionMode_SourceOver || source.isEmpty() || target.isEmpty())
            return false;
        const QRect pixels = source.toRect();
        const QImage picture = pixels == image.rect() ? image : image.copy(pixels);
        const QTransform placed = QTransform(target.width() / source.width(), 0, 0, target.height() / source.height(),
                                             target.x(), target.y())
            * transform_;
        return Picture_Dots(picture, placed, page_->placement_, page_->dots_);
    }

    // The outline of `box` (in dots) in the pen's width about its edges.
    void Outline(const QRectF& box)
    {
        const QPen pen = dots_.pen();
        const double width = Stroke_Width();
        QRect outer, hole;
        if (width == 0) {
            // One dot: the dots the edges run through.
            outer = Centre_Dots(box);
            hole = outer.adjusted(1, 1, -1, -1);
        } else {
            const double half = width / 2;
            outer = Touched_Dots(box.adjusted(-half, -half, half, half));
            hole = Covered_Dots(box.adjusted(half, half, -half, -half));
        }
        const QBrush ink = pen.brush();
        if (hole.isEmpty()) {
            Fill(outer, ink);
            return;
        }
        Fill(QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), hole.top() - 1)), ink);
        Fill(QRect(QPoint(outer.left(), hole.bottom() + 1), QPoint(outer.right(), outer.bottom())), ink);
        Fill(QRect(QPoint(outer.left(), hole.top()), QPoint(hole.left() - 1, hole.bottom())), ink);
        Fill(QRect(QPoint(hole.right() + 1, hole.top()), QPoint(outer.right(), hole.bottom())), ink);
    }

    Dot_Page* page_ = nullptr;
    QPainter dots_;
    QTransform transform_;  // the drawing's, without the page's offset
};

QPointF Pdf_Placement::Offset(int dpi_x, int dpi_y) const
{
    return {(rounding.x() + shift.x()) * dpi_x / 72.0, (height - pdf_height - shift.y() - rounding.y()) * dpi_y / 72.0};
}

Dot_Page::Dot_Page(QImage dots, const Pdf_Placement& placement, std::shared_ptr<Glyph_Dots> glyphs)
    : dots_(std::move(dots)), placement_(placement),
      offset_(placement.Offset(dots_.logicalDpiX(), dots_.logicalDpiY())),
      glyphs_(glyphs && glyphs->Dpi() == dots_.logicalDpiX() ? std::move(glyphs)
                                                             : std::make_shared<Glyph_Dots>(dots_.logicalDpiX())),
      engine_(std::make_unique<Dot_Paint_Engine>())
{
}

bool Dot_Page::Paint_Glyphs(const QGlyphRun& run, const QFont& font, const QTransform& transform, const QColor& ink)
{
    return glyphs_->Paint(dots_, run, font, transform * QTransform::fromTranslate(offset_.x(), offset_.y()),
                          qGray(ink.rgb()));
}

void Draw_Glyph_Run(QPainter& painter, const QGlyphRun& run, const QFont& font)
{
    auto* page = dynamic_cast<Dot_Page*>(painter.device());
    if (!page || !page->Paint_Glyphs(run, font, painter.combinedTransform(), painter.pen().color()))
        painter.drawGlyphRun(QPointF(), run);
}

void Expect_Characters(QPainter& painter, const QString& characters)
{
    if (auto* page = dynamic_cast<Dot_Page*>(painter.device()))
        page->glyphs_->Expect(characters);
}

Dot_Page::~Dot_Page() = default;

QPaintEngine* Dot_Page::paintEngine() const
{
    return engine_.get();
}

int Dot_Page::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return dots_.width();
    case PdmHeight:
        return dots_.height();
    case PdmWidthMM:
        return dots_.widthMM();
    case PdmHeightMM:
        return dots_.heightMM();
    case PdmNumColors:
        return dots_.colorCount();
    case PdmDepth:
        return dots_.depth();
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return dots_.logicalDpiX();
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return dots_.logicalDpiY();
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

}  // namespace platform
