// Layout management rules: names, the new-layout defaults, saving, renaming
// with the product file, protected names and importing.
#include "layouts/default_layouts.h"
#include "layouts/layout_names.h"
#include "maintenance/layout_management.h"
#include "products/product_file.h"
#include "store/file_lock.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace layouts;
using test_support::Cp932_Lines;
using test_support::Scripted_Answerer;
using test_support::Temp_Folder;

namespace {

using test_support::Q;
const QDateTime kFixedMoment(QDate(2024, 3, 5), QTime(14, 7, 9));
const render::Clock kClock = [] { return kFixedMoment; };

// Saves as the layout screen does: the outcome is told.
maintenance::Saved_Layout Saved(const QString& folder, const QString& name, const maintenance::Layout_Fields& fields,
                                Scripted_Answerer& answerer, const render::Clock& clock)
{
    maintenance::Saved_Layout saved = maintenance::Save_Layout(folder, name, fields, answerer, clock);
    answerer.Tell(saved.outcome);
    return saved;
}

struct Layout_Fixture : ::testing::Test {
    Temp_Folder data;
    Scripted_Answerer answerer;

    void SetUp() override { data.Write(products::kProductFileName, "2.00\r\n"); }

    QStringList Lines_Of(const QString& name)
    {
        return store::Read_Text_Lines(layouts::Layout_Path(data.Data_Folder(), name)).lines;
    }
};

}  // namespace

TEST(Clean_Layout_Name, ReplacesWhatFileNamesCannotHold)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a/b", "a／b"},
        {"a,b", "a＜kanma＞b"},
        {"a，b", "a＜kanma＞b"},
        {"c:\\*?<>|", "c：￥＊？＜＞｜"},
        {"\"q\"", "＂q＂"},
        {"tab\there\r\n", "tabhere"},
        {"標準 65x45 ﾖｺ", "標準 65x45 ﾖｺ"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(maintenance::Clean_Layout_Name(Q(typed)), Q(expected)) << typed;
}

TEST(Preview_Product_No, FullWidthDigitsBecomeFourDigits)
{
    EXPECT_EQ(maintenance::Preview_Product_No(Q("１２")), QStringLiteral("0012"));
    EXPECT_EQ(maintenance::Preview_Product_No(QStringLiteral("7")), QStringLiteral("0007"));
    EXPECT_EQ(maintenance::Preview_Product_No(QString()), QStringLiteral("0000"));
}

TEST(Picture_Size_Hint, WholePixelsOfTheLabelAtOnePixelPerTwip)
{
    EXPECT_EQ(maintenance::Picture_Size_Hint(QStringLiteral("65"), QStringLiteral("45")), Q("最大:幅2553px×縦3688px"));
    EXPECT_EQ(maintenance::Picture_Size_Hint(QStringLiteral("10"), QStringLiteral("abc"), 2.0),
              Q("最大:幅0px×縦1134px"));
}

TEST(New_Layout_Fields, DefaultsAsSaved)
{
    const layouts::Layout_Record r = maintenance::Compose_Layout(maintenance::New_Layout_Fields(), QStringLiteral("n"));
    EXPECT_EQ(r[1], QStringLiteral("Ver2.00"));
    EXPECT_EQ(r[2], QStringLiteral("n"));
    EXPECT_EQ(r[3], QStringLiteral(" 0"));
    const std::map<int, const char*> special = {{8, ""},   {11, "40"}, {14, "7"},  {17, "6"},  {18, "7"}, {21, "6"},
                                                {22, "7"}, {25, "40"}, {28, "99"}, {31, "99"}, {34, "99"}};
    for (int line = 4; line <= 34; ++line) {
        const auto it = special.find(line);
        EXPECT_EQ(r[line], QString::fromLatin1(it == special.end() ? "0" : it->second)) << line;
    }
    for (int line = 35; line <= 108; line += 2) {
        EXPECT_EQ(r[line], QStringLiteral("8")) << line;
        EXPECT_EQ(r[line + 1], QStringLiteral("100")) << line + 1;
    }
    for (int line = 109; line <= 140; ++line)
        EXPECT_EQ(r[line], QStringLiteral(" 16711680 ")) << line;
    EXPECT_EQ(r[141], Q("下"));
    EXPECT_EQ(r[142], Q("下"));
    EXPECT_EQ(r[143], QStringLiteral("0000"));
    for (int line = 144; line <= 152; ++line)
        EXPECT_EQ(r[line], QStringLiteral("0")) << line;
}

