#include "screens/common/item_box.h"

#include "products/item_rules.h"
#include "screens/common/window_conventions.h"
#include "store/cp932.h"
#include "store/width_conversion.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace screens {

bool Is_Window_Focus_Change(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

Item_Box::Item_Box(int lines, QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
    if (lines == 1) {
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    Set_Lines(lines);
    connect(this, &QPlainTextEdit::textChanged, this, &Item_Box::Map_Entered_Text);
    connect(this, &QPlainTextEdit::textChanged, this, &Item_Box::Keep_Max_Length);
}

void Item_Box::setText(const QString& text)
{
    setPlainText(text);
}

void Item_Box::Set_Max_Length(int characters)
{
    max_length_ = characters;
    Keep_Max_Length();
}

void Item_Box::Use_As_Number_Box()
{
    entry_ = Entry::Number;
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    Map_Entered_Text();
}

void Item_Box::Use_As_Caption_Item()
{
    entry_ = Entry::Caption_Item;
    Map_Entered_Text();
}

void Item_Box::Select_All_Text()
{
    selectAll();
}

void Item_Box::Caret_To_End()
{
    moveCursor(QTextCursor::End);
}

void Item_Box::Append_Text(const QString& addition)
{
    Caret_To_End();
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();  // one undo step of its own, not merged with typing
    cursor.insertText(addition);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void Item_Box::Set_Lines(int lines)
{
    lines_ = lines;
    const int frame = 2 * frameWidth();
    const int margin = static_cast<int>(2 * document()->documentMargin());
    setFixedHeight(fontMetrics().lineSpacing() * lines + frame + margin + 4);
}

void Item_Box::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Set_Lines(lines_);
}

QString Item_Box::Entered_Form(const QString& text) const
{
    switch (entry_) {
    case Entry::Number:
        return store::Ascii_To_Half_Width(text);
    case Entry::Caption_Item:
        return products::With_Caption_Colon(store::To_Cp932_Counterparts(text));
    case Entry::Text:
        break;
    }
    return store::To_Cp932_Counterparts(text);
}

void Item_Box::Map_Entered_Text()
{
    // Typed, pasted or set from a list: the box shows what will be stored. Each
    // replacement is one character for one, so the caret stays where it was.
    const QString text = toPlainText();
    const QString mapped = Entered_Form(text);
    if (mapped == text)
        return;
    const QSignalBlocker blocker(this);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == mapped.at(i))
            continue;
        cursor.setPosition(static_cast<int>(i));
        cursor.setPosition(static_cast<int>(i + 1), QTextCursor::KeepAnchor);
        cursor.insertText(mapped.at(i));
    }
    cursor.endEditBlock();
}

void Item_Box::Keep_Max_Length()
{
    if (max_length_ <= 0 || toPlainText().size() <= max_length_)
        return;
    const QSignalBlocker blocker(this);
    setPlainText(toPlainText().left(max_length_));
    Caret_To_End();
}

void Item_Box::keyPressEvent(QKeyEvent* event)
{
    if (on_key && on_key(event))
        return;
    if (Is_Enter_Key(event)) {
        event->accept();  // no line breaks in an item
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void Item_Box::keyReleaseEvent(QKeyEvent* event)
{
    if (on_key_release)
        on_key_release(event);
    QPlainTextEdit::keyReleaseEvent(event);
}

void Item_Box::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    if (on_focus_in)
        on_focus_in(event->reason());
}

void Item_Box::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (on_focus_out)
        on_focus_out(event->reason());
}

void Item_Box::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (on_double_click)
        on_double_click();
}

void Item_Box::insertFromMimeData(const QMimeData* source)
{
    // Pasted line breaks and tabs cannot be stored in an item: drop them.
    QString text = source->text();
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\t'));
    insertPlainText(text);
}

}  // namespace screens
