// The paper selection window: the list of a printer's sizes and the hand-over
// of the chosen number to the settings screen or the layout screen.
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/yousi_set.h"
#include "screens/maintenance/settei.h"
#include "support/fake_printer_platform.h"
#include "support/screen_support.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using screens::Yousi_Set;

class Yousi_Set_Test : public QObject {
    Q_OBJECT

    screens::Session session;

    test_support::Fake_Printer_Platform printers{
        {{QStringLiteral("Zebra"),
          {QPageSize(QPageSize::A4),
           QPageSize(QSizeF(115, 115), QPageSize::Millimeter, QStringLiteral("w326h326"), QPageSize::ExactMatch)}}}};
    std::unique_ptr<QWidget> settei;
    QComboBox* combo = nullptr;
    QLabel* label14 = nullptr;
    QPushButton* command4 = nullptr;
    QString box_text;

    void Expect_Message_Box()
    {
        box_text.clear();
        QTimer::singleShot(0, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box_text = box->text();
                box->accept();
            }
        });
    }

private slots:
    void init()
    {
        session.printers = &printers;
        settei = std::make_unique<QWidget>();
        settei->setObjectName(QStringLiteral("Settei"));
        combo = new QComboBox(settei.get());
        combo->setObjectName(QStringLiteral("Combo1"));
        combo->addItems({QStringLiteral("Zebra"), QStringLiteral("Missing")});
        label14 = new QLabel(QStringLiteral("0000"), settei.get());
        label14->setObjectName(QStringLiteral("Label14"));
        command4 = new QPushButton(QStringLiteral("少々お待ち下さい"), settei.get());
        command4->setObjectName(QStringLiteral("Command4"));
        command4->setEnabled(false);
        settei->setEnabled(false);
        settei->show();
    }

    void cleanup() { settei.reset(); }

    void listsTheSizesOfThePrinterShownOnTheSettingsScreen()
    {
        QPointer<Yousi_Set> window = screens::Open_Paper_Selection(session, QStringLiteral("Settei"));
        QCOMPARE(window->Label3->text(), QStringLiteral("Zebraに登録されている用紙一覧"));
        QCOMPARE(window->List1->count(), 2);
        QCOMPARE(window->List1->item(0)->text(), QStringLiteral("0009:210mmx297mmの用紙 "));
        QCOMPARE(window->List1->item(1)->text(), QStringLiteral("0256:115mmx115mmの用紙  (お勧め)"));
        QVERIFY(screens::Find_Window(QStringLiteral("WorkBar")) == nullptr
                || !screens::Find_Window(QStringLiteral("WorkBar"))->isVisible());

        window->List1->setCurrentRow(0);
        window->Command1->click();
        QCOMPARE(label14->text(), QStringLiteral("0009"));
        QVERIFY(settei->isEnabled());
        QVERIFY(command4->isEnabled());
        QCOMPARE(command4->text(), QStringLiteral("登録用紙の一覧を表示"));
        QTRY_VERIFY(window.isNull());
    }

    void clearingHandsBack0000AndCancelKeepsTheNumber()
    {
        label14->setText(QStringLiteral("0009"));
        QPointer<Yousi_Set> window = screens::Open_Paper_Selection(session, QStringLiteral("Settei"));
        window->Command2->click();
        QCOMPARE(label14->text(), QStringLiteral("0009"));
        QVERIFY(settei->isEnabled());

        settei->setEnabled(false);
        window = screens::Open_Paper_Selection(session, QStringLiteral("Settei"));
        window->Command3->click();
        QCOMPARE(label14->text(), QStringLiteral("0000"));
        QVERIFY(settei->isEnabled());
    }

    void closingTheWindowGivesTheCallerBackUnchanged()
    {
        label14->setText(QStringLiteral("0011"));
        QPointer<Yousi_Set> window = screens::Open_Paper_Selection(session, QStringLiteral("Settei"));
        window->close();
        QCOMPARE(label14->text(), QStringLiteral("0011"));
        QVERIFY(settei->isEnabled());
        QVERIFY(command4->isEnabled());
    }

    void selectingWithoutAnEntryAsksForOneAndStaysOpen()
    {
        QPointer<Yousi_Set> window = screens::Open_Paper_Selection(session, QStringLiteral("Settei"));
        Expect_Message_Box();
        window->Command1->click();
        QCOMPARE(box_text, QStringLiteral("使用する用紙を選択して下さい"));
        QVERIFY(!window.isNull() && window->isVisible());
        QVERIFY(!settei->isEnabled());
        window->close();
    }

    void aPrinterThatIsNotInstalledIsReported()
    {
        combo->setCurrentIndex(1);
        Expect_Message_Box();
        QPointer<Yousi_Set> window = screens::Open_Paper_Selection(session, QStringLiteral("Settei"));
        QCOMPARE(box_text, QStringLiteral("プリンターが見つかりませんでした"));
        QCOMPARE(window->List1->count(), 0);
        window->close();
    }

    void theSettingsScreenOpensItForItsPrinterAndGetsTheNumber()
    {
        settei.reset();
        maintenance_test::Session_Fixture fixture;  // printers Zebra, Lesprit T2, SATO FI212T with A4
        fixture.Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000")});
        screens::Settei screen(fixture.session);
        screen.show();
        screen.Form_Load();
        QVERIFY(screen.Command4->isEnabled());
        screen.Command4->click();
        QVERIFY(!screen.isEnabled());
        auto* window = qobject_cast<Yousi_Set*>(screens::Find_Window(QStringLiteral("Yousi_Set")));
        QVERIFY(window);
        QCOMPARE(window->Label3->text(), QStringLiteral("Zebraに登録されている用紙一覧"));
        QCOMPARE(window->List1->count(), 1);
        window->List1->setCurrentRow(0);
        window->Command1->click();
        QCOMPARE(screen.Label14->text(), QStringLiteral("0009"));
        QVERIFY(screen.isEnabled());
        QCOMPARE(screen.Command4->text(), QStringLiteral("登録用紙の一覧を表示"));
    }

    void theLayoutScreenGetsTheNumberInText1Element105()
    {
        QWidget layout_m;
        layout_m.setObjectName(QStringLiteral("Layout_M"));
        auto* text105 = new QLineEdit(QStringLiteral("0000"), &layout_m);
        text105->setObjectName(QStringLiteral("Text1(105)"));
        auto* command15 = new QPushButton(QStringLiteral("用紙番号指定"), &layout_m);
        command15->setObjectName(QStringLiteral("Command15"));
        command15->setEnabled(false);
        layout_m.setEnabled(false);
        layout_m.show();

        QPointer<Yousi_Set> window = screens::Open_Paper_Selection(session, QStringLiteral("Layout_M"));
        window->List1->setCurrentRow(1);
        emit window->List1->itemDoubleClicked(window->List1->item(1));
        QCOMPARE(text105->text(), QStringLiteral("0256"));
        QVERIFY(layout_m.isEnabled());
        QVERIFY(command15->isEnabled());
        QCOMPARE(label14->text(), QStringLiteral("0000"));
    }
};

QTEST_MAIN(Yousi_Set_Test)
#include "yousi_set_test.moc"
