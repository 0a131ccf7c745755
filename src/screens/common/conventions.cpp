#include "screens/common/conventions.h"

#include "render/date_stamp.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"

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

void Show_Editing_Preview(QWidget* screen, const QString& screen_name, const products::Product_Record& product,
                          const layouts::Layout_Record& layout)
{
    printing::Show_Label_Preview(screen, screen_name, product, layout, render::Preview_Issue(product));
}

void Close_Preview_Of(const QLabel* prv_open)
{
    if (Is_Open(prv_open))
        if (printing::S_Preview* preview = printing::Current_Preview())
            preview->close();
}

}  // namespace app
