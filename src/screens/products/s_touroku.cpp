#include "screens/products/s_touroku.h"

#include "layouts/layout_names.h"
#include "maintenance/new_product_layout.h"
#include "products/item_rules.h"
#include "products/product_extras.h"
#include "products/product_file.h"
#include "products/special_expression.h"
#include "recipes/recipe_file.h"
#include "render/ean.h"
#include "screens/common/conventions.h"
#include "screens/common/item_box.h"
#include "screens/common/program_end.h"
#include "screens/common/s_preview.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/products/genzairyou.h"
#include "screens/products/kakudai_input.h"
#include "screens/products/s_haigou.h"
#include "screens/products/s_list.h"
#include "screens/products/s_nonplu.h"
#include "store/text_helpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kName = S_Touroku::kScreenName;

using Box = S_Touroku::Box;

// Boxes typed in half-width only: number, addition days, barcode.
bool Is_Latin_Box(int box)
{
    return box == Box::kNumberBox || box == Box::kAddDaysBox || box == Box::kBarcodeBox;
}

// Items whose value follows a caption: those that start with one ("品名:"),
// and the nutrition rows added below the table.
bool Is_Caption_Item(int box)
{
    static const products::Product_Record new_values = products::New_Product_Record();
    return products::Ends_With_Separator(new_values[Column_Of_Text_Box(box)])
        || (box >= Box::kFirstNutrientExtraBox && box <= Box::kLastNutrientExtraBox);
}

// 追加欄 and 成分追加 boxes use the smaller face.
bool Is_Small_Box(int box)
{
    return box == Box::kExtra1Box || box == Box::kExtra2Box || box == Box::kExtra3Box || box == Box::kExtra4Box
        || box == Box::kExtra5Box || (box >= Box::kFirstNutrientExtraBox && box <= Box::kLastNutrientExtraBox);
}

QLabel* Caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QHBoxLayout* Row_Of(std::initializer_list<QWidget*> widgets, std::initializer_list<int> stretches)
{
    auto* row = new QHBoxLayout;
    auto s = stretches.begin();
    for (QWidget* w : widgets)
        row->addWidget(w, s != stretches.end() ? *s++ : 0);
    return row;
}

// Lines of text a box shows.
int Lines_Of_Box(int box)
{
    if (box == Box::kIngredientsBox)
        return 3;
    return box == Box::kResponsibleBox ? 2 : 1;
}

}  // namespace

int Column_Of_Text_Box(int box)
{
    static constexpr int columns[S_Touroku::kTextBoxes] = {products::Product_No,
                                                           products::Product_Name,
                                                           products::Category_Name,
                                                           products::Ingredients,
                                                           products::Extra1,
                                                           products::Extra2,
                                                           products::Contents,
                                                           products::Date_Add_Days,
                                                           products::Storage,
                                                           products::Extra3,
                                                           products::Extra4,
                                                           products::Responsible,
                                                           products::Extra5,
                                                           products::Remarks1,
                                                           products::Remarks2,
                                                           products::Price_Text,
                                                           products::Barcode,
                                                           products::Nutrition_Title,
                                                           products::Energy,
                                                           products::Protein,
                                                           products::Fat,
                                                           products::Carbohydrate,
                                                           products::Salt_Equivalent,
                                                           products::Nutrient_Extra1,
                                                           products::Nutrient_Extra1 + 1,
                                                           products::Nutrient_Extra1 + 2,
                                                           products::Nutrient_Extra1 + 3,
                                                           products::Nutrient_Extra1 + 4,
                                                           products::Nutrient_Extra1 + 5,
                                                           products::Nutrient_Extra1 + 6,
                                                           products::Nutrient_Extra1 + 7,
                                                           products::Nutrient_Extra1 + 8,
                                                           products::Nutrient_Extra1 + 9,
                                                           products::Recycle1_Text1,
                                                           products::Recycle1_Text2,
                                                           products::Recycle2_Text1,
                                                           products::Recycle2_Text2};
    return columns[box];
}

