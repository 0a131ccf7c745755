#include "screens/products/s_list.h"

#include "layouts/layout_names.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "recipes/recipe_file.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/item_box.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/products/s_touroku.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kName = S_List::kScreenName;

}  // namespace

S_List::S_List(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session)
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
    Use_As_Text_Box(Text18);
    Text18->setObjectName(QStringLiteral("Text18"));
    Command5 = new QPushButton(QStringLiteral("検索"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command2 = new QPushButton(QStringLiteral("選択項目を削除する"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("前の画面に戻る"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(layouts::Sorted_Layout_Names(session_.Data_Folder()));
    Command3 = new QPushButton(QStringLiteral("選択した商品のレイアウトを変更"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Ret_Form = new QLabel(this);
    Ret_Form->setObjectName(QStringLiteral("Ret_Form"));
    Ret_Form->hide();
    Ret_Code = Add_Ret_Code(this);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("検索文字列"), this));
    search->addWidget(Text18, 1);
    search->addWidget(Command5);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command2);
    buttons->addSpacing(24);
    buttons->addWidget(new QLabel(QStringLiteral("レイアウト"), this));
    buttons->addWidget(Combo1);
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    connect(Command1, &QPushButton::clicked, this, &S_List::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_List::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_List::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &S_List::Command5_Click);
    connect(Text18, &QLineEdit::returnPressed, this, &S_List::Command5_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &S_List::List1_Pick);
    connect(List1, &QListWidget::itemClicked, this, [this] { Command2->setEnabled(true); });
    List1->installEventFilter(this);
    Fill_Full_List();
    product_file_watcher_.Watch(session_.Data_Folder() + products::kProductFileName);
    connect(&product_file_watcher_, &Data_File_Watcher::Changed, this, &S_List::Reload_List);
}

void S_List::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        product_file_watcher_.Check();
}

void S_List::setVisible(bool visible)
{
    // Placed before the window manager maps it, so that its frame lands where it is put.
    if (visible && !centred_) {
        Centre_On_Screen(this);
        centred_ = true;
    }
    QWidget::setVisible(visible);
}

bool S_List::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1 && Is_Enter_Press(event) && List1->currentItem()) {
        List1_Pick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void S_List::Fill_Full_List()
{
    shown_search_.reset();
    List1->clear();
    List1->addItems(products::Full_Product_List(session_.Data_Folder()));
}

void S_List::Command5_Click()
{
    shown_search_ = Text18->text();
    List1->clear();
    List1->addItems(products::Search_Product_List(session_.Data_Folder(), *shown_search_));
}

void S_List::Reload_List()
{
    const QString selected = List1->currentItem() ? List1->currentItem()->text().left(4) : QString();
    const int scrolled = List1->verticalScrollBar()->value();
    List1->clear();
    List1->addItems(shown_search_ ? products::Search_Product_List(session_.Data_Folder(), *shown_search_)
                                  : products::Full_Product_List(session_.Data_Folder()));
    List1->verticalScrollBar()->setValue(scrolled);
    if (selected.isEmpty())
        return;
    for (int row = 0; row < List1->count(); ++row) {
        if (List1->item(row)->text().startsWith(selected)) {
            List1->setCurrentRow(row);
            break;
        }
    }
}

void S_List::Command2_Click()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    const QString key = item->text().left(4);
    if (!answerer_.Ask(key + QStringLiteral("のデータを削除します"), QStringLiteral("よろしいですか？")))
        return;
    answerer_.Tell(recipes::Delete_Product_And_Recipe(session_.Data_Folder(), key));
    Fill_Full_List();
}

QStringList S_List::Selected_Numbers() const
{
    QStringList numbers;
    for (const QListWidgetItem* item : List1->selectedItems())
        if (!numbers.contains(item->text().left(4)))
            numbers << item->text().left(4);
    numbers.sort();
    return numbers;
}

void S_List::Command3_Click()
{
    const QStringList numbers = Selected_Numbers();
    const QString layout = Combo1->currentText();
    if (numbers.isEmpty() || layout.isEmpty()) {
        answerer_.Notify(QStringLiteral("商品とレイアウトを"), QStringLiteral("選択して下さい"));
        return;
    }
    // The product on the registration screen: its unsaved edits are settled first.
    auto* registration = qobject_cast<S_Touroku*>(Find_Window(Ret_Form->text()));
    const QString shown = registration ? products::Format_Product_No(registration->Text1[S_Touroku::kNumberBox]->text())
                                       : QString();
    if (!answerer_.Ask_Focus_No(QStringLiteral("%1件の商品のレイアウトを").arg(numbers.size()),
                                QStringLiteral("「") + layout + QStringLiteral("」に変更します")))
        return;
    if (registration && numbers.contains(shown) && !registration->Settle_Unsaved_Edits())
        return;
    const store::Outcome changed = products::Change_Product_Layouts(session_.Data_Folder(), numbers, layout);
    answerer_.Tell(changed);
    if (registration && numbers.contains(shown) && changed.Is_Done())
        registration->Load_Product(shown);
    if (Text18->text().isEmpty())
        Fill_Full_List();
    else
        Command5_Click();
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

}  // namespace screens
