// The yardstick for the program's start-up and memory: the least a Qt Widgets
// program does to show one window, of the main window's client size.
// With --label the window holds one line of text, so that the start also pays
// for the font set-up (fontconfig, FreeType) that every window with text needs.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.resize(310, 197);
    if (app.arguments().contains(QStringLiteral("--label")))
        (new QLabel(QStringLiteral("Com port:"), &window))->move(10, 10);
    window.show();
    return app.exec();
}
