#include "layouts/default_layouts.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace layouts;
using test_support::Temp_Folder;

namespace {
const QString kRuledText = QStringLiteral(" 16711680 ");
const QString kPlainText = QStringLiteral(" 192 ");
}  // namespace

TEST(Default_Layouts, EightLayoutsInOrderWithTheirHeadings)
{
    const auto& all = Default_Layouts();
    ASSERT_EQ(all.size(), 8u);
    const QStringList names = {"標準01 65x45",      "標準01 65x45 ﾜｸ無",    "標準02 65x45 ﾖｺ", "標準02 65x45 ﾜｸ無 ﾖｺ",
                               "標準03 28x38 ﾜｸ無", "標準04 28x38 ﾊﾞｰｺｰﾄﾞ", "標準05 70x80",    "標準06 90x50"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(all[i].name, names[i]);
        EXPECT_EQ(all[i].record[Saved_Name], names[i]);
    }
}

// Spot checks of the published tables: (layout A..H, line, text).
TEST(Default_Layouts, LinesMatchTheTables)
{
    const struct {
        char layout;
        int line;
        const char* text;
    } cases[] = {
        {'A', 1, "Ver2.00"}, {'A', 3, " 0"},   {'A', 4, "65"},       {'A', 8, ""},      {'A', 11, "42"},
        {'A', 41, "8"},      {'A', 42, "75"},  {'A', 99, "6"},       {'A', 100, "75"},  {'A', 103, "8"},
        {'A', 104, "100"},   {'A', 141, "下"}, {'A', 143, "0"},      {'A', 152, "0"},   {'B', 1, "Ver2.00β"},
        {'C', 3, "90"},      {'C', 9, "2.5"},  {'C', 37, "8"},       {'C', 38, "150"},  {'C', 13, "55"},
        {'D', 25, "40"},     {'E', 35, "5.5"}, {'E', 65, "5.5"},     {'E', 66, "150"},  {'E', 141, "右"},
        {'E', 142, "下"},    {'F', 10, "1"},   {'F', 39, "10"},      {'F', 40, "75"},   {'F', 65, "10"},
        {'F', 66, "150"},    {'F', 14, "12"},  {'G', 1, "Ver2.00β"}, {'G', 24, "49.5"}, {'G', 141, "右"},
        {'G', 142, "右"},    {'G', 37, "8"},   {'G', 38, "150"},     {'H', 3, "90"},    {'H', 26, "67"},
        {'H', 28, "47"},     {'H', 12, "80"},  {'H', 38, "150"},     {'H', 97, "8"},    {'H', 98, "100"},
    };
    for (const auto& c : cases) {
        const Layout_Record& r = Default_Layouts()[c.layout - 'A'].record;
        EXPECT_EQ(r[c.line], QString::fromUtf8(c.text)) << c.layout << " line " << c.line;
    }
}

TEST(Default_Layouts, RuledFlags)
{
    const auto ruled_lines = [](int layout) {
        QList<int> lines;
        for (int n = 109; n <= 140; ++n) {
            const QString& flag = Default_Layouts()[layout].record[n];
            EXPECT_TRUE(flag == kRuledText || flag == kPlainText) << layout << " " << n;
            if (flag == kRuledText)
                lines << n;
        }
        return lines;
    };
    const auto range = [](int from, int to) {
        QList<int> lines;
        for (int n = from; n <= to; ++n)
            lines << n;
        return lines;
    };
    EXPECT_EQ(ruled_lines(0), range(109, 130) + range(132, 140));
    for (int layout : {1, 3, 4, 5})
        EXPECT_TRUE(ruled_lines(layout).isEmpty()) << layout;
    EXPECT_EQ(ruled_lines(2), range(109, 124));
    EXPECT_EQ(ruled_lines(6), QList<int>{121} + range(125, 130));
    EXPECT_EQ(ruled_lines(7), QList<int>{109} + range(111, 120) + range(125, 130));
}

TEST(Default_Layouts, EnsureCreatesOnlyMissingFiles)
{
    Temp_Folder dir;
    EXPECT_TRUE(Ensure_Default_Layouts(dir.Data_Folder()).isEmpty());
    for (const auto& layout : Default_Layouts()) {
        const QByteArray bytes = dir.Read(layout.name + ".lay");
        EXPECT_EQ(bytes.count("\r\n"), 152) << layout.name.toStdString();
    }
    for (const auto& layout : Own_Layouts())
        EXPECT_EQ(dir.Read(layout.name + ".lay").count("\r\n"), 152) << layout.name.toStdString();
    dir.Write(QStringLiteral("標準01 65x45.lay"), "changed by the user\r\n");
    const QByteArray g = dir.Read(QStringLiteral("標準05 70x80.lay"));
    QFile::remove(dir.File(QStringLiteral("標準05 70x80.lay")));
    EXPECT_TRUE(Ensure_Default_Layouts(dir.Data_Folder()).isEmpty());
    EXPECT_EQ(dir.Read(QStringLiteral("標準01 65x45.lay")), QByteArray("changed by the user\r\n"));
    EXPECT_EQ(dir.Read(QStringLiteral("標準05 70x80.lay")), g);
    EXPECT_TRUE(g.startsWith(QByteArray("Ver2.00\x83\xc0\r\n")));  // β in CP932
}
