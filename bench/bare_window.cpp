// The baseline of the start-up benchmark: the least a Qt Widgets program
// shows, one window holding one button, of the board window's size so that
// both first frames put the same number of pixels on the screen.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(547, 375);
    QPushButton button(QStringLiteral("Button"), &window);
    button.move(10, 10);
    window.show();
    return app.exec();
}
