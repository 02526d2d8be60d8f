// The real w4control on an X server of its own (Xvfb) beside w4sim, driven as a
// user drives it: pointer and keys through xdotool, at places taken from the
// program's own layout (e2e_layoutprobe). What reaches the processor is read from
// w4sim's event log. As root the program and the simulator run in two network
// namespaces of the test's own, so the device search and the TCP link stay there;
// without root only the serial link (w4sim's pty) is used.
#include "devicestate.h"
#include "simharness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

constexpr int kStepMs = 5000; // the longest any single step may take

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

} // namespace

class TestE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startShowsSplashThenMainWindow();
    void serialLinkCarriesEdits();
    void tcpLinkAfterDeviceSearch();
    void tcpLinkComesBackAfterProcessorRestart();
    void udpLinkFromConnectionWindow();
    void languageSwitchRelabelsWindows();
    void closeThroughTitleBar();

private:
    QProcessEnvironment xEnvironment() const;
    QString xdo(const QStringList &args);
    QString findWindow(const QString &namePattern);
    void click(const QString &window, const QPoint &p);
    void drag(const QString &window, const QPoint &from, const QPoint &to);
    void key(const QString &keys);
    bool answerBox(const QString &titlePattern);
    bool hasEvent(const QString &transport, const QString &textPattern, int after = 0);
    int eventCount();
    QString simStderr();
    void screenshot(const QString &name, const QString &window);
    QImage grab(const QString &window);
    bool startSim(const QStringList &extra);
    QPoint at(const QMap<QString, QRect> &layout, const QString &name);
    QRect wallWindow(int window);

    QTemporaryDir work;
    QProcess xvfb, sim, app;
    QString display;
    QMap<QString, QRect> mainLayout, netLayout;
    std::unique_ptr<simtest::NetPair> net;
    bool isolated = false;
    QString ptyPath;
    QString mainWindow, netWindow;
    QByteArray simErr;
    QString simProgram;
    QStringList simArgs;
    bool serialOpen = false;
};

QProcessEnvironment TestE2E::xEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work.path());
    // The user's settings of this run only (reconnecting is on by default).
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
    // Sanitizer builds: what X, D-Bus and fontconfig keep until exit is theirs.
    env.insert(QStringLiteral("LSAN_OPTIONS"),
               QStringLiteral("suppressions=" E2E_LSAN_SUPPRESSIONS ":print_suppressions=0"));
    return env;
}

