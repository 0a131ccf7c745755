// Rules of the product screens: item values, barcode, list names and search,
// special expressions, width conversion.
#include "products/item_rules.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "products/special_expression.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace products;

TEST(Add_Days, NormalizedAsTheBoxShowsIt)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("３"), QStringLiteral("3")},    {QStringLiteral("-2"), QStringLiteral("2")},
        {QStringLiteral("1.5"), QStringLiteral("1.5")}, {QStringLiteral("0.5"), QStringLiteral(".5")},
        {QStringLiteral("abc"), QStringLiteral("0")},   {QStringLiteral("１２日"), QStringLiteral("12")},
        {QStringLiteral("－３"), QStringLiteral("3")},  {QString(), QStringLiteral("0")},
    };
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(Normalize_Add_Days(typed), shown) << typed.toStdString();
}

TEST(Item_Separator, BackspaceDeleteAndSelection)
{
    const QString text = QStringLiteral("品名:いちご");
    EXPECT_TRUE(Removes_Item_Separator(text, 3, 0, 0, Delete_Key::Backspace));
    EXPECT_FALSE(Removes_Item_Separator(text, 3, 0, 0, Delete_Key::Delete));
    EXPECT_TRUE(Removes_Item_Separator(text, 2, 0, 0, Delete_Key::Delete));
    EXPECT_FALSE(Removes_Item_Separator(text, 0, 0, 0, Delete_Key::Backspace));
    EXPECT_TRUE(Removes_Item_Separator(text, 6, 1, 4, Delete_Key::Backspace));
    EXPECT_FALSE(Removes_Item_Separator(text, 6, 4, 2, Delete_Key::Backspace));
    EXPECT_TRUE(Removes_Item_Separator(QStringLiteral("名称：餅"), 3, 0, 0, Delete_Key::Backspace));
}

TEST(Product_List, DisplayNamesOfFullListAndSearch)
{
    const QString name = QStringLiteral("品名:いちご<m>春限定");
    EXPECT_EQ(Full_List_Name(name, {}), QStringLiteral("春限定"));
    EXPECT_EQ(Search_Result_Name(name), QStringLiteral("いちご<m>春限定"));
    EXPECT_EQ(Full_List_Name({}, QStringLiteral("名称：和菓子")), QStringLiteral("和菓子"));
    EXPECT_EQ(Search_Result_Name({}), QString());
    EXPECT_EQ(Search_Result_Name(QStringLiteral("品名:<m>隠し")), QStringLiteral("隠し"));
    EXPECT_EQ(Product_List_Line(QStringLiteral("0012"), QStringLiteral("標準"), QStringLiteral("餅")),
              QStringLiteral("0012|標準                |餅"));
    EXPECT_EQ(Product_List_Line(QStringLiteral("0001"), QString(21, QLatin1Char('x')), QString()),
              QStringLiteral("0001|") + QString(20, QLatin1Char('x')) + QStringLiteral("|"));
}

TEST(Product_List, SearchWordsSplitAtBothSpacesAndAllAreUsed)
{
    EXPECT_EQ(Split_Search_Words(QStringLiteral("大福 こしあん")),
              Split_Search_Words(QStringLiteral("大福　こしあん")));
    EXPECT_EQ(Split_Search_Words(QStringLiteral("a  b")), (QStringList{"a", "", "b"}));
    const QString twelve = QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12");
    EXPECT_EQ(Split_Search_Words(twelve).size(), 12);

    test_support::Temp_Folder folder;
    auto line = [](const QString& no, const QString& name, const QString& ingredients) {
        Product_Record r;
        r[Product_No] = no;
        r[Layout_Name] = QStringLiteral("標準");
        r[Product_Name] = name;
        r[Ingredients] = ingredients;
        return Join_Product_Line(r);
    };
    folder.Write(
        kProductFileName,
        test_support::Cp932_Lines({QStringLiteral("2.00"),
                                   line("0001", QStringLiteral("品名:大福"), QStringLiteral("原材料名:こしあん")),
                                   line("0002", QStringLiteral("品名:大福"), QStringLiteral("原材料名:つぶあん")),
                                   line("0012", QStringLiteral("品名:柏餅"), QStringLiteral("原材料名:0012番"))}));
    const QStringList both = Search_Product_List(folder.Data_Folder(), QStringLiteral("大福　こしあん"));
    ASSERT_EQ(both.size(), 1);
    EXPECT_TRUE(both.first().startsWith(QStringLiteral("0001|")));
    EXPECT_EQ(Search_Product_List(folder.Data_Folder(), QStringLiteral("0012")).size(), 1);
    // An eleventh word that matches nothing empties the result: every word counts.
    EXPECT_EQ(Search_Product_List(folder.Data_Folder(),
                                  QStringLiteral("大福 大福 大福 大福 大福 大福 大福 大福 大福 大福 無い"))
                  .size(),
              0);
    EXPECT_EQ(Search_Product_List(folder.Data_Folder(), QString()).size(), 3);
    EXPECT_EQ(Full_Product_List(folder.Data_Folder()).size(), 3);
}

