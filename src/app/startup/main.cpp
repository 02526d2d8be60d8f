#include "mainobject.h"
#include "mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char helpText[] =
    "Usage: w4control [options]\n"
    "Controls a four-window video-wall processor over a serial port, TCP or UDP.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -V, --version  Show the program's version and exit.\n"
    "Qt's own options (-platform, -style, ...) are passed on to Qt.\n"
    "\n"
    "Environment:\n"
    "  W4_SERIAL_PORTS   serial devices to offer besides those the system lists,\n"
    "                    separated by ':'\n"
    "  QT_LOGGING_RULES  \"w4.*.debug=true\" shows the program's developer output\n";

// --help and --version are answered before any window system is touched, so
// they work without a display. Returns the exit code, or -1 to start normally.
int answerInformationOptions(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-V") == 0) {
            std::printf("w4control %s\n", W4_VERSION);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    const int answered = answerInformationOptions(argc, argv);
    if (answered >= 0)
        return answered;

    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Microsoft YaHi"), 9));

    auto mainObject = std::make_unique<MainObject>();
    mainObject->init();

    // Applied once the window exists and shows; Qt restyles what is on screen.
    QFile styleFile(QStringLiteral(":/res/res/stylesheet/vexrBule.qss"));
    if (styleFile.open(QFile::ReadOnly)) {
        const QByteArray bytes = styleFile.readAll();
        app.setStyleSheet(QString::fromUtf8(bytes.constData()));
        styleFile.close();
    }

    // For headless runs (scripts/run.sh without a display): a picture of the main
    // window once it has faded in.
    const QString screenshot = qEnvironmentVariable("W4CONTROL_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, &app, [window = QPointer<MainWindow>(mainObject->window()), screenshot] {
            if (window)
                window->grab().save(screenshot);
        });
    }

    const int code = app.exec();
    // The start-up object schedules the window's deletion; carry it out while
    // the application still exists, so the window closes its links.
    mainObject.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}
