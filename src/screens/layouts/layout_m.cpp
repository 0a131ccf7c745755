#include "screens/layouts/layout_m.h"

#include "layouts/layout_record.h"
#include "products/product_file.h"
#include "render/date_stamp.h"
#include "render/label_check.h"
#include "screens/common/conventions.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/input_window.h"
#include "screens/common/printer_check.h"
#include "screens/common/program_end.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/yousi_set.h"
#include "screens/products/s_list.h"
#include "store/text_helpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kCaller = Layout_M::kScreenName;

// Button colours of the frame buttons.
constexpr std::uint32_t kButtonNormal = 12640511;
constexpr std::uint32_t kRuledOffButton = 16765136;
constexpr std::uint32_t kSmallSizeButton = 15329486;

const char* const kItemCaptions[] = {"項目名",   "品名",     "名称",   "原材料名", "追加欄１", "追加欄２",
                                     "内容量",   "追加欄３", "日付",   "保存方法", "追加欄４", "責任者",
                                     "追加欄５", "備考１",   "備考２", "価格"};
const char* const kNutritionCaptions[] = {
    "タイトル",   "熱量",       "たんぱく質", "脂質",       "炭水化物",   "食塩相当量", "成分追加１", "成分追加２",
    "成分追加３", "成分追加４", "成分追加５", "成分追加６", "成分追加７", "成分追加８", "成分追加９", "成分追加10"};
const char* const kOtherCaptions[] = {"ﾘｻｲｸﾙ1-1", "ﾘｻｲｸﾙ2-1", "ﾊﾞｰ添字", "ﾘｻｲｸﾙ1-2", "ﾘｻｲｸﾙ2-2"};

void Set_Button_Colour(QPushButton* button, std::uint32_t colour)
{
    button->setStyleSheet(QStringLiteral("background-color: %1;").arg(Colour_Of(colour).name()));
}

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

Layout_M::Layout_M(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(kCaller);
    setWindowTitle(QStringLiteral("レイアウト管理"));
    Choose_Picture = [this](const QString& start_folder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("ファイルを開く"), start_folder,
                                            QStringLiteral("BMPファイル(*.bmp);;すべてのファイル(*.*)"));
    };
    Build_Controls();
    Build_Layout();

    connect(Combo1, &QComboBox::activated, this, &Layout_M::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Layout_M::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Layout_M::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Layout_M::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Layout_M::Command4_Click);
    connect(Command11, &QPushButton::clicked, this, &Layout_M::Command11_Click);
    connect(Command13, &QPushButton::clicked, this, &Layout_M::Command13_Click);
    connect(Command14, &QPushButton::clicked, this, &Layout_M::Command14_Click);
    connect(Command15, &QPushButton::clicked, this, &Layout_M::Command15_Click);
    for (QPushButton* button : {Command5, Command8})
        connect(button, &QPushButton::clicked, this, [this, button] { Ruled_Button_Click(button); });
    for (QPushButton* button : {Command6, Command9})
        connect(button, &QPushButton::clicked, this, [this, button] { Size_Button_Click(button); });
    for (QPushButton* button : {Command7, Command10})
        connect(button, &QPushButton::clicked, this, [this, button] { Width_Button_Click(button); });
    connect(Field(layouts::Label_Length), &QLineEdit::textEdited, this, &Layout_M::Update_Size_Hint);
    connect(Field(layouts::Label_Width), &QLineEdit::textEdited, this, &Layout_M::Update_Size_Hint);
    connect(Text1[kPaperField], &QLineEdit::editingFinished, this, [this] { Text1_LostFocus(kPaperField); });
    connect(Text2, &QLineEdit::returnPressed, this, &Layout_M::Text2_KeyPress_Enter);
    connect(Command12, &QPushButton::clicked, this, &Layout_M::Command12_Click);
    for (int i = 0; i <= kPaperField; ++i)
        connect(Text1[i], &QLineEdit::returnPressed, this, [this, i] { Text1_KeyPress_Enter(i); });
}

