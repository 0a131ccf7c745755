#include "screens/common/input_window.h"

#include "screens/common/conventions.h"
#include "screens/common/dialogs.h"
#include "screens/common/widget_helpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace screens {

QString Ask_For_Text(QWidget* caller, const Input_Request& request)
{
    QLabel* ret_code = Answer_Label(caller->objectName());
    if (!ret_code)
        return kAnswerCancel;  // a window no dialog may answer asks nothing
    auto* window = new InputWindowA;
    window->setWindowTitle(request.caption);
    window->Label1[0]->setText(request.prompt);
    window->Label1[1]->setText(request.field_label);
    window->Command1->setText(request.ok_caption);
    window->Command2->setText(request.cancel_caption);
    window->Text1->setText(request.initial_text);
    if (request.select_all)
        window->Text1->selectAll();
    window->Ret_Form->setText(caller->objectName());
    window->adjustSize();
    Centre_On_Screen(window);
    window->show();
    window->Text1->setFocus();
    ret_code->clear();
    Wait_For_Answer(ret_code);
    return ret_code->text();
}

void Open_In_Place_Of(QWidget* opener, QWidget* screen)
{
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> guard(opener);
    QObject::connect(screen, &QObject::destroyed, opener, [guard] {
        if (guard) {
            guard->show();
            guard->activateWindow();
        }
    });
    screen->show();
    opener->hide();
}

}  // namespace screens