TEST_F(Layout_Fixture, SavedFieldsReadBackThroughTheScreensReader)
{
    maintenance::Layout_Fields fields = maintenance::New_Layout_Fields();
    fields.direction = QStringLiteral("90");
    fields.text[0] = QStringLiteral("65.0");
    fields.text[2] = QStringLiteral("0.5");
    fields.text[4] = Q("背景,1.bmp");
    fields.flags[3] = layouts::kPlain;
    fields.side2 = Q("右");
    fields.paper = QStringLiteral("12");
    ASSERT_EQ(Saved(data.Data_Folder(), QStringLiteral("R"), fields, answerer, kClock).name, QStringLiteral("R"));
    const QStringList lines = Lines_Of(QStringLiteral("R"));
    ASSERT_EQ(lines.size(), 152);
    EXPECT_EQ(lines[5], QStringLiteral(".5"));
    EXPECT_EQ(lines[7], Q("背景<kanma>1.bmp"));
    EXPECT_EQ(lines[142], QStringLiteral("0012"));

    maintenance::Layout_Fields read;
    maintenance::Apply_Layout_Values(
        *layouts::Read_Layout_Values(layouts::Layout_Path(data.Data_Folder(), QStringLiteral("R"))), read);
    EXPECT_EQ(read.direction, QStringLiteral("90"));
    EXPECT_EQ(read.text[0], QStringLiteral("65"));
    EXPECT_EQ(read.text[2], QStringLiteral(".5"));
    EXPECT_EQ(read.text[4], Q("背景<kanma>1.bmp"));
    EXPECT_EQ(read.flags[3], layouts::kPlain);
    EXPECT_EQ(read.flags[4], layouts::kRuled);
    EXPECT_EQ(read.side2, Q("右"));
    EXPECT_EQ(read.paper, QStringLiteral("0012"));
}

TEST(Apply_Layout_Values, StopsAtTheFirstFlagThatIsNotANumber)
{
    QStringList values;
    for (int line = 1; line <= 152; ++line)
        values << QStringLiteral("5");
    values[2] = QStringLiteral("45");              // neither 0 nor 90: direction unchanged
    values[109 + 2 - 1] = QStringLiteral("blue");  // line 111
    values[140] = Q("右");
    maintenance::Layout_Fields fields = maintenance::New_Layout_Fields();
    maintenance::Apply_Layout_Values(values, fields);
    EXPECT_EQ(fields.direction, QStringLiteral(" 0"));
    EXPECT_EQ(fields.text[104], QStringLiteral("5"));
    EXPECT_EQ(fields.flags[0], 5);
    EXPECT_EQ(fields.flags[1], 5);
    EXPECT_EQ(fields.flags[2], layouts::kRuled) << "line 111 and everything after it keep their values";
    EXPECT_EQ(fields.side1, Q("下"));
}

TEST_F(Layout_Fixture, NewLayoutEntrySavesUnderTheDatedName)
{
    const maintenance::Saved_Layout saved = Saved(data.Data_Folder(), maintenance::kNewLayoutEntry,
                                                  maintenance::New_Layout_Fields(), answerer, kClock);
    const QString name = saved.name;
    EXPECT_EQ(name, Q("作成ﾚｲｱｳﾄ24年03月05日14時07分09秒"));
    EXPECT_TRUE(saved.created);
    EXPECT_TRUE(QFileInfo::exists(data.File(Q("作成ﾚｲｱｳﾄ24年03月05日14時07分09秒.lay"))));
    EXPECT_EQ(Lines_Of(name).value(1), name);
    ASSERT_EQ(answerer.requests.size(), 1u);
    EXPECT_EQ(answerer.requests[0].line1, Q("保存しました"));
    EXPECT_EQ(answerer.requests[0].back_colour, store::kInformationColour);
}

TEST_F(Layout_Fixture, SlashAndCommaAreCleanedInTheFileName)
{
    Saved(data.Data_Folder(), Q("65/45,b"), maintenance::New_Layout_Fields(), answerer, kClock);
    EXPECT_EQ(QDir(data.Path()).entryList({QStringLiteral("*.lay")}, QDir::Files),
              QStringList{Q("65／45＜kanma＞b.lay")});
}