QString TestE2E::xdo(const QStringList &args)
{
    QProcess p;
    p.setProcessEnvironment(xEnvironment());
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(kStepMs);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The newest mapped window whose title matches, or empty.
QString TestE2E::findWindow(const QString &namePattern)
{
    const QStringList ids =
        xdo({"search", "--onlyvisible", "--name", namePattern}).split('\n', Qt::SkipEmptyParts);
    return ids.isEmpty() ? QString() : ids.last();
}

void TestE2E::click(const QString &window, const QPoint &p)
{
    xdo({"mousemove", "--window", window, QString::number(p.x()), QString::number(p.y()), "click", "1"});
}

// Press, move in small steps (the program sees a real drag), release.
void TestE2E::drag(const QString &window, const QPoint &from, const QPoint &to)
{
    QStringList args{"mousemove", "--window", window, QString::number(from.x()), QString::number(from.y()),
                     "mousedown", "1"};
    for (int i = 1; i <= 8; ++i) {
        const QPoint p = from + (to - from) * i / 8;
        args << "sleep"
             << "0.03"
             << "mousemove"
             << "--window" << window << QString::number(p.x()) << QString::number(p.y());
    }
    args << "sleep"
         << "0.15"
         << "mouseup"
         << "1";
    xdo(args);
}

void TestE2E::key(const QString &keys)
{
    xdo({"key", "--delay", "60", keys});
}

QString TestE2E::simStderr()
{
    simErr += sim.readAllStandardError();
    return QString::fromUtf8(simErr);
}

int TestE2E::eventCount()
{
    QFile f(work.filePath(QStringLiteral("events.jsonl")));
    return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
}

// Presses Enter on a message box whose title matches; false when none shows.
bool TestE2E::answerBox(const QString &titlePattern)
{
    const QString box = findWindow(titlePattern);
    if (box.isEmpty())
        return false;
    xdo({"mousemove", "--window", box, "20", "20"});
    key("Return");
    return true;
}

// A command applied by w4sim after the first `after` events, received over
// `transport`, whose description matches.
bool TestE2E::hasEvent(const QString &transport, const QString &textPattern, int after)
{
    QFile f(work.filePath(QStringLiteral("events.jsonl")));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QRegularExpression re(textPattern);
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (int i = after; i < lines.size(); ++i) {
        const QJsonObject o = QJsonDocument::fromJson(lines.at(i)).object();
        if (o.value("dir").toString() == "in" && o.value("transport").toString() == transport &&
            o.value("crc_ok").toBool() && re.match(o.value("text").toString()).hasMatch())
            return true;
    }
    return false;
}

// Pictures for the README when E2E_SCREENSHOTS names a folder.
void TestE2E::screenshot(const QString &name, const QString &window)
{
    const QString dir = qEnvironmentVariable("E2E_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QProcess p;
    p.setProcessEnvironment(xEnvironment());
    p.start(QStringLiteral(E2E_GRAB_BINARY), {QDir(dir).filePath(name + ".png"), window});
    p.waitForFinished(kStepMs);
}

QPoint TestE2E::at(const QMap<QString, QRect> &layout, const QString &name)
{
    if (!layout.contains(name))
        qWarning() << "no such widget in the layout:" << name;
    return layout.value(name).center();
}

// The wall shows four windows in its quadrants at start; the view centres the
// wall, so a window's middle lies a quarter of the view's width off its centre.
QRect TestE2E::wallWindow(int window)
{
    const QRect view = mainLayout.value(QStringLiteral("graphicsView"));
    const int dx = view.width() / 4, dy = view.width() / 6;
    const QPoint c = view.center() + QPoint(window % 2 ? dx : -dx, window < 2 ? -dy : dy);
    return QRect(c - QPoint(20, 20), QSize(40, 40));
}

void TestE2E::initTestCase()
{
    if (tool("Xvfb").isEmpty() || tool("xdotool").isEmpty())
        QSKIP("Xvfb or xdotool is missing (scripts/install-deps.sh installs both)");
    QVERIFY(work.isValid());

    // A display number the server picks itself and reports on stdout. Without
    // -noreset the server starts over each time its last client leaves (the
    // layout probe, an xdotool call), and a program connecting just then was
    // now and again refused ("could not connect to display").
    xvfb.start(QStringLiteral("Xvfb"),
               {"-displayfd", "1", "-screen", "0", "1600x1500x24", "-nolisten", "tcp", "-noreset"});
    QVERIFY(xvfb.waitForStarted(kStepMs));
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 10000) {
        xvfb.waitForReadyRead(500);
        number += xvfb.readAllStandardOutput();
    }
    QVERIFY2(number.contains('\n'), "Xvfb did not report its display");
    display = ":" + QString::fromLatin1(number.trimmed());

    // Where the widgets are, from the program's own form.
    QProcess probe;
    QProcessEnvironment probeEnv = xEnvironment();
    probeEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    probe.setProcessEnvironment(probeEnv);
    probe.setWorkingDirectory(work.path());
    probe.start(QStringLiteral(E2E_PROBE_BINARY), QStringList());
    QVERIFY(probe.waitForFinished(30000));
    for (const QString &line : QString::fromUtf8(probe.readAllStandardOutput()).split('\n')) {
        const QStringList f = line.split(' ');
        if (f.size() == 6)
            (f[0] == "net" ? netLayout : mainLayout)[f[1]] =
                QRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt());
    }
    QVERIFY2(mainLayout.contains("graphicsView") && netLayout.contains("ptn_findDevice"),
             "the layout probe gave no layout");

    // As root: the program in namespace A (198.51.100.10), w4sim in B (.20).
    simArgs = QStringList{"--udp-ports",          "23,68",    "--pty",
                          work.filePath("ttyW4"), "--events", work.filePath("events.jsonl")};
    simProgram = QStringLiteral(W4SIM_BINARY);
    if (::geteuid() == 0 && !tool("ip").isEmpty()) {
        net = std::make_unique<simtest::NetPair>();
        isolated = net->create();
    }
    if (isolated) {
        simArgs = net->exec(net->b, QStringList{simProgram, "--ip", "198.51.100.20"} + simArgs);
        simProgram = QStringLiteral("ip");
    } else {
        simArgs =
            QStringList{"--listen", "127.0.0.1", "--tcp-port", "0", "--udp-ports", "0"} + simArgs.mid(2);
    }
    // Its stderr is read as it comes, so a long run never blocks it on a full pipe.
    connect(&sim, &QProcess::readyReadStandardError, this, [this] { simErr += sim.readAllStandardError(); });
    QVERIFY(startSim({}));
    QVERIFY(!ptyPath.isEmpty());
}

