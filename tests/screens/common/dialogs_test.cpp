// Screen tests of the shared dialogs and the main menu (offscreen platform).
#include "screens/common/dialogs.h"
#include "screens/common/printer_check.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "support/temp_folder.h"
#include "support/visible_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

using test_support::Visible_Window;

// Runs `action` on the Kakunin window as soon as it is showing.
void When_Kakunin_Shows(std::function<void(screens::Kakunin*)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* dialog = Visible_Window<screens::Kakunin>(QStringLiteral("Kakunin"))) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start(20);
}

}  // namespace

class Dialogs_Test : public QObject {
    Q_OBJECT

    QWidget* caller = nullptr;

private slots:
    void init()
    {
        caller = new QWidget;
        caller->setObjectName(QStringLiteral("S_Touroku"));
        screens::Add_Ret_Code(caller);
        caller->show();
    }
    void cleanup() { delete caller; }

    void linesWiderThan28BytesAreCut()
    {
        const QString exact = QString(14, QChar(0x3042));  // 28 bytes
        QCOMPARE(screens::Confirmation_Line(exact), exact);
        QCOMPARE(screens::Confirmation_Line(exact + "a"), QString(13, QChar(0x3042)) + QChar(0x2026));
        QCOMPARE(screens::Confirmation_Line(QString(27, 'a') + QString(1, QChar(0x3042))),
                 QString(26, 'a') + QChar(0x2026));
        QCOMPARE(screens::Confirmation_Line(QString(25, 'a') + QString(2, QChar(0x3042))),
                 QString(25, 'a') + QChar(0x3042) + QChar(0x2026));
    }

    void cutLinesAreShownInFullBelow()
    {
        const QString detail = QStringLiteral("/home/user/data/商品情報_v2.tsv を読み込めません: Permission denied");
        QString label2;
        QString details;
        bool details_shown = true;
        When_Kakunin_Shows([&](screens::Kakunin* k) {
            label2 = k->Label2->text();
            details = k->Details->text();
            details_shown = k->Details->isVisible();
            k->Command2->click();
        });
        screens::Show_Confirmation(QStringLiteral("書き込み出来ません"), detail, {}, QStringLiteral("S_Touroku"), false,
                                   true, {}, QStringLiteral("はい"), store::kWarningColour);
        QCOMPARE(label2, screens::Confirmation_Line(detail));
        QVERIFY(details_shown);
        QCOMPARE(details, detail);

        When_Kakunin_Shows([&](screens::Kakunin* k) {
            details_shown = k->Details->isVisible();
            k->Command2->click();
        });
        screens::Show_Confirmation(QStringLiteral("保存しました"), {}, {}, QStringLiteral("S_Touroku"), false, true, {},
                                   QStringLiteral("はい"), store::kInformationColour);
        QVERIFY(!details_shown);
    }

    void missingPrinterMessageSaysTheEditsStay()
    {
        QCOMPARE(screens::Printer_Missing_Message().split(QLatin1Char('\n')),
                 (QStringList{QStringLiteral("指定のプリンターが見つかりません"),
                              QStringLiteral("メインメニュー→各種設定より、プリンターを選択して下さい"),
                              QStringLiteral("印刷結果は表示しません(入力した内容はそのまま残ります)")}));
    }

    void firstButtonAnswersOkAndShowsTheRequest()
    {
        QString seen;
        When_Kakunin_Shows([&](screens::Kakunin* k) {
            seen = k->Label1->text() + "|" + k->Label2->text() + "|" + k->Command1->text() + "|" + k->Command2->text()
                + "|" + k->Ret_Form->text() + "|" + k->palette().color(QPalette::Window).name();
            k->Command1->click();
        });
        const bool ok = screens::Show_Confirmation(QStringLiteral("入力内容を全て消去します"),
                                                   QStringLiteral("よろしいですか？"), {}, QStringLiteral("S_Touroku"),
                                                   true, true, QStringLiteral("はい"), QStringLiteral("いいえ"),
                                                   store::kWarningColour);
        QVERIFY(ok);
        QCOMPARE(seen, QStringLiteral("入力内容を全て消去します|よろしいですか？|はい|いいえ|S_Touroku|#ffe0c0"));
        QCOMPARE(caller->findChild<QLabel*>("Ret_Code")->text(), QStringLiteral("ok"));
    }

