// Whole paths from a page control to the simulated processor over TCP on
// loopback: every command the pages queue arrives intact and is applied.
#include "codec.h"
#include "pagefixture.h"
#include "simharness.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

using namespace simtest;
constexpr int WaitMs = kWaitMs;

// Commands the simulator received, checked and applied, as hex of the wire bytes.
QStringList applied(Sim &sim)
{
    QStringList out;
    for (const QJsonObject &e : sim.events())
        if (e.value("dir").toString() != "out" && e.value("crc_ok").toBool() && e.value("applied").toBool())
            out << e.value("hex").toString().toUpper();
    return out;
}

QString wire(const QString &text)
{
    return QString::fromLatin1(w4::encodeCommand(text).toHex().toUpper());
}

// Every command that came in, as hex of the wire bytes.
QStringList incoming(Sim &sim)
{
    QStringList out;
    for (const QJsonObject &e : sim.events())
        if (e.value("dir").toString() == "in")
            out << e.value("hex").toString().toUpper();
    return out;
}

// `expected` appears in `all` in this order (other commands may come between).
bool inOrder(const QStringList &all, const QStringList &expected)
{
    int at = 0;
    for (const QString &e : expected) {
        at = all.indexOf(e, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}
} // namespace

class TestPagesSim : public PageFixture
{
    Q_OBJECT

    Sim sim;

private slots:
    void initTestCase()
    {
        enterScratchDir();
        QVERIFY(sim.start({}));
    }
    void cleanupTestCase() { leaveScratchDir(); }
    void init()
    {
        build();
        // The session's sender paces the read's queries and then the pages'
        // commands onto the link, at the network link's interval.
        mw->session()->sender()->setInterval(55);
        // The connection reads the device's state back and reports the result.
        DialogAnswerer readResult(DialogAnswerer::Ok);
        mw->session()->connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QTRY_VERIFY_WITH_TIMEOUT(networkConnected(), WaitMs);
        QVERIFY(!offlineMode());
        QVERIFY(readResult.waitDone(15000));
        QCOMPARE(readResult.last().text, QStringLiteral("读取成功！"));
        queue().clear();
    }
    void cleanup()
    {
        mw.reset();
        resetAppState();
    }

    void divisionModeAndLayerOrderReachTheDevice()
    {
        get<QPushButton>("ptn_twoScreenModel_leftRight")->click();
        const QStringList expected = {wire("04050000"), wire("022b0000"), wire("032b0000"), wire("04100246")};
        QTRY_VERIFY_WITH_TIMEOUT(inOrder(applied(sim), expected), WaitMs);
    }

    void pictureResetReachesTheDevice()
    {
        selectWindow(2);
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            get<QPushButton>("btn_page2Reset")->click();
            QVERIFY(answer.waitDone());
        }
        const QStringList expected = {wire("020b0400"), wire("020a0064"), wire("020e0064"), wire("02100000"),
                                      wire("020f00b4"), wire("020c000a"), wire("020d000a")};
        QTRY_VERIFY_WITH_TIMEOUT(inOrder(applied(sim), expected), WaitMs);
    }

    void cropAndGeometryReachTheDevice()
    {
        mw->changeSliceInfo(4, 0, 0, 1920, 1080);
        typeInto(get<QLineEdit>("ldt_Heigh"), "540");
        QTRY_VERIFY_WITH_TIMEOUT(inOrder(applied(sim), {wire("d00000000007800438"), wire("0004021c")}),
                                 WaitMs);
    }

    // What the user set stays on the processor: switching windows and a new
    // layout send only the layout, and reading back shows the settings again.
    void settingsSurviveSwitchModifyAndReadBack()
    {
        get<QCheckBox>("cbx_deinterlace")->click();
        get<QCheckBox>("ckx_2p2PullDown")->click();
        typeInto(get<QLineEdit>("ldt_luminance"), "50");
        QTRY_VERIFY_WITH_TIMEOUT(inOrder(applied(sim), {wire("001b0001"), wire("001c0001"), wire("000b0432")}),
                                 WaitMs);
        const int before = incoming(sim).size();

        auto *current = get<QComboBox>("currentChannelCBox");
        current->setCurrentIndex(1);
        current->setCurrentIndex(0);
        get<QComboBox>("rowCbx")->setCurrentText("2");
        get<QComboBox>("columnCbx")->setCurrentText("2");
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            get<QPushButton>("selectSceneBtn")->click();
            QVERIFY(answer.waitDone());
        }
        QTRY_VERIFY_WITH_TIMEOUT(incoming(sim).contains(wire("0601000a")), WaitMs);
        QTest::qWait(300); // a few send ticks for anything queued behind it
        QCOMPARE(incoming(sim).mid(before), QStringList{wire("0601000a")});

        {
            DialogAnswerer result(DialogAnswerer::Ok);
            get<QPushButton>("ptn_refresh")->click();
            QVERIFY(result.waitDone(20000));
            QCOMPARE(result.last().text, QStringLiteral("读取成功！"));
        }
        QVERIFY(rec(0).deinterlace && rec(0).pullDown2p2);
        QCOMPARE(rec(0).luminance, 50);
        QVERIFY(get<QCheckBox>("ckx_2p2PullDown")->isChecked());
        QCOMPARE(get<QLineEdit>("ldt_luminance")->text(), QStringLiteral("50"));
    }
};

QTEST_MAIN(TestPagesSim)
#include "tst_pages_sim.moc"