// Starts w4sim with its arguments (and `extra` at the end); its serial line
// is kept in ptyPath.
bool TestE2E::startSim(const QStringList &extra)
{
    sim.start(simProgram, simArgs + extra);
    if (!sim.waitForStarted(kStepMs))
        return false;
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains("READY") && clock.elapsed() < 10000) {
        sim.waitForReadyRead(500);
        out += sim.readAllStandardOutput();
    }
    ptyPath = QRegularExpression("SERIAL (\\S+)").match(QString::fromLatin1(out)).captured(1);
    return out.contains("READY");
}

// What an X window shows now.
QImage TestE2E::grab(const QString &window)
{
    const QString file = work.filePath(QStringLiteral("grab.png"));
    QFile::remove(file);
    QProcess p;
    p.setProcessEnvironment(xEnvironment());
    p.start(QStringLiteral(E2E_GRAB_BINARY), {file, window});
    p.waitForFinished(kStepMs);
    return QImage(file);
}

void TestE2E::cleanupTestCase()
{
    for (QProcess *p : {&app, &sim, &xvfb}) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(kStepMs)) {
            p->kill();
            p->waitForFinished(kStepMs);
        }
    }
    net.reset();
}

void TestE2E::startShowsSplashThenMainWindow()
{
    QProcessEnvironment env = xEnvironment();
    env.insert(QStringLiteral("W4_SERIAL_PORTS"), ptyPath);
    app.setProcessEnvironment(env);
    app.setWorkingDirectory(work.path());
    app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (isolated)
        app.start(QStringLiteral("ip"), net->exec(net->a, {QStringLiteral(W4CONTROL_BINARY)}));
    else
        app.start(QStringLiteral(W4CONTROL_BINARY), QStringList());
    QVERIFY(app.waitForStarted(kStepMs));

    // The splash: a window of the program that is not the main window ("control"),
    // shown before the main window is.
    bool splashSeen = false;
    QElapsedTimer clock;
    clock.start();
    while (mainWindow.isEmpty() && clock.elapsed() < 20000) {
        for (const QString &id : xdo({"search", "--onlyvisible", "--classname", "w4control"}).split('\n'))
            if (!id.isEmpty() && xdo({"getwindowname", id}) != "control")
                splashSeen = true;
        // Without root the UDP port 23 cannot be bound and the program says so
        // before its window shows: the user presses Enter.
        const QString box = findWindow("^error$");
        if (!box.isEmpty()) {
            xdo({"mousemove", "--window", box, "20", "20"});
            key("Return");
        }
        mainWindow = findWindow("^control$");
        QTest::qWait(20);
    }
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not appear");
    QVERIFY2(splashSeen, "no splash screen before the main window");
    const QString geometry = xdo({"getwindowgeometry", mainWindow});
    QVERIFY2(geometry.contains("Geometry: 1260x"), qPrintable(geometry));
    QTRY_VERIFY_WITH_TIMEOUT(findWindow("^control$") == mainWindow, kStepMs);
    QCOMPARE(app.state(), QProcess::Running);
}

