#include "recipes/nutrition_rules.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace recipes {
namespace {

// Per 100 g of the food: below the first value "0" may be printed; below the
// second the tolerance is absolute (the third value) instead of ±20 %.
struct Limits {
    double zero;
    double small;
    double absolute;
};

Limits Limits_Of(Nutrient nutrient)
{
    switch (nutrient) {
    case Energy:
        return {5, 25, 5};
    case Sodium:
    case Salt:
        return {5, 25, 5};  // in mg of ナトリウム
    default:
        return {0.5, 2.5, 0.5};
    }
}

constexpr double kRelativeTolerance = 0.20;
constexpr double kSodiumToSalt = 2.54 / 1000;  // g of 食塩相当量 per mg of ナトリウム

}  // namespace

int Printed_Places(Nutrient nutrient)
{
    return nutrient == Energy || nutrient == Sodium ? 0 : 1;
}

double Round_Half_Up(double value, int places)
{
    const double scale = std::pow(10.0, places);
    // The small addend keeps a decimal half (0.05 held as 0.04999…) rounding up.
    return std::floor(value * scale + 0.5 + 1e-9) / scale;
}

bool May_Print_Zero(Nutrient nutrient, double per_100g)
{
    return per_100g < Limits_Of(nutrient).zero;
}

QString Printed_Amount(Nutrient nutrient, double amount, bool zero)
{
    const QString unit = Nutrient_Unit(nutrient);
    if (zero)
        return QStringLiteral("0") + unit;
    int places = Printed_Places(nutrient);
    double rounded = Round_Half_Up(amount, places);
    if (rounded <= 0 && amount > 0) {
        // Too much to be shown as 0, too little for the last place: one significant digit.
        rounded = Round_Half_Up(amount, -static_cast<int>(std::floor(std::log10(amount))));
        places = -static_cast<int>(std::floor(std::log10(rounded)));
    }
    return QString::number(rounded, 'f', std::max(places, 0)) + unit;
}

double Tolerance(Nutrient nutrient, double amount, double per_100g, double unit_grams)
{
    const Limits limits = Limits_Of(nutrient);
    if (per_100g >= limits.small)
        return std::abs(amount) * kRelativeTolerance;
    const double per_unit = limits.absolute * unit_grams / 100;
    return nutrient == Salt ? per_unit * kSodiumToSalt : per_unit;
}

QString Tolerance_Text(Nutrient nutrient, double per_100g)
{
    const Limits limits = Limits_Of(nutrient);
    if (per_100g >= limits.small)
        return QStringLiteral("±20%");
    const QString unit = nutrient == Salt ? QStringLiteral("mg(ナトリウム)") : Nutrient_Unit(nutrient);
    return QStringLiteral("100g当たり±%1%2").arg(limits.absolute).arg(unit);
}

std::optional<double> Printed_Number(const QString& row_text)
{
    const QString plain = row_text.normalized(QString::NormalizationForm_KC);
    const qsizetype colon = plain.indexOf(QLatin1Char(':'));
    static const QRegularExpression number(QStringLiteral("\\d+(\\.\\d+)?"));
    const QRegularExpressionMatch match = number.match(plain, colon + 1);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured().toDouble();
}

}  // namespace recipes
