#include "screens/products/genzairyou.h"

#include "products/word_table.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/item_box.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/products/s_touroku.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kName = Genzairyou::kScreenName;
constexpr int kTransfer = 12;
constexpr int kClose = 13;
constexpr int kRegister = 14;
constexpr int kDelete = 15;
const QColor kHighlight(255, 192, 128);  // colour value 8438015

S_Touroku* Registration_Screen()
{
    return qobject_cast<S_Touroku*>(Find_Window(QStringLiteral("S_Touroku")));
}

}  // namespace

Genzairyou::Genzairyou(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("添加物・アレルギー表示一覧"));
    setAttribute(Qt::WA_DeleteOnClose);

    QLabel* heading = Heading_Label(QStringLiteral("単語テーブル一覧"), this);

    const QStringList captions = {QStringLiteral("全"),
                                  QStringLiteral("あ"),
                                  QStringLiteral("か"),
                                  QStringLiteral("さ"),
                                  QStringLiteral("た"),
                                  QStringLiteral("な"),
                                  QStringLiteral("は"),
                                  QStringLiteral("ま"),
                                  QStringLiteral("や"),
                                  QStringLiteral("ら"),
                                  QStringLiteral("わ"),
                                  QStringLiteral("英数"),
                                  QStringLiteral("原材料名へ転記"),
                                  QStringLiteral("ウインドウを閉じる"),
                                  QStringLiteral("登録"),
                                  QStringLiteral("削除")};
    for (int i = 0; i < kButtons; ++i) {
        Command1[i] = new QPushButton(captions.at(i), this);
        Command1[i]->setObjectName(Array_Name(QStringLiteral("Command1"), i));
        Command1[i]->setAutoFillBackground(true);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    auto* filters = new QGridLayout;
    for (int i = 0; i <= products::kFilterOther; ++i) {
        Command1[i]->setMinimumWidth(44);
        filters->addWidget(Command1[i], i / 6, i % 6);
    }

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    QFont list_font = List1->font();
    list_font.setPointSize(12);
    List1->setFont(list_font);

    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QLineEdit(this);
        Text1[i]->setObjectName(Array_Name(QStringLiteral("Text1"), i));
        Text1[i]->installEventFilter(this);
        Use_As_Text_Box(Text1[i]);
    }
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setPlaceholderText(QStringLiteral("よみ・単語の一部 (例: ぞうねん)"));
    Text2->setClearButtonEnabled(true);
    Text2->installEventFilter(this);
    Use_As_Text_Box(Text2);
    connect(Text2, &QLineEdit::textEdited, this, [this](const QString& text) { Show_Search(text); });
    Ret_Code = Add_Ret_Code(this);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("検索"), this));
    search->addWidget(Text2, 1);

    auto* entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("読み(2文字)"), this), 0, 0);
    entry->addWidget(Text1[kReadingBox], 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("単語"), this), 1, 0);
    entry->addWidget(Text1[kWordBox], 1, 1);
    auto* entry_buttons = new QHBoxLayout;
    entry_buttons->addWidget(Command1[kRegister]);
    entry_buttons->addWidget(Command1[kDelete]);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Command1[kTransfer]);
    bottom->addStretch();
    bottom->addWidget(Command1[kClose]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(filters);
    layout->addLayout(search);
    layout->addWidget(List1, 1);
    layout->addLayout(entry);
    layout->addLayout(entry_buttons);
    layout->addLayout(bottom);
    resize(420, 640);
    Centre_On_Screen(this);  // the opener may place it beside itself afterwards

    connect(List1, &QListWidget::itemDoubleClicked, this, &Genzairyou::Transfer_Selected);
    List1->installEventFilter(this);
    Reload_Entries();
    Show_Filter(products::kFilterAll);
}

