#include "screens/maintenance/settei.h"

#include "layouts/layout_names.h"
#include "maintenance/data_files.h"
#include "maintenance/new_product_layout.h"
#include "maintenance/print_check_setting.h"
#include "maintenance/settings_rules.h"
#include "screens/common/conventions.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/input_window.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/common/yousi_set.h"
#include "screens/layouts/layout_m.h"
#include "screens/maintenance/backup_screen.h"
#include "screens/maintenance/convert_screen.h"
#include "store/text_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kCaller = Settei::kScreenName;

QLabel* Caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

}  // namespace

Settei::Settei(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(kCaller);
    setWindowTitle(QStringLiteral("印刷設定"));
    End_Application = [] { QApplication::exit(0); };
    Build_Controls();

    connect(Combo1, &QComboBox::activated, this, &Settei::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Settei::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Settei::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Settei::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Settei::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Settei::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, &Settei::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Settei::Command8_Click);
    for (QWidget* field : std::initializer_list<QWidget*>{Combo1, Text2, Text3, Combo2, Combo3, Combo4})
        field->installEventFilter(this);
}

void Settei::Build_Controls()
{
    auto* heading = Caption(QStringLiteral("各 種 設 定"), this);
    QFont big = heading->font();
    big.setPointSize(16);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    Combo1 = Named(new QComboBox(this), "Combo1");
    Combo1->setMinimumWidth(320);
    Label14 = Named(new QLabel(QStringLiteral("0000"), this), "Label14");
    Label14->setFrameShape(QFrame::Panel);
    Label14->setFrameShadow(QFrame::Sunken);
    Command4 = Named(new QPushButton(QStringLiteral("登録用紙の一覧を表示"), this), "Command4");
    Text2 = Named(new QLineEdit(this), "Text2");
    Text3 = Named(new QLineEdit(this), "Text3");
    Combo2 = Named(new QComboBox(this), "Combo2");
    Combo2->addItems({QStringLiteral("しない"), QStringLiteral("する")});
    Combo3 = Named(new QComboBox(this), "Combo3");
    Command8 = Named(new QPushButton(QStringLiteral("フォルダを開く"), this), "Command8");
    Combo4 = Named(new QComboBox(this), "Combo4");
    Combo4->addItems({QStringLiteral("ソフトウェアにて生成"), QStringLiteral("バーコードフォント使用")});
    Combo5 = Named(new QComboBox(this), "Combo5");
    Combo5->addItems({QStringLiteral("中央寄せ"), QStringLiteral("端寄せ")});
    Text1 = Named(new QLineEdit(this), "Text1");
    for (QLineEdit* number : {Text1, Text2, Text3})
        screens::Use_As_Number_Box(number);
    Check1 = Named(new QCheckBox(QStringLiteral("印刷の前にラベルを確認し、誤りがあれば印刷してよいか尋ねる"), this),
                   "Check1");
    Combo6 = Named(new QComboBox(this), "Combo6");
    Command1 = Named(new QPushButton(QStringLiteral("設定を保存する"), this), "Command1");
    Command2 = Named(new QPushButton(QStringLiteral("前画面に戻る"), this), "Command2");
    Command3 = Named(new QPushButton(QStringLiteral("レイアウト管理"), this), "Command3");
    Command5 = Named(new QPushButton(QStringLiteral("バックアップ"), this), "Command5");
    Command7 = Named(new QPushButton(QStringLiteral("V1.08ｺﾝﾊﾞｰﾄ"), this), "Command7");
    Ret_Code = Add_Ret_Code(this);
    for (QLineEdit* box : {Text1, Text2, Text3})
        box->setMaximumWidth(90);
    for (QComboBox* combo : {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6})
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* settings = new QGroupBox(this);
    auto* grid = new QGridLayout(settings);
    int row = 0;
    grid->addWidget(Caption(QStringLiteral("使用プリンタ"), settings), row, 0);
    grid->addWidget(Combo1, row++, 1, 1, 4);
    grid->addWidget(Caption(QStringLiteral("使用用紙番号"), settings), row, 0);
    grid->addWidget(Label14, row, 1);
    grid->addWidget(Command4, row++, 2, 1, 3);
    grid->addWidget(Caption(QStringLiteral("印字補正"), settings), row, 0);
    auto* corrections = new QHBoxLayout;
    corrections->addWidget(Caption(QStringLiteral("縦"), settings));
    corrections->addWidget(Text2);
    corrections->addWidget(Caption(QStringLiteral("mm"), settings));
    corrections->addSpacing(16);
    corrections->addWidget(Caption(QStringLiteral("横"), settings));
    corrections->addWidget(Text3);
    corrections->addWidget(Caption(QStringLiteral("mm"), settings));
    corrections->addStretch();
    grid->addLayout(corrections, row++, 1, 1, 4);
    grid->addWidget(Caption(QStringLiteral("部単位ごとの印刷"), settings), row, 0);
    grid->addWidget(Combo2, row++, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("情報データ保存先"), settings), row, 0);
    grid->addWidget(Combo3, row, 1, 1, 2);
    grid->addWidget(Command8, row++, 3, 1, 2);
    grid->addWidget(Caption(QStringLiteral("ラベル縦書き時の　バーコード生成方法"), settings), row, 0);
    grid->addWidget(Combo4, row++, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("用紙セット位置"), settings), row, 0);
    grid->addWidget(Combo5, row++, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("最大印字幅"), settings), row, 0);
    auto* width = new QHBoxLayout;
    width->addWidget(Text1);
    width->addWidget(Caption(QStringLiteral("mm"), settings));
    width->addStretch();
    grid->addLayout(width, row++, 1, 1, 4);
    grid->addWidget(Caption(QStringLiteral("ラベルの確認"), settings), row, 0);
    grid->addWidget(Check1, row++, 1, 1, 4);
    grid->addWidget(Caption(QStringLiteral("新規商品のレイアウト"), settings), row, 0);
    grid->addWidget(Combo6, row++, 1, 1, 4);

    auto* save_row = new QHBoxLayout;
    save_row->addStretch();
    save_row->addWidget(Command1);
    save_row->addWidget(Command2);

    auto* system = new QGroupBox(QStringLiteral("　　システム管理"), this);
    auto* system_row = new QHBoxLayout(system);
    for (QPushButton* button : {Command3, Command5, Command7})
        system_row->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(settings);
    layout->addLayout(save_row);
    layout->addWidget(system);
    for (QPushButton* button : {Command1, Command2, Command3, Command5, Command7})
        button->setMinimumHeight(36);
}

