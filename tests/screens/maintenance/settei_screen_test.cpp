// The settings screen on the offscreen platform: printer presets, loading,
// saving, the question before printing a wrong label, and the change of data location.
#include "app/main_menu.h"
#include "layouts/default_layouts.h"
#include "maintenance/new_product_layout.h"
#include "maintenance/print_check_setting.h"
#include "screens/common/widget_helpers.h"
#include "screens/maintenance/settei.h"
#include "support/screen_support.h"
#include "support/utf8.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace maintenance_test;

namespace {

using test_support::Q;

void Choose_Printer(screens::Settei& screen, const QString& name)
{
    const int index = screen.Combo1->findText(name);
    QVERIFY(index >= 0);
    screen.Combo1->setCurrentIndex(index);
    emit screen.Combo1->activated(index);
}

}  // namespace

class Settei_Test : public QObject {
    Q_OBJECT
private slots:
    void printerChoicePresetsPositionAndWidth_data();
    void printerChoicePresetsPositionAndWidth();
    void savedPositionAndWidthSurviveTheLoad();
    void savedPrinterThatIsGoneIsReported();
    void commaInCorrectionIsDroppedOnSaving();
    void savingWithoutPrinterWritesNothing();
    void theQuestionBeforePrintingIsSavedInItsOwnFile();
    void theNewProductLayoutIsChosenAndSavedInItsOwnFile();
    void locationChangeCopiesDataAndEndsTheApplication();
    void locationChangeIntoUnwritableFolderKeepsTheOldLocation();
    void openFolderOpensTheShownLocation();
    void enterMovesAlongTheFieldChain();
    void maintenanceScreensShowTheSettingsAgainWhenTheyClose();
    void mainMenuShowsTheSavedPrinterAfterwards();
};

void Settei_Test::printerChoicePresetsPositionAndWidth_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("width");
    QTest::newRow("Lesprit") << QStringLiteral("Lesprit T2") << Q("中央寄せ") << QStringLiteral("101.6");
    QTest::newRow("FI212T") << QStringLiteral("SATO FI212T") << Q("中央寄せ") << QStringLiteral("50.8");
    QTest::newRow("other") << QStringLiteral("Zebra") << Q("端寄せ") << QStringLiteral("77");
}

void Settei_Test::printerChoicePresetsPositionAndWidth()
{
    QFETCH(QString, printer);
    QFETCH(QString, position);
    QFETCH(QString, width);
    Session_Fixture fixture;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Text1->setText(QStringLiteral("77"));
    Choose_Printer(screen, printer);
    QCOMPARE(screen.Combo5->currentText(), position);
    QCOMPARE(screen.Text1->text(), width);
}

void Settei_Test::savedPositionAndWidthSurviveTheLoad()
{
    Session_Fixture fixture;
    fixture.Write_Settings({QStringLiteral("Lesprit T2"), QStringLiteral("9"), QStringLiteral("1.5"),
                            QStringLiteral("-2"), Q("する"), Q("デスクトップ"), Q("バーコードフォント使用"),
                            Q("端寄せ"), QStringLiteral("80")});
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    QCOMPARE(screen.Combo1->currentText(), QStringLiteral("Lesprit T2"));
    QCOMPARE(screen.Combo5->currentText(), Q("端寄せ"));
    QCOMPARE(screen.Text1->text(), QStringLiteral("80"));
    QCOMPARE(screen.Label14->text(), QStringLiteral("0009"));
    QCOMPARE(screen.Text2->text(), QStringLiteral("1.5"));
    QCOMPARE(screen.Text3->text(), QStringLiteral("-2"));
    QCOMPARE(screen.Combo2->currentText(), Q("する"));
    QCOMPARE(screen.Combo3->currentText(), Q("デスクトップ"));
    QCOMPARE(screen.Combo3->count(), 7);
    QCOMPARE(screen.Combo4->currentText(), Q("バーコードフォント使用"));
}

void Settei_Test::savedPrinterThatIsGoneIsReported()
{
    Session_Fixture fixture;
    fixture.Write_Settings({QStringLiteral("Gone"), QStringLiteral("abc")});
    Dialog_Script script;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    QCOMPARE(script.seen.size(), size_t(1));
    QCOMPARE(script.seen[0].window, QStringLiteral("QMessageBox"));
    QVERIFY(script.seen[0].texts[0].startsWith(
        Q("過去に指定されていたプリンター「Gone」がＰＣ上で見つかりませんでした。")));
    QCOMPARE(screen.Combo1->currentText(), QString());
    QVERIFY(!screen.Command4->isEnabled());
    QCOMPARE(screen.Label14->text(), QStringLiteral("0000"));
}

