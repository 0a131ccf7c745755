// Labels with EAN-13 and EAN-8 codes, upright and turned, read back by an
// independent decoder (zbarimg): composed as a PDF at 203, 300 and 600 dpi (600
// dpi is the built-in PDF printer) and turned into pictures by pdftoppm at 203,
// 300 and 600 dpi, also with the symbol moved across the label; and the preview
// picture.
#include "label_fixtures.h"
#include "render/label_pictures.h"
#include "support/barcode_reader.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const QString kUpright = QStringLiteral("標準01 65x45 ﾜｸ無");
const QString kTurned = QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ");

// Leading 0, the 45 and 49 prefixes and an in-store 02 code; EAN-8 with 45, 49 and 0.
const char* const kCodes[] = {"4901234567894", "4512345678906", "0012345678905", "0212345000007",
                              "45123450",      "49123456",      "01234565"};

render::Issue_Values Issue_With(const QString& digits)
{
    render::Issue_Values issue = render_fixtures::Filled_Issue();
    issue.barcode = digits;
    issue.price.clear();
    return issue;
}

store::Settings_Record Edge_Aligned_Settings()
{
    store::Settings_Record settings = store::Default_Settings();
    settings[store::Setting::Paper_Set_Position] = QStringLiteral("端寄せ");
    return settings;
}

std::string Name(const QString& digits, const QString& layout)
{
    return digits.toStdString() + (layout == kTurned ? " turned" : " upright");
}

// "4901234567894_turned_600": the parameters as a test name.
template <typename Info>
std::string Case_Name(const Info& info)
{
    const auto& [code, layout, resolution] = info.param;
    return std::string(code) + (layout == kTurned ? "_turned_" : "_upright_") + std::to_string(resolution);
}

// Code, layout, resolution of the printer that composes the page.
class Printed_Barcode : public ::testing::TestWithParam<std::tuple<const char*, QString, int>> { };

TEST_P(Printed_Barcode, ReadsExactlyTheCodeAtEachRasterResolution)
{
    const auto& [code, layout, printer_dpi] = GetParam();
    const QString digits = QString::fromLatin1(code);
    test_support::Temp_Folder folder;
    ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder()));
    test_support::Scripted_Answerer answerer;
    const QString pdf = folder.File("label.pdf");
    const QString composed = render::Compose_Label_Pdf(
        pdf, render_fixtures::Scannable_Product(), render_fixtures::Built_In_Layout(layout), Issue_With(digits),
        {Edge_Aligned_Settings(), folder.Data_Folder(), &answerer}, printer_dpi);
    ASSERT_TRUE(composed.isEmpty()) << composed.toStdString();
    EXPECT_TRUE(answerer.requests.empty());

    for (const int raster_dpi : {203, 300, 600}) {
        QString error;
        const QString picture = test_support::Rasterise_Pdf_Page(
            pdf, 1, raster_dpi, folder.File(QStringLiteral("label-%1").arg(raster_dpi)), error);
        const QString read = test_support::Read_Barcodes(picture, error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(read, digits) << Name(digits, layout) << ", composed at " << printer_dpi << " dpi, rasterised at "
                                << raster_dpi << " dpi";
    }
}

INSTANTIATE_TEST_SUITE_P(CodesLayoutsAndPrinters, Printed_Barcode,
                         ::testing::Combine(::testing::ValuesIn(kCodes), ::testing::Values(kUpright, kTurned),
                                            ::testing::Values(203, 300, 600)),
                         Case_Name<::testing::TestParamInfo<Printed_Barcode::ParamType>>);

// A page kept as drawn at 300 or 600 dpi and printed at 203 dpi: the symbol
// moved across the label in steps that fall differently on the dots still reads.
class Moved_Barcode : public ::testing::TestWithParam<std::tuple<const char*, QString, int>> { };

TEST_P(Moved_Barcode, ReadsAt203DpiWhereverTheLayoutPutsIt)
{
    const auto& [code, layout_name, printer_dpi] = GetParam();
    const QString digits = QString::fromLatin1(code);
    test_support::Temp_Folder folder;
    ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder()));
    test_support::Scripted_Answerer answerer;
    layouts::Layout_Record layout = render_fixtures::Built_In_Layout(layout_name);
    const double left_mm = layout.Number(layouts::Barcode_Left);
    for (const double move_mm : {0.1, 0.47, 1.21, 1.95, 2.69}) {
        layout[layouts::Barcode_Left] = QString::number(left_mm + move_mm);
        const QString pdf = folder.File("moved.pdf");
        ASSERT_TRUE(render::Compose_Label_Pdf(pdf, render_fixtures::Scannable_Product(), layout, Issue_With(digits),
                                              {Edge_Aligned_Settings(), folder.Data_Folder(), &answerer}, printer_dpi)
                        .isEmpty());
        QString error;
        const QString picture = test_support::Rasterise_Pdf_Page(pdf, 1, 203, folder.File("moved"), error);
        EXPECT_EQ(test_support::Read_Barcodes(picture, error), digits)
            << Name(digits, layout_name) << " moved " << move_mm << " mm, composed at " << printer_dpi << " dpi";
    }
}

INSTANTIATE_TEST_SUITE_P(CodesLayoutsAndFinerPages, Moved_Barcode,
                         ::testing::Combine(::testing::ValuesIn(kCodes), ::testing::Values(kUpright, kTurned),
                                            ::testing::Values(300, 600)),
                         Case_Name<::testing::TestParamInfo<Moved_Barcode::ParamType>>);

// Code, layout, screen pixels per inch of the preview.
class Previewed_Barcode : public ::testing::TestWithParam<std::tuple<const char*, QString, int>> { };

TEST_P(Previewed_Barcode, ReadsExactlyTheCode)
{
    const auto& [code, layout, screen_ppi] = GetParam();
    const QString digits = QString::fromLatin1(code);
    test_support::Temp_Folder folder;
    ASSERT_TRUE(render_fixtures::Copy_Mark_Pictures(folder.Data_Folder()));
    test_support::Scripted_Answerer answerer;
    const QImage preview = render::Compose_Preview_Picture(
        render_fixtures::Scannable_Product(), render_fixtures::Built_In_Layout(layout), Issue_With(digits),
        {Edge_Aligned_Settings(), folder.Data_Folder(), &answerer}, render::Preview_Profile(screen_ppi));
    const QString picture = folder.File("preview.png");
    ASSERT_TRUE(preview.save(picture));
    QString error;
    EXPECT_EQ(test_support::Read_Barcodes(picture, error), digits)
        << Name(digits, layout) << ", " << screen_ppi << " ppi";
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(CodesLayoutsAndScreens, Previewed_Barcode,
                         ::testing::Combine(::testing::ValuesIn(kCodes), ::testing::Values(kUpright, kTurned),
                                            ::testing::Values(96, 144)),
                         Case_Name<::testing::TestParamInfo<Previewed_Barcode::ParamType>>);

}  // namespace
