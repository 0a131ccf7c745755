#include "app/application_setup.h"
#include "app/help_window.h"
#include "app/main_menu.h"
#include "print_fixtures.h"
#include "printing/print_history.h"
#include "screens/common/session.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "store/settings.h"
#include "support/temp_folder.h"
#include "support/visible_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTableView>
#include <QTextBrowser>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

class Main_Menu_Test : public QObject {
    Q_OBJECT

private slots:
    void showsTheTitleThePrinterAndTheFolderInUse()
    {
        test_support::Temp_Folder dir;
        screens::Session session;
        session.application_folder = dir.Path();
        app::MainMenu menu(session);
        menu.Form_Load();
        QCOMPARE(menu.Label1->text(), QStringLiteral("食品内容表示ソフトウェア ぱるべりな Ver2.04a"));
        QCOMPARE(menu.Label4->text(), QStringLiteral("使用プリンタ： 未設定"));
        QVERIFY(menu.Label4->styleSheet().contains("rgb(255, 0, 0)"));
        QVERIFY(menu.Label4->styleSheet().contains("bold"));
        QCOMPARE(menu.Label7->text(), QStringLiteral("アプリケーションフォルダ：") + dir.Path());
        QCOMPARE(menu.Label5->text(), QStringLiteral("for Linux"));
        QVERIFY(QFile::exists(dir.File(QStringLiteral("標準06 90x50.lay"))));

        session.settings[store::Setting::Printer_Name] = QStringLiteral("Zebra");
        menu.Refresh_Printer_Label();
        QCOMPARE(menu.Label4->text(), QStringLiteral("使用プリンタ：Zebra"));
        QVERIFY(!menu.Label4->styleSheet().contains("bold;") || menu.Label4->styleSheet().contains("normal"));
    }

    // Another running copy on the same data folder (one user logged in twice,
    // two computers on a shared folder) is named in the menu while it runs; the
    // mark of a copy that ended is removed.
    void anotherCopyUsingTheDataFolderIsNamed()
    {
        test_support::Temp_Folder dir;
        screens::Session session;
        session.application_folder = dir.Path();
        session.settings = store::Settings_Record();
        app::MainMenu menu(session);
        menu.Form_Load();
        QVERIFY(menu.Label8->isHidden());
        QCOMPARE(QDir(dir.Path()).entryList({QStringLiteral(".in-use-*.lock")}, QDir::Files | QDir::Hidden).size(), 1);

        QLockFile other(dir.File(QStringLiteral(".in-use-elsewhere-1.lock")));
        QVERIFY(other.tryLock(0));
        menu.Refresh_Other_Copies();
        QVERIFY(!menu.Label8->isHidden());
        QVERIFY(menu.Label8->text().startsWith(QStringLiteral("このデータ保存先は他のぱるべりなでも使用中です：")));
        QVERIFY2(menu.Label8->text().contains(QStringLiteral("ホスト %1、プロセス番号 %2")
                                                  .arg(QSysInfo::machineHostName())
                                                  .arg(QCoreApplication::applicationPid())),
                 qPrintable(menu.Label8->text()));
        other.unlock();

        const pid_t ended = fork();
        QVERIFY(ended >= 0);
        if (ended == 0) {
            QLockFile left(dir.File(QStringLiteral(".in-use-elsewhere-2.lock")));
            left.tryLock(0);
            _exit(0);  // ends without removing its mark
        }
        waitpid(ended, nullptr, 0);
        QVERIFY(QFile::exists(dir.File(QStringLiteral(".in-use-elsewhere-2.lock"))));
        menu.Refresh_Other_Copies();
        QVERIFY(menu.Label8->isHidden());
        QVERIFY(!QFile::exists(dir.File(QStringLiteral(".in-use-elsewhere-2.lock"))));
    }

