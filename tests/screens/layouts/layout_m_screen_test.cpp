// The layout management screen on the offscreen platform.
#include "layouts/default_layouts.h"
#include "products/product_file.h"
#include "screens/common/s_preview.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/yousi_set.h"
#include "screens/layouts/layout_m.h"
#include "screens/products/s_list.h"
#include "support/fake_printer_platform.h"
#include "support/screen_support.h"
#include "support/utf8.h"
#include "support/visible_window.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest>

using namespace maintenance_test;
using screens::Layout_M;

namespace {

using test_support::Q;

struct Layout_Fixture : Session_Fixture {
    Layout_Fixture()
    {
        layouts::Ensure_Default_Layouts(application.Data_Folder());
        application.Write(products::kProductFileName, "2.00\r\n");  // a data folder as start-up leaves it
        Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("しない"), QStringLiteral("ぱるべりなインストールフォルダ"),
                        QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ")});
        session.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };  // names new layouts
    }
};

void Open(Layout_M& screen)
{
    screen.show();
    screen.Form_Load();
}

void Select(Layout_M& screen, const QString& name)
{
    QVERIFY(screens::Select_List_Item(screen.Combo1, name));
    screen.Combo1_Click();
}

}  // namespace

class Layout_M_Test : public QObject {
    Q_OBJECT
private slots:
    void opensOnANewLayoutWithItsDefaults();
    void newLayoutSavedUnderTheEntryNameGetsTheDatedName();
    void slashAndCommaAreCleanedWhenSaving();
    void protectedLayoutsAreRefused();
    void renameUpdatesProductsAndKeepsLineTwo();
    void sizeButtonTogglesBetween55And8();
    void ruledButtonAndCaptionDoubleClickToggleFlags();
    void savedValuesReadBack();
    void productNumberLoadsItsLayout();
    void droppedLayoutIsImported();
    void previewShowsTheEnteredValuesAndRedrawsOnEnter();
    void previewChecksTheLayoutWithTheProductOrASample();
    void missingPrinterKeepsTheScreenAndItsEdits();
    void productListHandsBackTheNumber();
    void paperSelectionFillsThePaperNumber();
    void unsavedEditsAreSavedDiscardedOrKept();
    void renameDeleteAndDropAskBeforeDroppingEdits();
    void wheelLeavesTheDirectionAndNumbersTakeFullWidthDigits();
};

void Layout_M_Test::opensOnANewLayoutWithItsDefaults()
{
    Layout_Fixture fixture;
    Layout_M screen(fixture.session);
    Open(screen);
    QCOMPARE(screen.Combo1->itemText(0), Q("新規登録レイアウト"));
    QCOMPARE(screen.Combo1->count(), 11);  // the eight standard layouts and our own two
    QCOMPARE(screen.Combo1->currentIndex(), 0);
    QVERIFY(!screen.Command4->isEnabled());
    QCOMPARE(screen.Text1[10]->text(), QStringLiteral("7"));  // barcode 縦寸
    QCOMPARE(screen.Text1[7]->text(), QStringLiteral("40"));  // main column width
    QCOMPARE(screen.Text1[14]->text(), QStringLiteral("7"));  // recycling 1 横寸
    QCOMPARE(screen.Text1[31]->text(), QStringLiteral("8"));
    QCOMPARE(screen.Text1[104]->text(), QStringLiteral("100"));
    QCOMPARE(screen.Text1[105]->text(), QStringLiteral("0000"));
    QCOMPARE(screen.Label1[15]->property("flag").toInt(), layouts::kRuled);
    QCOMPARE(screen.Label1[15]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(screen.Label1[84]->text(), Q("最大:幅0px×縦0px"));
    screen.Text1[0]->setText(QStringLiteral("65"));
    screen.Text1[1]->setText(QStringLiteral("45"));
    emit screen.Text1[1]->textEdited(QStringLiteral("45"));
    QCOMPARE(screen.Label1[84]->text(), Q("最大:幅2553px×縦3688px"));
}

void Layout_M_Test::newLayoutSavedUnderTheEntryNameGetsTheDatedName()
{
    Layout_Fixture fixture;
    Dialog_Script script;
    script.answers = {Q("新規登録レイアウト")};
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Command1_Click();
    QCOMPARE(script.seen[0].texts[0], Q("名前をつけてレイアウトを登録"));
    QCOMPARE(script.seen[0].texts[2], QString());
    QCOMPARE(script.First_Lines().mid(1), QStringList{Q("保存しました")});
    QVERIFY(QFileInfo::exists(fixture.application.File(Q("作成ﾚｲｱｳﾄ24年03月05日14時07分09秒.lay"))));
    QVERIFY(screen.Combo1->findText(Q("作成ﾚｲｱｳﾄ24年03月05日14時07分09秒")) > 0);

    script.seen.clear();
    script.answers = {QStringLiteral("cancel")};
    screen.Command1_Click();
    QCOMPARE(script.First_Lines().mid(1), QStringList{Q("保存しませんでした")});
}

void Layout_M_Test::slashAndCommaAreCleanedWhenSaving()
{
    Layout_Fixture fixture;
    Dialog_Script script;
    script.answers = {Q("65/45,shop")};
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Command1_Click();
    QVERIFY(QFileInfo::exists(fixture.application.File(Q("65／45＜kanma＞shop.lay"))));
}

void Layout_M_Test::protectedLayoutsAreRefused()
{
    Layout_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("ok"), QStringLiteral("X")};
    Layout_M screen(fixture.session);
    Open(screen);
    Select(screen, Q("標準02 65x45 ﾖｺ"));
    QVERIFY(screen.Command4->isEnabled());
    screen.Command4_Click();
    screen.Command11_Click();
    QCOMPARE(script.First_Lines(), (QStringList{Q("このレイアウトは"), Q("このレイアウト名は")}));
    QVERIFY(QFileInfo::exists(fixture.application.File(Q("標準02 65x45 ﾖｺ.lay"))));
    QVERIFY(!QFileInfo::exists(fixture.application.File(QStringLiteral("X.lay"))));
}

