#pragma once
// One text item of a label: prepared, broken into lines within its box with
// each character placed on its own, plain or in a ruled frame with a name cell.
#include "layouts/layout_record.h"
#include "render/drawing_surface.h"

#include <QString>

#include <array>
#include <bitset>

namespace render {

// The constants in which the printer page and the preview picture differ (mm).
struct Text_Flow_Profile {
    double plain_advance;        // half-width advance per point, plain mode
    double ruled_advance;        // the same, ruled mode
    double plain_line;           // line height per point, plain mode
    double ruled_line;           // the same, ruled mode
    double continuation_indent;  // continuation lines start this far right, plain mode
    double after_ruled_offset;   // a plain item after a ruled one starts this much lower
    double gap_below_plain;      // between a plain item and the next
    bool rotates;                // knows turned layouts
};

Text_Flow_Profile Flow_Profile(const Surface_Profile& surface);

// A layout's lines read as numbers (Layout_Record::Number), each line once:
// one label reads the same lines for many items.
class Layout_Numbers {
public:
    explicit Layout_Numbers(const layouts::Layout_Record& layout) : layout_(layout) { }
    double operator()(int line) const;

private:
    const layouts::Layout_Record& layout_;
    mutable std::array<double, layouts::kLayoutCapacity + 1> values_{};
    mutable std::bitset<layouts::kLayoutCapacity + 1> read_;
};

// Draws the item from (x_mm, y_mm) and returns where the next item of its
// column starts. `size_line` and `width_line` are the layout lines of its
// style; `angle` is the text direction on the printer page (0 on the preview).
float Draw_Item_Text(Drawing_Surface& surface, const layouts::Layout_Record& layout, float x_mm, float y_mm,
                     int ruled_flag, const QString& text, int size_line, int width_line, int box_width_mm,
                     int angle = 0);
// The same, reading the layout's lines through numbers already read.
float Draw_Item_Text(Drawing_Surface& surface, const Layout_Numbers& layout, float x_mm, float y_mm, int ruled_flag,
                     const QString& text, int size_line, int width_line, int box_width_mm, int angle = 0);

}  // namespace render
