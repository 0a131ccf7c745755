#include "screens/common/screen_helpers.h"

#include "recipes/product_recipe.h"
#include "screens/common/session.h"
#include "screens/common/window_conventions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace screens {

QLabel* Heading_Label(const QString& text, QWidget* parent, int point_size)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(point_size);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLineEdit* Chained_Line_Edit(QWidget* form, const char* name)
{
    auto* box = new QLineEdit(form);
    box->setObjectName(QString::fromLatin1(name));
    box->installEventFilter(form);
    return box;
}

QPushButton* Named_Button(QWidget* form, const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption, form);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QVBoxLayout* Window_Layout(QWidget* window, const QString& heading)
{
    auto* layout = new QVBoxLayout(window);
    QLabel* label = Heading_Label(heading, window);
    label->setObjectName(QStringLiteral("Heading"));
    layout->addWidget(label);
    return layout;
}

void Add_Button_Row(QVBoxLayout* layout, const QList<QPushButton*>& buttons, QPushButton* close)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
}

bool Follow_Enter_Chain(QObject* watched, QEvent* event, const std::function<QWidget*(QWidget*)>& next)
{
    if (!Is_Enter_Press(event))
        return false;
    QWidget* target = next(qobject_cast<QWidget*>(watched));
    if (!target)
        return false;
    target->setFocus(Qt::TabFocusReason);
    return true;
}

QWidget* Next_In_List(const QList<QWidget*>& chain, QWidget* from)
{
    const qsizetype at = chain.indexOf(from);
    return at >= 0 && at + 1 < chain.size() ? chain.at(at + 1) : nullptr;
}

void Pick_First_Found(QObject* watched, QEvent* event, QLineEdit* search, QListWidget* found)
{
    if (watched == search && Is_Enter_Press(event) && found->currentRow() < 0 && found->count() > 0)
        found->setCurrentRow(0);
}

std::vector<recipes::Material> Search_Materials(const Session& session, const QString& typed,
                                                const std::vector<recipes::Material>& registered, int limit,
                                                QString* error)
{
    const bool searching = !typed.trimmed().isEmpty();
    const recipes::Food_Table* table = searching ? Session_Food_Table(session, error) : nullptr;
    return recipes::Find_Materials(typed, registered, table, limit);
}

const recipes::Food_Table* Session_Food_Table(const Session& session, QString* error)
{
    return recipes::Composition_Table(session.food_tables, session.program_folder, session.Data_Folder(), error);
}

}  // namespace screens
