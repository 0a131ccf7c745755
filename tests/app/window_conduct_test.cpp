// How every window behaves towards the user's hand: a window that waits for an
// answer can be neither used nor closed until it has it, every window that
// asks is one the dialogs know, Return and keypad Enter press the focused
// button, and Escape closes every window whose close is a way back.
#include "app/main_menu.h"
#include "every_window.h"
#include "screens/common/dialogs.h"
#include "screens/common/widget_helpers.h"
#include "screens/layouts/layout_m.h"
#include "screens/products/s_touroku.h"
#include "support/screen_support.h"
#include "support/visible_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

using app_test::Opener;

namespace {

QList<QWidget*> Visible_Windows()
{
    QList<QWidget*> shown;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            shown << top;
    return shown;
}

}  // namespace

class Window_Conduct_Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture_ = app_test::Every_Window_Session(); }

    void init() { script_ = std::make_unique<maintenance_test::Dialog_Script>(); }

    void cleanup()
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            top->close();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible())
                top->deleteLater();
        QTest::qWait(20);
        script_.reset();
    }

    // A window that asks is known to the dialogs under its own name: its
    // notice is answered, never the end of the program.
    void everyAnswererIsKnown_data() { app_test::Add_Every_Window_Rows(); }
    void everyAnswererIsKnown()
    {
        QFETCH(Opener, open);
        QFETCH(QString, name);
        QFETCH(bool, asks);
        QPointer<QWidget> window = open(fixture_->session);
        QCOMPARE(window->objectName(), name);
        if (!asks)
            QSKIP("asks nothing");
        QVERIFY2(screens::Is_Known_Caller(name), qPrintable(name));
        screens::Show_Confirmation(QStringLiteral("確認"), {}, {}, name, false, true, {}, QStringLiteral("はい"),
                                   store::kWarningColour);
        QCOMPARE(script_->Kakunin_Lines(), QStringList{QStringLiteral("確認/")});
    }

    // Every window that answers the dialogs is among the windows gone through here.
    void everyKnownCallerIsAWindowOfTheList()
    {
        QStringList listed;
        for (const app_test::Window_Opening& window : app_test::Every_Window())
            listed << window.name;
        for (const QString& caller : screens::Known_Callers())
            QVERIFY2(listed.contains(caller), qPrintable(caller + QStringLiteral(" is not in the list of windows")));
    }

    // While its question is open, a window takes no click, key or Escape, and
    // closing it is put off until the answer, then done.
    void waitingWindowIsNeitherUsedNorClosed_data() { app_test::Add_Every_Window_Rows(); }
    void waitingWindowIsNeitherUsedNorClosed()
    {
        QFETCH(Opener, open);
        QPointer<QWidget> window = open(fixture_->session);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QString name = window->objectName();
        QList<QWidget*> shown_before;
        bool kept = false;
        script_->meanwhile = [&](screens::Kakunin*) {
            shown_before = Visible_Windows();
            for (QPushButton* button : window->findChildren<QPushButton*>())
                if (button->isVisible() && button->isEnabled())
                    QTest::mouseClick(button, Qt::LeftButton);
            if (QWidget* focus = window->focusWidget())
                QTest::keyClick(focus, Qt::Key_Escape);
            window->close();
            kept = window && window->isVisible() && Visible_Windows() == shown_before;
        };
        screens::Screen_Answerer answerer(
            name);  // the window's answerer (windows that ask nothing have none of their own)
        answerer.Notify(QStringLiteral("保存しました"), {}, store::kInformationColour);
        QVERIFY2(kept, qPrintable(name + QStringLiteral(" was used or closed while it waited")));
        QTRY_VERIFY(!window || !window->isVisible());
    }

    // Return and keypad Enter press the focused button, as Space does, in every window.
    void returnAndEnterPressTheFocusedButton_data() { app_test::Add_Every_Window_Rows(); }
    void returnAndEnterPressTheFocusedButton()
    {
        QFETCH(Opener, open);
        QPointer<QWidget> window = open(fixture_->session);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* probe = new QPushButton(QStringLiteral("probe"), window);
        probe->show();
        probe->setFocus();
        int pressed = 0;
        connect(probe, &QPushButton::clicked, this, [&pressed] { ++pressed; });
        QTest::keyClick(probe, Qt::Key_Return);
        QTest::keyClick(probe, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(probe, Qt::Key_Space);
        QCOMPARE(pressed, 3);
        QVERIFY(probe->isDefault());  // drawn as the button Return presses
        probe->setEnabled(false);
        QTest::keyClick(probe, Qt::Key_Return);
        QCOMPARE(pressed, 3);
    }

    // Escape closes every window but the main menu, whose close ends the program.
    void escapeClosesTheWindow_data() { app_test::Add_Every_Window_Rows(); }
    void escapeClosesTheWindow()
    {
        QFETCH(Opener, open);
        QPointer<QWidget> window = open(fixture_->session);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QWidget* focus = window->focusWidget() ? window->focusWidget() : window.data();
        QTest::keyClick(focus, Qt::Key_Escape);
        const bool menu = QTest::currentDataTag() == QByteArray("MainMenu");
        QTRY_COMPARE(window && window->isVisible(), menu);
    }

    // The main menu from the keyboard: Return on 商品情報の登録 opens the registration screen.
    void mainMenuFromTheKeyboard()
    {
        app::MainMenu menu(fixture_->session);
        menu.Form_Load();
        menu.show();
        menu.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        menu.Command1->setFocus();
        QTest::keyClick(menu.Command1, Qt::Key_Return);
        QVERIFY(test_support::Visible_Window<screens::S_Touroku>(QStringLiteral("S_Touroku")));
        QVERIFY(!menu.isVisible());
    }

private:
    std::unique_ptr<maintenance_test::Session_Fixture> fixture_;
    std::unique_ptr<maintenance_test::Dialog_Script> script_;
};

QTEST_MAIN(Window_Conduct_Test)
#include "window_conduct_test.moc"
