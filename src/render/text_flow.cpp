#include "render/text_flow.h"

#include "render/markup.h"
#include "render/text_run.h"
#include "store/cp932.h"

#include <cmath>

namespace render {
namespace {

constexpr double kNameCellFactor = 0.165;  // mm per point of the name cell's characters

struct Item {
    Styled_Text styled;
    double size_pt = 0;
    double width_percent = 0;
    float half_advance = 0;  // advance of a half-width character
    float line_height = 0;
};

float Advance(const Item& item, qsizetype i)
{
    return item.half_advance * store::Byte_Width(item.styled.text[i]);
}

void Draw_Character(Character_Writer& writer, const Item& item, qsizetype i, float x_mm, float y_mm, int angle)
{
    Text_Run run;
    run.size_pt = item.size_pt;
    run.angle = angle;
    run.bold = item.styled.bold[i];
    run.underline = item.styled.underline[i];
    run.x_mm = x_mm;
    run.y_mm = y_mm;
    run.width_percent = item.width_percent;
    writer.Add(run, item.styled.text[i]);
}

// Frame lines are one pixel on a printer of exactly 8 dots per millimetre, else two.
int Frame_Line_Width(const Surface_Profile& profile)
{
    const double dots_per_mm = kPrinterUnitsPerMm / profile.twips_per_pixel_x;
    return std::abs(dots_per_mm - 8) < 1e-4 ? 1 : 2;
}

QPointF Units(const Surface_Profile& profile, double x_mm, double y_mm)
{
    return {x_mm * profile.units_per_mm, y_mm * profile.units_per_mm};
}

// Replaces the first half-width ":" by a blank; returns its CP932 byte position from 1, or 0.
int Split_Item_Name(QString& text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return 0;
    text[colon] = u' ';
    return store::Byte_Width(text.left(colon)) + 1;
}

// Places the item's characters from (cx, cy), breaking the line where the
// next character would pass the box's far edge (`box_width_mm` from x_mm,
// leftwards when `rotated`): the new line starts at `restart`, `line_step`
// lower. Returns the number of breaks.
int Flow_Characters(Character_Writer& writer, const Item& item, float x_mm, float cx, float cy, float restart,
                    float line_step, int box_width_mm, int angle, bool rotated)
{
    int breaks = 0;
    for (qsizetype i = 0; i < item.styled.text.size(); ++i) {
        const float w = Advance(item, i);
        if (rotated ? x_mm - box_width_mm > cx - w : x_mm + box_width_mm < cx + w) {
            cx = restart;
            cy += line_step;
            ++breaks;
        }
        if (rotated) {
            Draw_Character(writer, item, i, cy, cx, angle);
            cx -= w;
        } else {
            Draw_Character(writer, item, i, cx, cy, angle);
            cx += w;
        }
    }
    return breaks;
}

float Plain_Item(Drawing_Surface& surface, const Item& item, const Text_Flow_Profile& flow, float x_mm, float y_mm,
                 int box_width_mm, int angle, bool rotated)
{
    const float after_ruled = surface.Previous_Item_Ruled ? static_cast<float>(flow.after_ruled_offset) : 0.0f;
    const float restart = rotated ? x_mm : x_mm + static_cast<float>(flow.continuation_indent);
    Character_Writer writer(surface);
    const int breaks = Flow_Characters(writer, item, x_mm, x_mm, y_mm + after_ruled, restart, item.line_height,
                                       box_width_mm, angle, rotated);
    surface.Previous_Item_Ruled = false;
    return y_mm + static_cast<float>(flow.gap_below_plain) + item.line_height * (breaks + 1) + after_ruled;
}

float Ruled_Item(Drawing_Surface& surface, Item& item, float x_mm, float y_mm, int box_width_mm, int angle,
                 bool rotated)
{
    const int name_end = Split_Item_Name(item.styled.text);
    const float line_step = item.line_height + 0.1f;
    const float cx = rotated ? x_mm - 0.3f : x_mm + 0.15f;
    const float cy = rotated ? y_mm + 0.2f : y_mm + 0.15f;
    const float restart = rotated ? x_mm - 0.15f : x_mm + 0.15f;
    Character_Writer writer(surface);
    const int breaks = Flow_Characters(writer, item, x_mm, cx, cy, restart, line_step, box_width_mm, angle, rotated);
    writer.Flush();  // the characters lie under their frame

    const Surface_Profile& profile = surface.Profile();
    if (profile.printer)
        surface.Set_Line_Width(Frame_Line_Width(profile));
    const float frame_depth = line_step * (breaks + 1) + 0.3f;
    const double cell_chars = kNameCellFactor * item.size_pt * item.width_percent / 100;
    if (!rotated) {
        surface.Rectangle(Units(profile, x_mm, y_mm), Units(profile, x_mm + box_width_mm, y_mm + frame_depth));
        if (name_end >= 1)
            surface.Rectangle(Units(profile, x_mm, y_mm),
                              Units(profile, x_mm + cell_chars * (name_end - 0.5), y_mm + line_step + 0.3));
    } else {
        surface.Rectangle(Units(profile, y_mm, x_mm), Units(profile, y_mm + frame_depth, x_mm - box_width_mm));
        if (name_end >= 1)
            surface.Rectangle(Units(profile, y_mm, x_mm),
                              Units(profile, y_mm + line_step + 0.3, x_mm - cell_chars * (name_end - 0.1)));
    }
    if (profile.printer)
        surface.Set_Line_Width(1);
    surface.Previous_Item_Ruled = true;
    return y_mm + frame_depth;
}

}  // namespace

Text_Flow_Profile Flow_Profile(const Surface_Profile& surface)
{
    if (surface.printer)
        return {0.162, 0.162, kPointMm, kPointMm, 0.0, 0.3, 0.18, true};
    return {0.1625, 0.162, 0.36, kPointMm, 0.35, 0.35, 0.18, false};
}

double Layout_Numbers::operator()(int line) const
{
    if (line < 0 || line >= static_cast<int>(values_.size()))
        return layout_.Number(line);
    if (!read_[line]) {
        values_[line] = layout_.Number(line);
        read_[line] = true;
    }
    return values_[line];
}

float Draw_Item_Text(Drawing_Surface& surface, const layouts::Layout_Record& layout, float x_mm, float y_mm,
                     int ruled_flag, const QString& text, int size_line, int width_line, int box_width_mm, int angle)
{
    return Draw_Item_Text(surface, Layout_Numbers(layout), x_mm, y_mm, ruled_flag, text, size_line, width_line,
                          box_width_mm, angle);
}

float Draw_Item_Text(Drawing_Surface& surface, const Layout_Numbers& layout, float x_mm, float y_mm, int ruled_flag,
                     const QString& text, int size_line, int width_line, int box_width_mm, int angle)
{
    if (text.isEmpty())
        return y_mm;
    const Text_Flow_Profile flow = Flow_Profile(surface.Profile());
    const bool ruled = ruled_flag == layouts::kRuled;
    const bool rotated = flow.rotates && layout(layouts::Print_Direction) != 0;

    Item item;
    item.styled = Prepare_Markup_Text(text, surface.Now);
    item.size_pt = layout(size_line);
    item.width_percent = layout(width_line);
    const double advance = ruled ? flow.ruled_advance : flow.plain_advance;
    item.half_advance = static_cast<float>(item.size_pt * advance * item.width_percent / 100);
    item.line_height = static_cast<float>(item.size_pt * (ruled ? flow.ruled_line : flow.plain_line));
    const int run_angle = surface.Is_Printer() ? angle : 0;
    if (ruled)
        return Ruled_Item(surface, item, x_mm, y_mm, box_width_mm, run_angle, rotated);
    return Plain_Item(surface, item, flow, x_mm, y_mm, box_width_mm, run_angle, rotated);
}

}  // namespace render
