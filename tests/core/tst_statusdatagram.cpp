#include "searchreply.h"
#include "statusdatagram.h"

#include <QtTest>

using namespace w4;

namespace {

QByteArray record(int key, int value, char colon = ':', char slash = '/')
{
    QByteArray r;
    r.append(char(key));
    r.append(colon);
    r.append(char(value >> 8));
    r.append(char(value & 0xFF));
    r.append(slash);
    return r;
}

const QByteArray header("HDR!");

} // namespace

class TestStatusDatagram : public QObject
{
    Q_OBJECT

private slots:
    void records()
    {
        const QByteArray d = header + record(1, 0x0780) + record(12, 0x0400) + record(1, 0x00AB) + "xy";
        const StatusDatagram s = parseStatusDatagram(d);
        QVERIFY(s.valid);
        // A repeated key replaces the earlier value; the trailing partial record is ignored.
        QCOMPARE(s.records, (StatusRecord{{1, "00AB"}, {12, "0400"}}));
    }

    void twoRecordsAndTwoStrayBytes()
    {
        const QByteArray d = header + record(3, 1) + record(4, 2) + "\x05:";
        QCOMPARE(d.size(), 4 + 12);
        QCOMPARE(parseStatusDatagram(d).records.size(), 2);
    }

    void badSeparatorInvalidatesTheWholeDatagram_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::newRow("first record, byte 4 = 0x2E") << header + record(1, 5, ':', '.') + record(2, 6);
        QTest::newRow("second record, byte 1") << header + record(1, 5) + record(2, 6, ';');
        QTest::newRow("last whole record") << header + record(1, 5) + record(2, 6) + record(3, 7, ':', 0);
    }
    void badSeparatorInvalidatesTheWholeDatagram()
    {
        QFETCH(QByteArray, datagram);
        const StatusDatagram s = parseStatusDatagram(datagram);
        QVERIFY(!s.valid);
        QVERIFY(s.records.isEmpty());
    }

    void shortDatagramsHoldNothing()
    {
        for (const QByteArray &d : {QByteArray(), QByteArray("HDR"), header, header + "1234"}) {
            const StatusDatagram s = parseStatusDatagram(d);
            QVERIFY(s.valid);
            QVERIFY(s.records.isEmpty());
        }
    }

    void wallLayoutKey_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("rows"); // 0: absent
        QTest::addColumn<int>("columns");
        QTest::newRow("2 x 3") << "0203" << 2 << 3;
        QTest::newRow("1 x 9") << "0109" << 1 << 9;
        QTest::newRow("missing") << QString() << 0 << 0;
        QTest::newRow("hex letter") << "0A03" << 0 << 0;
        QTest::newRow("zero rows") << "0003" << 0 << 0;
    }
    void wallLayoutKey()
    {
        QFETCH(QString, value);
        QFETCH(int, rows);
        QFETCH(int, columns);
        StatusRecord r;
        if (!value.isNull())
            r.insert(6, value);
        const std::optional<WallLayout> l = wallLayoutFromRecord(r);
        QCOMPARE(l.has_value(), rows > 0);
        if (l) {
            QCOMPARE(l->rows, rows);
            QCOMPARE(l->columns, columns);
        }
    }

    void layerKey_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QVector<int>>("layers");
        QTest::newRow("6420") << "6420" << QVector<int>{4, 3, 2, 1};
        QTest::newRow("0246") << "0246" << QVector<int>{1, 2, 3, 4};
        QTest::newRow("odd digits round down") << "1357" << QVector<int>{1, 2, 3, 4};
        QTest::newRow("8 and letters give no level") << "8A20" << QVector<int>{0, 0, 2, 1};
        QTest::newRow("missing") << "" << QVector<int>{0, 0, 0, 0};
    }
    void layerKey()
    {
        QFETCH(QString, value);
        QFETCH(QVector<int>, layers);
        const std::array<int, 4> got = layersFromRecord(StatusRecord{{7, value}});
        QCOMPARE(QVector<int>(got.begin(), got.end()), layers);
    }

    void windowKeys()
    {
        const QByteArray d = header + record(1, 1920) + record(3, 960) + record(12, 2048) + record(13, 0) +
                             record(14, 20) + record(16, 0) + record(20, 1) + record(21, 1) + record(49, 0) +
                             record(39, 10) + record(42, 1) + record(43, 1) + record(45, 3) + record(50, 3);
        const WindowStatus s = windowStatusFromRecord(parseStatusDatagram(d).records);
        QCOMPARE(s.x, 1920);
        QCOMPARE(s.y, 0); // absent key reads as 0
        QCOMPARE(s.width, 960);
        QCOMPARE(s.luminance, 1024);
        QCOMPARE(s.verticalSharpness, -10); // key 13 is vertical over UDP
        QCOMPARE(s.horizontalSharpness, 10);
        QCOMPARE(s.hue, -180);
        QCOMPARE(s.rotation, std::optional<int>(180));
        QCOMPARE(s.colorR, 10);
        QVERIFY(s.isColorSolid);
        QVERIFY(s.isShown);
        QCOMPARE(s.inputSource, 3);
        QCOMPARE(s.resolutionCode, 3);
        QVERIFY(!s.hasCrop);
    }

    void windowKeysWithoutSolidFillUseTheDefaultColour()
    {
        const WindowStatus s = windowStatusFromRecord(StatusRecord{{39, "000A"}, {40, "0014"}, {42, "0000"}});
        QCOMPARE(QVector<int>({s.colorR, s.colorG, s.colorB}), QVector<int>({136, 155, 177}));
    }

    void udpRotationCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("degrees");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1 is 270 over UDP") << 1 << 270;
        QTest::newRow("3 is 90") << 3 << 90;
        QTest::newRow("2 changes nothing") << 2 << -1;
    }
    void udpRotationCodes()
    {
        QFETCH(int, code);
        QFETCH(int, degrees);
        const WindowStatus s = windowStatusFromRecord(StatusRecord{{49, QString::number(code)}});
        QCOMPARE(s.rotation.value_or(-1), degrees);
    }

    void majorityOfThreeReads()
    {
        const StatusRecord a{{1, "0001"}}, b{{1, "0002"}}, c{{1, "0003"}};
        QCOMPARE(majorityRecord(a, b, a), std::optional<StatusRecord>(a)); // first and third agree
        QCOMPARE(majorityRecord(b, a, a), std::optional<StatusRecord>(a));
        QCOMPARE(majorityRecord(a, a, b), std::optional<StatusRecord>(a));
        QCOMPARE(majorityRecord(a, b, c), std::nullopt);
        QCOMPARE(majorityRecord({}, {}, {}), std::optional<StatusRecord>(StatusRecord{}));
        // Same keys with another value, or one key more, is a different read.
        QCOMPARE(majorityRecord(a, StatusRecord{{1, "0001"}, {2, "0000"}}, b), std::nullopt);
    }

    void searchReplies_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("dhcp");
        QTest::newRow("full") << QByteArray(
                                     "IP:198.51.100.20/MAC:0.18.52.86.120.154/Port:5000/Beta:V1.2/DHCP:false")
                              << true << "198.51.100.20" << false;
        QTest::newRow("text ends at NUL")
            << QByteArray("IP:1.2.3.4/DHCP:true\0/junk", 26) << true << "1.2.3.4" << true;
        QTest::newRow("last repeated key wins")
            << QByteArray("IP:1.1.1.1/IP:2.2.2.2") << true << "2.2.2.2" << false;
        QTest::newRow("missing keys are empty") << QByteArray("Other:x") << true << "" << false;
        QTest::newRow("trailing slash") << QByteArray("IP:1.2.3.4/") << false << "" << false;
        QTest::newRow("colon in a value")
            << QByteArray("IP:1.2.3.4/MAC:00:11:22:33:44:55") << false << "" << false;
        QTest::newRow("status datagram") << (header + record(1, 0x3A3A)) << false << "" << false;
    }
    void searchReplies()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, ok);
        QFETCH(QString, ip);
        QFETCH(bool, dhcp);
        const std::optional<SearchReply> r = parseSearchReply(datagram);
        QCOMPARE(r.has_value(), ok);
        if (r) {
            QCOMPARE(r->ip(), ip);
            QCOMPARE(r->dhcp(), dhcp);
        }
    }

    // Only a reply that names a device becomes one, once per hardware address
    // (written with or without leading zeros), and no more than the limit.
    void searchResults_data()
    {
        using O = SearchResults::Outcome;
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<int>("outcome");
        const QByteArray ok = "IP:198.51.100.20/MAC:2.18.52.86.120.154/Port:5000/Beta:V1/DHCP:false";
        QTest::newRow("device") << ok << int(O::Added);
        QTest::newRow("pairs naming nothing") << QByteArray("a:b") << int(O::NoDevice);
        QTest::newRow("empty addresses") << QByteArray("IP:/MAC:") << int(O::NoDevice);
        QTest::newRow("no MAC") << QByteArray("IP:198.51.100.21/Port:5000") << int(O::NoDevice);
        QTest::newRow("three-part IP")
            << QByteArray("IP:198.51.100/MAC:2.18.52.86.120.1") << int(O::NoDevice);
        QTest::newRow("IP part 256") << QByteArray("IP:198.51.100.256/MAC:2.18.52.86.120.1")
                                     << int(O::NoDevice);
        QTest::newRow("IP part no number")
            << QByteArray("IP:198.51.100.x/MAC:2.18.52.86.120.1") << int(O::NoDevice);
        QTest::newRow("five-part MAC")
            << QByteArray("IP:198.51.100.21/MAC:2.18.52.86.120") << int(O::NoDevice);
        QTest::newRow("malformed") << QByteArray("IP:1.2.3.4/") << int(O::Malformed);
        QTest::newRow("same MAC, other address")
            << QByteArray("IP:198.51.100.99/MAC:2.18.52.86.120.154") << int(O::Repeated);
        QTest::newRow("same MAC with leading zeros")
            << QByteArray("IP:198.51.100.99/MAC:002.018.052.086.120.154") << int(O::Repeated);
    }
    void searchResults()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(int, outcome);
        SearchResults results;
        SearchReply first;
        QCOMPARE(
            int(results.add("IP:198.51.100.20/MAC:2.18.52.86.120.154/Port:5000/Beta:V1/DHCP:false", &first)),
            int(SearchResults::Outcome::Added));
        QCOMPARE(first.port(), QStringLiteral("5000"));
        results.clear();
        if (QByteArray(QTest::currentDataTag()).startsWith("same MAC"))
            results.add("IP:198.51.100.20/MAC:2.18.52.86.120.154");
        const int before = results.found();
        QCOMPARE(int(results.add(datagram)), outcome);
        QCOMPARE(results.found(), before + (outcome == int(SearchResults::Outcome::Added)));
        QCOMPARE(results.droppedTotal(), outcome == int(SearchResults::Outcome::Added) ? 0 : 1);
    }

    void searchResultsStopAtTheLimit()
    {
        SearchResults results;
        for (int i = 0; i < SearchResults::MaxDevices + 10; ++i)
            results.add(
                QStringLiteral("IP:198.51.100.1/MAC:2.0.0.0.%1.%2").arg(i / 256).arg(i % 256).toUtf8());
        QCOMPARE(results.found(), SearchResults::MaxDevices);
        QCOMPARE(results.dropped(SearchResults::Outcome::Full), 10);
        results.clear();
        QCOMPARE(results.found(), 0);
        QCOMPARE(results.droppedTotal(), 0);
    }
};

QTEST_APPLESS_MAIN(TestStatusDatagram)
#include "tst_statusdatagram.moc"
