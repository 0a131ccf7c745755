// Every window fits the screen it opens on with its title bar on the screen,
// and is never squeezed below what its contents need (they scroll instead).
// Run once per screen size: the offscreen screen comes from a config file.
#include "every_window.h"
#include "screens/common/item_box.h"
#include "screens/common/widget_helpers.h"
#include "screens/layouts/layout_m.h"
#include "screens/products/genzairyou.h"
#include "screens/products/s_touroku.h"
#include "support/screen_support.h"
#include "support/visible_window.h"

#include "screens/common/s_preview.h"
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>
#include <QtTest>

#include <functional>
#include <memory>

using app_test::Opener;

class Window_Fit_Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        fixture_ = app_test::Every_Window_Session();
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        qInfo() << "screen" << screen;
        QVERIFY(screen == QSize(1366, 768) || screen == QSize(1024, 600));
    }

    void fitsTheScreen_data() { app_test::Add_Every_Window_Rows(); }

    void fitsTheScreen()
    {
        QFETCH(Opener, open);
        QFETCH(QString, name);
        std::unique_ptr<QWidget> window(open(fixture_->session));
        QCOMPARE(window->objectName(), name);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Verify_Fits(window.get());
        Verify_Buttons_Reachable(window.get());
        Verify_Focus_Scrolls_Into_View(window.get());
        Save_Picture(QString::fromLatin1(QTest::currentDataTag()), window.get());
    }

    // The word table is a window of the registration screen: beside it
    // when the screen has room, else beside the ingredients box and never over
    // it; in front of the screen even while the user types there; it moves,
    // hides and closes with the screen.
    void wordTableStaysBesideTheRegistrationScreen()
    {
        auto* screen = new screens::S_Touroku(fixture_->session);
        QPointer<screens::S_Touroku> guard(screen);
        screen->show();
        screen->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        screens::Item_Box* box = screen->Text1[screens::S_Touroku::kIngredientsBox];
        QTest::mouseDClick(box->viewport(), Qt::LeftButton);
        QPointer<screens::Genzairyou> table =
            test_support::Visible_Window<screens::Genzairyou>(QStringLiteral("Genzairyou"));
        QVERIFY(table);
        if (Under_Window_Manager())
            QCOMPARE(table->windowHandle()->transientParent(), screen->windowHandle());
        QVERIFY(QTest::qWaitForWindowExposed(table));
        Verify_Fits(table);
        const QRect box_area(box->mapToGlobal(QPoint(0, 0)), box->size());
        QVERIFY2(!box_area.intersects(Frame_Of(table)), "the word table covers the ingredients box");
        Save_Picture(QStringLiteral("Genzairyou_beside_S_Touroku"), screen, table);
        if (Under_Window_Manager()) {
            screen->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(screen));
            QTest::mouseClick(box->viewport(), Qt::LeftButton);
            QTest::qWait(200);
            QVERIFY2(Stacked_Above(table, screen), "the word table went behind the registration screen");
        }
        table->close();
        QTRY_VERIFY(!table);

        // A narrower screen at the left leaves room: the table stands beside it.
        const QRect area = screen->screen()->availableGeometry();
        screen->layout()->setSizeConstraint(QLayout::SetNoConstraint);
        screen->setMinimumSize(0, 0);
        screen->resize(area.width() / 2, area.height() / 2);
        screen->move(area.topLeft());
        QTest::qWait(200);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton);
        table = test_support::Visible_Window<screens::Genzairyou>(QStringLiteral("Genzairyou"));
        QVERIFY(table);
        QVERIFY(QTest::qWaitForWindowExposed(table));
        const QRect screen_frame = Frame_Of(screen);
        const QRect table_frame = Frame_Of(table);
        // Offscreen the frames are only guessed: the window manager's are compared.
        QVERIFY2(!Under_Window_Manager() || !screen_frame.intersects(table_frame),
                 qPrintable(QStringLiteral("the word table at %1,%2 covers the screen at %3,%4 %5x%6")
                                .arg(table_frame.x())
                                .arg(table_frame.y())
                                .arg(screen_frame.x())
                                .arg(screen_frame.y())
                                .arg(screen_frame.width())
                                .arg(screen_frame.height())));
        QVERIFY(area.contains(table_frame));
        QVERIFY(table_frame.x() > screen_frame.x());  // on the right, where the screen left room

        // It follows the screen's moves, hides and shows with it, and closes with it.
        const QPoint before = table->pos();
        screen->move(screen->pos() + QPoint(20, 30));
        QTRY_COMPARE(table->pos(), before + QPoint(20, 30));
        screen->hide();
        QTRY_VERIFY(!table->isVisible());
        screen->show();
        QTRY_VERIFY(table->isVisible());
        screen->close();
        QTRY_VERIFY(!table || !table->isVisible());
        delete guard.data();
    }

    // Enter in an editing screen redraws the preview and leaves the preview in
    // front of the screen, the focus in the screen's box.
    void previewStaysInFront_data()
    {
        QTest::addColumn<QString>("screen_name");
        QTest::newRow("S_Touroku") << QStringLiteral("S_Touroku");
        QTest::newRow("Layout_M") << QStringLiteral("Layout_M");
    }

    void previewStaysInFront()
    {
        if (!Under_Window_Manager())
            QSKIP("stacking needs a window manager");
        QFETCH(QString, screen_name);
        std::unique_ptr<QWidget> screen;
        QWidget* box = nullptr;
        std::function<void()> preview;
        if (screen_name == QStringLiteral("S_Touroku")) {
            auto* touroku = new screens::S_Touroku(fixture_->session);
            screen.reset(touroku);
            touroku->show();
            touroku->Form_Load();
            box = touroku->Text1[screens::S_Touroku::kProductNameBox];
            preview = [touroku] { touroku->Command3->click(); };
        } else {
            auto* layout = new screens::Layout_M(fixture_->session);
            screen.reset(layout);
            layout->show();
            layout->Form_Load();
            layout->Combo1->setCurrentIndex(1);
            layout->Combo1_Click();
            box = layout->Text1[0];
            preview = [layout] { layout->Command12->click(); };
        }
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        preview();
        screens::S_Preview* window = screens::Current_Preview();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_VERIFY2(Stacked_Above(window, screen.get()), "the preview is behind the screen");
        QTest::qWait(300);
        QVERIFY2(Stacked_Above(window, screen.get()), "the preview went behind the screen");
        QCOMPARE(QApplication::focusWidget(), box);
        window->close();
    }

