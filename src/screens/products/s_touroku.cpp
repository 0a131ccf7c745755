#include "screens/products/s_touroku.h"

#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "layouts/layout_names.h"
#include "screens/products/genzairyou.h"
#include "screens/common/item_box.h"
#include "products/item_rules.h"
#include "screens/products/kakudai_input.h"
#include "products/product_file.h"
#include "screens/products/s_list.h"
#include "screens/products/s_nonplu.h"
#include "screens/common/screen_helpers.h"
#include "products/special_expression.h"
#include "screens/common/s_preview.h"
#include "render/date_stamp.h"
#include "render/clock.h"
#include "render/issue_values.h"
#include "render/ean.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace products {
namespace {

const QString kName = QStringLiteral("S_Touroku");

bool Is_Enter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Boxes typed in half-width only: number, addition days, barcode.
bool Is_Latin_Box(int box)
{
    return box == 0 || box == 7 || box == 16;
}

// 追加欄 and 成分追加 boxes use the smaller face.
bool Is_Small_Box(int box)
{
    return box == 4 || box == 5 || box == 9 || box == 10 || box == 12 || (box >= 23 && box <= 32);
}

}  // namespace

int Column_Of_Text_Box(int box)
{
    if (box == 0)
        return Product_No;
    if (box <= 6)
        return box + 2;
    if (box == 7)
        return Date_Add_Days;
    if (box <= 32)
        return box + 6;
    if (box <= 34)
        return box - 33 + Recycle1_Text1;
    return box - 35 + Recycle2_Text1;
}

int Column_Of_Combo(int combo)
{
    static constexpr int columns[S_Touroku::kCombos] = {Layout_Name,         Contents_Unit, Date_Kind,    Date_Format,
                                                        Date_Elsewhere_Note, Recycle1_Mark, Recycle2_Mark};
    return columns[combo];
}

S_Touroku::S_Touroku(QWidget* parent) : QWidget(parent)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("商品情報の登録"));
    Build_Controls();
    Build_Layout();
    Wire_Items();
    Form_Load();
}

void S_Touroku::Build_Controls()
{
    QFont item_font = font();
    item_font.setPointSizeF(12);
    QFont small_font = font();
    small_font.setPointSizeF(9.75);
    for (int i = 0; i < kTextBoxes; ++i) {
        const int lines = i == 3 ? 3 : (i == 11 ? 2 : 1);
        Text1[i] = new Item_Box(lines, this);
        Text1[i]->setObjectName(app::Array_Name(QStringLiteral("Text1"), i));
        Text1[i]->setFont(Is_Small_Box(i) ? small_font : item_font);
        Text1[i]->Set_Input_Method(!Is_Latin_Box(i));
    }
    Text1[0]->Set_Max_Length(4);
    Text1[16]->Set_Max_Length(13);

    for (int i = 0; i < kCombos; ++i) {
        Combo1[i] = new QComboBox(this);
        Combo1[i]->setObjectName(app::Array_Name(QStringLiteral("Combo1"), i));
        Combo1[i]->setFont(item_font);
    }
    for (int editable : {1, 3, 4})
        Combo1[editable]->setEditable(true);
    Combo1[1]->addItems(Unit_Options());
    Combo1[2]->addItems(Date_Kind_Options());
    Combo1[3]->addItems(Date_Format_Options());
    Combo1[4]->addItems(Date_Elsewhere_Options());
    Combo1[5]->addItems(Recycle_Mark_Options());
    Combo1[6]->addItems(Recycle_Mark_Options());

    const auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumHeight(36);
        return b;
    };
    Command1 = button(QStringLiteral("入力情報を登録"), "Command1");
    Command2 = button(QStringLiteral("メニューへ戻る"), "Command2");
    Command3 = button(QStringLiteral("印刷結果の表示"), "Command3");
    Command4 = button(QStringLiteral("一覧"), "Command4");
    Command5 = button(QStringLiteral("削除"), "Command5");
    Command6 = button(QStringLiteral("全項目ｸﾘｱ"), "Command6");

    Prv_open = printing::Add_Prv_Open(this);
    Gen_open = new QLabel(this);
    Gen_open->setObjectName(QStringLiteral("Gen_open"));
    Gen_open->hide();
    Ret_Code = app::Add_Ret_Code(this);
}

