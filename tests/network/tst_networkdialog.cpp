#include "addresses.h"
#include "appstate.h"
#include "dialoganswerer.h"
#include "localaddresses.h"
#include "networkdialog.h"
#include "networkdialoghost.h"
#include "networkhelp.h"
#include "privatenetwork.h"
#include "sessionstates.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTranslator>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

// The search and the address change broadcast on the chosen card's subnet. As
// root the test moves itself into a network namespace of its own
// (privatenetwork.h), so nothing it sends can leave. Otherwise
// the card is a loopback address, and the tests that listen on the device
// ports 23 and 68 skip.
bool privateNetwork = false;

QString card()
{
    return privateNetwork ? QStringLiteral("198.51.100.10") : QStringLiteral("127.0.0.2");
}

QList<LocalInterface> oneCard()
{
    LocalInterface ethernet;
    ethernet.humanReadableName = QStringLiteral("Ethernet");
    ethernet.up = ethernet.running = true;
    ethernet.addresses << QHostAddress(card());
    return {ethernet};
}

// Stands in for the main window: records what the window asks of it, keeps a
// session whose links it marks up or down as the main window's would, and reads
// search replies from its UDP socket the way the main window's UDP slot does.
class FakeHost : public QObject, public NetworkDialogHost
{
public:
    FakeHost()
    {
        clock.start();
        followSession(&session);
        connect(&socket, &QUdpSocket::readyRead, this, &FakeHost::readDatagrams);
    }
    ~FakeHost() override
    {
        unfollowSession(&session);
        QCoreApplication::removeTranslator(&translator);
    }

    // The connection window reads the links through the followed session.
    void setLinks(bool serial, bool network) { setLinksForTesting(&session, serial, network); }

    QUdpSocket *udpSocket() override
    {
        ++socketRequests;
        return &socket;
    }
    void rebindUdpSocket(const QHostAddress &local) override
    {
        ++rebinds;
        rebindTimes << clock.nsecsElapsed();
        if (socket.state() == QAbstractSocket::BoundState && socket.localAddress() == local)
            return;
        socket.close();
        socket.bind(local, 1400);
    }
    void showValidPort() override { ++polls; }
    void on_openButton_clicked() override
    {
        calls << QStringLiteral("on_openButton_clicked");
        setLinks(!serialConnected(), networkConnected());
    }
    void on_connect_clicked() override
    {
        calls << QStringLiteral("on_connect_clicked");
        if (!disconnectRefused)
            setLinks(serialConnected(), false);
    }
    void connectNetworkDevice(bool dhcp) override
    {
        calls << QStringLiteral("connectNetworkDevice(%1)").arg(dhcp ? "true" : "false");
        setLinks(serialConnected(), true);
    }
    void connectTcpDevice(const QString &address, quint16 port) override
    {
        calls << QStringLiteral("connectTcpDevice(%1, %2)").arg(address).arg(port);
        setLinks(serialConnected(), true);
    }
    void changeLanguage(int index) override
    {
        calls << QStringLiteral("changeLanguage(%1)").arg(index);
        QCoreApplication::removeTranslator(&translator);
        const char *const files[] = {":/res/lanague_cn.qm", ":/res/lanague_en.qm", ":/res/lanague_ru.qm"};
        QVERIFY(translator.load(QString::fromLatin1(files[index])));
        QCoreApplication::installTranslator(&translator);
        dialog->retranslate();
    }
    QString networkSendIntervalText() const override { return networkInterval; }
    QString serialSendIntervalText() const override { return serialInterval; }
    void restartSendTimers(int intervalMs) override { interval = intervalMs; }
    bool reconnectEnabled() const override { return session.reconnectEnabled(); }
    void setReconnectEnabled(bool on) override { session.setReconnectEnabled(on); }

    w4::DeviceSession session;
    NetworkDialog *dialog = nullptr;
    QUdpSocket socket;
    QStringList calls;
    int rebinds = 0;
    // When each rebind happened; the connection window rebinds right before
    // each datagram it sends.
    QElapsedTimer clock;
    QList<qint64> rebindTimes;
    int socketRequests = 0;
    int polls = 0;
    int interval = -1;
    bool disconnectRefused = false;
    QString networkInterval = QStringLiteral("55");
    QString serialInterval = QStringLiteral("110");

private:
    void readDatagrams()
    {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            if (dialog->searchMode() && !dialog->handleSearchReply(datagram.data()))
                return; // the rest on the next notification
        }
    }

    QTranslator translator;
};

struct Fixture
{
    FakeHost host;
    NetworkDialog dialog{&host};