void Layout_M_Test::renameUpdatesProductsAndKeepsLineTwo()
{
    Layout_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("A"), QStringLiteral("B")};
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Command1_Click();  // saves "A"
    fixture.application.Write(
        products::kProductFileName,
        test_support::Cp932_Lines({QStringLiteral("2.00"), QStringLiteral("0001\tA\tone"),
                                   QStringLiteral("0002\t") + Q("標準01 65x45") + QStringLiteral("\ttwo")}));
    Select(screen, QStringLiteral("A"));
    script.seen.clear();
    screen.Command11_Click();
    QCOMPARE(script.seen[0].texts[0], Q("レイアウト名の変更"));
    QCOMPARE(script.seen[0].buttons, (QStringList{Q("実行"), Q("キャンセル")}));
    QCOMPARE(script.First_Lines().mid(1), QStringList{Q("変更しました")});
    QCOMPARE(screen.Combo1->currentText(), Q("新規登録レイアウト"));
    QVERIFY(screen.Combo1->findText(QStringLiteral("B")) > 0);
    QCOMPARE(screen.Combo1->findText(QStringLiteral("A")), -1);
    QCOMPARE(store::Read_Text_Lines(fixture.application.File(QStringLiteral("B.lay"))).lines.value(1),
             QStringLiteral("A"));
    const QStringList products = store::Read_Text_Lines(fixture.application.File(products::kProductFileName)).lines;
    QCOMPARE(products.value(1), QStringLiteral("0001\tB\tone"));
    QCOMPARE(products.value(2), QStringLiteral("0002\t") + Q("標準01 65x45") + QStringLiteral("\ttwo"));
}

void Layout_M_Test::sizeButtonTogglesBetween55And8()
{
    Layout_Fixture fixture;
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Text1[32]->setText(QStringLiteral("75"));
    QTest::mouseClick(screen.Command6, Qt::LeftButton);
    QCOMPARE(screen.Command6->text(), Q("全て8ptへ"));
    for (int i = 31; i <= 61; i += 2)
        QCOMPARE(screen.Text1[i]->text(), QStringLiteral("5.5"));
    QCOMPARE(screen.Text1[63]->text(), QStringLiteral("8"));  // the nutrition frame is left alone
    QCOMPARE(screen.Text1[95]->text(), QStringLiteral("8"));  // and so are the caption sizes
    QTest::mouseClick(screen.Command6, Qt::LeftButton);
    QCOMPARE(screen.Command6->text(), Q("全て5.5ptへ"));
    for (int i = 31; i <= 61; i += 2)
        QCOMPARE(screen.Text1[i]->text(), QStringLiteral("8"));
    QCOMPARE(screen.Text1[32]->text(), QStringLiteral("75"));
    QTest::mouseClick(screen.Command7, Qt::LeftButton);
    QCOMPARE(screen.Text1[32]->text(), QStringLiteral("100"));
}

