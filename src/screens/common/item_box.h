#pragma once
// The text box of the product screens: one line or several, Enter and the
// other keys offered to the screen first. What enters it is shown as it will
// be stored: the CP932 counterparts of input-method look-alikes (〜 -> ～),
// half-width digits in a number box, the caption's colon in a caption item.
#include <QPlainTextEdit>

#include <functional>

namespace screens {

class Item_Box : public QPlainTextEdit {
    Q_OBJECT
public:
    // `lines` = visible lines; 1 makes a one-line box that never wraps.
    explicit Item_Box(int lines, QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text);
    void Set_Max_Length(int characters);
    // A number box: the input method off, full-width digits and signs entering as half-width.
    void Use_As_Number_Box();
    // An item whose value follows a caption: a full-width "：" ending the caption enters as ":".
    void Use_As_Caption_Item();
    void Select_All_Text();
    void Caret_To_End();
    // Adds text at the end through the editor, so that Ctrl+Z takes it back.
    void Append_Text(const QString& addition);
    void Set_Lines(int lines);  // keeps the box `lines` lines high for its font

    // Hooks of the screen. A key hook returns true when it has handled the key.
    std::function<bool(QKeyEvent*)> on_key;
    std::function<void(QKeyEvent*)> on_key_release;
    std::function<void(Qt::FocusReason)> on_focus_in;
    std::function<void(Qt::FocusReason)> on_focus_out;
    std::function<void()> on_double_click;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void changeEvent(QEvent* event) override;

private:
    void Map_Entered_Text();
    QString Entered_Form(const QString& text) const;
    void Keep_Max_Length();
    int lines_ = 1;
    int max_length_ = 0;
    enum class Entry { Text, Number, Caption_Item } entry_ = Entry::Text;
};

// True when the focus moved because another window was activated or a popup
// opened: the box was not really left or entered.
bool Is_Window_Focus_Change(Qt::FocusReason reason);

}  // namespace screens
