#pragma once
// Item texts with inline tags: "<m>" hides the rest, "<d>" at the start makes
// the text a date pattern, "<b>"/"</b>" and "<u>"/"</u>" switch bold and underline.
#include <QDateTime>
#include <QString>

#include <vector>

namespace render {

// The characters to draw, each with its bold and underline flag (index n-1 for character n).
struct Styled_Text {
    QString text;
    std::vector<bool> bold;
    std::vector<bool> underline;
};

// Any length is handled whole: the flags grow with the text. A "<d>" pattern
// shows `now`.
Styled_Text Prepare_Markup_Text(const QString& markup, const QDateTime& now);

// The text without "<b>", "<u>", "<d>", "<m>" and their closing forms.
QString Strip_Tags(const QString& text);

// Printed width in millimetres: CP932 bytes of the stripped text x size x 0.1625 x width / 100.
double Measure_Text_Width(const QString& text, double size_pt, double width_percent);

}  // namespace render
