#pragma once
// EAN-13 and EAN-8 (JAN) barcodes: check digits, module strings and drawing.
#include "render/drawing_surface.h"
#include "store/answerer.h"

#include <QString>

namespace render {

// Bar heights are given in units of 1/11.42 mm.
constexpr double kBarcodeHeightUnitsPerMm = 11.42;

// Completes a 12- or 7-digit number with its check digit, or checks the last
// digit of a 13- or 8-digit number; tells the user what it did. Other lengths
// are returned unchanged without a message. A wrong check digit is shown, never corrected.
QString Check_Ean_Code(const QString& number, store::Answerer& answerer);

// The check digit of the first 12 (EAN-13) or 7 (EAN-8) characters; non-digits count 0.
int Ean_Check_Digit(const QString& digits);

// The symbol as "0" (space) and "1" (bar) modules: 95 for 13 characters, 81 for
// 8 (the EAN-8 symbol 14 modules in); empty for other lengths.
QString Ean_Module_String(const QString& number);

// Whether the "1" module at position p (from 1) is a guard bar of a symbol of that many characters.
bool Is_Guard_Module(int position, int number_length);

// Draws the bars and the digit row of an 8- or 13-character number at (x_mm, y_mm)
// (page millimetres on a turned printer page), upright (0) or turned (90).
// Bars are `height_units` x 1/11.42 mm long, guard bars `guard_extension` units longer.
// A module is 0.25 mm rounded to whole device pixels of the surface, starting on
// a whole pixel; adjacent bar modules are drawn as one bar.
void Draw_Barcode(Drawing_Surface& surface, double x_mm, double y_mm, const QString& number, int height_units,
                  int guard_extension, int angle);

// Each character placed as Draw_Text_Run places it, at a pitch of size x 0.18 x width / 100 mm,
// moving right (0), down (90) or left (180); any other angle draws nothing.
void Draw_Spaced_Text(Drawing_Surface& surface, const QString& face, double size_pt, int angle, bool bold, double x_mm,
                      double y_mm, double width_percent, bool italic, bool underline, const QString& text);

}  // namespace render
