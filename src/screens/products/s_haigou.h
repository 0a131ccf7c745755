#pragma once
// S_Haigou: the recipe (配合) of the product on the registration screen. The
// shop adds materials with their weights, the finished weight and how the
// product is sold; the window shows what the recipe makes of the label's
// items beside what the product has, stores the recipe, and writes the
// computed items into the registration screen only when the shop accepts them.
#include "recipes/product_recipe.h"
#include "screens/common/dialogs.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace screens {

struct Session;

class S_Touroku;
class S_Zairyou;

class S_Haigou : public QWidget {
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("S_Haigou");

    explicit S_Haigou(Session& session, S_Touroku* opener, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;         // the product
    QLineEdit* Text1 = nullptr;       // search: a material's name as typed
    QListWidget* List1 = nullptr;     // materials found
    QLineEdit* Text2 = nullptr;       // grams of the material to add
    QPushButton* Command1 = nullptr;  // 追加
    QTableWidget* Grid1 = nullptr;    // the recipe: 材料, 表示名, 重さ(g)
    QPushButton* Command2 = nullptr;  // 行を削除
    QLineEdit* Text3 = nullptr;       // できあがり重量 (g)
    QComboBox* Combo1 = nullptr;      // 販売単位: 1個当たり / 100g当たり
    QLineEdit* Text4 = nullptr;       // 1回に作る個数
    QLineEdit* Text5 = nullptr;       // 1個の重さ (g)
    QComboBox* Combo2 = nullptr;      // アレルゲン表示: 一括表示 / 個別表示
    QTableWidget* Grid2 = nullptr;    // 項目, 現在の商品, 配合から計算
    QLabel* Label2 = nullptr;         // problems, missing values, origin and fit notices
    QPushButton* Command3 = nullptr;  // 材料の登録
    QPushButton* Command4 = nullptr;  // 配合を保存
    QPushButton* Command5 = nullptr;  // 商品に反映
    QPushButton* Command6 = nullptr;  // 閉じる
    QLabel* Ret_Code = nullptr;

    // Reads the product's recipe and the materials.
    void Form_Load();
    void Text1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

    // The recipe as the controls hold it (nullopt, told, when a number is not one).
    std::optional<recipes::Recipe> Recipe_From_Screen(bool tell);
    // Computes the recipe on the screen and shows it beside the product.
    void Recompute();
    const recipes::Recipe_Label& Label() const { return label_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session& session_;

    void Build_Controls();
    void Build_Layout();
    void Read_Materials();
    void Show_Recipe(const recipes::Recipe& recipe);
    void Add_Line(const recipes::Material& material, double grams);
    bool Store(const recipes::Recipe& recipe);
    QWidget* Next_In_Chain(QWidget* from) const;

    Screen_Answerer answerer_{kScreenName};
    QPointer<S_Touroku> opener_;
    QPointer<S_Zairyou> materials_window_;
    QString product_no_;
    std::vector<recipes::Material> materials_;  // registered, and table foods added here not yet stored
    std::vector<recipes::Material> found_;
    recipes::Allergen_Dictionary dictionary_;
    recipes::Recipe_Label label_;
    std::vector<recipes::Item_Change> changes_;
    QStringList fit_problems_;
    render::Check_Context fit_context_;  // how the label is composed, read once
};

}  // namespace screens
