#include "printing/check_context.h"

#include "recipes/recipe_check.h"
#include "render/drawing_surface.h"

namespace printing {

render::Check_Context Check_Context_For(const store::Settings_Record& settings, const QString& data_folder,
                                        platform::Printer_Platform* printers, const QString& printer,
                                        const QString& program_folder)
{
    render::Check_Context context;
    context.settings = settings;
    context.data_folder = data_folder;
    const bool selected = printers && (printers->Current_Printer() == printer || printers->Select_Printer(printer));
    if (!selected)
        context.printer_dpi = platform::kUnknownResolution;
    else
        context.printer_dpi = printers->Raster_Driver() ? printers->Resolution() : render::kLabelPrinterDpi;
    context.allergens = products::Allergen_Dictionary::Load(program_folder, data_folder, &context.allergen_error);
    context.check_recipe = recipes::Recipe_Check_For(data_folder, program_folder);
    return context;
}

}  // namespace printing
