#include "render/markup.h"

#include <gtest/gtest.h>

namespace {

using render::Prepare_Markup_Text;

// Flags as a compact text: "b" bold, "u" underline, "B" both, "." neither.
std::string Flags(const render::Styled_Text& styled)
{
    std::string flags;
    for (size_t i = 0; i < styled.bold.size(); ++i)
        flags += styled.bold[i] ? (styled.underline[i] ? 'B' : 'b') : (styled.underline[i] ? 'u' : '.');
    return flags;
}

TEST(Prepare_Markup_Text, TagsHideStyleAndDate)
{
    const QDateTime now(QDate(2024, 3, 5), QTime(14, 7));
    struct Case {
        QString markup;
        QString text;
        std::string flags;
    };
    const Case cases[] = {
        {"", "", ""},
        {"<m>原材料", "", ""},
        {"砂糖<m>メモ<b>", "砂糖", ".."},
        {"a<b>bc</b>d", "abcd", ".bb."},
        {"<u>名称", "名称", "uu"},
        {"<b>x</d>y", "x</d>y", "bbbbbb"},
        {"<d>yyyy年mm月dd日", "2024年03月05日", "..........."},
        {"<d>全角)yyyy/mm/dd", "２０２４／０３／０５", ".........."},
        {"abc<d>yyyy", "abc<d>yyyy", ".........."},
        {"<b><u>x</b>y</u>z", "xyz", "Bu."},
        {"<B>x", "<B>x", "...."},
    };
    for (const Case& c : cases) {
        const render::Styled_Text styled = Prepare_Markup_Text(c.markup, now);
        EXPECT_EQ(styled.text, c.text) << c.markup.toStdString();
        EXPECT_EQ(Flags(styled), c.flags) << c.markup.toStdString();
    }
}

TEST(Prepare_Markup_Text, LongTextsAreHandledWhole)
{
    const QString text = QString(15000, u'あ') + QStringLiteral("<b>x");
    const render::Styled_Text styled = Prepare_Markup_Text(text, QDateTime());
    ASSERT_EQ(styled.text.size(), 15001);
    EXPECT_EQ(styled.bold.size(), 15001u);
    EXPECT_TRUE(styled.bold.back());
    EXPECT_FALSE(styled.bold[14999]);
}

TEST(Strip_Tags, RemovesAllEightTagsOnly)
{
    EXPECT_EQ(render::Strip_Tags("<b>品名</b>:<d>x</m>"), "品名:x");
    EXPECT_EQ(render::Strip_Tags("<d>yyyy<m>memo</u>"), "yyyymemo");
    EXPECT_EQ(render::Strip_Tags("<B><kanma>"), "<B><kanma>");
}

TEST(Measure_Text_Width, CountsCp932BytesWithoutTags)
{
    EXPECT_DOUBLE_EQ(render::Measure_Text_Width("ＡB", 10, 100), 4.875);
    EXPECT_DOUBLE_EQ(render::Measure_Text_Width("<b>ＡB</b>", 10, 100), 4.875);
    EXPECT_DOUBLE_EQ(render::Measure_Text_Width("ﾌﾟﾗ", 6, 75), 3 * 6 * 0.1625 * 0.75);
}

}  // namespace