bool Genzairyou::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = Is_Enter_Press(event);
        if (watched == List1 && key == Qt::Key_Delete) {
            Delete_Selected();
            return true;
        }
        if (watched == Text2 && enter) {
            List1->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (watched == List1 && enter) {
            Transfer_Selected();
            return true;
        }
        if (watched == Text1[kReadingBox] && enter) {
            Text1[kWordBox]->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (watched == Text1[kWordBox] && enter) {
            Command1[kRegister]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    if (watched == Text2 && event->type() == QEvent::InputMethod) {
        // The list follows the composition as it is typed, before it is committed.
        const auto* input = static_cast<QInputMethodEvent*>(event);
        const int from = Text2->hasSelectedText() ? Text2->selectionStart() : Text2->cursorPosition();
        const QString typed = input->commitString() + input->preeditString();
        Show_Search(Text2->text().left(from) + typed + Text2->text().mid(from + Text2->selectedText().size()));
    }
    if (watched == Text1[kReadingBox] && event->type() == QEvent::FocusOut && !Text1[kReadingBox]->text().isEmpty()
        && !Is_Window_Focus_Change(static_cast<QFocusEvent*>(event)->reason()))
        Text1[kReadingBox]->setText(products::Normalize_Reading(Text1[kReadingBox]->text()));
    return QWidget::eventFilter(watched, event);
}

void Genzairyou::Command1_Click(int index)
{
    if (index <= products::kFilterOther) {
        Text2->clear();
        Show_Filter(index);
    } else if (index == kTransfer)
        Transfer_Selected();
    else if (index == kClose)
        close();
    else if (index == kRegister)
        Register_Word_Click();
    else if (index == kDelete)
        Delete_Selected();
}

void Genzairyou::Reload_Entries()
{
    entries_ = products::Read_Word_Entries(session_.Data_Folder());
}

void Genzairyou::Show_Filter(int filter)
{
    QPalette highlighted;
    highlighted.setColor(QPalette::Button, kHighlight);
    for (int i = 0; i <= products::kFilterOther; ++i)
        Command1[i]->setPalette(i == filter ? highlighted : QPalette());
    List1->clear();
    List1->addItems(products::Filter_Word_Entries(entries_, filter));
}

void Genzairyou::Show_Search(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        Show_Filter(products::kFilterAll);
        return;
    }
    for (int i = 0; i <= products::kFilterOther; ++i)
        Command1[i]->setPalette(QPalette());
    List1->clear();
    List1->addItems(products::Search_Word_Entries(entries_, text));
    if (List1->count() > 0)
        List1->setCurrentRow(0);
}

void Genzairyou::Transfer_Selected()
{
    QListWidgetItem* item = List1->currentItem();
    S_Touroku* registration = Registration_Screen();
    if (!item || !registration)
        return;
    Item_Box* ingredients = registration->Text1[S_Touroku::kIngredientsBox];
    const QString before = ingredients->text();
    ingredients->Append_Text(
        products::Append_Ingredient(before, products::Word_Of_Entry(item->text())).mid(before.size()));
}

void Genzairyou::Register_Word_Click()
{
    const store::Outcome registered = products::Register_Word(session_.Data_Folder(), Text1[kReadingBox]->text(),
                                                              Text1[kWordBox]->text());
    answerer_.Tell(registered);
    if (!registered.Is_Done())
        return;
    After_Change();
}

void Genzairyou::Delete_Selected()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    const store::Outcome deleted = products::Delete_Word(session_.Data_Folder(), products::Word_Of_Entry(item->text()),
                                                         answerer_);
    answerer_.Tell(deleted);
    if (!deleted.Is_Done())
        return;
    After_Change();
}

void Genzairyou::After_Change()
{
    Reload_Entries();
    Text2->clear();
    Show_Filter(products::kFilterAll);
    Text1[kReadingBox]->clear();
    Text1[kWordBox]->clear();
    Text1[kReadingBox]->setFocus(Qt::OtherFocusReason);
}

void Genzairyou::closeEvent(QCloseEvent* event)
{
    if (S_Touroku* registration = Registration_Screen()) {
        registration->Gen_open->clear();
        registration->activateWindow();
        registration->setFocus();
    }
    event->accept();
}

}  // namespace screens
