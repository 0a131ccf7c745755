#include "screens/common/dialogs.h"

#include "screens/common/conventions.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/program_end.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace screens {

namespace {

QStringList& Caller_List()
{
    static QStringList callers = {
        QStringLiteral("Settei"),     QStringLiteral("Layout_M"), QStringLiteral("Backup"),
        QStringLiteral("S_Touroku"),  QStringLiteral("Insatsu"),  QStringLiteral("S_List"),
        QStringLiteral("Genzairyou"), QStringLiteral("Convert"),  QStringLiteral("Hakkou_Rireki"),
        QStringLiteral("S_Haigou"),   QStringLiteral("S_Zairyou")};
    return callers;
}

// An unknown caller or a caller without a window is a programming error.
[[noreturn]] void End_For_Unknown_Caller(const QString& title)
{
    QMessageBox::critical(nullptr, title, QStringLiteral("オブジェクトが設定されていません"));
    End_Program(1);
}

}  // namespace

bool Is_Known_Caller(const QString& name)
{
    return Caller_List().contains(name);
}

QStringList Known_Callers()
{
    return Caller_List();
}

QLabel* Answer_Label(const QString& caller)
{
    if (!Is_Known_Caller(caller))
        return nullptr;
    // The caller's open window; a closed one of the same name may wait for its deletion.
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == caller && (!window || (top->isVisible() && !window->isVisible())))
            window = top;
    if (!window)
        return nullptr;
    QLabel* label = window->findChild<QLabel*>(QStringLiteral("Ret_Code"));
    return label ? label : Add_Ret_Code(window);
}

QString Confirmation_Line(const QString& line)
{
    if (store::Byte_Width(line) > 28)
        return store::Left_By_Bytes(line, 26) + QChar(0x2026);
    return line;
}

Answer_Dialog::Answer_Dialog(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    Ret_Form = new QLabel(this);
    Ret_Form->setObjectName(QStringLiteral("Ret_Form"));
    Ret_Form->hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() != this && isVisible())
            Stay_In_Front();
    });
}

void Answer_Dialog::Stay_In_Front()
{
    raise();
    activateWindow();
}

void Answer_Dialog::Answer(const QString& answer)
{
    const QString caller = Ret_Form->text();
    if (!Is_Known_Caller(caller))
        End_For_Unknown_Caller(windowTitle());
    // A caller's window waits until it is answered; should it be gone all the same, nobody waits.
    if (QLabel* ret_code = Find_Ret_Code(caller))
        ret_code->setText(answer);
}

void Answer_Dialog::closeEvent(QCloseEvent* event)
{
    const QString caller = Ret_Form->text();
    if (QLabel* ret_code = Find_Ret_Code(caller); ret_code && ret_code->text().isEmpty())
        ret_code->setText(kAnswerCancel);
    event->accept();
}

Kakunin::Kakunin(QWidget* parent) : Answer_Dialog(parent)
{
    setObjectName(QStringLiteral("Kakunin"));
    setWindowTitle(QStringLiteral("確認"));
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Command1 = new QPushButton(QStringLiteral("実行"), this);
    Command2 = new QPushButton(QStringLiteral("中止"), this);
    const QList<QPair<QWidget*, QString>> named = {{Label1, QStringLiteral("Label1")},
                                                   {Label2, QStringLiteral("Label2")},
                                                   {Label3, QStringLiteral("Label3")},
                                                   {Command1, QStringLiteral("Command1")},
                                                   {Command2, QStringLiteral("Command2")}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(name);
    QFont big = font();
    big.setPointSize(12);
    for (QLabel* label : {Label1, Label2, Label3})
        label->setFont(big);
    Label3->setWordWrap(true);
    Details = new QLabel(this);
    Details->setObjectName(QStringLiteral("Details"));
    Details->setWordWrap(true);
    Details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Details->setTextFormat(Qt::PlainText);
    Details->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(Details);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(Command1, &QPushButton::clicked, this, &Kakunin::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Kakunin::Command2_Click);
    Command1->installEventFilter(this);
}

void Kakunin::Command1_Click()
{
    Answer(kAnswerOk);
    close();
}

void Kakunin::Command2_Click()
{
    Answer(kAnswerCancel);
    close();
}

bool Kakunin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Command1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Y) {
            Command1_Click();
            return true;
        }
        if (key == Qt::Key_N) {
            Command2_Click();
            return true;
        }
    }
    return Answer_Dialog::eventFilter(watched, event);
}

