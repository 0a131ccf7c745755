#pragma once
// What the windows agree on between them: the hidden "open" flags through which
// a screen knows that a window it opened is still open, the answers dialogs
// write into their caller's hidden Ret_Code label, the data folder and the
// label preview of the editing screens.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/label_check.h"

#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace printing {
struct Printer_Geometry;
}
namespace store {
class Answerer;
}

namespace screens {

struct Session;

// Caption of a flag label (Prv_open, Gen_open) while the window it watches is open.
inline const QString kOpen = QStringLiteral("open");
bool Is_Open(const QLabel* flag);

// Answers in Ret_Code: the confirmation was accepted, or the dialog was left.
inline const QString kAnswerOk = QStringLiteral("ok");
inline const QString kAnswerCancel = QStringLiteral("cancel");
// Written by a closing screen so that a dialog still waiting on it ends its wait.
inline const QString kAnswerErr = QStringLiteral("Err");

// A screen's unsaved edits, before they would be dropped: asks whether to
// save them (then `save`, which says whether it saved) or to drop them; false
// when the user goes back to them.
bool Settle_Unsaved_Edits(store::Answerer& answerer, const std::function<bool()>& save);

// What the label check needs in the session: the settings, the data folder,
// the dots of the configured printer (made the current printer; the built-in
// PDF printer's without one) and the allergen list and dictionary.
render::Check_Context Label_Check_Context(const Session& session);
// The same for labels prepared for a printer already found.
render::Check_Context Label_Check_Context(const Session& session, const printing::Printer_Geometry& printer);

// The preview of the registration screen: the product's label with today's
// preview values and what the label check finds in it (with the package-area
// answer as the screen shows it), shown for the screen through its Prv_open flag.
void Show_Editing_Preview(const Session& session, QWidget* screen, const QString& screen_name,
                          const products::Product_Record& product, const layouts::Layout_Record& layout,
                          bool small_package);
// Closes the preview window when the screen's Prv_open flag says it is open.
void Close_Preview_Of(const QLabel* prv_open);

}  // namespace screens
