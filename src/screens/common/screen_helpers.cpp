#include "screens/common/screen_helpers.h"

#include <QLabel>

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

}  // namespace products
