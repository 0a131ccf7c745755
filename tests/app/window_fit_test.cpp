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
#include "support/screen_support.h"
#include "support/visible_window.h"

#include <QPainter>
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

private:
    // With WINDOW_SCREENSHOTS=DIR: the screen as the user sees it, windows at their places.
    static void Save_Picture(QWidget* window, QWidget* on_top = nullptr)
    {
        const QString folder = qEnvironmentVariable("WINDOW_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QImage screen(window->screen()->geometry().size(), QImage::Format_RGB32);
        screen.fill(Qt::darkGray);
        QPainter painter(&screen);
        for (QWidget* shown : {window, on_top})
            if (shown)
                painter.drawPixmap(shown->pos(), shown->grab());
        const QSize size = window->screen()->geometry().size();
        screen.save(QStringLiteral("%1/%2-%3x%4.png").arg(folder, window->objectName()).arg(size.width()).arg(size.height()));
    }

    static void Verify_Fits(QWidget* window)
    {
        const QRect area = window->screen()->availableGeometry();
        const QRect with_frame(window->pos(), window->size() + QSize(app::kBorderAllowance,
                                                                    app::kTitleBarAllowance + app::kBorderAllowance));
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
