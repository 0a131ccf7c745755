#include "screens/products/mojiretsu_write.h"

#include "screens/common/item_box.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QColor kFilled(255, 255, 255);
const QColor kEmpty(224, 224, 224);  // colour value 14737632

}  // namespace

Mojiretsu_Write::Mojiretsu_Write(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(QStringLiteral("Mojiretsu_Write"));
    setWindowTitle(QStringLiteral("文字列の事前登録"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = Heading_Label(QString(), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    auto* slots_grid = new QGridLayout;
    static const QString numbers = QStringLiteral("１２３４５");
    for (int i = 0; i < products::kStringsPerCategory; ++i) {
        auto* number = new QLabel(numbers.at(i), this);
        number->setObjectName(QStringLiteral("Label%1").arg(3 + i));
        Label2[i] = new QLabel(this);
        Label2[i]->setObjectName(Array_Name(QStringLiteral("Label2"), i));
        Label2[i]->setTextFormat(Qt::PlainText);
        Label2[i]->setAutoFillBackground(true);
        Label2[i]->setFrameShape(QFrame::Box);
        Label2[i]->setMinimumWidth(420);
        Label2[i]->setMinimumHeight(28);
        Command3[i] = new QPushButton(QStringLiteral("編集"), this);
        Command3[i]->setObjectName(Array_Name(QStringLiteral("Command3"), i));
        Command2[i] = new QPushButton(QStringLiteral("ここへ登録"), this);
        Command2[i]->setObjectName(Array_Name(QStringLiteral("Command2"), i));
        slots_grid->addWidget(number, i, 0);
        slots_grid->addWidget(Label2[i], i, 1);
        slots_grid->addWidget(Command3[i], i, 2);
        slots_grid->addWidget(Command2[i], i, 3);
        connect(Command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    slots_grid->setColumnStretch(1, 1);

    Text1 = new Item_Box(3, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    QFont big = Text1->font();
    big.setPointSizeF(15.75);
    Text1->setFont(big);
    Text1->on_key = [](QKeyEvent* event) { return Is_Enter_Key(event); };
    Command1 = new QPushButton(QStringLiteral("前のウインドウに戻る"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Label8 = new QLabel(this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(slots_grid);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &Mojiretsu_Write::Command1_Click);
    adjustSize();
    Centre_On_Screen(this);
}

void Mojiretsu_Write::Open(const QString& title, const QString& text)
{
    Text1->setText(text);
    Label1->setText(QStringLiteral("「") + title + QStringLiteral("」用の文字列登録"));
    Label8->setText(title);
    show();
    activateWindow();
    Text1->setFocus();
    Form_Activate();
}

void Mojiretsu_Write::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Mojiretsu_Write::Form_Activate()
{
    Text1->Caret_To_End();
    const products::Category_Strings strings = products::Read_Category_Strings(session_.Data_Folder(), Label8->text(),
                                                                               products::Key_Match::Starts_With);
    for (int i = 0; i < products::kStringsPerCategory; ++i)
        Show_String(i, strings[i]);
}

void Mojiretsu_Write::Show_String(int index, const QString& text)
{
    Label2[index]->setText(text);
    QPalette palette = Label2[index]->palette();
    palette.setColor(QPalette::Window, text.isEmpty() ? kEmpty : kFilled);
    Label2[index]->setPalette(palette);
}

void Mojiretsu_Write::Command3_Click(int index)
{
    Text1->setText(Label2[index]->text());
    Text1->setFocus();
    Text1->Caret_To_End();
}

void Mojiretsu_Write::Command2_Click(int index)
{
    products::Category_Strings strings;
    for (int i = 0; i < products::kStringsPerCategory; ++i)
        strings[i] = i == index ? Text1->toPlainText() : Label2[i]->text();
    const store::Outcome result = products::Register_Category_Strings(session_.Data_Folder(), Label8->text(), strings);
    if (result.kind == store::Outcome::Kind::Failed) {
        answerer_.Show_Warning_Box(QStringLiteral("書き込み出来ません\n") + result.Text(), windowTitle());
        return;
    }
    Show_String(index, strings[index]);
}

void Mojiretsu_Write::Command1_Click()
{
    close();
}

void Mojiretsu_Write::closeEvent(QCloseEvent* event)
{
    if (QWidget* input = Find_Window(QStringLiteral("Kakudai_Input"))) {
        input->setEnabled(true);
        input->activateWindow();
    }
    event->accept();
}

}  // namespace screens
