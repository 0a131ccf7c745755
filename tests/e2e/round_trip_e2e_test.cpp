// The whole application goes round on the offscreen platform with the real
// printers of this machine: main menu -> settings (the built-in PDF printer)
// -> layout management (a new layout) -> registration (a product on it) ->
// printing (one label) -> backup -> restore.
#include "app/main_menu.h"
#include "cups_jobs.h"
#include "maintenance/zip_archive.h"
#include "platform/qt_printer_platform.h"
#include "products/product_file.h"
#include "screens/common/item_box.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/layouts/layout_m.h"
#include "screens/maintenance/backup_screen.h"
#include "screens/maintenance/settei.h"
#include "screens/printing/insatsu.h"
#include "screens/products/s_touroku.h"
#include "support/fake_desktop.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "support/utf8.h"
#include "support/visible_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using maintenance_test::Dialog_Script;

namespace {

using test_support::Q;

using test_support::Visible_Window;

}  // namespace

class Round_Trip : public QObject {
    Q_OBJECT
private slots:
    void theApplicationGoesRound();
};

void Round_Trip::theApplicationGoesRound()
{
    test_support::Temp_Folder application;
    test_support::Temp_Folder desktop_folder;
    test_support::Fake_Desktop desktop;
    desktop.application_folder = application.Path();
    desktop.desktop_folder = desktop_folder.Path();
    screens::Session session;
    platform::Qt_Printer_Platform printers(
        [&session] { return session.Data_Folder() + platform::kPdf_Output_Folder_Name; });
    session.desktop = &desktop;
    session.printers = &printers;
    session.application_folder = application.Path();

    Dialog_Script script;
    app::MainMenu menu(session);
    menu.Form_Load();
    menu.show();
    QCOMPARE(menu.Label4->text(), Q("使用プリンタ： 未設定"));

    // Settings: the built-in PDF printer.
    QTest::mouseClick(menu.Command3, Qt::LeftButton);
    auto* settings = Visible_Window<screens::Settei>();
    QVERIFY(settings);
    const int pdf = settings->Combo1->findText(platform::kBuilt_In_Pdf_Printer);
    QVERIFY(pdf >= 0);
    settings->Combo1->setCurrentIndex(pdf);
    emit settings->Combo1->activated(pdf);
    QTest::mouseClick(settings->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("設定を保存しました"));
    QTRY_VERIFY(menu.isVisible());
    QCOMPARE(menu.Label4->text(), Q("使用プリンタ：") + platform::kBuilt_In_Pdf_Printer);

    // Layout management: a new layout from the first standard one, made wider.
    QTest::mouseClick(menu.Command3, Qt::LeftButton);
    settings = Visible_Window<screens::Settei>();
    QTest::mouseClick(settings->Command3, Qt::LeftButton);
    auto* layout_screen = Visible_Window<screens::Layout_M>();
    QVERIFY(layout_screen);
    QVERIFY(!settings->isVisible());
    QVERIFY(screens::Select_List_Item(layout_screen->Combo1, Q("標準01 65x45")));
    layout_screen->Combo1_Click();
    layout_screen->Text1[1]->setText(QStringLiteral("50"));
    script.answers = {Q("店頭ラベル")};
    QTest::mouseClick(layout_screen->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("保存しました"));
    QVERIFY(QFileInfo::exists(application.File(Q("店頭ラベル.lay"))));
    QTest::mouseClick(layout_screen->Command3, Qt::LeftButton);
    QTRY_VERIFY(settings->isVisible());
    QTest::mouseClick(settings->Command2, Qt::LeftButton);
    QTRY_VERIFY(menu.isVisible());

    // Registration: product 0001 on the new layout.
    QTest::mouseClick(menu.Command1, Qt::LeftButton);
    auto* registration = Visible_Window<screens::S_Touroku>();
    QVERIFY(registration);
    registration->Text1[0]->setText(QStringLiteral("1"));
    QVERIFY(screens::Select_List_Item(registration->Combo1[0], Q("店頭ラベル")));
    registration->Text1[1]->setText(Q("品名:クッキー"));
    QTest::mouseClick(registration->Command1, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("保存しました"));
    const auto product = products::Find_Product(application.Data_Folder(), QStringLiteral("1"));
    QVERIFY(product);
    QCOMPARE((*product)[products::Layout_Name], Q("店頭ラベル"));
    QTest::mouseClick(registration->Command2, Qt::LeftButton);
    QTRY_VERIFY(menu.isVisible());

    // Printing: one label of product 0001 on the PDF printer.
    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    auto* printing_screen = Visible_Window<screens::Insatsu>();
    QVERIFY(printing_screen);
    printing_screen->Text1->setText(QStringLiteral("1"));
    QTest::keyClick(printing_screen->Text1, Qt::Key_Return);
    QCOMPARE(printing_screen->Text17->text(), Q("店頭ラベル"));
    printing_screen->Text4->setText(QStringLiteral("1"));
    // A product with nothing but its 品名 has errors (no 名称, no 責任者): the
    // label check asks before printing, and the user prints anyway.
    script.answers = {QStringLiteral("ok")};
    QTest::mouseClick(printing_screen->Command1, Qt::LeftButton);
    const QDir output(application.File(platform::kPdf_Output_Folder_Name));
    QTRY_COMPARE(output.entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), 1);
    // Kept beside the test for people to look at.
    const QString kept = e2e::Picture_Folder() + QStringLiteral("/round-trip-label.pdf");
    QFile::remove(kept);
    QVERIFY(QFile::copy(output.filePath(output.entryList({QStringLiteral("*.pdf")}).first()), kept));
    QTest::mouseClick(printing_screen->Command3, Qt::LeftButton);
    QTRY_VERIFY(menu.isVisible());

    // Backup, then a restore that brings the product back.
    QTest::mouseClick(menu.Command3, Qt::LeftButton);
    settings = Visible_Window<screens::Settei>();
    QTest::mouseClick(settings->Command5, Qt::LeftButton);
    auto* backup = Visible_Window<screens::Backup>();
    QVERIFY(backup);
    script.answers = {QStringLiteral("round")};
    QTest::mouseClick(backup->Command2, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("保存しました"));
    const QStringList entries = maintenance::Zip_Entry_Names(application.File(QStringLiteral("round.zip")));
    for (const char* name :
         {"user_v2.dat", "店頭ラベル.lay", "商品情報_v2.tsv", "文字列情報_v2.tsv", "単語テーブル_v2.tsv"})
        QVERIFY2(entries.contains(Q(name)), name);

    const QByteArray products_file = application.Read(products::kProductFileName);
    application.Write(products::kProductFileName, "2.00\r\n");
    QFile::remove(application.File(Q("店頭ラベル.lay")));
    backup->List1->setCurrentRow(backup->List1->count() - 1);
    QCOMPARE(backup->List1->currentItem()->text(), QStringLiteral("round"));
    script.answers = {QStringLiteral("ok")};
    QTest::mouseClick(backup->Command4, Qt::LeftButton);
    QCOMPARE(script.First_Lines().last(), Q("復元しました"));
    QCOMPARE(application.Read(products::kProductFileName), products_file);
    QVERIFY(QFileInfo::exists(application.File(Q("店頭ラベル.lay"))));
    QTest::mouseClick(backup->Command1, Qt::LeftButton);
    QTRY_VERIFY(settings->isVisible());
    QTest::mouseClick(settings->Command2, Qt::LeftButton);
    QTRY_VERIFY(menu.isVisible());
}

QTEST_MAIN(Round_Trip)
#include "round_trip_e2e_test.moc"