void Layout_M_Test::ruledButtonAndCaptionDoubleClickToggleFlags()
{
    Layout_Fixture fixture;
    Layout_M screen(fixture.session);
    Open(screen);
    QTest::mouseClick(screen.Command8, Qt::LeftButton);
    QCOMPARE(screen.Command8->text(), Q("罫線指定"));
    QCOMPARE(screen.Label1[31]->property("flag").toInt(), layouts::kPlain);
    QCOMPARE(screen.Label1[46]->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QCOMPARE(screen.Label1[30]->property("flag").toInt(), layouts::kRuled);
    QTest::mouseDClick(screen.Label1[15], Qt::LeftButton);
    QCOMPARE(screen.Label1[15]->property("flag").toInt(), layouts::kPlain);
    QTest::mouseClick(screen.Command8, Qt::LeftButton);
    QCOMPARE(screen.Command8->text(), Q("罫線解除"));
    QCOMPARE(screen.Label1[31]->property("flag").toInt(), layouts::kRuled);
}

void Layout_M_Test::savedValuesReadBack()
{
    Layout_Fixture fixture;
    Dialog_Script script;
    script.answers = {QStringLiteral("R")};
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Text1[0]->setText(QStringLiteral("65"));
    screen.Text1[2]->setText(QStringLiteral("0.50"));
    screen.Text1[105]->setText(QStringLiteral("12"));
    emit screen.Text1[105]->editingFinished();
    QCOMPARE(screen.Text1[105]->text(), QStringLiteral("0012"));
    screen.Combo2->setCurrentIndex(1);
    screen.Combo4->setCurrentIndex(1);
    QTest::mouseDClick(screen.Label1[20], Qt::LeftButton);
    screen.Command1_Click();
    Select(screen, Q("新規登録レイアウト"));
    QCOMPARE(screen.Text1[2]->text(), QStringLiteral("0"));
    Select(screen, QStringLiteral("R"));
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("65"));
    QCOMPARE(screen.Text1[2]->text(), QStringLiteral(".5"));
    QCOMPARE(screen.Text1[105]->text(), QStringLiteral("0012"));
    QCOMPARE(screen.Combo2->currentText(), QStringLiteral("90"));
    QCOMPARE(screen.Combo4->currentText(), Q("右"));
    QCOMPARE(screen.Label1[20]->property("flag").toInt(), layouts::kPlain);
    QCOMPARE(screen.Label1[21]->property("flag").toInt(), layouts::kRuled);
}

void Layout_M_Test::productNumberLoadsItsLayout()
{
    Layout_Fixture fixture;
    fixture.application.Write(
        products::kProductFileName,
        test_support::Cp932_Lines({QStringLiteral("2.00"),
                                   QStringLiteral("0012\t") + Q("標準06 90x50") + QStringLiteral("\tx"),
                                   QStringLiteral("0013\tgone\tx")}));
    Dialog_Script script;
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Text2->setText(Q("１２"));
    QTest::keyClick(screen.Text2, Qt::Key_Return);
    QCOMPARE(screen.Text2->text(), QStringLiteral("0012"));
    QCOMPARE(screen.Combo1->currentText(), Q("標準06 90x50"));
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("90"));
    screen.Text2->setText(QStringLiteral("13"));
    screen.Command14_Click();
    screen.Text2->setText(QStringLiteral("99"));
    screen.Command14_Click();
    QCOMPARE(script.First_Lines(), (QStringList{Q("指定されているレイアウト"), Q("　指定された商品番号が　")}));
    QCOMPARE(script.seen[0].buttons, QStringList{Q("終了")});
    screen.close();  // and with it the preview the first Enter opened
}

