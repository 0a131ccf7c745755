#include "render/recording_surface.h"

#include "store/cp932.h"

#include <QTransform>

namespace render {

QRectF Recording_Surface::Units_To_Mm(const QRectF& units) const
{
    const double per_mm = Profile().units_per_mm;
    return {units.topLeft() / per_mm, units.bottomRight() / per_mm};
}

void Recording_Surface::Text(const Run_Font& font, int px, int py, const QString& text)
{
    texts.push_back({font, px, py, text, current_block_});
    // Turned counter-clockwise about the top-left corner, as the painter surfaces draw it.
    const QRectF pixels = QTransform()
                              .translate(px, py)
                              .rotate(-font.angle)
                              .mapRect(QRectF(0, 0, store::Byte_Width(text) * font.average_width, font.height));
    const Surface_Profile& profile = Profile();
    const double mm_x = 25.4 / profile.rx / profile.factor;
    const double mm_y = 25.4 / profile.ry / profile.factor;
    Add_Ink(QRectF(pixels.left() * mm_x, pixels.top() * mm_y, pixels.width() * mm_x, pixels.height() * mm_y));
}

void Recording_Surface::Rectangle(QPointF from, QPointF to)
{
    rectangles.push_back({from, to, line_width});
    Add_Ink(Units_To_Mm(QRectF(from, to)));
}

void Recording_Surface::Bar(const QRectF& box)
{
    bars.push_back(box);
    Add_Ink(Units_To_Mm(box));
}

void Recording_Surface::Set_Line_Width(int pixels)
{
    line_width = pixels;
}

void Recording_Surface::Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString& source)
{
    pictures.push_back({source, picture.size(), box, mode, current_block_});
    Add_Ink(Units_To_Mm(box));
}

void Recording_Surface::Barcode_Font_Text(const QString& face, QPointF position, double height_mm,
                                          const QString& digits)
{
    font_texts.push_back({face, position, height_mm, digits});
    // A barcode font prints the symbol's 95 modules of 0.25 mm.
    Add_Ink(QRectF(Units_To_Mm(QRectF(position, QSizeF())).topLeft(), QSizeF(95 * 0.25, height_mm)));
}

QString Recording_Surface::All_Text() const
{
    QString all;
    for (const Text_Record& record : texts)
        all += record.text;
    return all;
}

}  // namespace render
