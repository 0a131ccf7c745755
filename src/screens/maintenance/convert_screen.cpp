#include "screens/maintenance/convert_screen.h"

#include "maintenance/conversion.h"
#include "screens/common/input_window.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kCaller = Convert::kScreenName;

QString Open_File_Dialog(QWidget* parent, const QString& start_folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("ファイルを開く"), start_folder,
                                        QStringLiteral("商品情報ファイル(*.tsv);;商品情報バックアップファイル(*.bak);;"
                                                       "すべてのファイル(*.*)"));
}

}  // namespace

Convert::Convert(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(kCaller);
    const QString title = QStringLiteral("ぱるべりなVer1.08→Ver2.00データコンバート");
    setWindowTitle(title);
    auto* heading = new QLabel(title, this);
    QFont big = heading->font();
    big.setPointSize(15);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    Label1 =
        Named(new QLabel(QStringLiteral("１．以下のいずれかのフォルダボタンをクリックし、読み込　　み元となるVer1.08の"
                                        "商品情報ファイルを指定します"),
                         this),
              "Label1");
    Command2 = Named(new QPushButton(QStringLiteral("c:\\Parvelina\\フォルダ"), this), "Command2");
    Command3 = Named(new QPushButton(QStringLiteral("c:\\Program Files\\Parvelina\\フォルダ"), this), "Command3");
    Command4 = Named(new QPushButton(QStringLiteral("c:\\Program Files (x86)\\Parvelina\\フォルダ"), this), "Command4");
    Command5 = Named(new QPushButton(QStringLiteral("VirturlStore内のParvelinaフォルダ"), this), "Command5");
    Command7 = Named(new QPushButton(QStringLiteral("ぱるべりなUSBメモリフォルダ"), this), "Command7");
    Command8 = Named(new QPushButton(QStringLiteral("ほかの場所（ホームフォルダなど）"), this), "Command8");
    Label3 = Named(new QLabel(QStringLiteral("▼ コンバートを行う商品情報ファイルのパス ▼"), this), "Label3");
    Label3->setAlignment(Qt::AlignCenter);
    Text1 = Named(new QLineEdit(this), "Text1");
    Text1->setReadOnly(true);
    Label4 = Named(
        new QLabel(QStringLiteral("２．下の実行をクリックすると、Ver1.08の全ての商品情報が　　Ver2.00に移行されます。"
                                  "【注意】登録番号が重複してい　　る場合は、Ver2.00のデータは上書きされます。"),
                   this),
        "Label4");
    Command6 = Named(new QPushButton(QStringLiteral("コンバートを実行する"), this), "Command6");
    Command1 = Named(new QPushButton(QStringLiteral("前の画面に戻る"), this), "Command1");
    Ret_Code = Add_Ret_Code(this);
    for (QLabel* label : {Label1, Label4})
        label->setWordWrap(true);

    auto* folders = new QGridLayout;
    int i = 0;
    for (QPushButton* button : {Command2, Command3, Command4, Command5, Command7, Command8}) {
        button->setMinimumHeight(32);
        folders->addWidget(button, i / 2, i % 2);
        ++i;
        connect(button, &QPushButton::clicked, this, [this, button] { Folder_Button_Click(button); });
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Command6);
    bottom->addWidget(Command1);
    for (QPushButton* button : {Command6, Command1})
        button->setMinimumHeight(36);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(Label1);
    layout->addLayout(folders);
    layout->addWidget(Label3);
    layout->addWidget(Text1);
    layout->addWidget(Label4);
    layout->addLayout(bottom);
    resize(640, 420);

    Choose_File = [this](const QString& start_folder) { return Open_File_Dialog(this, start_folder); };
    connect(Text1, &QLineEdit::textChanged, this, &Convert::Text1_Change);
    connect(Command6, &QPushButton::clicked, this, &Convert::Command6_Click);
    connect(Command1, &QPushButton::clicked, this, &Convert::Command1_Click);
}

QString Convert::Start_Folder(const QPushButton* button) const
{
    const QString c_drive = session_.Folder_Context().drive_root_base + QStringLiteral("c/");
    if (button == Command8)
        return QDir::homePath() + QLatin1Char('/');
    if (button == Command2)
        return c_drive + QStringLiteral("Parvelina/");
    if (button == Command3)
        return c_drive + QStringLiteral("Program Files/Parvelina/");
    if (button == Command4)
        return c_drive + QStringLiteral("Program Files (x86)/Parvelina/");
    if (button == Command5) {
        const QString user = session_.desktop ? session_.desktop->User_Name() : QString();
        return c_drive + QStringLiteral("Users/") + user
            + QStringLiteral("/AppData/Local/VirtualStore/Program Files (x86)/parvelina/");
    }
    return session_.removable_drive_root + QLatin1Char('/');
}

void Convert::Form_Load()
{
    Centre_On_Screen(this);
    settings_ = store::Load_Settings(session_.application_folder);
    for (QPushButton* button : {Command2, Command3, Command4, Command5})
        button->setEnabled(QFileInfo::exists(Start_Folder(button) + maintenance::kOldProductFileName));
    session_.Refresh_Removable_Drive_Root();
    Command7->setEnabled(!session_.removable_drive_root.isEmpty()
                         && QFileInfo::exists(Start_Folder(Command7) + maintenance::kOldProductFileName));
    Command6->setEnabled(false);
}

void Convert::Folder_Button_Click(QPushButton* button)
{
    if (button == Command7)
        session_.Refresh_Removable_Drive_Root();
    const QString chosen = Choose_File(Start_Folder(button));
    if (!chosen.isEmpty())
        Text1->setText(chosen);
}

void Convert::Text1_Change()
{
    if (Text1->text().isEmpty())
        return;
    switch (maintenance::Check_Old_File(Text1->text())) {
    case maintenance::Old_File_Check::Unreadable:
        return;
    case maintenance::Old_File_Check::Old_File:
        Command6->setEnabled(true);
        return;
    case maintenance::Old_File_Check::Not_Old_File:
        answerer_.Notify(QStringLiteral("選択されたﾌｧｲﾙは"), QStringLiteral("商品情報ﾌｧｲﾙではありません"));
        Text1->clear();
        return;
    }
}

void Convert::Command6_Click()
{
    const QString data_folder = store::Working_Data_Folder(settings_.Data_Location(), session_.Folder_Context());
    const store::Write_Result converted = maintenance::Convert_Product_File(data_folder, Text1->text());
    if (!converted.ok()) {
        answerer_.Report_Problem(QStringLiteral("コンバート出来ませんでした"),
                                 QStringLiteral("商品情報は変更していません"), converted.error);
        return;
    }
    answerer_.Notify_Lines({}, {}, QStringLiteral("コンバートしました"), QStringLiteral("はい"),
                           store::kInformationColour);
}

void Convert::Command1_Click()
{
    close();
}

}  // namespace screens
