#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "screens/common/conventions.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "support/fake_desktop.h"
#include "support/temp_folder.h"

#include <QLabel>
#include <QListWidget>
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

// Pixels of the outline colour of errors in the shown picture.
int Red_Pixels(const QImage& picture)
{
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(220, 0, 0);
    return red;
}

}  // namespace

class S_Preview_Test : public QObject {
    Q_OBJECT

    screens::Session session;

private slots:
    void initTestCase()
    {
        desktop_.application_folder = folder_.Path();  // 96 pixels per inch: 15 twips per pixel
        session.desktop = &desktop_;
        session.application_folder = folder_.Path();
        session.settings = store::Default_Settings();
        render_fixtures::Copy_Mark_Pictures(session.Data_Folder());
    }

    void cleanup()
    {
        if (screens::S_Preview* window = screens::Current_Preview())
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
        const screens::Preview_Geometry g = screens::Compute_Preview_Geometry(render_fixtures::Built_In_Layout(layout),
                                                                              15);
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
        QLabel* prv_open = screens::Add_Prv_Open(&caller);
        caller.show();
        screens::Show_Label_Preview(session, &caller, QStringLiteral("Insatsu"), render_fixtures::Filled_Product(),
                                    render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45")),
                                    render_fixtures::Filled_Issue());
        screens::S_Preview* window = screens::Current_Preview();
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
        screens::Show_Label_Preview(session, &caller, QStringLiteral("Insatsu"), render_fixtures::Filled_Product(),
                                    render_fixtures::Built_In_Layout(QStringLiteral("標準06 90x50")),
                                    render_fixtures::Filled_Issue());
        QCOMPARE(screens::Current_Preview(), window);
        QCOMPARE(window->pos(), moved);
        QCOMPARE(window->picDraw->size(), QSize(703, 401));

        window->Command2_Click();
        QApplication::processEvents();
        QCOMPARE(prv_open->text(), QString());
        QVERIFY(!screens::Current_Preview());
    }

    void listsTheFindingsBesideThePictureAndOutlinesTheirParts()
    {
        QWidget caller;
        caller.setObjectName(QStringLiteral("Insatsu"));
        screens::Add_Prv_Open(&caller);
        const products::Product_Record product = render_fixtures::Filled_Product();
        const layouts::Layout_Record& layout = render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45"));
        const render::Issue_Values issue = render_fixtures::Filled_Issue();
        screens::Show_Label_Preview(session, &caller, QStringLiteral("Insatsu"), product, layout, issue);
        screens::S_Preview* window = screens::Current_Preview();
        QVERIFY(!window->List1->isVisibleTo(window));
        const QImage clean = window->picDraw->pixmap().toImage();
        QCOMPARE(Red_Pixels(clean), 0);

        render::Check_Context context;
        context.settings = session.settings;
        context.data_folder = session.Data_Folder();
        context.allergens = products::Allergen_Dictionary::Parse({}, {});
        const std::vector<render::Finding> findings = render::Check_Label(product, layout, issue, context);
        screens::Show_Label_Preview(session, &caller, QStringLiteral("Insatsu"), product, layout, issue,
                                    {QStringLiteral("ラベルの確認"), findings});
        QCOMPARE(screens::Current_Preview(), window);
        QVERIFY(window->List1->isVisibleTo(window));
        QCOMPARE(window->Label1->text(), QStringLiteral("ラベルの確認(誤り14件)"));
        QCOMPARE(window->List1->count(), int(findings.size()));
        QCOMPARE(window->List1->item(0)->text(), QStringLiteral("【誤り】備考1の一部がラベルからはみ出しています"));
        // The list stands beside the picture; the picture and its buttons stay where they were.
        QCOMPARE(window->size(), QSize(3 + 363 + 8 + screens::kFindingsWidth + 3, 514 + 73));
        QCOMPARE(window->List1->x(), 3 + 363 + 8);
        QCOMPARE(window->Command2->pos(), QPoint(3 + 363 - 91, 3 + 514 + 5));
        const int all_red = Red_Pixels(window->picDraw->pixmap().toImage());
        QVERIFY2(all_red > 500, qPrintable(QString::number(all_red)));

        // A chosen finding alone is outlined: the barcode over the nutrition table,
        // the table's left edge at 2.5 mm, from 38 mm down (7.56 pixels per mm).
        const auto overlap = std::find_if(findings.begin(), findings.end(), [](const render::Finding& finding) {
            return finding.message == QStringLiteral("バーコードと栄養成分表示が重なっています");
        });
        QVERIFY(overlap != findings.end());
        window->List1->setCurrentRow(int(overlap - findings.begin()));
        const QImage chosen = window->picDraw->pixmap().toImage();
        const double pixels_per_mm = 96 / 25.4 * 2;
        QCOMPARE(chosen.pixelColor(qRound(2.5 * pixels_per_mm), qRound(45 * pixels_per_mm)), QColor(220, 0, 0));
        QVERIFY(Red_Pixels(chosen) < all_red);
        window->Command2_Click();
    }

    void scrollsInStepsToTheBottomEdge()
    {
        QWidget caller;
        caller.setObjectName(QStringLiteral("Layout_M"));
        QLabel* prv_open = screens::Add_Prv_Open(&caller);
        screens::Show_Label_Preview(session, &caller, QStringLiteral("Layout_M"), render_fixtures::Filled_Product(),
                                    Upright(QStringLiteral("150"), QStringLiteral("45")),
                                    render_fixtures::Filled_Issue());
        screens::S_Preview* window = screens::Current_Preview();
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