void S_Touroku::Build_Layout()
{
    QLabel* heading = Heading_Label(QStringLiteral("商品情報の登録・編集"), this, 16);

    const auto caption = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    };
    const auto row_of = [](std::initializer_list<QWidget*> widgets, std::initializer_list<int> stretches) {
        auto* row = new QHBoxLayout;
        auto s = stretches.begin();
        for (QWidget* w : widgets)
            row->addWidget(w, s != stretches.end() ? *s++ : 0);
        return row;
    };

    // Left column: the label items in the order Enter walks through them.
    auto* left = new QGridLayout;
    int r = 0;
    const auto add_left = [&](const QString& text, QWidget* widget) {
        left->addWidget(caption(text), r, 0);
        left->addWidget(widget, r++, 1);
    };
    const auto add_left_row = [&](const QString& text, QLayout* row) {
        left->addWidget(caption(text), r, 0);
        left->addLayout(row, r++, 1);
    };
    Text1[0]->setFixedWidth(Text1[0]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    add_left_row(QStringLiteral("登録番号"),
                 row_of({Text1[0], new QLabel(QStringLiteral("　レイアウト"), this), Combo1[0]}, {0, 0, 1}));
    add_left(QStringLiteral("品名"), Text1[1]);
    add_left(QStringLiteral("名称"), Text1[2]);
    add_left(QStringLiteral("原材料名"), Text1[3]);
    add_left(QStringLiteral("追加欄１"), Text1[4]);
    add_left(QStringLiteral("追加欄２"), Text1[5]);
    Combo1[1]->setMinimumContentsLength(5);
    add_left_row(QStringLiteral("内容量"), row_of({Text1[6], Combo1[1]}, {1, 0}));
    add_left(QStringLiteral("追加欄３"), Text1[9]);
    Text1[7]->setFixedWidth(Text1[7]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    add_left_row(QStringLiteral("期限表記"),
                 row_of({Combo1[2], new QLabel(QStringLiteral("書式"), this), Combo1[3],
                         new QLabel(QStringLiteral("期限加算日"), this), Text1[7]},
                        {0, 0, 1, 0, 0}));
    add_left(QStringLiteral("別記表示"), Combo1[4]);
    add_left(QStringLiteral("保存方法"), Text1[8]);
    add_left(QStringLiteral("追加欄４"), Text1[10]);
    add_left(QStringLiteral("責任者"), Text1[11]);
    add_left(QStringLiteral("追加欄５"), Text1[12]);
    add_left(QStringLiteral("備考１"), Text1[13]);
    add_left(QStringLiteral("備考２"), Text1[14]);
    left->setRowStretch(r, 1);

    // Right column: price, barcode, nutrition table, recycling marks.
    auto* right = new QGridLayout;
    r = 0;
    const auto add_right = [&](const QString& text, QWidget* widget) {
        right->addWidget(caption(text), r, 0);
        right->addWidget(widget, r++, 1);
    };
    add_right(QStringLiteral("表示価格"), Text1[15]);
    add_right(QStringLiteral("バーコード"), Text1[16]);
    add_right(QStringLiteral("成分表ﾀｲﾄﾙ"), Text1[17]);
    const QStringList nutrition = {QStringLiteral("エネルギー"), QStringLiteral("たんぱく質"), QStringLiteral("脂質"),
                                   QStringLiteral("炭水化物"), QStringLiteral("食塩相当量")};
    for (int i = 0; i < nutrition.size(); ++i)
        add_right(nutrition.at(i), Text1[18 + i]);
    for (int i = 1; i <= 10; ++i)
        add_right(QStringLiteral("成分追加%1").arg(i), Text1[22 + i]);
    for (int mark = 0; mark < 2; ++mark) {
        right->addWidget(caption(QStringLiteral("ﾘｻｲｸﾙﾏｰｸ%1").arg(mark + 1)), r, 0);
        right->addLayout(row_of({Combo1[5 + mark], Text1[33 + 2 * mark], Text1[34 + 2 * mark]}, {0, 1, 1}), r++, 1);
    }
    right->setRowStretch(r, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 11);
    columns->addSpacing(12);
    columns->addLayout(right, 9);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command3, Command4, Command5, Command6})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    resize(1240, 740);
}

