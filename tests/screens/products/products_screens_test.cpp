// The product screens driven by their control names on the offscreen platform.
#include "app/main_menu.h"
#include "app/startup.h"
#include "layouts/layout_names.h"
#include "maintenance/new_product_layout.h"
#include "products/default_data.h"
#include "products/item_rules.h"
#include "products/product_file.h"
#include "products/word_table.h"
#include "screens/common/dialogs.h"
#include "screens/common/item_box.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/products/genzairyou.h"
#include "screens/products/kakudai_input.h"
#include "screens/products/mojiretsu_write.h"
#include "screens/products/s_list.h"
#include "screens/products/s_nonplu.h"
#include "screens/products/s_touroku.h"
#include "store/cp932.h"
#include "store/width_conversion.h"
#include "support/dialog_script.h"
#include "support/fake_printer_platform.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"
#include "support/visible_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>
#include <QtTest>

#include <deque>
#include <memory>

using namespace products;

namespace {

// Answers every Kakunin that appears: questions from the script ("いいえ" when
// it runs out), notices with their only button. Records what was shown.

std::unique_ptr<test_support::Fake_Printer_Platform> Zebra_Printer()
{
    test_support::Fake_Printer zebra;
    zebra.name = QStringLiteral("Zebra");
    zebra.sizes = {QPageSize(QPageSize::A4)};
    return std::make_unique<test_support::Fake_Printer_Platform>(std::vector<test_support::Fake_Printer>{zebra});
}

// Closes the next message box that appears, recording its text.
void Commit_Text(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

void Type_Key_Text(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

using test_support::Visible_Window;

template <typename T>
T* Child(QWidget* window, const QString& name)
{
    T* child = window->findChild<T*>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

screens::Item_Box* Box(QWidget* window, const QString& name)
{
    return Child<screens::Item_Box>(window, name);
}

void Activate(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

}  // namespace

class Product_Screens : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void numberEnterLoadsProduct();
    void enterWalksTheItemsAndInputMethodRules();
    void everyFieldShownInItsControl();
    void unknownNumberKeepsItemsAndStoresCopyByteForByte();
    void unencodableTextIsRefused();
    void inputMethodCharactersAreStoredInTheirCp932Forms();
    void addDaysAndBarcodeOnLeaving();
    void barcodeEnterCompletesDigitWithGreenMessage();
    void backspaceAfterColonAsksFirst();
    void deleteAndClearAll();
    void listNamesSearchPickAndDelete();
    void anotherCopysSavesAppearWithoutRestarting();
    void enlargedInputSpecialExpressions();
    void preRegisteredStringsWithKanma();
    void wordTableFiltersRegisterTransfer();
    void instoreCodeHandOver();
    void instoreCodeToThePrintingScreen();
    void mainMenuOpensRegistration();
    void previewRedrawnOnEnterAndClosedWithTheScreen();
    void missingPrinterKeepsTheScreenAndItsEdits();
    void messageKeepsTheScreenUntilAnswered();
    void unsavedEditsAskBeforeClosingOrLoading();
    void overwriteQuestionFocusesNo();
    void numberBoxesReadFullWidthDigits();
    void captionColonTypedFullWidth();
    void wordTableTakesLookAlikes();
    void wordTableSearchesByReadingAsTyped();
    void wheelOverUnfocusedComboLeavesItsValue();
    void newProductTakesTheChosenLayout();
    void listChangesTheLayoutOfSeveralProducts();
    void screenshots();

private:
    screens::S_Touroku* Open_Registration();
    Product_Record Sample_Product(const QString& number, const QString& name) const;
    void Store(const Product_Record& record) const;
    QByteArray Product_File_Bytes() const;
    screens::Session session;
    std::unique_ptr<test_support::Temp_Folder> folder_;
    std::unique_ptr<test_support::Dialog_Script> kakunin_;
};

Product_Record Product_Screens::Sample_Product(const QString& number, const QString& name) const
{
    Product_Record record = New_Product_Record();
    record[Product_No] = number;
    record[Layout_Name] = layouts::Sorted_Layout_Names(session.Data_Folder()).value(0);
    record[Product_Name] = name;
    record[Ingredients] = QStringLiteral("原材料名:もち米､砂糖");
    return record;
}

void Product_Screens::Store(const Product_Record& record) const
{
    Product_Record copy = record;
    test_support::Scripted_Answerer answerer;
    answerer.answers = {true};
    Store_Product(session.Data_Folder(), copy, answerer);
}

QByteArray Product_Screens::Product_File_Bytes() const
{
    QFile file(session.Data_Folder() + kProductFileName);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void Product_Screens::init()
{
    folder_ = std::make_unique<test_support::Temp_Folder>();
    session = screens::Session();
    session.application_folder = folder_->Path();
    session.settings = store::Settings_Record();
    QVERIFY(app::Create_Missing_Files(session.Data_Folder()).isEmpty());
    kakunin_ = std::make_unique<test_support::Dialog_Script>();
}

void Product_Screens::cleanup()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        top->close();
    for (QWidget* top : QApplication::topLevelWidgets())  // kept open for its unsaved edits: gone all the same
        if (top->isVisible())
            top->deleteLater();
    QTest::qWait(20);
    kakunin_.reset();
    folder_.reset();
}

screens::S_Touroku* Product_Screens::Open_Registration()
{
    auto* screen = new screens::S_Touroku(session);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->show();
    [&] { Activate(screen); }();
    return screen;
}

void Product_Screens::numberEnterLoadsProduct()
{
    Store(Sample_Product(QStringLiteral("12"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    QCOMPARE(Box(screen, "Text1(0)")->text(), QStringLiteral("0013"));
    screens::Item_Box* number = Box(screen, "Text1(0)");
    number->setText(QString());
    QTest::keyClicks(number, "12");
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(number->text(), QStringLiteral("0012"));
    QCOMPARE(Box(screen, "Text1(1)")->text(), QStringLiteral("品名:大福"));
    QCOMPARE(Box(screen, "Text1(3)")->text(), QStringLiteral("原材料名:もち米､砂糖"));
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList());
}

void Product_Screens::enterWalksTheItemsAndInputMethodRules()
{
    screens::S_Touroku* screen = Open_Registration();
    const QStringList chain = {"Text1(1)", "Text1(2)",  "Text1(3)",  "Text1(4)", "Text1(5)",  "Text1(6)", "Combo1(1)",
                               "Text1(9)", "Combo1(2)", "Combo1(3)", "Text1(7)", "Combo1(4)", "Text1(8)", "Text1(10)"};
    QWidget* current = Box(screen, "Text1(1)");
    current->setFocus();
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target, Qt::Key_Return);
        QWidget* expected = Child<QWidget>(screen, chain.at(i));
        QWidget* now = QApplication::focusWidget();
        QVERIFY2(now == expected || now->parentWidget() == expected, qPrintable(chain.at(i)));
    }
    Child<QComboBox>(screen, "Combo1(0)")->setFocus();
    QTest::keyClick(Child<QComboBox>(screen, "Combo1(0)"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Box(screen, "Text1(1)"));
    QCOMPARE(Box(screen, "Text1(3)")->text(), QStringLiteral("原材料名:"));  // Enter adds no line break

    for (int box : {0, 7, 16})
        QVERIFY(!Box(screen, screens::Array_Name("Text1", box))->testAttribute(Qt::WA_InputMethodEnabled));
    for (int box : {1, 3, 8, 17, 36})
        QVERIFY(Box(screen, screens::Array_Name("Text1", box))->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(Child<QComboBox>(screen, "Combo1(3)")->count(), 42);
    QCOMPARE(Child<QComboBox>(screen, "Combo1(4)")->count(), 16);
    QCOMPARE(Child<QComboBox>(screen, "Combo1(1)")->count(), 13);
    QCOMPARE(Child<QComboBox>(screen, "Combo1(0)")->itemText(0),
             layouts::Sorted_Layout_Names(session.Data_Folder()).first());
}

void Product_Screens::everyFieldShownInItsControl()
{
    Product_Record record = Sample_Product(QStringLiteral("7"), {});
    for (int column = Product_Name; column <= kColumns; ++column)
        record[column] = QStringLiteral("値%1").arg(column);
    record[Date_Kind] = QStringLiteral("賞味期限:");
    record[Recycle1_Mark] = QStringLiteral("プラ");
    record[Recycle2_Mark] = QStringLiteral("紙");
    Store(record);
    screens::S_Touroku* screen = Open_Registration();
    screen->Load_Product(QStringLiteral("7"));
    record[Product_No] = QStringLiteral("0007");
    const Product_Record shown = screen->Record_From_Screen();
    for (int column = Product_No; column <= kColumns; ++column)
        QCOMPARE(shown[column], record[column]);
    QCOMPARE(Box(screen, "Text1(33)")->text(), QStringLiteral("値40"));
    QCOMPARE(Box(screen, "Text1(36)")->text(), QStringLiteral("値44"));
    QCOMPARE(Child<QComboBox>(screen, "Combo1(4)")->currentText(), QStringLiteral("値13"));
}

void Product_Screens::unknownNumberKeepsItemsAndStoresCopyByteForByte()
{
    Store(Sample_Product(QStringLiteral("12"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* number = Box(screen, "Text1(0)");
    number->setText(QStringLiteral("12"));
    QTest::keyClick(number, Qt::Key_Return);
    number->setText(QStringLiteral("30"));
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(number->text(), QStringLiteral("0030"));
    QCOMPARE(Box(screen, "Text1(1)")->text(), QStringLiteral("品名:大福"));
    QCOMPARE(QApplication::focusWidget(), Child<QComboBox>(screen, "Combo1(0)"));
    Box(screen, "Text1(2)")->setFocus();  // the caret goes behind "名称:"
    Commit_Text(Box(screen, "Text1(2)"), QStringLiteral("和菓子"));

    Child<QPushButton>(screen, "Command1")->click();
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList{QStringLiteral("保存しました/")});
    QCOMPARE(kakunin_->Kakunin_Colours().last(), QColor(204, 255, 204));

    // The same products stored by the core give the same file.
    const QByteArray through_screen = Product_File_Bytes();
    test_support::Temp_Folder other;
    session.application_folder = other.Path();
    QVERIFY(app::Create_Missing_Files(other.Data_Folder()).isEmpty());
    Store(Sample_Product(QStringLiteral("12"), QStringLiteral("品名:大福")));
    Product_Record copy = Sample_Product(QStringLiteral("30"), QStringLiteral("品名:大福"));
    copy[Category_Name] = QStringLiteral("名称:和菓子");
    Store(copy);
    QCOMPARE(store::Decode_Cp932(through_screen).split("\r\n").value(2).split('\t'),
             store::Decode_Cp932(Product_File_Bytes()).split("\r\n").value(2).split('\t'));
    QCOMPARE(through_screen, Product_File_Bytes());
    QCOMPARE(through_screen.count("\r\n"), 3);
}

void Product_Screens::unencodableTextIsRefused()
{
    screens::S_Touroku* screen = Open_Registration();
    const QByteArray before = Product_File_Bytes();
    Commit_Text(Box(screen, "Text1(1)"), QStringLiteral("🍡"));
    Child<QPushButton>(screen, "Command1")->click();
    QCOMPARE(kakunin_->Kakunin_Lines().size(), 1);
    QVERIFY(kakunin_->Kakunin_Lines().first().startsWith(QStringLiteral("書き込み出来ません/")));
    QCOMPARE(Product_File_Bytes(), before);
}

void Product_Screens::inputMethodCharactersAreStoredInTheirCp932Forms()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* storage = Box(screen, "Text1(8)");
    storage->setFocus();
    storage->Caret_To_End();
    Type_Key_Text(storage, QStringLiteral("10℃〜15℃"));
    Type_Key_Text(storage, QStringLiteral("で"));  // the caret stayed at the end
    QCOMPARE(storage->text(), QStringLiteral("保存方法:10℃～15℃で"));
    screens::Item_Box* remarks = Box(screen, "Text1(9)");
    remarks->setFocus();
    Commit_Text(remarks, QStringLiteral("‖—"));
    QApplication::clipboard()->setText(QStringLiteral("¢£¬¥−"));
    remarks->paste();
    QVERIFY(remarks->text().endsWith(QStringLiteral("∥―￠￡￢￥－")));

    Child<QPushButton>(screen, "Command1")->click();
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList{QStringLiteral("保存しました/")});
    const std::optional<Product_Record> stored = Find_Product(session.Data_Folder(), Box(screen, "Text1(0)")->text());
    QVERIFY(stored.has_value());
    QCOMPARE((*stored)[Storage], QStringLiteral("保存方法:10℃～15℃で"));
    QCOMPARE((*stored)[Extra3], remarks->text());
}

void Product_Screens::addDaysAndBarcodeOnLeaving()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* days = Box(screen, "Text1(7)");
    screens::Item_Box* next = Box(screen, "Text1(8)");
    const std::pair<QString, QString> cases[] = {{QStringLiteral("３"), QStringLiteral("3")},
                                                 {QStringLiteral("-2"), QStringLiteral("2")},
                                                 {QStringLiteral("0.5"), QStringLiteral(".5")}};
    for (const auto& [typed, shown] : cases) {
        days->setFocus();
        days->selectAll();
        Type_Key_Text(days, typed);
        QCOMPARE(days->text(), store::Ascii_To_Half_Width(typed));  // a number box reads digits
        next->setFocus();
        QCOMPARE(days->text(), shown);
    }
    screens::Item_Box* barcode = Box(screen, "Text1(16)");
    barcode->setFocus();
    QTest::keyClicks(barcode, "490123456789");
    next->setFocus();
    QCOMPARE(barcode->text(), QStringLiteral("4901234567894"));
    QCOMPARE(kakunin_->Kakunin_Lines(),
             QStringList{QStringLiteral("バーコードの13桁目のチェック/ディジットを自動計算しました")});
}

void Product_Screens::barcodeEnterCompletesDigitWithGreenMessage()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* barcode = Box(screen, "Text1(16)");
    barcode->setFocus();
    QTest::keyClicks(barcode, "490123456789");
    QTest::keyClick(barcode, Qt::Key_Return);
    QCOMPARE(barcode->text(), QStringLiteral("4901234567894"));
    QCOMPARE(kakunin_->Kakunin_Lines(),
             QStringList{QStringLiteral("バーコードの13桁目のチェック/ディジットを自動計算しました")});
    QCOMPARE(kakunin_->Kakunin_Colours().first(), QColor(204, 255, 204));
    Activate(screen);
    QCOMPARE(QApplication::focusWidget(), Box(screen, "Text1(17)"));
    QCOMPARE(kakunin_->Kakunin_Lines().size(), 1);  // leaving a checked code does not ask again

    barcode->setText(QStringLiteral("4901234567890"));
    barcode->setFocus();
    QTest::keyClick(barcode, Qt::Key_Return);
    QCOMPARE(kakunin_->Kakunin_Lines().last(), QStringLiteral("ﾁｪｯｸﾃﾞｨｼﾞｯﾄが異常です/この場合「4」かと思われます"));
    QCOMPARE(barcode->text(), QStringLiteral("4901234567890"));
}

void Product_Screens::backspaceAfterColonAsksFirst()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* name = Box(screen, "Text1(1)");
    name->setFocus();
    name->Caret_To_End();
    kakunin_->answers = {QStringLiteral("cancel")};
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(kakunin_->Kakunin_Lines(),
             QStringList{QStringLiteral("項目名区切り文字「:」を/削除しても宜しいですか？")});
    QCOMPARE(name->text(), QStringLiteral("品名:"));

    kakunin_->answers = {QStringLiteral("ok")};
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->text(), QStringLiteral("品名"));
    QTest::keyClick(name, Qt::Key_Backspace);  // no colon: no question
    QCOMPARE(name->text(), QStringLiteral("品"));
    QCOMPARE(kakunin_->Kakunin_Lines().size(), 2);
}

void Product_Screens::deleteAndClearAll()
{
    Store(Sample_Product(QStringLiteral("3"), QStringLiteral("品名:柏餅")));
    Store(Sample_Product(QStringLiteral("5"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* number = Box(screen, "Text1(0)");
    number->setText(QStringLiteral("5"));
    QTest::keyClick(number, Qt::Key_Return);

    kakunin_->answers = {QStringLiteral("cancel")};
    Child<QPushButton>(screen, "Command5")->click();
    QVERIFY(Find_Product(session.Data_Folder(), QStringLiteral("5")).has_value());

    kakunin_->answers = {QStringLiteral("ok")};
    Child<QPushButton>(screen, "Command5")->click();
    QCOMPARE(
        kakunin_->Kakunin_Lines().mid(1),
        (QStringList{QStringLiteral("0005のデータを削除します/よろしいですか？"), QStringLiteral("削除しました/")}));
    QVERIFY(!Find_Product(session.Data_Folder(), QStringLiteral("5")).has_value());
    QCOMPARE(number->text(), QStringLiteral("0004"));
    QCOMPARE(Box(screen, "Text1(1)")->text(), QStringLiteral("品名:"));
    QCOMPARE(Box(screen, "Text1(3)")->text(), QStringLiteral("原材料名:"));

    Child<QComboBox>(screen, "Combo1(0)")->setCurrentIndex(2);
    const QString layout = Child<QComboBox>(screen, "Combo1(0)")->currentText();
    Child<QComboBox>(screen, "Combo1(1)")->setEditText(QStringLiteral("個"));
    kakunin_->answers = {QStringLiteral("ok")};
    Child<QPushButton>(screen, "Command6")->click();
    QCOMPARE(kakunin_->Kakunin_Lines().last(), QStringLiteral("項目内の文字を全て消去します/よろしいですか？"));
    QCOMPARE(number->text(), QStringLiteral("0004"));
    QCOMPARE(Child<QComboBox>(screen, "Combo1(0)")->currentText(), layout);
    QCOMPARE(Child<QComboBox>(screen, "Combo1(1)")->currentText(), QStringLiteral("個"));
    QCOMPARE(Child<QComboBox>(screen, "Combo1(2)")->currentText(), QStringLiteral("表示しない"));
    QCOMPARE(Child<QComboBox>(screen, "Combo1(3)")->currentText(), QString());
    QCOMPARE(Child<QComboBox>(screen, "Combo1(5)")->currentText(), QStringLiteral("なし"));
    QCOMPARE(Box(screen, "Text1(1)")->text(), QString());
    QCOMPARE(Box(screen, "Text1(7)")->text(), QString());
}

void Product_Screens::listNamesSearchPickAndDelete()
{
    Store(Sample_Product(QStringLiteral("1"), QStringLiteral("品名:いちご<m>春限定")));
    Product_Record nameless = Sample_Product(QStringLiteral("2"), QString());
    nameless[Category_Name] = QStringLiteral("名称：和菓子");
    Store(nameless);
    Product_Record both = Sample_Product(QStringLiteral("12"), QStringLiteral("品名:大福"));
    both[Ingredients] = QStringLiteral("原材料名:こしあん");
    Store(both);
    screens::S_Touroku* screen = Open_Registration();
    Child<QPushButton>(screen, "Command4")->click();
    auto* list = Visible_Window<screens::S_List>(QStringLiteral("S_List"));
    QVERIFY(list);
    QVERIFY(!screen->isVisible());
    QVERIFY(!Child<QPushButton>(list, "Command2")->isEnabled());
    auto* lines = Child<QListWidget>(list, "List1");
    const QString layout = store::Left_By_Bytes(Sample_Product("1", {})[Layout_Name] + QString(20, QLatin1Char(' ')),
                                                20);
    QCOMPARE(lines->count(), 3);
    QCOMPARE(lines->item(0)->text(), QStringLiteral("0001|") + layout + QStringLiteral("|春限定"));
    QCOMPARE(lines->item(1)->text(), QStringLiteral("0002|") + layout + QStringLiteral("|和菓子"));

    auto* search = Child<QLineEdit>(list, "Text18");
    Commit_Text(search, QStringLiteral("大福 こしあん"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(lines->count(), 1);
    QVERIFY(lines->item(0)->text().startsWith(QStringLiteral("0012|")));
    search->clear();
    Commit_Text(search, QStringLiteral("大福　こしあん"));
    Child<QPushButton>(list, "Command5")->click();
    QCOMPARE(lines->count(), 1);
    search->clear();
    Child<QPushButton>(list, "Command5")->click();
    QCOMPARE(lines->count(), 3);
    QCOMPARE(lines->item(0)->text(), QStringLiteral("0001|") + layout + QStringLiteral("|いちご<m>春限定"));
    QCOMPARE(lines->item(1)->text(), QStringLiteral("0002|") + layout + QStringLiteral("|"));

    // Deleting from a search result lists every product again.
    Commit_Text(search, QStringLiteral("いちご"));
    Child<QPushButton>(list, "Command5")->click();
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, lines->visualItemRect(lines->item(0)).center());
    QVERIFY(Child<QPushButton>(list, "Command2")->isEnabled());
    kakunin_->answers = {QStringLiteral("ok")};
    Child<QPushButton>(list, "Command2")->click();
    QCOMPARE(
        kakunin_->Kakunin_Lines(),
        (QStringList{QStringLiteral("0001のデータを削除します/よろしいですか？"), QStringLiteral("削除しました/")}));
    QCOMPARE(lines->count(), 2);

    lines->setCurrentRow(1);
    QTest::keyClick(lines, Qt::Key_Return);
    QTest::qWait(20);
    QVERIFY(screen->isVisible());
    QVERIFY(!Visible_Window<screens::S_List>(QStringLiteral("S_List")));
    QCOMPARE(Box(screen, "Text1(0)")->text(), QStringLiteral("0012"));
    QCOMPARE(Box(screen, "Text1(3)")->text(), QStringLiteral("原材料名:こしあん"));
}

// Another copy of the program on the same data folder stores products: the
// list and the registration screen show its saves, and never replace an edit.
void Product_Screens::anotherCopysSavesAppearWithoutRestarting()
{
    Store(Sample_Product(QStringLiteral("1"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* number = Box(screen, "Text1(0)");
    QCOMPARE(number->text(), QStringLiteral("0002"));
    Child<QPushButton>(screen, "Command4")->click();
    auto* list = Visible_Window<screens::S_List>(QStringLiteral("S_List"));
    QVERIFY(list);
    auto* lines = Child<QListWidget>(list, "List1");
    auto* search = Child<QLineEdit>(list, "Text18");
    Commit_Text(search, QStringLiteral("大福"));
    Child<QPushButton>(list, "Command5")->click();
    QCOMPARE(lines->count(), 1);
    lines->setCurrentRow(0);

    Store(Sample_Product(QStringLiteral("2"), QStringLiteral("品名:豆大福")));
    Store(Sample_Product(QStringLiteral("3"), QStringLiteral("品名:柏餅")));
    QTRY_COMPARE(lines->count(), 2);  // the same search, read again
    QVERIFY(lines->item(1)->text().startsWith(QStringLiteral("0002|")));
    QCOMPARE(lines->currentRow(), 0);
    list->close();
    QTRY_VERIFY(screen->isVisible());
    QTRY_COMPARE(number->text(), QStringLiteral("0004"));  // 0002 was taken meanwhile

    number->setText(QString());
    QTest::keyClicks(number, "1");
    QTest::keyClick(number, Qt::Key_Return);
    screens::Item_Box* name = Box(screen, "Text1(1)");
    QCOMPARE(name->text(), QStringLiteral("品名:大福"));
    Store(Sample_Product(QStringLiteral("1"), QStringLiteral("品名:草大福")));
    QTRY_COMPARE(name->text(), QStringLiteral("品名:草大福"));
    QVERIFY(!screen->Has_Unsaved_Edits());  // shown as the file holds it: leaving asks nothing
    name->setText(QStringLiteral("品名:いちご大福"));
    Store(Sample_Product(QStringLiteral("1"), QStringLiteral("品名:栗大福")));
    QTest::qWait(400);
    QCOMPARE(name->text(), QStringLiteral("品名:いちご大福"));
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList());
}

void Product_Screens::enlargedInputSpecialExpressions()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* name = Box(screen, "Text1(1)");
    name->setText(QStringLiteral("品名:いちご"));
    QTest::mouseDClick(name->viewport(), Qt::LeftButton);
    auto* input = Visible_Window<screens::Kakudai_Input>(QStringLiteral("Kakudai_Input"));
    QVERIFY(input);
    QVERIFY(!screen->isEnabled());
    QCOMPARE(input->windowTitle(), QStringLiteral("品名の登録"));
    QCOMPARE(Child<QLabel>(input, "Label1")->text(), QStringLiteral("品名の登録"));
    screens::Item_Box* text = Box(input, "Text1");
    QCOMPARE(text->text(), QStringLiteral("品名:いちご"));
    QVERIFY(Child<QRadioButton>(input, "Option5")->isChecked());

    Child<QRadioButton>(input, "Option3")->click();
    QCOMPARE(text->text(), QStringLiteral("<b>品名:いちご"));
    Child<QRadioButton>(input, "Option2")->click();
    QCOMPARE(text->text(), QStringLiteral("<d>品名:いちご"));
    Child<QRadioButton>(input, "Option5")->click();
    QCOMPARE(text->text(), QStringLiteral("品名:いちご"));

    // Typing a tag at the start selects its option and keeps the text as typed.
    text->setText(QString());
    QTest::keyClicks(text, "<d>x");
    QCOMPARE(text->text(), QStringLiteral("<d>x"));
    QVERIFY(Child<QRadioButton>(input, "Option2")->isChecked());
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(text->text(), QStringLiteral("<d>x"));

    Child<QPushButton>(input, "Command1")->click();
    QTest::qWait(20);
    QVERIFY(screen->isEnabled());
    QCOMPARE(name->text(), QStringLiteral("<d>x"));

    // Opening keeps a leading <d> and drops another tag; the window's close box writes nothing back.
    QTest::mouseDClick(name->viewport(), Qt::LeftButton);
    input = Visible_Window<screens::Kakudai_Input>(QStringLiteral("Kakudai_Input"));
    QVERIFY(Child<QRadioButton>(input, "Option2")->isChecked());
    QCOMPARE(Box(input, "Text1")->text(), QStringLiteral("<d>x"));
    Box(input, "Text1")->setText(QStringLiteral("changed"));
    input->close();
    QTest::qWait(20);
    QVERIFY(screen->isEnabled());
    QCOMPARE(name->text(), QStringLiteral("<d>x"));

    screens::Item_Box* remarks = Box(screen, "Text1(13)");
    remarks->setText(QStringLiteral("<u>下線</u>"));
    QTest::mouseDClick(remarks->viewport(), Qt::LeftButton);
    input = Visible_Window<screens::Kakudai_Input>(QStringLiteral("Kakudai_Input"));
    QCOMPARE(input->windowTitle(), QStringLiteral("備考１の登録"));
    QCOMPARE(Box(input, "Text1")->text(), QStringLiteral("下線</u>"));
}

void Product_Screens::preRegisteredStringsWithKanma()
{
    const QString data = session.Data_Folder();
    QStringList lines = Default_Strings_Lines();
    lines[0] = QStringLiteral("品名の登録,いちご<kanma>大福 春 限定の 特別品,草餅,柏餅,,");
    QVERIFY(store::Write_Text_Lines(data + kStringsFileName, lines).ok());

    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* name = Box(screen, "Text1(1)");
    QTest::mouseDClick(name->viewport(), Qt::LeftButton);
    auto* input = Visible_Window<screens::Kakudai_Input>(QStringLiteral("Kakudai_Input"));
    QVERIFY(input);
    auto* first = Child<QPushButton>(input, "Command4(0)");
    QCOMPARE(first->text(), QStringLiteral("｢いちご,大福春限定の｣を左枠へ表示"));
    QVERIFY(!Child<QPushButton>(input, "Command4(3)")->isEnabled());
    QCOMPARE(Child<QPushButton>(input, "Command4(4)")->text(), QStringLiteral("未設定"));
    Box(input, "Text1")->Caret_To_End();
    first->click();
    QCOMPARE(Box(input, "Text1")->text(), QStringLiteral("品名:いちご,大福 春 限定の 特別品"));
    // A selection is replaced and the caret stays right after the inserted text.
    QTextCursor cursor = Box(input, "Text1")->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    Box(input, "Text1")->setTextCursor(cursor);
    Child<QPushButton>(input, "Command4(1)")->click();
    QCOMPARE(Box(input, "Text1")->text(), QStringLiteral("草餅:いちご,大福 春 限定の 特別品"));
    QCOMPARE(Box(input, "Text1")->textCursor().position(), 2);

    Child<QPushButton>(input, "Command3")->click();
    auto* editor = Visible_Window<screens::Mojiretsu_Write>(QStringLiteral("Mojiretsu_Write"));
    QVERIFY(editor);
    QVERIFY(!input->isEnabled());
    QCOMPARE(Child<QLabel>(editor, "Label1")->text(), QStringLiteral("「品名の登録」用の文字列登録"));
    QCOMPARE(Child<QLabel>(editor, "Label2(1)")->text(), QStringLiteral("草餅"));
    QCOMPARE(Child<QLabel>(editor, "Label2(3)")->palette().color(QPalette::Window), QColor(224, 224, 224));
    screens::Item_Box* edit = Box(editor, "Text1");
    edit->setText(QStringLiteral("桜餅，こし"));
    Child<QPushButton>(editor, "Command2(3)")->click();
    const QStringList stored = store::Read_Text_Lines(data + kStringsFileName).lines;
    QCOMPARE(stored.first(),
             QStringLiteral("品名の登録,いちご<kanma>大福 春 限定の 特別品,草餅,柏餅,桜餅<kanma>こし,"));
    QCOMPARE(stored.size(), 11);
    Child<QPushButton>(editor, "Command3(2)")->click();
    QCOMPARE(edit->text(), QStringLiteral("柏餅"));
    edit->setText(QString());
    Child<QPushButton>(editor, "Command2(1)")->click();
    QCOMPARE(store::Read_Text_Lines(data + kStringsFileName).lines.first(),
             QStringLiteral("品名の登録,いちご<kanma>大福 春 限定の 特別品,,柏餅,桜餅<kanma>こし,"));

    editor->close();  // the close box gives the enlarged input back
    QTest::qWait(20);
    QVERIFY(input->isEnabled());
    input->Form_Activate();
    QCOMPARE(Child<QPushButton>(input, "Command4(3)")->text(), QStringLiteral("｢桜餅,こし｣を左枠へ表示"));
    QVERIFY(!Child<QPushButton>(input, "Command4(1)")->isEnabled());
}

void Product_Screens::wordTableFiltersRegisterTransfer()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* ingredients = Box(screen, "Text1(3)");
    ingredients->setText(QStringLiteral("原材料名:"));
    QTest::mouseDClick(ingredients->viewport(), Qt::LeftButton);
    QCOMPARE(Child<QLabel>(screen, "Gen_open")->text(), QStringLiteral("open"));
    auto* table = Visible_Window<screens::Genzairyou>(QStringLiteral("Genzairyou"));
    QVERIFY(table);
    QVERIFY(screen->isEnabled());
    auto* list = Child<QListWidget>(table, "List1");
    QCOMPARE(list->count(), 1040);
    const auto words = [list] {
        QStringList w;
        for (int i = 0; i < list->count(); ++i)
            w << list->item(i)->text();
        return w;
    };
    Child<QPushButton>(table, "Command1(2)")->click();
    QVERIFY(words().contains(QStringLiteral("ごう|合成甘味料")));
    QCOMPARE(Child<QPushButton>(table, "Command1(2)")->palette().color(QPalette::Button), QColor(255, 192, 128));
    Child<QPushButton>(table, "Command1(6)")->click();
    QVERIFY(words().contains(QStringLiteral("ぼう|膨張剤")));
    QVERIFY(words().contains(QStringLiteral("ぽり|ポリアクリル酸Ｎａ")));

    // Transfer: directly after the colon, then after "､".
    list->setCurrentRow(words().indexOf(QStringLiteral("ぼう|膨張剤")));
    Child<QPushButton>(table, "Command1(12)")->click();
    QCOMPARE(ingredients->text(), QStringLiteral("原材料名:膨張剤"));
    const QPoint first_line = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first_line);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first_line);
    QCOMPARE(ingredients->text(), QStringLiteral("原材料名:膨張剤､") + list->item(0)->text().mid(3));
    // Each insertion is one step of the box's undo history.
    ingredients->undo();
    QCOMPARE(ingredients->text(), QStringLiteral("原材料名:膨張剤"));
    ingredients->undo();
    QCOMPARE(ingredients->text(), QStringLiteral("原材料名:"));
    ingredients->redo();
    ingredients->redo();

    // A kana reading is registered before ＥＤＴＡ－Ｎａ, ＺＺ at the end.
    Activate(table);
    auto* reading = Child<QLineEdit>(table, "Text1(0)");
    auto* word = Child<QLineEdit>(table, "Text1(1)");
    reading->setFocus();
    Commit_Text(reading, QStringLiteral("あ"));
    QTest::keyClick(reading, Qt::Key_Return);
    QCOMPARE(reading->text(), QStringLiteral("あ　"));
    QCOMPARE(QApplication::focusWidget(), word);
    QTest::keyClicks(word, "abc");
    Child<QPushButton>(table, "Command1(14)")->click();
    QCOMPARE(kakunin_->Kakunin_Lines().last(), QStringLiteral("登録しました/"));
    const QString data = session.Data_Folder();
    QStringList file = store::Read_Text_Lines(data + kWordTableFileName).lines;
    QCOMPARE(file.mid(0, 2), (QStringList{QStringLiteral("あ　\tａｂｃ"), QStringLiteral("ＥＤ\tＥＤＴＡ－Ｎａ")}));
    QCOMPARE(list->count(), 1041);
    QCOMPARE(reading->text(), QString());

    reading->setText(QStringLiteral("ZZ"));
    word->setText(QStringLiteral("末尾語"));
    Child<QPushButton>(table, "Command1(14)")->click();
    file = store::Read_Text_Lines(data + kWordTableFileName).lines;
    QCOMPARE(file.last(), QStringLiteral("ＺＺ\t末尾語"));
    Child<QPushButton>(table, "Command1(11)")->click();
    QVERIFY(words().contains(QStringLiteral("ＺＺ|末尾語")));

    // Delete with the Delete key: every line of the word goes.
    list->setCurrentRow(words().indexOf(QStringLiteral("ＺＺ|末尾語")));
    kakunin_->answers = {QStringLiteral("ok")};
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(kakunin_->Kakunin_Lines().mid(kakunin_->Kakunin_Lines().size() - 2),
             (QStringList{QStringLiteral("末尾語を削除します/よろしいですか？"), QStringLiteral("削除しました/")}));
    QCOMPARE(store::Read_Text_Lines(data + kWordTableFileName).lines.size(), 1041);

    Child<QPushButton>(table, "Command1(13)")->click();
    QTest::qWait(20);
    QCOMPARE(Child<QLabel>(screen, "Gen_open")->text(), QString());
}

void Product_Screens::instoreCodeHandOver()
{
    screens::S_Touroku* screen = Open_Registration();
    QTest::mouseDClick(Box(screen, "Text1(16)")->viewport(), Qt::LeftButton);
    auto* code = Visible_Window<screens::S_Nonplu>(QStringLiteral("S_Nonplu"));
    QVERIFY(code);
    QCOMPARE(Child<QLabel>(code, "Label9")->text(), QStringLiteral("S_Touroku"));
    Activate(code);
    auto* header = Child<QLineEdit>(code, "Text1");
    auto* item = Child<QLineEdit>(code, "Text2");
    auto* price = Child<QLineEdit>(code, "Text3");
    header->setFocus();
    QTest::keyClicks(header, "2");
    QTest::keyClick(header, Qt::Key_Return);
    QCOMPARE(header->text(), QStringLiteral("02"));
    QTest::keyClicks(item, "123456");
    QCOMPARE(item->text(), QStringLiteral("12345"));
    QCOMPARE(Child<QLabel>(code, "Label4")->text(), QStringLiteral("(5/5桁) "));
    QTest::keyClick(item, Qt::Key_Return);
    QTest::keyClicks(price, "298");
    QCOMPARE(Child<QLabel>(code, "Label6")->text(), QStringLiteral("(3/4桁) "));
    QTest::keyClick(price, Qt::Key_Return);
    QCOMPARE(price->text(), QStringLiteral("0298"));
    Child<QPushButton>(code, "Command2")->click();
    QCOMPARE(Child<QLineEdit>(code, "Text4")->text(), QStringLiteral("0212345102985"));

    // A changed input empties the code; 登録 then refuses.
    price->setText(QStringLiteral("0299"));
    QCOMPARE(Child<QLineEdit>(code, "Text4")->text(), QString());
    Child<QPushButton>(code, "Command1")->click();
    QVERIFY(!kakunin_->seen.empty());
    const test_support::Seen_Dialog& box = kakunin_->seen.back();
    QCOMPARE(box.window, QStringLiteral("QMessageBox"));
    QCOMPARE(box.texts, (QStringList{QStringLiteral("バーコードが算出されていません"), QStringLiteral("エラー")}));
    price->setText(QStringLiteral("0298"));
    Child<QPushButton>(code, "Command2")->click();
    Child<QPushButton>(code, "Command1")->click();
    QTest::qWait(20);
    QVERIFY(!Visible_Window<screens::S_Nonplu>(QStringLiteral("S_Nonplu")));
    QCOMPARE(Box(screen, "Text1(16)")->text(), QStringLiteral("0212345102985"));
}

void Product_Screens::instoreCodeToThePrintingScreen()
{
    QWidget printing_screen;
    printing_screen.setObjectName(QStringLiteral("Insatsu"));
    auto* barcode = new QLineEdit(&printing_screen);
    barcode->setObjectName(QStringLiteral("Text19"));
    printing_screen.show();
    auto* code = new screens::S_Nonplu;
    code->Label9->setText(QStringLiteral("Insatsu"));
    code->show();
    Child<QLineEdit>(code, "Text1")->setText(QStringLiteral("02"));
    Child<QLineEdit>(code, "Text2")->setText(QStringLiteral("12345"));
    Child<QLineEdit>(code, "Text3")->setText(QStringLiteral("0000"));
    Child<QPushButton>(code, "Command2")->click();
    Child<QPushButton>(code, "Command1")->click();
    QCOMPARE(barcode->text(), QStringLiteral("0212345000007"));  // price check digit of 0000 is 0
}

void Product_Screens::mainMenuOpensRegistration()
{
    app::MainMenu menu(session);
    menu.show();
    auto* button = Child<QPushButton>(&menu, "Command1");
    QVERIFY(button->isEnabled());
    button->click();
    auto* screen = Visible_Window<screens::S_Touroku>(QStringLiteral("S_Touroku"));
    QVERIFY(screen);
    QVERIFY(!menu.isVisible());
    Child<QPushButton>(screen, "Command2")->click();
    QTest::qWait(50);
    QVERIFY(menu.isVisible());
    QVERIFY(!Visible_Window<screens::S_Touroku>(QStringLiteral("S_Touroku")));
}

void Product_Screens::previewRedrawnOnEnterAndClosedWithTheScreen()
{
    const auto printers = Zebra_Printer();
    session.printers = printers.get();
    store::Settings_Record chosen;
    chosen[store::Setting::Printer_Name] = QStringLiteral("Zebra");
    QVERIFY(store::Save_Settings(session.application_folder, store::Saved_Values(chosen)).ok());
    Store(Sample_Product(QStringLiteral("12"), QStringLiteral("品名:大福")));

    screens::S_Touroku* screen = Open_Registration();
    screen->Load_Product(QStringLiteral("12"));
    auto* preview_button = Child<QPushButton>(screen, "Command3");
    QVERIFY(preview_button->isEnabled());
    preview_button->click();
    screens::S_Preview* preview = screens::Current_Preview();
    QVERIFY(preview && preview->isVisible());
    QCOMPARE(Child<QLabel>(screen, "Prv_open")->text(), QStringLiteral("open"));
    const QImage first = preview->picDraw->pixmap().toImage();
    QVERIFY(!first.isNull());

    // With the preview open, Enter keeps the focus and draws the screen's items again.
    Activate(screen);
    screens::Item_Box* name = Box(screen, "Text1(1)");
    name->setFocus();
    name->Caret_To_End();
    Commit_Text(name, QStringLiteral("草餅柏餅桜餅"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), name);
    QVERIFY(preview->picDraw->pixmap().toImage() != first);
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList());

    kakunin_->answers = {QStringLiteral("cancel"), QStringLiteral("ok")};  // the edit is let go
    Child<QPushButton>(screen, "Command2")->click();
    QTest::qWait(50);
    QVERIFY(!screens::Current_Preview() || !screens::Current_Preview()->isVisible());
    session.printers = nullptr;
}

// 印刷結果の表示 with the configured printer gone: said so, and the screen
// stays with its edits (the program does not end).
void Product_Screens::missingPrinterKeepsTheScreenAndItsEdits()
{
    const auto printers = Zebra_Printer();
    session.printers = printers.get();
    store::Settings_Record chosen;
    chosen[store::Setting::Printer_Name] = QStringLiteral("取り外したプリンタ");
    QVERIFY(store::Save_Settings(session.application_folder, store::Saved_Values(chosen)).ok());

    screens::S_Touroku* screen = Open_Registration();
    Box(screen, "Text1(1)")->setText(QStringLiteral("品名:草餅"));
    screen->Command3->click();
    QCOMPARE(kakunin_->First_Lines().size(), 1);
    QVERIFY(kakunin_->First_Lines().value(0).startsWith(QStringLiteral("指定のプリンターが見つかりません")));
    QVERIFY(screen->isVisible());
    QCOMPARE(Box(screen, "Text1(1)")->text(), QStringLiteral("品名:草餅"));
    QVERIFY(screen->Has_Unsaved_Edits());
    QVERIFY(!screens::Current_Preview() || !screens::Current_Preview()->isVisible());
    session.printers = nullptr;
}

// 入力情報を登録, then メニューへ戻る (clicked, or pressed by code) and the close
// box while "保存しました" is shown: the screen stays whole until the notice is
// answered, takes no second click, and closes afterwards.
void Product_Screens::messageKeepsTheScreenUntilAnswered()
{
    QPointer<screens::S_Touroku> screen = Open_Registration();
    Box(screen, "Text1(1)")->setText(QStringLiteral("品名:柏餅"));
    bool stayed = false;
    kakunin_->meanwhile = [&](screens::Kakunin*) {
        QTest::mouseClick(screen->Command2, Qt::LeftButton);
        QTest::mouseClick(screen->Command1, Qt::LeftButton);  // no second store
        QTest::keyClick(Box(screen, "Text1(1)"), Qt::Key_A);
        screen->Command2->click();
        screen->close();
        stayed = screen && screen->isVisible();
    };
    screen->Command1->click();
    QVERIFY(stayed);
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList{QStringLiteral("保存しました/")});
    QCOMPARE(Find_Product(session.Data_Folder(), QStringLiteral("1")).value()[Product_Name],
             QStringLiteral("品名:柏餅"));
    QTRY_VERIFY(!screen);  // the close put off is done once answered
}

void Product_Screens::unsavedEditsAskBeforeClosingOrLoading()
{
    Store(Sample_Product(QStringLiteral("2"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    screen->Command2->click();  // nothing changed: no question
    QVERIFY(!screen->isVisible());
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList());

    screen = Open_Registration();
    Box(screen, "Text1(1)")->setText(QStringLiteral("品名:柏餅"));
    kakunin_->answers = {QStringLiteral("cancel"), QStringLiteral("cancel")};  // 保存しない, 編集に戻る
    screen->Command2->click();
    QVERIFY(screen->isVisible());
    QCOMPARE(kakunin_->Kakunin_Lines(),
             (QStringList{QStringLiteral("変更が保存されていません/保存しますか？"),
                          QStringLiteral("変更を破棄します/よろしいですか？")}));
    // Loading another product over the edits asks the same.
    screens::Item_Box* number = Box(screen, "Text1(0)");
    number->setText(QStringLiteral("2"));
    kakunin_->answers = {QStringLiteral("cancel"), QStringLiteral("cancel")};
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(Box(screen, "Text1(1)")->text(), QStringLiteral("品名:柏餅"));
    QCOMPARE(kakunin_->Kakunin_Lines().size(), 4);
    // 保存する stores the edits under their own number, then the screen closes.
    kakunin_->answers = {QStringLiteral("ok")};
    screen->Command2->click();
    QVERIFY(!screen->isVisible());
    QCOMPARE(kakunin_->Kakunin_Lines().last(), QStringLiteral("保存しました/"));
    QCOMPARE(Find_Product(session.Data_Folder(), QStringLiteral("3")).value()[Product_Name],
             QStringLiteral("品名:柏餅"));
}

// 全項目ｸﾘｱ keeps the number: storing then asks to overwrite with いいえ focused,
// so that Return does not replace the product.
void Product_Screens::overwriteQuestionFocusesNo()
{
    Store(Sample_Product(QStringLiteral("1"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    screen->Load_Product(QStringLiteral("1"));
    kakunin_->answers = {QStringLiteral("ok")};
    screen->Command6->click();
    kakunin_->answers = {};
    screen->Command1->click();
    QCOMPARE(kakunin_->seen.back().texts.value(0), QStringLiteral("No.0001を上書き保存します"));
    QCOMPARE(kakunin_->seen.back().focused, QStringLiteral("いいえ"));
    QCOMPARE(Find_Product(session.Data_Folder(), QStringLiteral("1")).value()[Product_Name],
             QStringLiteral("品名:大福"));
}

// Digits committed by an input method (or pasted) in full width are read as digits.
void Product_Screens::numberBoxesReadFullWidthDigits()
{
    Store(Sample_Product(QStringLiteral("12"), QStringLiteral("品名:大福")));
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* number = Box(screen, "Text1(0)");
    number->setFocus();
    number->selectAll();
    Commit_Text(number, QStringLiteral("１２"));
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(number->text(), QStringLiteral("0012"));
    QCOMPARE(Box(screen, "Text1(1)")->text(), QStringLiteral("品名:大福"));

    screens::Item_Box* barcode = Box(screen, "Text1(16)");
    barcode->setFocus();
    barcode->clear();
    QApplication::clipboard()->setText(QStringLiteral("４９０１２３４５６７８９４"));
    barcode->paste();
    QTest::keyClick(barcode, Qt::Key_Return);
    QCOMPARE(barcode->text(), QStringLiteral("4901234567894"));
    QCOMPARE(kakunin_->Kakunin_Lines(), QStringList());  // a correct code: nothing to say
    for (int box : {0, 7, 16})
        QVERIFY(!Box(screen, screens::Array_Name("Text1", box))->testAttribute(Qt::WA_InputMethodEnabled));
}

// "保存方法：…" typed with the input method on: the caption's colon is stored as
// the label reads it; a full-width colon in the value stays.
void Product_Screens::captionColonTypedFullWidth()
{
    screens::S_Touroku* screen = Open_Registration();
    const QList<QPair<QString, QString>> typed = {
        {QStringLiteral("Text1(8)"), QStringLiteral("保存方法：直射日光を避け、時間：２時間以内")},
        {QStringLiteral("Text1(22)"), QStringLiteral("食塩相当量：0.1g")},
        {QStringLiteral("Text1(1)"), QStringLiteral("品名：いちご大福")},
        {QStringLiteral("Text1(23)"), QStringLiteral("食物繊維：1.2g")}};
    for (const auto& [name, text] : typed) {
        screens::Item_Box* box = Box(screen, name);
        box->setFocus();
        box->selectAll();
        Commit_Text(box, text);
        QString expected = text;
        expected[expected.indexOf(QChar(0xFF1A))] = QLatin1Char(':');
        QCOMPARE(box->text(), expected);
    }
    screens::Item_Box* remarks = Box(screen, "Text1(13)");  // no caption: kept as typed
    Commit_Text(remarks, QStringLiteral("注意：要冷蔵"));
    QCOMPARE(remarks->text(), QStringLiteral("注意：要冷蔵"));
}

void Product_Screens::wordTableTakesLookAlikes()
{
    screens::S_Touroku* screen = Open_Registration();
    QTest::mouseDClick(Box(screen, "Text1(3)")->viewport(), Qt::LeftButton);
    auto* table = Visible_Window<screens::Genzairyou>(QStringLiteral("Genzairyou"));
    QVERIFY(table);
    auto* reading = Child<QLineEdit>(table, "Text1(0)");
    auto* word = Child<QLineEdit>(table, "Text1(1)");
    Commit_Text(reading, QStringLiteral("ぞう"));
    word->setFocus();
    Commit_Text(word, QStringLiteral("増粘剤〜試作−１"));
    QCOMPARE(word->text(), QStringLiteral("増粘剤～試作－１"));
    kakunin_->answers = {QStringLiteral("ok")};
    Child<QPushButton>(table, "Command1(14)")->click();
    QVERIFY(table->List1->findItems(QStringLiteral("増粘剤～試作－１"), Qt::MatchEndsWith).size() == 1);
}

// The search box finds words by reading while the input method still composes,
// and Enter, Enter transfers the first word found.
void Product_Screens::wordTableSearchesByReadingAsTyped()
{
    screens::S_Touroku* screen = Open_Registration();
    screens::Item_Box* ingredients = Box(screen, "Text1(3)");
    ingredients->setText(QStringLiteral("原材料名:"));
    QTest::mouseDClick(ingredients->viewport(), Qt::LeftButton);
    auto* table = Visible_Window<screens::Genzairyou>(QStringLiteral("Genzairyou"));
    QVERIFY(table);
    Activate(table);
    auto* search = Child<QLineEdit>(table, "Text2");
    search->setFocus();
    const auto words = [table] {
        QStringList w;
        for (int i = 0; i < table->List1->count(); ++i)
            w << Word_Of_Entry(table->List1->item(i)->text());
        return w;
    };
    QInputMethodEvent composing(QStringLiteral("あすぱ"), {});
    QApplication::sendEvent(search, &composing);
    QVERIFY(words().contains(QStringLiteral("アスパルテーム")));
    QVERIFY(!words().contains(QStringLiteral("アスコルビン酸")));
    QInputMethodEvent cancelled;
    QApplication::sendEvent(search, &cancelled);
    QCOMPARE(table->List1->count(), 1040);

    Commit_Text(search, QStringLiteral("ｿﾞｳﾈﾝ"));
    QCOMPARE(words().first(), QStringLiteral("増粘剤"));
    QVERIFY(!words().contains(QStringLiteral("膨張剤")));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), table->List1);
    QTest::keyClick(table->List1, Qt::Key_Return);
    QCOMPARE(ingredients->text(), QStringLiteral("原材料名:増粘剤"));

    // A filter button ends the search.
    Child<QPushButton>(table, "Command1(1)")->click();
    QCOMPARE(search->text(), QString());
    QVERIFY(words().contains(QStringLiteral("亜鉛塩類")));
    QVERIFY(!words().contains(QStringLiteral("増粘剤")));
}

// One notch of the wheel over a drop-down that has no focus leaves its value.
void Product_Screens::wheelOverUnfocusedComboLeavesItsValue()
{
    screens::S_Touroku* screen = Open_Registration();
    Box(screen, "Text1(1)")->setFocus();
    for (const char* name : {"Combo1(5)", "Combo1(2)", "Combo1(0)"}) {
        auto* combo = Child<QComboBox>(screen, name);
        const QString before = combo->currentText();
        QVERIFY(combo->focusPolicy() != Qt::WheelFocus);
        const QPointF at = combo->rect().center();
        QWheelEvent wheel(at, combo->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->currentText(), before);
    }
}

void Product_Screens::newProductTakesTheChosenLayout()
{
    const QString& application = session.application_folder;
    screens::S_Touroku* screen = Open_Registration();
    QCOMPARE(screen->Combo1[screens::S_Touroku::kLayoutCombo]->currentText(), maintenance::kDefaultNewProductLayout);
    screen->close();

    maintenance::New_Product_Layout_Setting chosen;
    chosen.choice = QStringLiteral("標準06 90x50");
    QVERIFY(maintenance::Save_New_Product_Layout(application, chosen).Is_Done());
    screen = Open_Registration();
    QCOMPARE(screen->Combo1[screens::S_Touroku::kLayoutCombo]->currentText(), QStringLiteral("標準06 90x50"));
    screen->close();

    // The layout last stored with a product.
    chosen.choice = maintenance::kLastUsedLayoutChoice;
    QVERIFY(maintenance::Save_New_Product_Layout(application, chosen).Is_Done());
    screen = Open_Registration();
    screens::Select_List_Item(screen->Combo1[screens::S_Touroku::kLayoutCombo], QStringLiteral("標準05 70x80"));
    screen->Command1->click();
    Box(screen, "Text1(0)")->setText(QStringLiteral("5"));
    kakunin_->answers = {QStringLiteral("ok")};
    screen->Command5->click();  // 入力内容を全て消去します: a new product
    QCOMPARE(Box(screen, "Text1(0)")->text(), QStringLiteral("0002"));
    QCOMPARE(screen->Combo1[screens::S_Touroku::kLayoutCombo]->currentText(), QStringLiteral("標準05 70x80"));
}

// The product list gives several products one layout, after asking (いいえ
// focused); the product shown on the registration screen follows.
void Product_Screens::listChangesTheLayoutOfSeveralProducts()
{
    for (const char* number : {"1", "2", "3"})
        Store(Sample_Product(QString::fromLatin1(number), QStringLiteral("品名:餅")));
    screens::S_Touroku* screen = Open_Registration();
    screen->Load_Product(QStringLiteral("2"));
    screen->Command4->click();
    auto* list = Visible_Window<screens::S_List>(QStringLiteral("S_List"));
    QVERIFY(list);
    list->List1->item(0)->setSelected(true);
    list->List1->item(1)->setSelected(true);
    QVERIFY(screens::Select_List_Item(list->Combo1, QStringLiteral("標準06 90x50")));
    kakunin_->answers = {QStringLiteral("cancel")};
    list->Command3->click();
    QCOMPARE(kakunin_->seen.back().focused, QStringLiteral("いいえ"));
    QCOMPARE(Find_Product(session.Data_Folder(), QStringLiteral("1")).value()[Layout_Name],
             Sample_Product("1", {})[Layout_Name]);

    kakunin_->answers = {QStringLiteral("ok")};
    list->Command3->click();
    QCOMPARE(kakunin_->Kakunin_Lines().mid(1),
             (QStringList{QStringLiteral("2件の商品のレイアウトを/「標準06 90x50」に変更します"),
                          QStringLiteral("変更しました/2件")}));
    for (const char* number : {"1", "2"})
        QCOMPARE(Find_Product(session.Data_Folder(), QString::fromLatin1(number)).value()[Layout_Name],
                 QStringLiteral("標準06 90x50"));
    QCOMPARE(Find_Product(session.Data_Folder(), QStringLiteral("3")).value()[Layout_Name],
             Sample_Product("3", {})[Layout_Name]);
    QCOMPARE(screen->Combo1[screens::S_Touroku::kLayoutCombo]->currentText(), QStringLiteral("標準06 90x50"));
    QVERIFY(!screen->Has_Unsaved_Edits());
}

void Product_Screens::screenshots()
{
    const QString target = qEnvironmentVariable("PRODUCT_SCREENSHOTS");
    if (target.isEmpty())
        QSKIP("PRODUCT_SCREENSHOTS is not set");
    QDir().mkpath(target);
    const auto save = [&](QWidget* window, const QString& name) {
        QTest::qWait(200);
        QVERIFY(window->grab().save(target + QLatin1Char('/') + name + QStringLiteral(".png")));
    };
    Product_Record sample = Sample_Product(QStringLiteral("12"), QStringLiteral("品名:いちご大福"));
    sample[Barcode] = QStringLiteral("4901234567894");
    Store(sample);
    screens::S_Touroku* screen = Open_Registration();
    screen->Load_Product(QStringLiteral("12"));
    save(screen, QStringLiteral("S_Touroku"));

    Child<QPushButton>(screen, "Command4")->click();
    save(Visible_Window<screens::S_List>(QStringLiteral("S_List")), QStringLiteral("S_List"));
    Visible_Window<screens::S_List>(QStringLiteral("S_List"))->close();
    QTest::qWait(50);

    QTest::mouseDClick(Box(screen, "Text1(8)")->viewport(), Qt::LeftButton);
    auto* input = Visible_Window<screens::Kakudai_Input>(QStringLiteral("Kakudai_Input"));
    save(input, QStringLiteral("Kakudai_Input"));
    Child<QPushButton>(input, "Command3")->click();
    save(Visible_Window<screens::Mojiretsu_Write>(QStringLiteral("Mojiretsu_Write")),
         QStringLiteral("Mojiretsu_Write"));
    Visible_Window<screens::Mojiretsu_Write>(QStringLiteral("Mojiretsu_Write"))->close();
    input->close();
    QTest::qWait(50);

    QTest::mouseDClick(Box(screen, "Text1(3)")->viewport(), Qt::LeftButton);
    save(Visible_Window<screens::Genzairyou>(QStringLiteral("Genzairyou")), QStringLiteral("Genzairyou"));
    QTest::mouseDClick(Box(screen, "Text1(16)")->viewport(), Qt::LeftButton);
    auto* code = Visible_Window<screens::S_Nonplu>(QStringLiteral("S_Nonplu"));
    Child<QLineEdit>(code, "Text1")->setText(QStringLiteral("02"));
    Child<QLineEdit>(code, "Text2")->setText(QStringLiteral("12345"));
    Child<QLineEdit>(code, "Text3")->setText(QStringLiteral("298"));
    save(code, QStringLiteral("S_Nonplu"));

    const auto printers = Zebra_Printer();
    session.printers = printers.get();
    store::Settings_Record chosen;
    chosen[store::Setting::Printer_Name] = QStringLiteral("Zebra");
    QVERIFY(store::Save_Settings(session.application_folder, store::Saved_Values(chosen)).ok());
    Child<QPushButton>(screen, "Command3")->click();
    save(screens::Current_Preview(), QStringLiteral("S_Preview_from_S_Touroku"));
    session.printers = nullptr;
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAGothic"), 10));
    Product_Screens screens;
    return QTest::qExec(&screens, argc, argv);
}

#include "products_screens_test.moc"
