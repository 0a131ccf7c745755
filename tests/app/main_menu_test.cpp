#include "app/main_menu.h"
#include "print_fixtures.h"
#include "printing/print_history.h"
#include "screens/common/session.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "store/settings.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

template <class Window>
Window* Shown_Window()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(top); window && window->isVisible())
            return window;
    return nullptr;
}

}  // namespace

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

    void theHistoryOpensFromTheMenuAndAReprintOpensThePrintingScreenWithIt()
    {
        test_support::Temp_Folder dir;
        app::Session& session = app::Current_Session();
        session.application_folder = dir.Path();
        QVERIFY(print_fixtures::Prepare_Data_Folder(dir.Data_Folder()));
        app::MainMenu menu;
        menu.Form_Load();
        menu.show();
        printing::History_Entry job;
        job.product_no = QStringLiteral("0001");
        job.copies = QStringLiteral("2");
        job.base = QStringLiteral("2024/03/05 09:00");
        job.result = printing::kHistorySent;
        QVERIFY(printing::Append_History(session.Data_Folder(), job).Is_Done());

        QCOMPARE(menu.Command5->text(), QStringLiteral("発行履歴"));
        menu.Command5->click();
        auto* history = Shown_Window<printing::Hakkou_Rireki>();
        QVERIFY(history);
        QCOMPARE(history->List1->model()->rowCount(), 1);
        history->List1->selectRow(0);
        history->Command2->click();
        auto* screen = Shown_Window<printing::Insatsu>();
        QVERIFY(screen);
        QVERIFY(!menu.isVisible());
        QCOMPARE(screen->List1->count(), 1);
        QVERIFY(screen->List1->item(0)->text().startsWith(QStringLiteral("No.0001 0002枚 2024/03/05 09:00")));
        history->Command2->click();
        QCOMPARE(Shown_Window<printing::Insatsu>(), screen);
        QCOMPARE(screen->List1->count(), 2);
        screen->close();
        history->close();
        QTRY_VERIFY(menu.isVisible());
    }
};

QTEST_MAIN(Main_Menu_Test)
#include "main_menu_test.moc"
