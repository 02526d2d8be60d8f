#include "frames.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace w4;

namespace {

QByteArray bytesOf(const QVector<quint16> &words)
{
    QByteArray b;
    for (quint16 w : words) {
        b.append(char(w >> 8));
        b.append(char(w & 0xFF));
    }
    return b;
}

QVector<quint16> frameWords(int count)
{
    QVector<quint16> w(count, 0);
    w.first() = FrameHead;
    w.last() = FrameTail;
    return w;
}

QByteArray globalFrame(quint16 rows = 2, quint16 columns = 3, quint16 stacking = 0x0246)
{
    QVector<quint16> w = frameWords(GlobalFrameWords);
    w[1] = 7;
    w[5] = 1;
    w[6] = 1;
    w[7] = rows;
    w[8] = columns;
    w[9] = stacking;
    return bytesOf(w);
}

QByteArray windowFrame(quint16 window, quint16 x = 0)
{
    QVector<quint16> w = frameWords(WindowFrameWords);
    w[1] = window;
    w[2] = x;
    w[13] = 1024;
    w[17] = 180;
    w[14] = w[15] = 10;
    return bytesOf(w);
}

} // namespace

class TestFrames : public QObject
{
    Q_OBJECT

private slots:
    void wordsDropOddTrailingByte()
    {
        QCOMPARE(assembleWords(QByteArray::fromHex("AAAA1234BB")), (QVector<quint16>{0xAAAA, 0x1234}));
    }

    void blocksThatAreNoFrame_data()
    {
        QTest::addColumn<QByteArray>("block");
        QVector<quint16> twelve = frameWords(12);
        QVector<quint16> badTail = frameWords(GlobalFrameWords);
        badTail.last() = 0xBBBA;
        QVector<quint16> badHead = frameWords(WindowFrameWords);
        badHead.first() = 0xAAAB;
        QTest::newRow("12 words") << bytesOf(twelve);
        QTest::newRow("11 words, wrong tail") << bytesOf(badTail);
        QTest::newRow("53 words, wrong head") << bytesOf(badHead);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("global frame plus one byte") << globalFrame() + QByteArray(2, 'x');
    }
    void blocksThatAreNoFrame()
    {
        QFETCH(QByteArray, block);
        QVERIFY(std::holds_alternative<std::monostate>(decodeTcpFrame(block)));
    }

    void globalFrameFields()
    {
        const TcpFrame f = decodeTcpFrame(globalFrame(2, 0x1203, 0x0246));
        QVERIFY(std::holds_alternative<GlobalFrame>(f));
        const GlobalFrame g = std::get<GlobalFrame>(f);
        QCOMPARE(g.word1, quint16(7));
        QCOMPARE(g.audioMode, std::optional<AudioOutMode>(AudioOutMode::AllPorts));
        QVERIFY(g.videoGen);
        QCOMPARE(g.rows, 2);
        QCOMPARE(g.columns, 3); // high byte of the column word is ignored
        QCOMPARE(g.layers, (std::array<int, 4>{1, 2, 3, 4}));
    }

