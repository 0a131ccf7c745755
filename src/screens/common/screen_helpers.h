#pragma once
// Small helpers shared by the product screens.
#include "screens/common/conventions.h"
#include "screens/common/widget_helpers.h"

#include "recipes/materials.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

class QEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QObject;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace screens {

// A bold heading line of a window.
QLabel* Heading_Label(const QString& text, QWidget* parent, int point_size = 13);

// A one-line box with its designed object name; `form` watches its keys (its Enter chain).
QLineEdit* Chained_Line_Edit(QWidget* form, const char* name);
// A button with its designed object name.
QPushButton* Named_Button(QWidget* form, const QString& caption, const char* name);

// The window's frame: its heading (object name "Heading") at the top; the
// caller adds the body, then Add_Button_Row.
QVBoxLayout* Window_Layout(QWidget* window, const QString& heading);
// The row of buttons at the bottom, `close` set apart on the right.
void Add_Button_Row(QVBoxLayout* layout, const QList<QPushButton*>& buttons, QPushButton* close);

// For a window's eventFilter: on an Enter press in `watched`, moves the focus
// to the control `next` names after it; true when it did (the key is used).
bool Follow_Enter_Chain(QObject* watched, QEvent* event, const std::function<QWidget*(QWidget*)>& next);
// The control after `from` in `chain`, null after the last one or for one not in it.
QWidget* Next_In_List(const QList<QWidget*>& chain, QWidget* from);
// For a window's eventFilter: Enter in the search box picks the first entry
// found when none is picked yet.
void Pick_First_Found(QObject* watched, QEvent* event, QLineEdit* search, QListWidget* found);

// The materials whose names hold what the user typed: the registered ones,
// then foods of the session's composition table (read on first use). An
// empty search reads no table; `error` says why the table cannot be read.
std::vector<recipes::Material> Search_Materials(const Session& session, const QString& typed,
                                                const std::vector<recipes::Material>& registered, int limit,
                                                QString* error);
// The session's composition table (Composition_Table), null with `error` when it cannot be read.
const recipes::Food_Table* Session_Food_Table(const Session& session, QString* error = nullptr);

}  // namespace screens