void Layout_M_Test::droppedLayoutIsImported()
{
    Layout_Fixture fixture;
    test_support::Temp_Folder elsewhere;
    elsewhere.Write(QStringLiteral("shop.lay"), "Ver2.00\r\nshop\r\n 0\r\n50\r\n");
    Dialog_Script script;
    script.answers = {QStringLiteral("ok")};
    Layout_M screen(fixture.session);
    Open(screen);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(elsewhere.File(QStringLiteral("shop.lay")))});
    // A drop reaches the widget that accepted the drag when it entered.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(screen.Combo1, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(screen.Combo1, &drop);
    QCOMPARE(script.First_Lines(), (QStringList{QStringLiteral("shop.lay"), Q("登録しました")}));
    QVERIFY(QFileInfo::exists(fixture.application.File(QStringLiteral("shop.lay"))));
    QVERIFY(screen.Combo1->findText(QStringLiteral("shop")) > 0);
}

void Layout_M_Test::previewChecksTheLayoutWithTheProductOrASample()
{
    Layout_Fixture fixture;
    fixture.application.Write(products::kProductFileName,
                              test_support::Cp932_Lines({QStringLiteral("2.00"),
                                                         QStringLiteral("0001\t") + Q("標準06 90x50")
                                                             + QStringLiteral("\t") + Q("クッキー")}));
    Dialog_Script script;
    Layout_M screen(fixture.session);
    Open(screen);
    Select(screen, Q("標準06 90x50"));
    const auto listed = [] {
        QStringList lines;
        const QListWidget* list = screens::Current_Preview()->List1;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    };

    // No product of that number: a sample that fills every item shows what falls outside.
    screen.Command12_Click();
    QVERIFY(screens::Current_Preview()->Label1->text().startsWith(Q("レイアウトの確認(見本の商品で)(誤り")));
    QVERIFY(listed().contains(Q("【誤り】バーコードがラベルの外にあり、印刷されません")));
    QVERIFY(listed().contains(Q("【誤り】備考1がラベルの外にあり、印刷されません")));
    // Only what the layout decides: no empty items, no allergens; what every
    // label of the layout gets on the printer, once.
    QVERIFY(listed().filter(Q("空欄")).isEmpty());
    QVERIFY(listed().filter(Q("アレルゲン")).isEmpty());
    QCOMPARE(listed().filter(Q("【確認】バーコードのモジュール")).size(), 1);

    // The product's own label: a name alone fits.
    screen.Text2->setText(QStringLiteral("0001"));
    screen.Command12_Click();
    QVERIFY(listed().isEmpty());
    QVERIFY(!screens::Current_Preview()->List1->isVisibleTo(screens::Current_Preview()));
    screen.close();
}

void Layout_M_Test::previewShowsTheEnteredValuesAndRedrawsOnEnter()
{
    Layout_Fixture fixture;
    fixture.application.Write(products::kProductFileName,
                              test_support::Cp932_Lines({QStringLiteral("2.00"),
                                                         QStringLiteral("0001\t") + Q("標準01 65x45")
                                                             + QStringLiteral("\t") + Q("クッキー")}));
    Dialog_Script script;
    auto* screen = new Layout_M(fixture.session);
    Open(*screen);
    screen->Text1[0]->setText(QStringLiteral("5"));
    screen->Command12_Click();
    QCOMPARE(script.First_Lines(), QStringList{Q("レイアウトサイズが異常です")});
    QVERIFY(!screens::Current_Preview() || !screens::Current_Preview()->isVisible());

    // The size typed above is not saved: loading the product's layout asks; discard it.
    script.answers = {QStringLiteral("cancel"), QStringLiteral("ok")};
    screen->Text2->setText(QStringLiteral("1"));
    QTest::keyClick(screen->Text2, Qt::Key_Return);
    screens::S_Preview* preview = screens::Current_Preview();
    QVERIFY(preview && preview->isVisible());
    QCOMPARE(screen->Prv_open->text(), QStringLiteral("open"));
    QCOMPARE(preview->F_Open_Moto->text(), QStringLiteral("Layout_M"));
    const QSize before = preview->picDraw->pixmap().size();
    QVERIFY(!before.isEmpty());

    screen->Text1[1]->setText(QStringLiteral("60"));  // wider label
    QTest::keyClick(screen->Text1[1], Qt::Key_Return);
    const QSize after = preview->picDraw->pixmap().size();
    QVERIFY2(after.width() > before.width(),
             qPrintable(QStringLiteral("%1 -> %2").arg(before.width()).arg(after.width())));
    // Each redraw keeps the preview in front of the editor the user types in.
    QVERIFY(preview->windowHandle() && preview->windowHandle()->transientParent() == screen->windowHandle());

    script.answers = {QStringLiteral("cancel"), QStringLiteral("ok")};  // the wider label is discarded
    QVERIFY(screen->close());
    delete screen;
    QTRY_VERIFY(!screens::Current_Preview() || !screens::Current_Preview()->isVisible());
}