int Column_Of_Combo(int combo)
{
    static constexpr int columns[S_Touroku::kCombos] = {
        products::Layout_Name,         products::Contents_Unit, products::Date_Kind,    products::Date_Format,
        products::Date_Elsewhere_Note, products::Recycle1_Mark, products::Recycle2_Mark};
    return columns[combo];
}

S_Touroku::S_Touroku(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("商品情報の登録"));
    Build_Controls();
    Build_Layout();
    Wire_Items();
    Form_Load();
    product_file_watcher_.Watch(session_.Data_Folder() + products::kProductFileName);
    connect(&product_file_watcher_, &Data_File_Watcher::Changed, this, &S_Touroku::Reload_From_File);
}

void S_Touroku::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        product_file_watcher_.Check();
}

void S_Touroku::Reload_From_File()
{
    const QString folder = session_.Data_Folder();
    const QString number = Text1[kNumberBox]->text();
    if (!proposed_number_.isEmpty() && number == proposed_number_) {
        if (products::Find_Product(folder, number)) {
            proposed_number_ = products::Next_Product_No(folder);
            Text1[kNumberBox]->setText(proposed_number_);
        }
        return;
    }
    if (!shown_is_stored_ || Record_From_Screen().field != shown_.field)
        return;
    const std::optional<products::Product_Record> saved = products::Find_Product(folder, number);
    if (saved && products::Join_Product_Line(*saved) != products::Join_Product_Line(shown_)) {
        Show_Record(*saved);
        Remember_Shown(true);
    }
}

