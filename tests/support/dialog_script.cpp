#include "support/dialog_script.h"

#include "screens/common/conventions.h"
#include "screens/common/dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <utility>

namespace test_support {

Dialog_Script::Dialog_Script()
{
    connect(&timer_, &QTimer::timeout, this, &Dialog_Script::Poll);
    timer_.start(20);
}

QString Dialog_Script::Next_Answer()
{
    if (answers.empty())
        return screens::kAnswerCancel;
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList Dialog_Script::First_Lines() const
{
    QStringList lines;
    for (const Seen_Dialog& dialog : seen) {
        const QString first = dialog.texts.value(0);
        lines << (first.isEmpty() && dialog.window == QStringLiteral("Kakunin") ? dialog.texts.value(2) : first);
    }
    return lines;
}

QStringList Dialog_Script::Kakunin_Lines() const
{
    QStringList lines;
    for (const Seen_Dialog& dialog : seen)
        if (dialog.window == QStringLiteral("Kakunin"))
            lines << dialog.texts.value(0) + QLatin1Char('/') + dialog.texts.value(1);
    return lines;
}

QList<QColor> Dialog_Script::Kakunin_Colours() const
{
    QList<QColor> colours;
    for (const Seen_Dialog& dialog : seen)
        if (dialog.window == QStringLiteral("Kakunin"))
            colours << dialog.colour;
    return colours;
}

void Dialog_Script::Poll()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen.push_back({QStringLiteral("QMessageBox"), {box->text(), box->windowTitle()}, {}, {}, {}});
        box->accept();
        return;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (auto* kakunin = qobject_cast<screens::Kakunin*>(top)) {
            Seen_Dialog dialog{QStringLiteral("Kakunin"),
                               {kakunin->Label1->text(), kakunin->Label2->text(), kakunin->Label3->text()},
                               {},
                               kakunin->palette().color(QPalette::Window),
                               kakunin->focusWidget() ? kakunin->focusWidget()->property("text").toString()
                                                      : QString()};
            for (QPushButton* button : {kakunin->Command1, kakunin->Command2})
                if (button->isVisible())
                    dialog.buttons << button->text();
            if (auto* focused = qobject_cast<QPushButton*>(kakunin->focusWidget()))
                dialog.focused = focused->text();
            seen.push_back(dialog);
            if (const auto action = std::exchange(meanwhile, nullptr)) {
                const QPointer<screens::Kakunin> guard(kakunin);
                action(kakunin);
                if (!guard || !guard->isVisible())
                    return;  // answered meanwhile
            }
            if (!kakunin->Command1->isVisible())
                kakunin->Command2_Click();
            else if (Next_Answer() == screens::kAnswerOk)
                kakunin->Command1_Click();
            else
                kakunin->Command2_Click();
            return;
        }
        if (auto* input = qobject_cast<screens::InputWindowA*>(top)) {
            seen.push_back({QStringLiteral("InputWindowA"),
                            {input->windowTitle(), input->Label1[0]->text(), input->Text1->text()},
                            {input->Command1->text(), input->Command2->text()},
                            {},
                            {}});
            const QString answer = Next_Answer();
            if (answer == screens::kAnswerCancel) {
                input->Command2_Click();
            } else {
                if (!answer.isEmpty())
                    input->Text1->setText(answer);
                input->Command1_Click();
            }
            return;
        }
    }
}

}  // namespace test_support
