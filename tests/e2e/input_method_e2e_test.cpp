// Japanese typed through a real input method: fcitx5 with Mozc, started by
// input_method_e2e.sh under Xvfb for a normal user. Keys come from xdotool as a
// keyboard would send them. Romaji converted with Space and confirmed with
// Return arrives in the registration screen, the confirming Return stays with
// the input method (the item's Enter rule does not move on), and the product
// file holds exactly what the boxes showed. Digits and a caption typed with
// Mozc left on reach the registration and printing screens as meant.
#include "app/startup.h"
#include "maintenance/print_check_setting.h"
#include "products/product_file.h"
#include "screens/common/item_box.h"
#include "screens/printing/insatsu.h"
#include "screens/products/s_haigou.h"
#include "screens/products/s_touroku.h"
#include "support/screen_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

namespace {

void Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    QVERIFY2(process.waitForFinished(20000) && process.exitCode() == 0,
             qPrintable(program + " " + arguments.join(' ') + ": " + process.readAllStandardError()));
}

// Switched on for the box by its hot key, or left as the last box had it
// (on, for a box that switches it off for itself).
enum class Input_Method { Switched_On, Left_As_It_Is };

// Focuses the box's window for X and types into it with xdotool.
void Type_Keys(QWidget* box, const QList<QStringList>& steps, Input_Method input_method = Input_Method::Switched_On)
{
    box->activateWindow();
    box->setFocus(Qt::OtherFocusReason);
    Run(QStringLiteral("xdotool"), {"windowfocus", "--sync", QString::number(box->window()->winId())});
    Run(QStringLiteral("xdotool"), {"key", "End"});  // after the caption the box starts with
    QTest::qWait(300);
    if (input_method == Input_Method::Switched_On) {
        Run(QStringLiteral("fcitx5-remote"), {"-o"});  // Japanese input on, as the user's hot key does
        QTest::qWait(300);
    }
    for (const QStringList& step : steps) {
        Run(QStringLiteral("xdotool"), step);
        QTest::qWait(400);  // the input method answers over D-Bus
    }
}

// The Zebra printer of the fixture set up, and the default data files.
void Prepare(maintenance_test::Session_Fixture& fixture)
{
    fixture.Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"),
                            QStringLiteral("しない"), QStringLiteral("ぱるべりなインストールフォルダ"),
                            QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ")});
    screens::Session& session = fixture.session;
    session.Load_Settings();
    QVERIFY(app::Create_Missing_Files(session.Data_Folder()).isEmpty());
}

// With WINDOW_SCREENSHOTS=DIR: the screen as the user sees it, as DIR/NAME.png.
void Save_Screen(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("WINDOW_SCREENSHOTS");
    if (!folder.isEmpty())
        window->screen()->grabWindow(0).toImage().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool Has_Latin_Letters(const QString& text)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    return text.contains(latin);
}

}  // namespace

class Input_Method_Test : public QObject {
    Q_OBJECT

    // Registers the product on the screen; the product file must hold what the boxes show.
    static void Store_And_Compare(screens::S_Touroku& screen, const QString& data_folder)
    {
        using S = screens::S_Touroku;
        const QString shown_name = screen.Text1[S::kProductNameBox]->text();
        const QString shown_storage = screen.Text1[S::kStorageBox]->text();
        screen.Command1->click();
        const QString number = screen.Text1[S::kNumberBox]->text();
        const std::optional<products::Product_Record> stored = products::Find_Product(data_folder, number);
        QVERIFY2(stored.has_value(), qPrintable(QStringLiteral("product %1 was not stored").arg(number)));
        QCOMPARE((*stored)[products::Product_Name], shown_name);
        QCOMPARE((*stored)[products::Storage], shown_storage);
    }

private slots:
    void typedJapaneseIsStoredAsShown()
    {
        maintenance_test::Session_Fixture fixture;
        screens::Session& session = fixture.session;
        Prepare(fixture);
        maintenance_test::Dialog_Script answers;

        screens::S_Touroku screen(fixture.session);
        screen.show();
        screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        using S = screens::S_Touroku;
        screens::Item_Box* name = screen.Text1[S::kProductNameBox];
        screens::Item_Box* storage = screen.Text1[S::kStorageBox];

        // Romaji converted with Space, confirmed with Return: the Return stays with the input method.
        const QString name_caption = name->text();
        Type_Keys(name, {{"type", "itigo"}, {"key", "space"}, {"key", "Return"}});
        QTRY_VERIFY_WITH_TIMEOUT(name->text() != name_caption, 10000);
        qInfo() << "品名:" << name->text();
        const QString converted = name->text().mid(name_caption.size());
        QVERIFY2(!converted.isEmpty() && !Has_Latin_Letters(converted), qPrintable(name->text()));
        QVERIFY2(name->hasFocus(), "the Return that confirmed the conversion also moved the focus on");

        const QString storage_caption = storage->text();
        Type_Keys(storage, {{"type", "jouonn"}, {"key", "Return"}});
        QTRY_VERIFY_WITH_TIMEOUT(storage->text() != storage_caption, 10000);
        QVERIFY(storage->hasFocus());
        Store_And_Compare(screen, session.Data_Folder());

        // Mozc types "~" as the wave dash 〜 (U+301C); the box shows the ～
        // (U+FF5E) the file can hold, and stores it.
        Type_Keys(storage, {{"type", "~"}, {"key", "Return"}});
        QTRY_VERIFY_WITH_TIMEOUT(storage->text().size() > storage_caption.size() + 5, 10000);
        qInfo() << "保存方法:" << storage->text();
        QCOMPARE(storage->text().back(), QChar(0xFF5E));
        answers.answers.push_back(QStringLiteral("ok"));  // overwrite the product stored above
        Store_And_Compare(screen, session.Data_Folder());
        screen.close();
    }

