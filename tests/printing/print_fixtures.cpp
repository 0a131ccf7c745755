#include "print_fixtures.h"

#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "layouts/layout_record.h"
#include "products/product_file.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

namespace print_fixtures {

bool Write_Products(const QString& data_folder, std::vector<products::Product_Record> products)
{
    QStringList lines = {products::kProductVersionLine};
    for (products::Product_Record& product : products) {
        product[products::Layout_Name] = kLayout;
        lines << products::Join_Product_Line(product);
    }
    return store::Write_Text_Lines(data_folder + products::kProductFileName, lines).ok();
}

bool Prepare_Data_Folder(const QString& data_folder)
{
    const products::Product_Record first = render_fixtures::Filled_Product();
    products::Product_Record second = first;
    second[products::Product_No] = QStringLiteral("0002");
    second[products::Product_Name] = QStringLiteral("品名:苺大福");
    second[products::Barcode] = QStringLiteral("49012343");
    return Write_Products(data_folder, {first, second}) && layouts::Ensure_Default_Layouts(data_folder).isEmpty()
        && render_fixtures::Copy_Mark_Pictures(data_folder);
}

store::Settings_Record Settings_For(const QString& printer, const QString& per_copy, const QString& paper)
{
    store::Settings_Record settings = store::Default_Settings();
    settings[store::Setting::Printer_Name] = printer;
    settings[store::Setting::Paper_Number] = paper;
    settings[store::Setting::Print_Per_Copy] = per_copy;
    settings[store::Setting::Paper_Set_Position] = QStringLiteral("端寄せ");
    return settings;
}

printing::Print_Run_Context Context_For(const QString& data_folder, const store::Settings_Record& settings,
                                        platform::Printer_Finder& printers, store::Answerer& answerer)
{
    printing::Print_Run_Context context;
    context.data_folder = data_folder;
    context.settings = settings;
    context.printers = &printers;
    context.answerer = &answerer;
    context.clock = [] { return render_fixtures::kPrintedAt; };
    return context;
}

printing::Print_Issue Issue_For(const QString& number, int labels, const QString& barcode)
{
    printing::Print_Issue issue;
    issue.product_no = store::Pad_Zero(number, 4);
    issue.copies = labels;
    issue.values = render_fixtures::Filled_Issue();
    if (!barcode.isEmpty())
        issue.values.barcode = barcode;
    return issue;
}

printing::Print_Issues Run_Issues(const printing::Print_Issues& issues, printing::Print_Mode mode,
                                  const printing::Print_Run_Context& context)
{
    const printing::Printer_Geometry printer = printing::Find_Geometry(context.printers,
                                                                       context.settings.Printer_Name());
    return printing::Run_Print(printing::Prepare_Jobs(context.data_folder, issues, printer), mode, context);
}

bool Change_Layout_Line(const QString& data_folder, const QString& name, int line, const QString& value)
{
    std::optional<layouts::Layout_Record> layout = layouts::Read_Layout(data_folder, name);
    if (!layout)
        return false;
    (*layout)[line] = value;
    return layouts::Write_Layout(layouts::Layout_Path(data_folder, name), *layout).ok();
}

std::vector<printing::History_Entry> History_Of(const QString& data_folder)
{
    std::vector<printing::History_Entry> entries;
    const std::optional<printing::History_Log> log = printing::Read_History(data_folder);
    for (int i = 0; log && i < log->Size(); ++i)
        entries.push_back(log->Entry(i));
    return entries;
}

}  // namespace print_fixtures