    void closeBoxAndNAnswerCancelYAnswersOk()
    {
        When_Kakunin_Shows([](screens::Kakunin* k) { k->close(); });
        QVERIFY(!screens::Show_Confirmation("a", "b", "c", "S_Touroku", true, true, "はい", "いいえ",
                                            store::kWarningColour));

        When_Kakunin_Shows([](screens::Kakunin* k) { QTest::keyClick(k->Command1, Qt::Key_N); });
        QVERIFY(!screens::Show_Confirmation("a", "b", "c", "S_Touroku", true, true, "はい", "いいえ",
                                            store::kWarningColour));

        When_Kakunin_Shows([](screens::Kakunin* k) { QTest::keyClick(k->Command1, Qt::Key_Y); });
        QVERIFY(screens::Show_Confirmation("a", "b", "c", "S_Touroku", true, true, "はい", "いいえ",
                                           store::kWarningColour));
    }

    // Return and Enter press the focused button: the first one as it opens, or the one tabbed to.
    void returnAndEnterPressTheFocusedButton()
    {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            When_Kakunin_Shows([key](screens::Kakunin* k) { QTest::keyClick(k->focusWidget(), key); });
            QVERIFY(screens::Show_Confirmation("a", "b", "c", "S_Touroku", true, true, "はい", "いいえ",
                                               store::kWarningColour));

            When_Kakunin_Shows([key](screens::Kakunin* k) {
                k->Command2->setFocus();
                QVERIFY(k->Command2->isDefault() && !k->Command1->isDefault());  // drawn as the one Return presses
                QTest::keyClick(k->focusWidget(), key);
            });
            QVERIFY(!screens::Show_Confirmation("a", "b", "c", "S_Touroku", true, true, "はい", "いいえ",
                                                store::kWarningColour));

            // A notice's only button: the wait below ends only when Return answered it.
            When_Kakunin_Shows([key](screens::Kakunin* k) { QTest::keyClick(k->focusWidget(), key); });
            screens::Screen_Answerer answerer{QStringLiteral("S_Touroku")};
            answerer.Notify(QStringLiteral("保存しました"), {}, store::kInformationColour);
        }
    }

    void noticeShowsOnlyTheSecondButton()
    {
        bool first_visible = true;
        When_Kakunin_Shows([&](screens::Kakunin* k) {
            first_visible = k->Command1->isVisible();
            k->Command2->click();
        });
        screens::Screen_Answerer answerer{QStringLiteral("S_Touroku")};
        answerer.Notify(QStringLiteral("保存しました"), {}, store::kInformationColour);
        QVERIFY(!first_visible);
    }

    void inputWindowEmptyTextAnswersCancel()
    {
        caller->setObjectName(QStringLiteral("Backup"));
        QLabel* ret_code = caller->findChild<QLabel*>("Ret_Code");
        for (const QString& typed : {QString(), QStringLiteral("夏のバックアップ")}) {
            auto* input = new screens::InputWindowA;
            input->Ret_Form->setText(QStringLiteral("Backup"));
            input->show();
            ret_code->clear();
            input->Text1->setText(typed);
            input->Command1->click();
            QCOMPARE(ret_code->text(), typed.isEmpty() ? QStringLiteral("cancel") : typed);
        }
    }

    void listHelpers()
    {
        QListWidget empty;
        QVERIFY(!screens::Select_List_Item(&empty, "x"));
        QComboBox combo;
        combo.addItems({"Ａ", "A", "A"});
        QVERIFY(screens::Select_List_Item(&combo, "A"));
        QCOMPARE(combo.currentIndex(), 1);
        QVERIFY(!screens::Select_List_Item(&combo, "a"));
        QCOMPARE(combo.currentIndex(), 1);
        QVERIFY(screens::Set_Dropdown_Width(&combo, 500));
        QVERIFY(!screens::Set_Dropdown_Width(&combo, 500));
    }
};

QTEST_MAIN(Dialogs_Test)
#include "dialogs_test.moc"
