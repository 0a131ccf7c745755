#pragma once
// S_Zairyou: the materials (材料) a shop uses. It finds foods of the
// composition table by name as typed and the shop's own materials, and edits
// what a material is printed as: its name in 原材料名, its allergens, whether
// it is an additive, its own ingredient list, its origin and (for its own
// materials) the values per 100 g from the supplier's sheet.
#include "recipes/materials.h"
#include "recipes/proposals.h"
#include "screens/common/dialogs.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace screens {

struct Session;

class S_Zairyou : public QWidget {
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("S_Zairyou");
    static constexpr int kValueBoxes = recipes::kNutrients;

    explicit S_Zairyou(Session& session, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;          // search: the name as typed
    QListWidget* List1 = nullptr;        // registered materials, then foods of the table
    QLineEdit* Text2 = nullptr;          // 材料名
    QLineEdit* Text3 = nullptr;          // 表示名 (原材料名 / 添加物名)
    QLineEdit* Text4 = nullptr;          // アレルゲン, separated by "・"
    QCheckBox* Check1 = nullptr;         // 添加物
    QLineEdit* Text5 = nullptr;          // own ingredient list
    QLineEdit* Text6 = nullptr;          // 原料原産地
    QLineEdit* Text7[kValueBoxes] = {};  // values per 100 g: 熱量 .. 食塩相当量
    QLabel* Label1 = nullptr;            // what the chosen material is (table food or own)
    QPushButton* Command1 = nullptr;     // 新しい独自材料
    QPushButton* Command2 = nullptr;     // 保存
    QPushButton* Command3 = nullptr;     // 削除
    QPushButton* Command4 = nullptr;     // 閉じる
    QLabel* Ret_Code = nullptr;

    void Form_Load();
    void Text1_Change();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // Called after a material was stored or deleted (the recipe window reads them again).
    std::function<void()> on_materials_changed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session& session_;

    void Show_Material(const recipes::Material& material);
    std::optional<recipes::Material> Material_From_Screen();
    QWidget* Next_In_Chain(QWidget* from) const;

    Screen_Answerer answerer_{kScreenName};
    std::vector<recipes::Material> registered_;
    std::vector<recipes::Material> found_;
    recipes::Material shown_;
    recipes::Allergen_Dictionary dictionary_;
};

}  // namespace screens