    void stackingWord_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<QVector<int>>("layers");
        QTest::newRow("0246: windows 1..4 on levels 1..4") << 0x0246 << QVector<int>{1, 2, 3, 4};
        QTest::newRow("6420: reversed") << 0x6420 << QVector<int>{4, 3, 2, 1};
        QTest::newRow("high bit of a nibble ignored") << 0x8ACE << QVector<int>{1, 2, 3, 4};
        QTest::newRow("odd nibbles name nobody") << 0x0135 << QVector<int>{1, 0, 0, 0};
    }
    void stackingWord()
    {
        QFETCH(int, word);
        QFETCH(QVector<int>, layers);
        const std::array<int, 4> got = layersFromStackingWord(quint16(word));
        QCOMPARE(QVector<int>(got.begin(), got.end()), layers);
    }

    void windowFrameFields()
    {
        QVector<quint16> w = frameWords(WindowFrameWords);
        w[1] = 3;
        w[2] = 1920;
        w[3] = 540;
        w[4] = 960;
        w[5] = 1080;
        w[7] = 10;
        w[8] = 20;
        w[9] = 0;
        w[10] = 2000;
        w[12] = 150;
        w[13] = 0;   // luminance -1024
        w[14] = 20;  // horizontal sharpness +10
        w[15] = 0;   // vertical sharpness -10
        w[17] = 360; // hue +180
        w[21] = 1;
        w[22] = 1;
        w[40] = 10;
        w[41] = 20;
        w[42] = 30;
        w[43] = 1;
        w[44] = 2; // only 1 means shown
        w[45] = 1;
        w[46] = 2;
        w[50] = 0;
        w[51] = 45;
        const TcpFrame f = decodeTcpFrame(bytesOf(w));
        QVERIFY(std::holds_alternative<WindowStatus>(f));
        const WindowStatus s = std::get<WindowStatus>(f);
        QCOMPARE(s.window, 3);
        QCOMPARE(QRect(s.x, s.y, s.width, s.height), QRect(1920, 540, 960, 1080));
        QVERIFY(s.hasCrop);
        QCOMPARE(QVector<int>({s.cropHStart, s.cropVStart, s.cropHEnd, s.cropVEnd}),
                 QVector<int>({10, 20, 0, 2000}));
        QCOMPARE(s.contrastRatio, 150);
        QCOMPARE(s.luminance, -1024);
        QCOMPARE(s.horizontalSharpness, 10);
        QCOMPARE(s.verticalSharpness, -10);
        QCOMPARE(s.hue, 180);
        QCOMPARE(QVector<int>({s.colorR, s.colorG, s.colorB}), QVector<int>({10, 20, 30}));
        QVERIFY(s.isColorSolid);
        QVERIFY(!s.isShown);
        QVERIFY(s.isFrozen);
        QCOMPARE(s.inputSource, 2);
        QCOMPARE(s.rotation, std::optional<int>(180)); // code 0 with both mirrors
        QCOMPARE(s.resolutionCode, 45);
    }

    void rotationCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mirrors"); // both mirror words
        QTest::addColumn<int>("degrees"); // -1: unchanged
        QTest::newRow("0") << 0 << 0 << 0;
        QTest::newRow("0 with both mirrors") << 0 << 1 << 180;
        QTest::newRow("1") << 1 << 0 << 90;
        QTest::newRow("2") << 2 << 1 << 270;
        QTest::newRow("3 changes nothing") << 3 << 0 << -1;
    }
    void rotationCodes()
    {
        QFETCH(int, code);
        QFETCH(int, mirrors);
        QFETCH(int, degrees);
        QVector<quint16> w = frameWords(WindowFrameWords);
        w[50] = quint16(code);
        w[21] = w[22] = quint16(mirrors);
        const WindowStatus s = std::get<WindowStatus>(decodeTcpFrame(bytesOf(w)));
        QCOMPARE(s.rotation.value_or(-1), degrees);
    }

    void resolutionTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QSize>("size");
        QTest::newRow("0") << 0 << QSize(720, 240);
        QTest::newRow("3") << 3 << QSize(1440, 288);
        QTest::newRow("5") << 5 << QSize(640, 480);
        QTest::newRow("17") << 17 << QSize(2048, 1080);
        QTest::newRow("22") << 22 << QSize(1920, 1080);
        QTest::newRow("29") << 29 << QSize(3840, 2160);
        QTest::newRow("35") << 35 << QSize(4096, 2400);
        QTest::newRow("38") << 38 << QSize(1280, 720);
        QTest::newRow("39 no signal") << 39 << QSize(3840, 2160);
        QTest::newRow("negative") << -1 << QSize(3840, 2160);
    }
    void resolutionTable()
    {
        QFETCH(int, code);
        QFETCH(QSize, size);
        QCOMPARE(resolutionForCode(code), size);
    }

    // The same stream must give the same frames however the reads split it.
    void assemblerIgnoresHowReadsSplitTheStream()
    {
        const QByteArray stream =
            globalFrame() + windowFrame(2, 111) + windowFrame(1, 222) + globalFrame(3, 3);
        const QVector<QByteArray> expected{globalFrame(), windowFrame(2, 111), windowFrame(1, 222),
                                           globalFrame(3, 3)};

        TcpFrameAssembler whole;
        QCOMPARE(whole.feed(stream), expected);
        QCOMPARE(whole.pending(), 0);

        TcpFrameAssembler bytewise;
        QVector<QByteArray> got;
        for (char c : stream)
            got += bytewise.feed(QByteArray(1, c));
        QCOMPARE(got, expected);

        QRandomGenerator rng(20261210);
        for (int round = 0; round < 50; ++round) {
            TcpFrameAssembler random;
            got.clear();
            for (int at = 0; at < stream.size();) {
                const int n = 1 + int(rng.bounded(40));
                got += random.feed(stream.mid(at, n));
                at += n;
            }
            QCOMPARE(got, expected);
        }
    }

    // Streams where a frame hides inside another, or where a read may end
    // between a head and what it turns out to start: every cut gives what the
    // whole stream gives.
    void assemblerDecidesFromTheBytesAlone_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("frames");
        // A window frame whose words 29..39 form a whole global frame.
        QTest::newRow("found by fuzzing")
            << QByteArray::fromHex(
                   "aaaa0007ff0000008a0000010001000202bb00bb000000000000000000010001000200030246bbbb"
                   "000200030246bbbbaa56ffff000003102005aaaa000700000000000000010001000200030246bbbb"
                   "000200030246bbbbaa56ffff00030246bbbb000200030246bbbb")
            << 1;
        QVector<quint16> w = frameWords(WindowFrameWords);
        w[1] = 2;
        const QByteArray inner = globalFrame();
        for (int i = 0; i < GlobalFrameWords; ++i)
            w[20 + i] = quint16(quint8(inner[2 * i]) << 8 | quint8(inner[2 * i + 1]));
        QTest::newRow("global frame inside window 2") << bytesOf(w) + globalFrame(1, 1) << 2;
        QTest::newRow("fragment, then frames")
            << windowFrame(1).left(50) + globalFrame() + windowFrame(4) << 2;
        QTest::newRow("heads everywhere") << QByteArray(300, '\xAA') + windowFrame(1) +
                                                 QByteArray(3, '\xAA') + globalFrame() + windowFrame(2)
                                          << 3;
    }
    void assemblerDecidesFromTheBytesAlone()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, frames);
        TcpFrameAssembler whole;
        const QVector<QByteArray> expected = whole.feed(stream);
        QCOMPARE(expected.size(), frames);

        TcpFrameAssembler bytewise;
        QVector<QByteArray> got;
        for (char c : stream)
            got += bytewise.feed(QByteArray(1, c));
        QCOMPARE(got, expected);
        for (int cut = 1; cut < stream.size(); ++cut) {
            TcpFrameAssembler twoReads;
            got = twoReads.feed(stream.left(cut));
            got += twoReads.feed(stream.mid(cut));
            QVERIFY2(got == expected, qPrintable(QStringLiteral("cut after %1 bytes").arg(cut)));
        }
    }

    // A peer sending nothing but heads: what is kept stays under a window
    // frame's length whatever the read size, and every byte is counted as noise.
    void assemblerKeepsLittleOfAFlood()
    {
        TcpFrameAssembler a;
        const QByteArray flood(1 << 20, '\xAA');
        QVERIFY(a.feed(flood).isEmpty());
        QVERIFY(a.pending() < 2 * WindowFrameWords);
        QCOMPARE(a.noiseSinceFrame() + a.pending(), qint64(flood.size()));
        for (int i = 0; i < 1000; ++i)
            QVERIFY(a.feed(QByteArray(7, '\xAA')).isEmpty());
        QVERIFY(a.pending() < 2 * WindowFrameWords);
        // A frame after it ends the noise.
        QCOMPARE(a.feed(windowFrame(1) + globalFrame()).size(), 2);
        QCOMPARE(a.noiseSinceFrame(), 0);
    }

    void assemblerResynchronises_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("frames");
        QVector<quint16> twelve = frameWords(12);
        QTest::newRow("noise before a frame") << QByteArray("\x01\xAA\x02", 3) + globalFrame() << 1;
        // Whether the block was a window frame is known only a window frame's
        // length after its head: the frame behind it comes out with the next one.
        QTest::newRow("12-word block then frames") << bytesOf(twelve) + globalFrame() + windowFrame(3) << 2;
        QTest::newRow("truncated window frame then frames")
            << windowFrame(1).left(60) + globalFrame() + windowFrame(2) << 2;
        QTest::newRow("long garbage then a frame") << QByteArray(500, '\xAA') + windowFrame(4) << 1;
    }
    void assemblerResynchronises()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, frames);
        TcpFrameAssembler a;
        const QVector<QByteArray> got = a.feed(stream);
        QCOMPARE(got.size(), frames);
        for (const QByteArray &f : got)
            QVERIFY(!std::holds_alternative<std::monostate>(decodeTcpFrame(f)));
        QVERIFY(a.pending() < 2 * WindowFrameWords);
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "tst_frames.moc"
