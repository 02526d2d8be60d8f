#include "mainobject.h"
#include "mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPointer>
#include <QTimer>
#include <memory>

int main(int argc, char *argv[])
{
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