// レイアウト確認 with the configured printer gone: said so, and the screen stays
// with its unsaved edits (the program does not end).
void Layout_M_Test::missingPrinterKeepsTheScreenAndItsEdits()
{
    Layout_Fixture fixture;
    fixture.Write_Settings({Q("取り外したプリンタ")});
    Dialog_Script script;
    Layout_M screen(fixture.session);
    Open(screen);
    Select(screen, Q("標準06 90x50"));
    screen.Text1[1]->setText(QStringLiteral("60"));
    screen.Command12_Click();
    QCOMPARE(script.First_Lines().size(), 1);
    QVERIFY(script.First_Lines().value(0).startsWith(Q("指定のプリンターが見つかりません")));
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.Text1[1]->text(), QStringLiteral("60"));
    QVERIFY(!screens::Current_Preview() || !screens::Current_Preview()->isVisible());
    script.answers = {QStringLiteral("cancel"), QStringLiteral("ok")};  // the edit is let go
    screen.close();
}

void Layout_M_Test::productListHandsBackTheNumber()
{
    Layout_Fixture fixture;
    fixture.application.Write(
        products::kProductFileName,
        test_support::Cp932_Lines({QStringLiteral("2.00"),
                                   QStringLiteral("0005\t") + Q("標準01 65x45") + QStringLiteral("\tA"),
                                   QStringLiteral("0007\t") + Q("標準06 90x50") + QStringLiteral("\tB")}));
    Layout_M screen(fixture.session);
    Open(screen);
    QTest::mouseClick(screen.Command13, Qt::LeftButton);
    QVERIFY(!screen.isVisible());
    auto* list = test_support::Visible_Window<screens::S_List>();
    QVERIFY(list);
    QCOMPARE(list->Ret_Form->text(), QStringLiteral("Layout_M"));
    QVERIFY(!list->Command2->isEnabled());
    QCOMPARE(list->List1->count(), 2);
    list->List1->setCurrentRow(1);
    list->List1_Pick();
    QCOMPARE(screen.Text2->text(), QStringLiteral("0007"));
    QVERIFY(screen.isVisible());
}

void Layout_M_Test::paperSelectionFillsThePaperNumber()
{
    Layout_Fixture fixture;
    test_support::Fake_Printer_Platform printers{{{QStringLiteral("Zebra"), {QPageSize(QPageSize::A4)}}}};
    fixture.session.printers = &printers;
    Layout_M screen(fixture.session);
    Open(screen);
    QVERIFY(screen.Command15->isEnabled());
    QTest::mouseClick(screen.Command15, Qt::LeftButton);
    QVERIFY(!screen.isEnabled());
    auto* window = test_support::Visible_Window<screens::Yousi_Set>();
    QVERIFY(window);
    QCOMPARE(window->List1->count(), 1);
    window->List1->setCurrentRow(0);
    window->Command1_Click();
    QCOMPARE(screen.Text1[105]->text(), QStringLiteral("0009"));
    QVERIFY(screen.isEnabled());
    QVERIFY(screen.Command15->isEnabled());
}

void Layout_M_Test::renameDeleteAndDropAskBeforeDroppingEdits()
{
    Layout_Fixture fixture;
    QVERIFY(QFile::copy(fixture.application.File(Q("標準06 90x50.lay")), fixture.application.File(Q("わたし.lay"))));
    test_support::Temp_Folder elsewhere;
    elsewhere.Write(QStringLiteral("shop.lay"), "Ver2.00\r\nshop\r\n 0\r\n50\r\n");
    Dialog_Script script;
    Layout_M screen(fixture.session);
    Open(screen);
    Select(screen, Q("わたし"));
    const auto drop = [&] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(elsewhere.File(QStringLiteral("shop.lay")))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(screen.Combo1, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(screen.Combo1, &dropped);
    };
    const std::function<void()> ways[] = {[&] { screen.Command11_Click(); }, [&] { screen.Command4_Click(); }, drop};
    for (const std::function<void()>& way : ways) {
        screen.Text1[0]->setText(QStringLiteral("70"));
        script.seen.clear();
        script.answers = {QStringLiteral("cancel"), QStringLiteral("cancel")};  // 保存しない, 編集に戻る
        way();
        QCOMPARE(script.Kakunin_Lines(),
                 (QStringList{Q("変更が保存されていません/保存しますか？"), Q("変更を破棄します/よろしいですか？")}));
        QCOMPARE(screen.Combo1->currentText(), Q("わたし"));
        QCOMPARE(screen.Text1[0]->text(), QStringLiteral("70"));
        QVERIFY(QFileInfo::exists(fixture.application.File(Q("わたし.lay"))));
        QVERIFY(!QFileInfo::exists(fixture.application.File(QStringLiteral("shop.lay"))));
    }
}

