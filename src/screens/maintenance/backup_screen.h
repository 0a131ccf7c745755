#pragma once
// The backup screen: zip archives of the data in a chosen folder, restoring
// the data from one of them, deleting them.
#include "screens/common/dialogs.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace screens {

struct Session;

class Backup : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("Backup");
    explicit Backup(Session& session, QWidget* parent = nullptr);

    QComboBox* Combo3 = nullptr;   // backup folder
    QListWidget* List1 = nullptr;  // archives, without ".zip"
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command6 = nullptr;   // choose any folder as the destination
    QLabel* Label_Reminder = nullptr;  // reminder: the destination is the data folder itself
    QLabel* Ret_Code = nullptr;

    // The folder dialog for Command6 (replaced in tests); empty when cancelled.
    std::function<QString(const QString& start_folder)> Choose_Folder;

    void Form_Load();
    void Combo3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

private:
    Session& session_;

    QString Selected_Folder() const;
    QString Selected_Archive_Path() const;
    void Notify_Done(const QString& line1, const QString& line2, const QString& line3);
    Screen_Answerer answerer_{kScreenName};
};

}  // namespace screens
