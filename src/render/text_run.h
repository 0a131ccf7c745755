#pragma once
// The one primitive through which every character of a label is drawn.
#include "render/drawing_surface.h"

#include <QString>

#include <vector>

namespace render {

struct Text_Run {
    QString face = kLabelFace;
    double size_pt = 0;
    int angle = 0;  // degrees: 0, 90 or 180 on the printer page
    bool bold = false;
    double x_mm = 0;
    double y_mm = 0;
    double width_percent = 100;
    bool italic = false;
    bool underline = false;
    QString text;
};

// The font a run is built with on the surface: the size is rounded to whole
// points after the surface's factor (5.5 pt is 6 on the printer, 11 on the preview).
Run_Font Build_Run_Font(const Text_Run& run, const Surface_Profile& profile);

// Draws the run with its top-left corner at (x_mm, y_mm). On the printer page a
// run that would end beyond the label length is not drawn; the first such run
// of a print run shows the paper-length notice.
void Draw_Text_Run(Drawing_Surface& surface, const Text_Run& run);

// Characters placed one at a time, each checked and positioned as
// Draw_Text_Run does, and handed to the surface together: consecutive
// characters of one font go in one call. What is held is drawn by Flush and
// when the writer ends.
class Character_Writer {
public:
    explicit Character_Writer(Drawing_Surface& surface) : surface_(surface) { }
    ~Character_Writer() { Flush(); }
    Character_Writer(const Character_Writer&) = delete;
    Character_Writer& operator=(const Character_Writer&) = delete;

    // Draw_Text_Run for the run's style and position with this one character as its text.
    void Add(const Text_Run& run, QChar character);
    void Flush();

private:
    Drawing_Surface& surface_;
    Run_Font font_;
    std::vector<Placed_Character> held_;
};

inline const QString kPaperLengthNotice =
    QStringLiteral("印字が行えない項目があります。\r用紙長が印字内容に足りていません。");
inline const QString kPaperLengthTitle = QStringLiteral("用紙長エラー");

}  // namespace render