TEST_F(Layout_Fixture, ExistingNameIsOverwrittenOnlyWhenConfirmed)
{
    Saved(data.Data_Folder(), QStringLiteral("A"), maintenance::New_Layout_Fields(), answerer, kClock);
    const QByteArray first = data.Read(QStringLiteral("A.lay"));
    maintenance::Layout_Fields changed = maintenance::New_Layout_Fields();
    changed.text[0] = QStringLiteral("70");

    answerer.answers = {false};
    EXPECT_EQ(Saved(data.Data_Folder(), QStringLiteral("A"), changed, answerer, kClock).name, QString());
    EXPECT_EQ(data.Read(QStringLiteral("A.lay")), first);
    EXPECT_EQ(answerer.Lines1().mid(1), (QStringList{Q("同じ名前のレイアウトが存在"), Q("保存しませんでした")}));

    answerer.requests.clear();
    answerer.answers = {true};
    const maintenance::Saved_Layout overwritten = Saved(data.Data_Folder(), QStringLiteral("A"), changed, answerer,
                                                        kClock);
    EXPECT_EQ(overwritten.name, QStringLiteral("A"));
    EXPECT_FALSE(overwritten.created);
    EXPECT_EQ(Lines_Of(QStringLiteral("A")).value(3), QStringLiteral("70"));
    EXPECT_EQ(answerer.Lines1(), (QStringList{Q("同じ名前のレイアウトが存在"), Q("上書き保存しました")}));
}

TEST_F(Layout_Fixture, FailedWriteKeepsTheOldFileAndSaysSo)
{
    Saved(data.Data_Folder(), QStringLiteral("A"), maintenance::New_Layout_Fields(), answerer, kClock);
    const QByteArray first = data.Read(QStringLiteral("A.lay"));
    QDir().mkdir(
        store::Writer_Temp_Path(data.File(QStringLiteral("A.lay.tmp"))));  // the temporary twin cannot be created
    answerer.requests.clear();
    answerer.answers = {true};
    maintenance::Layout_Fields changed = maintenance::New_Layout_Fields();
    changed.text[0] = QStringLiteral("70");
    EXPECT_EQ(Saved(data.Data_Folder(), QStringLiteral("A"), changed, answerer, kClock).name, QString());
    EXPECT_EQ(data.Read(QStringLiteral("A.lay")), first);
    EXPECT_EQ(answerer.requests.back().line1, Q("保存出来ませんでした"));
    EXPECT_FALSE(answerer.requests.back().line3.isEmpty());
}

TEST_F(Layout_Fixture, ProtectedNamesCanBeNeitherDeletedNorRenamed)
{
    ASSERT_TRUE(layouts::Ensure_Default_Layouts(data.Data_Folder()).isEmpty());
    const QString turned = Q("標準02 65x45 ﾖｺ");
    answerer.answers = {true, true};
    EXPECT_FALSE(answerer.Told_Done(maintenance::Delete_Layout(data.Data_Folder(), turned, answerer)));
    EXPECT_FALSE(answerer.Told_Done(maintenance::Rename_Layout(data.Data_Folder(), turned, QStringLiteral("X"))));
    EXPECT_FALSE(answerer.Told_Done(
        maintenance::Rename_Layout(data.Data_Folder(), maintenance::kNewLayoutEntry, QStringLiteral("X"))));
    EXPECT_TRUE(QFileInfo::exists(layouts::Layout_Path(data.Data_Folder(), turned)));
    EXPECT_FALSE(QFileInfo::exists(layouts::Layout_Path(data.Data_Folder(), QStringLiteral("X"))));
    EXPECT_EQ(answerer.Lines1(),
              (QStringList{Q("このレイアウトは"), Q("このレイアウト名は"), Q("このレイアウト名は")}));
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts())
        EXPECT_TRUE(maintenance::Is_Protected_Layout_Name(layout.name));
    EXPECT_FALSE(maintenance::Is_Protected_Layout_Name(QStringLiteral("A")));
}

TEST_F(Layout_Fixture, RenameUpdatesEveryProductAndKeepsLineTwo)
{
    Saved(data.Data_Folder(), QStringLiteral("A"), maintenance::New_Layout_Fields(), answerer, kClock);
    data.Write(products::kProductFileName,
               Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0001\tA\tone"), QStringLiteral("0002\tAB\ttwo"),
                            QStringLiteral("0003\tA\tthree\tA")}));
    answerer.requests.clear();
    ASSERT_TRUE(
        answerer.Told_Done(maintenance::Rename_Layout(data.Data_Folder(), QStringLiteral("A"), QStringLiteral("B"))));
    EXPECT_FALSE(QFileInfo::exists(layouts::Layout_Path(data.Data_Folder(), QStringLiteral("A"))));
    EXPECT_EQ(Lines_Of(QStringLiteral("B")).value(1), QStringLiteral("A"));
    EXPECT_EQ(store::Read_Text_Lines(data.File(products::kProductFileName)).lines,
              (QStringList{QStringLiteral("2.00"), QStringLiteral("0001\tB\tone"), QStringLiteral("0002\tAB\ttwo"),
                           QStringLiteral("0003\tB\tthree\tA")}));
    EXPECT_EQ(answerer.Lines1(), QStringList{Q("変更しました")});
}

