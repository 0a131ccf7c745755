#pragma once
// A surface that draws nothing and records every primitive with its
// parameters, and where on the label each part of it lies: for tests of the
// composer and for checks of a label before it is printed.
#include "render/drawing_surface.h"

#include <QSize>
#include <QStringList>

#include <vector>

namespace render {

class Recording_Surface : public Drawing_Surface {
public:
    struct Text_Record {
        Run_Font font;
        int px = 0;
        int py = 0;
        QString text;
        Label_Block block = Label_Block::Background;  // the part of the label it belongs to
    };
    struct Rectangle_Record {
        QPointF from;
        QPointF to;
        int line_width = 1;
    };
    struct Picture_Record {
        QString source;
        QSize picture_size;
        QRectF box;
        Picture_Mode mode = Picture_Mode::Copy;
        Label_Block block = Label_Block::Background;  // the part of the label it belongs to
    };
    struct Font_Text_Record {
        QString face;
        QPointF position;
        double height_mm = 0;
        QString digits;
    };

    explicit Recording_Surface(const Surface_Profile& profile) : Drawing_Surface(profile) { }

    void Text(const Run_Font& font, int px, int py, const QString& text) override;
    void Rectangle(QPointF from, QPointF to) override;
    void Bar(const QRectF& box) override;
    void Set_Line_Width(int pixels) override;
    void Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString& source) override;
    void Barcode_Font_Text(const QString& face, QPointF position, double height_mm, const QString& digits) override;
    bool Has_Font(const QString& face) const override { return installed_fonts.contains(face); }
    int Bar_Grid_Dpi() const override { return bar_grid_dpi > 0 ? bar_grid_dpi : Drawing_Surface::Bar_Grid_Dpi(); }
    void Begin_Block(Label_Block block) override { current_block_ = block; }

    // The box of one primitive in millimetres of the surface at the label's
    // size (the preview picture's millimetres are halved): on the preview the
    // label as it is read, on the printer page the page. A character's box is
    // its height by its advance (CP932 bytes x the average width).
    struct Ink {
        Label_Block block = Label_Block::Background;
        QRectF box_mm;
    };
    std::vector<Ink> inks;

    QStringList installed_fonts;  // fonts this surface pretends to have
    int bar_grid_dpi = 0;         // dots a printer page lays its bars on; 0: its resolution
    std::vector<Text_Record> texts;
    std::vector<Rectangle_Record> rectangles;
    std::vector<QRectF> bars;
    std::vector<Picture_Record> pictures;
    std::vector<Font_Text_Record> font_texts;
    int line_width = 1;

    // The characters drawn, in order, joined.
    QString All_Text() const;

private:
    void Add_Ink(const QRectF& box_mm) { inks.push_back({current_block_, box_mm.normalized()}); }
    QRectF Units_To_Mm(const QRectF& units) const;

    Label_Block current_block_ = Label_Block::Background;
};

}  // namespace render
