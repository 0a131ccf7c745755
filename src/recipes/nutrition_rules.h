#pragma once
// How a computed nutrient amount is printed and how far a printed one may lie
// from it, after the food labelling standard (食品表示基準 別表第9 and the
// consumer agency's notice on it):
// - printed to its last place, rounded half up: 熱量 in whole kcal,
//   たんぱく質, 脂質, 炭水化物 and 食塩相当量 to 0.1 g;
// - "0" may be printed when the food holds, per 100 g, less than 5 kcal,
//   0.5 g of たんぱく質, 脂質 or 炭水化物, or 5 mg of ナトリウム (食塩相当量);
// - an amount that rounds to nothing at that place but may not be shown as 0
//   is printed with one significant digit ("0.01g", "0.4kcal");
// - the tolerance of a printed value is ±20 %, or, when the food holds per
//   100 g less than 25 kcal, 2.5 g (たんぱく質, 脂質, 炭水化物) or 25 mg of
//   ナトリウム, ±5 kcal, ±0.5 g or ±5 mg per 100 g.
#include "recipes/food_table.h"

#include <QString>

#include <optional>

namespace recipes {

// Places after the decimal point the nutrient is printed with.
int Printed_Places(Nutrient nutrient);

// The value rounded half up to that many places (0.05 -> 0.1, 0.049 -> 0.0).
double Round_Half_Up(double value, int places);

// Whether the nutrient may be printed as 0: its amount per 100 g of the food
// (for 食塩相当量, the ナトリウム per 100 g in mg) is below the limit.
bool May_Print_Zero(Nutrient nutrient, double per_100g);

// The amount as printed after the row's caption: "123kcal", "4.5g", "0g", "0.01g".
// `zero` is May_Print_Zero for the food.
QString Printed_Amount(Nutrient nutrient, double amount, bool zero);

// How far a printed amount may lie from the computed one, for a food unit of
// `unit_grams` whose amount per 100 g is `per_100g`.
double Tolerance(Nutrient nutrient, double amount, double per_100g, double unit_grams);
// "±20%" or "±0.5g" (per 100 g), as the check names the tolerance.
QString Tolerance_Text(Nutrient nutrient, double per_100g);

// The number printed in a nutrition row's value ("熱量:123kcal" -> 123; "0.1g未満" -> 0.1),
// nullopt when the row holds no number.
std::optional<double> Printed_Number(const QString& row_text);

}  // namespace recipes
