#include "screens/common/conventions.h"

#include "printing/check_context.h"
#include "render/date_stamp.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "store/answerer.h"

#include <QLabel>

namespace screens {

bool Is_Open(const QLabel* flag)
{
    return flag->text() == kOpen;
}

bool Settle_Unsaved_Edits(store::Answerer& answerer, const std::function<bool()>& save)
{
    if (answerer.Ask(QStringLiteral("変更が保存されていません"), QStringLiteral("保存しますか？"), {},
                     QStringLiteral("保存する"), QStringLiteral("保存しない")))
        return save();
    return answerer.Ask(QStringLiteral("変更を破棄します"), QStringLiteral("よろしいですか？"), {},
                        QStringLiteral("破棄する"), QStringLiteral("編集に戻る"));
}

render::Check_Context Label_Check_Context(const Session& session)
{
    return Label_Check_Context(session, printing::Find_Geometry(session.printers, session.settings.Printer_Name()));
}

render::Check_Context Label_Check_Context(const Session& session, const printing::Printer_Geometry& printer)
{
    return printing::Check_Context_For(session.settings, session.Data_Folder(), printer, session.program_folder,
                                       session.food_tables);
}

void Show_Editing_Preview(const Session& session, QWidget* screen, const QString& screen_name,
                          const products::Product_Record& product, const layouts::Layout_Record& layout,
                          bool small_package)
{
    const render::Issue_Values issue = render::Preview_Issue(product, session.clock());
    render::Check_Context context = Label_Check_Context(session);
    context.small_package = small_package;
    Show_Label_Preview(session, screen, screen_name, product, layout, issue,
                       {QStringLiteral("ラベルの確認"), render::Check_Label(product, layout, issue, context)});
}

void Close_Preview_Of(const QLabel* prv_open)
{
    if (Is_Open(prv_open))
        if (S_Preview* preview = Current_Preview())
            preview->close();
}

}  // namespace screens
