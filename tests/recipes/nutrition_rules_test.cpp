// The rounding, zero and tolerance rules of the nutrition rows as a table of boundary cases.
#include "recipes/nutrition_rules.h"

#include "support/utf8.h"

#include <gtest/gtest.h>

using namespace recipes;
using test_support::Q;

namespace {

struct Printed_Case {
    Nutrient nutrient;
    double amount;    // per 食品単位
    double per_100g;  // per 100 g of the food (ナトリウム in mg for 食塩相当量)
    const char* printed;
};

const Printed_Case kPrintedCases[] = {
    // 熱量: whole kcal, half up; 0 below 5 kcal per 100 g.
    {Energy, 262.5, 300, "263kcal"},
    {Energy, 262.49, 300, "262kcal"},
    {Energy, 4.99, 4.99, "0kcal"},
    {Energy, 5.0, 5.0, "5kcal"},
    // Not to be shown as 0 but nothing at the last place: one significant digit.
    {Energy, 0.4, 5.0, "0.4kcal"},
    {Energy, 0.46, 24.9, "0.5kcal"},
    // たんぱく質, 脂質, 炭水化物: 0.1 g, half up; 0 below 0.5 g per 100 g.
    {Protein, 6.35, 7, "6.4g"},
    {Protein, 6.349, 7, "6.3g"},
    {Fat, 0.49, 0.499, "0g"},
    {Fat, 0.5, 0.5, "0.5g"},
    {Carbohydrate, 0.05, 0.5, "0.1g"},
    {Carbohydrate, 0.049, 0.5, "0.05g"},
    {Carbohydrate, 0.0449, 0.5, "0.04g"},
    {Carbohydrate, 54.192, 60.2, "54.2g"},
    {Protein, 10.0, 10.0, "10.0g"},
    {Fat, 0.0, 0.0, "0g"},
    {Protein, 0.45, 0.499, "0g"},
    {Carbohydrate, 0.3, 0.49, "0g"},
    // ナトリウム: whole mg; 0 below 5 mg per 100 g.
    {Sodium, 4.5, 4.99, "0mg"},
    {Sodium, 5.5, 5.5, "6mg"},
    // 食塩相当量: 0.1 g, half up; 0 when ナトリウム is below 5 mg per 100 g.
    {Salt, 0.15, 60, "0.2g"},
    {Salt, 0.149, 60, "0.1g"},
    {Salt, 0.01, 4.99, "0g"},
    {Salt, 0.0127, 5.0, "0.01g"},  // 5 mg of ナトリウム
    {Salt, 0.0096, 6.0, "0.01g"},
    {Salt, 0.0049, 5.0, "0.005g"},
    {Salt, 0.05, 20, "0.1g"},
};

}  // namespace

TEST(Nutrition_Rules, PrintedAmounts)
{
    for (const Printed_Case& c : kPrintedCases) {
        const bool zero = May_Print_Zero(c.nutrient, c.per_100g);
        EXPECT_EQ(Printed_Amount(c.nutrient, c.amount, zero), Q(c.printed))
            << Nutrient_Name(c.nutrient).toStdString() << ' ' << c.amount << " per 100 g " << c.per_100g;
    }
}

TEST(Nutrition_Rules, RoundHalfUpOfDecimalHalves)
{
    // Decimal halves held a little below the half in binary still round up.
    EXPECT_EQ(Round_Half_Up(0.05, 1), 0.1);
    EXPECT_EQ(Round_Half_Up(1.15, 1), 1.2);
    EXPECT_EQ(Round_Half_Up(2.675, 2), 2.68);
    EXPECT_EQ(Round_Half_Up(0.5, 0), 1.0);
    EXPECT_EQ(Round_Half_Up(0.4999, 0), 0.0);
}

TEST(Nutrition_Rules, Tolerances)
{
    struct Case {
        Nutrient nutrient;
        double amount;
        double per_100g;
        double unit_grams;
        double tolerance;
        const char* text;
    };
    const Case cases[] = {
        {Energy, 262.32, 291.5, 90, 52.464, "±20%"},
        {Energy, 20, 25, 80, 4, "±20%"},                  // 25 kcal per 100 g: relative
        {Energy, 19.9, 24.9, 80, 4, "100g当たり±5kcal"},  // below: ±5 kcal per 100 g, 4 kcal in 80 g
        {Protein, 2.4, 2.4, 100, 0.5, "100g当たり±0.5g"},
        {Protein, 2.5, 2.5, 100, 0.5, "±20%"},
        {Fat, 1.0, 2.0, 50, 0.25, "100g当たり±0.5g"},
        {Carbohydrate, 54.192, 60.2, 90, 10.8384, "±20%"},
        {Salt, 0.05, 20, 100, 0.0127, "100g当たり±5mg(ナトリウム)"},
        {Salt, 0.8, 310, 100, 0.16, "±20%"},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Tolerance(c.nutrient, c.amount, c.per_100g, c.unit_grams), c.tolerance, 1e-9)
            << Nutrient_Name(c.nutrient).toStdString() << ' ' << c.per_100g;
        EXPECT_EQ(Tolerance_Text(c.nutrient, c.per_100g), Q(c.text));
    }
}

TEST(Nutrition_Rules, PrintedNumbers)
{
    EXPECT_EQ(Printed_Number(Q("熱量:262kcal")), 262.0);
    EXPECT_EQ(Printed_Number(Q("たんぱく質：６．３ｇ")), 6.3);
    EXPECT_EQ(Printed_Number(Q("食塩相当量:0.1g未満")), 0.1);
    EXPECT_EQ(Printed_Number(Q("脂質:")), std::nullopt);
}
