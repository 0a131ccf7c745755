#include "screens/products/kakudai_input.h"

#include "screens/common/item_box.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/products/mojiretsu_write.h"
#include "screens/products/s_touroku.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString kUnused = QStringLiteral("未使用");

S_Touroku* Registration_Screen()
{
    return qobject_cast<S_Touroku*>(Find_Window(QStringLiteral("S_Touroku")));
}

}  // namespace

Kakudai_Input::Kakudai_Input(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(QStringLiteral("Kakudai_Input"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = Heading_Label(QString(), this, 14);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new Item_Box(5, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    QFont big = Text1->font();
    big.setPointSizeF(15.75);
    Text1->setFont(big);
    Text1->setMinimumWidth(560);

    Frame1 = new QGroupBox(QStringLiteral("特殊表現(いずれかを選択)"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option5 = new QRadioButton(QStringLiteral("特殊表現は行なわない"), Frame1);
    Option3 = new QRadioButton(QStringLiteral("全ての文字を強調表示する"), Frame1);
    Option2 = new QRadioButton(QStringLiteral("日付を指定書式で表示する"), Frame1);
    Label6 = new QLabel(QStringLiteral("→入力行の頭に<b>が付加されます。"), Frame1);
    Label5 = new QLabel(QStringLiteral("→入力行の頭に<d>が付加されます。"), Frame1);
    Label6->setTextFormat(Qt::PlainText);
    Label5->setTextFormat(Qt::PlainText);
    Option5->setObjectName(QStringLiteral("Option5"));
    Option3->setObjectName(QStringLiteral("Option3"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Label6->setObjectName(QStringLiteral("Label6"));
    Label5->setObjectName(QStringLiteral("Label5"));
    auto* options = new QGridLayout(Frame1);
    options->addWidget(Option5, 0, 0);
    options->addWidget(Option3, 1, 0);
    options->addWidget(Label6, 1, 1);
    options->addWidget(Option2, 2, 0);
    options->addWidget(Label5, 2, 1);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText);
    Label3->setWordWrap(true);

    auto* inserts = new QVBoxLayout;
    for (int i = 0; i < products::kStringsPerCategory; ++i) {
        Command4[i] = new QPushButton(kUnused, this);
        Command4[i]->setObjectName(Array_Name(QStringLiteral("Command4"), i));
        Command4[i]->setMinimumWidth(300);
        inserts->addWidget(Command4[i]);
        connect(Command4[i], &QPushButton::clicked, this, [this, i] { Command4_Click(i); });
    }
    Command3 = new QPushButton(QStringLiteral("よく使う文字列を事前登録する"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    inserts->addWidget(Command3);
    inserts->addStretch();

    Command1 = new QPushButton(QStringLiteral("登 録"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* b : {Command1, Command2})
        b->setMinimumHeight(36);

    auto* edit = new QVBoxLayout;
    edit->addWidget(Text1);
    edit->addWidget(Frame1);
    edit->addWidget(Label3);
    auto* middle = new QHBoxLayout;
    middle->addLayout(edit, 1);
    middle->addLayout(inserts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(middle);
    layout->addLayout(buttons);

    Text1->on_key = [this](QKeyEvent* event) { return Text1_KeyPress(event); };
    connect(Option5, &QRadioButton::clicked, this, [this] { Option_Clicked(products::Special_Expression::None); });
    connect(Option3, &QRadioButton::clicked, this, [this] { Option_Clicked(products::Special_Expression::Bold); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option_Clicked(products::Special_Expression::Date); });
    connect(Command1, &QPushButton::clicked, this, &Kakudai_Input::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Kakudai_Input::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Kakudai_Input::Command3_Click);
    adjustSize();
    Centre_On_Screen(this);
}

void Kakudai_Input::Open(const QString& title, const QString& text)
{
    setWindowTitle(title);
    Label1->setText(title);
    Text1->setText(text);
    for (QWidget* w : {static_cast<QWidget*>(Option5), static_cast<QWidget*>(Option2), static_cast<QWidget*>(Option3),
                       static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label6)})
        w->setEnabled(true);
    selected_ = products::Special_Expression::None;
    Option5->setChecked(true);
    Text1->setText(
        products::Apply_Special_Expression(products::Apply_Special_Expression(text, products::Special_Expression::None),
                                           products::Initial_Special_Expression(text)));
    Select_Option(products::Initial_Special_Expression(text));
    Label3->setText(QStringLiteral("・強調表示を行う箇所を<b>と</b>で挟む事で、文字の強調印字が可能です\r"
                                   "・下線表示を行う箇所を<u>と</u>で挟む事で、文字に下線が表示されます\r"
                                   "・文中に<m>を入れると、それ以降の文字はラベルに印字されなくなります。")
                        .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    show();
    activateWindow();
    Text1->setFocus();
    Form_Activate();
}

void Kakudai_Input::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Kakudai_Input::Form_Activate()
{
    Text1->Caret_To_End();
    entries_ = products::Read_Category_Strings(session_.Data_Folder(), windowTitle(), products::Key_Match::Equal);
    for (int i = 0; i < products::kStringsPerCategory; ++i) {
        const bool used = !entries_[i].isEmpty();
        Command4[i]->setText(used ? products::Insert_Button_Caption(entries_[i]) : QStringLiteral("未設定"));
        Command4[i]->setEnabled(used);
    }
}

void Kakudai_Input::Select_Option(products::Special_Expression option)
{
    selected_ = option;
    QRadioButton* button = option == products::Special_Expression::Date ? Option2
        : option == products::Special_Expression::Bold                  ? Option3
                                                                        : Option5;
    button->setChecked(true);
}

void Kakudai_Input::Option_Clicked(products::Special_Expression option)
{
    Text1->setText(products::Apply_Special_Expression(Text1->text(), option));
    Select_Option(option);
    Text1->setFocus();
}

bool Kakudai_Input::Text1_KeyPress(QKeyEvent* event)
{
    if (Is_Enter_Key(event))
        return true;
    products::Special_Expression option = products::Special_Expression_For_Typing(Text1->text(), event->text());
    if ((option == products::Special_Expression::Date && !Option2->isEnabled())
        || (option == products::Special_Expression::Bold && !Option3->isEnabled()))
        option = products::Special_Expression::None;
    // The option only follows what is typed: the tag is already in the text,
    // and applying the option's rule here would double it or drop typed text.
    Select_Option(option);
    return false;
}

void Kakudai_Input::Command4_Click(int index)
{
    Text1->insertPlainText(entries_[index]);
    Text1->setFocus();
}

void Kakudai_Input::Command3_Click()
{
    auto* editor = new Mojiretsu_Write(session_);
    editor->Open(windowTitle(), Text1->text());
    setEnabled(false);
}

void Kakudai_Input::Command1_Click()
{
    if (S_Touroku* registration = Registration_Screen()) {
        const int box = products::Item_Box_Of_Title(windowTitle());
        if (box >= 0)
            registration->Text1[box]->setText(Text1->text());
    }
    close();
}

void Kakudai_Input::Command2_Click()
{
    close();
}

void Kakudai_Input::closeEvent(QCloseEvent* event)
{
    if (auto* editor = Find_Window(QStringLiteral("Mojiretsu_Write")))
        editor->close();
    if (S_Touroku* registration = Registration_Screen())
        registration->setEnabled(true);
    event->accept();
}

}  // namespace screens
