#pragma once
// The text box of the product screens: one line or several, Enter and the
// other keys offered to the screen first.
#include <QPlainTextEdit>

#include <functional>

namespace products {

class Item_Box : public QPlainTextEdit {
    Q_OBJECT
public:
    // `lines` = visible lines; 1 makes a one-line box that never wraps.
    explicit Item_Box(int lines, QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text);
    void Set_Max_Length(int characters);
    void Set_Input_Method(bool enabled);
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
    void Use_Cp932_Counterparts();
    void Keep_Max_Length();
    int lines_ = 1;
    int max_length_ = 0;
};

// True when the focus moved because another window was activated or a popup
// opened: the box was not really left or entered.
bool Is_Window_Focus_Change(Qt::FocusReason reason);

}  // namespace products
