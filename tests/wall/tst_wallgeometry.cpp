#include "wallgeometry.h"

#include <QtTest>

#include <cmath>

using namespace w4;

using Lines = QVector<QLine>;
Q_DECLARE_METATYPE(Lines)

class TestWallGeometry : public QObject
{
    Q_OBJECT

private slots:
    void layoutNamesAreTheGridsUpToNine()
    {
        const QStringList names = layoutNames();
        QCOMPARE(names.size(), 23);
        QCOMPARE(names.first(), QStringLiteral("1x1"));
        QCOMPARE(names.at(9), QStringLiteral("2x1"));
        QCOMPARE(names.last(), QStringLiteral("9x1"));
        const auto lines = buildLayoutLines(QSizeF(3840, 2160));
        QCOMPARE(lines.size(), 23);
        for (const QString &n : names) {
            int r = 0, c = 0;
            QVERIFY2(parseLayoutName(n, &r, &c), qPrintable(n));
            QCOMPARE(layoutName(r, c), n);
            QVERIFY2(lines.contains(n), qPrintable(n));
            // A grid of r x c has (r - 1) + (c - 1) dividers.
            QCOMPARE(lines.value(n).size(), r - 1 + c - 1);
        }
    }

    void parseRejects()
    {
        int r = -7, c = -7;
        for (const char *bad : {"", "3x4", "0x1", "1x0", "axb", "10x1", "1x10", "2-2", "2x2 "}) {
            QVERIFY2(!parseLayoutName(QString::fromLatin1(bad), &r, &c), bad);
            QCOMPARE(r, -7);
        }
    }

