#include "screen_support.h"

#include "app/dialogs.h"
#include "store/cp932.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace maintenance_test {

Test_Printers::Test_Printers()
    : Fake_Printer_Platform({{QStringLiteral("Zebra"), {QPageSize(QPageSize::A4)}},
                             {QStringLiteral("Lesprit T2"), {QPageSize(QPageSize::A4)}},
                             {QStringLiteral("SATO FI212T"), {QPageSize(QPageSize::A4)}}})
{
}

Session_Fixture::Session_Fixture()
{
    desktop.application_folder = application.Path();
    desktop.desktop_folder = desktop_folder.Path();
    app::Session& session = app::Current_Session();
    session.desktop = &desktop;
    session.printers = &printers;
    session.application_folder = application.Path();
    session.removable_drive_root.clear();
    Write_Settings({QString(), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("しない"),
                    QStringLiteral("ぱるべりなインストールフォルダ"), QStringLiteral("ソフトウェアにて生成"),
                    QStringLiteral("中央寄せ"), QString()});
    session.Load_Settings();
}

void Session_Fixture::Write_Settings(const QStringList& lines) const
{
    QStringList all = lines;
    while (all.size() < 15)
        all << QString();
    application.Write(QStringLiteral("user_v2.dat"), test_support::Cp932_Lines(all));
}

QStringList Session_Fixture::Settings_Lines() const
{
    return store::Read_Text_Lines(application.File(QStringLiteral("user_v2.dat"))).lines;
}

Dialog_Script::Dialog_Script()
{
    connect(&timer_, &QTimer::timeout, this, &Dialog_Script::Poll);
    timer_.start(20);
}

QString Dialog_Script::Next_Answer()
{
    if (answers.empty())
        return QStringLiteral("cancel");
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

void Dialog_Script::Poll()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen.push_back({QStringLiteral("QMessageBox"), {box->text()}, {}});
        box->accept();
        return;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (auto* kakunin = qobject_cast<app::Kakunin*>(top)) {
            Seen_Dialog dialog{QStringLiteral("Kakunin"),
                               {kakunin->Label1->text(), kakunin->Label2->text(), kakunin->Label3->text()},
                               {}};
            for (QPushButton* button : {kakunin->Command1, kakunin->Command2})
                if (button->isVisible())
                    dialog.buttons << button->text();
            seen.push_back(dialog);
            if (!kakunin->Command1->isVisible())
                kakunin->Command2_Click();
            else if (Next_Answer() == QStringLiteral("ok"))
                kakunin->Command1_Click();
            else
                kakunin->Command2_Click();
            return;
        }
        if (auto* input = qobject_cast<app::InputWindowA*>(top)) {
            seen.push_back({QStringLiteral("InputWindowA"),
                            {input->windowTitle(), input->Label1[0]->text(), input->Text1->text()},
                            {input->Command1->text(), input->Command2->text()}});
            const QString answer = Next_Answer();
            if (answer == QStringLiteral("cancel")) {
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

}  // namespace maintenance_test
