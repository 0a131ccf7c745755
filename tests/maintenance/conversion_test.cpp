// Conversion of version 1.08 product files: the record mapping and the merge by number.
#include "maintenance/conversion.h"
#include "products/product_file.h"
#include "store/file_lock.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace maintenance;
using products::Product_Record;
using test_support::Cp932_Lines;
using test_support::Temp_Folder;

namespace {

using test_support::Q;

// An old record with the given number, name, label type, frame and marks.
QString Old_Line(const QString& number, const QString& name, const QString& type = Q("65×45(タテ)"),
                 const QString& frame = QStringLiteral("ooooooooooo"), const QString& marks = Q("なし"),
                 const QString& caption1 = {}, const QString& caption2 = {})
{
    QStringList f;
    f << number << name << Q("<W>菓子") << Q("小麦粉<kanma>砂糖<kanma>卵") << QStringLiteral("100")
      << QStringLiteral("g") << Q("賞味期限") << Q("<B>yyyy.mm.dd") << QStringLiteral("30") << QString() << Q("常温")
      << QString() << QString() << Q("ぱるべりな食品") << QString() << Q("備考") << QStringLiteral("4901234567894")
      << marks << caption1 << caption2 << type << frame;
    return f.join(QLatin1Char('\t'));
}

struct Conversion_Fixture : ::testing::Test {
    Temp_Folder data;
    Temp_Folder old;

    QString Old_File(const QStringList& records)
    {
        old.Write(Q("商品情報.tsv"), Cp932_Lines(QStringList{QStringLiteral("1.08")} + records));
        return old.File(Q("商品情報.tsv"));
    }
    QStringList Product_Lines() { return store::Read_Text_Lines(data.File(products::kProductFileName)).lines; }
};

}  // namespace

TEST(Convert_Old_Record, MapsEveryField)
{
    const Product_Record r = Convert_Old_Record(Old_Line(QStringLiteral("0007"), Q("<w>クッキー")));
    EXPECT_EQ(r[products::Product_No], QStringLiteral("0007"));
    EXPECT_EQ(r[products::Layout_Name], Q("標準01 65x45"));
    EXPECT_EQ(r[products::Product_Name], Q("クッキー"));
    EXPECT_EQ(r[products::Category_Name], Q("菓子"));
    EXPECT_EQ(r[products::Ingredients], Q("小麦粉,砂糖,卵"));
    EXPECT_EQ(r[products::Extra1], QString());
    EXPECT_EQ(r[products::Contents], QStringLiteral("100"));
    EXPECT_EQ(r[products::Contents_Unit], QStringLiteral("g"));
    EXPECT_EQ(r[products::Date_Kind], Q("賞味期限"));
    EXPECT_EQ(r[products::Date_Format], QStringLiteral("yyyy.mm.dd"));
    EXPECT_EQ(r[products::Date_Add_Days], QStringLiteral("30"));
    EXPECT_EQ(r[products::Storage], Q("常温"));
    EXPECT_EQ(r[products::Responsible], Q("ぱるべりな食品"));
    EXPECT_EQ(r[products::Remarks1], Q("備考"));
    EXPECT_EQ(r[products::Remarks2], QString());
    EXPECT_EQ(r[products::Barcode], QStringLiteral("4901234567894"));
    EXPECT_EQ(r[products::Recycle1_Mark], Q("なし"));
    EXPECT_EQ(r[products::Recycle2_Mark], Q("なし"));
}

