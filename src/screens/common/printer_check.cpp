#include "screens/common/printer_check.h"

#include "screens/common/session.h"
#include "store/settings.h"

namespace screens {

bool Select_Configured_Printer(Session& session)
{
    const QString wanted = store::Load_Settings(session.application_folder).Printer_Name();
    if (!session.printers || !session.printers->Has_Printer(wanted))
        return false;
    session.current_printer = wanted;
    return true;
}

QString Printer_Missing_Message()
{
    return QStringLiteral("指定のプリンターが見つかりません\nメインメニュー→各種設定より、プリンターを選択して下さい\n"
                          "印刷結果は表示しません(入力した内容はそのまま残ります)");
}

}  // namespace screens
