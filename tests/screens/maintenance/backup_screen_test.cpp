// The backup screen on the offscreen platform: creating, restoring and deleting archives.
#include "maintenance/zip_archive.h"
#include "screens/maintenance/backup_screen.h"
#include "screens/maintenance/settei.h"
#include "support/screen_support.h"
#include "support/utf8.h"
#include "support/visible_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace maintenance_test;

namespace {

using test_support::Q;

struct Data_Fixture : Session_Fixture {
    Data_Fixture()
    {
        application.Write(Q("商品情報_v2.tsv"), "2.00\r\n0001\tA\r\n");
        application.Write(Q("標準01 65x45.lay"), "Ver2.00\r\n");
        application.Write(QStringLiteral("pura00.bmp"), "picture");
    }
};

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

}  // namespace

class Backup_Screen_Test : public QObject {
    Q_OBJECT
private slots:
    void defaultNameCreatesADatedArchiveInTheInstallFolder();
    void typedNameIsMadeSafe();
    void cancellingTheNameCreatesNothing();
    void restoreIntoAnotherLocation();
    void restoreAndDeleteNeedASelection();
    void damagedArchiveIsReportedNotRestored();
    void deleteRemovesTheArchive();
    void failedBackupIsReportedNotPraised();
    void chosenFolderBecomesTheDestination();
    void leavingWhileANoticeIsOpenWaitsForIt();
};

void Backup_Screen_Test::defaultNameCreatesADatedArchiveInTheInstallFolder()
{
    Data_Fixture fixture;
    Dialog_Script script;
    script.answers = {QString()};  // keep the preset name
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    QCOMPARE(screen.Combo3->currentIndex(), 1);
    screen.Command2_Click();
    QCOMPARE(script.seen.size(), size_t(2));
    QCOMPARE(script.seen[0].texts[0], Q("バックアップファイルの名称入力"));
    QCOMPARE(script.seen[0].texts[1], Q("バックアップファイルの名前を入力して下さい"));
    QCOMPARE(script.seen[0].buttons, (QStringList{Q("保存"), Q("キャンセル")}));
    const QString preset = script.seen[0].texts[2];
    QVERIFY2(QRegularExpression(Q("^\\d{4}年\\d\\d月\\d\\d日\\d\\d時\\d\\d分\\d\\d秒に保存したデータ$"))
                 .match(preset)
                 .hasMatch(),
             qPrintable(preset));
    QCOMPARE(script.seen[1].texts[2], Q("保存しました"));
    QCOMPARE(script.seen[1].buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(Items(screen.List1), QStringList{preset});
    const QStringList entries = maintenance::Zip_Entry_Names(fixture.application.File(preset + QStringLiteral(".zip")));
    QCOMPARE(entries,
             (QStringList{QStringLiteral("user_v2.dat"), Q("標準01 65x45.lay"), QStringLiteral("pura00.bmp"),
                          Q("商品情報_v2.tsv")}));
}

void Backup_Screen_Test::typedNameIsMadeSafe()
{
    Data_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("a/b:c")};
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Command2_Click();
    QVERIFY(QFileInfo::exists(fixture.application.File(Q("a／b：c.zip"))));
    QCOMPARE(Items(screen.List1), QStringList{Q("a／b：c")});
}

void Backup_Screen_Test::cancellingTheNameCreatesNothing()
{
    Data_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("cancel")};
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Command2_Click();
    QCOMPARE(script.seen.size(), size_t(1));
    QVERIFY(QDir(fixture.application.Path()).entryList({QStringLiteral("*.zip")}).isEmpty());
}

void Backup_Screen_Test::restoreIntoAnotherLocation()
{
    Data_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("made")};
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Command2_Click();

    // The data now lives on the desktop; the archive stays in the install folder.
    fixture.Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"),
                            Q("しない"), Q("デスクトップ")});
    fixture.session.Load_Settings();
    screen.List1->setCurrentRow(0);
    script.seen.clear();
    script.answers = {QStringLiteral("ok")};
    screen.Command4_Click();
    QCOMPARE(script.First_Lines(), (QStringList{QStringLiteral("made"), Q("復元しました")}));
    QCOMPARE(script.seen[0].texts[1], Q("のデータで復元します。"));
    for (const char* name : {"商品情報_v2.tsv", "標準01 65x45.lay", "pura00.bmp"})
        QCOMPARE(fixture.desktop_folder.Read(Q(name)), fixture.application.Read(Q(name)));
    QVERIFY(QFileInfo::exists(fixture.desktop_folder.File(QStringLiteral("user_v2.dat"))));
}

void Backup_Screen_Test::restoreAndDeleteNeedASelection()
{
    Data_Fixture fixture;
    fixture.application.Write(QStringLiteral("old.zip"), "");
    Dialog_Script script;
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.List1->clearSelection();
    screen.Command4_Click();
    screen.Command3_Click();
    QCOMPARE(script.First_Lines(), (QStringList{Q("復元するデータを"), Q("削除するデータを")}));
    QVERIFY(QFileInfo::exists(fixture.application.File(QStringLiteral("old.zip"))));
}