// 纊 written as ED40 by a Windows copy (this codec writes FA5C): overwriting the
// layout with other values and renaming it keep those bytes, as does the product
// file's rewrite for the lines of other layouts.
TEST_F(Layout_Fixture, OverwriteAndRenameKeepTheBytesOfUnchangedLines)
{
    maintenance::Layout_Fields fields = maintenance::New_Layout_Fields();
    fields.text[Background_Image - Label_Length] = QStringLiteral("纊.bmp");
    Saved(data.Data_Folder(), QStringLiteral("A"), fields, answerer, kClock);
    QByteArray windows = data.Read(QStringLiteral("A.lay"));
    ASSERT_TRUE(windows.contains("\xFA\x5C.bmp"));
    windows.replace("\xFA\x5C.bmp", "\xED\x40.bmp");
    data.Write(QStringLiteral("A.lay"), windows);

    fields.text[0] = QStringLiteral("70");
    answerer.answers = {true};
    Saved(data.Data_Folder(), QStringLiteral("A"), fields, answerer, kClock);
    const QByteArray overwritten = data.Read(QStringLiteral("A.lay"));
    EXPECT_EQ(QByteArray(overwritten).replace("\r\n70\r\n", "\r\n0\r\n"), windows);

    const QByteArray other_product = "0002\tX\t\xED\x40\x85\x40\r\n";
    data.Write(products::kProductFileName, "2.00\r\n0001\tA\r\n" + other_product);
    ASSERT_TRUE(
        answerer.Told_Done(maintenance::Rename_Layout(data.Data_Folder(), QStringLiteral("A"), QStringLiteral("B"))));
    EXPECT_EQ(data.Read(QStringLiteral("B.lay")), overwritten);
    EXPECT_EQ(data.Read(products::kProductFileName), "2.00\r\n0001\tB\r\n" + other_product);
}

TEST_F(Layout_Fixture, RenameRefusesExistingNamesAndKeepsAllWhenProductsCannotBeWritten)
{
    for (const char* name : {"A", "B"})
        Saved(data.Data_Folder(), Q(name), maintenance::New_Layout_Fields(), answerer, kClock);
    const QByteArray product_file = Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0001\tA\tone")});
    data.Write(products::kProductFileName, product_file);
    answerer.requests.clear();
    EXPECT_FALSE(
        answerer.Told_Done(maintenance::Rename_Layout(data.Data_Folder(), QStringLiteral("A"), QStringLiteral("B"))));
    EXPECT_EQ(answerer.Lines1(), QStringList{Q("入力した名称は既に存在します")});

    QDir().mkdir(
        store::Writer_Temp_Path(data.File(products::kProductTempName)));  // the product file cannot be rewritten
    EXPECT_FALSE(
        answerer.Told_Done(maintenance::Rename_Layout(data.Data_Folder(), QStringLiteral("A"), QStringLiteral("C"))));
    EXPECT_TRUE(QFileInfo::exists(layouts::Layout_Path(data.Data_Folder(), QStringLiteral("A"))));
    EXPECT_FALSE(QFileInfo::exists(layouts::Layout_Path(data.Data_Folder(), QStringLiteral("C"))));
    EXPECT_EQ(data.Read(products::kProductFileName), product_file);
}

TEST_F(Layout_Fixture, DeleteAsksFirst)
{
    Saved(data.Data_Folder(), QStringLiteral("A"), maintenance::New_Layout_Fields(), answerer, kClock);
    answerer.requests.clear();
    answerer.answers = {false};
    EXPECT_FALSE(answerer.Told_Done(maintenance::Delete_Layout(data.Data_Folder(), QStringLiteral("A"), answerer)));
    EXPECT_TRUE(QFileInfo::exists(data.File(QStringLiteral("A.lay"))));
    answerer.answers = {true};
    EXPECT_TRUE(answerer.Told_Done(maintenance::Delete_Layout(data.Data_Folder(), QStringLiteral("A"), answerer)));
    EXPECT_FALSE(QFileInfo::exists(data.File(QStringLiteral("A.lay"))));
    EXPECT_EQ(answerer.requests.back().line1, Q("削除しました"));
}