void Settei::Form_Load()
{
    Screen_Settings = store::Load_Settings(session_.application_folder);

    Combo1->clear();
    if (session_.printers)
        Combo1->addItems(session_.printers->Installed_Printers());
    Combo1->setCurrentIndex(-1);
    Command4->setEnabled(false);  // the paper list needs a chosen printer
    const QString printer = Screen_Settings.Printer_Name();
    if (Select_List_Item(Combo1, printer)) {
        Combo1_Click();
    } else if (!printer.isEmpty()) {
        answerer_.Show_Message_Box(
            QStringLiteral("過去に指定されていたプリンター「") + printer
            + QStringLiteral("」がＰＣ上で見つかりませんでした。\n新しく使用するプリンターを選択して下さい。"));
    }

    Select_List_Item(Combo5, Screen_Settings.Paper_Set_Position());
    Text1->setText(Screen_Settings.Max_Print_Width_mm());
    Label14->setText(store::Pad_Zero(Screen_Settings.Paper_Number(), 4));
    Text2->setText(Screen_Settings.Offset_Vertical_mm());
    Text3->setText(Screen_Settings.Offset_Horizontal_mm());
    Select_List_Item(Combo2, Screen_Settings.Print_Per_Copy());
    Select_List_Item(Combo4, Screen_Settings.Vertical_Barcode_Method());
    Combo3->clear();
    Combo3->addItems(maintenance::Data_Location_Names());
    Combo3->setCurrentIndex(-1);
    Select_List_Item(Combo3, Screen_Settings.Data_Location());
    Check1->setChecked(maintenance::Confirms_Before_Printing(session_.application_folder));
    Show_New_Product_Layout();
    adjustSize();
    Centre_On_Screen(this);
}

void Settei::Show_New_Product_Layout()
{
    const maintenance::New_Product_Layout_Setting setting =
        maintenance::Read_New_Product_Layout(session_.application_folder);
    Combo6->clear();
    Combo6->addItem(maintenance::kLastUsedLayoutChoice);
    Combo6->addItems(layouts::Sorted_Layout_Names(session_.Data_Folder()));
    if (!Select_List_Item(Combo6, setting.choice)) {
        Combo6->addItem(setting.choice);  // a chosen layout since removed stays chosen until changed
        Combo6->setCurrentIndex(Combo6->count() - 1);
    }
}

store::Outcome Settei::Save_New_Product_Layout_Choice()
{
    const QString& folder = session_.application_folder;
    maintenance::New_Product_Layout_Setting setting = maintenance::Read_New_Product_Layout(folder);
    if (Combo6->currentText() == setting.choice)
        return store::Outcome::Done();
    setting.choice = Combo6->currentText();
    return maintenance::Save_New_Product_Layout(folder, setting);
}

void Settei::Combo1_Click()
{
    Command4->setEnabled(!Combo1->currentText().isEmpty());
    const maintenance::Printer_Presets presets = maintenance::Printer_Change_Rule(Combo1->currentText());
    Select_List_Item(Combo5, presets.paper_set_position);
    if (presets.max_print_width)
        Text1->setText(*presets.max_print_width);
}

