// The yardstick for the program's start: a bare Qt window with one button,
// built like the program (Release, same Qt), started by gonioma_map_watch.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    QPushButton button(QStringLiteral("Avvio"), &window);
    button.setGeometry(240, 380, 160, 48);
    window.show();
    return QApplication::exec();
}
