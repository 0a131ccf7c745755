#include "app/main_menu.h"
#include "screens/common/session.h"
#include "store/settings.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

class Main_Menu_Test : public QObject {
    Q_OBJECT

private slots:
    void showsTheTitleAndThePrinter()
    {
        test_support::Temp_Folder dir;
        app::Session& session = app::Current_Session();
        session.application_folder = dir.Path();
        app::MainMenu menu;
        menu.Form_Load();
        QCOMPARE(menu.Label1->text(), QStringLiteral("食品内容表示ソフトウェア ぱるべりな Ver2.04a"));
        QCOMPARE(menu.Label4->text(), QStringLiteral("使用プリンタ： 未設定"));
        QVERIFY(menu.Label4->styleSheet().contains("rgb(255, 0, 0)"));
        QVERIFY(menu.Label4->styleSheet().contains("bold"));
        QVERIFY(QFile::exists(dir.File(QStringLiteral("標準06 90x50.lay"))));

        session.settings[store::Setting::Printer_Name] = QStringLiteral("Zebra");
        menu.Refresh_Printer_Label();
        QCOMPARE(menu.Label4->text(), QStringLiteral("使用プリンタ：Zebra"));
        QVERIFY(!menu.Label4->styleSheet().contains("bold;") || menu.Label4->styleSheet().contains("normal"));
    }
};

QTEST_MAIN(Main_Menu_Test)
#include "main_menu_test.moc"