void S_Touroku::Wire_Items()
{
    for (int i = 0; i < kTextBoxes; ++i) {
        Item_Box* box = Text1[i];
        box->on_key = [this, box](QKeyEvent* event) {
            if (Is_Enter(event))
                return Enter_Pressed(box);
            if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
                return Confirm_Separator_Delete(box, event);
            return false;
        };
        box->on_key_release = [this, box](QKeyEvent* event) {
            if (Is_Enter(event) && Preview_Is_Open())
                Redraw_Preview_After_Enter(box);
        };
        box->on_focus_in = [this, i, box](Qt::FocusReason reason) {
            if (Is_Window_Focus_Change(reason))
                return;
            if (i == 0 || i == 7)
                box->Select_All_Text();
            else if (Ends_With_Separator(box->text()))
                box->Caret_To_End();
        };
        box->on_focus_out = [this, i, box](Qt::FocusReason reason) {
            if (Is_Window_Focus_Change(reason))
                return;
            if (i == 7)
                box->setText(Normalize_Add_Days(box->text()));
            else if (i == 16 && box->text() != checked_barcode_)
                Check_Barcode_Digit();
        };
        box->on_double_click = [this, i] { Item_Double_Click(i); };
    }
    for (QComboBox* combo : Combo1) {
        combo->installEventFilter(this);
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }
    connect(Combo1[0], &QComboBox::activated, this, [this] { Apply_Layout_Selection(); });
    connect(Command1, &QPushButton::clicked, this, &S_Touroku::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_Touroku::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_Touroku::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &S_Touroku::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &S_Touroku::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &S_Touroku::Command6_Click);
}

