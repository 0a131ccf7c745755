#include "screens/products/s_nonplu.h"

#include "render/instore_code.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/item_box.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/products/s_touroku.h"
#include "store/cp932.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

void Set_Text_Colour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

}  // namespace

S_Nonplu::S_Nonplu(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("S_Nonplu"));
    setWindowTitle(QStringLiteral("インストアコード入力ウィンドウ"));
    setAttribute(Qt::WA_DeleteOnClose);

    QLabel* heading = Heading_Label(QStringLiteral("標準NON-PLU(インストアコード)の登録"), this);

    const auto box = [this](const char* name) {
        auto* b = new QLineEdit(this);
        b->setObjectName(QString::fromLatin1(name));
        QFont f = b->font();
        f.setPointSize(14);
        b->setFont(f);
        screens::Use_As_Number_Box(b);
        b->installEventFilter(this);
        return b;
    };
    const auto label = [this](const QString& text, const char* name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    Text1 = box("Text1");
    Text2 = box("Text2");
    Text3 = box("Text3");
    Text4 = box("Text4");
    Text4->setReadOnly(true);
    Label2 = label(QStringLiteral("(0/2桁)"), "Label2");
    Label4 = label(QStringLiteral("(0/5桁)"), "Label4");
    Label6 = label(QStringLiteral("(0/4桁)"), "Label6");
    Label9 = label(QString(), "Label9");
    Label9->hide();
    Command2 = new QPushButton(QStringLiteral("上記内容でバーコードを下欄に算出する"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("登録"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command3 = new QPushButton(QStringLiteral("閉じる"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("ヘッダコード"), this), 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Label2, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("アイテムコード"), this), 1, 0);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(Label4, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("価格"), this), 2, 0);
    grid->addWidget(Text3, 2, 1);
    grid->addWidget(Label6, 2, 2);
    grid->addWidget(Command2, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("バーコード"), this), 4, 0);
    grid->addWidget(Text4, 4, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(Text1, &QLineEdit::textChanged, this, [this] { Input_Changed(Text1, Label2, render::kHeaderDigits); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Input_Changed(Text2, Label4, render::kItemDigits); });
    connect(Text3, &QLineEdit::textChanged, this, [this] { Input_Changed(Text3, Label6, render::kPriceDigits); });
    connect(Command1, &QPushButton::clicked, this, &S_Nonplu::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_Nonplu::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_Nonplu::Command3_Click);
    adjustSize();
    Centre_On_Screen(this);
}

void S_Nonplu::Input_Changed(QLineEdit* box, QLabel* counter, int width)
{
    Text4->clear();
    const int bytes = store::Byte_Width(box->text());
    QColor colour = bytes == width ? QColor(0, 0, 255) : QColor(0, 0, 0);
    if (bytes > width) {
        colour = QColor(255, 0, 0);
        const QSignalBlocker blocker(box);
        box->setText(box->text().left(width));
        box->end(false);
    }
    const int shown = store::Byte_Width(box->text());
    if (shown == width)
        colour = QColor(0, 0, 255);
    counter->setText(render::Digit_Counter(shown, width));
    Set_Text_Colour(box, colour);
    Set_Text_Colour(counter, colour);
}

bool S_Nonplu::eventFilter(QObject* watched, QEvent* event)
{
    const QList<QLineEdit*> inputs = {Text1, Text2, Text3};
    static constexpr int widths[] = {render::kHeaderDigits, render::kItemDigits, render::kPriceDigits};
    const qsizetype at = inputs.indexOf(qobject_cast<QLineEdit*>(watched));
    if (at >= 0 && event->type() == QEvent::FocusOut
        && !Is_Window_Focus_Change(static_cast<QFocusEvent*>(event)->reason())) {
        inputs.at(at)->setText(render::Pad_Code(inputs.at(at)->text(), widths[at]));
    }
    if (at >= 0 && Is_Enter_Press(event)) {
        QWidget* next = at + 1 < inputs.size() ? static_cast<QWidget*>(inputs.at(at + 1)) : Command2;
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void S_Nonplu::Command2_Click()
{
    const QString code = render::Instore_Code(Text1->text(), Text2->text(), Text3->text());
    if (code.isEmpty()) {
        answerer_.Show_Warning_Box(
            QStringLiteral("入力されたコードや価格に異常があります。\nコードや価格を再度確認して下さい"),
            QStringLiteral("入力されたデータが異常です"));
        return;
    }
    Text4->setText(code);
    Command1->setFocus();
}

void S_Nonplu::Command1_Click()
{
    if (Text4->text().size() != 13) {
        answerer_.Show_Warning_Box(QStringLiteral("バーコードが算出されていません"), QStringLiteral("エラー"));
        return;
    }
    QWidget* opener = Find_Window(Label9->text());
    if (auto* registration = qobject_cast<S_Touroku*>(opener)) {
        registration->setEnabled(true);
        registration->activateWindow();
        registration->Text1[S_Touroku::kBarcodeBox]->setText(Text4->text());
        registration->Text1[S_Touroku::kBarcodeBox]->setFocus();
    } else if (opener) {
        if (auto* barcode = opener->findChild<QLineEdit*>(QStringLiteral("Text19"))) {
            barcode->setText(Text4->text());
            barcode->setFocus();
        }
    }
    close();
}

void S_Nonplu::Command3_Click()
{
    close();
}

}  // namespace screens