    // With Mozc left on: a caption typed with its full-width colon is stored
    // with the caption's colon, and the number boxes of both screens take the
    // digits as typed, so that number, Enter, copies, Enter, Enter prints the
    // label the user meant.
    void digitsAndCaptionTypedWithTheInputMethodOn()
    {
        maintenance_test::Session_Fixture fixture;
        screens::Session& session = fixture.session;
        Prepare(fixture);
        QVERIFY(maintenance::Save_Confirms_Before_Printing(session.application_folder, false).Is_Done());
        maintenance_test::Dialog_Script answers;
        using S = screens::S_Touroku;

        auto* registration = new screens::S_Touroku(fixture.session);
        registration->setAttribute(Qt::WA_DeleteOnClose);
        registration->show();
        registration->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(registration));
        screens::Item_Box* number = registration->Text1[S::kNumberBox];
        number->clear();
        Type_Keys(number, {{"type", "7"}}, Input_Method::Left_As_It_Is);
        QTRY_COMPARE_WITH_TIMEOUT(number->text(), QStringLiteral("7"), 10000);
        screens::Item_Box* storage = registration->Text1[S::kStorageBox];
        storage->clear();
        Type_Keys(storage, {{"type", "hozonnhouhou:jouonn"}, {"key", "Return"}});
        QTRY_VERIFY_WITH_TIMEOUT(!storage->text().isEmpty(), 10000);
        qInfo() << "保存方法:" << storage->text();
        QVERIFY2(storage->text().contains(QLatin1Char(':')) && !storage->text().contains(QChar(0xFF1A)),
                 qPrintable(storage->text()));
        Store_And_Compare(*registration, session.Data_Folder());
        QCOMPARE(number->text(), QStringLiteral("0007"));
        registration->close();

        screens::Insatsu printing_screen(fixture.session);
        printing_screen.Form_Load();
        printing_screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&printing_screen));
        printing_screen.Text1->clear();
        Type_Keys(printing_screen.Text1, {{"type", "7"}, {"key", "Return"}}, Input_Method::Left_As_It_Is);
        QTRY_COMPARE_WITH_TIMEOUT(printing_screen.Text1->text(), QStringLiteral("0007"), 10000);
        Type_Keys(printing_screen.Text4, {{"type", "3"}, {"key", "Return"}}, Input_Method::Left_As_It_Is);
        QTRY_COMPARE_WITH_TIMEOUT(printing_screen.Text4->text(), QStringLiteral("3"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(printing_screen.Command1->hasFocus(), 10000);
        Run(QStringLiteral("xdotool"), {"key", "Return"});
        QTRY_COMPARE_WITH_TIMEOUT(fixture.printers.sent.size(), size_t(1), 20000);
        QCOMPARE(fixture.printers.sent[0].copies, 3);
        printing_screen.close();
    }

    // A material searched for by its reading typed in hiragana: the はくりき
    // Mozc confirms finds 薄力粉 in the recipe window, the confirming Return
    // stays with Mozc, Enter goes on to the weight box, and the weight typed
    // with Mozc still on arrives in half-width digits.
    void materialFoundByItsReadingTypedInHiragana()
    {
        maintenance_test::Session_Fixture fixture;
        Prepare(fixture);
        fixture.session.program_folder = QStringLiteral(RESOURCES_DIR);
        maintenance_test::Dialog_Script answers;
        screens::S_Touroku registration(fixture.session);
        registration.Form_Load();
        registration.Text1[screens::S_Touroku::kNumberBox]->setText(QStringLiteral("8"));
        screens::S_Haigou recipe(fixture.session, &registration);
        recipe.show();
        recipe.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&recipe));

        Type_Keys(recipe.Text1, {{"type", "hakuriki"}});
        Save_Screen(&recipe, QStringLiteral("recipe-mozc-composing"));
        Run(QStringLiteral("xdotool"), {"key", "Return"});
        QTRY_COMPARE_WITH_TIMEOUT(recipe.Text1->text(), QStringLiteral("はくりき"), 10000);
        QVERIFY(recipe.Text1->hasFocus());
        QVERIFY(recipe.List1->count() > 0);
        QVERIFY2(recipe.List1->item(0)->text().startsWith(QStringLiteral("こむぎ [小麦粉] 薄力粉 1等")),
                 qPrintable(recipe.List1->item(0)->text()));
        Save_Screen(&recipe, QStringLiteral("recipe-mozc-found"));

        Run(QStringLiteral("xdotool"), {"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(recipe.Text2->hasFocus(), 10000);
        Type_Keys(recipe.Text2, {{"type", "200"}, {"key", "Return"}}, Input_Method::Left_As_It_Is);
        QTRY_COMPARE_WITH_TIMEOUT(recipe.Text2->text(), QStringLiteral("200"), 10000);
        recipe.Command1->click();
        QCOMPARE(recipe.Grid1->rowCount(), 1);
        Save_Screen(&recipe, QStringLiteral("recipe-mozc-added"));
        QCOMPARE(recipe.Grid1->item(0, 2)->text(), QStringLiteral("200"));
        recipe.close();
    }
};

QTEST_MAIN(Input_Method_Test)
#include "input_method_e2e_test.moc"
