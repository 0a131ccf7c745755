// Every window fits the screen it opens on with its title bar on the screen,
// and is never squeezed below what its contents need (they scroll instead).
// Run once per screen size: the offscreen screen comes from a config file.
#include "app/help_window.h"
#include "app/main_menu.h"
#include "layouts/default_layouts.h"
#include "screens/common/widget_helpers.h"
#include "screens/layouts/layout_m.h"
#include "screens/maintenance/backup_screen.h"
#include "screens/maintenance/convert_screen.h"
#include "screens/maintenance/settei.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "screens/products/genzairyou.h"
#include "screens/products/kakudai_input.h"
#include "screens/products/mojiretsu_write.h"
#include "screens/products/s_haigou.h"
#include "screens/products/s_list.h"
#include "screens/products/s_nonplu.h"
#include "screens/products/s_touroku.h"
#include "screens/products/s_zairyou.h"
#include "screens/common/item_box.h"
#include "label_fixtures.h"
#include "render/date_stamp.h"
#include "support/screen_support.h"
#include "support/visible_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include "screens/common/s_preview.h"
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

#include <functional>
#include <memory>

using Opener = std::function<QWidget*()>;
Q_DECLARE_METATYPE(Opener)

namespace {

template <typename Screen>
Opener Loaded()
{
    return [] {
        auto* screen = new Screen;
        screen->show();
        screen->Form_Load();
        return static_cast<QWidget*>(screen);
    };
}

template <typename Screen>
Opener Shown()
{
    return [] {
        auto* screen = new Screen;
        screen->show();
        return static_cast<QWidget*>(screen);
    };
}

}  // namespace