QLineEdit* Layout_M::Field(int line) const
{
    return Text1[maintenance::Field_Of_Line(line)];
}

void Layout_M::Build_Controls()
{
    for (int i = 0; i <= kPaperField; ++i) {
        Text1[i] = new QLineEdit(this);
        Text1[i]->setObjectName(Array_Name(QStringLiteral("Text1"), i));
        const bool picture = maintenance::Line_Of_Field(i) == layouts::Background_Image;
        Text1[i]->setMaximumWidth(picture ? 220 : 58);
        if (picture)
            Use_As_Text_Box(Text1[i]);
        else
            screens::Use_As_Number_Box(Text1[i]);
    }
    const auto make_label = [this](int index, const QString& text) {
        Label1[index] = new QLabel(text, this);
        Label1[index]->setObjectName(Array_Name(QStringLiteral("Label1"), index));
        return Label1[index];
    };
    for (int k = 0; k < maintenance::kRuledRows; ++k) {
        const bool item = k < layouts::kStyleRows;
        QLabel* caption = make_label(kFirstCaption + k,
                                     Q(item ? kItemCaptions[k] : kNutritionCaptions[k - layouts::kStyleRows]));
        caption->installEventFilter(this);
        caption->setToolTip(QStringLiteral("ダブルクリックで罫線の指定を切り替えます"));
    }
    make_label(kHintLabel, QStringLiteral("最大:幅0px×縦0px"));
    Combo1 = Named(new QComboBox(this), "Combo1");
    Combo1->setMinimumWidth(300);
    Combo1->setAcceptDrops(true);
    Combo1->installEventFilter(this);
    Combo2 = Named(new QComboBox(this), "Combo2");
    Combo2->addItems({QStringLiteral(" 0"), QStringLiteral("90")});
    Combo3 = Named(new QComboBox(this), "Combo3");
    Combo4 = Named(new QComboBox(this), "Combo4");
    for (QComboBox* side : {Combo3, Combo4})
        side->addItems({Q("下"), Q("右")});
    Text2 = Named(new QLineEdit(QStringLiteral("0000"), this), "Text2");
    Text2->setMaximumWidth(70);
    screens::Use_As_Number_Box(Text2);
    Command1 = Named(new QPushButton(Q("このレイアウトを保存する"), this), "Command1");
    Command2 = Named(new QPushButton(Q("参照"), this), "Command2");
    Command3 = Named(new QPushButton(Q("終了"), this), "Command3");
    Command4 = Named(new QPushButton(Q("削除"), this), "Command4");
    Command5 = Named(new QPushButton(Q("罫線解除"), this), "Command5");
    Command6 = Named(new QPushButton(Q("全て5.5ptへ"), this), "Command6");
    Command7 = Named(new QPushButton(Q("全て幅100%に"), this), "Command7");
    Command8 = Named(new QPushButton(Q("罫線解除"), this), "Command8");
    Command9 = Named(new QPushButton(Q("全て5.5ptへ"), this), "Command9");
    Command10 = Named(new QPushButton(Q("全て幅100%に"), this), "Command10");
    Command11 = Named(new QPushButton(Q("名称変更"), this), "Command11");
    Command12 = Named(new QPushButton(Q("レイアウト確認"), this), "Command12");
    Command13 = Named(new QPushButton(Q("一覧"), this), "Command13");
    Command14 = Named(new QPushButton(Q("商品番号に対応したﾚｲｱｳﾄを読み込む"), this), "Command14");
    Command15 = Named(new QPushButton(Q("用紙番号指定"), this), "Command15");
    Ret_Code = Add_Ret_Code(this);
    Prv_open = Add_Prv_Open(this);
}

