#include "render/text_run.h"

#include "store/text_helpers.h"

#include <cmath>
#include <optional>

namespace render {
namespace {

// a x b / c rounded to the nearest whole number, as the font size is scaled to a resolution.
int Mul_Div(int a, int b, int c)
{
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

bool Within_Label_Length(const Text_Run& run, int py, const Surface_Profile& profile, int limit_mm)
{
    const double y_mm = py / (profile.rx / 25.4);
    if (run.angle == 0)
        return y_mm + run.size_pt * kPointMm < limit_mm;
    return y_mm < limit_mm;
}

// The device pixel of the run's top-left corner; none when the printer page
// refuses the run (the first refusal of a print run shows the paper-length notice).
std::optional<QPoint> Place_Run(Drawing_Surface& surface, const Text_Run& run)
{
    const Surface_Profile& profile = surface.Profile();
    const int px = store::Round_Half_Even(profile.rx / 25.4 * run.x_mm * profile.factor);
    const int py = store::Round_Half_Even(profile.ry / 25.4 * run.y_mm * profile.factor);
    if (surface.Is_Printer()) {
        // Only the three directions of the label are printable.
        if (run.angle != 0 && run.angle != 90 && run.angle != 180)
            return std::nullopt;
        if (!Within_Label_Length(run, py, profile, surface.Length_Limit_mm)) {
            if (!surface.Length_Notice_Shown) {
                surface.Length_Notice_Shown = true;
                if (surface.Answerer)
                    surface.Answerer->Show_Titled_Message_Box(kPaperLengthNotice, kPaperLengthTitle);
            }
            return std::nullopt;
        }
    }
    return QPoint(px, py);
}

}  // namespace

Run_Font Build_Run_Font(const Text_Run& run, const Surface_Profile& profile)
{
    const int points = store::Round_Half_Even(profile.factor * run.size_pt);
    Run_Font font;
    font.face = run.face;
    font.height = Mul_Div(points, profile.ry, 72);
    font.average_width = store::Round_Half_Even(Mul_Div(points, profile.rx, 72) / 2.0 * run.width_percent / 100);
    font.angle = run.angle;
    font.bold = run.bold;
    font.italic = run.italic;
    font.underline = run.underline;
    return font;
}

void Draw_Text_Run(Drawing_Surface& surface, const Text_Run& run)
{
    if (const std::optional<QPoint> corner = Place_Run(surface, run))
        surface.Text(Build_Run_Font(run, surface.Profile()), corner->x(), corner->y(), run.text);
}

void Character_Writer::Add(const Text_Run& run, QChar character)
{
    const std::optional<QPoint> corner = Place_Run(surface_, run);
    if (!corner)
        return;
    const Run_Font font = Build_Run_Font(run, surface_.Profile());
    if (!held_.empty() && !(font == font_))
        Flush();
    font_ = font;
    held_.push_back({character, *corner});
}

void Character_Writer::Flush()
{
    if (held_.empty())
        return;
    surface_.Characters(font_, held_);
    held_.clear();
}

}  // namespace render
