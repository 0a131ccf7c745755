#pragma once
// The start-up screen and root of every other screen.
#include "screens/common/dialogs.h"

#include "platform/folder_presence.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

namespace screens {
class Insatsu;
}

namespace screens {
struct Session;
}

namespace app {

class MainMenu : public QWidget {
    Q_OBJECT
public:
    explicit MainMenu(screens::Session& session, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // program title
    QLabel* Label4 = nullptr;  // configured printer
    QLabel* Label5 = nullptr;  // platform note
    QLabel* Label6 = nullptr;  // link to the help page
    QLabel* Label7 = nullptr;  // application folder in use
    QLabel* Label8 = nullptr;  // other running copies that use the data folder; hidden when none
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;  // 発行履歴
    QPushButton* Command6 = nullptr;  // 材料の登録

    // Start-up steps 2 to 8: title, removable drive, settings, printer label,
    // default files. Problems with folders or files are reported; the menu still opens.
    void Form_Load();
    void Refresh_Printer_Label();
    // Shows in Label8 which other running copies use the data folder.
    void Refresh_Other_Copies();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Label6_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    screens::Session& session_;

    screens::Screen_Answerer answerer_{QStringLiteral("MainMenu")};
    // Shows a full screen opened from the menu and hides the menu until it closes.
    void Open_Screen(QWidget* screen);
    QPointer<screens::Insatsu> printing_;  // the printing screen while it is open
    // This copy's mark in the data folder, renewed and the others looked for every few seconds.
    std::unique_ptr<platform::Folder_Presence> presence_;
    QTimer presence_timer_;
};

// The help page shipped beside the executable.
QString Help_Page_Path(const QString& application_folder);

}  // namespace app
