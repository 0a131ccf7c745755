// The recipe and materials windows on the offscreen platform: taking a row
// out of a recipe, and deleting a material that a stored recipe still uses.
#include "app/startup.h"
#include "recipes/materials.h"
#include "recipes/recipe_file.h"
#include "screens/common/item_box.h"
#include "screens/products/s_haigou.h"
#include "screens/products/s_touroku.h"
#include "screens/products/s_zairyou.h"
#include "support/screen_support.h"
#include "support/utf8.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using maintenance_test::Dialog_Script;
using test_support::Q;

namespace {

// The default data files and the program's composition table and allergen lists.
void Prepare(maintenance_test::Session_Fixture& fixture)
{
    fixture.Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"),
                            QStringLiteral("しない"), QStringLiteral("ぱるべりなインストールフォルダ"),
                            QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ")});
    screens::Session& session = fixture.session;
    session.Load_Settings();
    session.program_folder = QStringLiteral(RESOURCES_DIR);
    QVERIFY(app::Create_Missing_Files(session.Data_Folder()).isEmpty());
}

void Add_Material(screens::S_Haigou& recipe, const QString& typed, const QString& grams)
{
    recipe.Text1->setText(typed);
    QVERIFY2(recipe.List1->count() > 0, qPrintable(typed));
    recipe.List1->setCurrentRow(0);
    recipe.Text2->setText(grams);
    recipe.Command1_Click();
}

QStringList Codes_Of(const recipes::Recipe& recipe)
{
    QStringList codes;
    for (const recipes::Recipe_Line& line : recipe.lines)
        codes << line.code;
    return codes;
}

}  // namespace

class Recipe_Screens : public QObject {
    Q_OBJECT
private slots:
    void aRowTakenOutLeavesTheRecipe();
    void aMaterialInUseIsNotDeleted();
};

void Recipe_Screens::aRowTakenOutLeavesTheRecipe()
{
    maintenance_test::Session_Fixture fixture;
    Prepare(fixture);
    Dialog_Script script;
    screens::S_Touroku registration(fixture.session);
    registration.Form_Load();
    registration.Text1[screens::S_Touroku::kNumberBox]->setText(QStringLiteral("5"));
    screens::S_Haigou recipe(fixture.session, &registration);
    recipe.Form_Load();
    recipe.Text4->setText(QStringLiteral("10"));
    Add_Material(recipe, Q("はくりき"), QStringLiteral("200"));
    Add_Material(recipe, Q("じょうはくとう"), QStringLiteral("100"));
    Add_Material(recipe, Q("鶏卵 全卵 生"), QStringLiteral("150"));
    QCOMPARE(recipe.Grid1->rowCount(), 3);
    QVERIFY2(recipe.Label().ok(), qPrintable(recipe.Label().problems.join(' ')));
    const QString before = recipe.Label().ingredient_text;

    recipe.Grid1->setCurrentCell(-1, -1);
    recipe.Command2_Click();
    QCOMPARE(script.Kakunin_Lines().last(), Q("削除する行を/配合から選択して下さい"));
    QCOMPARE(recipe.Grid1->rowCount(), 3);

    recipe.Grid1->setCurrentCell(1, 0);
    recipe.Command2_Click();
    QCOMPARE(recipe.Grid1->rowCount(), 2);
    QVERIFY2(!recipe.Label().ingredient_text.contains(Q("砂糖")), qPrintable(recipe.Label().ingredient_text));
    QVERIFY(recipe.Label().ingredient_text != before);
    recipe.Command4_Click();
    QCOMPARE(script.Kakunin_Lines().last(), Q("配合を保存しました/"));
    const std::optional<recipes::Recipe> stored = recipes::Find_Recipe(fixture.session.Data_Folder(),
                                                                       QStringLiteral("5"));
    QVERIFY(stored);
    QCOMPARE(Codes_Of(*stored), QStringList({QStringLiteral("01015"), QStringLiteral("12004")}));

    // The last row out: nothing to compute, and the window says so.
    for (int n = 0; n < 2; ++n) {
        recipe.Grid1->setCurrentCell(0, 0);
        recipe.Command2_Click();
    }
    QCOMPARE(recipe.Grid1->rowCount(), 0);
    QVERIFY(!recipe.Label().ok());
    QCOMPARE(recipe.Label2->text(), Q("配合に材料がありません"));
}

void Recipe_Screens::aMaterialInUseIsNotDeleted()
{
    maintenance_test::Session_Fixture fixture;
    Prepare(fixture);
    const QString data_folder = fixture.session.Data_Folder();
    recipes::Material an;
    an.code = QStringLiteral("U0001");
    an.name = Q("こしあん(業務用)");
    an.label_name = Q("こしあん");
    an.values[0] = 250;
    QVERIFY(recipes::Store_Materials(data_folder, {an}).Is_Done());
    recipes::Recipe recipe;
    recipe.product_no = QStringLiteral("0007");
    recipe.lines = {{an.code, 300}};
    QVERIFY(recipes::Store_Recipe(data_folder, recipe).Is_Done());

    Dialog_Script script;
    screens::S_Zairyou materials(fixture.session);
    materials.Form_Load();
    materials.Text1->setText(Q("こしあん"));
    QVERIFY(materials.List1->count() > 0);
    materials.List1->setCurrentRow(0);
    QCOMPARE(materials.Text2->text(), an.name);
    script.answers = {QStringLiteral("ok")};
    materials.Command3_Click();
    QCOMPARE(script.Kakunin_Lines().last(), Q("材料を削除できません/配合で使われています"));
    QCOMPARE(script.seen.back().texts.value(2), Q("「こしあん(業務用)」を使う登録番号: 0007"));
    QVERIFY(recipes::Read_Materials(data_folder).Find(an.code));

    // Once no recipe uses it, it goes.
    QVERIFY(recipes::Delete_Recipe(data_folder, QStringLiteral("7")).Is_Done());
    materials.List1->setCurrentRow(0);
    script.answers = {QStringLiteral("ok")};
    materials.Command3_Click();
    QVERIFY(!recipes::Read_Materials(data_folder).Find(an.code));
    QCOMPARE(materials.Text2->text(), QString());  // a fresh own material is shown
}

QTEST_MAIN(Recipe_Screens)
#include "recipe_screens_test.moc"