private:
    // Whether the window manager stacks `upper` above `lower` (_NET_CLIENT_LIST_STACKING, bottom first).
    static bool Stacked_Above(QWidget* upper, QWidget* lower)
    {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
        if (!xprop.waitForFinished(5000))
            return false;
        const QString output = QString::fromLatin1(xprop.readAllStandardOutput());
        QList<WId> order;
        for (const QString& id : output.section(QLatin1Char('#'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
            order << id.trimmed().toULongLong(nullptr, 16);
        const qsizetype up = order.indexOf(upper->winId());
        const qsizetype down = order.indexOf(lower->winId());
        return up >= 0 && down >= 0 && up > down;
    }

    static bool Under_Window_Manager() { return QGuiApplication::platformName() == QStringLiteral("xcb"); }

    // The window with its frame: the one the window manager drew, or offscreen
    // the room a window manager would take.
    static QRect Frame_Of(QWidget* window)
    {
        const QRect allowed(
            window->pos(),
            window->size() + QSize(screens::kBorderAllowance, screens::kTitleBarAllowance + screens::kBorderAllowance));
        if (!Under_Window_Manager())
            return allowed;
        if (!QTest::qWaitFor([window] { return window->frameGeometry() != window->geometry(); }, 5000)) {
            // Qt may learn a frame late on a busy machine: judge by the room a frame takes.
            qWarning() << window->objectName() << "has no frame yet";
            return allowed;
        }
        QTest::qWait(100);  // the window manager's last move of a newly framed window
        return window->frameGeometry();
    }

    // With WINDOW_SCREENSHOTS=DIR: the screen as the user sees it, windows at
    // their places (PICTURE-WxH.png), and the windows alone (PICTURE-WxH-window.png).
    // Under a window manager the screen itself is taken, frames and all.
    static void Save_Picture(const QString& picture, QWidget* window, QWidget* on_top = nullptr)
    {
        const QString folder = qEnvironmentVariable("WINDOW_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QRect windows;
        for (QWidget* shown : {window, on_top})
            if (shown)
                windows |= shown->frameGeometry();
        QImage screen;
        if (Under_Window_Manager()) {
            QTest::qWait(300);  // painted and stacked
            screen = window->screen()->grabWindow(0).toImage();
        } else {
            screen = QImage(window->screen()->geometry().size(), QImage::Format_RGB32);
            screen.fill(Qt::darkGray);
            QPainter painter(&screen);
            for (QWidget* shown : {window, on_top})
                if (shown)
                    painter.drawPixmap(shown->pos(), shown->grab());
        }
        const QSize size = window->screen()->geometry().size();
        const QString name = QStringLiteral("%1/%2-%3x%4").arg(folder, picture).arg(size.width()).arg(size.height());
        screen.save(name + QStringLiteral(".png"));
        screen.copy(windows.intersected(screen.rect())).save(name + QStringLiteral("-window.png"));
    }

    // Every shown button lies inside the window, or inside contents that scroll to it.
    static void Verify_Buttons_Reachable(QWidget* window)
    {
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (!button->isVisible())
                continue;
            QWidget* within = window;
            for (QWidget* up = button->parentWidget(); up && up != window; up = up->parentWidget())
                if (auto* scroll = qobject_cast<QScrollArea*>(up); scroll && scroll->widget())
                    within = scroll->widget();
            const QRect place(button->mapTo(within, QPoint(0, 0)), button->size());
            QVERIFY2(QRect(QPoint(0, 0), within->size()).contains(place)
                         && button->height() >= button->minimumSizeHint().height(),
                     qPrintable(QStringLiteral("%1: %2 \"%3\" is cut off at %4,%5 %6x%7")
                                    .arg(window->objectName(), button->objectName(), button->text())
                                    .arg(place.x())
                                    .arg(place.y())
                                    .arg(place.width())
                                    .arg(place.height())));
        }
    }

    // In a window that scrolls, each box that gets the focus is scrolled into view.
    static void Verify_Focus_Scrolls_Into_View(QWidget* window)
    {
        auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("Fit_Scroll"));
        if (!scroll)
            return;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (QWidget* box : scroll->widget()->findChildren<QWidget*>()) {
            if (!box->isVisible() || box->focusPolicy() == Qt::NoFocus || !box->isEnabled())
                continue;
            box->setFocus(Qt::TabFocusReason);
            const QRect shown(box->mapTo(scroll->viewport(), QPoint(0, 0)), box->size());
            QVERIFY2(
                scroll->viewport()->rect().intersects(shown),
                qPrintable(
                    QStringLiteral("%1: %2 has the focus out of view").arg(window->objectName(), box->objectName())));
        }
    }

    static void Verify_Fits(QWidget* window)
    {
        const QRect area = window->screen()->availableGeometry();
        const QRect with_frame = Frame_Of(window);
        QVERIFY2(area.contains(with_frame),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the screen")
                                .arg(window->objectName())
                                .arg(with_frame.x())
                                .arg(with_frame.y())
                                .arg(with_frame.width())
                                .arg(with_frame.height())));
        const QSize needed = window->minimumSizeHint();
        QVERIFY2(window->width() >= needed.width() && window->height() >= needed.height(),
                 qPrintable(QStringLiteral("%1 is %2x%3, its contents need %4x%5")
                                .arg(window->objectName())
                                .arg(window->width())
                                .arg(window->height())
                                .arg(needed.width())
                                .arg(needed.height())));
    }

    std::unique_ptr<maintenance_test::Session_Fixture> fixture_;
};

QTEST_MAIN(Window_Fit_Test)
#include "window_fit_test.moc"
