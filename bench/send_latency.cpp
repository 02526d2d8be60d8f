// Time from MainWindow::send to the command's bytes at the far end of the serial
// line, against the send tick. The far end is a pseudo-terminal this program
// holds itself, so nothing but the program's own path is measured. Prints one
// line per command (milliseconds) and a summary line; asserts nothing.
#include "appstate.h"
#include "commandsender.h"
#include "devicesession.h"
#include "mainwindow.h"
#include "networkdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return 1;
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    qputenv("W4_SERIAL_PORTS", name);

    QApplication app(argc, argv);
    const int commands = argc > 1 ? QString(argv[1]).toInt() : 20;
    MainWindow w;
    QComboBox *ports = w.networkDialog->serialPortComboBox();
    ports->setCurrentIndex(ports->findText(QString::fromLocal8Bit(name), Qt::MatchStartsWith));
    w.networkDialog->openButton()->click(); // also applies the serial send interval
    if (!serialConnected())
        return 2;
    const int tick = w.session()->sender()->interval();

    QElapsedTimer clock;
    QVector<qint64> latencies;
    QSocketNotifier arrived(master, QSocketNotifier::Read);
    QObject::connect(&arrived, &QSocketNotifier::activated, [&] {
        char buf[64];
        while (::read(master, buf, sizeof buf) > 0) {
        }
        latencies << clock.elapsed();
        if (latencies.size() == commands) {
            app.quit();
            return;
        }
        // The next command at a random phase of the tick.
        QTimer::singleShot(int(QRandomGenerator::global()->bounded(2 * tick)), [&] {
            clock.start();
            w.send(QStringLiteral("04050001"));
        });
    });
    clock.start();
    w.send(QStringLiteral("04050001"));
    QTimer::singleShot(commands * 4 * tick + 5000, &app, &QApplication::quit);
    app.exec();

    qint64 sum = 0, most = 0;
    for (qint64 l : latencies) {
        std::printf("%lld\n", static_cast<long long>(l));
        sum += l;
        most = std::max(most, l);
    }
    if (latencies.isEmpty())
        return 3;
    std::printf("mean %.1f ms, max %lld ms, tick %d ms, %d commands\n", double(sum) / latencies.size(),
                static_cast<long long>(most), tick, int(latencies.size()));
    ::close(slave);
    ::close(master);
    return 0;
}
