#include "app/help_window.h"

#include "screens/common/dialogs.h"
#include "screens/common/widget_helpers.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

Help_Window::Help_Window(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Help_Window"));
    setWindowTitle(QStringLiteral("使い方（ヘルプ）"));
    setAttribute(Qt::WA_DeleteOnClose);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(false);
    auto* back = new QPushButton(QStringLiteral("戻る"), this);
    auto* home = new QPushButton(QStringLiteral("目次"), this);
    auto* close_button = new QPushButton(QStringLiteral("閉じる"), this);
    connect(back, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(home, &QPushButton::clicked, Browser, &QTextBrowser::home);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    connect(Browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close_button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Browser, 1);
    resize(900, 700);
}

bool Help_Window::Open(const QString& page_path)
{
    if (!QFileInfo(page_path).isFile())
        return false;
    Browser->setSource(QUrl::fromLocalFile(page_path));
    return true;
}

void Show_Help(const QString& page_path, QWidget* opener)
{
    if (auto* open = qobject_cast<Help_Window*>(screens::Find_Window(QStringLiteral("Help_Window")))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new Help_Window;
    if (!window->Open(page_path)) {
        delete window;
        screens::Screen_Answerer(opener->objectName())
            .Show_Warning_Box(QStringLiteral("使い方（ヘルプ）が見つかりません。\n") + page_path,
                              opener->windowTitle());
        return;
    }
    screens::Centre_On_Screen(window);
    window->show();
}

}  // namespace app
