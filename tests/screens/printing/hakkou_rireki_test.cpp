// The print history window: newest first, its filters, and issuing a job again
// through the printing screen; the printing screen's notice of a written PDF.
#include "platform/qt_printer_platform.h"
#include "print_fixtures.h"
#include "printing/print_history.h"
#include "screens/common/session.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "store/settings.h"
#include "support/dialog_script.h"
#include "support/fake_desktop.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

using printing::History_Entry;
using screens::Hakkou_Rireki;
using screens::Insatsu;

namespace {

History_Entry Job(const QString& time, const QString& number, const QString& name, const QString& copies)
{
    History_Entry e;
    e.time = time;
    e.product_no = number;
    e.product_name = name;
    e.layout = print_fixtures::kLayout;
    e.copies = copies;
    e.printer = QStringLiteral("Zebra");
    e.base = QStringLiteral("2024/03/05 09:07");
    e.result = printing::kHistorySent;
    return e;
}

QStringList Shown_Times(const Hakkou_Rireki& window)
{
    QStringList times;
    for (int row = 0; row < window.List1->model()->rowCount(); ++row)
        times << window.List1->model()->index(row, 0).data().toString();
    return times;
}

}  // namespace

class Hakkou_Rireki_Test : public QObject {
    Q_OBJECT

    screens::Session session;

    std::unique_ptr<test_support::Temp_Folder> folder;
    std::unique_ptr<platform::Qt_Printer_Platform> printers;
    test_support::Fake_Desktop desktop;

private slots:
    void init()
    {
        folder = std::make_unique<test_support::Temp_Folder>();
        QVERIFY(print_fixtures::Prepare_Data_Folder(folder->Data_Folder()));
        const store::Settings_Record settings = print_fixtures::Settings_For(platform::kBuilt_In_Pdf_Printer);
        QVERIFY(store::Save_Settings(folder->Path(), store::Saved_Values(settings)).ok());
        for (const History_Entry& job : {Job("2024/03/04 12:00:00", "0001", "品名:苺のショートケーキ", "2"),
                                         Job("2024/03/05 10:00:00", "0002", "品名:苺大福", "3"),
                                         Job("2024/03/06 08:00:00", "0001", "品名:苺のショートケーキ", "1")})
            QVERIFY(printing::Append_History(folder->Data_Folder(), job).Is_Done());
        const QString data = folder->Data_Folder();
        printers = std::make_unique<platform::Qt_Printer_Platform>(
            [data] { return data + platform::kPdf_Output_Folder_Name; });
        session = screens::Session();
        session.application_folder = folder->Path();
        session.printers = printers.get();
        session.desktop = &desktop;
        session.Load_Settings();
    }

