#include "maintenance/new_product_layout.h"

#include "store/cp932.h"
#include "store/data_folder.h"

namespace maintenance {

New_Product_Layout_Setting Read_New_Product_Layout(const QString& application_folder)
{
    const store::Text_File file =
        store::Read_Text_Lines(application_folder + QLatin1Char('/') + kNewProductLayoutFileName);
    New_Product_Layout_Setting setting;
    if (!file.opened || !file.error.isEmpty() || file.lines.size() != 3 || file.lines[0] != kNewProductLayoutVersionLine
        || file.lines[1].isEmpty())
        return setting;
    setting.choice = file.lines[1];
    setting.last_used = file.lines[2];
    return setting;
}

store::Outcome Save_New_Product_Layout(const QString& application_folder, const New_Product_Layout_Setting& setting)
{
    return store::Rewrite_Via_Temp(
        application_folder + QLatin1Char('/'), kNewProductLayoutFileName, kNewProductLayoutTempName,
        [&setting](const store::Text_File&, QStringList& lines) {
            lines = {kNewProductLayoutVersionLine, setting.choice, setting.last_used};
            return true;
        },
        store::If_Missing::Create);
}

store::Outcome Remember_Last_Used_Layout(const QString& application_folder, const QString& layout)
{
    New_Product_Layout_Setting setting = Read_New_Product_Layout(application_folder);
    if (setting.last_used == layout)
        return store::Outcome::Done({});
    setting.last_used = layout;
    return Save_New_Product_Layout(application_folder, setting);
}

}  // namespace maintenance
