// From recipe to printed label on the offscreen platform with the real
// printers of this machine: registration -> recipe window (materials found by
// their reading, one corrected in the materials window) -> the computed items
// accepted into the product -> stored -> printed on the built-in PDF printer,
// and the page turned into a picture for people to look at.
#include "app/main_menu.h"
#include "cups_jobs.h"
#include "platform/qt_printer_platform.h"
#include "products/product_file.h"
#include "recipes/recipe_file.h"
#include "screens/common/item_box.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/printing/insatsu.h"
#include "screens/products/s_haigou.h"
#include "screens/products/s_touroku.h"
#include "screens/products/s_zairyou.h"
#include "store/settings.h"
#include "support/dialog_script.h"
#include "support/fake_desktop.h"
#include "support/temp_folder.h"
#include "support/utf8.h"
#include "support/visible_window.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

using test_support::Dialog_Script;
using test_support::Q;
using test_support::Visible_Window;

class Recipe_E2E : public QObject {
    Q_OBJECT
private slots:
    void aRecipeBecomesAPrintedLabel();
};

namespace {

void Add_Material(screens::S_Haigou* recipe, const QString& typed, const QString& first_found, const QString& grams)
{
    recipe->Text1->setText(typed);
    QVERIFY2(recipe->List1->count() > 0, qPrintable(typed));
    QVERIFY2(recipe->List1->item(0)->text().startsWith(first_found), qPrintable(recipe->List1->item(0)->text()));
    QTest::keyClick(recipe->Text1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), recipe->Text2);
    recipe->Text2->setText(grams);
    QTest::keyClick(recipe->Text2, Qt::Key_Return);
}

// Every control of the window carries its name.
void Verify_Named_Controls(QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow())
            continue;
        QVERIFY2(!control->objectName().isEmpty(),
                 qPrintable(QString::fromLatin1(control->metaObject()->className()) + QLatin1Char(' ')
                            + control->property("text").toString()));
    }
}

// With WINDOW_SCREENSHOTS=DIR: the screen as the user sees it (under a window
// manager, frames and all), as DIR/NAME-WxH.png.
void Save_Screen(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("WINDOW_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300);  // painted and stacked
    const bool offscreen = QGuiApplication::platformName() == QStringLiteral("offscreen");
    const QImage screen = offscreen ? window->grab().toImage() : window->screen()->grabWindow(0).toImage();
    const QSize size = window->screen()->geometry().size();
    QVERIFY(screen.save(QStringLiteral("%1/%2-%3x%4.png").arg(folder, name).arg(size.width()).arg(size.height())));
}

QString Computed(screens::S_Haigou* recipe, int row)
{
    return recipe->Grid2->item(row, 2)->text();
}

}  // namespace

