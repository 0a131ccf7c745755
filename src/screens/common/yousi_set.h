#pragma once
// Yousi_Set ("用紙の選択"): lists the paper sizes the printer shown on the
// settings screen accepts and hands the chosen number to the screen named in
// the hidden label Yobidashi ("Settei" or "Layout_M").
#include "screens/common/dialogs.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace screens {

struct Session;

class Yousi_Set : public QWidget {
    Q_OBJECT
public:
    explicit Yousi_Set(Session& session, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Command1 = nullptr;  // 選択
    QPushButton* Command2 = nullptr;  // キャンセル
    QPushButton* Command3 = nullptr;  // 用紙の指定を解除する
    QLabel* Yobidashi = nullptr;

    // Builds the list: searches the paper numbers of the printer with WorkBar showing.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    // Closing the window by its close box is a cancel: the caller is enabled again.
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;

    Screen_Answerer answerer_{QStringLiteral("Yousi_Set")};
    // Hands the number to the caller (none: the caller's number stays),
    // re-enables the caller and closes the window.
    void Hand_Back(const QString& number);
    void Return_To_Caller(const QString& number);
};

// The printer the window examines: the one shown in Combo1 of the settings
// screen, or the configured printer when the settings screen is not open.
QString Printer_To_Examine(const Session& session);

// Opens the window for the caller ("Settei" or "Layout_M"), which has
// disabled itself; the window deletes itself when it closes.
Yousi_Set* Open_Paper_Selection(Session& session, const QString& caller);

}  // namespace screens
