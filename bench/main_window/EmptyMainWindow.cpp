// The reference of the start-up benchmark: a Qt Widgets program that shows an empty main window
// and nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty main window"));
    window.show();
    return QApplication::exec();
}
