#pragma once
// Pictures painted dot for dot as the queue's rasteriser (Ghostscript) paints
// the pictures of our PDF:
// - the PDF writer places a picture with one matrix, its numbers written with
//   nine digits and the rest cut off;
// - the rasteriser multiplies that matrix onto the page's matrices (the
//   device's, the filters' shift, the writer's page matrix) in single
//   precision, rounding each product, as it does;
// - it takes the picture's corner to 1/256 dot (cut) and its length across
//   all its pixels (rounded), steps from pixel border to pixel border in
//   whole 1/256 dots, and gives each dot the pixel whose span holds the dot's
//   centre (a centre on a border belongs to the pixel after it);
// - pixels the writer's mask leaves out (transparent ones) paint nothing;
//   every other pixel paints its gray, exact for black and white.
#include "platform/dot_page.h"

#include <QImage>
#include <QTransform>

namespace platform {

// Paints `picture`, whose pixels `placed` maps onto the drawing's dots,
// onto `dots` (Format_Grayscale8), the drawing lying on the page as
// `placement` says. False, with nothing painted, for a picture the rule does
// not cover: one turned other than by quarters, partly transparent, or of
// one bit per pixel (which the writer makes a stencil in the pen's colour).
bool Picture_Dots(const QImage& picture, const QTransform& placed, const Pdf_Placement& placement, QImage& dots);

}  // namespace platform