TEST(Special_Expression, OptionsPutAndRemoveTheLeadingTag)
{
    const QString start = QStringLiteral("品名:いちご");
    const QString bold = Apply_Special_Expression(start, Special_Expression::Bold);
    EXPECT_EQ(bold, QStringLiteral("<b>品名:いちご"));
    const QString date = Apply_Special_Expression(bold, Special_Expression::Date);
    EXPECT_EQ(date, QStringLiteral("<d>品名:いちご"));
    EXPECT_EQ(Apply_Special_Expression(date, Special_Expression::None), start);
    EXPECT_EQ(Apply_Special_Expression(QStringLiteral("<m>x"), Special_Expression::Bold), QStringLiteral("<b><m>x"));
    EXPECT_EQ(Apply_Special_Expression(QStringLiteral("<m>x"), Special_Expression::None), QStringLiteral("<m>x"));
    EXPECT_EQ(Apply_Special_Expression(QStringLiteral("ab"), Special_Expression::Date), QStringLiteral("<d>ab"));
    EXPECT_EQ(Initial_Special_Expression(QStringLiteral("<d>x")), Special_Expression::Date);
    EXPECT_EQ(Initial_Special_Expression(QStringLiteral("<u>x")), Special_Expression::None);
    EXPECT_EQ(Special_Expression_For_Typing(QStringLiteral("<D"), QStringLiteral(">")), Special_Expression::Date);
    EXPECT_EQ(Special_Expression_For_Typing(QStringLiteral("<B>x"), QStringLiteral("y")), Special_Expression::Bold);
    EXPECT_EQ(Special_Expression_For_Typing(QStringLiteral("<"), QStringLiteral("d")), Special_Expression::None);
    EXPECT_EQ(Insert_Button_Caption(QStringLiteral("高温 ・多湿　・直射日光を避け")),
              QStringLiteral("｢高温・多湿・直射日光｣を左枠へ表示"));
}

TEST(Special_Expression, ThirtyTitlesMapToTheirBoxes)
{
    EXPECT_EQ(Item_Titles().size(), 30);
    EXPECT_EQ(Item_Box_Of_Title(QStringLiteral("品名の登録")), 1);
    EXPECT_EQ(Item_Box_Of_Title(QStringLiteral("保存方法の登録")), 8);
    EXPECT_EQ(Item_Box_Of_Title(QStringLiteral("成分表タイトルの登録")), 17);
    EXPECT_EQ(Item_Box_Of_Title(QStringLiteral("成分追加９の登録")), 31);
    EXPECT_EQ(Item_Box_Of_Title(QStringLiteral("成分追加１０の登録")), 32);
    EXPECT_EQ(Title_Of_Item_Box(7), QString());
}

// The colon that ends an item's caption, typed full width by an input method.
TEST(Item_Caption, FullWidthColonEndingTheCaptionBecomesTheCaptionsColon)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("保存方法：直射日光を避け"), QStringLiteral("保存方法:直射日光を避け")},
        {QStringLiteral("食塩相当量：0.1g"), QStringLiteral("食塩相当量:0.1g")},
        {QStringLiteral("原材料名:小麦粉（産地：国産）"), QStringLiteral("原材料名:小麦粉（産地：国産）")},
        {QStringLiteral("品名：大福：こしあん"), QStringLiteral("品名:大福：こしあん")},
        {QStringLiteral("：始まり"), QStringLiteral("：始まり")},
        {QStringLiteral("いちご大福"), QStringLiteral("いちご大福")},
        {QString(), QString()},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(With_Caption_Colon(typed), stored) << typed.toStdString();
}
