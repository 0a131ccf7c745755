// The baseline of the start-up benchmark: a Qt Widgets hello-world that ends,
// as the application does for the benchmark, once its window is up.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Hello, world"));
    label.show();
    QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