void Settei::Command1_Click()
{
    for (QLineEdit* box : {Text2, Text3}) {
        QString text = box->text();
        store::Strip_Control_And_Commas(text);
        box->setText(text);
    }
    if (Combo1->currentText().isEmpty()) {
        answerer_.Notify(QStringLiteral("プリンターが未選択です"), QStringLiteral("プリンターを選択して下さい"));
        return;
    }
    const bool location_changed = Combo3->currentText() != Screen_Settings.Data_Location();
    if (location_changed) {
        // Copy first: the new location is saved only when all data arrived there.
        const store::Write_Result copied = maintenance::Change_Data_Location(
            Screen_Settings.Data_Location(), Combo3->currentText(), session_.Folder_Context());
        if (!copied.ok()) {
            answerer_.Report_Problem(QStringLiteral("データをコピー出来ません"),
                                     QStringLiteral("保存先は変更していません"), copied.error);
            return;
        }
    }
    using store::Setting;
    store::Settings_Record chosen;
    chosen[Setting::Printer_Name] = Combo1->currentText();
    chosen[Setting::Paper_Number] = Label14->text();
    chosen[Setting::Offset_Vertical_mm] = Text2->text();
    chosen[Setting::Offset_Horizontal_mm] = Text3->text();
    chosen[Setting::Print_Per_Copy] = Combo2->currentText();
    chosen[Setting::Data_Location] = Combo3->currentText();
    chosen[Setting::Vertical_Barcode_Method] = Combo4->currentText();
    chosen[Setting::Paper_Set_Position] = Combo5->currentText();
    chosen[Setting::Max_Print_Width_mm] = Text1->text();
    const store::Settings_Values values = store::Saved_Values(chosen);
    if (const store::Write_Result saved = store::Save_Settings(session_.application_folder, values); !saved.ok()) {
        answerer_.Report_Problem(QStringLiteral("設定を保存出来ませんでした"), {}, saved.error);
        return;
    }
    if (Check1->isChecked() != maintenance::Confirms_Before_Printing(session_.application_folder))
        if (const store::Outcome saved = maintenance::Save_Confirms_Before_Printing(session_.application_folder,
                                                                                    Check1->isChecked());
            !saved.Is_Done()) {
            answerer_.Report_Problem(QStringLiteral("設定を保存出来ませんでした"), {}, saved.Text());
            return;
        }
    if (const store::Outcome saved = Save_New_Product_Layout_Choice(); !saved.Is_Done()) {
        answerer_.Report_Problem(QStringLiteral("設定を保存出来ませんでした"), {}, saved.Text());
        return;
    }
    if (location_changed) {
        answerer_.Notify(QStringLiteral("設定内容を反映する為、"), QStringLiteral("ぱるべりなを再起動して下さい"));
        End_Application();
        return;
    }
    answerer_.Notify(QStringLiteral("設定を保存しました"), QStringLiteral("メインメニューに戻ります"));
    close();
}

void Settei::Command2_Click()
{
    close();
}

void Settei::Command3_Click()
{
    auto* screen = new Layout_M(session_);
    Open_In_Place_Of(this, screen);
    screen->Form_Load();
}

void Settei::Command4_Click()
{
    // The paper selection hands the number back into Label14 and enables this screen again.
    Command4->setText(QStringLiteral("少々お待ち下さい"));
    Command4->setEnabled(false);
    setEnabled(false);
    Open_Paper_Selection(session_, kCaller);
}

void Settei::Command5_Click()
{
    auto* screen = new Backup(session_);
    Open_In_Place_Of(this, screen);
    screen->Form_Load();
}

void Settei::Command7_Click()
{
    auto* screen = new Convert(session_);
    Open_In_Place_Of(this, screen);
    screen->Form_Load();
}

void Settei::Command8_Click()
{
    const QString folder = store::Working_Data_Folder(Combo3->currentText(), session_.Folder_Context());
    if (!QFileInfo(folder).isDir() || !session_.desktop || !session_.desktop->Open_Url(QUrl::fromLocalFile(folder)))
        answerer_.Report_Problem(QStringLiteral("フォルダを開けませんでした"), {}, folder);
}

bool Settei::eventFilter(QObject* watched, QEvent* event)
{
    {
        if (Is_Enter_Press(event)) {
            static const char* const kChain[] = {"Combo1", "Text2", "Text3", "Combo2", "Combo3", "Combo4", "Command1"};
            for (int i = 0; i + 1 < 7; ++i) {
                if (watched->objectName() == QString::fromLatin1(kChain[i])) {
                    findChild<QWidget*>(QString::fromLatin1(kChain[i + 1]))->setFocus();
                    return true;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace screens
