// The printing screen: its two modes, picking products, the reservation line,
// the guard of "印刷", the label check before printing and an immediate print
// through a printer double.
#include "label_fixtures.h"
#include "layouts/layout_record.h"
#include "maintenance/print_check_setting.h"
#include "print_fixtures.h"
#include "printing/issue_line.h"
#include "printing/print_history.h"
#include "products/product_file.h"
#include "render/label_composer.h"
#include "render/recording_surface.h"
#include "screens/common/dialogs.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "screens/products/s_nonplu.h"
#include "store/settings.h"
#include "support/dialog_script.h"
#include "support/fake_desktop.h"
#include "support/fake_printer_platform.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"
#include "support/visible_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using screens::Insatsu;

namespace {

// Answers every Kakunin that appears with its second button and keeps its lines.
class Kakunin_Answerer : public QObject {
public:
    Kakunin_Answerer()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* kakunin = qobject_cast<screens::Kakunin*>(top);
                if (kakunin && kakunin->isVisible() && !answered_.contains(kakunin)) {
                    answered_ << kakunin;
                    shown << kakunin->Label1->text() + QLatin1Char('/') + kakunin->Label2->text();
                    buttons << kakunin->Command2->text();
                    third_lines << kakunin->Label3->text();
                    kakunin->Command2->click();
                }
            }
        });
        timer_.start(10);
    }
    QStringList shown;
    QStringList third_lines;
    QStringList buttons;

private:
    QTimer timer_;
    QList<QObject*> answered_;
};

