#include "printing/check_context.h"

#include "recipes/recipe_check.h"

namespace printing {

render::Check_Context Check_Context_For(const store::Settings_Record& settings, const QString& data_folder,
                                        const Printer_Geometry& printer, const QString& program_folder,
                                        const recipes::Food_Tables& food_tables)
{
    render::Check_Context context;
    context.settings = settings;
    context.data_folder = data_folder;
    context.printer_note = printer.note;
    context.printer_dpi = printer.dpi;
    context.bar_grid_dpi = printer.bar_grid_dpi;
    context.allergens = products::Allergen_Dictionary::Load(program_folder, data_folder, &context.allergen_error);
    context.check_recipe = recipes::Recipe_Check_For(data_folder, program_folder, food_tables);
    return context;
}

}  // namespace printing
