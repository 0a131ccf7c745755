#pragma once
// What a one-line box does with what the input method sends it.
class QLineEdit;

namespace screens {

// A box for a number (product number, copies, days, barcode, sizes, paper
// number…): the input method is off for it, and full-width digits and signs
// that still arrive (pasted, or a composition committed) become half-width as
// they enter, before the box's own validator sees them.
void Use_As_Number_Box(QLineEdit* box);

// A box whose text is stored or searched for: the characters Linux input
// methods give for CP932 characters (〜 −) become those characters (～ －) as
// they enter, so the user sees what will be stored.
void Use_As_Text_Box(QLineEdit* box);

}  // namespace screens
