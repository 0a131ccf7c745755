#pragma once
// Glyphs painted dot for dot as the queue's rasteriser (Ghostscript) paints
// the glyphs of our PDF:
// - the glyphs come from the font program our PDF writer embeds for them (a
//   TrueType program rebuilt from the outlines, without hinting programs), so
//   FreeType hints them with its auto-hinter and renders them black and white;
// - each glyph is rendered at the rasteriser's size: its matrix to the page
//   in points, in 16.16 fixed point (the y axis rounded from the page's
//   upside-down direction), the smaller axis as the character size in 1/64
//   point (cut, not rounded), the rest of the matrix as FreeType's transform;
// - its picture is placed at its origin rounded to the nearest dot (x.5 up);
// - a face the writer emboldens itself has each glyph drawn a second time,
//   half the font's line thickness back along the text.
#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QTransform>

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace platform {

class Glyph_Dots {
public:
    // `dpi`: the page's dots per inch, the same across and down.
    explicit Glyph_Dots(int dpi);
    ~Glyph_Dots();
    Glyph_Dots(const Glyph_Dots&) = delete;
    Glyph_Dots& operator=(const Glyph_Dots&) = delete;

    int Dpi() const { return dpi_; }

    // Paints the glyphs of `run` drawn in `font` (whose stretch the PDF writer
    // applies) onto `dots` in the gray `ink`; `to_dots` maps the run's
    // positions to dots. False, with nothing painted, when the PDF writer
    // would not embed a TrueType program for the run's font or the rasteriser
    // would draw its glyphs as outlines (too small, too large, slanted).
    bool Paint(QImage& dots, const QGlyphRun& run, const QFont& font, const QTransform& to_dots, int ink);
    // The characters about to be painted (in place of the last ones): the
    // next glyphs prepared of a face take theirs along, one PDF for them all.
    void Expect(const QString& characters) { expected_ = characters; }

private:
    // The rasteriser's matrix of a glyph: its em to the page, in points, 16.16.
    using Matrix = std::array<long, 4>;
    struct Picture {
        int left = 0, top = 0;  // of the picture from the glyph's origin, in dots (top upwards)
        int width = 0, rows = 0;
        std::vector<unsigned char> bits;  // rows of whole bytes, first dot in the high bit
    };
    using Key = std::tuple<int, quint32, Matrix>;  // font, glyph, matrix

    // One font program the writer embedded, kept for the glyphs it holds at
    // any size: making one costs a PDF, rendering from it does not.
    struct Program;
    struct Font {
        QRawFont raw;
        bool embeddable = true;  // the writer embeds a program for it, unslanted
        bool bold_copy = false;  // the writer draws its glyphs twice
        std::vector<std::unique_ptr<Program>> programs;
    };

    int Font_Index(const QRawFont& font);
    // A program of the font holding `glyph`, and the glyph's number in it.
    std::pair<const Program*, unsigned> Find(const Font& font, quint32 glyph) const;
    bool Add_Program(Font& font, const QList<quint32>& glyphs);
    bool Render(int font_index, const std::vector<std::pair<quint32, Matrix>>& missing);
    // The picture with its origin at `origin` (in dots), rounded to the nearest dot.
    static void Place(QImage& dots, const Picture& picture, QPointF origin, int ink);

    int dpi_;
    struct Library;
    std::unique_ptr<Library> library_;
    std::deque<Font> fonts_;  // after the library: their faces are let go first; never moved
    std::map<Key, Picture> pictures_;
    QString expected_;
};

}  // namespace platform