TEST(Old_Layout_Name, LabelTypeAndFrameChooseTheStandardLayout)
{
    const QString frameless = QStringLiteral("xxxxxxxxxxx");
    const struct {
        const char* type;
        bool without_frame;
        const char* layout;
    } cases[] = {
        {"65×45(タテ)", false, "標準01 65x45"},
        {"65×45(タテ)", true, "標準01 65x45 ﾜｸ無"},
        {"65×45(ヨコ)", false, "標準02 65x45 ﾖｺ"},
        {"65×45(ヨコ)", true, "標準02 65x45 ﾜｸ無 ﾖｺ"},
        {"28×38", false, "標準03 28x38 ﾜｸ無"},
        {"28×38", true, "標準03 28x38 ﾜｸ無"},
        {"90×50", true, "標準01 65x45"},  // no mapping: the first standard layout
        {"", false, "標準01 65x45"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Old_Layout_Name(Q(c.type), c.without_frame ? frameless : QStringLiteral("xxxxxxxxxx")), Q(c.layout))
            << c.type << c.without_frame;
}

TEST(Convert_Old_Record, RecyclingMarksAndTheirCaptions)
{
    const struct {
        const char* marks;
        const char* expected[6];
    } cases[] = {
        {"紙＆プラ", {"紙", "紙", "外箱", "プラ", "プラ", "袋"}},
        {"プラ＆紙", {"プラ", "紙", "外箱", "紙", "プラ", "袋"}},
        {"紙", {"紙", "紙", "外箱", "なし", "", ""}},
        {"プラ", {"プラ", "紙", "外箱", "なし", "", ""}},
        {"なし", {"なし", "", "", "なし", "", ""}},
        {"缶", {"なし", "", "", "なし", "", ""}},  // no mapping: no marks
    };
    for (const auto& c : cases) {
        const Product_Record r = Convert_Old_Record(Old_Line(QStringLiteral("0001"), Q("x"), Q("65×45(タテ)"),
                                                             QStringLiteral("o"), Q(c.marks), Q("紙<r>外箱"),
                                                             Q("プラ<r>袋")));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(r[products::Recycle1_Mark + i], Q(c.expected[i])) << c.marks << " field " << 39 + i;
    }
    const Product_Record single = Convert_Old_Record(
        Old_Line(QStringLiteral("0001"), Q("x"), Q("28×38"), QStringLiteral("o"), Q("紙"), Q("紙のみ")));
    EXPECT_EQ(single[products::Recycle1_Text1], Q("紙のみ"));
    EXPECT_EQ(single[products::Recycle1_Text2], QString());
}

TEST_F(Conversion_Fixture, RecordsIntoAnEmptyProductFile)
{
    data.Write(products::kProductFileName, Cp932_Lines({QStringLiteral("2.00")}));
    const QString path =
        Old_File({Old_Line(QStringLiteral("0001"), Q("一")), Old_Line(QStringLiteral("0003"), Q("三"))});
    ASSERT_TRUE(Convert_Product_File(data.Data_Folder(), path).ok());
    const QStringList lines = Product_Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("2.00"));
    EXPECT_EQ(lines[1], products::Join_Product_Line(Convert_Old_Record(Old_Line(QStringLiteral("0001"), Q("一")))));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("0003\t")));
    EXPECT_EQ(lines[2].split(QLatin1Char('\t')).size(), products::kColumns);
    EXPECT_FALSE(QFileInfo::exists(data.File(products::kProductTempName)));
}

TEST_F(Conversion_Fixture, MergesByNumberAndOldRecordsReplaceCurrentOnes)
{
    data.Write(products::kProductFileName,
               Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0002\tcurrent two"), QString(),
                            QStringLiteral("0003\tcurrent three")}));
    const QString path =
        Old_File({Old_Line(QStringLiteral("0001"), Q("一")), QString(),
                  Old_Line(QStringLiteral("0003"), Q("三"), Q("65×45(ヨコ)"), QStringLiteral("xxxxxxxxxxx"))});
    ASSERT_TRUE(Convert_Product_File(data.Data_Folder(), path).ok());
    const QStringList lines = Product_Lines();
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0001\t") + Q("標準01 65x45\t一")));
    EXPECT_EQ(lines[2], QStringLiteral("0002\tcurrent two"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("0003\t") + Q("標準02 65x45 ﾜｸ無 ﾖｺ\t三")));

    // A second run with the same file replaces the same numbers again.
    ASSERT_TRUE(Convert_Product_File(data.Data_Folder(), path).ok());
    EXPECT_EQ(Product_Lines(), lines);
}

TEST_F(Conversion_Fixture, UnusableOldFilesAreRefusedAndTheProductFileIsKept)
{
    const QByteArray products_before = Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0002\tkeep")});
    data.Write(products::kProductFileName, products_before);
    old.Write(QStringLiteral("v2.tsv"), Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0001\tx")}));
    for (const QString& path :
         {QString(), old.File(QStringLiteral("missing.tsv")), old.File(QStringLiteral("v2.tsv"))}) {
        const store::Write_Result result = Convert_Product_File(data.Data_Folder(), path);
        EXPECT_FALSE(result.ok()) << path.toStdString();
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(data.Read(products::kProductFileName), products_before);
    }
    // A product file that cannot be rewritten is reported and kept.
    QDir().mkdir(store::Writer_Temp_Path(data.File(products::kProductTempName)));
    const store::Write_Result blocked = Convert_Product_File(data.Data_Folder(),
                                                             Old_File({Old_Line(QStringLiteral("0001"), Q("一"))}));
    EXPECT_FALSE(blocked.ok());
    EXPECT_EQ(data.Read(products::kProductFileName), products_before);

    EXPECT_EQ(Check_Old_File(QString()), Old_File_Check::Unreadable);
    EXPECT_EQ(Check_Old_File(old.File(QStringLiteral("missing.tsv"))), Old_File_Check::Unreadable);
    EXPECT_EQ(Check_Old_File(old.File(QStringLiteral("v2.tsv"))), Old_File_Check::Not_Old_File);
    EXPECT_EQ(Check_Old_File(Old_File({})), Old_File_Check::Old_File);
}
