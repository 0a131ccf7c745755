#pragma once
// S_List: every product as one line, the search, picking a product for the
// screen that opened the list, and deleting the selected product.
#include "screens/common/dialogs.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace products {

class S_List : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("S_List");
    explicit S_List(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QLineEdit* Text18 = nullptr;
    QPushButton* Command5 = nullptr;  // 検索
    QPushButton* Command2 = nullptr;  // 選択項目を削除する
    QPushButton* Command1 = nullptr;  // 前の画面に戻る
    QLabel* Ret_Form = nullptr;
    QLabel* Ret_Code = nullptr;

    void Fill_Full_List();
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void List1_Pick();
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    app::Screen_Confirmation confirmation_{kScreenName};
    bool centred_ = false;
};

}  // namespace products
