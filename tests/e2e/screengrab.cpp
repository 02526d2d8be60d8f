// Saves a PNG of an X window (by id) or of the whole screen: the screenshots of
// scripts/run.sh and of the end-to-end test, without another image tool.
//   e2e_screengrab OUT.png [WINDOW_ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [WINDOW_ID]\n", argv[0]);
        return 2;
    }
    const WId id = argc > 2 ? WId(QByteArray(argv[2]).toULongLong(nullptr, 0)) : 0;
    QScreen *screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen ? screen->grabWindow(id) : QPixmap();
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
