// A fresh installation without any CUPS printer chosen: the settings file
// names the built-in PDF printer, and a label printed from the printing screen
// (opened from the main menu) lands as a PDF of the label's size in
// "印刷データ" of the data folder.
#include "app/main_menu.h"
#include "cups_jobs.h"
#include "label_fixtures.h"
#include "platform/qt_printer_platform.h"
#include "products/product_file.h"
#include "screens/common/dialogs.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/printing/insatsu.h"
#include "store/settings.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class Fresh_Install_Test : public QObject {
    Q_OBJECT

private slots:
    void printsALabelToTheBuiltInPdfPrinterFromThePrintingScreen()
    {
        test_support::Temp_Folder application;
        screens::Session session;
        session.application_folder = application.Path();
        platform::Qt_Printer_Platform printers(
            [&session] { return session.Data_Folder() + platform::kPdf_Output_Folder_Name; });
        session.printers = &printers;

        app::MainMenu menu(session);
        menu.Form_Load();  // first start: settings file and data files with their defaults
        menu.show();
        QVERIFY(QFile::exists(application.File(QStringLiteral("user_v2.dat"))));
        const QString data_folder = session.Data_Folder();
        QVERIFY(render_fixtures::Copy_Mark_Pictures(data_folder));  // they come with the installation

        // The user registers a product and chooses the built-in printer.
        products::Product_Record product = render_fixtures::Filled_Product();
        test_support::Scripted_Answerer answerer;
        QVERIFY(products::Store_Product(data_folder, product, answerer).Is_Done());
        store::Settings_Record chosen = session.settings;
        chosen[store::Setting::Printer_Name] = platform::kBuilt_In_Pdf_Printer;
        QVERIFY(store::Save_Settings(session.application_folder, store::Saved_Values(chosen)).ok());

        menu.Command2->click();
        auto* screen = qobject_cast<screens::Insatsu*>(screens::Find_Window(QStringLiteral("Insatsu")));
        QVERIFY(screen);
        QVERIFY(!menu.isVisible());
        screen->Text1->setText(QStringLiteral("1"));
        screen->Text1->setFocus();
        QTest::keyClick(screen->Text1, Qt::Key_Return);
        screen->Text4->setText(QStringLiteral("1"));

        // The default layout puts the barcode over the nutrition table: the user prints anyway.
        QStringList shown;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&shown] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* kakunin = qobject_cast<screens::Kakunin*>(top);
                    kakunin && kakunin->isVisible() && kakunin->Command2->isEnabled()) {
                    shown << kakunin->Label2->text();
                    (kakunin->Command1->isVisible() ? kakunin->Command1 : kakunin->Command2)->click();
                }
        });
        answer.start(10);
        screen->Command1->click();
        answer.stop();
        QCOMPARE(shown,
                 (QStringList{QStringLiteral("このまま印刷しますか？"), QStringLiteral("印刷データを送信します")}));

        const QDir output(data_folder + platform::kPdf_Output_Folder_Name);
        const QStringList files = output.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QFile pdf(output.filePath(files.first()));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        // One page of the label's size, 45 x 65 mm.
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(bytes.count("/MediaBox [0 0 128.000000 184.000000]"), qsizetype(1));

        // A picture of the page for people to look at.
        const QString picture = e2e::Picture_Folder() + QStringLiteral("/fresh-install-label");
        QVERIFY(e2e::Run(QStringLiteral("pdftoppm"),
                         {"-png", "-r", "150", "-singlefile", output.filePath(files.first()), picture}));
        const QImage page(picture + QStringLiteral(".png"));
        QCOMPARE(page.width(), qRound(128 / 72.0 * 150));
        // The label is drawn where the page is: text near the left edge, not cut off.
        int black_left = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width() / 4; ++x)
                black_left += qGray(page.pixel(x, y)) < 128;
        QVERIFY(black_left > 1000);
        screen->close();
        session.printers = nullptr;
    }
};

QTEST_MAIN(Fresh_Install_Test)
#include "fresh_install_e2e_test.moc"
