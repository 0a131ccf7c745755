#pragma once
// The conversion screen: picks the product file of version 1.08 and merges its
// records into the current product file.
#include "screens/common/dialogs.h"
#include "store/settings.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace screens {

struct Session;

class Convert : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("Convert");
    explicit Convert(Session& session, QWidget* parent = nullptr);

    QPushButton* Command2 = nullptr;  // c:\Parvelina\ folder
    QPushButton* Command3 = nullptr;  // c:\Program Files\Parvelina\ folder
    QPushButton* Command4 = nullptr;  // c:\Program Files (x86)\Parvelina\ folder
    QPushButton* Command5 = nullptr;  // the VirtualStore folder
    QPushButton* Command7 = nullptr;  // the USB memory
    QPushButton* Command8 = nullptr;  // any place: the user's home folder to start with
    QLineEdit* Text1 = nullptr;       // path of the old file
    QPushButton* Command6 = nullptr;  // run
    QPushButton* Command1 = nullptr;  // back
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Ret_Code = nullptr;

    // The open-file dialog: title, start folder, filters; returns the chosen
    // path or an empty text (replaced in tests).
    std::function<QString(const QString& start_folder)> Choose_File;

    void Form_Load();
    void Folder_Button_Click(QPushButton* button);
    void Text1_Change();
    void Command6_Click();
    void Command1_Click();

    // Start folder of a folder button (ends in "/").
    QString Start_Folder(const QPushButton* button) const;

private:
    Session& session_;

    store::Settings_Record settings_;
    Screen_Answerer answerer_{kScreenName};
};

}  // namespace screens
