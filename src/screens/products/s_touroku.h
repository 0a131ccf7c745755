#pragma once
// S_Touroku: the product registration screen. It holds one product in its
// controls; nothing is stored until "入力情報を登録".
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "screens/common/data_file_watcher.h"
#include "screens/common/dialogs.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace screens {

struct Session;

class Item_Box;

class S_Touroku : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("S_Touroku");
    static constexpr int kTextBoxes = 37;
    static constexpr int kCombos = 7;

    // Text1 boxes by what they hold.
    enum Box : int {
        kNumberBox,
        kProductNameBox,
        kCategoryBox,
        kIngredientsBox,
        kExtra1Box,
        kExtra2Box,
        kContentsBox,
        kAddDaysBox,
        kStorageBox,
        kExtra3Box,
        kExtra4Box,
        kResponsibleBox,
        kExtra5Box,
        kRemarks1Box,
        kRemarks2Box,
        kPriceBox,
        kBarcodeBox,
        kNutritionTitleBox,
        kFirstNutritionBox,           // エネルギー .. 食塩相当量: 18..22
        kFirstNutrientExtraBox = 23,  // 成分追加1 .. 10: 23..32
        kLastNutrientExtraBox = 32,
        kRecycle1TextBox = 33,  // captions 1 and 2 of mark 1: 33, 34
        kRecycle2TextBox = 35,  // captions 1 and 2 of mark 2: 35, 36
    };
    // Combo1 lists by what they choose.
    enum Combo : int {
        kLayoutCombo,
        kUnitCombo,
        kDateKindCombo,
        kDateFormatCombo,
        kDateElsewhereCombo,
        kRecycle1Combo,
        kRecycle2Combo,
    };

    explicit S_Touroku(Session& session, QWidget* parent = nullptr);

    Item_Box* Text1[kTextBoxes] = {};
    QComboBox* Combo1[kCombos] = {};
    QPushButton* Command1 = nullptr;  // 入力情報を登録
    QPushButton* Command2 = nullptr;  // メニューへ戻る
    QPushButton* Command3 = nullptr;  // 印刷結果の表示
    QPushButton* Command4 = nullptr;  // 一覧
    QPushButton* Command5 = nullptr;  // 削除
    QPushButton* Command6 = nullptr;  // 全項目ｸﾘｱ
    // The package's printable surface is 150 cm² or less (kept in the product
    // extras file): the label check then allows 5.5-point characters.
    QCheckBox* Check1 = nullptr;
    QPushButton* Command7 = nullptr;  // 配合から計算 (beside the nutrition items)
    QLabel* Prv_open = nullptr;
    QLabel* Gen_open = nullptr;
    QLabel* Ret_Code = nullptr;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();

    // Loads the product with the number into the screen, as Enter in the number box does.
    void Load_Product(const QString& number);
    // The product as the controls hold it.
    products::Product_Record Record_From_Screen() const;
    const layouts::Layout_Record& Layout_Lines() const { return layout_lines_; }
    bool Has_Unsaved_Edits() const;  // the screen differs from the product as last loaded, stored or reset
    // Before unsaved edits would be dropped: saves them or lets them go, as the
    // user says; false when the user goes back to them.
    bool Settle_Unsaved_Edits();
    // Reads the product file again after another copy saved it: a proposed new
    // number that is taken now is proposed anew, and a product shown as read
    // and not edited since is shown as saved now. Edits are never replaced.
    void Reload_From_File();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Session& session_;

    void Build_Controls();
    void Build_Layout();
    QGridLayout* Build_Left_Column();
    QGridLayout* Build_Right_Column();
    void Wire_Items();
    void Reset_Screen();
    // The screen as it now stands becomes the product shown; `stored` when the
    // product file holds it so (loaded or stored), not a new or let-go product.
    void Remember_Shown(bool stored);
    // "入力情報を登録": true when the product was stored.
    bool Store_Screen();
    void Fill_Layout_List();
    void Apply_Layout_Selection();
    void Show_Record(const products::Product_Record& record);
    void Show_New_Values(const products::Product_Record& values);
    QWidget* Next_In_Chain(QWidget* from) const;
    void Move_Focus_From(QWidget* from);
    bool Enter_Pressed(QWidget* from);
    bool Confirm_Separator_Delete(Item_Box* box, QKeyEvent* event);
    void Check_Barcode_Digit();
    void Item_Double_Click(int box);
    void Open_Word_Table();
    void Open_Instore_Code();
    void Open_Enlarged_Input(int box);
    void Redraw_Preview_After_Enter(QWidget* item);
    bool Preview_Is_Open() const;

    Screen_Answerer answerer_{kScreenName};
    layouts::Layout_Record layout_lines_;
    // The product as last loaded, stored or reset: what unsaved edits are
    // measured against, and, when stored, what another copy's save may replace.
    products::Product_Record shown_;
    bool shown_is_stored_ = false;
    QString checked_barcode_;  // barcode text already checked, not checked again on leaving
    QList<QPointer<QWidget>> sub_windows_;
    QString proposed_number_;  // the free number the number box was given
    Data_File_Watcher product_file_watcher_;
};

// Column of the product file held by Text1(box) and by Combo1(combo).
int Column_Of_Text_Box(int box);
int Column_Of_Combo(int combo);

}  // namespace screens