    Fixture()
    {
        host.dialog = &dialog;
        dialog.show();
        dialog.activateWindow(); // editors commit when the focus moves on
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("connection window not active");
    }
    template <typename T = QPushButton> T *widget(const char *name)
    {
        T *w = dialog.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    void click(const char *button) { QTest::mouseClick(widget(button), Qt::LeftButton); }
    QTableWidget *table() { return dialog.deviceTable(); }
    QString cell(int row, int column) { return table()->item(row, column)->text(); }
    // As a user edits: the cell opens its editor when it becomes current.
    void edit(int row, int column, const QString &text)
    {
        table()->setCurrentCell(row, column);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
    }
    void setRow(int row, const QStringList &cells)
    {
        for (int column = 0; column < cells.size(); ++column)
            table()->item(row, column + 1)->setText(cells[column]);
    }
};

bool editable(QTableWidgetItem *item)
{
    return item->flags().testFlag(Qt::ItemIsEditable);
}

QByteArray reply(int device, bool dhcp = false)
{
    return QStringLiteral("IP:198.51.100.%1/MAC:2.18.52.86.120.%1/Port:%2/Beta:V2.1.%1/DHCP:%3")
        .arg(device)
        .arg(5000 + device)
        .arg(dhcp ? QStringLiteral("true") : QStringLiteral("false"))
        .toUtf8();
}

} // namespace

class TestNetworkDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetAppState();
        setLocalInterfaceLister(oneCard);
    }

    void tableAndFormSetUp()
    {
        Fixture f;
        QCOMPARE(f.dialog.windowTitle(), QStringLiteral("网络连接"));
        QVERIFY(f.widget("pushButton")->isHidden());
        QCOMPARE(f.widget<QComboBox>("cbx_ipAddress")->currentText(), card());

        QTableWidget *table = f.table();
        QCOMPARE(table->rowCount(), 14);
        QCOMPARE(table->columnCount(), 6);
        QCOMPARE(table->editTriggers(), QAbstractItemView::CurrentChanged);
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(table->horizontalHeaderItem(5)->text(), QStringLiteral("连接协议"));
        QCOMPARE(table->horizontalHeader()->sectionResizeMode(0), QHeaderView::ResizeToContents);
        QCOMPARE(table->horizontalHeader()->sectionResizeMode(3), QHeaderView::Stretch);
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < 6; ++column) {
                QTableWidgetItem *item = table->item(row, column);
                QVERIFY(item);
                QCOMPARE(item->textAlignment(), int(Qt::AlignCenter));
                // Address, MAC and port are typed; the rest a search fills.
                QCOMPARE(editable(item), column >= 1 && column <= 3);
            }
    }

    void cardListRules()
    {
        auto nic = [](const char *name, bool up, bool running, bool loopback, QStringList addresses) {
            LocalInterface i;
            i.humanReadableName = QString::fromUtf8(name);
            i.up = up;
            i.running = running;
            i.loopback = loopback;
            for (const QString &a : addresses)
                i.addresses << QHostAddress(a);
            return i;
        };
        const QList<LocalInterface> cards = {
            nic("Ethernet", true, true, false, {"fe80::1", "192.168.1.7", "127.0.0.1", "10.0.0.5"}),
            nic("VMware Network Adapter VMnet8", true, true, false, {"192.168.56.1"}),
            nic("Loopback Pseudo-Interface 1", true, true, false, {"172.16.0.1"}),
            nic("vmware bridge", true, true, false, {"172.16.9.1"}), // the name test is case-sensitive
            nic("Wi-Fi", false, false, false, {"192.168.8.3"}),      // down
            nic("Cable unplugged", true, false, false, {"192.168.9.3"}),
            nic("lo", true, true, true, {"127.0.0.5"}),
        };
        const QStringList expected = {"192.168.1.7", "10.0.0.5", "172.16.9.1"};
        QCOMPARE(localIPv4Addresses(cards), expected);

        Fixture f;
        setLocalInterfaceLister([cards] { return cards; });
        f.click("ptn_refresh");
        auto *combo = f.widget<QComboBox>("cbx_ipAddress");
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, expected);

        if (privateNetwork) { // the system's own list: the namespace's one card
            setLocalInterfaceLister({});
            QCOMPARE(NetworkDialog::listLocalIPv4Addresses(), QStringList{card()});
        }
    }

    void searchFillsRowsAndDropsMalformedReplies()
    {
        Fixture f;
        auto *combo = f.widget<QComboBox>("cbx_ipAddress");

        // Without a card nothing is sent; the old rows are gone all the same.
        f.table()->item(0, 1)->setText(QStringLiteral("198.51.100.77"));
        combo->clear();
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            f.click("ptn_findDevice");
            QCOMPARE(answer.last().title, QStringLiteral("警告"));
            QCOMPARE(answer.last().text, QStringLiteral("必须选择网卡"));
        }
        QVERIFY(!f.dialog.searchMode());
        QCOMPARE(f.cell(0, 1), QString());
        QCOMPARE(f.host.socketRequests, 0);
        combo->addItem(card());

        QUdpSocket port23, port68;
        if (privateNetwork) {
            QVERIFY(port23.bind(QHostAddress::AnyIPv4, 23));
            QVERIFY(port68.bind(QHostAddress::AnyIPv4, 68));
        }
        f.click("ptn_findDevice");
        QVERIFY(f.dialog.searchMode());
        if (privateNetwork) {
            for (QUdpSocket *device : {&port23, &port68}) {
                QTRY_VERIFY(device->hasPendingDatagrams());
                const QNetworkDatagram query = device->receiveDatagram();
                QCOMPARE(query.data(), QByteArray::fromHex("08080000E1"));
                QCOMPARE(query.senderAddress(), QHostAddress(card()));
                QCOMPARE(query.senderPort(), 1400);
                if (!query.destinationAddress().isNull())
                    QCOMPARE(query.destinationAddress(), QHostAddress(QStringLiteral("198.51.100.255")));
            }
        }

        // Fifteen devices answer; two malformed answers come in between.
        QUdpSocket devices;
        for (int device = 1; device <= 15; ++device) {
            devices.writeDatagram(reply(device, device == 3), QHostAddress(card()), 1400);
            if (device == 2)
                devices.writeDatagram("IP:198.51.100.90/MAC:2.18.52.86.120.90/", QHostAddress(card()), 1400);
            if (device == 7)
                devices.writeDatagram("IP:198.51.100.91/MAC:02:12:34:56:78:9a/Port:23", QHostAddress(card()),
                                      1400);
        }
        QTRY_COMPARE(f.dialog.foundDeviceCount(), 15);

        QCOMPARE(f.table()->rowCount(), 16);
        for (int row = 0; row < 15; ++row) {
            const int device = row + 1;
            QCOMPARE(f.cell(row, 0), QString::number(device));
            QCOMPARE(f.cell(row, 1), QStringLiteral("198.51.100.%1").arg(device));
            QCOMPARE(f.cell(row, 2), QStringLiteral("2.18.52.86.120.%1").arg(device));
            QCOMPARE(f.cell(row, 3), QString::number(5000 + device));
            QCOMPARE(f.cell(row, 4), QStringLiteral("V2.1.%1").arg(device));
            QCOMPARE(f.cell(row, 5), device == 3 ? QStringLiteral("DHCP") : QStringLiteral("UDP"));
            QCOMPARE(editable(f.table()->item(row, 1)), device != 3);
            QCOMPARE(editable(f.table()->item(row, 2)), device != 3);
        }
        for (int column = 0; column < 6; ++column)
            QCOMPARE(f.cell(15, column), QString());
    }

    // Anyone on the network can answer a search. Only a reply that names a
    // device fills a row, each device once; a flood fills no more than the
    // row limit, and the log gets one line for the first dropped reply and
    // one summing up the rest when the search ends.
    void searchKeepsDevicesOnceAndBoundsAFlood()
    {
        static QStringList logged;
        logged.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &message) {
                if (context.category && QLatin1String(context.category) == QLatin1String("w4.network"))
                    logged << message;
            });
        struct Restore
        {
            QtMessageHandler handler;
            ~Restore() { qInstallMessageHandler(handler); }
        } restore{previous};

        Fixture f;
        f.click("ptn_findDevice");
        QVERIFY(f.dialog.searchMode());
        for (const QByteArray &d : {QByteArray("a:b"), reply(1), QByteArray("IP:/MAC:"), reply(1),
                                    QByteArray("IP:198.51.100.66/MAC:002.018.052.086.120.001/Port:1")})
            QVERIFY(f.dialog.handleSearchReply(d));
        QCOMPARE(f.dialog.foundDeviceCount(), 1);
        QCOMPARE(f.cell(0, 1), QStringLiteral("198.51.100.1"));
        QCOMPARE(f.cell(0, 3), QStringLiteral("5001"));
        QCOMPARE(f.cell(1, 1), QString());

        const int flood = 30000;
        for (int i = 0; i < flood; ++i) {
            const QByteArray forged = i % 4 == 0 ? QByteArray("x")
                                                 : QStringLiteral("IP:198.51.100.%1/MAC:2.0.0.0.%2.%3")
                                                       .arg(i % 250 + 1)
                                                       .arg(i / 256 % 256)
                                                       .arg(i % 256)
                                                       .toUtf8();
            f.dialog.handleSearchReply(forged);
        }
        QCOMPARE(f.dialog.foundDeviceCount(), w4::SearchResults::MaxDevices);
        QCOMPARE(f.table()->rowCount(), w4::SearchResults::MaxDevices + 1);
        QCOMPARE(f.cell(w4::SearchResults::MaxDevices, 1), QString());
        QCOMPARE(logged.size(), 1);

        f.click("ptn_findDevice");
        QVERIFY(!f.dialog.searchMode());
        QCOMPARE(logged.size(), 2);
        const int dropped = 4 + flood - (w4::SearchResults::MaxDevices - 1);
        QVERIFY2(logged.last().contains(QStringLiteral("%1 replies dropped").arg(dropped)),
                 qPrintable(logged.last()));

        // The next search starts from an empty table of the same size.
        f.click("ptn_findDevice");
        QCOMPARE(f.dialog.foundDeviceCount(), 0);
        QCOMPARE(f.cell(0, 1), QString());
        QVERIFY(f.table()->rowCount() <= w4::SearchResults::MaxDevices + 1);
        QVERIFY(f.dialog.handleSearchReply(reply(2)));
        QCOMPARE(f.cell(0, 1), QStringLiteral("198.51.100.2"));
    }

    void stoppingEarlyAndCountdown()
    {
        Fixture f;
        const QList<QWidget *> locked = {f.widget<QComboBox>("cbx_ipAddress"), f.widget("ptn_refresh"),
                                         f.widget("changeIP"), f.widget("ptn_connectDevice"),
                                         f.widget("ptn_disconnectDevice")};
        QPushButton *find = f.widget("ptn_findDevice");

        f.click("ptn_findDevice");
        QCOMPARE(find->text(), QStringLiteral("停止查找(3)"));
        for (QWidget *w : locked)
            QVERIFY(!w->isEnabled());
        QMetaObject::invokeMethod(&f.dialog, "upDatatimer");
        QCOMPARE(find->text(), QStringLiteral("停止查找(2)"));
        QVERIFY(f.dialog.handleSearchReply(reply(1)));

        // A second press ends the search at once; what was found stays.
        f.click("ptn_findDevice");
        QVERIFY(!f.dialog.searchMode());
        QCOMPARE(find->text(), QStringLiteral("查找设备"));
        for (QWidget *w : locked)
            QVERIFY(w->isEnabled());
        QCOMPARE(f.cell(0, 1), QStringLiteral("198.51.100.1"));
        QVERIFY(f.dialog.handleSearchReply(reply(2))); // too late: ignored
        QCOMPARE(f.dialog.foundDeviceCount(), 1);
        QCOMPARE(f.cell(1, 1), QString());

        // Left alone, a search counts down and ends by itself.
        f.click("ptn_findDevice");
        QTRY_COMPARE(find->text(), QStringLiteral("停止查找(2)"));
        QTRY_VERIFY_WITH_TIMEOUT(!f.dialog.searchMode(), 5000);
        QCOMPARE(find->text(), QStringLiteral("查找设备"));
        for (QWidget *w : locked)
            QVERIFY(w->isEnabled());
    }

    void connectChecks_data()
    {
        QTest::addColumn<QStringList>("row"); // IP, MAC, port, version, protocol
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("call");

        const QString mac = QStringLiteral("0.18.52.86.120.154");
        auto row = [&mac](const char *ip, const char *protocol = "UDP", const char *port = "23") {
            return QStringList{QString::fromLatin1(ip), mac, QString::fromLatin1(port), QStringLiteral("V1"),
                               QString::fromLatin1(protocol)};
        };
        const QString badIp = QStringLiteral("请输入正确的IP地址");
        const QString badMac = QStringLiteral("请输入正确的MAC地址");
        const QString odd = QStringLiteral("要求MAC第一和第二位必须是偶数");
        QTest::newRow("udp") << row("192.168.1.20") << true << false << QString()
                             << "connectNetworkDevice(false)";
        QTest::newRow("dhcp") << row("192.168.1.20", "DHCP") << true << false << QString()
                              << "connectNetworkDevice(true)";
        QTest::newRow("a 0 part is fine here")
            << row("192.168.0.20") << true << false << QString() << "connectNetworkDevice(false)";
        QTest::newRow("no row") << row("192.168.1.20") << false << false << "请先选择要连接的设备！"
                                << "";
        QTest::newRow("no ip") << row("") << true << false << "IP地址、TCP端口号为必填！"
                               << "";
        QTest::newRow("no port") << row("192.168.1.20", "UDP", "") << true << false
                                 << "IP地址、TCP端口号为必填！"
                                 << "";
        QTest::newRow("already connected")
            << row("192.168.1.20") << true << true << "您已建立连接，若要建立新的连接，请先断开连接！"
            << "";
        QTest::newRow("three parts") << row("192.168.1") << true << false << badIp << "";
        QTest::newRow("part over 255") << row("192.168.1.256") << true << false << badIp << "";
        QStringList r = row("192.168.1.20");
        r[1] = QStringLiteral("0.18.52.86.120");
        QTest::newRow("mac five parts") << r << true << false << badMac << "";
        r[1] = QStringLiteral("1.18.52.86.120.154");
        QTest::newRow("mac odd first") << r << true << false << odd << "";
        r[1] = QStringLiteral("0.19.52.86.120.154");
        QTest::newRow("mac odd second") << r << true << false << odd << "";
        r[1] = QStringLiteral("0.18.52.86.120.256");
        QTest::newRow("mac part over 255") << r << true << false << badMac << "";
        QTest::newRow("unknown protocol")
            << row("192.168.1.20", "RS485") << true << false << "未确定连接协议，无法连接"
            << "";
        // A row the user typed is reached over TCP: address and port checked,
        // the MAC not needed.
        auto typed = [](const char *ip, const char *port) {
            return QStringList{QString::fromLatin1(ip), QString(), QString::fromLatin1(port), QString(),
                               QStringLiteral("TCP")};
        };
        const QString badPort = QStringLiteral("请输入正确的端口号（1～65535）");
        QTest::newRow("tcp") << typed("198.51.100.20", "5000") << true << false << QString()
                             << "connectTcpDevice(198.51.100.20, 5000)";
        QTest::newRow("tcp leading zeros, blanks") << typed(" 198.051.100.020 ", " 65535 ") << true << false
                                                   << QString() << "connectTcpDevice(198.51.100.20, 65535)";
        QTest::newRow("tcp no port") << typed("198.51.100.20", "") << true << false
                                     << "IP地址、TCP端口号为必填！"
                                     << "";
        QTest::newRow("tcp already connected") << typed("198.51.100.20", "23") << true << true
                                               << "您已建立连接，若要建立新的连接，请先断开连接！"
                                               << "";
        QTest::newRow("tcp name, not an address")
            << typed("device.local.x", "23") << true << false << badIp << "";
        QTest::newRow("tcp part over 255") << typed("198.51.100.256", "23") << true << false << badIp << "";
        QTest::newRow("tcp port 0") << typed("198.51.100.20", "0") << true << false << badPort << "";
        QTest::newRow("tcp port 65536") << typed("198.51.100.20", "65536") << true << false << badPort << "";
        QTest::newRow("tcp port not a number")
            << typed("198.51.100.20", "23a") << true << false << badPort << "";
        QTest::newRow("tcp port negative") << typed("198.51.100.20", "-23") << true << false << badPort << "";
    }

    void connectChecks()
    {
        QFETCH(QStringList, row);
        QFETCH(bool, select);
        QFETCH(bool, connected);
        QFETCH(QString, warning);
        QFETCH(QString, call);

        Fixture f;
        f.host.setLinks(false, connected);
        f.setRow(0, row);
        if (select)
            f.table()->selectRow(0);
        {
            DialogAnswerer answer = warning.isEmpty() ? DialogAnswerer() : DialogAnswerer(DialogAnswerer::Ok);
            f.click("ptn_connectDevice");
            if (!warning.isEmpty()) {
                QCOMPARE(answer.last().title, QStringLiteral("警告"));
                QCOMPARE(answer.last().text, warning);
            }
        }
        QCOMPARE(f.host.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(f.host.interval, call.isEmpty() ? -1 : 55); // re-timed for the network link
        QCOMPARE(f.dialog.selectedDeviceAddress(), select ? w4::ipForConnecting(row[0]) : QString());
    }

    // A device no search found: the user types its address and port into an
    // empty row, which then reads "TCP", and connects to it.
    void typedRowConnectsOverTcp()
    {
        Fixture f;
        f.edit(3, NetworkDialog::IpColumn, QStringLiteral("198.51.100.20"));
        f.edit(3, NetworkDialog::PortColumn, QStringLiteral("5000"));
        f.table()->setCurrentCell(3, NetworkDialog::NumberColumn); // the editor commits
        QCOMPARE(f.cell(3, NetworkDialog::PortColumn), QStringLiteral("5000"));
        QCOMPARE(f.cell(3, NetworkDialog::ProtocolColumn), QStringLiteral("TCP"));
        f.table()->selectRow(3);
        f.click("ptn_connectDevice");
        QCOMPARE(f.host.calls, QStringList{"connectTcpDevice(198.51.100.20, 5000)"});

        // Emptied again, the row is no device.
        f.edit(3, NetworkDialog::IpColumn, QString());
        f.edit(3, NetworkDialog::PortColumn, QString());
        f.table()->setCurrentCell(3, NetworkDialog::NumberColumn);
        QCOMPARE(f.cell(3, NetworkDialog::ProtocolColumn), QString());
    }

    // The program connects to the address it checked: leading zeros are
    // decimal (an address parser reads 024 as octal 20).
    void connectsToTheAddressChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("address");
        QTest::newRow("leading zero") << "198.51.100.024" << "198.51.100.24";
        QTest::newRow("zeros everywhere") << "198.051.100.020" << "198.51.100.20";
        QTest::newRow("spaces") << " 198.51.100.20 " << "198.51.100.20";
        QTest::newRow("plain") << "198.51.100.20" << "198.51.100.20";
    }
    void connectsToTheAddressChecked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, address);
        Fixture f;
        f.setRow(0, {typed, QStringLiteral("0.18.52.86.120.154"), QStringLiteral("23"), QStringLiteral("V1"),
                     QStringLiteral("UDP")});
        f.table()->selectRow(0);
        f.click("ptn_connectDevice");
        QCOMPARE(f.host.calls, QStringList{"connectNetworkDevice(false)"});
        QCOMPARE(f.dialog.selectedDeviceAddress(), address);
        QCOMPARE(QHostAddress(f.dialog.selectedDeviceAddress()), QHostAddress(address));
    }

    void disconnect_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("connected") << true << false << "提示"
                                   << "连接已断开";
        QTest::newRow("not connected") << false << false << "警告"
                                       << "您还未建立连接！";
        // The link reports its own refusal; the window must not claim success.
        QTest::newRow("link stays up") << true << true << ""
                                       << "";
    }

    void disconnect()
    {
        QFETCH(bool, connected);
        QFETCH(bool, refused);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Fixture f;
        f.host.setLinks(false, connected);
        f.host.disconnectRefused = refused;
        {
            DialogAnswerer answer = text.isEmpty() ? DialogAnswerer() : DialogAnswerer(DialogAnswerer::Ok);
            f.click("ptn_disconnectDevice");
            QCOMPARE(answer.last().title, title);
            QCOMPARE(answer.last().text, text);
        }
        QCOMPARE(f.host.calls, connected ? QStringList{"on_connect_clicked"} : QStringList());
        QCOMPARE(f.host.interval, connected ? (refused ? 55 : 100) : -1);
    }

    void refreshInterval_data()
    {
        QTest::addColumn<bool>("network");
        QTest::addColumn<bool>("serial");
        QTest::addColumn<QString>("networkText");
        QTest::addColumn<int>("interval");
        QTest::newRow("network") << true << true << "55" << 55;
        QTest::newRow("serial") << false << true << "55" << 110;
        QTest::newRow("no link") << false << false << "55" << 100;
        QTest::newRow("emptied field") << true << false << "" << 100;
        QTest::newRow("zero") << true << false << "0" << 100;
    }

    void refreshInterval()
    {
        QFETCH(bool, network);
        QFETCH(bool, serial);
        QFETCH(QString, networkText);
        QFETCH(int, interval);
        Fixture f;
        f.host.setLinks(serial, network);
        f.host.networkInterval = networkText;
        f.dialog.updateRefreshInterval();
        QCOMPARE(f.host.interval, interval);
    }

    void openButtonOpensThenRetimes()
    {
        Fixture f;
        QCOMPARE(f.dialog.openButton(), f.widget("openButton"));
        QCOMPARE(f.dialog.serialPortComboBox(), f.widget<QComboBox>("serialPortComboBox"));
        f.click("openButton");
        QCOMPARE(f.host.calls, QStringList{"on_openButton_clicked"});
        QCOMPARE(f.host.interval, 110);
    }

    void changeChecks_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("mac");
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("withCard");
        QTest::addColumn<QString>("warning");

        const QString mac = QStringLiteral("0.18.52.86.120.154");
        const QString ip = QStringLiteral("192.168.1.20");
        const QString badIp = QStringLiteral("请输入正确的IP地址");
        const QString badMac = QStringLiteral("请输入正确的MAC地址");
        const QString odd = QStringLiteral("要求MAC第一和第二位必须是偶数");
        QTest::newRow("no row") << ip << mac << false << true << "请选择一行";
        QTest::newRow("no card") << ip << mac << true << false << "必须选择网卡";
        QTest::newRow("three parts") << "192.168.1" << mac << true << true << badIp;
        QTest::newRow("first part 0") << "0.168.1.20" << mac << true << true << badIp;
        QTest::newRow("network address") << "192.168.1.0" << mac << true << true << badIp;
        QTest::newRow("broadcast address") << "192.168.1.255" << mac << true << true << badIp;
        QTest::newRow("part over 255") << "192.168.256.20" << mac << true << true << badIp;
        QTest::newRow("negative part") << "192.168.-1.20" << mac << true << true << badIp;
        QTest::newRow("no number") << "192.168.x.20" << mac << true << true << badIp;
        QTest::newRow("empty part") << "192.168..20" << mac << true << true << badIp;
        QTest::newRow("loopback") << "127.0.0.1" << mac << true << true << badIp;
        QTest::newRow("multicast") << "224.1.1.1" << mac << true << true << badIp;
        QTest::newRow("reserved") << "240.1.1.1" << mac << true << true << badIp;
        QTest::newRow("mac five parts") << ip << "0.18.52.86.120" << true << true << badMac;
        QTest::newRow("mac odd first") << ip << "1.18.52.86.120.154" << true << true << odd;
        QTest::newRow("mac odd second") << ip << "0.17.52.86.120.154" << true << true << odd;
        QTest::newRow("mac part 256") << ip << "0.18.52.86.120.256" << true << true << badMac;
        QTest::newRow("mac no number") << ip << "0.18.52.86.x.154" << true << true << badMac;
    }

    void changeChecks()
    {
        QFETCH(QString, ip);
        QFETCH(QString, mac);
        QFETCH(bool, select);
        QFETCH(bool, withCard);
        QFETCH(QString, warning);
        Fixture f;
        f.setRow(0, {ip, mac});
        if (select)
            f.table()->selectRow(0);
        if (!withCard)
            f.widget<QComboBox>("cbx_ipAddress")->clear();
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            f.click("changeIP");
            QCOMPARE(answer.last().title, QStringLiteral("警告"));
            QCOMPARE(answer.last().text, warning);
        }
        QCOMPARE(f.host.rebinds, 0); // nothing sent
        QCOMPARE(f.host.socketRequests, 0);
    }

    // Two different processors answered: both would take the same addresses.
    void changeAsksWhenSeveralDevicesWereFound()
    {
        Fixture f;
        f.click("ptn_findDevice");
        for (const QByteArray &r : {reply(1), reply(1), reply(2)}) // device 1 answers on both ports
            QVERIFY(f.dialog.handleSearchReply(r));
        f.click("ptn_findDevice");
        const int requestsBefore = f.host.socketRequests;
        f.table()->selectRow(0);
        {
            DialogAnswerer answer(DialogAnswerer::Cancel);
            f.click("changeIP");
            QCOMPARE(answer.last().title, QStringLiteral("警告"));
            QVERIFY2(answer.last().text.contains(QStringLiteral("2台设备")), qPrintable(answer.last().text));
        }
        QCOMPARE(f.host.socketRequests, requestsBefore);
    }

    void changeSendsIpThenMac_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QByteArray>("ipDatagram");
        QTest::newRow("192.168.1.20") << "192.168.1.20" << QByteArray::fromHex("FFC0A80114F3");
        QTest::newRow("a 0 part") << "192.168.0.20" << QByteArray::fromHex("FFC0A80014E6");
        // Leading zeros are decimal, as when connecting.
        QTest::newRow("leading zeros") << "192.168.001.020" << QByteArray::fromHex("FFC0A80114F3");
    }

    void changeSendsIpThenMac()
    {
        if (!privateNetwork)
            QSKIP("listening on the device port needs the test's own network namespace (root)");
        QFETCH(QString, ip);
        QFETCH(QByteArray, ipDatagram);

        struct Arrival
        {
            QNetworkDatagram datagram;
            bool whileWaiting;
        };
        QList<Arrival> arrivals;
        QUdpSocket device;
        QVERIFY(device.bind(QHostAddress::AnyIPv4, 23));
        connect(&device, &QUdpSocket::readyRead, this, [&] {
            while (device.hasPendingDatagrams()) {
                QWidget *modal = QApplication::activeModalWidget();
                arrivals << Arrival{device.receiveDatagram(), modal && modal->inherits("WaitingWidget")};
            }
        });

        Fixture f;
        f.edit(0, 1, ip);
        f.edit(0, 2, QStringLiteral("0.18.52.86.120.154"));
        {
            DialogAnswerer noBox;
            f.click("changeIP"); // takes the edit still open; returns after the MAC datagram is out
        }
        QTRY_COMPARE(arrivals.size(), 2);
        QCOMPARE(arrivals[0].datagram.data(), ipDatagram);
        QVERIFY(arrivals[0].whileWaiting); // the MAC follows the 2 s wait
        QCOMPARE(arrivals[1].datagram.data(), QByteArray::fromHex("F700123456789A35"));
        QVERIFY(!arrivals[1].whileWaiting);
        for (const Arrival &a : arrivals) {
            QCOMPARE(a.datagram.senderAddress(), QHostAddress(card()));
            QCOMPARE(a.datagram.senderPort(), 1400);
            if (!a.datagram.destinationAddress().isNull())
                QCOMPARE(a.datagram.destinationAddress(), QHostAddress(QStringLiteral("198.51.100.255")));
        }
    }

    // The processor takes the MAC datagram only two seconds after the IP one:
    // the pause may run long but never short. Qt lets a coarse timer of 2 s fire
    // up to 100 ms early when its end falls just after a whole or half second of
    // the monotonic clock, so the change is started at such moments.
    void changeWaitsAtLeastTwoSeconds_data()
    {
        QTest::addColumn<int>("phaseMs");
        QTest::newRow("just after a second") << 5;
        QTest::newRow("just after half a second") << 505;
    }

    void changeWaitsAtLeastTwoSeconds()
    {
        QFETCH(int, phaseMs);
        Fixture f;
        f.setRow(0, {QStringLiteral("192.168.1.20"), QStringLiteral("0.18.52.86.120.154")});
        f.table()->selectRow(0);
        const auto inPhase = [phaseMs] {
            QElapsedTimer now;
            now.start();
            const qint64 phase = now.msecsSinceReference() % 1000;
            return phase >= phaseMs && phase < phaseMs + 30;
        };
        QVERIFY(QTest::qWaitFor(inPhase, 3000));
        {
            DialogAnswerer noBox;
            f.click("changeIP"); // returns after the MAC datagram is out
        }
        QCOMPARE(f.host.rebindTimes.size(), 2);
        const qint64 pause = f.host.rebindTimes[1] - f.host.rebindTimes[0];
        QVERIFY2(pause >= qint64(2000) * 1000 * 1000, qPrintable(QStringLiteral("%1 ns").arg(pause)));
    }

    // A simulated processor answers the search (once: on port 23, having a
    // fixed address), takes the new addresses and reports them to the next search.
    void searchAndChangeWithSimulator()
    {
        if (!privateNetwork)
            QSKIP("broadcasting to the simulator needs the test's own network namespace (root)");
        QProcess sim;
        sim.start(QStringLiteral(W4SIM_BINARY), {QStringLiteral("--tcp-port"), QStringLiteral("0"),
                                                 QStringLiteral("--ip"), QStringLiteral("198.51.100.20")});
        QByteArray out;
        while (!out.contains("READY") && sim.waitForReadyRead(5000))
            out += sim.readAllStandardOutput();
        QVERIFY2(out.contains("READY"), sim.readAllStandardError().constData());

        Fixture f;
        auto search = [&f] {
            f.click("ptn_findDevice");
            QTRY_COMPARE(f.dialog.foundDeviceCount(), 1);
            f.click("ptn_findDevice");
        };
        search();
        QCOMPARE(f.cell(0, 1), QStringLiteral("198.51.100.20"));
        QCOMPARE(f.cell(0, 2), QStringLiteral("2.18.52.86.120.154"));
        QCOMPARE(f.cell(0, 5), QStringLiteral("UDP"));

        f.edit(0, 1, QStringLiteral("198.51.100.48"));
        f.edit(0, 2, QStringLiteral("2.18.52.86.120.156"));
        {
            DialogAnswerer noBox; // one device found: nothing to ask
            f.click("changeIP");
        }
        search();
        QCOMPARE(f.cell(0, 1), QStringLiteral("198.51.100.48"));
        QCOMPARE(f.cell(0, 2), QStringLiteral("2.18.52.86.120.156"));

        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
    }

    void languageButtonsAndHelp()
    {
        Fixture f;
        QPushButton *find = f.widget("ptn_findDevice");
        f.click("pushButtonHelp");
        QVERIFY(f.dialog.helpWindow()->isVisible());
        QCOMPARE(f.dialog.helpWindow()->windowTitle(), QStringLiteral("帮助"));
        QVERIFY(
            f.dialog.helpWindow()->text().startsWith(QStringLiteral("1.如果设置IP后无法再通过网络控制设备")));
        f.dialog.helpWindow()->hide();

        f.click("Button_EN");
        QCOMPARE(languageIndex, 1);
        QCOMPARE(f.host.calls, QStringList{"changeLanguage(1)"});
        QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Network Connection"));
        QCOMPARE(find->text(), QStringLiteral("Find device"));
        QCOMPARE(f.widget<QGroupBox>("groupBox_2")->title(), QStringLiteral("Select the PC IP"));
        QCOMPARE(f.table()->horizontalHeaderItem(1)->text(), QStringLiteral("IP address"));
        QCOMPARE(f.dialog.helpWindow()->windowTitle(), QStringLiteral("Help"));
        QVERIFY(f.dialog.helpWindow()->text().startsWith(QStringLiteral("1. If you can no longer control")));
        // UDP is for trusted networks; TCP is preferred.
        QVERIFY(f.dialog.helpWindow()->text().contains(QStringLiteral("only on a trusted network")));

        // A language change during a search keeps the countdown on the button.
        f.click("ptn_findDevice");
        QCOMPARE(find->text(), QStringLiteral("Stop finding (3)"));
        f.click("Button_RU");
        QCOMPARE(languageIndex, 2);
        QCOMPARE(find->text(), QStringLiteral("Остановить поиск (3)"));
        // The longer Russian help is shown whole.
        const QLabel *helpText = f.dialog.helpWindow()->findChild<QLabel *>();
        QVERIFY(helpText->height() >= helpText->heightForWidth(helpText->width()));
        QVERIFY(f.dialog.helpWindow()->rect().contains(helpText->geometry()));
        f.click("ptn_findDevice");
        QCOMPARE(find->text(), QStringLiteral("Поиск устройства"));
        QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Сетевое подключение"));

        f.click("Button_CN");
        QCOMPARE(languageIndex, 0);
        QCOMPARE(find->text(), QStringLiteral("查找设备"));
        QCOMPARE(f.dialog.windowTitle(), QStringLiteral("网络连接"));
    }
};

int main(int argc, char *argv[])
{
    privateNetwork = simtest::enterPrivateNetwork(); // before any thread exists
    QApplication app(argc, argv);
    TestNetworkDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_networkdialog.moc"
