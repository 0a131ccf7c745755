#pragma once
// Mojiretsu_Write: the editor of the five pre-registered strings of one item category.
#include "products/strings_file.h"
#include "screens/common/dialogs.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace screens {

struct Session;

class Item_Box;

class Mojiretsu_Write : public QWidget {
    Q_OBJECT
public:
    explicit Mojiretsu_Write(Session& session, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // heading line
    QLabel* Label2[products::kStringsPerCategory] = {};
    QPushButton* Command3[products::kStringsPerCategory] = {};  // 編集
    QPushButton* Command2[products::kStringsPerCategory] = {};  // ここへ登録
    Item_Box* Text1 = nullptr;
    QPushButton* Command1 = nullptr;  // 前のウインドウに戻る
    QLabel* Label8 = nullptr;         // category key

    // Shows the editor for the category `title` with the enlarged input's text.
    void Open(const QString& title, const QString& text);

    void Form_Activate();
    void Command1_Click();
    void Command2_Click(int index);
    void Command3_Click(int index);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;

    Screen_Answerer answerer_{QStringLiteral("Mojiretsu_Write")};
    void Show_String(int index, const QString& text);
};

}  // namespace screens