    // Qt's own windows speak Japanese and every window carries the program's icon.
    void japaneseDialogsAndTheProgramIcon()
    {
        QVERIFY(app::Set_Up_Application(*qApp));
        QFileDialog chooser;
        chooser.setFileMode(QFileDialog::Directory);
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        QStringList texts;
        for (QLabel* label : chooser.findChildren<QLabel*>())
            texts << label->text();
        for (QPushButton* button : chooser.findChildren<QPushButton*>())
            texts << button->text();
        QVERIFY2(!texts.contains(QStringLiteral("Look in:")) && !texts.contains(QStringLiteral("&Cancel"))
                     && !texts.contains(QStringLiteral("Cancel")),
                 qPrintable(texts.join(QStringLiteral(" | "))));
        QVERIFY2(texts.contains(QStringLiteral("キャンセル")), qPrintable(texts.join(QStringLiteral(" | "))));

        QVERIFY(!QApplication::windowIcon().isNull());
        QVERIFY(!QApplication::windowIcon().pixmap(32, 32).isNull());
        screens::Session session;
        app::MainMenu menu(session);
        QCOMPARE(menu.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }

    // The manual opens in the application's own window, from the program folder.
    void helpOpensInsideTheApplication()
    {
        test_support::Temp_Folder dir;
        screens::Session session;
        session.application_folder = dir.Path();
        session.program_folder = QStringLiteral(HELP_SOURCE_PARENT);
        app::MainMenu menu(session);
        menu.Form_Load();
        menu.show();
        menu.Label6_Click();
        auto* help = test_support::Visible_Window<app::Help_Window>();
        QVERIFY(help);
        QVERIFY(help->Browser->toPlainText().contains(QStringLiteral("最初のラベル")));
        const QString page = help->Browser->toHtml();
        static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
        int pictures = 0;
        for (const QRegularExpressionMatch& match : image.globalMatch(page)) {
            ++pictures;
            QVERIFY2(!help->Browser->loadResource(QTextDocument::ImageResource, QUrl(match.captured(1)))
                          .value<QByteArray>()
                          .isEmpty(),
                     qPrintable(match.captured(1)));
        }
        QVERIFY(pictures >= 6);
        // What it describes is there: no buttons the program lacks, the sections users ask for.
        const QString text = help->Browser->toPlainText();
        for (const char* gone : {"用紙検索", "新規保存", "標準08", "空欄のまま「入力情報を登録」"})
            QVERIFY2(!text.contains(QString::fromUtf8(gone)), gone);
        for (const char* section : {"発行履歴", "ラベルの確認", "コマンドラインからの印刷", "paruberina check"})
            QVERIFY2(text.contains(QString::fromUtf8(section)), section);
        menu.Label6_Click();  // a second click raises the same window
        int help_windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            help_windows += qobject_cast<app::Help_Window*>(top) && top->isVisible();
        QCOMPARE(help_windows, 1);
        help->close();
    }

    // The menu hands its own session to the screens it opens: two menus on two
    // folders with two clocks open printing screens of their own.
    void theScreensOpenedFromTheMenuWorkInItsSession()
    {
        test_support::Temp_Folder first_folder, second_folder;
        QVERIFY(print_fixtures::Prepare_Data_Folder(second_folder.Data_Folder()));
        screens::Session first, second;
        first.application_folder = first_folder.Path();
        first.clock = [] { return QDateTime(QDate(2031, 1, 2), QTime(8, 30)); };
        second.application_folder = second_folder.Path();
        second.clock = [] { return QDateTime(QDate(2032, 3, 4), QTime(8, 30)); };
        app::MainMenu first_menu(first), second_menu(second);
        const struct {
            app::MainMenu& menu;
            QString year;
            int products;
        } cases[] = {{first_menu, QStringLiteral("2031"), 0}, {second_menu, QStringLiteral("2032"), 2}};
        for (const auto& c : cases) {
            c.menu.Form_Load();
            c.menu.Command2->click();
            QPointer<screens::Insatsu> screen = test_support::Visible_Window<screens::Insatsu>();
            QVERIFY(screen);
            QCOMPARE(screen->Text7->text(), c.year);
            QCOMPARE(screen->List2->count(), c.products);
            screen->close();
            QTRY_VERIFY(!screen);
        }
    }

    void theHistoryOpensFromTheMenuAndAReprintOpensThePrintingScreenWithIt()
    {
        test_support::Temp_Folder dir;
        screens::Session session;
        session.application_folder = dir.Path();
        QVERIFY(print_fixtures::Prepare_Data_Folder(dir.Data_Folder()));
        app::MainMenu menu(session);
        menu.Form_Load();
        menu.show();
        printing::History_Entry job;
        job.time = QStringLiteral("2024/03/05 09:01:00");
        job.product_no = QStringLiteral("0001");
        job.copies = QStringLiteral("2");
        job.base = QStringLiteral("2024/03/05 09:00");
        job.result = printing::kHistorySent;
        QVERIFY(printing::Append_History(session.Data_Folder(), job).Is_Done());

        QCOMPARE(menu.Command5->text(), QStringLiteral("発行履歴"));
        menu.Command5->click();
        auto* history = test_support::Visible_Window<screens::Hakkou_Rireki>();
        QVERIFY(history);
        QCOMPARE(history->List1->model()->rowCount(), 1);
        history->List1->selectRow(0);
        history->Command2->click();
        auto* screen = test_support::Visible_Window<screens::Insatsu>();
        QVERIFY(screen);
        QVERIFY(!menu.isVisible());
        QCOMPARE(screen->List1->count(), 1);
        QVERIFY(screen->List1->item(0)->text().startsWith(QStringLiteral("No.0001 0002枚 2024/03/05 09:00")));
        history->Command2->click();
        QCOMPARE(test_support::Visible_Window<screens::Insatsu>(), screen);
        QCOMPARE(screen->List1->count(), 2);
        screen->close();
        history->close();
        QTRY_VERIFY(menu.isVisible());
    }
};

QTEST_MAIN(Main_Menu_Test)
#include "main_menu_test.moc"
