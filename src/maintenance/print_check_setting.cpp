#include "maintenance/print_check_setting.h"

#include "store/cp932.h"
#include "store/data_folder.h"

namespace maintenance {

bool Confirms_Before_Printing(const QString& application_folder)
{
    const store::Text_File file = store::Read_Text_Lines(application_folder + QLatin1Char('/') + kPrintCheckFileName);
    const bool known = file.opened && file.error.isEmpty() && file.lines.size() == 2
        && file.lines[0] == kPrintCheckVersionLine;
    return !(known && file.lines[1] == kPrintCheckOff);
}

store::Outcome Save_Confirms_Before_Printing(const QString& application_folder, bool confirm)
{
    return store::Rewrite_Via_Temp(
        application_folder + QLatin1Char('/'), kPrintCheckFileName, kPrintCheckTempName,
        [confirm](const store::Text_File&, QStringList& lines) {
            lines = {kPrintCheckVersionLine, confirm ? kPrintCheckOn : kPrintCheckOff};
            return true;
        },
        store::If_Missing::Create);
}

}  // namespace maintenance
