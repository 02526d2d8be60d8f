// Reading the processor's state over a TCP connection, against w4sim on
// loopback: the whole state everywhere in the program, frames cut and merged by
// the stream, a dropped reply, a window never answered, a wrong window; and the
// completeness rule for frames in another order, fed straight to the reader.
#include "commandsender.h"
#include "communicationdialog.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "privatenetwork.h"
#include "readbackfixture.h"
#include "replywriter.h"
#include "simharness.h"
#include "tcplink.h"
#include "tcpreadback.h"

#include <QPushButton>

using namespace readback;
using namespace simtest;

namespace {

QStringList tcpCommandsAtSim(Sim &sim)
{
    QStringList texts;
    for (const QJsonObject &e : sim.events())
        if (e.value("dir").toString() == "in" && e.value("transport").toString() == "tcp")
            texts << e.value("hex").toString().toLower();
    return texts;
}

QString stateFile(Sim &sim, const w4sim::DeviceState &state)
{
    const QString path = sim.path(QStringLiteral("state.json"));
    QString error;
    if (!state.save(path, &error))
        qWarning() << error;
    return path;
}

// Connects through the main window's connect button to the listed device and
// waits for the read's result box, which it answers.
DialogAnswerer::Seen connectAndRead(MainWindow &w, Sim &sim)
{
    listDevice(w, QStringLiteral("127.0.0.1"), sim.tcpPort);
    DialogAnswerer result(DialogAnswerer::Ok);
    widget<QPushButton>(w, "connect")->click();
    if (!result.waitDone(20000))
        return {};
    return result.last();
}

const QStringList readQueries = {"0805000070", "08010001dc", "0802000161",
                                 "080300010a", "080400011c", "ffffffffde"};

} // namespace

