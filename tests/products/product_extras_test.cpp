// The file of per-product data of our own: fields by column name, kept beside
// columns it does not know, CP932 with CR LF, changed only whole.
#include "products/product_extras.h"
#include "products/product_file.h"
#include "store/cp932.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace products;

TEST(Product_Extras, StoresFieldsByNameInNumberOrderAndReadsThemBack)
{
    test_support::Temp_Folder folder;
    EXPECT_EQ(Read_Product_Extras(folder.Data_Folder(), QStringLiteral("12")), Product_Extras());
    ASSERT_TRUE(
        Store_Product_Extras(folder.Data_Folder(), QStringLiteral("12"), {{kPackageAreaField, kSmallPackageArea}})
            .Is_Done());
    ASSERT_TRUE(Store_Product_Extras(folder.Data_Folder(), QStringLiteral("3"),
                                     {{QStringLiteral("レシピ"), QStringLiteral("r1")}})
                    .Is_Done());
    EXPECT_EQ(folder.Read(kProductExtrasFileName),
              test_support::Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("登録番号\t表示可能面積\tレシピ"),
                                         QStringLiteral("0003\t\tr1"), QStringLiteral("0012\t150cm2以下")}));
    const auto twelve = Read_Product_Extras(folder.Data_Folder(), QStringLiteral("0012"));
    ASSERT_TRUE(twelve);
    EXPECT_TRUE(Has_Small_Package(*twelve));
    EXPECT_FALSE(Has_Small_Package(*Read_Product_Extras(folder.Data_Folder(), QStringLiteral("3"))));

    // An empty value removes the field; deleting removes the line.
    Store_Product_Extras(folder.Data_Folder(), QStringLiteral("12"), {{kPackageAreaField, QString()}});
    EXPECT_EQ(Read_Product_Extras(folder.Data_Folder(), QStringLiteral("12")), Product_Extras());
    ASSERT_TRUE(Delete_Product_Extras(folder.Data_Folder(), QStringLiteral("3")).Is_Done());
    EXPECT_EQ(Read_Product_Extras(folder.Data_Folder(), QStringLiteral("3")), Product_Extras());
    EXPECT_FALSE(QFile::exists(folder.File(kProductExtrasTempName)));
}

TEST(Product_Extras, KeepsUnknownColumnsAndLinesByteForByte)
{
    test_support::Temp_Folder folder;
    const QByteArray other_line = test_support::Cp932_Lines({QStringLiteral("0001\t後の版の値\t150cm2超")});
    folder.Write(kProductExtrasFileName,
                 test_support::Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("登録番号\t将来の欄\t表示可能面積")})
                     + other_line);
    Store_Product_Extras(folder.Data_Folder(), QStringLiteral("2"), {{kPackageAreaField, kSmallPackageArea}});
    const QByteArray bytes = folder.Read(kProductExtrasFileName);
    EXPECT_TRUE(bytes.contains(other_line));
    EXPECT_EQ(Read_Product_Extras(folder.Data_Folder(), QStringLiteral("1"))->at(QStringLiteral("将来の欄")),
              QStringLiteral("後の版の値"));
    EXPECT_TRUE(Has_Small_Package(*Read_Product_Extras(folder.Data_Folder(), QStringLiteral("2"))));
}

TEST(Product_Extras, RefusesDamagedFilesAndUnstorableValuesChangingNothing)
{
    test_support::Temp_Folder folder;
    const QByteArray damaged = test_support::Cp932_Lines({QStringLiteral("9.99"), QStringLiteral("x")});
    folder.Write(kProductExtrasFileName, damaged);
    QString error;
    EXPECT_FALSE(Read_Product_Extras(folder.Data_Folder(), QStringLiteral("1"), &error));
    EXPECT_TRUE(error.contains(kProductExtrasFileName));
    const store::Outcome outcome = Store_Product_Extras(folder.Data_Folder(), QStringLiteral("1"),
                                                        {{kPackageAreaField, kSmallPackageArea}});
    EXPECT_EQ(outcome.kind, store::Outcome::Kind::Failed);
    EXPECT_EQ(folder.Read(kProductExtrasFileName), damaged);

    test_support::Temp_Folder fresh;
    EXPECT_FALSE(Store_Product_Extras(fresh.Data_Folder(), QStringLiteral("1"),
                                      {{QStringLiteral("メモ"), QStringLiteral("a\tb")}})
                     .Is_Done());
    EXPECT_FALSE(
        Store_Product_Extras(fresh.Data_Folder(), QStringLiteral("1"), {{QStringLiteral("メモ"), QStringLiteral("😀")}})
            .Is_Done());
    EXPECT_FALSE(QFile::exists(fresh.File(kProductExtrasFileName)));
}

TEST(Product_Extras, GoWithTheProductWhenItIsDeleted)
{
    test_support::Temp_Folder folder;
    folder.Write(kProductFileName,
                 test_support::Cp932_Lines({kProductVersionLine, QStringLiteral("0005\t標準01 65x45")}));
    Store_Product_Extras(folder.Data_Folder(), QStringLiteral("5"), {{kPackageAreaField, kSmallPackageArea}});
    Store_Product_Extras(folder.Data_Folder(), QStringLiteral("6"), {{kPackageAreaField, kSmallPackageArea}});
    EXPECT_TRUE(Delete_Product(folder.Data_Folder(), QStringLiteral("5")).Is_Done());
    EXPECT_EQ(Read_Product_Extras(folder.Data_Folder(), QStringLiteral("5")), Product_Extras());
    EXPECT_TRUE(Has_Small_Package(*Read_Product_Extras(folder.Data_Folder(), QStringLiteral("6"))));
}
