#pragma once
// The two real surfaces: a printer page painted through QPainter on any paged
// device (a QPrinter or a QPdfWriter), and the preview picture on a QImage.
#include "render/drawing_surface.h"

#include <QPainter>

#include <optional>

class QPagedPaintDevice;

namespace render {

// "ＭＳ ゴシック" is drawn in IPAGothic, which has the same proportions; other
// faces are used as named.
QString Installed_Face(const QString& face);

// Shared painting of both surfaces.
class Painter_Surface : public Drawing_Surface {
public:
    void Text(const Run_Font& font, int px, int py, const QString& text) override;
    void Rectangle(QPointF from, QPointF to) override;
    void Bar(const QRectF& box) override;
    void Set_Line_Width(int pixels) override;
    void Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString& source) override;
    void Barcode_Font_Text(const QString& face, QPointF position, double height_mm, const QString& digits) override;
    bool Has_Font(const QString& face) const override;

protected:
    Painter_Surface(const Surface_Profile& profile, QPainter& painter);
    int Line_Width() const { return line_width_; }
    // The current text font is bold but its face has no bold style of its own.
    bool current_synthetic_bold_ = false;
    // Sets the painter to device pixels of the profile.
    virtual void Use_Device_Pixels() = 0;
    // Writes a run's text with the painter's font, its baseline starting at the point.
    virtual void Draw_Run_Text(QPointF baseline, const QString& text);
    // Draws a picture whose white must leave the label unchanged.
    virtual void Multiply_Picture(const QImage& picture, const QRectF& pixel_box) = 0;
    QRectF To_Pixels(const QRectF& units) const;
    // The device pixels a bar covers: its edges rounded to pixel boundaries.
    QRect Bar_Pixels(const QRectF& box) const;
    QPointF To_Pixels(QPointF units) const;
    QPainter& painter_;

private:
    int line_width_ = 1;
    std::optional<Run_Font> current_font_;  // the font the painter holds for text runs
    double current_ascent_ = 0;
};

// Where a barcode bar's edges lie on a printer page.
enum class Bar_Edges {
    // On the dots of a 203-dpi label printer: the page is kept as drawn (a PDF
    // or PostScript device) and may be printed at any resolution.
    On_Dots,
    // A little inside the page's own dots: a raster driver paints every dot a shape touches.
    Inside_Dots,
};

// The printer page. The painter is active on the paged device (the print run
// starts pages); text runs use the profile's resolution, whatever the device's own.
class Printer_Page_Surface : public Painter_Surface {
public:
    Printer_Page_Surface(QPainter& painter, int dpi_x, int dpi_y, Bar_Edges bar_edges);
    void Rectangle(QPointF from, QPointF to) override;
    void Bar(const QRectF& box) override;
    int Bar_Grid_Dpi() const override;

protected:
    void Use_Device_Pixels() override;
    void Multiply_Picture(const QImage& picture, const QRectF& pixel_box) override;
    void Draw_Run_Text(QPointF baseline, const QString& text) override;

private:
    QTransform to_device_;
    Bar_Edges bar_edges_;
};

// The preview picture: one device pixel per image pixel, cleared to white.
class Preview_Picture_Surface : public Painter_Surface {
public:
    Preview_Picture_Surface(QImage& image, const Surface_Profile& profile);

protected:
    void Use_Device_Pixels() override {}
    void Multiply_Picture(const QImage& picture, const QRectF& pixel_box) override;

private:
    QPainter own_painter_;
};

// Pixel size of the preview picture for a size in picture twips.
int Preview_Pixels(double twips, const Surface_Profile& profile);

}  // namespace render