QGroupBox* Layout_M::Build_Label_Frame()
{
    auto* frame = new QGroupBox(Q("ラベルの設定"), this);
    auto* grid = new QGridLayout(frame);
    const auto add_pair = [grid](int row, int column, const QString& caption, QWidget* field) {
        grid->addWidget(new QLabel(caption), row, column);
        grid->addWidget(field, row, column + 1);
    };
    grid->addWidget(new QLabel(Q("ラベルサイズ")), 0, 0);
    add_pair(0, 1, Q("Ｐ"), Field(layouts::Label_Length));
    add_pair(0, 3, Q("Ｗ"), Field(layouts::Label_Width));
    grid->addWidget(new QLabel(Q("印字補正")), 1, 0);
    add_pair(1, 1, Q("縦"), Field(layouts::Correction_Vertical));
    add_pair(1, 3, Q("横"), Field(layouts::Correction_Horizontal));
    grid->addWidget(new QLabel(Q("背景画像")), 2, 0);
    grid->addWidget(Field(layouts::Background_Image), 2, 1, 1, 4);
    grid->addWidget(Command2, 2, 5);
    grid->addWidget(Label1[kHintLabel], 3, 1, 1, 5);
    grid->addWidget(new QLabel(Q("印字方向")), 4, 0);
    grid->addWidget(Combo2, 4, 1, 1, 2);
    grid->addWidget(new QLabel(Q("度")), 4, 3);
    grid->addWidget(new QLabel(Q("用紙番号")), 5, 0);
    grid->addWidget(Text1[kPaperField], 5, 1, 1, 2);
    grid->addWidget(Command15, 5, 3, 1, 3);
    return frame;
}

QGroupBox* Layout_M::Build_Position_Frame()
{
    auto* frame = new QGroupBox(Q("印字開始位置の設定"), this);
    auto* grid = new QGridLayout(frame);
    const QStringList headers = {Q("縦"), Q("横"), Q("幅 / 縦寸"), Q("横寸"), Q("添字")};
    for (int c = 0; c < headers.size(); ++c)
        grid->addWidget(new QLabel(headers[c]), 0, c + 1, Qt::AlignHCenter);
    namespace L = layouts;
    const struct {
        const char* caption;
        int first_line;  // the top line; the left line and the size lines follow it
        int count;
        QComboBox* side;
    } positions[] = {{"原材料表", L::Main_Top, 3, nullptr},        {"バーコード", L::Barcode_Top, 3, nullptr},
                     {"リサイクル１", L::Recycle1_Top, 4, Combo3}, {"リサイクル２", L::Recycle2_Top, 4, Combo4},
                     {"成分表", L::Nutrition_Top, 3, nullptr},     {"備考１", L::Remarks1_Top, 3, nullptr},
                     {"備考２", L::Remarks2_Top, 3, nullptr},      {"価格", L::Price_Top, 3, nullptr}};
    int row = 1;
    for (const auto& p : positions) {
        grid->addWidget(new QLabel(Q(p.caption)), row, 0);
        for (int i = 0; i < p.count; ++i)
            grid->addWidget(Field(p.first_line + i), row, 1 + i);
        if (p.side)
            grid->addWidget(p.side, row, 5);
        ++row;
    }
    return frame;
}

QGroupBox* Layout_M::Build_Style_Frame(const QString& title, int first_caption, int first_size_line,
                                       std::initializer_list<QPushButton*> buttons)
{
    auto* frame = new QGroupBox(title, this);
    auto* grid = new QGridLayout(frame);
    for (int half = 0; half < 2; ++half) {
        grid->addWidget(new QLabel(Q("pt")), 0, half * 3 + 1, Qt::AlignHCenter);
        grid->addWidget(new QLabel(Q("幅%")), 0, half * 3 + 2, Qt::AlignHCenter);
    }
    for (int k = 0; k < layouts::kStyleRows; ++k) {
        const int r = 1 + k % 8;
        const int c = (k / 8) * 3;
        const int size_line = first_size_line + 2 * k;
        grid->addWidget(Label1[first_caption + k], r, c);
        grid->addWidget(Field(size_line), r, c + 1);
        grid->addWidget(Field(size_line + 1), r, c + 2);
    }
    auto* button_row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        button_row->addWidget(button);
    grid->addLayout(button_row, 9, 0, 1, 6);
    return frame;
}

