#include "addresses.h"
#include "codec.h"
#include "commands.h"

#include <QtTest>

using namespace w4;

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        QTest::newRow("window parameter") << windowParameterCommand(1, 0x0B, 1024) << "010b0400";
        QTest::newRow("luminance -1024 shifted")
            << windowParameterCommand(0, 0x0B, -1024 + 1024) << "000b0000";
        QTest::newRow("sharpness 10 shifted") << windowParameterCommand(3, 0x0C, 10 + 10) << "030c0014";
        QTest::newRow("negative value clamps") << windowParameterCommand(0, 0x01, -5) << "00010000";
        QTest::newRow("geometry") << geometryCommand(0, 0, 0, 1920, 1080) << "e00000000007800438";
        QTest::newRow("geometry window 4")
            << geometryCommand(3, 1500, 0, 65535, 70000) << "e305dc0000ffffffff";
        QTest::newRow("crop") << cropCommand(1, 0, 0, 3840, 2160) << "d1 0000 0000 0f00 0870";
        QTest::newRow("layers 1..4 on windows 1..4") << layerOrderCommand({1, 2, 3, 4}) << "04100246";
        QTest::newRow("layers reversed") << layerOrderCommand({4, 3, 2, 1}) << "04106420";
        QTest::newRow("layers mixed") << layerOrderCommand({2, 4, 1, 3}) << "04104062";
        QTest::newRow("set IP") << setIpCommand({192, 168, 1, 100}) << "ffc0a80164";
        QTest::newRow("set MAC") << setMacCommand({0, 18, 52, 86, 120, 154}) << "f70012345678 9a";
    }
    void texts()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected.remove(QLatin1Char(' ')));
    }

    void addressDatagramsOnTheWire()
    {
        QCOMPARE(encodeCommand(setIpCommand({192, 168, 1, 20})).toHex(' '), QByteArray("ff c0 a8 01 14 f3"));
        QCOMPARE(encodeCommand(setMacCommand({0, 18, 52, 86, 120, 154})).toHex(' '),
                 QByteArray("f7 00 12 34 56 78 9a 35"));
    }

    void spliceMap()
    {
        const QMap<QString, QString> map = spliceCommandMap();
        QCOMPARE(map.size(), 23);
        const QList<QPair<QString, QString>> samples{
            {"1x1", "06010000"}, {"1x9", "06010008"}, {"2x1", "06010009"}, {"2x2", "0601000A"},
            {"2x4", "0601000C"}, {"3x3", "0601000F"}, {"4x1", "06010010"}, {"9x1", "06010016"}};
        for (const auto &s : samples)
            QCOMPARE(map.value(s.first), s.second);
        QVERIFY(!map.contains("2x5"));
    }

    void rotationByKey()
    {
        // R four times comes back to 0 with the device told every step.
        QStringList sent;
        int rotation = 0;
        QVector<int> angles;
        for (int i = 0; i < 4; ++i) {
            const std::optional<RotationStep> step = rotationKeyStep(2, rotation);
            QVERIFY(step);
            sent += step->commands;
            rotation = step->rotation;
            angles << rotation;
        }
        QCOMPARE(angles, (QVector<int>{90, 180, 270, 0}));
        QCOMPARE(sent, (QStringList{"02320001", "02330000", "02330000", "02340001", "02340000"}));
        QVERIFY(!rotationKeyStep(2, 45));
    }

    void rotationMenu_data()
    {
        QTest::addColumn<int>("degrees");
        QTest::addColumn<bool>("was180");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("0") << 0 << false << QStringList{"00320000"};
        QTest::newRow("0 from 180") << 0 << true << QStringList{"00330000", "00320000"};
        QTest::newRow("90 from 180") << 90 << true << QStringList{"00330000", "00320001"};
        QTest::newRow("180") << 180 << false << QStringList{"00330000"};
        QTest::newRow("180 again sends nothing") << 180 << true << QStringList{};
        QTest::newRow("270") << 270 << false << QStringList{"00340001"};
        QTest::newRow("other angle") << 45 << false << QStringList{};
    }
    void rotationMenu()
    {
        QFETCH(int, degrees);
        QFETCH(bool, was180);
        QFETCH(QStringList, commands);
        QCOMPARE(rotationMenuCommands(0, degrees, was180), commands);
    }

    void dottedAddresses()
    {
        QCOMPARE(ipParts("192.168.1.20"), (std::optional<std::array<int, 4>>{{192, 168, 1, 20}}));
        QCOMPARE(ipParts("192.168.x.20"), (std::optional<std::array<int, 4>>{{192, 168, 0, 20}}));
        QVERIFY(!ipParts("192.168.1"));
        QVERIFY(!macParts("0.18.52.86.120"));
        QCOMPARE(macParts("0.18.52.86.120.256")->at(5), 256); // range is the caller's to check
        QCOMPARE(subnetBroadcast("198.51.100.10"), QString("198.51.100.255"));
        QCOMPARE(subnetBroadcast(""), QString());
    }
};

QTEST_APPLESS_MAIN(TestCommands)
#include "tst_commands.moc"
