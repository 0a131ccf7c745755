#include "screens/common/entry_boxes.h"

#include "store/cp932.h"
#include "store/width_conversion.h"

#include <QLineEdit>
#include <QValidator>

#include <functional>

namespace screens {
namespace {

// Maps the text one character for one as it enters, then asks the box's
// former validator, if any.
class Mapping_Validator : public QValidator {
public:
    Mapping_Validator(std::function<QString(const QString&)> map, const QValidator* former, QObject* parent)
        : QValidator(parent), map_(std::move(map)), former_(former)
    {
    }

    State validate(QString& input, int& pos) const override
    {
        input = map_(input);
        return former_ ? former_->validate(input, pos) : Acceptable;
    }

    void fixup(QString& input) const override
    {
        if (former_)
            former_->fixup(input);
    }

private:
    std::function<QString(const QString&)> map_;
    const QValidator* former_;  // a child of the box, as this one is
};

void Map_Entered_Text(QLineEdit* box, std::function<QString(const QString&)> map)
{
    box->setValidator(new Mapping_Validator(std::move(map), box->validator(), box));
    box->setText(box->text());  // what the box already holds
}

}  // namespace

void Use_As_Number_Box(QLineEdit* box)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    Map_Entered_Text(box, &store::Ascii_To_Half_Width);
}

void Use_As_Text_Box(QLineEdit* box)
{
    Map_Entered_Text(box, &store::To_Cp932_Counterparts);
}

}  // namespace screens
