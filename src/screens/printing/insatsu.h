#pragma once
// Insatsu ("印 刷 処 理"): pick products, set the values of each issue,
// preview, and print at once (immediate mode) or collect a reservation list
// and print it in one run (reservation mode).
#include "printing/print_job.h"
#include "screens/common/dialogs.h"

#include <QPointer>
#include <QSet>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QLayout;
class QListWidget;
class QPushButton;

namespace printing {
struct History_Entry;
}

namespace screens {

struct Session;

class Hakkou_Rireki;

class Insatsu : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("Insatsu");
    explicit Insatsu(Session& session, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;   // 登録番号
    QLineEdit* Text2 = nullptr;   // 品名
    QLineEdit* Text3 = nullptr;   // 名称
    QLineEdit* Text4 = nullptr;   // 印刷枚数
    QLineEdit* Text5 = nullptr;   // 内容量
    QLineEdit* Text6 = nullptr;   // unit of the contents
    QLineEdit* Text7 = nullptr;   // 基準日時: year
    QLineEdit* Text8 = nullptr;   // month
    QLineEdit* Text9 = nullptr;   // day
    QLineEdit* Text10 = nullptr;  // hour
    QLineEdit* Text11 = nullptr;  // minute
    QLineEdit* Text12 = nullptr;  // 期限表示
    QLineEdit* Text13 = nullptr;  // 加算日
    QLineEdit* Text14 = nullptr;  // 責任者
    QLineEdit* Text15 = nullptr;  // 価格
    QLineEdit* Text16 = nullptr;  // 追加欄５
    QLineEdit* Text17 = nullptr;  // レイアウト
    QLineEdit* Text18 = nullptr;  // search words
    QLineEdit* Text19 = nullptr;  // バーコード
    QComboBox* Combo5 = nullptr;
    QListWidget* List1 = nullptr;     // reservation list
    QListWidget* List2 = nullptr;     // product list
    QLabel* Label9 = nullptr;         // title of the reservation list
    QPushButton* Command1 = nullptr;  // 印刷 / 登録
    QPushButton* Command2 = nullptr;  // 印刷結果の表示
    QPushButton* Command3 = nullptr;  // 終了する
    QPushButton* Command4 = nullptr;  // 発行開始
    QPushButton* Command5 = nullptr;  // 検索
    QPushButton* Command6 = nullptr;  // 即時発行モード / 予約発行モード
    QLabel* Prv_open = nullptr;
    QLabel* Ret_Code = nullptr;
    QPushButton* Command7 = nullptr;  // 発行履歴
    QLabel* Label10 = nullptr;        // the PDF file the built-in PDF printer wrote in the last run
    QPushButton* Command8 = nullptr;  // PDFを開く
    QPushButton* Command9 = nullptr;  // フォルダを開く
    QLabel* Label11 = nullptr;        // title of the label check list
    QListWidget* List3 = nullptr;     // what the label check found in the labels last printed

    bool Reservation_Mode() const { return reservation_; }

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Combo5_Click();
    void List2_DblClick();
    // Takes a reservation line back into the issue boxes, to be changed and registered again.
    void List1_DblClick();
    void Command7_Click();
    void Command8_Click();
    // Names the PDF files the last print wrote, with "PDFを開く" and "フォルダを開く" beside them.
    void Show_Written_Pdf(const QStringList& files);
    void Command9_Click();

    // Issues a job of the print history again: its product, copies and base
    // date go into the reservation list (reservation mode).
    void Reserve_Reprint(const printing::History_Entry& entry);

    // The issue of the boxes, as they stand. A base that is no date is kept as
    // typed: the label then takes the current moment and says so when it is
    // composed (preview, print), and the boxes stay as they are.
    printing::Print_Issue Current_Issue() const;
    // The issues of the reservation list, in its order.
    const printing::Print_Issues& Reservations() const { return reserved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;

    QLineEdit* Add_Box(QLineEdit*& box, int n, bool shown_only = false);
    QLineEdit* Box(int n) const { return boxes_[n]; }
    void Build_Layout();
    void Set_Mode(bool reservation);
    // Pads Text1 and loads the product into the boxes; tells when it is not registered.
    void Load_Product(bool tell_missing);
    // The 期限表示 box for the boxes; a base that is no date is first told and
    // the base boxes set to the current moment.
    void Refresh_Date_Display();
    void Fill_Product_List(const QStringList& lines);
    void Text_Enter(int n);
    void Text19_DblClick();
    render::Base_Texts Base_Boxes() const;
    // Tells a base that is no date and sets the base boxes to the current moment.
    void Correct_Base_Boxes();
    // Prints the reservation list and keeps what the run leaves of it.
    void Run(bool reservation);
    void Show_Reservations();
    // Lists what the label check finds in the label of every job about to be
    // printed; false when a label has an error and the user goes back.
    bool Confirm_Label_Check(const printing::Print_Jobs& jobs);
    QLayout* Build_Pdf_Row();
    void Elide_Pdf_Label();
    // Opens the file or folder in the desktop's program, or says which program is missing.
    void Open_In_Desktop(const QString& path);
    void Set_Base_Boxes(const render::Base_Texts& base);
    QString written_pdf_;
    printing::Print_Issues reserved_;  // the issues of the reservation list

    QLineEdit* boxes_[20] = {};  // Text1 .. Text19 by number
    Screen_Answerer answerer_{kScreenName};
    bool reservation_ = false;
    // Printers this screen has said print on their default page.
    QSet<QString> told_default_page_;
    QPointer<Hakkou_Rireki> history_;
};

}  // namespace screens