class TestReadBackTcp : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }

    // Frames written in two parts and two frames in one write are taken whole.
    void readShowsTheDeviceStateEverywhere()
    {
        Sim sim;
        const w4sim::DeviceState state = distinctiveState(1, 4);
        QVERIFY(sim.start(
            QStringList{"--state", stateFile(sim, state), "--split-reply", "2", "--merge-reply", "3"} +
            faultInputs()));
        MainWindow w;
        scrambleSourceSizes(w);
        WaitingTexts waits;
        const DialogAnswerer::Seen result = connectAndRead(w, sim);
        QCOMPARE(result.title, QString("消息"));
        QCOMPARE(result.text, QString("读取成功！"));
        QCOMPARE(waits.texts, QStringList{"等待中..."});
        QTRY_COMPARE(tcpCommandsAtSim(sim).mid(0, readQueries.size()), readQueries);
        QVERIFY(w.allWindowsRead());

        verifyShows(w, state, true);
        // The device-wide values reach the first window; the wall is 7680 wide.
        const w4::WindowRecord &first = widget<UserView>(w, "graphicsView")->window(0)->record();
        QVERIFY(first.audioOutDisabled && !first.audioOutAllPorts && !first.audioOutPort1Only);
        QVERIFY(!first.videoGenMode);
        QCOMPARE(widget<UserView>(w, "graphicsView")->window(0)->pos(), QPointF(200, 50));

        const QString log = w.communicationDialog->logText();
        for (const QString &line : {QStringLiteral("全局设置- 0"),
                                    QStringLiteral("通道： 4   数据头正确！  数据尾正确！  数据长度正确！"),
                                    QStringLiteral("窗口1，输入源1分辨率(1280,720)"),
                                    QStringLiteral("窗口3，输入源3-无信号，使用默认分辨率(3840x2160)"),
                                    QStringLiteral("窗口4，输入源0分辨率(1440,288)")})
            QVERIFY2(log.contains(line), qPrintable(line));

        // The refresh button reads a TCP link's frames again.
        DialogAnswerer again(DialogAnswerer::Ok);
        widget<QPushButton>(w, "ptn_refresh")->click();
        QVERIFY(again.waitDone(20000));
        QCOMPARE(again.last().text, QString("读取成功！"));
        QTRY_VERIFY(tcpCommandsAtSim(sim).size() >= 2 * readQueries.size());
        const QStringList atSim = tcpCommandsAtSim(sim);
        QCOMPARE(atSim.mid(atSim.size() - readQueries.size()), readQueries);
        // Showing what was read, on the wall and the pages, and choosing
        // windows on the pages tell the processor nothing.
        for (const QString &command : atSim)
            QVERIFY2(readQueries.contains(command), qPrintable(command));
        QVERIFY(w.session()->sender()->queue().entries().isEmpty());
    }

    void faultsEndInTheRightMessage_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        // Reply 2 is window 1 of the first pass; the second pass reads it.
        QTest::newRow("window reply dropped once") << QStringList{"--drop-reply", "2"} << "消息"
                                                   << "读取成功！";
        QTest::newRow("window never answers") << QStringList{"--drop-window", "3"} << "错误"
                                              << "读取失败！";
        // Window 3's query is answered with window 4's frame: four window frames
        // end with window 4, but window 3 was never read.
        QTest::newRow("wrong window answers") << QStringList{"--wrong-window", "3:4"} << "错误"
                                              << "读取失败！";
    }
    void faultsEndInTheRightMessage()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Sim sim;
        QVERIFY(sim.start(faults));
        MainWindow w;
        WaitingTexts waits;
        const DialogAnswerer::Seen result = connectAndRead(w, sim);
        QCOMPARE(result.title, title);
        QCOMPARE(result.text, text);
        QCOMPARE(waits.texts, (QStringList{"等待中...", "正在重新读取...(1/1)"}));
        QTRY_COMPARE(tcpCommandsAtSim(sim), readQueries + readQueries);
        QVERIFY(networkConnected()); // the link stays up either way
    }

    // A processor that answers 9 s late: the read fails, and the answers that
    // come after the failure was told change neither the model nor the wall.
    void answersAfterAFailedReadChangeNothing()
    {
        Sim sim;
        const w4sim::DeviceState state = distinctiveState(2, 2);
        QVERIFY(sim.start(QStringList{"--state", stateFile(sim, state), "--delay-ms", "9000"}));
        MainWindow w;
        qint64 received = 0;
        connect(w.session()->tcpLink(), &w4::TcpLink::received, &w,
                [&received](const QByteArray &bytes) { received += bytes.size(); });
        const DialogAnswerer::Seen result = connectAndRead(w, sim);
        QCOMPARE(result.text, QString("读取失败！"));
        QCOMPARE(received, qint64(0));
        // Both passes' answers: a global and four window frames each.
        const qint64 answers = 2 * (2 * w4::GlobalFrameWords + 4 * 2 * w4::WindowFrameWords);
        QTRY_COMPARE_WITH_TIMEOUT(received, answers, 20000);
        QVERIFY(!w.session()->model()->deviceWide().hasLayout());
        for (int i = 0; i < 4; ++i)
            QVERIFY(!w.session()->model()->window(i).has_value());
        QCOMPARE(widget<QComboBox>(w, "rowCbx")->currentIndex(), 0);
        QVERIFY(networkConnected());
    }

    // A processor that takes 400 ms over every answer is read whole in one
    // pass: each query waits for its answer, and the dialog for the read, no
    // shorter.
    void slowProcessorIsReadInOnePass()
    {
        Sim sim;
        const w4sim::DeviceState state = distinctiveState(2, 2);
        QVERIFY(sim.start(QStringList{"--state", stateFile(sim, state), "--delay-ms", "400"} + faultInputs()));
        MainWindow w;
        scrambleSourceSizes(w);
        WaitingTexts waits;
        QStringList atClose;
        waits.onClose = [&] {
            atClose << QStringLiteral("complete %1, running %2")
                           .arg(w.allWindowsRead())
                           .arg(w.session()->tcpReadBack()->isRunning());
        };
        const DialogAnswerer::Seen result = connectAndRead(w, sim);
        QCOMPARE(result.title, QString("消息"));
        QCOMPARE(result.text, QString("读取成功！"));
        QCOMPARE(waits.texts, QStringList{"等待中..."});
        QCOMPARE(atClose, QStringList{"complete 1, running 0"});
        QTRY_COMPARE(tcpCommandsAtSim(sim), readQueries);
        verifyShows(w, state, true);
    }

    // The processor drops the connection in the middle of the read: the loss is
    // reported, and the read's own check, after its waiting dialog, says nothing.
    void lostLinkIsReportedOnce()
    {
        Sim sim;
        QVERIFY(sim.start({"--disconnect-after", "2"}));
        MainWindow w;
        listDevice(w, QStringLiteral("127.0.0.1"), sim.tcpPort);
        WaitingTexts waits;
        DialogAnswerer loss(DialogAnswerer::Ok);
        widget<QPushButton>(w, "connect")->click();
        QVERIFY(loss.waitDone(20000));
        QCOMPARE(loss.last().text, QString("连接已断开，请检查网络连接"));
        QTRY_VERIFY_WITH_TIMEOUT(!waits.texts.isEmpty() && !QApplication::activeModalWidget(), 10000);
        bool checked = false; // queued after the read's check
        QTimer::singleShot(1, [&checked] { checked = true; });
        QTRY_VERIFY(checked);
        QVERIFY(!networkConnected());
    }

    // Straight into the reader: the frames of a read in several orders and cut
    // in several ways.
    void completenessOfARead_data()
    {
        QTest::addColumn<QVector<int>>("windows");
        QTest::addColumn<QString>("cut");
        QTest::addColumn<bool>("complete");
        for (const QString cut : {"frame by frame", "one read", "byte by byte"}) {
            QTest::addRow("1 2 3 4, %s", qPrintable(cut)) << QVector<int>{1, 2, 3, 4} << cut << true;
            QTest::addRow("2 1 3 4, %s", qPrintable(cut)) << QVector<int>{2, 1, 3, 4} << cut << true;
        }
        QTest::newRow("1 2 4 3: window 4 is not the fourth")
            << QVector<int>{1, 2, 4, 3} << "one read" << false;
        QTest::newRow("1 2 4 4: window 3 missing") << QVector<int>{1, 2, 4, 4} << "one read" << false;
        QTest::newRow("2 3 4 without a global frame first")
            << QVector<int>{0, 2, 3, 4} << "one read" << false;
        QTest::newRow("1 2 3 4 without a global frame") << QVector<int>{0, 1, 2, 3, 4} << "one read" << false;
    }
    void completenessOfARead()
    {
        QFETCH(QVector<int>, windows);
        QFETCH(QString, cut);
        QFETCH(bool, complete);
        w4sim::DeviceState state = distinctiveState(2, 3);
        state.resolutionCodes = {{3, 12, 18, 45}}; // input 1 low, input 4 without signal
        QList<QByteArray> frames;
        if (windows.first() != 0)
            frames << w4sim::ReplyWriter::toBytes(w4sim::ReplyWriter::globalWords(state));
        for (int n : windows)
            if (n != 0)
                frames << w4sim::ReplyWriter::toBytes(w4sim::ReplyWriter::windowWords(state, n));

        MainWindow w;
        w.session()->tcpReadBack()->start();
        if (cut == "frame by frame") {
            for (const QByteArray &f : frames)
                w.read(f);
        } else if (cut == "one read") {
            // Noise before the frames is skipped.
            w.read(QByteArray("\x01\xAA\x02", 3) + frames.join());
        } else {
            const QByteArray all = frames.join();
            for (int i = 0; i < all.size(); ++i)
                w.read(all.mid(i, 1));
        }
        QCOMPARE(w.allWindowsRead(), complete);
        if (complete)
            verifyShows(w, state, true);
    }
};

int main(int argc, char *argv[])
{
    enterPrivateNetwork(); // before any thread exists; loopback only either way
    QApplication app(argc, argv);
    TestReadBackTcp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readback_tcp.moc"
