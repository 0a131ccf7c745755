#include "screens/maintenance/backup_screen.h"

#include "maintenance/backup.h"
#include "maintenance/data_files.h"
#include "screens/common/conventions.h"
#include "screens/common/input_window.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "store/text_helpers.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace screens {
namespace {

const QString& kCaller = Backup::kScreenName;
const QString kOk = QStringLiteral("OK");

}  // namespace

Backup::Backup(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(kCaller);
    setWindowTitle(QStringLiteral("商品情報バックアップ"));
    auto* heading = new QLabel(QStringLiteral("データバックアップ"), this);
    QFont big = heading->font();
    big.setPointSize(16);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    Combo3 = Named(new QComboBox(this), "Combo3");
    List1 = Named(new QListWidget(this), "List1");
    List1->setMinimumHeight(220);
    Command2 = Named(new QPushButton(QStringLiteral("バックアップを作成・保存する"), this), "Command2");
    Command4 = Named(new QPushButton(QStringLiteral("選択したバックアップで復元する"), this), "Command4");
    Command3 = Named(new QPushButton(QStringLiteral("バックアップを削除する"), this), "Command3");
    Command5 = Named(new QPushButton(QStringLiteral("インストール  フォルダを開く"), this), "Command5");
    Command1 = Named(new QPushButton(QStringLiteral("前の画面に戻る"), this), "Command1");
    Command6 = Named(new QPushButton(QStringLiteral("フォルダを選ぶ…"), this), "Command6");
    Label_Reminder = Named(new QLabel(QStringLiteral("※ 保存先が情報データと同じフォルダです。パソコンの故障に備えて、"
                                                     "USBメモリなど別の場所にも保存して下さい。"),
                                      this),
                           "Label_Reminder");
    Label_Reminder->setWordWrap(true);
    Label_Reminder->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    Label_Reminder->hide();
    Ret_Code = Add_Ret_Code(this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("バックアップデータの保存先"), this), 0, 0);
    grid->addWidget(Combo3, 0, 1);
    grid->addWidget(Command6, 0, 2);
    grid->addWidget(Label_Reminder, 1, 0, 1, 3);
    grid->addWidget(List1, 2, 0, 5, 2);
    int row = 2;
    for (QPushButton* button : {Command2, Command4, Command3, Command5}) {
        button->setMinimumHeight(36);
        grid->addWidget(button, row++, 2);
    }
    Command1->setMinimumHeight(36);
    grid->addWidget(Command1, row, 2);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);

    connect(Combo3, &QComboBox::currentIndexChanged, this, &Backup::Combo3_Click);
    connect(Command1, &QPushButton::clicked, this, &Backup::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Backup::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Backup::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Backup::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Backup::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Backup::Command6_Click);
    Choose_Folder = [this](const QString& start_folder) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("バックアップデータの保存先"), start_folder);
    };
}

void Backup::Form_Load()
{
    resize(640, 380);
    Centre_On_Screen(this);
    Combo3->clear();
    Combo3->addItems(maintenance::Data_Location_Names());
    Combo3->setCurrentIndex(1);
    Combo3_Click();
    session_.Load_Settings();
}

QString Backup::Selected_Folder() const
{
    // A chosen folder carries its path; the fixed places are resolved by name.
    const QString chosen = Combo3->currentData().toString();
    if (!chosen.isEmpty())
        return chosen;
    return maintenance::Backup_Folder(Combo3->currentIndex(), session_.Folder_Context());
}

QString Backup::Selected_Archive_Path() const
{
    return maintenance::Archive_Path(Selected_Folder(), List1->currentItem()->text());
}

void Backup::Combo3_Click()
{
    List1->clear();
    List1->addItems(maintenance::List_Archives(Selected_Folder(), QStringLiteral("zip")));
    Label_Reminder->setVisible(QDir(Selected_Folder()) == QDir(session_.Data_Folder()));
}