void Recipe_E2E::aRecipeBecomesAPrintedLabel()
{
    test_support::Temp_Folder application;
    test_support::Fake_Desktop desktop;
    desktop.application_folder = application.Path();
    screens::Session session;
    platform::Qt_Printer_Platform printers(
        [&session] { return session.Data_Folder() + platform::kPdf_Output_Folder_Name; });
    session.desktop = &desktop;
    session.printers = &printers;
    session.application_folder = application.Path();
    session.program_folder = QStringLiteral(RESOURCES_DIR);  // the composition table and allergen lists

    Dialog_Script script;
    app::MainMenu menu(session);
    menu.Form_Load();
    store::Settings_Record settings = session.settings;
    settings[store::Setting::Printer_Name] = platform::kBuilt_In_Pdf_Printer;
    QVERIFY(store::Save_Settings(application.Path(), store::Saved_Values(settings)).ok());
    session.Load_Settings();
    menu.show();

    // Registration: product 0001 with its mandatory items, on the 70 x 80 label.
    QTest::mouseClick(menu.Command1, Qt::LeftButton);
    auto* registration = Visible_Window<screens::S_Touroku>();
    QVERIFY(registration);
    using R = screens::S_Touroku;
    registration->Text1[R::kNumberBox]->setText(QStringLiteral("1"));
    QVERIFY(screens::Select_List_Item(registration->Combo1[R::kLayoutCombo], Q("標準05 70x80")));
    registration->Text1[R::kProductNameBox]->setText(Q("品名:どら焼き"));
    registration->Text1[R::kCategoryBox]->setText(Q("名称:和菓子"));
    registration->Text1[R::kContentsBox]->setText(Q("内容量:1"));
    registration->Combo1[R::kUnitCombo]->setEditText(Q("個"));
    registration->Text1[R::kStorageBox]->setText(Q("保存方法:直射日光、高温多湿を避けて保存"));
    registration->Text1[R::kResponsibleBox]->setText(Q("製造者:山田製菓 東京都千代田区千代田1-2-3"));

    // The recipe window from the button beside the nutrition items.
    QTest::mouseClick(registration->Command7, Qt::LeftButton);
    auto* recipe = Visible_Window<screens::S_Haigou>();
    QVERIFY(recipe);
    recipe->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(recipe));
    Verify_Named_Controls(recipe);
    Add_Material(recipe, Q("はくりき"), Q("こむぎ [小麦粉] 薄力粉 1等"), QStringLiteral("200"));
    Add_Material(recipe, Q("鶏卵 全卵 生"), Q("鶏卵 全卵 生"), QStringLiteral("200"));
    Add_Material(recipe, Q("じょうはくとう"), Q("(砂糖類) 車糖 上白糖"), QStringLiteral("150"));
    Add_Material(recipe, Q("ハチミツ"), Q("(その他) はちみつ"), QStringLiteral("30"));
    Add_Material(recipe, Q("つぶし練り"), Q("あずき あん つぶし練りあん"), QStringLiteral("400"));
    QCOMPARE(recipe->Grid1->rowCount(), 5);

    // The あん is printed as つぶあん with its own ingredients and origin.
    QTest::mouseClick(recipe->Command3, Qt::LeftButton);
    auto* materials = Visible_Window<screens::S_Zairyou>();
    QVERIFY(materials);
    Verify_Named_Controls(materials);
    materials->Text1->setText(Q("つぶし練りあん"));
    materials->List1->setCurrentRow(0);
    QCOMPARE(materials->Text2->text(), Q("あずき あん つぶし練りあん"));
    materials->Text3->setText(Q("つぶあん"));
    materials->Text5->setText(Q("砂糖、小豆"));
    materials->Text6->setText(Q("国内製造"));
    Save_Screen(materials, QStringLiteral("recipe-materials"));
    QTest::mouseClick(materials->Command2, Qt::LeftButton);
    QCOMPARE(script.Kakunin_Lines().last(), Q("保存しました/あずき あん つぶし練りあん"));
    QTest::mouseClick(materials->Command4, Qt::LeftButton);

    recipe->Text3->setText(QStringLiteral("900"));
    recipe->Text4->setText(QStringLiteral("10"));
    QCOMPARE(recipe->Grid2->rowCount(), 8);
    QCOMPARE(Computed(recipe, 0),
             Q("原材料名:つぶあん(国内製造)(砂糖、小豆)、小麦粉、鶏卵、砂糖、はちみつ、(一部に小麦・卵を含む)"));
    QCOMPARE(Computed(recipe, 1), Q("栄養成分表示(1個(90g)当たり)"));
    QCOMPARE(Computed(recipe, 2), Q("エネルギー:262kcal"));
    QCOMPARE(Computed(recipe, 3), Q("たんぱく質:6.3g"));
    QCOMPARE(Computed(recipe, 4), Q("　脂　質　:2.6g"));
    QCOMPARE(Computed(recipe, 5), Q(" 炭水化物 :54.2g"));
    QCOMPARE(Computed(recipe, 6), Q("食塩相当量:0.1g"));
    QCOMPARE(Computed(recipe, 7), Q("この表示値は、目安です。"));
    Save_Screen(recipe, QStringLiteral("recipe-computed"));
    // Nothing reaches the product before it is accepted.
    QCOMPARE(registration->Text1[R::kFirstNutritionBox]->text(), Q("エネルギー:"));

    QTest::mouseClick(recipe->Command5, Qt::LeftButton);
    QCOMPARE(script.Kakunin_Lines().last(), Q("商品の項目に反映しました/保存は「入力情報を登録」で"));
    QCOMPARE(registration->Text1[R::kFirstNutritionBox]->text(), Q("エネルギー:262kcal"));
    QVERIFY(recipes::Find_Recipe(application.Data_Folder(), QStringLiteral("1")));
    QTest::mouseClick(recipe->Command6, Qt::LeftButton);

    QTest::mouseClick(registration->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("保存しました"));
    const auto product = products::Find_Product(application.Data_Folder(), QStringLiteral("1"));
    QVERIFY(product);
    QCOMPARE((*product)[products::Nutrient_Extra1], Q("この表示値は、目安です。"));
    QTest::mouseClick(registration->Command2, Qt::LeftButton);
    QTRY_VERIFY(menu.isVisible());

    // Printing one label on the built-in PDF printer.
    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    auto* printing_screen = Visible_Window<screens::Insatsu>();
    QVERIFY(printing_screen);
    printing_screen->Text1->setText(QStringLiteral("1"));
    QTest::keyClick(printing_screen->Text1, Qt::Key_Return);
    printing_screen->Text4->setText(QStringLiteral("1"));
    const size_t shown_before = script.seen.size();
    QTest::mouseClick(printing_screen->Command1, Qt::LeftButton);
    const QDir output(application.File(platform::kPdf_Output_Folder_Name));
    QTRY_COMPARE(output.entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), 1);
    for (size_t n = shown_before; n < script.seen.size(); ++n)  // the label check found no error
        QVERIFY2(!script.seen[n].texts.join(u' ').contains(Q("このまま印刷しますか")),
                 qPrintable(script.seen[n].texts.join(u' ')));

    // Kept beside the test, with a 300-dpi picture, for people to look at.
    const QString kept = e2e::Picture_Folder() + QStringLiteral("/recipe-label.pdf");
    QFile::remove(kept);
    QVERIFY(QFile::copy(output.filePath(output.entryList({QStringLiteral("*.pdf")}).first()), kept));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                    kept, e2e::Picture_Folder() + QStringLiteral("/recipe-label")});
    QVERIFY(pdftoppm.waitForFinished(60000));
    QCOMPARE(pdftoppm.exitCode(), 0);
    QVERIFY(QFileInfo::exists(e2e::Picture_Folder() + QStringLiteral("/recipe-label.png")));
    QTest::mouseClick(printing_screen->Command3, Qt::LeftButton);
    QTRY_VERIFY(menu.isVisible());
}

QTEST_MAIN(Recipe_E2E)
#include "recipe_e2e_test.moc"
