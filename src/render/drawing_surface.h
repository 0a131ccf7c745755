#pragma once
// Where a label is drawn: the printer page of a print run, the preview picture
// (twice the printed size) or, in tests, a recording of every primitive.
//
// Units. Text runs are placed in device pixels (resolution / 25.4 per mm, times
// the factor). Rectangles, bars and pictures are given in surface units:
// twips on the printer page (56.748768 per mm), twips of the picture on the
// preview (twips per screen pixel, times 2, per screen pixel of a millimetre).
#include "store/answerer.h"

#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace render {

inline const QString kLabelFace = QStringLiteral("ＭＳ ゴシック");

constexpr double kPointMm = 0.3527762;               // one point in millimetres
constexpr double kPrinterUnitsPerMm = 7.093596 * 8;  // twips per millimetre of the printer page

struct Surface_Profile {
    bool printer = false;
    int rx = 96;                               // pixels per inch of text runs, horizontal
    int ry = 96;                               // and vertical
    int factor = 1;                            // 1 printer page, 2 preview picture
    double units_per_mm = kPrinterUnitsPerMm;  // pictures, frames, bars
    double twips_per_pixel_x = 15;             // surface units per device pixel
    double twips_per_pixel_y = 15;
    double barcode_digit_offset_mm = 0.7;  // digit row right of the bars' x
};

// Printer page of a printer with these logical pixels per inch.
Surface_Profile Printer_Profile(int dpi_x, int dpi_y);
// Preview picture on a screen of `screen_ppi` logical pixels per inch. The
// registration and layout screens use fixed pixels per mm for pictures and
// put the barcode digits 1.0 mm in (`editing_screen`).
Surface_Profile Preview_Profile(int screen_ppi, bool editing_screen = false);

// The font of one text run, as built from its point size (device pixels).
struct Run_Font {
    QString face;
    int height = 0;         // character height in device pixels
    int average_width = 0;  // average (half-width) character width in device pixels
    int angle = 0;          // escapement in degrees, counter-clockwise
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Run_Font&) const = default;
};

// One character of a text and the device pixel of its top-left corner.
struct Placed_Character {
    QChar character;
    QPoint corner;
};

// How a picture meets what is already drawn.
enum class Picture_Mode {
    Copy,      // drawn over the label as it is
    Multiply,  // bitwise AND of colours (SRCAND): its white leaves the label unchanged
};

// The parts of a label, in the order the composer draws them.
enum class Label_Block {
    Background,
    Main_Column,
    Remarks1,
    Remarks2,
    Price,
    Barcode,
    Recycle_Mark1,
    Recycle_Mark2,
    Nutrition,
};

// Label printers print at 203 dpi: a page kept as drawn lays its barcode on
// their dots, since a PDF may be printed anywhere and a symbol of whole 203-dpi
// modules still reads at 300 and 600 dpi, while one of whole 300- or 600-dpi
// modules printed at 203 dpi grows a dot every 33 modules and may not read.
constexpr int kLabelPrinterDpi = 203;

class Drawing_Surface {
public:
    explicit Drawing_Surface(const Surface_Profile& profile) : profile_(profile) { }
    virtual ~Drawing_Surface() = default;
    Drawing_Surface(const Drawing_Surface&) = delete;
    Drawing_Surface& operator=(const Drawing_Surface&) = delete;

    const Surface_Profile& Profile() const { return profile_; }
    bool Is_Printer() const { return profile_.printer; }

    // Text whose top-left corner is at the device pixel (px, py), turned about it.
    virtual void Text(const Run_Font& font, int px, int py, const QString& text) = 0;
    // Characters of one font, in order, each exactly as Text draws it alone at
    // its corner; surfaces that can draw them together in one call do so.
    virtual void Characters(const Run_Font& font, const std::vector<Placed_Character>& characters);
    // Black outline through the two corners (surface units).
    virtual void Rectangle(QPointF from, QPointF to) = 0;
    // Filled black rectangle (surface units): a barcode bar.
    virtual void Bar(const QRectF& box) = 0;
    // Dots per inch of the grid a printer page lays its barcode bars on.
    virtual int Bar_Grid_Dpi() const { return profile_.rx; }
    // Outline width in device pixels for the following rectangles.
    virtual void Set_Line_Width(int pixels) = 0;
    // The picture stretched into the box (surface units); `source` names its file.
    virtual void Picture(const QImage& picture, const QRectF& box, Picture_Mode mode, const QString& source) = 0;
    // Text in an installed barcode font at a page position (surface units).
    virtual void Barcode_Font_Text(const QString& face, QPointF position, double height_mm, const QString& digits) = 0;
    // The composer starts drawing this part of the label: what follows belongs to it.
    virtual void Begin_Block(Label_Block) { }
    // The characters the label is about to draw, so that a printer's page can
    // prepare all their glyphs at once.
    virtual void Expect_Characters(const QString&) { }
    // Whether a font of that family is installed where this surface draws.
    virtual bool Has_Font(const QString& face) const = 0;

    // Flag of the text flow: the item drawn last was ruled.
    bool Previous_Item_Ruled = false;
    // Printer page: the label length (whole mm) text must stay within, and
    // whether this print run has already shown the paper-length notice.
    int Length_Limit_mm = 0;
    bool Length_Notice_Shown = false;
    // Where text runs report the paper-length notice; none: not reported.
    store::Answerer* Answerer = nullptr;
    // The moment the label is printed at, which "<d>" expressions show.
    QDateTime Now;

private:
    Surface_Profile profile_;
};

}  // namespace render
