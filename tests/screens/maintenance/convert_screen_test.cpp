// The conversion screen on the offscreen platform.
#include "products/product_file.h"
#include "screens/maintenance/convert_screen.h"
#include "support/screen_support.h"
#include "support/utf8.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace maintenance_test;

namespace {

using test_support::Q;

QString Old_Record(const char* number, const char* name)
{
    QStringList fields(22);
    fields[0] = QString::fromLatin1(number);
    fields[1] = Q(name);
    fields[17] = Q("紙＆プラ");
    fields[18] = Q("紙<r>外箱");
    fields[19] = Q("プラ<r>袋");
    fields[20] = Q("65×45(ヨコ)");
    fields[21] = QStringLiteral("xxxxxxxxxxx");
    return fields.join(QLatin1Char('\t'));
}

}  // namespace

class Convert_Screen_Test : public QObject {
    Q_OBJECT
private slots:
    void fileThatIsNotFrom108IsRefused();
    void conversionMergesIntoTheProductFile();
    void folderButtonPutsTheChosenPathIntoTheBox();
};

void Convert_Screen_Test::fileThatIsNotFrom108IsRefused()
{
    Session_Fixture fixture;
    fixture.application.Write(QStringLiteral("v2.tsv"), "2.00\r\n");
    Dialog_Script script;
    screens::Convert screen(fixture.session);
    screen.show();
    screen.Form_Load();
    QVERIFY(!screen.Command6->isEnabled());
    screen.Text1->setText(fixture.application.File(QStringLiteral("missing.tsv")));
    QVERIFY(script.seen.empty());
    screen.Text1->setText(fixture.application.File(QStringLiteral("v2.tsv")));
    QCOMPARE(script.First_Lines(), QStringList{Q("選択されたﾌｧｲﾙは")});
    QCOMPARE(screen.Text1->text(), QString());
    QVERIFY(!screen.Command6->isEnabled());
}

void Convert_Screen_Test::conversionMergesIntoTheProductFile()
{
    Session_Fixture fixture;
    fixture.application.Write(products::kProductFileName,
                              test_support::Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0002\tcurrent")}));
    fixture.application.Write(
        Q("商品情報.tsv"),
        test_support::Cp932_Lines({QStringLiteral("1.08 old"), Old_Record("0001", "一"), Old_Record("0003", "三")}));
    Dialog_Script script;
    screens::Convert screen(fixture.session);
    screen.show();
    screen.Form_Load();
    screen.Text1->setText(fixture.application.File(Q("商品情報.tsv")));
    QVERIFY(screen.Command6->isEnabled());
    screen.Command6_Click();
    QCOMPARE(script.First_Lines(), QStringList{Q("コンバートしました")});
    const QStringList lines = store::Read_Text_Lines(fixture.application.File(products::kProductFileName)).lines;
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[1].startsWith(QStringLiteral("0001\t") + Q("標準02 65x45 ﾜｸ無 ﾖｺ\t一")));
    QCOMPARE(lines[2], QStringLiteral("0002\tcurrent"));
    QVERIFY(lines[3].endsWith(Q("紙\t紙\t外箱\tプラ\tプラ\t袋")));
    QVERIFY(screen.isVisible());
}

void Convert_Screen_Test::folderButtonPutsTheChosenPathIntoTheBox()
{
    Session_Fixture fixture;
    fixture.application.Write(Q("商品情報.tsv"), test_support::Cp932_Lines({QStringLiteral("1.08")}));
    screens::Convert screen(fixture.session);
    QString asked_folder;
    screen.Choose_File = [&](const QString& start) {
        asked_folder = start;
        return fixture.application.File(Q("商品情報.tsv"));
    };
    screen.show();
    screen.Form_Load();
    screen.Folder_Button_Click(screen.Command4);
    QCOMPARE(asked_folder, QStringLiteral("/mnt/c/Program Files (x86)/Parvelina/"));
    QCOMPARE(screen.Text1->text(), fixture.application.File(Q("商品情報.tsv")));
    QVERIFY(screen.Command6->isEnabled());
    screen.Choose_File = [](const QString&) { return QString(); };
    screen.Folder_Button_Click(screen.Command5);
    QCOMPARE(screen.Text1->text(), fixture.application.File(Q("商品情報.tsv")));

    // A file copied from Windows into the home folder is reachable: the chooser
    // for any place is always offered and starts in the home folder.
    QVERIFY(!screen.Command2->isEnabled());
    QVERIFY(screen.Command8->isEnabled());
    screen.Choose_File = [&](const QString& start) {
        asked_folder = start;
        return QString();
    };
    screen.Command8->click();
    QCOMPARE(asked_folder, QDir::homePath() + "/");
}

QTEST_MAIN(Convert_Screen_Test)
#include "convert_screen_test.moc"
