#include "platform/picture_dots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace platform {

namespace {

constexpr int64_t kFixedOne = 256;  // the rasteriser's unit: 1/256 dot

// A number as the PDF writer writes it: nine digits, as many of them after
// the point as the whole part leaves, the rest cut off.
double Written(double value)
{
    if (!std::isfinite(value) || std::abs(value) > std::numeric_limits<uint32_t>::max())
        return 0;
    double whole = 0;
    const double fraction = std::modf(std::abs(value), &whole);
    int64_t kept = int64_t(fraction * 1000000000);
    if (kept == 1000000000) {
        whole += 1;
        kept = 0;
    }
    double unit = 1e-9;
    for (auto digits = uint32_t(whole); digits != 0; digits /= 10) {
        kept /= 10;
        unit *= 10;
    }
    const double written = whole + double(kept) * unit;
    return value < 0 ? -written : written;
}

int64_t Floor_Divide(int64_t numerator, int64_t denominator)
{
    const int64_t quotient = numerator / denominator;
    return quotient * denominator > numerator ? quotient - 1 : quotient;
}

// A matrix as the rasteriser keeps it: single precision, a point (x, y, 1)
// times the matrix.
struct Float_Matrix {
    float xx = 1, xy = 0, yx = 0, yy = 1, tx = 0, ty = 0;
};

// `m` made the current matrix's first step, as the rasteriser concatenates
// a PDF's matrix: in double precision, each element rounded to single as
// it is stored (a translation along a turned matrix twice).
Float_Matrix Concatenated(const Float_Matrix& m, const Float_Matrix& current)
{
    const double xx1 = m.xx, yy1 = m.yy, tx1 = m.tx, ty1 = m.ty;
    const double xx2 = current.xx, yy2 = current.yy, xy2 = current.xy, yx2 = current.yx;
    Float_Matrix result;
    if (m.xy == 0 && m.yx == 0) {
        result.tx = float(tx1 * xx2 + current.tx);
        result.ty = float(ty1 * yy2 + current.ty);
        result.xy = 0;
        if (xy2 != 0) {
            result.xy = float(xx1 * xy2);
            result.ty = float(result.ty + tx1 * xy2);
        }
        result.xx = float(xx1 * xx2);
        result.yx = 0;
        if (yx2 != 0) {
            result.yx = float(yy1 * yx2);
            result.tx = float(result.tx + ty1 * yx2);
        }
        result.yy = float(yy1 * yy2);
        return result;
    }
    const double xy1 = m.xy, yx1 = m.yx;
    result.xx = float(xx1 * xx2 + xy1 * yx2);
    result.xy = float(xx1 * xy2 + xy1 * yy2);
    result.yy = float(yx1 * xy2 + yy1 * yy2);
    result.yx = float(yx1 * xx2 + yy1 * yx2);
    result.tx = float(tx1 * xx2 + ty1 * yx2 + current.tx);
    result.ty = float(tx1 * xy2 + ty1 * yy2 + current.ty);
    return result;
}

// A matrix as the PDF says it, read back in single precision.
Float_Matrix Read(double xx, double xy, double yx, double yy, double tx, double ty)
{
    return {float(xx), float(xy), float(yx), float(yy), float(tx), float(ty)};
}

// The rasteriser's matrix from a picture's pixels to the device's dots:
// the device's own, the filters' placing of our page, the writer's page
// matrix, the picture's matrix `placed` and the picture's own square, then
// undone by the picture's pixel matrix in double precision.
struct Pixel_Matrix {
    double xx, xy, yx, yy, tx, ty;
};
Pixel_Matrix To_Dots(const QTransform& placed, const Pdf_Placement& placement, int dpi_x, int dpi_y, int width,
                     int height)
{
    Float_Matrix current;
    current.xx = float(double(float(dpi_x)) / 72.0);
    current.yy = float(-double(float(dpi_y)) / 72.0);
    current.ty = float(double(float(dpi_y) * float(placement.height)) / 72.0);
    const double unit = Written(72.0 / dpi_x);
    for (const Float_Matrix& m :
         {Read(1, 0, 0, 1, placement.rounding.x(), placement.rounding.y()),
          Read(1, 0, 0, 1, placement.shift.x(), placement.shift.y()), Read(unit, 0, 0, -unit, 0, placement.pdf_height),
          Read(Written(placed.m11()), Written(placed.m12()), Written(placed.m21()), Written(placed.m22()),
               Written(placed.dx()), Written(placed.dy())),
          Read(width, 0, 0, -height, 0, height)})
        current = Concatenated(m, current);
    // The inverse of the picture's pixel matrix [w 0 0 -h 0 h], times the current one.
    const double ixx = 1.0 / width, iyy = 1.0 / -height;
    const double itx = -ixx * 0.0, ity = -iyy * height;
    Pixel_Matrix result{};
    result.tx = itx * current.xx + current.tx;
    result.ty = ity * current.yy + current.ty;
    if (current.xy != 0) {
        result.xy = ixx * current.xy;
        result.ty += itx * current.xy;
    }
    result.xx = ixx * current.xx;
    if (current.yx != 0) {
        result.yx = iyy * current.yx;
        result.tx += ity * current.yx;
    }
    result.yy = iyy * current.yy;
    return result;
}

// A coordinate in 1/256 dot as the rasteriser takes a corner: cut towards
// minus infinity.
int64_t Fixed_Corner(double dots)
{
    if (dots > 0)
        return int64_t(dots * float(kFixedOne));
    const int whole = int(-dots) + 1;
    return int64_t((dots + whole) * float(kFixedOne)) - whole * kFixedOne;
}

// A length in 1/256 dot as the rasteriser takes a picture's extent: rounded.
int64_t Fixed_Length(double dots)
{
    return int64_t(std::floor(dots * float(kFixedOne) + 0.5));
}

// The dots where the borders of `count` pixels fall, from the first pixel's
// edge at `start` and `length` across them all (1/256 dot, negative:
// backwards): border k starts the first dot whose centre it has not passed.
std::vector<int> Borders(int64_t start, int64_t length, int count)
{
    std::vector<int> borders(size_t(count) + 1);
    for (int k = 0; k <= count; ++k)
        borders[size_t(k)] = int(Floor_Divide(start + Floor_Divide(length * k, count) + kFixedOne / 2 - 1, kFixedOne));
    return borders;
}

// Whether the writer would carry the picture as colour pixels with at most
// a stencil mask: every pixel fully opaque or fully transparent.
bool Opaque_Or_Clear(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return true;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) != 0 && qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

}  // namespace

