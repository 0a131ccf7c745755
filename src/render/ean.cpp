#include "render/ean.h"

#include "render/text_run.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace render {
namespace {

// First-digit parity of EAN-13: "O" = set A (L), "E" = set B (G).
constexpr std::array<const char*, 10> kParity = {"OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
                                                 "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};
constexpr std::array<const char*, 10> kSetA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                               "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr std::array<const char*, 10> kSetB = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                               "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr std::array<const char*, 10> kSetC = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                               "1001110", "1010000", "1000100", "1001000", "1110100"};

int Digit(const QString& number, int n)  // n counted from 1
{
    const int value = number[n - 1].digitValue();
    return value < 0 ? 0 : value;
}

QString Digit_Row(const QString& number, bool backwards)
{
    const QString blank = QStringLiteral(" ");
    if (number.size() == 13) {
        if (backwards) {
            QString reversed(number);
            std::reverse(reversed.begin(), reversed.end());
            return reversed.left(7) + blank + reversed.mid(7);
        }
        return blank + number.left(6) + blank + number.mid(6);
    }
    if (backwards) {
        QString reversed(number);
        std::reverse(reversed.begin(), reversed.end());
        return QStringLiteral("   ") + reversed.left(4) + blank + reversed.mid(4);
    }
    return QStringLiteral("   ") + number.left(4) + blank + number.mid(4);
}

void Show_Check_Result(store::Answerer& answerer, const QString& line1, const QString& line2, std::uint32_t colour)
{
    answerer.Notify(line1, line2, colour, QStringLiteral("了解"));
}

}  // namespace

int Ean_Check_Digit(const QString& digits)
{
    int even = 0;
    int odd = 0;
    if (digits.size() >= 12) {
        for (int n = 1; n <= 12; ++n)
            (n % 2 == 0 ? even : odd) += Digit(digits, n);
    } else {
        for (int n = 1; n <= 7; ++n)
            (n % 2 == 1 ? even : odd) += Digit(digits, n);
    }
    return (10 - (3 * even + odd) % 10) % 10;
}

QString Check_Ean_Code(const QString& number, store::Answerer& answerer)
{
    const qsizetype n = number.size();
    if (n != 7 && n != 8 && n != 12 && n != 13)
        return number;
    const QString check = QString::number(Ean_Check_Digit(number));
    if (n == 12 || n == 7) {
        Show_Check_Result(answerer,
                          n == 12 ? QStringLiteral("バーコードの13桁目のチェック")
                                  : QStringLiteral("バーコードの8桁目のチェック"),
                          QStringLiteral("ディジットを自動計算しました"), store::kInformationColour);
        return number + check;
    }
    if (number.right(1) != check)
        Show_Check_Result(answerer, QStringLiteral("ﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です"),
                          QStringLiteral("この場合「") + check + QStringLiteral("」かと思われます"),
                          store::kWarningColour);
    return number;
}

QString Ean_Module_String(const QString& number)
{
    QString modules;
    if (number.size() == 13) {
        const char* parity = kParity[Digit(number, 1)];
        modules = QStringLiteral("101");
        for (int i = 2; i <= 7; ++i)
            modules += QLatin1StringView(parity[i - 2] == 'O' ? kSetA[Digit(number, i)] : kSetB[Digit(number, i)]);
        modules += QStringLiteral("01010");
        for (int i = 8; i <= 13; ++i)
            modules += QLatin1StringView(kSetC[Digit(number, i)]);
    } else if (number.size() == 8) {
        modules = QString(14, u'0') + QStringLiteral("101");
        for (int i = 1; i <= 4; ++i)
            modules += QLatin1StringView(kSetA[Digit(number, i)]);
        modules += QStringLiteral("01010");
        for (int i = 5; i <= 8; ++i)
            modules += QLatin1StringView(kSetC[Digit(number, i)]);
    } else {
        return {};
    }
    return modules + QStringLiteral("101");
}

bool Is_Guard_Module(int p, int number_length)
{
    if (number_length == 13)
        return p <= 3 || (p >= 46 && p <= 50) || p >= 93;
    return p <= 17 || (p >= 46 && p <= 49) || p >= 79;
}

