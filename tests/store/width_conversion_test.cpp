#include "store/width_conversion.h"

#include <gtest/gtest.h>

TEST(Width_Conversion, AsciiSpaceAndKatakana)
{
    EXPECT_EQ(store::To_Full_Width(QStringLiteral("abc 1")), QStringLiteral("ａｂｃ　１"));
    EXPECT_EQ(store::To_Full_Width(QStringLiteral("ｶﾞﾊﾟｰﾄ")), QStringLiteral("ガパート"));
    EXPECT_EQ(store::To_Full_Width(QStringLiteral("ｱﾞ")), QStringLiteral("ア゛"));
    EXPECT_EQ(store::To_Half_Width(QStringLiteral("ＡＢ　３")), QStringLiteral("AB 3"));
    EXPECT_EQ(store::To_Half_Width(QStringLiteral("ガパート")), QStringLiteral("ｶﾞﾊﾟｰﾄ"));
    EXPECT_EQ(store::To_Half_Width(QStringLiteral("あ漢")), QStringLiteral("あ漢"));
}

TEST(To_Full_Width, AsciiBlankAndHalfWidthKatakana)
{
    EXPECT_EQ(store::To_Full_Width("2024/03/05 12:00."), "２０２４／０３／０５　１２：００．");
    EXPECT_EQ(store::To_Full_Width("ｶﾞｯﾊﾟｲ(A)"), "ガッパイ（Ａ）");
    EXPECT_EQ(store::To_Full_Width("年月日"), "年月日");
}
