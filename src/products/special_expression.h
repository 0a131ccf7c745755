#pragma once
// The enlarged item input: item titles, the special expressions that put a
// leading tag on an item text, and the captions of the insert buttons.
#include <QString>
#include <QStringList>

namespace products {

// The 30 item titles ("品名の登録" ...) with the index of the registration
// screen's Text1 box each one edits; -1 for an unknown title.
QStringList Item_Titles();
int Item_Box_Of_Title(const QString& title);
QString Title_Of_Item_Box(int box);  // empty for a box without enlarged input

enum class Special_Expression { None, Bold, Date };

// The text after the option became selected: Date / Bold put "<d>" / "<b>" in
// front, replacing a leading tag other than "<m>" / "<M>"; None removes such a tag.
QString Apply_Special_Expression(const QString& text, Special_Expression option);

// The option an item text starts with when the window opens: Date for "<d>",
// Bold for "<b>" (texts longer than two characters), None otherwise.
Special_Expression Initial_Special_Expression(const QString& text);

// The option that typing `typed` into `text` selects ("<d>"/"<D>" -> Date,
// "<b>"/"<B>" -> Bold, otherwise None).
Special_Expression Special_Expression_For_Typing(const QString& text, const QString& typed);

// Caption of an insert button for a pre-registered string: spaces removed,
// "｢" + first ten characters + "｣を左枠へ表示".
QString Insert_Button_Caption(const QString& text);

}  // namespace products