QGroupBox* Layout_M::Build_Other_Frame()
{
    auto* frame = new QGroupBox(Q("その他表示 - 文字サイズの設定"), this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(Q("pt")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(Q("幅%")), 0, 2, Qt::AlignHCenter);
    for (int k = 0; k < 5; ++k) {
        const int size_line = layouts::Caption_Size_Line(k);
        grid->addWidget(new QLabel(Q(kOtherCaptions[k])), k + 1, 0);
        grid->addWidget(Field(size_line), k + 1, 1);
        grid->addWidget(Field(size_line + 1), k + 1, 2);
    }
    return frame;
}

void Layout_M::Build_Layout()
{
    QGroupBox* label_frame = Build_Label_Frame();
    QGroupBox* position_frame = Build_Position_Frame();
    QGroupBox* item_frame = Build_Style_Frame(Q("内容表示 - 文字サイズの設定"), kFirstCaption,
                                              layouts::Item_Size_Line(0), {Command5, Command6, Command7});
    QGroupBox* nutrition_frame = Build_Style_Frame(Q("成分表示 - 文字サイズの設定"),
                                                   kFirstCaption + layouts::kStyleRows, layouts::Nutrition_Size_Line(0),
                                                   {Command8, Command9, Command10});
    QGroupBox* other_frame = Build_Other_Frame();

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(Q("レイアウト名")));
    top->addWidget(Combo1, 1);
    for (QPushButton* button : {Command1, Command11, Command4})
        top->addWidget(button);
    auto* preview_row = new QHBoxLayout;
    preview_row->addWidget(new QLabel(Q("確認用商品番号")));
    preview_row->addWidget(Text2);
    preview_row->addWidget(Command13);
    preview_row->addWidget(Command14);
    preview_row->addStretch();
    preview_row->addWidget(Command12);
    preview_row->addWidget(Command3);

    auto* left = new QVBoxLayout;
    left->addWidget(label_frame);
    left->addWidget(position_frame);
    left->addWidget(other_frame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(item_frame);
    right->addWidget(nutrition_frame);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(columns);
    layout->addLayout(preview_row);
}

void Layout_M::Form_Load()
{
    adjustSize();
    Centre_On_Screen(this);
    Rebuild_List(false);
    Reset_Frame_Buttons();
    session_.Load_Settings();
    Select_Configured_Printer(session_);
    Prv_open->clear();
}

void Layout_M::Rebuild_List(bool select_last)
{
    Combo1->clear();
    Combo1->addItems(maintenance::Layout_List(session_.Data_Folder()));
    Combo1->setCurrentIndex(select_last ? Combo1->count() - 1 : 0);
    shown_fields_ = Current_Fields();  // the list changed on purpose: nothing to settle
    Combo1_Click();
}

void Layout_M::Remember_Shown()
{
    shown_fields_ = Current_Fields();
    shown_index_ = Combo1->currentIndex();
}

bool Layout_M::Settle_Unsaved_Edits()
{
    return Current_Fields() == shown_fields_
        || screens::Settle_Unsaved_Edits(answerer_, [this] { return !Save_With_Name().isEmpty(); });
}

void Layout_M::Reset_Frame_Buttons()
{
    for (QPushButton* button : {Command5, Command8}) {
        button->setText(Q("罫線解除"));
        Set_Button_Colour(button, kButtonNormal);
    }
    for (QPushButton* button : {Command6, Command9}) {
        button->setText(Q("全て5.5ptへ"));
        Set_Button_Colour(button, kButtonNormal);
    }
}

void Layout_M::Combo1_Click()
{
    const QString name = Combo1->currentText();
    if (!Settle_Unsaved_Edits()) {
        Combo1->setCurrentIndex(shown_index_);
        return;
    }
    Select_List_Item(Combo1, name);  // saving the edits may have rebuilt the list
    Command4->setEnabled(name != maintenance::kNewLayoutEntry);
    if (name == maintenance::kNewLayoutEntry) {
        Show_Fields(maintenance::New_Layout_Fields());
        Reset_Frame_Buttons();
    } else {
        maintenance::Layout_Fields fields = Current_Fields();
        const QString path = layouts::Layout_Path(session_.Data_Folder(), name);
        maintenance::Apply_Layout_Values(layouts::Read_Layout_Values(path).value_or(QStringList()), fields);
        Show_Fields(fields);
    }
    Remember_Shown();
}

maintenance::Layout_Fields Layout_M::Current_Fields() const
{
    maintenance::Layout_Fields fields;
    fields.direction = Combo2->currentText();
    for (int i = 0; i < maintenance::kLayoutFields; ++i)
        fields.text[static_cast<size_t>(i)] = Text1[i]->text();
    for (int k = 0; k < maintenance::kRuledRows; ++k)
        fields.flags[static_cast<size_t>(k)] = Label1[kFirstCaption + k]->property("flag").toInt();
    fields.side1 = Combo3->currentText();
    fields.side2 = Combo4->currentText();
    fields.paper = Text1[kPaperField]->text();
    return fields;
}

void Layout_M::Show_Fields(const maintenance::Layout_Fields& fields)
{
    Select_List_Item(Combo2, fields.direction);
    for (int i = 0; i < maintenance::kLayoutFields; ++i)
        Text1[i]->setText(fields.text[static_cast<size_t>(i)]);
    for (int k = 0; k < maintenance::kRuledRows; ++k) {
        QLabel* caption = Label1[kFirstCaption + k];
        const int flag = fields.flags[static_cast<size_t>(k)];
        caption->setProperty("flag", flag);
        QPalette palette = caption->palette();
        palette.setColor(QPalette::WindowText, Colour_Of(static_cast<std::uint32_t>(flag)));
        caption->setPalette(palette);
    }
    Select_List_Item(Combo3, fields.side1);
    Select_List_Item(Combo4, fields.side2);
    Text1[kPaperField]->setText(fields.paper);
    Update_Size_Hint();
}

void Layout_M::Update_Size_Hint()
{
    Label1[kHintLabel]->setText(
        maintenance::Picture_Size_Hint(Field(layouts::Label_Length)->text(), Field(layouts::Label_Width)->text()));
}

void Layout_M::Command1_Click()
{
    Save_With_Name();
}

QString Layout_M::Save_With_Name()
{
    const QString current = Combo1->currentText();
    Input_Request request;
    request.caption = Q("名前をつけてレイアウトを登録");
    request.prompt = Q("新しい名前で保存する場合は、新しいレイアウト名を入力して下さい。\n"
                       "上書き保存の場合は、レイアウト名を変更せず保存して下さい。");
    request.field_label = Q("レイアウト名");
    request.ok_caption = Q("保存");
    request.cancel_caption = Q("キャンセル");
    request.initial_text = current == maintenance::kNewLayoutEntry ? QString() : current;
    request.select_all = true;
    const QString answer = Ask_For_Text(this, request);
    if (answer == kAnswerCancel) {
        answerer_.Notify(Q("保存しませんでした"));
        return {};
    }
    const maintenance::Saved_Layout saved = maintenance::Save_Layout(session_.Data_Folder(), answer, Current_Fields(),
                                                                     answerer_, session_.clock);
    answerer_.Tell(saved.outcome);
    if (saved.name.isEmpty())
        return {};
    // The saved layout stays on the screen, selected in the list.
    const QSignalBlocker keep(Combo1);
    Combo1->clear();
    Combo1->addItems(maintenance::Layout_List(session_.Data_Folder()));
    Select_List_Item(Combo1, saved.name);
    Command4->setEnabled(true);
    Remember_Shown();
    return saved.name;
}

void Layout_M::Command2_Click()
{
    const QString chosen = Choose_Picture(session_.Data_Folder());
    if (!chosen.isEmpty())
        Field(layouts::Background_Image)->setText(QFileInfo(chosen).fileName());
    QDir::setCurrent(session_.application_folder);
}

void Layout_M::Command3_Click()
{
    close();
}

void Layout_M::Command4_Click()
{
    const QString name = Combo1->currentText();
    if (!Settle_Unsaved_Edits())
        return;
    const store::Outcome deleted = maintenance::Delete_Layout(session_.Data_Folder(), name, answerer_);
    answerer_.Tell(deleted);
    if (deleted.Is_Done())
        Rebuild_List(true);
}

void Layout_M::Ruled_Button_Click(QPushButton* button)
{
    const int first = button == Command5 ? 0 : layouts::kStyleRows;
    const bool switch_off = button->text() == Q("罫線解除");
    maintenance::Layout_Fields fields = Current_Fields();
    for (int k = first; k < first + layouts::kStyleRows; ++k)
        fields.flags[static_cast<size_t>(k)] = switch_off ? layouts::kPlain : layouts::kRuled;
    Show_Fields(fields);
    button->setText(switch_off ? Q("罫線指定") : Q("罫線解除"));
    Set_Button_Colour(button, switch_off ? kRuledOffButton : kButtonNormal);
    Redraw_Preview(this);
}

void Layout_M::Size_Button_Click(QPushButton* button)
{
    const auto size_line = button == Command6 ? layouts::Item_Size_Line : layouts::Nutrition_Size_Line;
    const bool to_small = button->text() == Q("全て5.5ptへ");
    for (int row = 0; row < layouts::kStyleRows; ++row)
        Field(size_line(row))->setText(to_small ? QStringLiteral("5.5") : QStringLiteral("8"));
    button->setText(to_small ? Q("全て8ptへ") : Q("全て5.5ptへ"));
    Set_Button_Colour(button, to_small ? kSmallSizeButton : kButtonNormal);
}

void Layout_M::Width_Button_Click(QPushButton* button)
{
    const auto size_line = button == Command7 ? layouts::Item_Size_Line : layouts::Nutrition_Size_Line;
    for (int row = 0; row < layouts::kStyleRows; ++row)
        Field(size_line(row) + 1)->setText(QStringLiteral("100"));
}

void Layout_M::Command11_Click()
{
    const QString name = Combo1->currentText();
    if (const store::Outcome allowed = maintenance::Can_Rename_Layout(name); !allowed.Is_Done()) {
        answerer_.Tell(allowed);
        return;
    }
    if (!Settle_Unsaved_Edits())
        return;
    Input_Request request;
    request.caption = Q("レイアウト名の変更");
    request.prompt = Q("新しいレイアウト名を入力して下さい。");
    request.field_label = Q("レイアウト名");
    request.ok_caption = Q("実行");
    request.cancel_caption = Q("キャンセル");
    const QString answer = Ask_For_Text(this, request);
    if (answer == kAnswerCancel)
        return;
    const store::Outcome renamed = maintenance::Rename_Layout(session_.Data_Folder(), name, answer);
    answerer_.Tell(renamed);
    if (renamed.Is_Done())
        Rebuild_List(false);
}

void Layout_M::Command13_Click()
{
    // The list hands the picked number to Text2 and shows this screen again.
    auto* list = new S_List(session_);
    list->Ret_Form->setText(kCaller);
    list->Command2->setEnabled(false);
    list->show();
    hide();
}

void Layout_M::Command15_Click()
{
    // The paper selection hands the number back into Text1(105) and enables this screen again.
    Command15->setEnabled(false);
    setEnabled(false);
    Open_Paper_Selection(session_, kCaller);
}

void Layout_M::Command14_Click()
{
    Load_Product_Layout();
}

bool Layout_M::Load_Product_Layout()
{
    Text2->setText(maintenance::Preview_Product_No(Text2->text()));
    const std::optional<products::Product_Record> product = products::Find_Product(session_.Data_Folder(),
                                                                                   Text2->text());
    if (!product) {
        answerer_.Notify(Q("　指定された商品番号が　"), Q("　　　　見当たりません　"));
        return false;
    }
    const QString layout = (*product)[products::Layout_Name];
    const QString path = layouts::Layout_Path(session_.Data_Folder(), layout);
    if (!QFileInfo::exists(path)) {
        answerer_.Notify(Q("指定されているレイアウト"), Q("が見つかりません　　　　"), store::kWarningColour,
                         Q("終了"));
        return false;
    }
    if (!Settle_Unsaved_Edits())
        return false;
    if (Select_List_Item(Combo1, layout)) {
        shown_fields_ = Current_Fields();  // settled above: no second question
        Combo1_Click();
        return true;
    }
    maintenance::Layout_Fields fields = Current_Fields();
    maintenance::Apply_Layout_Values(layouts::Read_Layout_Values(path).value_or(QStringList()), fields);
    Show_Fields(fields);
    Remember_Shown();
    return true;
}

void Layout_M::Command12_Click()
{
    if (store::Lenient_Number(Field(layouts::Label_Length)->text()) < 6
        || store::Lenient_Number(Field(layouts::Label_Width)->text()) < 10) {
        answerer_.Notify(Q("レイアウトサイズが異常です"), {}, store::kWarningColour, Q("終了"));
        return;
    }
    const layouts::Layout_Record layout = maintenance::Compose_Layout(Current_Fields(), QString());
    const std::optional<products::Product_Record> found = products::Find_Product(session_.Data_Folder(), Text2->text());
    const products::Product_Record product = found.value_or(products::Product_Record{});
    if (!Configured_Printer_Found(session_, answerer_))
        return;
    // Without a product of that number the layout is checked with a sample that
    // fills every item, on a package small enough for 5.5-point characters.
    const products::Product_Record checked = found.value_or(render::Sample_Product());
    const QDateTime now = session_.clock();
    render::Check_Context context = Label_Check_Context(session_);
    if (!found)
        context.small_package = true;
    const Label_Findings findings{found ? Q("レイアウトの確認") : Q("レイアウトの確認(見本の商品で)"),
                                  render::Check_Layout(checked, layout, render::Preview_Issue(checked, now), context)};
    Show_Label_Preview(session_, this, kCaller, product, layout, render::Preview_Issue(product, now), findings);
}

void Layout_M::Redraw_Preview(QWidget* focus)
{
    if (!Is_Open(Prv_open))
        return;
    Command12_Click();
    activateWindow();
    focus->setFocus();
}

void Layout_M::Text1_KeyPress_Enter(int index)
{
    Redraw_Preview(Text1[index]);
}

void Layout_M::Text2_KeyPress_Enter()
{
    if (Load_Product_Layout())
        Command12_Click();
}

void Layout_M::Label1_DblClick(int index)
{
    maintenance::Layout_Fields fields = Current_Fields();
    int& flag = fields.flags[static_cast<size_t>(index - kFirstCaption)];
    flag = flag == layouts::kRuled ? layouts::kPlain : layouts::kRuled;
    Show_Fields(fields);
    Redraw_Preview(this);
}

void Layout_M::Text1_LostFocus(int index)
{
    if (index == kPaperField)
        Text1[index]->setText(layouts::Format_Paper_Number(Text1[index]->text()));
}

void Layout_M::Import_Dropped_File(const QString& path)
{
    if (!Settle_Unsaved_Edits())
        return;
    const store::Outcome imported = maintenance::Import_Layout(session_.Data_Folder(), path, answerer_);
    answerer_.Tell(imported);
    if (imported.Is_Done())
        Rebuild_List(true);
}

bool Layout_M::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Combo1 && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
    }
    if (watched == Combo1 && event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        for (const QUrl& url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                Import_Dropped_File(url.toLocalFile());
        }
        drop->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int k = 0; k < maintenance::kRuledRows; ++k) {
            if (watched == Label1[kFirstCaption + k]) {
                Label1_DblClick(kFirstCaption + k);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Layout_M::closeEvent(QCloseEvent* event)
{
    if (!Settle_Unsaved_Edits()) {
        event->ignore();
        return;
    }
    Close_Preview_Of(Prv_open);
    // A dialog still waiting on this screen ends its wait with an answer other than "ok".
    Ret_Code->setText(kAnswerErr);
    event->accept();
}

}  // namespace screens