class Window_Fit_Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        fixture_ = std::make_unique<maintenance_test::Session_Fixture>();
        layouts::Ensure_Default_Layouts(fixture_->application.Data_Folder());
        fixture_->Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000"), QStringLiteral("0"),
                                  QStringLiteral("0"), QStringLiteral("しない"),
                                  QStringLiteral("ぱるべりなインストールフォルダ"),
                                  QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ")});
        app::Current_Session().Load_Settings();
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        qInfo() << "screen" << screen;
        QVERIFY(screen == QSize(1366, 768) || screen == QSize(1024, 600));
    }

    void fitsTheScreen_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::newRow("MainMenu") << Opener([] {
            auto* menu = new app::MainMenu;
            menu->Form_Load();
            menu->show();
            return static_cast<QWidget*>(menu);
        });
        QTest::newRow("S_Touroku") << Loaded<products::S_Touroku>();
        QTest::newRow("Insatsu") << Loaded<printing::Insatsu>();
        QTest::newRow("Insatsu_Reservation") << Opener([] {
            auto* screen = new printing::Insatsu;
            screen->show();
            screen->Form_Load();
            screen->Command6->click();
            screen->setObjectName(QStringLiteral("Insatsu_Reservation"));  // names the picture
            return static_cast<QWidget*>(screen);
        });
        // A label 150 mm long: a picture taller than any of the two screens.
        QTest::newRow("S_Preview") << Opener([] {
            layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45"));
            layout[layouts::Label_Length] = QStringLiteral("150");
            printing::Show_Label_Preview(nullptr, QStringLiteral("Insatsu"), products::Product_Record{}, layout,
                                         render::Preview_Issue(products::Product_Record{}));
            return static_cast<QWidget*>(printing::Current_Preview());
        });
        QTest::newRow("Hakkou_Rireki") << Opener([] {
            auto* history = new printing::Hakkou_Rireki([](const printing::History_Entry&) {});
            history->Form_Load();
            history->show();
            return static_cast<QWidget*>(history);
        });
        QTest::newRow("Settei") << Loaded<maintenance::Settei>();
        QTest::newRow("Layout_M") << Loaded<maintenance::Layout_M>();
        QTest::newRow("Backup") << Loaded<maintenance::Backup>();
        QTest::newRow("Convert") << Loaded<maintenance::Convert>();
        QTest::newRow("S_List") << Shown<products::S_List>();
        QTest::newRow("S_Nonplu") << Shown<products::S_Nonplu>();
        QTest::newRow("S_Zairyou") << Loaded<products::S_Zairyou>();
        QTest::newRow("S_Haigou") << Opener([] {
            auto* registration = new products::S_Touroku;
            registration->Form_Load();
            registration->Text1[products::S_Touroku::kNumberBox]->setText(QStringLiteral("0001"));
            auto* recipe = new products::S_Haigou(registration);
            registration->setParent(recipe, Qt::Window);  // closed with the window
            recipe->show();
            recipe->Form_Load();
            return static_cast<QWidget*>(recipe);
        });
        QTest::newRow("Help_Window") << Opener([] {
            auto* help = new app::Help_Window;
            help->Open(QStringLiteral(HELP_PAGE));
            app::Centre_On_Screen(help);
            help->show();
            return static_cast<QWidget*>(help);
        });
        QTest::newRow("Kakudai_Input") << Opener([] {
            auto* input = new products::Kakudai_Input;
            input->Open(QStringLiteral("原材料名"), QStringLiteral("小麦粉"));
            input->show();
            return static_cast<QWidget*>(input);
        });
        QTest::newRow("Mojiretsu_Write") << Opener([] {
            auto* editor = new products::Mojiretsu_Write;
            editor->Open(QStringLiteral("原材料名"), QStringLiteral("小麦粉"));
            editor->show();
            return static_cast<QWidget*>(editor);
        });
    }

    void fitsTheScreen()
    {
        QFETCH(Opener, open);
        std::unique_ptr<QWidget> window(open());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Verify_Fits(window.get());
        Verify_Buttons_Reachable(window.get());
        Verify_Focus_Scrolls_Into_View(window.get());
        Save_Picture(window.get());
    }

    // The word table opens beside the ingredients box, not over it.
    void wordTableOpensBesideItsBox()
    {
        products::S_Touroku screen;
        screen.show();
        screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        products::Item_Box* box = screen.Text1[products::S_Touroku::kIngredientsBox];
        QTest::mouseDClick(box->viewport(), Qt::LeftButton);
        auto* table = test_support::Visible_Window<products::Genzairyou>(QStringLiteral("Genzairyou"));
        QVERIFY(table);
        Verify_Fits(table);
        const QRect box_area(box->mapToGlobal(QPoint(0, 0)), box->size());
        QVERIFY2(!box_area.intersects(table->frameGeometry()), "the word table covers the ingredients box");
        Save_Picture(&screen, table);
        table->close();
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
            auto* touroku = new products::S_Touroku;
            screen.reset(touroku);
            touroku->show();
            touroku->Form_Load();
            box = touroku->Text1[products::S_Touroku::kProductNameBox];
            preview = [touroku] { touroku->Command3->click(); };
        } else {
            auto* layout = new maintenance::Layout_M;
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
        printing::S_Preview* window = printing::Current_Preview();
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
        const QRect allowed(window->pos(), window->size() + QSize(app::kBorderAllowance,
                                                                  app::kTitleBarAllowance + app::kBorderAllowance));
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
    // their places (NAME-WxH.png), and the windows alone (NAME-WxH-window.png).
    // Under a window manager the screen itself is taken, frames and all.
    static void Save_Picture(QWidget* window, QWidget* on_top = nullptr)
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
        const QString name = QStringLiteral("%1/%2-%3x%4").arg(folder, window->objectName()).arg(size.width()).arg(size.height());
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
            QVERIFY2(QRect(QPoint(0, 0), within->size()).contains(place) &&
                         button->height() >= button->minimumSizeHint().height(),
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
            QVERIFY2(scroll->viewport()->rect().intersects(shown),
                     qPrintable(QStringLiteral("%1: %2 has the focus out of view").arg(window->objectName(),
                                                                                         box->objectName())));
        }
    }

    static void Verify_Fits(QWidget* window)
    {
        const QRect area = window->screen()->availableGeometry();
        const QRect with_frame = Frame_Of(window);
        QVERIFY2(area.contains(with_frame), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the screen")
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