void Settei_Test::commaInCorrectionIsDroppedOnSaving()
{
    Session_Fixture fixture;
    Dialog_Script script;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    Choose_Printer(screen, QStringLiteral("Zebra"));
    screen.Text2->setText(QStringLiteral("1,5"));
    screen.Text3->setText(QStringLiteral("2\t"));
    QTest::mouseClick(screen.Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines(), QStringList{Q("設定を保存しました")});
    QCOMPARE(screen.Text2->text(), QStringLiteral("15"));
    const QStringList lines = fixture.Settings_Lines();
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines[0], QStringLiteral("Zebra"));
    QCOMPARE(lines[2], QStringLiteral("15"));
    QCOMPARE(lines[3], QStringLiteral("2"));
    QCOMPARE(lines[7], Q("端寄せ"));
    QVERIFY(!screen.isVisible());
}

void Settei_Test::theQuestionBeforePrintingIsSavedInItsOwnFile()
{
    Session_Fixture fixture;
    Dialog_Script script;
    auto open = [&fixture] {
        auto* screen = new screens::Settei(fixture.session);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        screen->Form_Load();
        return screen;
    };
    screens::Settei* screen = open();
    QVERIFY(screen->Check1->isChecked());  // asked by default
    Choose_Printer(*screen, QStringLiteral("Zebra"));
    screen->Check1->setChecked(false);
    QTest::mouseClick(screen->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines(), QStringList{Q("設定を保存しました")});
    QVERIFY(!maintenance::Confirms_Before_Printing(fixture.application.Path()));
    QCOMPARE(fixture.Settings_Lines().size(), 15);  // user_v2.dat keeps its fifteen lines

    screen = open();
    QVERIFY(!screen->Check1->isChecked());
    screen->close();

    // A folder in the way of the rewrite: the screen asks as by default, says the
    // choice was not saved and stays open.
    const QString path = fixture.application.File(maintenance::kPrintCheckFileName);
    QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    screen = open();
    QVERIFY(screen->Check1->isChecked());
    Choose_Printer(*screen, QStringLiteral("Zebra"));
    screen->Check1->setChecked(false);
    QTest::mouseClick(screen->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("設定を保存出来ませんでした"));
    QVERIFY(screen->isVisible());
    QVERIFY(QFileInfo(path).isDir());
    screen->close();
}

void Settei_Test::theNewProductLayoutIsChosenAndSavedInItsOwnFile()
{
    Session_Fixture fixture;
    layouts::Ensure_Default_Layouts(fixture.application.Data_Folder());
    Dialog_Script script;
    auto* screen = new screens::Settei(fixture.session);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->show();
    screen->Form_Load();
    QCOMPARE(screen->Combo6->itemText(0), maintenance::kLastUsedLayoutChoice);
    QCOMPARE(screen->Combo6->currentText(), maintenance::kDefaultNewProductLayout);
    Choose_Printer(*screen, QStringLiteral("Zebra"));
    QVERIFY(screens::Select_List_Item(screen->Combo6, maintenance::kLastUsedLayoutChoice));
    QTest::mouseClick(screen->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines(), QStringList{Q("設定を保存しました")});
    QCOMPARE(maintenance::Read_New_Product_Layout(fixture.application.Path()).choice,
             maintenance::kLastUsedLayoutChoice);
    QCOMPARE(fixture.Settings_Lines().size(), 15);  // user_v2.dat keeps its fifteen lines
}

void Settei_Test::savingWithoutPrinterWritesNothing()
{
    Session_Fixture fixture;
    const QByteArray before = fixture.application.Read(QStringLiteral("user_v2.dat"));
    Dialog_Script script;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Command1_Click();
    QCOMPARE(script.First_Lines(), QStringList{Q("プリンターが未選択です")});
    QCOMPARE(fixture.application.Read(QStringLiteral("user_v2.dat")), before);
    QVERIFY(screen.isVisible());
}

void Settei_Test::locationChangeCopiesDataAndEndsTheApplication()
{
    Session_Fixture fixture;
    fixture.application.Write(Q("商品情報_v2.tsv"), "2.00\r\n0001\tA\r\n");
    fixture.application.Write(QStringLiteral("mine.lay"), "layout");
    fixture.application.Write(QStringLiteral("pura00.bmp"), "picture");
    Dialog_Script script;
    screens::Settei screen(fixture.session);
    bool ended = false;
    screen.End_Application = [&ended] { ended = true; };
    screen.show();
    screen.Form_Load();
    Choose_Printer(screen, QStringLiteral("Zebra"));
    screen.Combo3->setCurrentText(Q("デスクトップ"));
    screen.Command1_Click();
    QVERIFY(ended);
    QCOMPARE(script.First_Lines(), QStringList{Q("設定内容を反映する為、")});
    QCOMPARE(fixture.Settings_Lines()[5], Q("デスクトップ"));
    for (const char* name : {"商品情報_v2.tsv", "mine.lay", "pura00.bmp"})
        QCOMPARE(fixture.desktop_folder.Read(Q(name)), fixture.application.Read(Q(name)));
}

