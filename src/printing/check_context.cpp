#include "printing/check_context.h"

#include "recipes/recipe_check.h"
#include "render/drawing_surface.h"

namespace printing {

render::Check_Context Check_Context_For(const store::Settings_Record& settings, const QString& data_folder,
                                        platform::Printer_Finder* printers, const QString& printer,
                                        const QString& program_folder)
{
    render::Check_Context context;
    context.settings = settings;
    context.data_folder = data_folder;
    const auto find = [printers](const QString& name) {
        return printers && !name.isEmpty() ? printers->Find_Printer(name) : nullptr;
    };
    const platform::Printer* found = find(printer);
    if (!found) {
        context.printer_note = printer.isEmpty()
            ? QStringLiteral("プリンタが設定されていないため、%1で印刷するものとして確認します")
                  .arg(platform::kBuilt_In_Pdf_Printer)
            : QStringLiteral("プリンタ「%1」が見つからないため、%2で印刷するものとして確認します")
                  .arg(printer, platform::kBuilt_In_Pdf_Printer);
        found = find(platform::kBuilt_In_Pdf_Printer);
    }
    if (found) {
        context.printer_dpi = found->Resolution();
        context.bar_grid_dpi = found->Raster_Driver() ? found->Resolution() : render::kLabelPrinterDpi;
    }
    context.allergens = products::Allergen_Dictionary::Load(program_folder, data_folder, &context.allergen_error);
    context.check_recipe = recipes::Recipe_Check_For(data_folder, program_folder);
    return context;
}

}  // namespace printing
