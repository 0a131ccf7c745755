#pragma once
// The manual, shown inside the application: no web browser needed.
#include <QWidget>

class QTextBrowser;

namespace app {

class Help_Window : public QWidget {
    Q_OBJECT
public:
    explicit Help_Window(QWidget* parent = nullptr);
    QTextBrowser* Browser = nullptr;

    // Shows the page (help/index.html of the program folder); false when it is missing.
    bool Open(const QString& page_path);
};

// Shows the one help window, opening or raising it. Tells the user when the
// manual is missing from the installation.
void Show_Help(const QString& page_path, QWidget* opener);

}  // namespace app
