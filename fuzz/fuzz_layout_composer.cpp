// A layout file read from disk and a product composed on it. The input is the
// layout file, then after a NUL byte the product line, then after another the
// addition days.
#include "fuzz_support.h"
#include "layouts/layout_record.h"
#include "render/label_composer.h"
#include "render/recording_surface.h"
#include "store/cp932.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = fuzz_support::Bytes(data, size).split('\0');
    const QByteArray& layout_bytes = parts.at(0);
    fuzz_support::Write_Input(QStringLiteral("fuzz.lay"), reinterpret_cast<const uint8_t*>(layout_bytes.constData()),
                              static_cast<size_t>(layout_bytes.size()));
    const std::optional<layouts::Layout_Record> layout = layouts::Read_Layout(fuzz_support::Scratch_Folder(),
                                                                              QStringLiteral("fuzz"));
    if (!layout)
        fuzz_support::Fail("the layout file was not read");

    const products::Product_Record product = products::Split_Product_Line(store::Decode_Cp932(parts.value(1)));
    render::Issue_Values issue = fuzz_support::Issue_With_Days(parts.size() > 2 ? store::Decode_Cp932(parts.at(2))
                                                                                : QStringLiteral("3"));
    issue.contents = product[products::Contents];
    issue.price = product[products::Price_Text];
    issue.barcode = product[products::Barcode];

    fuzz_support::Yes_Answerer answerer;
    const render::Compose_Context context{store::Default_Settings(), fuzz_support::Scratch_Folder(), &answerer};
    render::Recording_Surface page(render::Printer_Profile(203, 203));
    render::Label_Composer(page, product, *layout, issue, context);
    render::Recording_Surface preview(render::Preview_Profile(96));
    render::Label_Composer(preview, product, *layout, issue, context);
    return 0;
}