bool Picture_Dots(const QImage& picture, const QTransform& placed, const Pdf_Placement& placement, QImage& dots)
{
    const bool upright = placed.m12() == 0 && placed.m21() == 0;
    const bool turned = placed.m11() == 0 && placed.m22() == 0;
    if (picture.isNull() || picture.depth() == 1 || dots.format() != QImage::Format_Grayscale8 || upright == turned)
        return false;
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    if (!Opaque_Or_Clear(pixels))
        return false;
    const int width = pixels.width(), height = pixels.height();
    const Pixel_Matrix m = To_Dots(placed, placement, dots.logicalDpiX(), dots.logicalDpiY(), width, height);
    // Pixels across run along x when upright, along y when turned; rows the other way.
    const int64_t corner = Fixed_Corner(upright ? m.tx : m.ty);
    const int64_t length = Fixed_Length(width * (upright ? m.xx : m.xy));
    const std::vector<int> across = Borders(corner, length, width);
    const std::vector<int> down = Borders(Fixed_Corner(upright ? m.ty : m.tx),
                                          Fixed_Length(height * (upright ? m.yy : m.yx)), height);
    // The picture's colours are laid down under its mask by another rule:
    // along its pixel rows they start on the dot whose centre the picture's
    // lower edge reaches, x.5 up, so the dot under an edge on a centre stays clear.
    const int first = int(Floor_Divide(std::min(corner, corner + length) + kFixedOne / 2, kFixedOne));
    QRect painted = dots.rect();
    if (upright)
        painted.setLeft(std::max(0, first));
    else
        painted.setTop(std::max(0, first));
    for (int row = 0; row < height; ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(row));
        const auto [row_from, row_to] = std::minmax(down[size_t(row)], down[size_t(row) + 1]);
        for (int column = 0; column < width; ++column) {
            if (qAlpha(line[column]) == 0)
                continue;
            const auto [column_from, column_to] = std::minmax(across[size_t(column)], across[size_t(column) + 1]);
            const QRect span = upright ? QRect(QPoint(column_from, row_from), QPoint(column_to - 1, row_to - 1))
                                       : QRect(QPoint(row_from, column_from), QPoint(row_to - 1, column_to - 1));
            const QRect on_page = span & painted;
            const auto gray = uchar(qGray(line[column]));
            for (int y = on_page.top(); y <= on_page.bottom(); ++y) {
                uchar* dot = dots.scanLine(y) + on_page.left();
                std::fill(dot, dot + on_page.width(), gray);
            }
        }
    }
    return true;
}

}  // namespace platform
