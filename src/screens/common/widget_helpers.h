#pragma once
// Helpers every screen shares: list selection, drop-down width, centring, and
// the hidden answer label through which dialogs hand back their result.
#include <QColor>
#include <QString>

#include <cstdint>

namespace store {
class Answerer;
}

class QAbstractItemView;
class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

namespace screens {

struct Session;

// Selects the first entry equal to the text; false (selection unchanged) when none is.
bool Select_List_Item(QListWidget* list, const QString& text);
bool Select_List_Item(QComboBox* combo, const QString& text);

// Sets the width of the combo box's drop-down list; true when it changed.
bool Set_Dropdown_Width(QComboBox* combo, int pixels);

// Room a window manager takes around a window: title bar and borders.
inline constexpr int kTitleBarAllowance = 32;
inline constexpr int kBorderAllowance = 8;

// Fits the window on its screen's available area and centres it there, its
// title bar on the screen: a window larger than the area is capped at it, and
// when its contents cannot shrink that far they scroll inside the window.
void Centre_On_Screen(QWidget* window);

// Fits a window whose contents grew (or shrank) on its screen again, as
// Centre_On_Screen does, moving it only as far as it takes to stay on the screen.
void Refit_On_Screen(QWidget* window);

// Moves the window beside the box (right, else left, else below, else above),
// so that it does not cover the box, and keeps it on the screen.
void Place_Beside(QWidget* window, const QWidget* box);

// Places a window beside the window it serves, right or left of its frame and
// at its top, when the screen has room there; otherwise beside the box it fills
// (Place_Beside), over the rest of that window. It becomes a window of the one
// it serves, which the window manager keeps in front of it, and from then on
// it follows that window's moves and is hidden and shown again with it.
void Place_Beside_Window(QWidget* window, QWidget* served, const QWidget* box);

// The top-level window with that object name ("Settei"), or null.
QWidget* Find_Window(const QString& screen_name);

// Creates the hidden "Ret_Code" label of a screen that asks questions.
QLabel* Add_Ret_Code(QWidget* screen);
// The "Ret_Code" label of the top-level window with that object name (an open
// one before a closed one), or null.
QLabel* Find_Ret_Code(const QString& screen_name);

// Keeps the user interface alive, in 50 ms steps, until the label has a
// caption; meanwhile the label's window is neither used nor closed (Answer_Wait).
void Wait_For_Answer(QLabel* ret_code);

// Selects the configured printer; when it is not installed, says so and returns
// false, the screen and its edits left as they are (the registration and layout
// screens call this before a preview).
bool Configured_Printer_Found(Session& session, store::Answerer& answerer);

// Object name as designed for element `index` of a control array: "Text1(5)".
QString Array_Name(const QString& name, int index);

// The colour of a colour number as stored in settings and layouts: red in
// the lowest byte, then green, then blue.
QColor Colour_Of(std::uint32_t number);

}  // namespace screens