bool S_Touroku::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* item = qobject_cast<QWidget*>(watched);
        if (item && qobject_cast<QLineEdit*>(item))
            item = item->parentWidget();
        if (Is_Enter(key) && qobject_cast<QComboBox*>(item)) {
            if (event->type() == QEvent::KeyPress)
                Enter_Pressed(item);
            else if (Preview_Is_Open())
                Redraw_Preview_After_Enter(item);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void S_Touroku::Form_Load()
{
    app::Centre_On_Screen(this);
    Reset_Screen();
    app::Current_Session().Load_Settings();
    app::Set_Dropdown_Width(Combo1[0], 500);
    app::Set_Dropdown_Width(Combo1[3], 300);
    Gen_open->clear();
}

void S_Touroku::Reset_Screen()
{
    Command3->setEnabled(false);
    Fill_Layout_List();
    Text1[0]->setText(Next_Product_No(Current_Data_Folder()));
    Show_New_Values(New_Product_Record());
}

void S_Touroku::Fill_Layout_List()
{
    Combo1[0]->clear();
    Combo1[0]->addItems(layouts::Sorted_Layout_Names(Current_Data_Folder()));
    if (Combo1[0]->count() == 0)
        return;
    Combo1[0]->setCurrentIndex(0);
    Apply_Layout_Selection();
    Command3->setEnabled(true);
}

void S_Touroku::Apply_Layout_Selection()
{
    if (Combo1[0]->currentIndex() < 0)
        return;
    const std::optional<layouts::Layout_Record> read =
        layouts::Read_Layout(Current_Data_Folder(), Combo1[0]->currentText());
    if (!read) {
        confirmation_.Notify(QStringLiteral("指定ﾚｲｱｳﾄを開けませんでした"), QStringLiteral("ﾚｲｱｳﾄ情報を確認して下さい"));
        return;
    }
    layout_lines_ = *read;
}

void S_Touroku::Show_New_Values(const Product_Record& values)
{
    for (int i = 1; i < kTextBoxes; ++i)
        Text1[i]->setText(values[Column_Of_Text_Box(i)]);
    checked_barcode_ = Text1[16]->text();
    for (int c = 1; c < kCombos; ++c) {
        if (Combo1[c]->isEditable())
            Combo1[c]->setEditText(values[Column_Of_Combo(c)]);
        else
            app::Select_List_Item(Combo1[c], values[Column_Of_Combo(c)]);
    }
}

void S_Touroku::Show_Record(const Product_Record& record)
{
    if (!app::Select_List_Item(Combo1[0], record[Layout_Name]))
        confirmation_.Notify(QStringLiteral("指定ﾚｲｱｳﾄが見つかりません"), QStringLiteral("ﾚｲｱｳﾄを確認して下さい"));
    Show_New_Values(record);
}

Product_Record S_Touroku::Record_From_Screen() const
{
    Product_Record record;
    for (int i = 0; i < kTextBoxes; ++i)
        record[Column_Of_Text_Box(i)] = Text1[i]->text();
    for (int c = 0; c < kCombos; ++c)
        record[Column_Of_Combo(c)] = Combo1[c]->currentText();
    return record;
}

void S_Touroku::Load_Product(const QString& number)
{
    const QString key = Format_Product_No(number);
    Text1[0]->setText(key);
    if (const std::optional<Product_Record> found = Find_Product(Current_Data_Folder(), key)) {
        Show_Record(*found);
    } else {
        Combo1[0]->setFocus(Qt::OtherFocusReason);
    }
    Apply_Layout_Selection();
}

QWidget* S_Touroku::Next_In_Chain(QWidget* from) const
{
    const QList<QWidget*> chain = [this] {
        QList<QWidget*> c = {Text1[1], Text1[2],  Text1[3],  Text1[4], Text1[5],  Text1[6],
                             Combo1[1], Text1[9], Combo1[2], Combo1[3], Text1[7], Combo1[4],
                             Text1[8], Text1[10], Text1[11], Text1[12], Text1[13], Text1[14],
                             Text1[15], Text1[16]};
        for (int i = 17; i <= 32; ++i)
            c << Text1[i];
        c << Combo1[5] << Text1[33] << Text1[34] << Combo1[6] << Text1[35] << Text1[36] << Command3;
        return c;
    }();
    if (from == Combo1[0])
        return Text1[1];
    const qsizetype at = chain.indexOf(from);
    return at >= 0 && at + 1 < chain.size() ? chain.at(at + 1) : nullptr;
}

void S_Touroku::Move_Focus_From(QWidget* from)
{
    if (QWidget* next = Next_In_Chain(from))
        next->setFocus(Qt::TabFocusReason);
}

bool S_Touroku::Enter_Pressed(QWidget* from)
{
    if (from == Text1[0]) {
        Load_Product(Text1[0]->text());
        return true;
    }
    if (from == Text1[16]) {
        Check_Barcode_Digit();
        Text1[16]->Caret_To_End();
    }
    if (!Preview_Is_Open())
        Move_Focus_From(from);
    return true;
}

bool S_Touroku::Confirm_Separator_Delete(Item_Box* box, QKeyEvent* event)
{
    const QTextCursor cursor = box->textCursor();
    const Delete_Key key = event->key() == Qt::Key_Backspace ? Delete_Key::Backspace : Delete_Key::Delete;
    if (!Removes_Item_Separator(box->text(), cursor.position(), cursor.selectionStart(),
                                cursor.selectionEnd() - cursor.selectionStart(), key))
        return false;
    const bool agreed = confirmation_.Ask(QStringLiteral("項目名区切り文字「:」を"), QStringLiteral("削除しても宜しいですか？"));
    box->setFocus(Qt::OtherFocusReason);
    return !agreed;  // declined: the key is discarded
}

void S_Touroku::Check_Barcode_Digit()
{
    const QString checked = render::Check_Ean_Code(Text1[16]->text(), confirmation_);
    checked_barcode_ = checked;
    Text1[16]->setText(checked);
    Text1[16]->Caret_To_End();
}

void S_Touroku::Item_Double_Click(int box)
{
    if (box == 3)
        Open_Word_Table();
    else if (box == 16)
        Open_Instore_Code();
    else if (!Title_Of_Item_Box(box).isEmpty())
        Open_Enlarged_Input(box);
}

void S_Touroku::Open_Word_Table()
{
    Text1[3]->Caret_To_End();
    Gen_open->setText(QStringLiteral("open"));
    if (auto* open = qobject_cast<Genzairyou*>(Find_Window(QStringLiteral("Genzairyou")))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new Genzairyou;
    window->move(x() + Twips_To_Pixels(5925), y());
    window->show();
    sub_windows_ << window;
}

void S_Touroku::Open_Instore_Code()
{
    auto* window = new S_Nonplu;
    window->Label9->setText(kName);
    window->show();
    sub_windows_ << window;
}

void S_Touroku::Open_Enlarged_Input(int box)
{
    auto* window = new Kakudai_Input;
    window->Open(Title_Of_Item_Box(box), Text1[box]->text());
    setEnabled(false);
    sub_windows_ << window;
}

bool S_Touroku::Preview_Is_Open() const
{
    return Prv_open->text() == QStringLiteral("open");
}

void S_Touroku::Command1_Click()
{
    Product_Record record = Record_From_Screen();
    confirmation_.Tell(Store_Product(Current_Data_Folder(), record, confirmation_));
    Text1[0]->setText(record[Product_No]);
}

void S_Touroku::Command2_Click()
{
    close();
}

void S_Touroku::Command3_Click()
{
    app::Require_Configured_Printer(confirmation_);
    Apply_Layout_Selection();
    const Product_Record product = Record_From_Screen();
    const render::Issue_Values issue = render::Preview_Issue(product);
    printing::Show_Label_Preview(this, kName, product, layout_lines_, issue);
}

void S_Touroku::Redraw_Preview_After_Enter(QWidget* item)
{
    Command3_Click();
    activateWindow();
    item->setFocus(Qt::OtherFocusReason);
}

void S_Touroku::Command4_Click()
{
    auto* list = new S_List;
    list->Ret_Form->setText(kName);
    list->Command2->setEnabled(false);
    list->show();
    hide();
}

void S_Touroku::Command5_Click()
{
    const QString key = Format_Product_No(Text1[0]->text());
    const QString folder = Current_Data_Folder();
    if (Find_Product(folder, key)) {
        if (!confirmation_.Ask(key + QStringLiteral("のデータを削除します"), QStringLiteral("よろしいですか？")))
            return;
        const store::Outcome deleted = Delete_Product(folder, key);
        confirmation_.Tell(deleted);
        if (!deleted.Is_Done())
            return;
    } else if (!confirmation_.Ask(QStringLiteral("入力内容を全て消去します"), QStringLiteral("よろしいですか？"))) {
        return;
    }
    Reset_Screen();
}

void S_Touroku::Command6_Click()
{
    if (!confirmation_.Ask(QStringLiteral("項目内の文字を全て消去します"), QStringLiteral("よろしいですか？")))
        return;
    for (int i = 1; i < kTextBoxes; ++i)
        Text1[i]->clear();
    checked_barcode_.clear();
    Combo1[3]->setEditText(QString());
    app::Select_List_Item(Combo1[2], QStringLiteral("表示しない"));
    app::Select_List_Item(Combo1[5], QStringLiteral("なし"));
    app::Select_List_Item(Combo1[6], QStringLiteral("なし"));
}

void S_Touroku::closeEvent(QCloseEvent* event)
{
    for (const QPointer<QWidget>& window : sub_windows_)
        if (window)
            window->close();
    Gen_open->clear();
    if (Preview_Is_Open())
        if (printing::S_Preview* preview = printing::Current_Preview())
            preview->close();
    event->accept();
}

}  // namespace products
