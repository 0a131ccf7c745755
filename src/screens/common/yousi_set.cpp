#include "screens/common/yousi_set.h"

#include "maintenance/paper_selection.h"
#include "screens/common/dialogs.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {

namespace {

const QString kSettei = QStringLiteral("Settei");
const QString kLayout_M = QStringLiteral("Layout_M");

void Set_Text(QWidget* window, const QString& control, const QString& text)
{
    if (QWidget* widget = window->findChild<QWidget*>(control))
        widget->setProperty("text", text);
}

void Enable(QWidget* window, const QString& control)
{
    if (QWidget* widget = window->findChild<QWidget*>(control))
        widget->setEnabled(true);
}

}  // namespace

Yousi_Set::Yousi_Set(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(QStringLiteral("Yousi_Set"));
    setWindowTitle(QStringLiteral("用紙の選択"));
    Label3 = new QLabel(this);
    List1 = new QListWidget(this);
    Command1 = new QPushButton(QStringLiteral("選択"), this);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Command3 = new QPushButton(QStringLiteral("用紙の指定を解除する"), this);
    Yobidashi = new QLabel(this);
    Yobidashi->hide();
    const QList<QPair<QWidget*, const char*>> named = {{Label3, "Label3"},     {List1, "List1"},
                                                       {Command1, "Command1"}, {Command2, "Command2"},
                                                       {Command3, "Command3"}, {Yobidashi, "Yobidashi"}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(QString::fromLatin1(name));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(460, 420);

    connect(Command1, &QPushButton::clicked, this, &Yousi_Set::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Yousi_Set::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Yousi_Set::Command3_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &Yousi_Set::Command1_Click);
}

void Yousi_Set::Form_Load()
{
    Centre_On_Screen(this);
    const QString printer = Printer_To_Examine(session_);
    platform::Printer_Finder* printers = session_.printers;
    if (!printers || !printers->Has_Printer(printer)) {
        answerer_.Show_Titled_Message_Box(QStringLiteral("プリンターが見つかりませんでした"), windowTitle());
        return;
    }
    Label3->setText(printer + QStringLiteral("に登録されている用紙一覧"));
    QPointer<WorkBar> bar = new WorkBar;
    bar->setAttribute(Qt::WA_DeleteOnClose);
    bar->show();
    const auto entries = maintenance::Search_Paper_Sizes(*printers, printer, [&bar](int number) {
        if (bar)
            bar->Set_Progress(number / double(maintenance::kLast_Paper_Number));
        QApplication::processEvents();
    });
    if (bar)
        bar->close();
    if (entries)
        List1->addItems(*entries);
}

void Yousi_Set::Command1_Click()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) {
        answerer_.Show_Titled_Message_Box(QStringLiteral("使用する用紙を選択して下さい"), windowTitle());
        return;
    }
    Hand_Back(maintenance::Entry_Number(item->text()));
}

void Yousi_Set::Command2_Click()
{
    Hand_Back(QString());
}

void Yousi_Set::Command3_Click()
{
    Hand_Back(QStringLiteral("0000"));
}

void Yousi_Set::Hand_Back(const QString& number)
{
    Return_To_Caller(number);
    close();
}

void Yousi_Set::closeEvent(QCloseEvent* event)
{
    if (!Yobidashi->text().isEmpty())
        Return_To_Caller(QString());
    event->accept();
}

void Yousi_Set::Return_To_Caller(const QString& number)
{
    const QString caller_name = Yobidashi->text();
    if (QWidget* caller = Find_Window(caller_name)) {
        if (caller_name == kSettei) {
            if (!number.isEmpty())
                Set_Text(caller, QStringLiteral("Label14"), number);
            Enable(caller, QStringLiteral("Command4"));
            Set_Text(caller, QStringLiteral("Command4"), QStringLiteral("登録用紙の一覧を表示"));
        } else if (caller_name == kLayout_M) {
            if (!number.isEmpty())
                Set_Text(caller, Array_Name(QStringLiteral("Text1"), 105), number);
            Enable(caller, QStringLiteral("Command15"));
        }
        caller->setEnabled(true);
        caller->activateWindow();
        caller->setFocus();
    }
    Yobidashi->clear();
}

QString Printer_To_Examine(const Session& session)
{
    if (QWidget* settei = Find_Window(kSettei))
        if (auto* combo = settei->findChild<QComboBox*>(QStringLiteral("Combo1")))
            return combo->currentText();
    return session.settings.Printer_Name();
}

Yousi_Set* Open_Paper_Selection(Session& session, const QString& caller)
{
    auto* window = new Yousi_Set(session);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Yobidashi->setText(caller);
    window->show();
    window->Form_Load();
    return window;
}

}  // namespace screens