TEST_F(Layout_Fixture, ListStartsWithTheNewEntryAndHoldsAtMost1001Names)
{
    for (int i = 0; i < 1003; ++i)
        data.Write(QStringLiteral("L%1.lay").arg(i, 4, 10, QLatin1Char('0')), "x");
    data.Write(QStringLiteral("a.lay"), "x");
    data.Write(QStringLiteral("b.txt"), "x");
    const QStringList list = maintenance::Layout_List(data.Data_Folder());
    ASSERT_EQ(list.size(), 1 + maintenance::kLayoutListCap);
    EXPECT_EQ(list[0], maintenance::kNewLayoutEntry);
    EXPECT_EQ(list[1], QStringLiteral("a"));
    EXPECT_EQ(list[2], QStringLiteral("L0000"));
}

TEST_F(Layout_Fixture, DroppedLayoutFileIsCopiedAfterConfirmation)
{
    Temp_Folder elsewhere;
    elsewhere.Write(QStringLiteral("shop.LAY"), "Ver2.00\r\n");
    elsewhere.Write(QStringLiteral("shop.txt"), "text");
    EXPECT_FALSE(answerer.Told_Done(
        maintenance::Import_Layout(data.Data_Folder(), elsewhere.File(QStringLiteral("shop.txt")), answerer)));
    EXPECT_TRUE(answerer.requests.empty()) << "only .lay files are offered";
    answerer.answers = {true};
    EXPECT_TRUE(answerer.Told_Done(
        maintenance::Import_Layout(data.Data_Folder(), elsewhere.File(QStringLiteral("shop.LAY")), answerer)));
    EXPECT_EQ(data.Read(QStringLiteral("shop.lay")), QByteArray("Ver2.00\r\n"));
    EXPECT_EQ(answerer.Lines1(), (QStringList{QStringLiteral("shop.LAY"), Q("登録しました")}));
}

TEST_F(Layout_Fixture, ImportRemovesControlCharactersAndRefusesAMissingFile)
{
    Temp_Folder elsewhere;
    elsewhere.Write(QStringLiteral("evil\n0002\tx.lay"), "Ver2.00\r\n");
    answerer.answers = {true, true};
    EXPECT_TRUE(answerer.Told_Done(
        maintenance::Import_Layout(data.Data_Folder(), elsewhere.File(QStringLiteral("evil\n0002\tx.lay")), answerer)));
    EXPECT_EQ(data.Read(QStringLiteral("evil0002x.lay")), QByteArray("Ver2.00\r\n"));
    EXPECT_EQ(Sorted_Layout_Names(data.Data_Folder()).filter(QStringLiteral("evil")),
              QStringList{QStringLiteral("evil0002x")});

    const QString missing = elsewhere.File(QStringLiteral("gone.lay"));
    const store::Outcome outcome = maintenance::Import_Layout(data.Data_Folder(), missing, answerer);
    EXPECT_EQ(outcome.kind, store::Outcome::Kind::Failed);
    EXPECT_EQ(outcome.lines.value(0), Q("登録出来ませんでした"));
    EXPECT_FALSE(QFileInfo::exists(data.File(QStringLiteral("gone.lay"))));
}

// The data folder's drive was taken away (its mount point left empty): a layout
// is not written there as if it were a first start.
TEST_F(Layout_Fixture, GoneDataFolderIsRefused)
{
    QFile::remove(data.File(products::kProductFileName));
    const maintenance::Saved_Layout saved = Saved(data.Data_Folder(), QStringLiteral("A"),
                                                  maintenance::New_Layout_Fields(), answerer, kClock);
    EXPECT_EQ(saved.name, QString());
    EXPECT_EQ(answerer.Shown(),
              (QStringList{Q("保存出来ませんでした/データ保存先 ") + data.Data_Folder()
                           + Q(" から 商品情報_v2.tsv がなくなっています")}));
    Temp_Folder source;
    source.Write(QStringLiteral("B.lay"), "Ver2.00\r\n");
    answerer.answers = {true};
    EXPECT_FALSE(answerer.Told_Done(
        maintenance::Import_Layout(data.Data_Folder(), source.File(QStringLiteral("B.lay")), answerer)));
    EXPECT_EQ(QDir(data.Path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}
