#pragma once
// Genzairyou: the word table of additives and allergens, filtered by the first
// kana of the reading or searched by word and reading; a chosen word goes into
// 原材料名 of the registration screen.
#include "screens/common/dialogs.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace screens {

struct Session;

class Genzairyou : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("Genzairyou");
    static constexpr int kButtons = 16;
    explicit Genzairyou(Session& session, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    // 0 全, 1..10 あ..わ, 11 英数, 12 原材料名へ転記, 13 ウインドウを閉じる, 14 登録, 15 削除
    QPushButton* Command1[kButtons] = {};
    enum Box : int { kReadingBox, kWordBox };  // Text1 boxes: reading key, word
    QLineEdit* Text1[2] = {};
    QLineEdit* Text2 = nullptr;  // search by word or reading, as typed (the input method's composition included)
    QLabel* Ret_Code = nullptr;

    void Command1_Click(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session& session_;

    void Reload_Entries();
    void Show_Filter(int filter);
    void Show_Search(const QString& text);
    void Transfer_Selected();
    void Register_Word_Click();
    void Delete_Selected();
    void After_Change();

    Screen_Answerer answerer_{kScreenName};
    QStringList entries_;
};

}  // namespace screens
