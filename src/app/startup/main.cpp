#include "mainobject.h"
#include "mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Microsoft YaHi"), 9));

    MainObject mainObject;
    mainObject.init();

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
        QTimer::singleShot(1500, &app, [&mainObject, screenshot] {
            if (mainObject.window())
                mainObject.window()->grab().save(screenshot);
        });
    }

    return app.exec();
}