void Backup::Command6_Click()
{
    const QString chosen = Choose_Folder(Selected_Folder());
    if (chosen.isEmpty())
        return;
    const QString folder = QDir(chosen).absolutePath() + QLatin1Char('/');
    int index = Combo3->findData(folder);
    if (index < 0) {
        Combo3->addItem(QDir::toNativeSeparators(folder), folder);
        index = Combo3->count() - 1;
    }
    Combo3->setCurrentIndex(index);
    Combo3_Click();
}

void Backup::Notify_Done(const QString& line1, const QString& line2, const QString& line3)
{
    answerer_.Notify_Lines(line1, line2, line3, kOk, store::kInformationColour);
}

void Backup::Command2_Click()
{
    Input_Request request;
    request.caption = QStringLiteral("バックアップファイルの名称入力");
    request.prompt = QStringLiteral("バックアップファイルの名前を入力して下さい");
    request.field_label = QStringLiteral("ファイル名");
    request.ok_caption = QStringLiteral("保存");
    request.cancel_caption = QStringLiteral("キャンセル");
    request.initial_text = maintenance::Default_Backup_Name(session_.clock());
    request.select_all = true;
    const QString answer = Ask_For_Text(this, request);
    if (answer == kAnswerCancel)
        return;
    const QString name = store::Make_Safe_File_Name(answer);
    if (name.isEmpty()) {
        answerer_.Notify(QStringLiteral("ファイル名を入力して下さい"), {}, store::kWarningColour, kOk);
        return;
    }
    const store::Write_Result created = maintenance::Create_Backup(maintenance::Archive_Path(Selected_Folder(), name),
                                                                   session_.application_folder, session_.Data_Folder());
    Combo3_Click();
    if (!created.ok()) {
        answerer_.Report_Problem(QStringLiteral("バックアップ出来ませんでした"), name, created.error, kOk);
        return;
    }
    Notify_Done({}, {}, QStringLiteral("保存しました"));
}

void Backup::Command4_Click()
{
    if (!List1->currentItem() || !List1->currentItem()->isSelected()) {
        answerer_.Notify(QStringLiteral("復元するデータを"), QStringLiteral("リストから選択して下さい"),
                         store::kWarningColour, kOk);
        return;
    }
    const QString name = List1->currentItem()->text();
    if (!answerer_.Ask(name, QStringLiteral("のデータで復元します。")))
        return;
    const store::Write_Result restored = maintenance::Restore_Backup(Selected_Archive_Path(), session_.Data_Folder());
    Combo3_Click();
    if (!restored.ok()) {
        answerer_.Report_Problem(QStringLiteral("復元出来ませんでした"), QStringLiteral("データは変更していません"),
                                 restored.error, kOk);
        return;
    }
    Notify_Done({}, {}, QStringLiteral("復元しました"));
}

void Backup::Command3_Click()
{
    if (!List1->currentItem() || !List1->currentItem()->isSelected()) {
        answerer_.Notify(QStringLiteral("削除するデータを"), QStringLiteral("リストから選択して下さい"),
                         store::kWarningColour, kOk);
        return;
    }
    const QString name = List1->currentItem()->text();
    if (!answerer_.Ask(name, QStringLiteral("を削除します。")))
        return;
    QFile archive(Selected_Archive_Path());
    if (!archive.remove()) {
        answerer_.Report_Problem(name, QStringLiteral("を削除出来ませんでした"), archive.errorString(), kOk);
        Combo3_Click();
        return;
    }
    Notify_Done(name, QStringLiteral("を削除しました"), {});
    Combo3_Click();
}

void Backup::Command5_Click()
{
    const QString folder = session_.application_folder + QLatin1Char('/');
    if (!session_.desktop || !session_.desktop->Open_Url(QUrl::fromLocalFile(folder)))
        answerer_.Report_Problem(QStringLiteral("フォルダを開けませんでした"), {}, folder, kOk);
}

void Backup::Command1_Click()
{
    close();
}

}  // namespace screens