// One notch of the wheel over 印字方向 without focus leaves " 0"; sizes typed
// in full width with the input method on are read as digits.
void Layout_M_Test::wheelLeavesTheDirectionAndNumbersTakeFullWidthDigits()
{
    Layout_Fixture fixture;
    Layout_M screen(fixture.session);
    Open(screen);
    screen.Text1[2]->setFocus();
    QCOMPARE(screen.Combo2->currentText(), QStringLiteral(" 0"));
    const QPointF at = screen.Combo2->rect().center();
    QWheelEvent wheel(at, screen.Combo2->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(screen.Combo2, &wheel);
    QCOMPARE(screen.Combo2->currentText(), QStringLiteral(" 0"));

    for (QLineEdit* box : {screen.Text1[0], screen.Text1[105], screen.Text2})
        QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(screen.Text1[4]->testAttribute(Qt::WA_InputMethodEnabled));  // the picture's file name
    screen.Text1[0]->clear();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("６５．５"));
    QApplication::sendEvent(screen.Text1[0], &typed);
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("65.5"));
}

QTEST_MAIN(Layout_M_Test)
#include "layout_m_screen_test.moc"

void Layout_M_Test::unsavedEditsAreSavedDiscardedOrKept()
{
    Layout_Fixture fixture;
    Dialog_Script script;
    Layout_M screen(fixture.session);
    Open(screen);
    Select(screen, Q("標準02 65x45 ﾖｺ"));
    QVERIFY(script.seen.empty());  // nothing edited, nothing asked
    const QStringList asked = {Q("変更が保存されていません/保存しますか？"), Q("変更を破棄します/よろしいですか？")};

    // Going back keeps the edit and the selection, on another choice and on closing.
    screen.Text1[0]->setText(QStringLiteral("70"));
    script.answers = {QStringLiteral("cancel"), QStringLiteral("cancel")};
    Select(screen, Q("標準06 90x50"));
    QCOMPARE(script.Kakunin_Lines(), asked);
    QCOMPARE(screen.Combo1->currentText(), Q("標準02 65x45 ﾖｺ"));
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("70"));
    script.answers = {QStringLiteral("cancel"), QStringLiteral("cancel")};
    QVERIFY(!screen.close());
    QVERIFY(screen.isVisible());

    // Saving under a new name, then going on to the layout chosen.
    script.seen.clear();
    script.answers = {QStringLiteral("ok"), Q("わたしの70")};
    Select(screen, Q("標準06 90x50"));
    QVERIFY(QFileInfo::exists(fixture.application.File(Q("わたしの70.lay"))));
    QCOMPARE(screen.Combo1->currentText(), Q("標準06 90x50"));
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("90"));

    // "Save as new" keeps the saved layout selected, its values on the screen.
    screen.Text1[0]->setText(QStringLiteral("48"));
    script.answers = {Q("わたしの48")};
    screen.Command1_Click();
    QCOMPARE(screen.Combo1->currentText(), Q("わたしの48"));
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("48"));
    QVERIFY(screen.Command4->isEnabled());

    // Discarding drops the edit; closing with nothing unsaved asks nothing.
    screen.Text1[0]->setText(QStringLiteral("99"));
    script.seen.clear();
    script.answers = {QStringLiteral("cancel"), QStringLiteral("ok")};
    Select(screen, Q("標準06 90x50"));
    QCOMPARE(script.Kakunin_Lines(), asked);
    QCOMPARE(screen.Text1[0]->text(), QStringLiteral("90"));
    script.seen.clear();
    QVERIFY(screen.close());
    QVERIFY(script.seen.empty());
}