void Settei_Test::locationChangeIntoUnwritableFolderKeepsTheOldLocation()
{
    Session_Fixture fixture;
    fixture.application.Write(QStringLiteral("mine.lay"), "layout");
    // Even root cannot create files in /proc.
    fixture.desktop.desktop_folder = QStringLiteral("/proc");
    const QByteArray before = fixture.application.Read(QStringLiteral("user_v2.dat"));
    Dialog_Script script;
    screens::Settei screen(fixture.session);
    bool ended = false;
    screen.End_Application = [&ended] { ended = true; };
    screen.show();
    screen.Form_Load();
    Choose_Printer(screen, QStringLiteral("Zebra"));
    screen.Combo3->setCurrentText(Q("デスクトップ"));
    screen.Command1_Click();
    QVERIFY(!ended);
    QCOMPARE(script.seen.size(), size_t(1));
    QCOMPARE(script.seen[0].texts[0], Q("データをコピー出来ません"));
    QCOMPARE(script.seen[0].texts[1], Q("保存先は変更していません"));
    QVERIFY2(script.seen[0].texts[2].contains(QStringLiteral("mine.lay")), qPrintable(script.seen[0].texts[2]));
    QCOMPARE(fixture.application.Read(QStringLiteral("user_v2.dat")), before);
    QVERIFY(screen.isVisible());
}

void Settei_Test::openFolderOpensTheShownLocation()
{
    Session_Fixture fixture;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Combo3->setCurrentText(Q("デスクトップ"));
    screen.Command8_Click();
    QCOMPARE(fixture.desktop.opened.size(), 1);
    QCOMPARE(fixture.desktop.opened[0].toLocalFile(), fixture.desktop_folder.Data_Folder());

    // A location whose folder does not exist is reported, not handed to the file manager.
    Dialog_Script script;
    fixture.desktop.desktop_folder = fixture.application.File(QStringLiteral("missing"));
    screen.Command8_Click();
    QCOMPARE(fixture.desktop.opened.size(), 1);
    QCOMPARE(script.First_Lines(), QStringList{Q("フォルダを開けませんでした")});
}

void Settei_Test::enterMovesAlongTheFieldChain()
{
    Session_Fixture fixture;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    QApplication::setActiveWindow(&screen);
    const QList<QWidget*> chain = {screen.Combo1, screen.Text2,  screen.Text3,   screen.Combo2,
                                   screen.Combo3, screen.Combo4, screen.Command1};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        chain[i]->setFocus();
        QTest::keyClick(chain[i], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), chain[i + 1]);
    }
}

void Settei_Test::maintenanceScreensShowTheSettingsAgainWhenTheyClose()
{
    Session_Fixture fixture;
    screens::Settei screen(fixture.session);
    screen.show();
    screen.Form_Load();
    for (QPushButton* button : {screen.Command3, screen.Command5, screen.Command7}) {
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!screen.isVisible());
        QWidget* opened = QApplication::activeWindow();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != &screen && top->isVisible())
                opened = top;
        QVERIFY(opened);
        opened->close();  // the close box, not the screen's own button
        QTRY_VERIFY(screen.isVisible());
    }
}

void Settei_Test::mainMenuShowsTheSavedPrinterAfterwards()
{
    Session_Fixture fixture;
    Dialog_Script script;
    app::MainMenu menu(fixture.session);
    menu.show();
    menu.Refresh_Printer_Label();
    QCOMPARE(menu.Label4->text(), Q("使用プリンタ： 未設定"));
    QVERIFY(menu.Command3->isEnabled());
    QTest::mouseClick(menu.Command3, Qt::LeftButton);
    screens::Settei* screen = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<screens::Settei*>(top))
            screen = found;
    QVERIFY(screen && screen->isVisible());
    QVERIFY(!menu.isVisible());
    Choose_Printer(*screen, QStringLiteral("Zebra"));
    screen->Command1_Click();
    QTRY_VERIFY(menu.isVisible());
    QCOMPARE(menu.Label4->text(), Q("使用プリンタ：Zebra"));
    QCOMPARE(fixture.session.settings.Printer_Name(), QStringLiteral("Zebra"));
}

QTEST_MAIN(Settei_Test)
#include "settei_screen_test.moc"
