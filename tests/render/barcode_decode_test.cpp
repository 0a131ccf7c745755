// Labels printed to PDF through the printer page, turned into 600 dpi pictures
// by pdftoppm and read back by an independent decoder (zbarimg).
#include "label_fixtures.h"
#include "render/label_pictures.h"
#include "support/scripted_confirmation.h"
#include "support/temp_folder.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Standard output of a program, or an empty text with a failure recorded.
QString Run_Program(const QString& program, const QStringList& arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        ADD_FAILURE() << program.toStdString() << " is not installed (scripts/install-deps.sh)";
        return {};
    }
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The filled product without the blocks that some layouts put over the barcode.
products::Product_Record Product_For_Decoding()
{
    products::Product_Record product = render_fixtures::Filled_Product();
    for (int column = products::Remarks1; column <= products::Remarks2; ++column)
        product[column].clear();
    for (int column = products::Nutrition_Title; column <= products::Nutrient_Extra1; ++column)
        product[column].clear();
    return product;
}

struct Decode_Case {
    QString layout;
    QString digits;
};

class Barcode_Decoding : public ::testing::TestWithParam<Decode_Case> {};

TEST_P(Barcode_Decoding, ZbarimgReadsThePrintedCode)
{
    const Decode_Case& c = GetParam();
    test_support::Temp_Folder folder;
    ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder()));
    test_support::Scripted_Confirmation ui;
    render::Issue_Values issue = render_fixtures::Filled_Issue();
    issue.barcode = c.digits;
    issue.price.clear();
    store::Settings_Record settings = store::Default_Settings();
    settings[store::Setting::Paper_Set_Position] = QStringLiteral("端寄せ");

    const QString pdf = folder.File("label.pdf");
    const QString error = render::Compose_Label_Pdf(pdf, Product_For_Decoding(), render_fixtures::Built_In_Layout(c.layout),
                                                    issue, {settings, folder.Data_Folder(), ui}, 203);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_TRUE(ui.requests.empty());

    Run_Program("pdftoppm", {"-png", "-r", "600", "-singlefile", pdf, folder.File("label")});
    const QString decoded = Run_Program("zbarimg", {"--quiet", "--raw", folder.File("label.png")});
    EXPECT_EQ(decoded, c.digits) << c.layout.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    UprightAndTurned, Barcode_Decoding,
    ::testing::Values(Decode_Case{QStringLiteral("標準01 65x45 ﾜｸ無"), QStringLiteral("4901234567894")},
                      Decode_Case{QStringLiteral("標準01 65x45 ﾜｸ無"), QStringLiteral("45123450")},
                      Decode_Case{QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ"), QStringLiteral("4901234567894")},
                      Decode_Case{QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ"), QStringLiteral("45123450")}));

}  // namespace