    void cleanup()
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            delete top;
    }

    void listsNewestFirstAndFiltersByNumberWordsAndDays()
    {
        test_support::Dialog_Script dialogs;
        Hakkou_Rireki window(session, [](const History_Entry&) {});
        window.Form_Load();
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("発行履歴"));
        QCOMPARE(Shown_Times(window),
                 (QStringList{"2024/03/06 08:00:00", "2024/03/05 10:00:00", "2024/03/04 12:00:00"}));
        QCOMPARE(window.Label5->text(), QStringLiteral("3件"));

        window.Text1->setText(QStringLiteral("1"));
        window.Command1->click();
        QCOMPARE(Shown_Times(window), (QStringList{"2024/03/06 08:00:00", "2024/03/04 12:00:00"}));
        window.Text1->clear();
        window.Text2->setText(QStringLiteral("苺 大福"));
        QTest::keyClick(window.Text2, Qt::Key_Return);
        QCOMPARE(Shown_Times(window), QStringList{"2024/03/05 10:00:00"});
        window.Text2->clear();
        window.Text3->setText(QStringLiteral("2024/3/5"));
        window.Text4->setText(QStringLiteral("2024/03/05"));
        window.Command1->click();
        QCOMPARE(Shown_Times(window), QStringList{"2024/03/05 10:00:00"});

        window.Text4->setText(QStringLiteral("2024/02/30"));
        window.Command1->click();
        QTRY_COMPARE(dialogs.Kakunin_Lines(), QStringList{"入力された日付が異常です/YYYY/MM/DD で入力して下さい"});
        QCOMPARE(Shown_Times(window), QStringList{"2024/03/05 10:00:00"});
    }

    void reprintPutsTheJobIntoThePrintingScreensReservationListToBeChanged()
    {
        Insatsu screen(session);
        screen.Form_Load();
        screen.show();
        screen.Command7->click();
        Hakkou_Rireki* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<Hakkou_Rireki*>(top); found && found->isVisible())
                window = found;
        QVERIFY(window);
        window->List1->selectRow(1);  // product 0002, 3 labels
        window->Command2->click();

        QVERIFY(screen.Reservation_Mode());
        QCOMPARE(screen.List1->count(), 1);
        QVERIFY(screen.List1->item(0)->text().startsWith(QStringLiteral("No.0002 0003枚 2024/03/05 09:07")));
        QCOMPARE(screen.Text1->text(), QStringLiteral("0000"));

        // A double-click takes the line back into the boxes, to be changed and registered again.
        screen.List1->setCurrentRow(0);
        screen.List1_DblClick();
        QCOMPARE(screen.List1->count(), 0);
        QCOMPARE(screen.Text1->text(), QStringLiteral("0002"));
        QCOMPARE(screen.Text2->text(), QStringLiteral("品名:苺大福"));
        QCOMPARE(screen.Text4->text(), QStringLiteral("3"));
        QCOMPARE(screen.Text9->text(), QStringLiteral("5"));
        QCOMPARE(screen.Text11->text(), QStringLiteral("7"));
        screen.Text4->setText(QStringLiteral("4"));
        screen.Command1->click();
        QVERIFY(screen.List1->item(0)->text().startsWith(QStringLiteral("No.0002 0004枚 2024/03/05 09:07")));

        screen.close();
        QTRY_VERIFY(!window->isVisible());
    }

    // A history line whose base is no date (edited by hand, damaged) is
    // reprinted with the current moment, and the user is told.
    void aReprintWhoseBaseIsNoDateTakesTheCurrentMomentAndSaysSo()
    {
        session.clock = [] { return QDateTime(QDate(2025, 6, 7), QTime(8, 9)); };
        for (const QString& base : {QStringLiteral("2024/13/05 09:07"), QStringLiteral("2024/3/5 9:07"), QString()}) {
            test_support::Dialog_Script dialogs;
            Insatsu screen(session);
            screen.Form_Load();
            History_Entry job = Job("2024/03/05 10:00:00", "0002", "品名:苺大福", "3");
            job.base = base;
            screen.Reserve_Reprint(job);
            QTRY_COMPARE(dialogs.Kakunin_Lines(), QStringList{"入力された日付が異常です/本日の日付に修正します"});
            QCOMPARE(screen.List1->count(), 1);
            QVERIFY2(screen.List1->item(0)->text().startsWith(QStringLiteral("No.0002 0003枚 2025/06/07 08:09")),
                     qPrintable(screen.List1->item(0)->text()));
        }
    }

    void aRunToTheBuiltInPdfPrinterNamesTheFileAndOpensItOrItsFolder()
    {
        test_support::Dialog_Script dialogs;
        Insatsu screen(session);
        screen.Form_Load();
        screen.show();
        QVERIFY(!screen.Label10->isVisible() && !screen.Command8->isVisible());
        screen.Text1->setText(QStringLiteral("0001"));
        QTest::keyClick(screen.Text1, Qt::Key_Return);
        screen.Text4->setText(QStringLiteral("1"));
        dialogs.answers = {QStringLiteral("ok")};  // print the label although the check finds errors in it
        screen.Command1->click();

        const QStringList written =
            QDir(folder->Data_Folder() + platform::kPdf_Output_Folder_Name).entryList({QStringLiteral("*.pdf")});
        QCOMPARE(written.size(), 1);
        const QString file = folder->Data_Folder() + platform::kPdf_Output_Folder_Name + QLatin1Char('/') + written[0];
        QVERIFY(screen.Label10->isVisible());
        QCOMPARE(screen.Label10->toolTip(), QStringLiteral("PDFファイルを書き出しました: ") + file);
        screen.Command8->click();
        screen.Command9->click();
        QCOMPARE(desktop.opened,
                 (QList<QUrl>{QUrl::fromLocalFile(file),
                              QUrl::fromLocalFile(folder->Data_Folder() + platform::kPdf_Output_Folder_Name)}));
        QCOMPARE(print_fixtures::History_Of(folder->Data_Folder()).front().file, file);
    }
};

QTEST_MAIN(Hakkou_Rireki_Test)
#include "hakkou_rireki_test.moc"