void Backup_Screen_Test::damagedArchiveIsReportedNotRestored()
{
    Data_Fixture fixture;
    fixture.application.Write(QStringLiteral("broken.zip"), "PK\x03\x04 not really");
    const QByteArray products = fixture.application.Read(Q("商品情報_v2.tsv"));
    Dialog_Script script;
    script.answers = {QStringLiteral("ok")};
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.List1->setCurrentRow(0);
    screen.Command4_Click();
    QCOMPARE(script.First_Lines(), (QStringList{QStringLiteral("broken"), Q("復元出来ませんでした")}));
    QVERIFY(!script.seen[1].texts[2].isEmpty());
    QCOMPARE(fixture.application.Read(Q("商品情報_v2.tsv")), products);
}

void Backup_Screen_Test::deleteRemovesTheArchive()
{
    Data_Fixture fixture;
    fixture.application.Write(QStringLiteral("old.zip"), "");
    Dialog_Script script;
    script.answers = {QStringLiteral("ok")};
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.List1->setCurrentRow(0);
    screen.Command3_Click();
    QCOMPARE(script.First_Lines(), (QStringList{QStringLiteral("old"), QStringLiteral("old")}));
    QCOMPARE(script.seen[1].texts[1], Q("を削除しました"));
    QVERIFY(!QFileInfo::exists(fixture.application.File(QStringLiteral("old.zip"))));
    QCOMPARE(screen.List1->count(), 0);
}

void Backup_Screen_Test::failedBackupIsReportedNotPraised()
{
    Data_Fixture fixture;
    fixture.desktop.desktop_folder = QStringLiteral("/proc");  // no archive can be written there
    Dialog_Script script;
    script.answers = {QStringLiteral("x")};
    screens::Backup screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Combo3->setCurrentIndex(2);
    screen.Command2_Click();
    QCOMPARE(script.First_Lines(),
             (QStringList{Q("バックアップファイルの名称入力"), Q("バックアップ出来ませんでした")}));
    QVERIFY(!script.seen[1].texts[2].isEmpty());
    QCOMPARE(script.seen[1].buttons, QStringList{QStringLiteral("OK")});
}

// Any folder can be the destination; a destination that is the data folder
// itself carries a reminder to keep a copy elsewhere.
void Backup_Screen_Test::chosenFolderBecomesTheDestination()
{
    Data_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("stick")};
    test_support::Temp_Folder stick;
    screens::Backup screen(fixture.session);
    QString asked_start;
    screen.Choose_Folder = [&](const QString& start) {
        asked_start = start;
        return stick.Path();
    };
    screen.show();
    screen.Form_Load();
    QVERIFY(screen.Label_Reminder->isVisible());  // the install folder holds the data
    screen.Command6->click();
    QCOMPARE(asked_start, fixture.application.Data_Folder());
    QCOMPARE(screen.Combo3->currentText(), stick.Path() + "/");
    QVERIFY(!screen.Label_Reminder->isVisible());
    screen.Command2_Click();
    QVERIFY(QFile::exists(stick.File(QStringLiteral("stick.zip"))));
    QCOMPARE(Items(screen.List1), QStringList{QStringLiteral("stick")});

    // Choosing it again selects the same entry; cancelling changes nothing.
    const int entries = screen.Combo3->count();
    screen.Command6->click();
    QCOMPARE(screen.Combo3->count(), entries);
    screen.Choose_Folder = [](const QString&) { return QString(); };
    screen.Command6->click();
    QCOMPARE(screen.Combo3->currentText(), stick.Path() + "/");
}

// A notice, then 前の画面に戻る, then OK: the screen leaves once the notice is
// answered, back to the settings screen, and the program goes on.
void Backup_Screen_Test::leavingWhileANoticeIsOpenWaitsForIt()
{
    Data_Fixture fixture;
    Dialog_Script script;
    screens::Settei settings(fixture.session);
    settings.show();
    settings.Form_Load();
    settings.Command5->click();
    QPointer<screens::Backup> backup = test_support::Visible_Window<screens::Backup>(QStringLiteral("Backup"));
    QVERIFY(backup);
    backup->List1->clearSelection();
    bool kept = false;
    script.meanwhile = [&](screens::Kakunin*) {
        QTest::mouseClick(backup->Command1, Qt::LeftButton);
        backup->Command1->click();
        kept = backup && backup->isVisible();
    };
    backup->Command4->click();
    QVERIFY(kept);
    QCOMPARE(script.First_Lines(), QStringList{Q("復元するデータを")});
    QTRY_VERIFY(!backup);
    QVERIFY(settings.isVisible());
}

QTEST_MAIN(Backup_Screen_Test)
#include "backup_screen_test.moc"
