#include "screens/products/s_list.h"

#include "screens/common/widget_helpers.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "screens/products/s_touroku.h"
#include "screens/common/screen_helpers.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace products {
namespace {

const QString& kName = S_List::kScreenName;

}  // namespace

S_List::S_List(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("商品情報一覧"));
    setAttribute(Qt::WA_DeleteOnClose);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    QFont fixed(QStringLiteral("IPAGothic"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSizeF(14.25);
    List1->setFont(fixed);
    List1->setUniformItemSizes(true);  // one-line rows in one font: 9999 rows need not be measured one by one
    Text18 = new QLineEdit(this);
    Text18->setObjectName(QStringLiteral("Text18"));
    Command5 = new QPushButton(QStringLiteral("検索"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command2 = new QPushButton(QStringLiteral("選択項目を削除する"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("前の画面に戻る"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Ret_Form = new QLabel(this);
    Ret_Form->setObjectName(QStringLiteral("Ret_Form"));
    Ret_Form->hide();
    Ret_Code = app::Add_Ret_Code(this);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("検索文字列"), this));
    search->addWidget(Text18, 1);
    search->addWidget(Command5);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command2);
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    connect(Command1, &QPushButton::clicked, this, &S_List::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_List::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &S_List::Command5_Click);
    connect(Text18, &QLineEdit::returnPressed, this, &S_List::Command5_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &S_List::List1_Pick);
    connect(List1, &QListWidget::itemClicked, this, [this] { Command2->setEnabled(true); });
    List1->installEventFilter(this);
    Fill_Full_List();
}

void S_List::setVisible(bool visible)
{
    // Placed before the window manager maps it, so that its frame lands where it is put.
    if (visible && !centred_) {
        app::Centre_On_Screen(this);
        centred_ = true;
    }
    QWidget::setVisible(visible);
}

bool S_List::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && List1->currentItem()) {
            List1_Pick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void S_List::Fill_Full_List()
{
    List1->clear();
    List1->addItems(Full_Product_List(Current_Data_Folder()));
}

void S_List::Command5_Click()
{
    List1->clear();
    List1->addItems(Search_Product_List(Current_Data_Folder(), Text18->text()));
}

void S_List::Command2_Click()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    const QString key = item->text().left(4);
    if (!confirmation_.Ask(key + QStringLiteral("のデータを削除します"), QStringLiteral("よろしいですか？")))
        return;
    confirmation_.Tell(Delete_Product(Current_Data_Folder(), key));
    Fill_Full_List();
}

void S_List::List1_Pick()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    const QString number = item->text().left(4);
    QWidget* opener = Find_Window(Ret_Form->text());
    // The opener is shown again before the product loads, so that its messages appear over it.
    close();
    if (auto* registration = qobject_cast<S_Touroku*>(opener)) {
        registration->Load_Product(number);
    } else if (opener) {
        if (auto* number_box = opener->findChild<QLineEdit*>(QStringLiteral("Text2")))
            number_box->setText(number);
    }
}

void S_List::Command1_Click()
{
    close();
}

void S_List::closeEvent(QCloseEvent* event)
{
    if (QWidget* opener = Find_Window(Ret_Form->text()))
        opener->show();
    event->accept();
}

}  // namespace products
