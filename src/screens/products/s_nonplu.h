#pragma once
// S_Nonplu: composes the 13-digit in-store code with an embedded price and
// hands it to the barcode box of the screen that opened the window.
#include "screens/common/dialogs.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace screens {

class S_Nonplu : public QWidget {
    Q_OBJECT
public:
    explicit S_Nonplu(QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;  // header code
    QLineEdit* Text2 = nullptr;  // item code
    QLineEdit* Text3 = nullptr;  // price
    QLineEdit* Text4 = nullptr;  // computed code
    QLabel* Label2 = nullptr;    // counters
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Command1 = nullptr;  // 登録
    QPushButton* Command2 = nullptr;  // 上記内容でバーコードを下欄に算出する
    QPushButton* Command3 = nullptr;  // 閉じる
    QLabel* Label9 = nullptr;         // the opener

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Screen_Answerer answerer_{QStringLiteral("S_Nonplu")};
    void Input_Changed(QLineEdit* box, QLabel* counter, int width);
};

}  // namespace screens
