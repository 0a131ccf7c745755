#pragma once
// S_List: every product as one line, the search, picking a product for the
// screen that opened the list, and deleting the selected product.
#include "screens/common/data_file_watcher.h"
#include "screens/common/dialogs.h"

#include <QWidget>

class QComboBox;
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace screens {

struct Session;

class S_List : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("S_List");
    explicit S_List(Session& session, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QLineEdit* Text18 = nullptr;
    QPushButton* Command5 = nullptr;  // 検索
    QPushButton* Command2 = nullptr;  // 選択項目を削除する
    QPushButton* Command1 = nullptr;  // 前の画面に戻る
    QComboBox* Combo1 = nullptr;      // layout for the selected products
    QPushButton* Command3 = nullptr;  // 選択した商品のレイアウトを変更
    QLabel* Ret_Form = nullptr;
    QLabel* Ret_Code = nullptr;

    void Fill_Full_List();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void List1_Pick();
    // Reads the product file again (another copy saved it), showing the same
    // search and keeping the selected product selected.
    void Reload_List();
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Session& session_;

    QStringList Selected_Numbers() const;
    Screen_Answerer answerer_{kScreenName};
    bool centred_ = false;
    std::optional<QString> shown_search_;  // the words of the search the list shows; none: the full list
    Data_File_Watcher product_file_watcher_;
};

}  // namespace screens