InputWindowA::InputWindowA(QWidget* parent) : Answer_Dialog(parent)
{
    setObjectName(QStringLiteral("InputWindowA"));
    setWindowTitle(QStringLiteral("入力ウィンドウ"));
    Label1[0] = new QLabel(this);
    Label1[1] = new QLabel(QStringLiteral("名前"), this);
    Label1[0]->setObjectName(Array_Name(QStringLiteral("Label1"), 0));
    Label1[1]->setObjectName(Array_Name(QStringLiteral("Label1"), 1));
    Text1 = new QLineEdit(this);
    Use_As_Text_Box(Text1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Command1 = new QPushButton(QStringLiteral("ＯＫ"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* field = new QHBoxLayout;
    field->addWidget(Label1[1]);
    field->addWidget(Text1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1[0]);
    layout->addLayout(field);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(Command1, &QPushButton::clicked, this, &InputWindowA::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &InputWindowA::Command2_Click);
    connect(Text1, &QLineEdit::returnPressed, this, &InputWindowA::Command1_Click);
}

void InputWindowA::Command1_Click()
{
    // An empty text leaves Ret_Code empty; closing then answers "cancel".
    if (!Text1->text().isEmpty())
        Answer(Text1->text());
    close();
}

void InputWindowA::Command2_Click()
{
    Answer(kAnswerCancel);
    close();
}

WorkBar::WorkBar(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("WorkBar"));
    setWindowTitle(QStringLiteral("用紙検索中"));
    Label1 = new QLabel(QStringLiteral("用紙検索中 暫くお待ち下さい"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(24);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Picture1);
    setMinimumWidth(360);
    adjustSize();
    Centre_On_Screen(this);
}

void WorkBar::Set_Progress(double fraction)
{
    progress_ = std::clamp(fraction, 0.0, 1.0);
    update();
}

void WorkBar::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    const QRect box = Picture1->geometry();
    painter.fillRect(box, Qt::white);
    painter.fillRect(QRect(box.topLeft(), QSize(static_cast<int>(box.width() * progress_), box.height())),
                     QColor(0, 0, 255));
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

Screen_Answerer::Screen_Answerer(QString screen_name) : screen_name_(std::move(screen_name))
{
    if (!Is_Known_Caller(screen_name_))
        Caller_List() << screen_name_;
}

bool Screen_Answerer::Show_Confirmation(const store::Confirmation_Request& request)
{
    return screens::Show_Confirmation(request.line1, request.line2, request.line3, screen_name_, request.first_shown,
                                      request.second_shown, request.first_caption, request.second_caption,
                                      request.back_colour, request.second_focused);
}

void Screen_Answerer::Show_Message_Box(const QString& text)
{
    Show_Titled_Message_Box(text, QApplication::applicationDisplayName());
}

void Screen_Answerer::Show_Titled_Message_Box(const QString& text, const QString& title)
{
    Answer_Wait wait(Find_Window(screen_name_));
    QMessageBox::information(QApplication::activeWindow(), title, text);
}

void Screen_Answerer::Show_Warning_Box(const QString& text, const QString& title)
{
    Answer_Wait wait(Find_Window(screen_name_));
    QMessageBox::warning(QApplication::activeWindow(), title, text);
}

bool Show_Confirmation(const QString& line1, const QString& line2, const QString& line3, const QString& caller,
                       bool first_shown, bool second_shown, const QString& first_caption, const QString& second_caption,
                       std::uint32_t back_colour, bool second_focused)
{
    auto* dialog = new Kakunin;
    dialog->Label1->setText(Confirmation_Line(line1));
    dialog->Label2->setText(Confirmation_Line(line2));
    dialog->Label3->setText(line3);
    QStringList cut;
    for (const QString& line : {line1, line2}) {
        if (Confirmation_Line(line) != line)
            cut << line;
    }
    dialog->Details->setText(cut.join(QLatin1Char('\n')));
    dialog->Details->setVisible(!cut.isEmpty());
    dialog->Ret_Form->setText(caller);
    dialog->Command1->setVisible(first_shown);
    dialog->Command1->setEnabled(first_shown);
    dialog->Command2->setVisible(second_shown);
    dialog->Command2->setEnabled(second_shown);
    dialog->Command1->setText(first_caption);
    dialog->Command2->setText(second_caption);
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, Colour_Of(back_colour));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    dialog->adjustSize();
    Centre_On_Screen(dialog);
    QLabel* ret_code = Answer_Label(caller);
    if (!ret_code)
        End_For_Unknown_Caller(dialog->windowTitle());
    dialog->show();
    (first_shown && !(second_focused && second_shown) ? dialog->Command1 : dialog->Command2)->setFocus();
    ret_code->clear();
    const QPointer<QLabel> answer(ret_code);
    Wait_For_Answer(ret_code);
    return answer && answer->text() == kAnswerOk;  // a screen closed meanwhile answered nothing
}

}  // namespace screens
