#include "appstate.h"
#include "dialoganswerer.h"
#include "languagesettings.h"
#include "mainobject.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "privatenetwork.h"
#include "splashscreen.h"
#include "tempworkdir.h"

#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

namespace {
void writeIni(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QFile::WriteOnly | QFile::Truncate));
    f.write(content);
}

// Translators are children of the application and never removed by the program;
// a test that starts anew takes them away.
void removeTranslators()
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

QRgb pixelAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// Every message the program lets through, with its category.
struct Heard
{
    QtMsgType type;
    QString category;
    QString text;
};
QList<Heard> heard;
QtMessageHandler quietHandler = nullptr;
void listen(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    heard << Heard{type, QString::fromLatin1(context.category), text};
}

bool privateNetwork = false;
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    TempWorkingDir dir;

private slots:
    void initTestCase() { QVERIFY(dir.enter()); }
    void cleanupTestCase() { dir.leave(); }
    void init()
    {
        resetAppState();
        QFile::remove(dir.filePath("FontSize.ini"));
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        removeTranslators();
    }

    // Runs first: the splash is one instance for the process and its bar never
    // goes back. Geometry of a 600 x 400 picture: track x 70..530, y 330..338.
    void splashBarAtZeroAndHundred()
    {
        SplashScreen *splash = SplashScreen::instance();
        QCOMPARE(splash->size(), QSize(600, 400));
        QCOMPARE(splash->progressValue(), 0.0);

        splash->showProgress(0, QStringLiteral("start"));
        QImage zero = splash->grab().toImage();
        QCOMPARE(pixelAt(zero, 300, 334), qRgb(100, 100, 100) & 0xFFFFFF);
        QCOMPARE(pixelAt(zero, 75, 334), qRgb(100, 100, 100) & 0xFFFFFF);
        QVERIFY(!splash->mask().contains(QPoint(0, 0)));
        QVERIFY(splash->mask().contains(QPoint(300, 200)));

        splash->showProgress(100, QStringLiteral("end"));
        QVERIFY(splash->progressValue() >= 100.0 && splash->progressValue() < 100.02 + 1e-9);
        QImage full = splash->grab().toImage();
        const QRgb green = qRgb(150, 230, 100) & 0xFFFFFF;
        QCOMPARE(pixelAt(full, 75, 334), green);
        QCOMPARE(pixelAt(full, 300, 334), green);
        QCOMPARE(pixelAt(full, 525, 334), green);
        // Outside the track the picture shows through.
        QVERIFY(pixelAt(full, 300, 345) != green);
        QVERIFY(pixelAt(full, 60, 334) != green);

        // The percentage is printed white in the band below the bar, the message
        // yellow above it.
        auto hasColour = [](const QImage &img, QRect band, auto pred) {
            for (int y = band.top(); y <= band.bottom(); ++y)
                for (int x = band.left(); x <= band.right(); ++x)
                    if (pred(QColor(img.pixel(x, y))))
                        return true;
            return false;
        };
        QVERIFY(hasColour(full, QRect(260, 345, 80, 40), [](QColor c) { return c.lightness() > 240; }));
        QVERIFY(hasColour(full, QRect(250, 270, 100, 50),
                          [](QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() < 80; }));

        // A lower target changes only the message.
        QSignalSpy shown(splash, &SplashScreen::messageShown);
        splash->showProgress(50, QStringLiteral("again"));
        QCOMPARE(splash->currentMessage(), QStringLiteral("again"));
        QVERIFY(splash->progressValue() >= 100.0);
        QCOMPARE(shown.count(), 1);
        splash->close();
    }

    // The three compiled catalogues are in the resources; the Chinese one maps
    // its sources to themselves so it masks an earlier English or Russian one.
    void catalogues_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cn") << ":/res/lanague_cn.qm"
                            << "MainWindow"
                            << "保存所有配置"
                            << "保存所有配置";
        QTest::newRow("cn on/off") << ":/res/lanague_cn.qm"
                                   << "MainWindow"
                                   << "ON"
                                   << "打开";
        QTest::newRow("en") << ":/res/lanague_en.qm"
                            << "MainWindow"
                            << "拼接模式"
                            << "Wall Mode";
        QTest::newRow("ru") << ":/res/lanague_ru.qm"
                            << "MainWindow"
                            << "色温"
                            << "Цветовая\nтемпература";
        QTest::newRow("en splash") << ":/res/lanague_en.qm"
                                   << "MainObject"
                                   << "加载完毕！"
                                   << "Loaded!";
        QTest::newRow("ru title untranslated") << ":/res/lanague_ru.qm"
                                               << "MainObject"
                                               << "control"
                                               << "";
    }

    void catalogues()
    {
        QFETCH(QString, path);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        QTranslator translator;
        QVERIFY(translator.load(path));
        QCOMPARE(translator.translate(context.toUtf8(), source.toUtf8()), expected);
    }

    void attachingNoWindowChangesNothing()
    {
        SplashScreen *splash = SplashScreen::instance();
        QPropertyAnimation *before = splash->fadeInAnimation();
        splash->attachMainWindow(nullptr, "control", ":/res/res/splash.png");
        QCOMPARE(splash->fadeInAnimation(), before);
    }

    void storedLanguage_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("language");
        QTest::newRow("absent") << QByteArray() << 0;
        QTest::newRow("english") << QByteArray("[General]\nID=1\n") << 1;
        QTest::newRow("russian") << QByteArray("[General]\nID=2\n") << 2;
        // A value that names no language reads as the default, so every window
        // and every table chosen by it agrees on Chinese.
        QTest::newRow("out of range") << QByteArray("[General]\nID=7\n") << 0;
        QTest::newRow("one past Russian") << QByteArray("[General]\nID=3\n") << 0;
        QTest::newRow("negative") << QByteArray("[General]\nID=-1\n") << 0;
        QTest::newRow("fraction") << QByteArray("[General]\nID=1.5\n") << 0;
        QTest::newRow("lower-case key") << QByteArray("[General]\nid=2\n") << 2;
        QTest::newRow("mixed-case key") << QByteArray("[General]\nId=1\n") << 1;
        QTest::newRow("not a number") << QByteArray("[General]\nID=abc\n") << 0;
    }

    void storedLanguage()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, language);
        // One file per case: settings files are cached by path within a process.
        const QString path = dir.filePath(QStringLiteral("lang_%1.ini").arg(QTest::currentDataTag()));
        if (!ini.isEmpty())
            writeIni(path, ini);
        QCOMPARE(readStoredLanguage(path), language);
    }

    // A FIFO (or any file that is not a regular one) is neither read nor
    // written: either would wait for a writer or a reader for ever.
    void fifoInPlaceOfTheSettingsFile()
    {
        const QString path = dir.filePath(QStringLiteral("fifo.ini"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(readStoredLanguage(path), 0);
        writeStoredLanguage(2, path);
        QVERIFY(!QFileInfo(path).isFile());
        QCOMPARE(readStoredLanguage(path), 0);
    }

    // Writing keeps one spelling of the key, so the next read cannot find an
    // older value under another case.
    void writingReplacesOtherSpellings()
    {
        const QString path = dir.filePath(QStringLiteral("write.ini"));
        writeIni(path, "[General]\nid=1\n");
        writeStoredLanguage(2, path);
        QCOMPARE(readStoredLanguage(path), 2);
        QFile f(path);
        QVERIFY(f.open(QFile::ReadOnly));
        const QByteArray content = f.readAll();
        QVERIFY(content.contains("ID=2"));
        QVERIFY(!content.contains("id=1"));
    }

    void splashTextsFollowLanguage_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("messages");
        const QStringList chinese = {"初始化应用程序 ...", "初始化主界面 ...", "加载界面 ...", "加载完毕！"};
        QTest::newRow("no file") << QByteArray() << chinese;
        QTest::newRow("ID=1") << QByteArray("[General]\nID=1\n")
                              << QStringList{"Initializing the application...",
                                             "Initialize the home screen...", "Loading interface...",
                                             "Loaded!"};
        QTest::newRow("id=2") << QByteArray("[General]\nid=2\n")
                              << QStringList{"Инициализация приложения...",
                                             "Инициализация главного интерфейса...", "Загрузка интерфейса …",
                                             "Загрузка завершена!"};
        QTest::newRow("ID=7") << QByteArray("[General]\nID=7\n") << chinese;
    }

    void splashTextsFollowLanguage()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, messages);
        if (!ini.isEmpty())
            writeIni(dir.filePath("FontSize.ini"), ini);

        DialogAnswerer noBox;
        QSignalSpy shown(SplashScreen::instance(), &SplashScreen::messageShown);
        {
            MainObject start;
            start.init();
            QStringList seen;
            for (const QList<QVariant> &args : shown)
                seen << args.at(0).toString();
            QCOMPARE(seen, messages);
            QCOMPARE(start.window()->windowTitle(), QStringLiteral("control"));
            QVERIFY(start.window()->isVisible());
            QVERIFY(!SplashScreen::instance()->isVisible());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window is transparent until the fade starts and opaque after it.
    void mainWindowFadesIn()
    {
        DialogAnswerer noBox;
        MainObject start;
        start.init();
        QPropertyAnimation *fade = SplashScreen::instance()->fadeInAnimation();
        QVERIFY(fade);
        QCOMPARE(fade->duration(), 1000);
        QCOMPARE(fade->startValue().toDouble(), 0.0);
        QCOMPARE(fade->endValue().toDouble(), 1.0);
        QCOMPARE(fade->propertyName(), QByteArray("windowOpacity"));
        QCOMPARE(fade->targetObject(), start.window());
        QTRY_COMPARE_WITH_TIMEOUT(start.window()->windowOpacity(), 1.0, 5000);
    }

    // The desktop groups the program's windows under its menu entry: the
    // entry's StartupWMClass is the class of the windows (X11 WM_CLASS, the
    // application's name), its id the desktop file name; every window has the icon.
    void desktopIdentity()
    {
        DialogAnswerer noBox;
        MainObject start;
        start.init();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.w4control.w4control"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("w4control"));
        const QString entryPath = QStringLiteral(W4_DESKTOP_ENTRY);
        QFile entry(entryPath);
        QVERIFY2(entry.open(QFile::ReadOnly), qPrintable(entryPath));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("StartupWMClass=") + QCoreApplication::applicationName()));
        for (QWidget *w :
             {static_cast<QWidget *>(start.window()), static_cast<QWidget *>(start.window()->networkDialog)})
            QVERIFY(!w->windowIcon().pixmap(64, 64).isNull());
    }

    // A window deleted elsewhere (the title bar's close button) must not be
    // deleted a second time by the start-up object.
    void windowDeletedElsewhereIsNotDeletedAgain()
    {
        DialogAnswerer noBox;
        auto start = std::make_unique<MainObject>();
        start->init();
        delete start->window();
        QVERIFY(!start->window());
        start.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Started from the menu (Path=/), even as root, the language is kept in
    // the user's configuration folder, never as /FontSize.ini.
    void languageFileOutsideTheRootFolder_data()
    {
        QTest::addColumn<bool>("inRoot");
        QTest::newRow("root folder") << true;
        QTest::newRow("writable folder") << false;
    }
    void languageFileOutsideTheRootFolder()
    {
        QFETCH(bool, inRoot);
        if (inRoot)
            QVERIFY(QDir::setCurrent(QStringLiteral("/")));
        const QString path = languageSettingsPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        if (inRoot)
            QCOMPARE(path, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                               QStringLiteral("/FontSize.ini"));
        else
            QCOMPARE(path, QStringLiteral("./FontSize.ini"));
    }

    // --help and --version answer without a display and without Qt's platform.
    void informationOptionsNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected"); // a line of standard output
        QTest::newRow("--version") << "--version" << QStringLiteral("w4control " W4_VERSION);
        QTest::newRow("-V") << "-V" << QStringLiteral("w4control " W4_VERSION);
        QTest::newRow("--help") << "--help" << QStringLiteral("Usage: w4control [options]");
        QTest::newRow("-h") << "-h" << QStringLiteral("  -V, --version  Show the program's version and exit.");
    }
    void informationOptionsNeedNoDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(W4CONTROL_BINARY), {option});
        QVERIFY(program.waitForFinished(30000));
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == 0, qPrintable(err));
        const QStringList out = QString::fromUtf8(program.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(out.contains(expected), qPrintable(out.join(QLatin1Char('\n'))));
        QVERIFY2(err.isEmpty(), qPrintable(err));
    }

    // Developer output is quiet unless asked for: a start, the log window and
    // the end of the window print nothing at debug level, and what there is
    // comes under a category of the program, which the logging rules switch on.
    void developerOutputQuietByDefault()
    {
        heard.clear();
        quietHandler = qInstallMessageHandler(listen);
        {
            DialogAnswerer noBox;
            MainObject start;
            start.init();
            auto *logButton = start.window()->findChild<QPushButton *>(QStringLiteral("pushButton"));
            QVERIFY(logButton);
            logButton->click();
            delete start.window();
        }
        QStringList debugLines;
        for (const Heard &h : heard)
            if (h.type == QtDebugMsg)
                debugLines << h.category + QStringLiteral(": ") + h.text;
        heard.clear();

        QLoggingCategory::setFilterRules(QStringLiteral("w4.*.debug=true"));
        {
            DialogAnswerer noBox;
            MainObject start;
            start.init();
        }
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(quietHandler);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY2(debugLines.isEmpty(), qPrintable(debugLines.join(QLatin1Char('\n'))));
        bool startupLine = false;
        for (const Heard &h : heard) {
            if (h.type != QtDebugMsg)
                continue;
            QVERIFY2(h.category.startsWith(QLatin1String("w4.")), qPrintable(h.category + ": " + h.text));
            startupLine |= h.category == QLatin1String("w4.startup") && h.text.startsWith(QLatin1String("nubEN"));
        }
        QVERIFY(startupLine);
    }

    // Port 23 is held by one program at a time: a second window in the same
    // network is told that the port is taken (not silently given a share of
    // the replies meant for the first).
    void secondWindowIsToldUdpPortIsTaken()
    {
        if (!privateNetwork)
            QSKIP("needs root, to bind UDP port 23 in a network namespace of the test's own");
        DialogAnswerer::countUdpBindBoxes(true);
        const auto restore = qScopeGuard([] { DialogAnswerer::countUdpBindBoxes(false); });
        std::unique_ptr<MainWindow> first;
        {
            DialogAnswerer noBox;
            first = std::make_unique<MainWindow>();
        }
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            MainWindow second;
            QVERIFY(answer.waitDone());
            QCOMPARE(answer.last().title, QStringLiteral("error"));
            const QStringList lines = answer.last().text.split(QLatin1Char('\n'));
            QCOMPARE(lines.value(0), QStringLiteral("udp socket create error!"));
            QVERIFY2(lines.value(1).contains(QStringLiteral("UDP 端口 23 已被其他程序")), qPrintable(lines.value(1)));
        }
    }
};

int main(int argc, char *argv[])
{
    privateNetwork = simtest::enterPrivateNetwork(); // before any thread exists
    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
