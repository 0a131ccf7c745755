// The baseline of the start-up benchmark: a Qt Widgets hello-world that ends,
// as the application does for the benchmark, once its window's first frame is painted.
#include "app/first_frame.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Hello, world"));
    new app::Quit_After_First_Frame(label);
    label.show();
    return application.exec();
}