void TestE2E::serialLinkCarriesEdits()
{
    QVERIFY(!mainWindow.isEmpty());
    // The connection window, moved below the main window (there is no window
    // manager to place it).
    click(mainWindow, at(mainLayout, "NetConnectBtn"));
    QTRY_VERIFY_WITH_TIMEOUT(!(netWindow = findWindow("网络连接|连接设置")).isEmpty(), kStepMs);
    xdo({"windowmove", netWindow, "0", "780"});
    QTRY_VERIFY_WITH_TIMEOUT(xdo({"getwindowgeometry", netWindow}).contains("Position: 0,780"), kStepMs);
    screenshot("connection-window", netWindow);

    // The pty is listed last (after the system's ports): pick it and open it.
    click(netWindow, at(netLayout, "serialPortComboBox"));
    key("End");
    key("Return");
    const int before = eventCount();
    click(netWindow, at(netLayout, "openButton"));
    serialOpen = true;

    // A division mode: the third page of the tool box.
    click(mainWindow, at(mainLayout, "tab0.2"));
    click(mainWindow, at(mainLayout, "ptn_fourDivisionModel"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("serial", "^division mode", before), kStepMs);

    // A picture slider on the second page: a click on its groove steps it.
    click(mainWindow, at(mainLayout, "tab2.1"));
    const QRect slider = mainLayout.value("hSdr_luminance");
    click(mainWindow, QPoint(slider.right() - 4, slider.center().y()));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("serial", "^window 1: luminance = ", before), kStepMs);

    // Input 2 dropped on window 2.
    drag(mainWindow, at(mainLayout, "source2"), wallWindow(1).center());
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("serial", "^window 2: input source 1$", before), kStepMs);

    // Window 1 dragged on the wall.
    drag(mainWindow, wallWindow(0).center(), wallWindow(0).center() + QPoint(40, 30));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("serial", "^window 1: geometry ", before), kStepMs);
    screenshot("main-window", mainWindow);
}

void TestE2E::tcpLinkAfterDeviceSearch()
{
    if (!isolated)
        QSKIP("needs root for private network namespaces; the serial link was tested");
    QVERIFY(!netWindow.isEmpty());
    if (serialOpen) { // one link at a time
        click(netWindow, at(netLayout, "openButton"));
        serialOpen = false;
    }

    // The search: the one card of namespace A is the chosen one.
    int before = eventCount();
    QElapsedTimer searching;
    searching.start();
    click(netWindow, at(netLayout, "ptn_findDevice"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("udp", "^device search$", before), kStepMs);
    // The search collects replies for its three seconds, then frees the buttons.
    QTRY_VERIFY_WITH_TIMEOUT(searching.elapsed() > 3500, 6000);
    screenshot("device-found", netWindow);
    const QRect row = netLayout.value("row0");
    click(netWindow, QPoint(row.left() - 15, row.center().y()));

    // TCP from the main window's connect button: the state is read back and the
    // result reported in a box.
    before = eventCount();
    click(mainWindow, at(mainLayout, "connect"));
    QTRY_VERIFY_WITH_TIMEOUT(simStderr().contains("] connected"), kStepMs);
    QTRY_VERIFY_WITH_TIMEOUT(!findWindow("^消息$|^错误$").isEmpty(), 15000);
    QVERIFY2(findWindow("^错误$").isEmpty(), "the read-back reported a failure");
    QVERIFY(hasEvent("tcp", "^query window 4$", before));
    QVERIFY(answerBox("^消息$"));

    before = eventCount();
    click(mainWindow, at(mainLayout, "tab0.2"));
    click(mainWindow, at(mainLayout, "ptn_twoDivisionModel_upDown"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("tcp", "^division mode", before), kStepMs);
    drag(mainWindow, wallWindow(0).center(), wallWindow(0).center() + QPoint(-30, -20));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("tcp", "^window 1: geometry ", before), kStepMs);

    // Down again from the same button.
    click(mainWindow, at(mainLayout, "connect"));
    QTRY_VERIFY_WITH_TIMEOUT(simStderr().contains("] disconnected"), kStepMs);
}

// The processor goes away during a TCP session and comes back set up
// differently: after the one loss box the program connects again by itself,
// reads the new state and shows it, and the pages work again; no further box
// asks for a click.
void TestE2E::tcpLinkComesBackAfterProcessorRestart()
{
    if (!isolated)
        QSKIP("needs root for private network namespaces (w4sim keeps its TCP port 23 there)");
    QVERIFY(!mainWindow.isEmpty());
    click(mainWindow, at(mainLayout, "connect"));
    QTRY_VERIFY_WITH_TIMEOUT(!findWindow("^消息$").isEmpty(), 15000);
    QVERIFY(answerBox("^消息$"));
    const QRect view = mainLayout.value(QStringLiteral("graphicsView"));
    const QImage wallBefore = grab(mainWindow).copy(view);
    QVERIFY(!wallBefore.isNull());

    sim.terminate();
    QVERIFY(sim.waitForFinished(kStepMs));
    QTRY_VERIFY_WITH_TIMEOUT(!findWindow("^连接错误$").isEmpty(), kStepMs);

    // Set up anew while it was away: a wall of two rows by three columns.
    w4sim::DeviceState changed = w4sim::DeviceState::defaults();
    changed.rows = 2;
    changed.columns = 3;
    QString error;
    QVERIFY2(changed.save(work.filePath("restarted.json"), &error), qPrintable(error));
    QVERIFY(startSim({"--state", work.filePath("restarted.json")}));
    QVERIFY(answerBox("^连接错误$"));

    // No click from here on: connected, read through to its end, pages free.
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent("tcp", "^query window 4$"), 20000);
    QElapsedTimer clock;
    clock.start();
    click(mainWindow, at(mainLayout, "tab0.2"));
    while (!hasEvent("tcp", "^division mode") && clock.elapsed() < 10000) {
        click(mainWindow, at(mainLayout, "ptn_fourDivisionModel"));
        if (QTest::qWaitFor([&] { return hasEvent("tcp", "^division mode"); }, 700))
            break;
    }
    QVERIFY2(hasEvent("tcp", "^division mode"), "the pages did not work again after the reconnect");
    QVERIFY2(findWindow("^消息$|^错误$|^警告$|^连接错误$").isEmpty(), "a box asks for a click");
    screenshot("reconnected", mainWindow);
    QVERIFY2(grab(mainWindow).copy(view) != wallBefore, "the wall still shows the state before");

    const int disconnects = simStderr().count("] disconnected");
    click(mainWindow, at(mainLayout, "connect"));
    QTRY_VERIFY_WITH_TIMEOUT(simStderr().count("] disconnected") > disconnects, kStepMs);
}

