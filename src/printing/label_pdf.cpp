#include "printing/label_pdf.h"

#include "platform/paged_printer.h"
#include "render/label_composer.h"
#include "render/qt_surfaces.h"
#include "store/text_helpers.h"

namespace printing {

store::Outcome Write_Label_Pdf(const QString& path, const products::Product_Record& product,
                               const layouts::Layout_Record& layout, const render::Issue_Values& issue,
                               const store::Settings_Record& settings, const QString& data_folder,
                               store::Confirmation& ui)
{
    platform::Pdf_File_Printer printer([] { return QString(); });
    printer.Set_Output_File(path);
    printer.Set_Label_Size_mm(QSizeF(layout.Number(layouts::Label_Width), layout.Number(layouts::Label_Length)));
    const QStringList failed = {QStringLiteral("PDFファイルを作成できませんでした")};
    QPainter* painter = printer.Page_Painter();
    if (!painter)
        return store::Outcome::Failed(failed + QStringList{printer.Job_Error()});
    render::Printer_Page_Surface surface(*painter, printer.Resolution(), printer.Resolution(), render::Bar_Edges::On_Dots);
    surface.Length_Limit_mm = store::Round_Half_Even(layout.Number(layouts::Label_Length));
    surface.Notices = &ui;
    // The page is the label: nothing to centre across.
    store::Settings_Record label_settings = settings;
    label_settings[store::Setting::Paper_Set_Position] = QStringLiteral("端寄せ");
    render::Label_Composer(surface, product, layout, issue, {label_settings, data_folder, ui});
    const platform::Job_Result result = printer.End_Job();
    if (!result.sent)
        return store::Outcome::Failed(failed + QStringList{result.error});
    return store::Outcome::Done();
}

}  // namespace printing
