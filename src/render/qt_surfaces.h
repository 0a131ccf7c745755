#pragma once
// The two real surfaces: a printer page painted through QPainter on any paged
// device (a QPrinter or a QPdfWriter), and the preview picture on a QImage.
#include "render/drawing_surface.h"
#include "render/label_resources.h"

#include <QPainter>
#include <QRawFont>

#include <memory>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace render {

// "ＭＳ ゴシック" is drawn in IPAGothic, which has the same proportions; other
// faces are used as named.
QString Installed_Face(const QString& face);

// Shared painting of both surfaces.
class Painter_Surface : public Drawing_Surface {
public:
    void Text(const Run_Font& font, int px, int py, const QString& text) override;
    void Characters(const Run_Font& font, const std::vector<Placed_Character>& characters) override;
    void Rectangle(QPointF from, QPointF to) override;
    void Bar(const QRectF& box) override;
    void Set_Line_Width(int pixels) override;
    void Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString& source) override;
    void Barcode_Font_Text(const QString& face, QPointF position, double height_mm, const QString& digits) override;
    bool Has_Font(const QString& face) const override;
    void Expect_Characters(const QString& characters) override;

protected:
    // `resources` keeps prepared fonts and converted pictures for further
    // labels; none: this surface keeps its own.
    Painter_Surface(const Surface_Profile& profile, QPainter& painter, Label_Resources* resources);
    int Line_Width() const { return line_width_; }
    // Sets the painter to device pixels of the profile.
    virtual void Use_Device_Pixels() = 0;
    // Whether a bold run whose face has no bold style is struck twice, the
    // second time 1/24 em to the right (where the device does not embolden it).
    virtual bool Strikes_Synthetic_Bold_Twice() const { return false; }
    // Draws a picture whose white must leave the label unchanged.
    virtual void Multiply_Picture(const QImage& picture, const QRectF& pixel_box) = 0;
    QRectF To_Pixels(const QRectF& units) const;
    // The device pixels a bar covers: its edges rounded to pixel boundaries.
    QRect Bar_Pixels(const QRectF& box) const;
    QPointF To_Pixels(QPointF units) const;
    QPainter& painter_;
    Label_Resources& Resources() { return resources_; }

private:
    // Gives the painter the run's font and a black pen.
    const Prepared_Font& Select_Font(const Run_Font& font);
    // Writes text with the painter's font, its baseline starting at the point.
    void Draw_Run_Text(const Prepared_Font& font, QPointF baseline, const QString& text);
    // Draws the characters [from, to) whose glyphs the face has, in one call.
    void Draw_Glyphs(const Prepared_Font& font, const std::vector<Placed_Character>& characters,
                     const std::vector<quint32>& glyphs, size_t from, size_t to);

    // The fonts prepared so far for devices of the painter's resolution: a run
    // of labels uses the same few fonts, prepared once for all of them.
    std::vector<Prepared_Font>& Prepared_Fonts();

    std::unique_ptr<Label_Resources> own_resources_;
    Label_Resources& resources_;
    int line_width_ = 1;
    std::optional<Run_Font> painter_font_;  // the run font the painter holds, if any
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
    Printer_Page_Surface(QPainter& painter, int dpi_x, int dpi_y, Bar_Edges bar_edges,
                         Label_Resources* resources = nullptr);
    void Rectangle(QPointF from, QPointF to) override;
    void Bar(const QRectF& box) override;
    int Bar_Grid_Dpi() const override;

protected:
    void Use_Device_Pixels() override;
    void Multiply_Picture(const QImage& picture, const QRectF& pixel_box) override;
    // Printer and PDF pages are not emboldened by the screen's rasteriser.
    bool Strikes_Synthetic_Bold_Twice() const override { return true; }

private:
    QTransform to_device_;
    Bar_Edges bar_edges_;
};

// The preview picture: one device pixel per image pixel, cleared to white.
class Preview_Picture_Surface : public Painter_Surface {
public:
    Preview_Picture_Surface(QImage& image, const Surface_Profile& profile, Label_Resources* resources = nullptr);

protected:
    void Use_Device_Pixels() override { }
    void Multiply_Picture(const QImage& picture, const QRectF& pixel_box) override;

private:
    QPainter own_painter_;
};

// Pixel size of the preview picture for a size in picture twips.
int Preview_Pixels(double twips, const Surface_Profile& profile);

}  // namespace render