    void gridLines_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Lines>("lines");
        const QSizeF big(3840, 2160);
        QTest::newRow("3x3") << big << "3x3"
                             << Lines{QLine(1280, 0, 1280, 2160), QLine(2560, 0, 2560, 2160),
                                      QLine(0, 720, 3840, 720), QLine(0, 1440, 3840, 1440)};
        QTest::newRow("2x3: middle first")
            << big << "2x3"
            << Lines{QLine(0, 1080, 3840, 1080), QLine(1280, 0, 1280, 2160), QLine(2560, 0, 2560, 2160)};
        QTest::newRow("4x2: vertical middle first")
            << big << "4x2"
            << Lines{QLine(1920, 0, 1920, 2160), QLine(0, 540, 3840, 540), QLine(0, 1080, 3840, 1080),
                     QLine(0, 1620, 3840, 1620)};
        QTest::newRow("2x2") << big << "2x2" << Lines{QLine(0, 1080, 3840, 1080), QLine(1920, 0, 1920, 2160)};
        QTest::newRow("1x1") << big << "1x1" << Lines{};
        QTest::newRow("1x4 wall") << QSizeF(7680, 1080) << "1x4"
                                  << Lines{QLine(1920, 0, 1920, 1080), QLine(3840, 0, 3840, 1080),
                                           QLine(5760, 0, 5760, 1080)};
        QTest::newRow("3x1 wall") << QSizeF(1920, 3240) << "3x1"
                                  << Lines{QLine(0, 1080, 1920, 1080), QLine(0, 2160, 1920, 2160)};
        // Off-grid walls truncate, they do not round: 3840 / 7 = 548.57...
        QTest::newRow("1x7 truncates")
            << big << "1x7"
            << Lines{QLine(548, 0, 548, 2160),   QLine(1097, 0, 1097, 2160), QLine(1645, 0, 1645, 2160),
                     QLine(2194, 0, 2194, 2160), QLine(2742, 0, 2742, 2160), QLine(3291, 0, 3291, 2160)};
        QTest::newRow("fractional wall") << QSizeF(1001, 3001) << "3x3"
                                         << Lines{QLine(333, 0, 333, 3001), QLine(667, 0, 667, 3001),
                                                  QLine(0, 1000, 1001, 1000), QLine(0, 2000, 1001, 2000)};
    }
    void gridLines()
    {
        QFETCH(QSizeF, wall);
        QFETCH(QString, name);
        QFETCH(Lines, lines);
        QCOMPARE(buildLayoutLines(wall).value(name), lines);
    }

    // Every layout's wall size and its view zoom after a rebuild.
    void wallSizeAndZoom_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<double>("zoom");
        const QSizeF big(3840, 2160);
        const double columnZoom[] = {0.2, 0.2, 0.14, 0.105, 0.085, 0.072, 0.06, 0.053, 0.045};
        const double rowZoom[] = {0.2, 0.24, 0.16, 0.125, 0.105, 0.088, 0.078, 0.065, 0.05};
        for (int n = 1; n <= 9; ++n) {
            QTest::addRow("1x%d", n) << 1 << n << (n == 1 ? big : QSizeF(n * 1920, 1080))
                                     << columnZoom[n - 1];
            if (n > 1)
                QTest::addRow("%dx1", n) << n << 1 << QSizeF(1920, n * 1080) << rowZoom[n - 1];
        }
        QTest::newRow("2x2") << 2 << 2 << big << 0.2;
        QTest::newRow("2x3") << 2 << 3 << big << 0.14;
        QTest::newRow("3x2") << 3 << 2 << big << 0.16;
        QTest::newRow("2x4") << 2 << 4 << big << 0.105;
        QTest::newRow("4x2") << 4 << 2 << big << 0.125;
        QTest::newRow("3x3") << 3 << 3 << big << 0.14;
        QTest::newRow("too many") << 3 << 4 << big << 0.2;
        QTest::newRow("zero") << 0 << 3 << big << 0.2;
    }
    void wallSizeAndZoom()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QSizeF, size);
        QFETCH(double, zoom);
        QCOMPARE(wallSizeFor(rows, columns), size);
        QCOMPARE(viewZoomFor(rows, columns), zoom);
    }

    void deviceValues_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QPointF>("pos");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("truncateFirst");
        QTest::addColumn<QRect>("device");
        QTest::newRow("1x4 at 5760") << QSizeF(7680, 1080) << QPointF(5760, 0) << QSizeF(1920, 1080) << false
                                     << QRect(2880, 0, 960, 1080);
        QTest::newRow("1x4 x 3001") << QSizeF(7680, 1080) << QPointF(3001, 0) << QSizeF(201, 201) << false
                                    << QRect(1500, 0, 100, 201);
        QTest::newRow("3x1 at y 1080") << QSizeF(1920, 3240) << QPointF(0, 1080) << QSizeF(1920, 1080)
                                       << false << QRect(0, 720, 1920, 720);
        QTest::newRow("wall within device") << QSizeF(3840, 2160) << QPointF(10.9, 20.5) << QSizeF(100.7, 50)
                                            << false << QRect(10, 20, 100, 50);
        // trunc(s * trunc(c)) differs from trunc(s * c): 1.6 * 2/3 = 1.07, but 1 * 2/3 = 0.67.
        QTest::newRow("scaled, fraction kept")
            << QSizeF(5760, 1080) << QPointF(1.6, 0) << QSizeF(4.5, 0) << false << QRect(1, 0, 3, 0);
        QTest::newRow("scaled, fraction dropped")
            << QSizeF(5760, 1080) << QPointF(1.6, 0) << QSizeF(4.5, 0) << true << QRect(0, 0, 2, 0);
        QTest::newRow("negative never goes out")
            << QSizeF(3840, 2160) << QPointF(-100, -0.5) << QSizeF(10, 10) << false << QRect(0, 0, 10, 10);
    }
    void deviceValues()
    {
        QFETCH(QSizeF, wall);
        QFETCH(QPointF, pos);
        QFETCH(QSizeF, size);
        QFETCH(bool, truncateFirst);
        QFETCH(QRect, device);
        const DeviceRect d = toDeviceRect(pos, size, deviceScale(wall), truncateFirst);
        QCOMPARE(QRect(d.x, d.y, d.width, d.height), device);
    }

    void deviceValueLimits()
    {
        QCOMPARE(toDevice(1e9, 1.0f), 65535);
        QCOMPARE(toDevice(std::nan(""), 1.0f), 0);
        QCOMPARE(toDevice(std::numeric_limits<double>::infinity(), 0.5f), 65535);
        const DeviceScale s = deviceScale(QSizeF(0, -5));
        QCOMPARE(s.sx, 1.0f);
        QCOMPARE(s.sy, 1.0f);
    }

    void pageScale()
    {
        const QSizeF tall(1920, 3240);
        QCOMPARE(pageDeviceScale(tall, false).sy, float(2160) / float(3240));
        QCOMPARE(pageDeviceScale(tall, true).sy, 1.0f);
        QCOMPARE(pageDeviceScale(QSizeF(7680, 1080), false).sx, 0.5f);
        QCOMPARE(pageDeviceScale(QSizeF(7680, 1080), true).sy, 1.0f);
    }

    void defaultArrangement()
    {
        const QSizeF wall(7680, 1080);
        const QPointF pos[4] = {{0, 0}, {3840, 0}, {0, 540}, {3840, 540}};
        const int inputs[4] = {1, 0, 3, 2};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(defaultWindowPosition(i, wall), pos[i]);
            const WindowRecord r = defaultWindowRecord(i, wall);
            QCOMPARE(r.windowRect, QRectF(0, 0, 3840, 540));
            QCOMPARE(r.inputSourceId, inputs[i]);
            QCOMPARE(r.savedInputSourceId, 1);
            QCOMPARE(r.channelId, i + 1);
            QCOMPARE(r.layer, i + 1);
            QCOMPARE(zValueForLayer(r.layer), double(4 - i));
        }
        // An odd wall keeps the fraction: the item rectangle holds doubles.
        QCOMPARE(defaultWindowRecord(3, QSizeF(1001, 3)).windowRect, QRectF(0, 0, 500.5, 1.5));
        QCOMPARE(defaultWindowPosition(3, QSizeF(1001, 3)), QPointF(500.5, 1.5));
    }
};

QTEST_APPLESS_MAIN(TestWallGeometry)
#include "tst_wallgeometry.moc"
