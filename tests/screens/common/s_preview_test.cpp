#include "screens/common/session.h"
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "screens/common/s_preview.h"
#include "support/fake_desktop.h"
#include "support/temp_folder.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

layouts::Layout_Record Upright(const QString& length, const QString& width)
{
    layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45"));
    layout[layouts::Label_Length] = length;
    layout[layouts::Label_Width] = width;
    return layout;
}

}  // namespace

class S_Preview_Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        desktop_.application_folder = folder_.Path();  // 96 pixels per inch: 15 twips per pixel
        app::Session& session = app::Current_Session();
        session.desktop = &desktop_;
        session.application_folder = folder_.Path();
        session.settings = store::Default_Settings();
        render_fixtures::Copy_Mark_Pictures(session.Data_Folder());
    }

    void cleanup()
    {
        if (printing::S_Preview* window = printing::Current_Preview())
            window->Command2_Click();
        QApplication::processEvents();
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<double>("width_twips");
        QTest::addColumn<double>("height_twips");
        QTest::addColumn<int>("width_pixels");
        QTest::addColumn<int>("height_pixels");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("65x45 upright") << "標準01 65x45" << 5443.2 << 7711.2 << 363 << 514 << false;
        QTest::newRow("90x50 turned") << "標準06 90x50" << 10546.2 << 6010.2 << 703 << 401 << false;
    }

    void geometry()
    {
        QFETCH(QString, layout);
        QFETCH(double, width_twips);
        QFETCH(double, height_twips);
        QFETCH(int, width_pixels);
        QFETCH(int, height_pixels);
        QFETCH(bool, scrolls);
        const printing::Preview_Geometry g =
            printing::Compute_Preview_Geometry(render_fixtures::Built_In_Layout(layout), 15);
        QCOMPARE(g.picture_width_twips, width_twips);
        QCOMPARE(g.picture_height_twips, height_twips);
        QCOMPARE(g.picture_width, width_pixels);
        QCOMPARE(g.picture_height, height_pixels);
        QCOMPARE(g.scrolls, scrolls);
    }

    void showsTheLabelAndMarksTheCaller()
    {
        QWidget caller;
        caller.setObjectName(QStringLiteral("Insatsu"));
        QLabel* prv_open = printing::Add_Prv_Open(&caller);
        caller.show();
        printing::Show_Label_Preview(&caller, QStringLiteral("Insatsu"), render_fixtures::Filled_Product(),
                                     render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45")),
                                     render_fixtures::Filled_Issue());
        printing::S_Preview* window = printing::Current_Preview();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(prv_open->text(), QStringLiteral("open"));
        QCOMPARE(window->F_Open_Moto->text(), QStringLiteral("Insatsu"));
        QCOMPARE(window->picDraw->size(), QSize(363, 514));
        QCOMPARE(window->picFrame->geometry(), QRect(3, 3, 363, 514));
        QVERIFY(!window->Command1->isVisibleTo(window));
        QVERIFY(!window->Command3->isVisibleTo(window));
        QCOMPARE(window->size(), QSize(363 + 23, 514 + 73));  // + 350 and + 1100 twips
        QCOMPARE(window->Command2->pos(), QPoint(3 + 363 - 91, 3 + 514 + 5));

        // The label is drawn: dark pixels in the picture, none outside the label's box.
        const QImage picture = window->picDraw->pixmap().toImage();
        int dark = 0;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2)
                dark += qGray(picture.pixel(x, y)) < 128;
        QVERIFY2(dark > 500, qPrintable(QString::number(dark)));

        // Redrawing while open leaves the window where it is.
        window->move(window->pos() + QPoint(37, 21));
        const QPoint moved = window->pos();
        printing::Show_Label_Preview(&caller, QStringLiteral("Insatsu"), render_fixtures::Filled_Product(),
                                     render_fixtures::Built_In_Layout(QStringLiteral("標準06 90x50")),
                                     render_fixtures::Filled_Issue());
        QCOMPARE(printing::Current_Preview(), window);
        QCOMPARE(window->pos(), moved);
        QCOMPARE(window->picDraw->size(), QSize(703, 401));

        window->Command2_Click();
        QApplication::processEvents();
        QCOMPARE(prv_open->text(), QString());
        QVERIFY(!printing::Current_Preview());
    }

    void scrollsInStepsToTheBottomEdge()
    {
        QWidget caller;
        caller.setObjectName(QStringLiteral("Layout_M"));
        QLabel* prv_open = printing::Add_Prv_Open(&caller);
        printing::Show_Label_Preview(&caller, QStringLiteral("Layout_M"), render_fixtures::Filled_Product(),
                                     Upright(QStringLiteral("150"), QStringLiteral("45")), render_fixtures::Filled_Issue());
        printing::S_Preview* window = printing::Current_Preview();
        QVERIFY(window);
        QCOMPARE(window->picDraw->height(), 1157);  // 17350.2 twips
        QCOMPARE(window->picFrame->height(), 670);
        QVERIFY(window->Command1->isVisibleTo(window));
        QVERIFY(window->Command3->isVisibleTo(window));
        QCOMPARE(window->Command1->pos(), QPoint(3 + 97, 3 + 670 + 5));

        const int tops[] = {-100, -200, -300, -400, -487, -487};
        for (int top : tops) {
            QTest::mouseClick(window->Command1, Qt::LeftButton);
            QCOMPARE(window->picDraw->y(), top);
        }
        const int back[] = {-387, -287, -187, -87, 0, 0};
        for (int top : back) {
            QTest::mouseClick(window->Command3, Qt::LeftButton);
            QCOMPARE(window->picDraw->y(), top);
        }
        window->close();  // the close box clears the caller's mark as well
        QApplication::processEvents();
        QCOMPARE(prv_open->text(), QString());
    }

private:
    test_support::Temp_Folder folder_;
    test_support::Fake_Desktop desktop_;
};

QTEST_MAIN(S_Preview_Test)
#include "s_preview_test.moc"
