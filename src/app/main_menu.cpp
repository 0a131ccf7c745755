#include "app/main_menu.h"

#include "app/help_window.h"
#include "app/startup.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/maintenance/settei.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "screens/products/s_touroku.h"
#include "screens/products/s_zairyou.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

QString Help_Page_Path(const QString& application_folder)
{
    return QDir(application_folder).filePath(QStringLiteral("help/index.html"));
}

MainMenu::MainMenu(screens::Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("MainMenu"));
    setWindowTitle(QStringLiteral("食品内容表示ソフトウェア ぱるべりな"));
    screens::Keep_Open_On_Escape(this);  // closing the menu ends the program

    Label1 = new QLabel(this);
    QFont title = Label1->font();
    title.setPointSize(16);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);
    Label4 = new QLabel(QStringLiteral("使用プリンタ："), this);
    Label5 = new QLabel(QStringLiteral("for Linux"), this);
    Label5->setAlignment(Qt::AlignRight);
    Label6 = new QLabel(QStringLiteral("使い方（ヘルプ）を開く"), this);
    Label6->setCursor(Qt::PointingHandCursor);
    Label6->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); text-decoration: underline;"));
    Label6->installEventFilter(this);
    Label7 = new QLabel(this);
    Label7->setWordWrap(true);
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label8 = new QLabel(this);
    Label8->setWordWrap(true);
    Label8->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    Label8->hide();

    Command1 = new QPushButton(QStringLiteral("商品情報の登録"), this);
    Command2 = new QPushButton(QStringLiteral("ラベルを印刷する"), this);
    Command3 = new QPushButton(QStringLiteral("各種設定"), this);
    Command4 = new QPushButton(QStringLiteral("ソフトウェアを終了する"), this);
    Command5 = new QPushButton(QStringLiteral("発行履歴"), this);
    Command6 = new QPushButton(QStringLiteral("材料の登録"), this);
    const QList<QPair<QWidget*, const char*>> named = {
        {Label1, "Label1"},     {Label4, "Label4"},     {Label5, "Label5"},     {Label6, "Label6"},
        {Label7, "Label7"},     {Label8, "Label8"},     {Command1, "Command1"}, {Command2, "Command2"},
        {Command3, "Command3"}, {Command4, "Command4"}, {Command5, "Command5"}, {Command6, "Command6"}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(QString::fromLatin1(name));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label4);
    layout->addWidget(Label8);
    for (QPushButton* button : {Command1, Command6, Command2, Command5, Command3, Command4}) {
        button->setMinimumHeight(48);
        QFont f = button->font();
        f.setPointSize(13);
        button->setFont(f);
        layout->addWidget(button);
    }
    layout->addWidget(Label6);
    layout->addWidget(Label7);
    layout->addWidget(Label5);
    resize(520, 470);

    connect(Command1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainMenu::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MainMenu::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MainMenu::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &MainMenu::Command5_Click);
    presence_timer_.setInterval(5000);
    connect(&presence_timer_, &QTimer::timeout, this, [this] {
        if (presence_)
            presence_->Renew();
        Refresh_Other_Copies();
    });
    connect(Command6, &QPushButton::clicked, this, &MainMenu::Command6_Click);
}

void MainMenu::Form_Load()
{
    screens::Centre_On_Screen(this);
    Label1->setText(screens::kProgramTitle);
    session_.Refresh_Removable_Drive_Root();
    Startup_Result prepared = Prepare_Data(session_.Folder_Context());
    if (!session_.program_folder.isEmpty())
        prepared.errors << Copy_Missing_Pictures(session_.program_folder, session_.application_folder);
    session_.settings = prepared.settings;
    Label7->setText(QStringLiteral("アプリケーションフォルダ：")
                    + QDir::toNativeSeparators(session_.application_folder));
    Refresh_Printer_Label();
    presence_ = std::make_unique<platform::Folder_Presence>(session_.Data_Folder());
    presence_->Announce();
    Refresh_Other_Copies();
    presence_timer_.start();
    QDir::setCurrent(session_.application_folder);
    if (!prepared.errors.isEmpty()) {
        answerer_.Show_Warning_Box(QStringLiteral("データファイルを準備できませんでした。\n"
                                                  "各種設定で情報データ保存先を確認して下さい。\n\n")
                                       + prepared.errors.join(QLatin1Char('\n')),
                                   windowTitle());
    }
}

void MainMenu::Refresh_Printer_Label()
{
    const QString& printer = session_.settings.Printer_Name();
    if (!printer.isEmpty()) {
        Label4->setText(QStringLiteral("使用プリンタ：") + printer);
        Label4->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0); font-weight: normal;"));
    } else {
        Label4->setText(QStringLiteral("使用プリンタ： 未設定"));
        Label4->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    }
}

void MainMenu::Refresh_Other_Copies()
{
    const QStringList others = presence_ ? presence_->Other_Copies() : QStringList();
    Label8->setVisible(!others.isEmpty());
    if (others.isEmpty())
        return;
    QStringList lines{QStringLiteral("このデータ保存先は他のぱるべりなでも使用中です：")};
    for (const QString& other : others)
        lines << QStringLiteral("　") + other;
    Label8->setText(lines.join(QLatin1Char('\n')));
}

void MainMenu::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh_Other_Copies();
}

void MainMenu::Open_Screen(QWidget* screen)
{
    screen->setAttribute(Qt::WA_DeleteOnClose);
    connect(screen, &QObject::destroyed, this, [this] { show(); });
    screen->show();
    hide();
}

void MainMenu::Command1_Click()
{
    Open_Screen(new screens::S_Touroku(session_));
}

void MainMenu::Command2_Click()
{
    auto* screen = new screens::Insatsu(session_);
    screen->Form_Load();
    Open_Screen(screen);
    printing_ = screen;
}

void MainMenu::Command5_Click()
{
    // A job issued again goes into the printing screen, which opens for it.
    auto* window = new screens::Hakkou_Rireki(session_, [this](const printing::History_Entry& entry) {
        if (!printing_)
            Command2_Click();
        printing_->Reserve_Reprint(entry);
    });
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Form_Load();
    window->show();
}

void MainMenu::Command6_Click()
{
    auto* window = new screens::S_Zairyou(session_);
    window->Form_Load();
    window->show();
}

void MainMenu::Command3_Click()
{
    auto* screen = new screens::Settei(session_);
    // Closing the settings screen: drive, settings and printer label are read again.
    connect(screen, &QObject::destroyed, this, [this] {
        session_.Refresh_Removable_Drive_Root();
        session_.Load_Settings();
        Refresh_Printer_Label();
    });
    Open_Screen(screen);
    screen->Form_Load();
}

void MainMenu::Command4_Click()
{
    close();
    QApplication::quit();
}

void MainMenu::Label6_Click()
{
    Label6->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); text-decoration: underline;"));
    Show_Help(Help_Page_Path(session_.program_folder), this);
    QTimer::singleShot(50, this, [this] {
        Label6->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); text-decoration: underline;"));
    });
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease) {
        Label6_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace app