void S_Touroku::Build_Controls()
{
    QFont item_font = font();
    item_font.setPointSizeF(12);
    QFont small_font = font();
    small_font.setPointSizeF(9.75);
    for (int i = 0; i < kTextBoxes; ++i) {
        Text1[i] = new Item_Box(Lines_Of_Box(i), this);
        Text1[i]->setObjectName(Array_Name(QStringLiteral("Text1"), i));
        Text1[i]->setFont(Is_Small_Box(i) ? small_font : item_font);
        if (Is_Latin_Box(i))
            Text1[i]->Use_As_Number_Box();
        else if (Is_Caption_Item(i))
            Text1[i]->Use_As_Caption_Item();
    }
    Text1[kNumberBox]->Set_Max_Length(4);
    Text1[kBarcodeBox]->Set_Max_Length(13);

    for (int i = 0; i < kCombos; ++i) {
        Combo1[i] = new QComboBox(this);
        Combo1[i]->setObjectName(Array_Name(QStringLiteral("Combo1"), i));
        Combo1[i]->setFont(item_font);
    }
    for (int editable : {kUnitCombo, kDateFormatCombo, kDateElsewhereCombo})
        Combo1[editable]->setEditable(true);
    Combo1[kUnitCombo]->addItems(products::Unit_Options());
    Combo1[kDateKindCombo]->addItems(products::Date_Kind_Options());
    Combo1[kDateFormatCombo]->addItems(products::Date_Format_Options());
    Combo1[kDateElsewhereCombo]->addItems(products::Date_Elsewhere_Options());
    Combo1[kRecycle1Combo]->addItems(products::Recycle_Mark_Options());
    Combo1[kRecycle2Combo]->addItems(products::Recycle_Mark_Options());

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
    Command7 = button(QStringLiteral("配合から計算"), "Command7");

    Check1 = new QCheckBox(QStringLiteral("表示可能面積が150cm²以下(5.5ポイントの文字を使える)"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    Prv_open = Add_Prv_Open(this);
    Gen_open = new QLabel(this);
    Gen_open->setObjectName(QStringLiteral("Gen_open"));
    Gen_open->hide();
    Ret_Code = Add_Ret_Code(this);
}

void S_Touroku::Build_Layout()
{
    QLabel* heading = Heading_Label(QStringLiteral("商品情報の登録・編集"), this, 16);
    QGridLayout* left = Build_Left_Column();
    QGridLayout* right = Build_Right_Column();

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

// The label items in the order Enter walks through them.
QGridLayout* S_Touroku::Build_Left_Column()
{
    auto* left = new QGridLayout;
    int r = 0;
    const auto add_left = [&](const QString& text, QWidget* widget) {
        left->addWidget(Caption(text, this), r, 0);
        left->addWidget(widget, r++, 1);
    };
    const auto add_left_row = [&](const QString& text, QLayout* row) {
        left->addWidget(Caption(text, this), r, 0);
        left->addLayout(row, r++, 1);
    };
    Text1[kNumberBox]->setFixedWidth(Text1[kNumberBox]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    add_left_row(
        QStringLiteral("登録番号"),
        Row_Of({Text1[kNumberBox], new QLabel(QStringLiteral("　レイアウト"), this), Combo1[kLayoutCombo]}, {0, 0, 1}));
    add_left(QStringLiteral("品名"), Text1[kProductNameBox]);
    add_left(QStringLiteral("名称"), Text1[kCategoryBox]);
    add_left(QStringLiteral("原材料名"), Text1[kIngredientsBox]);
    add_left(QStringLiteral("追加欄１"), Text1[kExtra1Box]);
    add_left(QStringLiteral("追加欄２"), Text1[kExtra2Box]);
    Combo1[kUnitCombo]->setMinimumContentsLength(5);
    add_left_row(QStringLiteral("内容量"), Row_Of({Text1[kContentsBox], Combo1[kUnitCombo]}, {1, 0}));
    add_left(QStringLiteral("追加欄３"), Text1[kExtra3Box]);
    Text1[kAddDaysBox]->setFixedWidth(Text1[kAddDaysBox]->fontMetrics().horizontalAdvance(QStringLiteral("00000"))
                                      + 16);
    add_left_row(QStringLiteral("期限表記"),
                 Row_Of({Combo1[kDateKindCombo], new QLabel(QStringLiteral("書式"), this), Combo1[kDateFormatCombo],
                         new QLabel(QStringLiteral("期限加算日"), this), Text1[kAddDaysBox]},
                        {0, 0, 1, 0, 0}));
    add_left(QStringLiteral("別記表示"), Combo1[kDateElsewhereCombo]);
    add_left(QStringLiteral("保存方法"), Text1[kStorageBox]);
    add_left(QStringLiteral("追加欄４"), Text1[kExtra4Box]);
    add_left(QStringLiteral("責任者"), Text1[kResponsibleBox]);
    add_left(QStringLiteral("追加欄５"), Text1[kExtra5Box]);
    add_left(QStringLiteral("備考１"), Text1[kRemarks1Box]);
    add_left(QStringLiteral("備考２"), Text1[kRemarks2Box]);
    left->setRowStretch(r, 1);
    return left;
}

// Price, barcode, nutrition table, recycling marks.
QGridLayout* S_Touroku::Build_Right_Column()
{
    auto* right = new QGridLayout;
    int r = 0;
    const auto add_right = [&](const QString& text, QWidget* widget) {
        right->addWidget(Caption(text, this), r, 0);
        right->addWidget(widget, r++, 1);
    };
    add_right(QStringLiteral("表示価格"), Text1[kPriceBox]);
    add_right(QStringLiteral("バーコード"), Text1[kBarcodeBox]);
    right->addWidget(Caption(QStringLiteral("成分表ﾀｲﾄﾙ"), this), r, 0);
    right->addLayout(Row_Of({Text1[kNutritionTitleBox], Command7}, {1, 0}), r++, 1);
    const QStringList nutrition = {QStringLiteral("エネルギー"), QStringLiteral("たんぱく質"), QStringLiteral("脂質"),
                                   QStringLiteral("炭水化物"), QStringLiteral("食塩相当量")};
    for (int i = 0; i < nutrition.size(); ++i)
        add_right(nutrition.at(i), Text1[kFirstNutritionBox + i]);
    for (int box = kFirstNutrientExtraBox; box <= kLastNutrientExtraBox; ++box)
        add_right(QStringLiteral("成分追加%1").arg(box - kFirstNutrientExtraBox + 1), Text1[box]);
    const struct {
        int combo;
        int first_box;
    } marks[] = {{kRecycle1Combo, kRecycle1TextBox}, {kRecycle2Combo, kRecycle2TextBox}};
    for (int mark = 0; mark < 2; ++mark) {
        const auto [combo, box] = marks[mark];
        right->addWidget(Caption(QStringLiteral("ﾘｻｲｸﾙﾏｰｸ%1").arg(mark + 1), this), r, 0);
        right->addLayout(Row_Of({Combo1[combo], Text1[box], Text1[box + 1]}, {0, 1, 1}), r++, 1);
    }
    right->addWidget(Caption(QStringLiteral("包装"), this), r, 0);
    right->addWidget(Check1, r++, 1);
    right->setRowStretch(r, 1);
    return right;
}

void S_Touroku::Wire_Items()
{
    for (int i = 0; i < kTextBoxes; ++i) {
        Item_Box* box = Text1[i];
        box->on_key = [this, box](QKeyEvent* event) {
            if (Is_Enter_Key(event))
                return Enter_Pressed(box);
            if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
                return Confirm_Separator_Delete(box, event);
            return false;
        };
        box->on_key_release = [this, box](QKeyEvent* event) {
            if (Is_Enter_Key(event) && Preview_Is_Open())
                Redraw_Preview_After_Enter(box);
        };
        box->on_focus_in = [this, i, box](Qt::FocusReason reason) {
            if (Is_Window_Focus_Change(reason))
                return;
            if (i == kNumberBox || i == kAddDaysBox)
                box->Select_All_Text();
            else if (products::Ends_With_Separator(box->text()))
                box->Caret_To_End();
        };
        box->on_focus_out = [this, i, box](Qt::FocusReason reason) {
            if (Is_Window_Focus_Change(reason))
                return;
            if (i == kAddDaysBox)
                box->setText(products::Normalize_Add_Days(box->text()));
            else if (i == kBarcodeBox && box->text() != checked_barcode_)
                Check_Barcode_Digit();
        };
        box->on_double_click = [this, i] { Item_Double_Click(i); };
    }
    for (QComboBox* combo : Combo1) {
        combo->installEventFilter(this);
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }
    connect(Combo1[kLayoutCombo], &QComboBox::activated, this, [this] { Apply_Layout_Selection(); });
    connect(Command1, &QPushButton::clicked, this, &S_Touroku::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_Touroku::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_Touroku::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &S_Touroku::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &S_Touroku::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &S_Touroku::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &S_Touroku::Command7_Click);
}

bool S_Touroku::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* item = qobject_cast<QWidget*>(watched);
        if (item && qobject_cast<QLineEdit*>(item))
            item = item->parentWidget();
        if (Is_Enter_Key(key) && qobject_cast<QComboBox*>(item)) {
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
    Centre_On_Screen(this);
    Reset_Screen();
    session_.Load_Settings();
    Set_Dropdown_Width(Combo1[kLayoutCombo], 500);
    Set_Dropdown_Width(Combo1[kDateFormatCombo], 300);
    Gen_open->clear();
}

void S_Touroku::Reset_Screen()
{
    Command3->setEnabled(false);
    Fill_Layout_List();
    proposed_number_ = products::Next_Product_No(session_.Data_Folder());
    Text1[kNumberBox]->setText(proposed_number_);
    Show_New_Values(products::New_Product_Record());
    Check1->setChecked(false);
    Remember_Shown(false);
}

void S_Touroku::Remember_Shown(bool stored)
{
    shown_ = Record_From_Screen();
    shown_is_stored_ = stored;
}

bool S_Touroku::Has_Unsaved_Edits() const
{
    products::Product_Record now = Record_From_Screen();
    now[products::Product_No] = shown_[products::Product_No];  // a new number alone stores nothing new
    return now.field != shown_.field;
}

bool S_Touroku::Settle_Unsaved_Edits()
{
    if (!Has_Unsaved_Edits())
        return true;
    // Saved under the number they were made under, not one typed since.
    Text1[kNumberBox]->setText(shown_[products::Product_No]);
    if (!screens::Settle_Unsaved_Edits(answerer_, [this] { return Store_Screen(); }))
        return false;
    if (Has_Unsaved_Edits())
        Remember_Shown(false);  // let go: the screen is about to be left or replaced
    return true;
}

void S_Touroku::Fill_Layout_List()
{
    QComboBox* layouts_list = Combo1[kLayoutCombo];
    layouts_list->clear();
    layouts_list->addItems(layouts::Sorted_Layout_Names(session_.Data_Folder()));
    if (layouts_list->count() == 0)
        return;
    // A new product's layout as the settings choose it, else the first.
    const QString chosen = maintenance::Read_New_Product_Layout(session_.application_folder).Layout();
    if (!Select_List_Item(layouts_list, chosen))
        layouts_list->setCurrentIndex(0);
    Apply_Layout_Selection();
    Command3->setEnabled(true);
}

void S_Touroku::Apply_Layout_Selection()
{
    const QComboBox* layouts_list = Combo1[kLayoutCombo];
    if (layouts_list->currentIndex() < 0)
        return;
    const std::optional<layouts::Layout_Record> read = layouts::Read_Layout(session_.Data_Folder(),
                                                                            layouts_list->currentText());
    if (!read) {
        answerer_.Notify(QStringLiteral("指定ﾚｲｱｳﾄを開けませんでした"), QStringLiteral("ﾚｲｱｳﾄ情報を確認して下さい"));
        return;
    }
    layout_lines_ = *read;
}

void S_Touroku::Show_New_Values(const products::Product_Record& values)
{
    for (int i = kNumberBox + 1; i < kTextBoxes; ++i)
        Text1[i]->setText(values[Column_Of_Text_Box(i)]);
    checked_barcode_ = Text1[kBarcodeBox]->text();
    for (int c = kLayoutCombo + 1; c < kCombos; ++c) {
        if (Combo1[c]->isEditable())
            Combo1[c]->setEditText(values[Column_Of_Combo(c)]);
        else
            Select_List_Item(Combo1[c], values[Column_Of_Combo(c)]);
    }
}

void S_Touroku::Show_Record(const products::Product_Record& record)
{
    if (!Select_List_Item(Combo1[kLayoutCombo], record[products::Layout_Name]))
        answerer_.Notify(QStringLiteral("指定ﾚｲｱｳﾄが見つかりません"), QStringLiteral("ﾚｲｱｳﾄを確認して下さい"));
    Show_New_Values(record);
}

products::Product_Record S_Touroku::Record_From_Screen() const
{
    products::Product_Record record;
    for (int i = 0; i < kTextBoxes; ++i)
        record[Column_Of_Text_Box(i)] = Text1[i]->text();
    for (int c = 0; c < kCombos; ++c)
        record[Column_Of_Combo(c)] = Combo1[c]->currentText();
    return record;
}

void S_Touroku::Load_Product(const QString& number)
{
    const QString key = products::Format_Product_No(number);
    const std::optional<products::Product_Record> found = products::Find_Product(session_.Data_Folder(), key);
    if (found && !Settle_Unsaved_Edits())
        return;  // back to the edits
    Text1[kNumberBox]->setText(key);
    proposed_number_.clear();
    shown_is_stored_ = false;
    if (found) {
        Show_Record(*found);
        const std::optional<products::Product_Extras> extras = products::Read_Product_Extras(session_.Data_Folder(),
                                                                                             key);
        Check1->setChecked(extras && products::Has_Small_Package(*extras));
    } else
        Combo1[kLayoutCombo]->setFocus(Qt::OtherFocusReason);
    Apply_Layout_Selection();
    if (found)
        Remember_Shown(true);
}

QWidget* S_Touroku::Next_In_Chain(QWidget* from) const
{
    const QList<QWidget*> chain = [this] {
        QList<QWidget*> c = {
            Text1[kProductNameBox], Text1[kCategoryBox],      Text1[kIngredientsBox], Text1[kExtra1Box],
            Text1[kExtra2Box],      Text1[kContentsBox],      Combo1[kUnitCombo],     Text1[kExtra3Box],
            Combo1[kDateKindCombo], Combo1[kDateFormatCombo], Text1[kAddDaysBox],     Combo1[kDateElsewhereCombo],
            Text1[kStorageBox],     Text1[kExtra4Box],        Text1[kResponsibleBox], Text1[kExtra5Box],
            Text1[kRemarks1Box],    Text1[kRemarks2Box],      Text1[kPriceBox],       Text1[kBarcodeBox]};
        for (int i = kNutritionTitleBox; i <= kLastNutrientExtraBox; ++i)
            c << Text1[i];
        c << Combo1[kRecycle1Combo] << Text1[kRecycle1TextBox] << Text1[kRecycle1TextBox + 1] << Combo1[kRecycle2Combo]
          << Text1[kRecycle2TextBox] << Text1[kRecycle2TextBox + 1] << Command3;
        return c;
    }();
    if (from == Combo1[kLayoutCombo])
        return Text1[kProductNameBox];
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
    if (from == Text1[kNumberBox]) {
        Load_Product(Text1[kNumberBox]->text());
        return true;
    }
    if (from == Text1[kBarcodeBox]) {
        Check_Barcode_Digit();
        Text1[kBarcodeBox]->Caret_To_End();
    }
    if (!Preview_Is_Open())
        Move_Focus_From(from);
    return true;
}

bool S_Touroku::Confirm_Separator_Delete(Item_Box* box, QKeyEvent* event)
{
    const QTextCursor cursor = box->textCursor();
    const products::Delete_Key key = event->key() == Qt::Key_Backspace ? products::Delete_Key::Backspace
                                                                       : products::Delete_Key::Delete;
    if (!products::Removes_Item_Separator(box->text(), cursor.position(), cursor.selectionStart(),
                                          cursor.selectionEnd() - cursor.selectionStart(), key))
        return false;
    const bool agreed = answerer_.Ask(QStringLiteral("項目名区切り文字「:」を"),
                                      QStringLiteral("削除しても宜しいですか？"));
    box->setFocus(Qt::OtherFocusReason);
    return !agreed;  // declined: the key is discarded
}

void S_Touroku::Check_Barcode_Digit()
{
    const QString checked = render::Check_Ean_Code(Text1[kBarcodeBox]->text(), answerer_);
    checked_barcode_ = checked;
    Text1[kBarcodeBox]->setText(checked);
    Text1[kBarcodeBox]->Caret_To_End();
}

void S_Touroku::Item_Double_Click(int box)
{
    if (box == kIngredientsBox)
        Open_Word_Table();
    else if (box == kBarcodeBox)
        Open_Instore_Code();
    else if (!products::Title_Of_Item_Box(box).isEmpty())
        Open_Enlarged_Input(box);
}

void S_Touroku::Open_Word_Table()
{
    Text1[kIngredientsBox]->Caret_To_End();
    Gen_open->setText(kOpen);
    if (auto* open = qobject_cast<Genzairyou*>(Find_Window(QStringLiteral("Genzairyou")))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new Genzairyou(session_);
    Place_Beside_Window(window, this, Text1[kIngredientsBox]);
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
    auto* window = new Kakudai_Input(session_);
    window->Open(products::Title_Of_Item_Box(box), Text1[box]->text());
    setEnabled(false);
    sub_windows_ << window;
}

bool S_Touroku::Preview_Is_Open() const
{
    return Is_Open(Prv_open);
}

void S_Touroku::Command1_Click()
{
    Store_Screen();
}

bool S_Touroku::Store_Screen()
{
    products::Product_Record record = Record_From_Screen();
    const store::Outcome stored = products::Store_Product(session_.Data_Folder(), record, answerer_);
    const store::Outcome extras = stored.Is_Done()
        ? products::Store_Product_Extras(
            session_.Data_Folder(), record[products::Product_No],
            {{products::kPackageAreaField, Check1->isChecked() ? products::kSmallPackageArea : QString()}})
        : store::Outcome::Done();
    answerer_.Tell(extras.Is_Done() ? stored : extras);
    Text1[kNumberBox]->setText(record[products::Product_No]);
    if (!stored.Is_Done())
        return false;
    proposed_number_.clear();
    Remember_Shown(true);
    maintenance::Remember_Last_Used_Layout(session_.application_folder, record[products::Layout_Name]);
    return true;
}

void S_Touroku::Command2_Click()
{
    close();
}

void S_Touroku::Command3_Click()
{
    if (!Configured_Printer_Found(session_, answerer_))
        return;
    Apply_Layout_Selection();
    Show_Editing_Preview(session_, this, kName, Record_From_Screen(), layout_lines_, Check1->isChecked());
}

void S_Touroku::Redraw_Preview_After_Enter(QWidget* item)
{
    Command3_Click();
    activateWindow();
    item->setFocus(Qt::OtherFocusReason);
}

void S_Touroku::Command4_Click()
{
    auto* list = new S_List(session_);
    list->Ret_Form->setText(kName);
    list->Command2->setEnabled(false);
    list->show();
    hide();
}

void S_Touroku::Command5_Click()
{
    const QString key = products::Format_Product_No(Text1[kNumberBox]->text());
    const QString folder = session_.Data_Folder();
    if (products::Find_Product(folder, key)) {
        if (!answerer_.Ask(key + QStringLiteral("のデータを削除します"), QStringLiteral("よろしいですか？")))
            return;
        const store::Outcome deleted = recipes::Delete_Product_And_Recipe(folder, key);
        answerer_.Tell(deleted);
        if (!deleted.Is_Done())
            return;
    } else if (!answerer_.Ask(QStringLiteral("入力内容を全て消去します"), QStringLiteral("よろしいですか？"))) {
        return;
    }
    Reset_Screen();
}

void S_Touroku::Command6_Click()
{
    if (!answerer_.Ask(QStringLiteral("項目内の文字を全て消去します"), QStringLiteral("よろしいですか？")))
        return;
    for (int i = kNumberBox + 1; i < kTextBoxes; ++i)
        Text1[i]->clear();
    checked_barcode_.clear();
    Combo1[kDateFormatCombo]->setEditText(QString());
    Select_List_Item(Combo1[kDateKindCombo], QStringLiteral("表示しない"));
    Select_List_Item(Combo1[kRecycle1Combo], QStringLiteral("なし"));
    Select_List_Item(Combo1[kRecycle2Combo], QStringLiteral("なし"));
}

void S_Touroku::Command7_Click()
{
    if (store::Lenient_Int(Text1[kNumberBox]->text()) <= 0) {
        answerer_.Notify(QStringLiteral("配合は登録番号ごとに保存します"), QStringLiteral("登録番号を入力して下さい"));
        Text1[kNumberBox]->setFocus();
        return;
    }
    auto* window = new S_Haigou(session_, this);
    window->Form_Load();
    window->show();
    sub_windows_ << window;
}

void S_Touroku::closeEvent(QCloseEvent* event)
{
    if (!Settle_Unsaved_Edits()) {
        event->ignore();
        return;
    }
    for (const QPointer<QWidget>& window : sub_windows_)
        if (window)
            window->close();
    Gen_open->clear();
    Close_Preview_Of(Prv_open);
    event->accept();
}

}  // namespace screens
