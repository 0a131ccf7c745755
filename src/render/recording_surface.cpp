#include "render/recording_surface.h"

namespace render {

void Recording_Surface::Text(const Run_Font& font, int px, int py, const QString& text)
{
    texts.push_back({font, px, py, text});
}

void Recording_Surface::Rectangle(QPointF from, QPointF to)
{
    rectangles.push_back({from, to, line_width});
}

void Recording_Surface::Bar(const QRectF& box)
{
    bars.push_back(box);
}

void Recording_Surface::Set_Line_Width(int pixels)
{
    line_width = pixels;
}

void Recording_Surface::Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString& source)
{
    pictures.push_back({source, picture.size(), box, mode});
}

void Recording_Surface::Barcode_Font_Text(const QString& face, QPointF position, double height_mm,
                                          const QString& digits)
{
    font_texts.push_back({face, position, height_mm, digits});
}

QString Recording_Surface::All_Text() const
{
    QString all;
    for (const Text_Record& record : texts)
        all += record.text;
    return all;
}

}  // namespace render
