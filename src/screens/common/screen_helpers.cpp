#include "screens/common/screen_helpers.h"

#include "screens/common/session.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace products {

QLabel* Heading_Label(const QString& text, QWidget* parent, int point_size)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(point_size);
    font.setBold(true);
    label->setFont(font);
    return label;
}

int Twips_To_Pixels(int twips)
{
    const app::Session& session = app::Current_Session();
    int ppi = session.desktop ? session.desktop->Screen_Pixels_Per_Inch() : 0;
    if (ppi <= 0)
        ppi = QGuiApplication::primaryScreen() ? qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()) : 96;
    return static_cast<int>(std::lround(twips * ppi / 1440.0));
}

}  // namespace products
