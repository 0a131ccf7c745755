#pragma once
// The settings screen: printer and printing options, the data location, and
// the door to layout management, backup and the 1.08 conversion.
#include "screens/common/dialogs.h"
#include "store/settings.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace screens {

struct Session;

class Settei : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("Settei");
    explicit Settei(Session& session, QWidget* parent = nullptr);

    QComboBox* Combo1 = nullptr;  // printer
    QLabel* Label14 = nullptr;    // paper number
    QPushButton* Command4 = nullptr;
    QLineEdit* Text2 = nullptr;   // vertical correction
    QLineEdit* Text3 = nullptr;   // horizontal correction
    QComboBox* Combo2 = nullptr;  // printing per set of copies
    QComboBox* Combo3 = nullptr;  // data location
    QPushButton* Command8 = nullptr;
    QComboBox* Combo4 = nullptr;  // barcode method
    QComboBox* Combo5 = nullptr;  // paper position
    QLineEdit* Text1 = nullptr;   // maximum print width
    QCheckBox* Check1 = nullptr;  // ask before printing a label the label check finds wrong
    QComboBox* Combo6 = nullptr;  // the layout a new product starts with
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;  // layout management
    QPushButton* Command5 = nullptr;
    QPushButton* Command7 = nullptr;
    QLabel* Ret_Code = nullptr;

    // Ends the application after a change of data location (replaced in tests).
    std::function<void()> End_Application;

    void Form_Load();
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command7_Click();
    void Command8_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session& session_;

    void Build_Controls();
    void Show_New_Product_Layout();
    store::Outcome Save_New_Product_Layout_Choice();
    store::Settings_Record Screen_Settings;
    Screen_Answerer answerer_{kScreenName};
};

}  // namespace screens