// Text committed by an input method.
void Commit(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

void Press_Enter(QWidget* widget)
{
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
}

QStringList Lines_Of(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

}  // namespace

class Insatsu_Test : public QObject {
    Q_OBJECT

    screens::Session session;

    std::unique_ptr<test_support::Temp_Folder> folder;
    std::unique_ptr<test_support::Fake_Printer_Platform> printers;
    std::unique_ptr<Insatsu> screen;

private slots:
    void init()
    {
        folder = std::make_unique<test_support::Temp_Folder>();
        QVERIFY(print_fixtures::Prepare_Data_Folder(folder->Data_Folder()));
        const store::Settings_Record settings = print_fixtures::Settings_For(QStringLiteral("Zebra"));
        QVERIFY(store::Save_Settings(folder->Path(), store::Saved_Values(settings)).ok());
        printers = std::make_unique<test_support::Fake_Printer_Platform>(
            std::vector<test_support::Fake_Printer>{{QStringLiteral("Zebra"), {QPageSize(QPageSize::A4)}}});
        session = screens::Session();
        session.application_folder = folder->Path();
        session.program_folder = QStringLiteral(FOODLABEL_RESOURCES_DIR);  // the allergen list
        session.printers = printers.get();
        screen = std::make_unique<Insatsu>(session);
        screen->Form_Load();
        screen->show();
    }

    void cleanup() { screen.reset(); }

    void opensInTheImmediateModeWithTheProductList()
    {
        QCOMPARE(screen->windowTitle(), QStringLiteral("印 刷 処 理"));
        QCOMPARE(screen->Command6->text(), QStringLiteral("即時発行モード"));
        QVERIFY(screen->Command6->styleSheet().contains(QStringLiteral("rgb(206, 232, 233)")));
        QCOMPARE(screen->Command1->text(), QStringLiteral("印刷"));
        QVERIFY(!screen->List1->isVisible() && !screen->Label9->isVisible() && !screen->Command4->isVisible());
        QCOMPARE(screen->List2->height(), 6615 / 15);
        QCOMPARE(screen->Text1->text(), QStringLiteral("0000"));
        QCOMPARE(screen->Text7->text(), QString::number(QDate::currentDate().year()));
        QCOMPARE(screen->Combo5->currentText(), QStringLiteral("加算日計算"));
        QCOMPARE(screen->List2->count(), 2);
        QVERIFY(screen->List2->item(0)->text().startsWith(QStringLiteral("0001|")));
    }

    void theReservationModeShowsItsListAndSwitchingBackEmptiesIt()
    {
        screen->Command6->click();
        QCOMPARE(screen->Command6->text(), QStringLiteral("予約発行モード"));
        QVERIFY(screen->Command6->styleSheet().contains(QStringLiteral("rgb(255, 224, 192)")));
        QCOMPARE(screen->Command1->text(), QStringLiteral("登録"));
        QVERIFY(screen->List1->isVisible() && screen->Label9->isVisible() && screen->Command4->isVisible());
        QCOMPARE(screen->List2->height(), 4620 / 15);
        for (int i = 0; i < 3; ++i) {
            screen->Text1->setText(QStringLiteral("0001"));
            screen->Text4->setText(QStringLiteral("2"));
            screen->Command1->click();
        }
        QCOMPARE(screen->List1->count(), 3);
        screen->Command6->click();
        QCOMPARE(screen->List1->count(), 0);
        QVERIFY(!screen->List1->isVisible());
        QCOMPARE(screen->List2->height(), 6615 / 15);
    }

    void registeringAddsTheIssueLineCharacterForCharacter()
    {
        screen->Command6->click();
        screen->Text1->setText(QStringLiteral("0012"));
        screen->Text4->setText(QStringLiteral("5"));
        const QStringList base = {"2024", "3", "5", "9", "5"};
        QLineEdit* boxes[] = {screen->Text7, screen->Text8, screen->Text9, screen->Text10, screen->Text11};
        for (int i = 0; i < 5; ++i)
            boxes[i]->setText(base[i]);
        screen->Text5->setText(QStringLiteral("200"));
        screen->Text13->setText(QStringLiteral("3"));
        screen->Text15->setText(QStringLiteral("398円"));
        screen->Text19->setText(QStringLiteral("4901234567894"));
        screen->Command1->click();
        QCOMPARE(screen->List1->count(), 1);
        QCOMPARE(screen->List1->item(0)->text(),
                 QStringLiteral("No.0012 0005枚 2024/03/05 09:05") + QString(20, QLatin1Char(' '))
                     + QStringLiteral("200\t3\t加算日計算\t398円\t4901234567894"));
        // The product boxes are emptied; labels and base date stay for the next issue.
        QCOMPARE(screen->Text1->text(), QStringLiteral("0000"));
        QVERIFY(screen->Text5->text().isEmpty() && screen->Text15->text().isEmpty()
                && screen->Text19->text().isEmpty());
        QCOMPARE(screen->Text4->text(), QStringLiteral("5"));
        QCOMPARE(screen->Text7->text(), QStringLiteral("2024"));
    }

    // Bases the boxes do not hold as a date: month 13, 30 February, an empty day, hour 24.
    static QList<QStringList> Invalid_Bases()
    {
        return {{"2024", "13", "5", "9", "0"},
                {"2024", "2", "30", "9", "0"},
                {"2024", "3", "", "9", "0"},
                {"2024", "3", "5", "24", "0"}};
    }

    void Set_Base(const QStringList& base)
    {
        QLineEdit* boxes[] = {screen->Text7, screen->Text8, screen->Text9, screen->Text10, screen->Text11};
        for (int i = 0; i < 5; ++i)
            boxes[i]->setText(base[i]);
    }

    QStringList Base_Shown() const
    {
        return {screen->Text7->text(), screen->Text8->text(), screen->Text9->text(), screen->Text10->text(),
                screen->Text11->text()};
    }

    // The date display (Enter in a base box or in 加算日, a 日付表記 choice)
    // tells an invalid base and corrects the boxes to the current moment.
    void anInvalidBaseIsCorrectedByTheDateDisplay()
    {
        session.clock = [] { return QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10)); };
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        const std::function<void()> refreshes[] = {
            [this] { Press_Enter(screen->Text11); }, [this] { Press_Enter(screen->Text7); },
            [this] { Press_Enter(screen->Text13); }, [this] { screen->Combo5_Click(); }};
        for (const auto& refresh : refreshes) {
            for (const QStringList& base : Invalid_Bases()) {
                test_support::Dialog_Script answers;
                Set_Base(base);
                refresh();
                QTRY_COMPARE(answers.Kakunin_Lines(),
                             QStringList{QStringLiteral("入力された日付が異常です/本日の日付に修正します")});
                QCOMPARE(Base_Shown(), (QStringList{"2025", "6", "7", "8", "9"}));
                QCOMPARE(screen->Text12->text(), QStringLiteral("消費期限:2025年06月10日"));
            }
        }
    }

    // "登録" keeps an invalid base as typed and tells nothing; the print run
    // then says it goes on with the current date and stamps that.
    void aRegisteredInvalidBaseIsPrintedWithTheCurrentDateAfterTheNotice()
    {
        QVERIFY(maintenance::Save_Confirms_Before_Printing(folder->Path(), false).Is_Done());
        session.clock = [] { return QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10)); };
        screen->Command6->click();
        test_support::Dialog_Script answers;
        for (const QStringList& base : Invalid_Bases()) {
            screen->Text1->setText(QStringLiteral("0001"));
            screen->Text13->setText(QStringLiteral("3"));
            screen->Text4->setText(QStringLiteral("2"));
            Set_Base(base);
            screen->Command1->click();
            QCOMPARE(Base_Shown(), base);
        }
        QTest::qWait(50);
        QVERIFY(answers.seen.empty());
        const QStringList typed = {"2024/13/05 09:00", "2024/02/30 09:00", "2024/03/00 09:00", "2024/03/05 24:00"};
        QCOMPARE(screen->List1->count(), 4);
        for (int i = 0; i < typed.size(); ++i) {
            QVERIFY2(screen->List1->item(i)->text().startsWith(QStringLiteral("No.0001 0002枚 ") + typed[i]),
                     qPrintable(screen->List1->item(i)->text()));
            QVERIFY(!screen->Reservations().at(i).values.base.isValid());
        }
        // Taken back into the boxes, a reservation's base is that of the boxes:
        // the date display corrects it.
        screen->List1->setCurrentRow(0);
        screen->List1_DblClick();
        QTRY_COMPARE(answers.Kakunin_Lines(),
                     QStringList{QStringLiteral("入力された日付が異常です/本日の日付に修正します")});
        QCOMPARE(screen->List1->count(), 3);
        Set_Base(Invalid_Bases().at(0));
        screen->Command1->click();
        answers.seen.clear();

        screen->Command4->click();
        QStringList expected;
        for (int i = 0; i < typed.size(); ++i)
            expected << QStringLiteral("入力された日付が異常です/本日の日付にて継続します")
                     << QStringLiteral("登録番号:0001の/印刷データを送信しました");
        expected << QStringLiteral("予約されていた全ての/印刷データを送信しました");
        QTRY_COMPARE(answers.Kakunin_Lines(), expected);
        QCOMPARE(printers->sent.size(), size_t(4));
        // The history holds the moment the labels were stamped from and the date printed.
        const auto history = printing::Read_History(folder->Data_Folder());
        QVERIFY(history && history->Size() == 4);
        QCOMPARE(history->Entry(0).base, QStringLiteral("2025/06/07 08:09"));
        QCOMPARE(history->Entry(0).date_line, QStringLiteral("消費期限:2025年06月10日"));
    }

    // "印刷" and the preview compose the label with the current date after the
    // notice, and leave the boxes as they are.
    void printAndPreviewGoOnWithTheCurrentDateAndLeaveTheBoxes()
    {
        QVERIFY(maintenance::Save_Confirms_Before_Printing(folder->Path(), false).Is_Done());
        session.clock = [] { return QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10)); };
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("1"));
        for (const QStringList& base : Invalid_Bases()) {
            test_support::Dialog_Script answers;
            Set_Base(base);
            screen->Command2->click();
            QTRY_COMPARE(answers.Kakunin_Lines(),
                         QStringList{QStringLiteral("入力された日付が異常です/本日の日付にて継続します")});
            QCOMPARE(Base_Shown(), base);
            QVERIFY(screens::Current_Preview() && screens::Current_Preview()->isVisible());

            answers.seen.clear();
            screen->Command1->click();
            QTRY_COMPARE(answers.Kakunin_Lines(),
                         (QStringList{QStringLiteral("入力された日付が異常です/本日の日付にて継続します"),
                                      QStringLiteral("登録番号:0001の/印刷データを送信します")}));
            QCOMPARE(Base_Shown(), base);
        }
        QCOMPARE(printers->sent.size(), size_t(4));
        const auto history = printing::Read_History(folder->Data_Folder());
        QVERIFY(history && history->Size() == 4);
        QCOMPARE(history->Entry(0).base, QStringLiteral("2025/06/07 08:09"));
        QCOMPARE(history->Entry(0).date_line, QStringLiteral("消費期限:2025年06月10日"));
        screens::Current_Preview()->close();
    }

    void aTwoDigitYearIsStoredAndPrintedAsTheYearTheScreenShows()
    {
        screen->Command6->click();
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("1"));
        const QStringList base = {"24", "3", "5", "9", "0"};
        QLineEdit* boxes[] = {screen->Text7, screen->Text8, screen->Text9, screen->Text10, screen->Text11};
        for (int i = 0; i < 5; ++i)
            boxes[i]->setText(base[i]);
        Press_Enter(screen->Text11);
        const QString shown = screen->Text12->text();
        QCOMPARE(shown, QStringLiteral("消費期限:2024年03月08日"));
        screen->Command1->click();
        QCOMPARE(screen->List1->count(), 1);
        const QString line = screen->List1->item(0)->text();
        QVERIFY2(line.startsWith(QStringLiteral("No.0001 0001枚 2024/03/05 09:00")), qPrintable(line));

        // The print run composes the label from the reserved issue: it carries the date shown.
        const printing::Print_Issue issue = screen->Reservations().at(0);
        const auto product = products::Find_Product(folder->Data_Folder(), issue.product_no);
        QVERIFY(product);
        const auto layout = layouts::Read_Layout(folder->Data_Folder(), (*product)[products::Layout_Name]);
        QVERIFY(layout);
        render::Recording_Surface label(render::Printer_Profile(203, 203));
        label.Length_Limit_mm = 65;
        test_support::Scripted_Answerer answerer;
        render::Label_Composer(label, *product, *layout, issue.values,
                               {store::Default_Settings(), folder->Data_Folder(), &answerer});
        // The ruled date item draws its caption in a name cell of its own.
        QVERIFY2(label.All_Text().contains(QStringLiteral("2024年03月08日")), qPrintable(label.All_Text()));
        QVERIFY(answerer.requests.empty());
    }

    void enterInTheNumberBoxLoadsTheProductOrSaysItIsNotRegistered()
    {
        Kakunin_Answerer answers;
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        QCOMPARE(screen->Text1->text(), QStringLiteral("0001"));
        QCOMPARE(screen->Text2->text(), QStringLiteral("品名:苺のショートケーキ"));
        QCOMPARE(screen->Text17->text(), print_fixtures::kLayout);
        QCOMPARE(screen->Text19->text(), QStringLiteral("4901234567894"));
        QVERIFY(!screen->Text12->text().isEmpty());
        QVERIFY(answers.shown.isEmpty());

        screen->Text1->setText(QStringLiteral("12"));
        Press_Enter(screen->Text1);
        QCOMPARE(screen->Text1->text(), QStringLiteral("0012"));
        QCOMPARE(answers.shown, QStringList{QStringLiteral("登録番号:0012は/未登録です")});

        screen->Text1->setText(QStringLiteral("0"));
        Press_Enter(screen->Text1);
        QCOMPARE(answers.shown.size(), 1);
    }

    void printDoesNothingWithoutLabelsOrProduct()
    {
        Kakunin_Answerer answers;
        screen->Text1->setText(QStringLiteral("0001"));
        screen->Text4->setText(QStringLiteral("0"));
        screen->Command1->click();
        screen->Text1->setText(QStringLiteral("0000"));
        screen->Text4->setText(QStringLiteral("5"));
        screen->Command1->click();
        QTest::qWait(50);
        QVERIFY(answers.shown.isEmpty());
        QVERIFY(printers->sent.empty());
        QCOMPARE(screen->List1->count(), 0);
    }

    void printSendsOneJobWithTheCopiesAfterTheSendWindow()
    {
        // Without the question before printing, the label's errors are only listed.
        QVERIFY(maintenance::Save_Confirms_Before_Printing(folder->Path(), false).Is_Done());
        Kakunin_Answerer answers;
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("5"));
        screen->Command1->click();
        QCOMPARE(answers.shown, QStringList{QStringLiteral("登録番号:0001の/印刷データを送信します")});
        QCOMPARE(answers.buttons, QStringList{QStringLiteral("送信")});
        QCOMPARE(printers->sent.size(), size_t(1));
        QCOMPARE(printers->sent[0].copies, 5);
        QCOMPARE(screen->List1->count(), 0);
        QVERIFY(Lines_Of(screen->List3)
                    .contains(QStringLiteral("No.0001 【誤り】バーコードと栄養成分表示が重なっています")));
    }

    // A long PDF path is shortened and leaves the product list its size;
    // with no program to open it the screen says which one is missing.
    void theWrittenPdfKeepsTheListAndOpensOrSaysWhatIsMissing()
    {
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        const QSize list = screen->List2->size();
        const QString path = QStringLiteral("/home/shop/") + QString(30, QChar(u'長')) + QStringLiteral("/印刷データ/")
            + QString(40, QLatin1Char('x')) + QStringLiteral(".pdf");
        screen->Show_Written_Pdf({path});
        QTest::qWait(50);
        QCOMPARE(screen->List2->size(), list);
        QVERIFY(screen->Label10->text().contains(QChar(0x2026)));
        QVERIFY(screen->Label10->toolTip().endsWith(path));

        test_support::Fake_Desktop desktop;
        desktop.missing_opener = QStringLiteral("application/pdf を開くプログラム");
        session.desktop = &desktop;
        Kakunin_Answerer answers;
        screen->Command8->click();
        session.desktop = nullptr;
        QCOMPARE(answers.shown, QStringList{QStringLiteral("開くためのプログラムが/見つかりません")});
        QCOMPARE(answers.third_lines, QStringList{QStringLiteral("application/pdf を開くプログラム")});
        QVERIFY(desktop.opened.isEmpty());
    }

    // The open print history shows the job just printed.
    void theOpenHistoryListsTheNewJob()
    {
        QVERIFY(maintenance::Save_Confirms_Before_Printing(folder->Path(), false).Is_Done());
        screen->Command7->click();
        auto* history = test_support::Visible_Window<screens::Hakkou_Rireki>();
        QVERIFY(history);
        const int before = history->List1->model()->rowCount();
        Kakunin_Answerer answers;
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("2"));
        screen->Command1->click();
        QCOMPARE(printers->sent.size(), size_t(1));
        QCOMPARE(history->List1->model()->rowCount(), before + 1);
        history->close();
    }

    void anErrorInTheLabelAsksBeforePrintingAndGoingBackPrintsNothing()
    {
        test_support::Dialog_Script script;
        script.answers = {QStringLiteral("cancel")};
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("2"));
        screen->Command1->click();
        QCOMPARE(script.seen.size(), size_t(1));
        const test_support::Seen_Dialog& question = script.seen[0];
        QCOMPARE(question.texts.mid(0, 2),
                 (QStringList{QStringLiteral("ラベルに誤りがあります"), QStringLiteral("このまま印刷しますか？")}));
        QCOMPARE(question.buttons, (QStringList{QStringLiteral("印刷する"), QStringLiteral("戻る")}));
        QCOMPARE(question.focused, QStringLiteral("戻る"));  // Enter does not print a wrong label
        // The first five errors by name, the count of the others, and where the question is turned off.
        const QStringList named = question.texts[2].split(QLatin1Char('\n'));
        QCOMPARE(named.value(0), QStringLiteral("No.0001 備考1の一部がラベルからはみ出しています"));
        QVERIFY2(named.value(5).startsWith(QStringLiteral("ほか9件")), qPrintable(question.texts[2]));
        QCOMPARE(named.last(), QStringLiteral("この確認は「各種設定」で止めることができます"));
        QVERIFY(printers->sent.empty());
        // Errors and warnings stay listed in the screen; what the layout gets on
        // every label (the module, the bar height) is not repeated here.
        const QStringList listed = Lines_Of(screen->List3);
        QCOMPARE(listed.filter(QStringLiteral("【誤り】")).size(), 14);
        QVERIFY(listed.filter(QStringLiteral("モジュール")).isEmpty());
        QCOMPARE(screen->List3->item(0)->foreground().color(), QColor(220, 0, 0));

        // Printing anyway sends the labels.
        script.answers = {QStringLiteral("ok")};
        screen->Command1->click();
        QCOMPARE(script.Kakunin_Lines(),
                 (QStringList{QStringLiteral("ラベルに誤りがあります/このまま印刷しますか？"),
                              QStringLiteral("ラベルに誤りがあります/このまま印刷しますか？"),
                              QStringLiteral("登録番号:0001の/印刷データを送信します")}));
        QCOMPARE(printers->sent.size(), size_t(1));
        QCOMPARE(printers->sent[0].copies, 2);
    }

    // With INSATSU_SCREENSHOTS=DIR (under xvfb-run): the question before printing
    // a wrong label, the screen's list and the preview with the findings.
    void screenshots()
    {
        const QString target = qEnvironmentVariable("INSATSU_SCREENSHOTS");
        if (target.isEmpty())
            QSKIP("INSATSU_SCREENSHOTS is not set");
        QDir().mkpath(target);
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("1"));
        bool saved = false;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* kakunin = qobject_cast<screens::Kakunin*>(top); kakunin && kakunin->isVisible() && !saved) {
                    QTest::qWait(300);
                    saved = kakunin->grab().save(target + QStringLiteral("/Kakunin_label_check.png"));
                    kakunin->Command2->click();
                }
        });
        answer.start(50);
        screen->Command1->click();
        answer.stop();
        QVERIFY(saved);
        QTest::qWait(200);
        QVERIFY(screen->grab().save(target + QStringLiteral("/Insatsu_label_check.png")));
        screen->Command2->click();
        QTest::qWait(300);
        QVERIFY(screens::Current_Preview()->grab().save(target + QStringLiteral("/S_Preview_findings.png")));
        screens::Current_Preview()->List1->setCurrentRow(11);
        QTest::qWait(200);
        QVERIFY(screens::Current_Preview()->grab().save(target + QStringLiteral("/S_Preview_one_finding.png")));
        screens::Current_Preview()->close();
    }

    void warningsAreListedWithoutStoppingThePrint()
    {
        // Nothing over anything else and no barcode: only the empty storage item to warn of.
        products::Product_Record product = render_fixtures::Filled_Product();
        for (const int column : {products::Remarks1, products::Remarks2, products::Price_Text, products::Barcode,
                                 products::Storage, products::Recycle1_Mark, products::Recycle2_Mark})
            product[column].clear();
        for (int column = products::Nutrition_Title; column <= products::Nutrient_Extra1; ++column)
            product[column].clear();
        QVERIFY(print_fixtures::Write_Products(folder->Data_Folder(), {product}));
        Kakunin_Answerer answers;
        screen->Text1->setText(QStringLiteral("1"));
        Press_Enter(screen->Text1);
        screen->Text4->setText(QStringLiteral("1"));
        screen->Command1->click();
        QCOMPARE(answers.shown, QStringList{QStringLiteral("登録番号:0001の/印刷データを送信します")});
        QCOMPARE(printers->sent.size(), size_t(1));
        QCOMPARE(Lines_Of(screen->List3).filter(QStringLiteral("【注意】")),
                 QStringList{QStringLiteral("No.0001 【注意】「保存方法」が空欄です(表示が義務付けられています)")});
        QVERIFY(Lines_Of(screen->List3).filter(QStringLiteral("【誤り】")).isEmpty());
    }

    void reservedLinesAreCheckedEachWithItsNumber()
    {
        test_support::Dialog_Script script;
        script.answers = {QStringLiteral("cancel")};
        screen->Command6->click();
        for (const char* number : {"1", "2"}) {
            screen->Text1->setText(QString::fromLatin1(number));
            Press_Enter(screen->Text1);
            screen->Text4->setText(QStringLiteral("1"));
            screen->Command1->click();
        }
        screen->Command4->click();
        QCOMPARE(script.Kakunin_Lines(), QStringList{QStringLiteral("ラベルに誤りがあります/このまま印刷しますか？")});
        QVERIFY(printers->sent.empty());
        QCOMPARE(screen->List1->count(), 2);  // the reservations stay to be mended
        const QStringList listed = Lines_Of(screen->List3);
        QVERIFY(!listed.filter(QStringLiteral("No.0001 ")).isEmpty());
        QVERIFY(!listed.filter(QStringLiteral("No.0002 ")).isEmpty());
    }

    void searchListsTheMatchingProductsAndEnterInTheListLoadsOne()
    {
        screen->Text18->setText(QStringLiteral("大福"));
        Press_Enter(screen->Text18);
        QCOMPARE(screen->List2->count(), 1);
        QVERIFY(screen->List2->item(0)->text().startsWith(QStringLiteral("0002|")));
        QVERIFY(screen->List2->item(0)->text().endsWith(QStringLiteral("|苺大福")));
        screen->Text18->clear();
        screen->Command5->click();
        QCOMPARE(screen->List2->count(), 2);
        QVERIFY(screen->List2->item(0)->text().endsWith(QStringLiteral("|苺のショートケーキ")));
        screen->List2->setCurrentRow(1);
        Press_Enter(screen->List2);
        QCOMPARE(screen->Text1->text(), QStringLiteral("0002"));
        QCOMPARE(screen->Text19->text(), QStringLiteral("49012343"));
        QCOMPARE(screen->focusWidget(), screen->Text4);
    }

    void enterInTheBarcodeBoxCompletesTheCheckDigit()
    {
        Kakunin_Answerer answers;
        screen->Text19->setText(QStringLiteral("490123456789"));
        Press_Enter(screen->Text19);
        QCOMPARE(screen->Text19->text(), QStringLiteral("4901234567894"));
        QCOMPARE(answers.shown,
                 QStringList{QStringLiteral("バーコードの13桁目のチェック/ディジットを自動計算しました")});
        QCOMPARE(screen->focusWidget(), screen->Command2);
    }

    void thePreviewFollowsThePickedProductAndClosesWithTheScreen()
    {
        screen->Text1->setText(QStringLiteral("0001"));
        screen->Command2->click();
        QPointer<screens::S_Preview> preview = screens::Current_Preview();
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(screen->Prv_open->text(), QStringLiteral("open"));
        screen->List2->setCurrentRow(1);
        emit screen->List2->itemDoubleClicked(screen->List2->item(1));
        QCOMPARE(screen->Text1->text(), QStringLiteral("0002"));
        QVERIFY(preview);
        screen->close();
        QTRY_VERIFY(preview.isNull() || !preview->isVisible());
    }

    void doubleClickInTheBarcodeBoxOpensTheInStoreCodeWindowForThisScreen()
    {
        QTest::mouseDClick(screen->Text19, Qt::LeftButton);
        auto* window = qobject_cast<screens::S_Nonplu*>(screens::Find_Window(QStringLiteral("S_Nonplu")));
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->Label9->text(), QStringLiteral("Insatsu"));
        window->close();
    }

    void theAdditionDaysBoxTakesOnlyNumbersItCanPrint()
    {
        Kakunin_Answerer answerer;
        screen->Text13->clear();
        QTest::keyClicks(screen->Text13, QStringLiteral("12345678901234567890x.255555"));
        QCOMPARE(screen->Text13->text(), QStringLiteral("12345.2555"));
        screen->Text13->clear();
        QTest::keyClicks(screen->Text13, QStringLiteral("-1.5"));
        QCOMPARE(screen->Text13->text(), QStringLiteral("-1.5"));
    }

    // The designed chain from the keyboard with the input method on: number,
    // Enter, copies typed as a full-width ３, Enter, Enter prints three labels.
    void theKeyboardChainPrintsWithFullWidthDigits()
    {
        QVERIFY(maintenance::Save_Confirms_Before_Printing(folder->Path(), false).Is_Done());
        Kakunin_Answerer answers;
        for (QLineEdit* box : {screen->Text1, screen->Text4, screen->Text7, screen->Text13, screen->Text19})
            QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        screen->Text1->setFocus();
        screen->Text1->clear();
        Commit(screen->Text1, QStringLiteral("１"));
        QTest::keyClick(screen->Text1, Qt::Key_Return);
        QCOMPARE(screen->Text1->text(), QStringLiteral("0001"));
        QCOMPARE(screen->focusWidget(), screen->Text4);
        Commit(screen->Text4, QStringLiteral("３"));
        QCOMPARE(screen->Text4->text(), QStringLiteral("3"));
        QTest::keyClick(screen->Text4, Qt::Key_Return);
        QCOMPARE(screen->focusWidget(), screen->Command1);
        QTest::keyClick(screen->Command1, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(printers->sent.size(), size_t(1));
        QCOMPARE(printers->sent[0].copies, 3);
        screen->Text19->setText(QStringLiteral("４９０１２３４５６７８９４"));  // pasted in full width
        QCOMPARE(screen->Text19->text(), QStringLiteral("4901234567894"));
    }

    // 印刷, then 終了する (clicked or pressed by code) while the send window is
    // open: the job is sent and the screen closes once it is answered.
    void closingWhileTheSendWindowIsOpenWaitsForIt()
    {
        QVERIFY(maintenance::Save_Confirms_Before_Printing(folder->Path(), false).Is_Done());
        screen.reset();  // one printing screen, as the main menu opens it
        QPointer<Insatsu> own = new Insatsu(session);
        own->setAttribute(Qt::WA_DeleteOnClose);
        own->Form_Load();
        own->show();
        test_support::Dialog_Script script;
        bool kept = false;
        script.meanwhile = [&](screens::Kakunin*) {
            QTest::mouseClick(own->Command3, Qt::LeftButton);
            QTest::mouseClick(own->Command1, Qt::LeftButton);  // no second job
            own->Command3->click();
            kept = own && own->isVisible();
        };
        own->Text1->setText(QStringLiteral("1"));
        Press_Enter(own->Text1);
        own->Text4->setText(QStringLiteral("5"));
        own->Command1->click();
        QVERIFY(kept);
        QCOMPARE(printers->sent.size(), size_t(1));
        QTRY_VERIFY(!own);
    }

    void enterMovesAlongTheIssueBoxes()
    {
        screen->Text4->setText(QStringLiteral("3"));
        Press_Enter(screen->Text4);
        QCOMPARE(screen->focusWidget(), screen->Command1);
        Press_Enter(screen->Text7);
        QCOMPARE(screen->focusWidget(), screen->Text8);
        Press_Enter(screen->Text11);
        QCOMPARE(screen->focusWidget(), screen->Text5);
        Press_Enter(screen->Text5);
        QCOMPARE(screen->focusWidget(), screen->Text13);
        Press_Enter(screen->Text15);
        QCOMPARE(screen->focusWidget(), screen->Text19);
    }
};

QTEST_MAIN(Insatsu_Test)
#include "insatsu_test.moc"
