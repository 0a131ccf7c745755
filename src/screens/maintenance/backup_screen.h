#pragma once
// The backup screen: zip archives of the data in a chosen folder, restoring
// the data from one of them, deleting them.
#include "screens/common/dialogs.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace maintenance {

class Backup : public QWidget {
    Q_OBJECT
public:
    explicit Backup(QWidget* parent = nullptr);

    QComboBox* Combo3 = nullptr;    // backup folder
    QListWidget* List1 = nullptr;   // archives, without ".zip"
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Ret_Code = nullptr;

    void Form_Load();
    void Combo3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

private:
    QString Selected_Folder() const;
    QString Selected_Archive_Path() const;
    void Notify_Done(const QString& line1, const QString& line2, const QString& line3);
    app::Screen_Confirmation ui_{QStringLiteral("Backup")};
};

}  // namespace maintenance
