#include "codec.h"
#include "commandqueue.h"

#include <QtTest>

using namespace w4;

namespace {

QStringList drain(CommandQueue &q)
{
    QStringList texts;
    while (std::optional<QueuedCommand> c = q.takeNext()) {
        // The bytes must always be the encoding of the text that is logged.
        texts << (c->bytes == encodeCommand(c->text) ? c->text : QStringLiteral("bytes differ: ") + c->text);
    }
    return texts;
}

} // namespace

class TestCommandQueue : public QObject
{
    Q_OBJECT

private slots:
    void keepsOrderAndLosesNothingDistinct()
    {
        CommandQueue q;
        QStringList given;
        for (int i = 0; i < 40; ++i) {
            // Forty distinct targets: windows x picture codes, plus actions.
            const QString text = i % 10 == 0 ? QStringLiteral("04050000")
                                             : QStringLiteral("0%1%2%3")
                                                   .arg(i % 4)
                                                   .arg(0x0A + i % 8, 2, 16, QLatin1Char('0'))
                                                   .arg(i, 4, 16, QLatin1Char('0'));
            given << text;
            q.push(text);
        }
        const QStringList sent = drain(q);
        // Whatever was merged, the last value per target survives in order.
        QVERIFY(sent.size() <= given.size());
        QVERIFY(sent.size() > 16);
        QCOMPARE(sent.count("04050000"), 4);
        QCOMPARE(sent.last(), given.last());
    }

    void supersedes_data()
    {
        QTest::addColumn<QStringList>("pushed");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("geometry of the same window: newest in the old place")
            << QStringList{"e00000000007800438", "e10000000000100010", "e00010001007800438"}
            << QStringList{"e00010001007800438", "e10000000000100010"};
        QTest::newRow("picture value of the same window")
            << QStringList{"000b0400", "010b0400", "000b0500"} << QStringList{"000b0500", "010b0400"};
        QTest::newRow("a save in between keeps both values")
            << QStringList{"000b0400", "04170000", "000b0500"}
            << QStringList{"000b0400", "04170000", "000b0500"};
        QTest::newRow("another command to the window keeps both")
            << QStringList{"e00000000007800438", "00030500", "e00010001007800438"}
            << QStringList{"e00000000007800438", "00030500", "e00010001007800438"};
        QTest::newRow("rotation toggles are never merged")
            << QStringList{"00330000", "00330000"} << QStringList{"00330000", "00330000"};
        QTest::newRow("source changes are all kept")
            << QStringList{"002d0000", "002d0001"} << QStringList{"002d0000", "002d0001"};
        QTest::newRow("crop of the same window") << QStringList{"d000000000 0f000870", "d000100010 0f000870"}
                                                 << QStringList{"d000100010 0f000870"};
        QTest::newRow("queries and stored literals are kept")
            << QStringList{"08050000", "08050000", "080B00005C"}
            << QStringList{"08050000", "08050000", "080B00005C"};
    }
    void supersedes()
    {
        QFETCH(QStringList, pushed);
        QFETCH(QStringList, sent);
        CommandQueue q;
        for (const QString &t : pushed)
            q.push(t);
        QCOMPARE(drain(q), sent);
    }

    // A drag reporting faster than the link drains never queues more than one
    // stale geometry per window.
    void longDragDoesNotBuildUp()
    {
        CommandQueue q;
        q.push("04170000");
        for (int x = 0; x < 1000; ++x) {
            q.push(QStringLiteral("e0") + QString::number(x, 16).rightJustified(4, QLatin1Char('0')) +
                   QStringLiteral("000007800438"));
            if (x % 3 == 0)
                q.takeNext();
        }
        QVERIFY(q.size() <= 2);
    }
};

QTEST_APPLESS_MAIN(TestCommandQueue)
#include "tst_commandqueue.moc"
