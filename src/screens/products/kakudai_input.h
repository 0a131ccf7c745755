#pragma once
// Kakudai_Input: the enlarged input of one item of the registration screen,
// with the special expressions and the insert buttons of pre-registered strings.
#include "products/special_expression.h"
#include "products/strings_file.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace screens {

struct Session;

class Item_Box;

class Kakudai_Input : public QWidget {
    Q_OBJECT
public:
    explicit Kakudai_Input(Session& session, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // title line
    Item_Box* Text1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option5 = nullptr;  // 特殊表現は行なわない
    QRadioButton* Option3 = nullptr;  // 全ての文字を強調表示する
    QRadioButton* Option2 = nullptr;  // 日付を指定書式で表示する
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;  // help text
    QPushButton* Command4[products::kStringsPerCategory] = {};
    QPushButton* Command3 = nullptr;  // よく使う文字列を事前登録する
    QPushButton* Command1 = nullptr;  // 登 録
    QPushButton* Command2 = nullptr;  // キャンセル

    // Shows the window for the item with this title and text.
    void Open(const QString& title, const QString& text);

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click(int index);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;

    void Select_Option(products::Special_Expression option);
    void Option_Clicked(products::Special_Expression option);
    bool Text1_KeyPress(QKeyEvent* event);

    products::Category_Strings entries_;
    products::Special_Expression selected_ = products::Special_Expression::None;
};

}  // namespace screens