void Draw_Barcode(Drawing_Surface& surface, double x_mm, double y_mm, const QString& number, int height_units,
                  int guard_extension, int angle)
{
    const QString modules = Ean_Module_String(number);
    if (modules.isEmpty())
        return;
    const Surface_Profile& profile = surface.Profile();
    const bool printer = surface.Is_Printer();
    const bool turned = angle == 90;
    // The symbol advances along x, except on a turned preview, where it runs downwards.
    const bool downwards = turned && !printer;

    double x0 = 0, y0, start_pixel, pitch, length_per_unit;
    double units_per_dot = downwards ? profile.twips_per_pixel_y : profile.twips_per_pixel_x;
    if (printer) {
        // The dots of the page's bar grid, at or left of x_mm.
        const int grid_dpi = surface.Bar_Grid_Dpi();
        units_per_dot = profile.twips_per_pixel_x * profile.rx / grid_dpi;
        start_pixel = std::floor(x_mm * grid_dpi / 25.4 + 1e-9);
        y0 = y_mm * profile.units_per_mm;
        pitch = 0.25 * profile.units_per_mm;
        length_per_unit = 4.721312 * profile.twips_per_pixel_y / profile.twips_per_pixel_x;
    } else {
        x0 = std::floor(2 * std::floor(56.7 * x_mm));
        y0 = 2 * 56.7 * y_mm;
        start_pixel = std::floor((downwards ? y0 : x0) / units_per_dot + 1e-9);
        pitch = 28;
        length_per_unit = 15 / (1.5 * profile.twips_per_pixel_x) * profile.twips_per_pixel_y;
    }
    // A module is the pitch rounded to whole dots and the symbol starts on a
    // whole dot, so that every module is equally wide at any resolution; each
    // run of adjacent bar modules is one bar, without seams between them.
    const double module = std::max(1.0, std::round(pitch / units_per_dot)) * units_per_dot;
    const double start = start_pixel * units_per_dot;

    const auto is_guard = [&](qsizetype i) { return guard_extension >= 1 && Is_Guard_Module(i + 1, number.size()); };
    for (qsizetype i = 0; i < modules.size();) {
        if (modules[i] != u'1') {
            ++i;
            continue;
        }
        const bool guard = is_guard(i);
        qsizetype end = i + 1;
        while (end < modules.size() && modules[end] == u'1' && is_guard(end) == guard)
            ++end;
        const double length = (double(height_units) + (guard ? guard_extension : 0)) * length_per_unit;
        const double along = start + i * module;
        const double thickness = (end - i) * module;
        if (!turned)
            surface.Bar(QRectF(along, y0, thickness, length));
        else if (printer)
            surface.Bar(QRectF(along, y0 - length, thickness, length));  // upwards from y0
        else
            surface.Bar(QRectF(x0, along, length, thickness));  // bars lie across, downwards
        i = end;
    }

    const double row_offset = height_units / kBarcodeHeightUnitsPerMm;
    double row_x = x_mm + profile.barcode_digit_offset_mm;
    double row_y = y_mm + row_offset;
    int row_angle = 0;
    if (turned && printer) {
        row_x = x_mm + 22.4;
        row_y = y_mm - row_offset;
        row_angle = 180;
    } else if (turned) {
        row_x = x_mm + row_offset;
        row_y = y_mm + 2;
        row_angle = 90;
    }
    Draw_Spaced_Text(surface, kLabelFace, 8, row_angle, false, row_x, row_y, 100, false, false,
                     Digit_Row(number, turned && !printer));
}

void Draw_Spaced_Text(Drawing_Surface& surface, const QString& face, double size_pt, int angle, bool bold, double x_mm,
                      double y_mm, double width_percent, bool italic, bool underline, const QString& text)
{
    if (angle != 0 && angle != 90 && angle != 180)
        return;
    const double pitch = size_pt * 0.18 * width_percent / 100;
    Text_Run run;
    run.face = face;
    run.size_pt = size_pt;
    run.angle = angle;
    run.bold = bold;
    run.width_percent = width_percent;
    run.italic = italic;
    run.underline = underline;
    run.x_mm = x_mm;
    run.y_mm = y_mm;
    Character_Writer writer(surface);
    for (QChar c : text) {
        writer.Add(run, c);
        if (angle == 0)
            run.x_mm += pitch;
        else if (angle == 90)
            run.y_mm += pitch;
        else
            run.x_mm -= pitch;
    }
}

}  // namespace render
