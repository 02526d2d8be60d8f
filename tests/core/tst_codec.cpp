#include "codec.h"

#include <QtTest>

using namespace w4;

class TestCodec : public QObject
{
    Q_OBJECT

private slots:
    void crcCheckValue()
    {
        QCOMPARE(crc8(QByteArray("123456789")), quint8(0xF4));
        QCOMPARE(crc8(QByteArray()), quint8(0));
    }

    // The table must agree with the bit-by-bit definition for every single byte
    // and for a longer run where the register carries over.
    void crcMatchesBitwiseDefinition()
    {
        auto bitwise = [](const QByteArray &data) {
            quint8 crc = 0;
            for (char c : data) {
                crc ^= static_cast<quint8>(c);
                for (int i = 0; i < 8; ++i)
                    crc = (crc & 0x80) ? quint8((crc << 1) ^ 0x07) : quint8(crc << 1);
            }
            return crc;
        };
        QByteArray all;
        for (int i = 0; i < 256; ++i) {
            const QByteArray one(1, char(i));
            QCOMPARE(crc8(one), bitwise(one));
            all.append(char(i));
        }
        QCOMPARE(crc8(all), bitwise(all));
    }

    void decodeHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("upper") << "08050000" << QByteArray::fromRawData("\x08\x05\x00\x00", 4);
        QTest::newRow("lower") << "e0ff" << QByteArray("\xe0\xff");
        QTest::newRow("odd count: first digit alone") << "abc" << QByteArray("\x0a\xbc");
        QTest::newRow("non-hex skipped") << "0g1 2:3" << QByteArray("\x01\x23");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("only junk") << "xyz" << QByteArray();
    }
    void decodeHex()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(w4::decodeHex(text), bytes);
    }

    void encodeCommand_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        auto hex = [](const char *s) { return QByteArray::fromHex(s); };
        QTest::newRow("global status query") << "08050000" << hex("0805000070");
        QTest::newRow("window 1 query") << "08010001" << hex("08010001DC");
        QTest::newRow("global command") << "04050000" << hex("0405000098");
        QTest::newRow("end of read") << "ffffffff" << hex("FFFFFFFFDE");
        QTest::newRow("geometry") << "e00000000007800438" << hex("E000000000078004 38B6");
        QTest::newRow("literal with own check byte gains 00") << "080B00005C" << hex("080B00005C00");
        QTest::newRow("case irrelevant") << "080b00005c" << hex("080B00005C00");
        QTest::newRow("window parameter") << "010b0400" << hex("010b0400") + char(crc8(hex("010b0400")));
    }
    void encodeCommand()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        QCOMPARE(w4::encodeCommand(text).toHex(' '), wire.toHex(' '));
    }
};

QTEST_APPLESS_MAIN(TestCodec)
#include "tst_codec.moc"
