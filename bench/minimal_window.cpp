// The baseline of scripts/bench.sh: the least a Qt Widgets program does to put a
// window of the main window's size on screen and sit idle.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.setCentralWidget(new QLabel(QStringLiteral("minimal")));
    window.setFixedSize(1260, 756);
    window.show();
    return app.exec();
}