void TestE2E::udpLinkFromConnectionWindow()
{
    if (!isolated)
        QSKIP("needs root for private network namespaces; the serial link was tested");
    // The found device's row is still chosen: "连接设备" reads it back by UDP.
    const int before = eventCount();
    click(netWindow, at(netLayout, "ptn_connectDevice"));
    QTRY_VERIFY_WITH_TIMEOUT((answerBox("^警告$"), hasEvent("udp", "^query window 4$", before)), 15000);
    // Connected once the reading is over: the next division mode goes by UDP.
    QElapsedTimer clock;
    clock.start();
    while (!hasEvent("udp", "^division mode", before) && clock.elapsed() < 10000) {
        answerBox("^警告$");
        click(mainWindow, at(mainLayout, "ptn_fourDivisionModel"));
        if (QTest::qWaitFor([&] { return hasEvent("udp", "^division mode", before); }, 700))
            break;
    }
    QVERIFY(hasEvent("udp", "^division mode", before));
}

void TestE2E::languageSwitchRelabelsWindows()
{
    QVERIFY(!netWindow.isEmpty());
    click(netWindow, at(netLayout, "Button_EN"));
    QTRY_VERIFY_WITH_TIMEOUT(!findWindow("^Network Connection$").isEmpty(), kStepMs);
    screenshot("english", mainWindow);
}

void TestE2E::closeThroughTitleBar()
{
    if (!mainLayout.contains("pushButtonClose"))
        QSKIP("this build has no title bar with a close button");
    // Russian from the title bar, then closed there: the language is kept.
    click(mainWindow, at(mainLayout, "pushButton_RU"));
    QTRY_VERIFY_WITH_TIMEOUT(!findWindow("^Сетевое подключение$").isEmpty(), kStepMs);
    screenshot("russian", mainWindow);
    click(mainWindow, at(mainLayout, "pushButtonClose"));
    QVERIFY(app.waitForFinished(10000));
    QCOMPARE(app.exitStatus(), QProcess::NormalExit);
    QCOMPARE(app.exitCode(), 0);
    QSettings ini(work.filePath("FontSize.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("ID").toInt(), 2);
}

QTEST_GUILESS_MAIN(TestE2E)
#include "tst_e2e.moc"
