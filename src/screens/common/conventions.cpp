#include "screens/common/conventions.h"

#include "render/date_stamp.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "platform/printer_platform.h"

#include <QLabel>

namespace app {

bool Is_Open(const QLabel* flag)
{
    return flag->text() == kOpen;
}

QString Current_Data_Folder()
{
    return Current_Session().Data_Folder();
}

render::Check_Context Label_Check_Context()
{
    Session& session = Current_Session();
    render::Check_Context context;
    context.settings = session.settings;
    context.data_folder = Current_Data_Folder();
    const QString& printer = session.settings.Printer_Name();
    const bool selected = session.printers
                          && (session.printers->Current_Printer() == printer || session.printers->Select_Printer(printer));
    context.printer_dpi = selected ? session.printers->Resolution() : platform::kUnknownResolution;
    context.allergens = render::Read_Allergens(session.program_folder + QLatin1Char('/') + render::kAllergenFileName);
    return context;
}

void Show_Editing_Preview(QWidget* screen, const QString& screen_name, const products::Product_Record& product,
                          const layouts::Layout_Record& layout)
{
    const render::Issue_Values issue = render::Preview_Issue(product);
    printing::Show_Label_Preview(screen, screen_name, product, layout, issue,
                                 {QStringLiteral("ラベルの確認"),
                                  render::Check_Label(product, layout, issue, Label_Check_Context())});
}

void Close_Preview_Of(const QLabel* prv_open)
{
    if (Is_Open(prv_open))
        if (printing::S_Preview* preview = printing::Current_Preview())
            preview->close();
}

}  // namespace app
