#include "windowrecord.h"

#include <QtTest>

using namespace w4;

using Field = int WindowRecord::*;
Q_DECLARE_METATYPE(Field)

class TestWindowRecord : public QObject
{
    Q_OBJECT

private slots:
    // Each index must reach its own field and carry that field's code and range:
    // one handler serves all 22 slider pairs, so a shifted row would send the
    // wrong parameter.
    void pictureIndex_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Field>("field");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        struct Row
        {
            Field f;
            int code, min, max;
        };
        const Row rows[] = {
            {&WindowRecord::luminance, 0x0B, -1024, 1024},
            {&WindowRecord::contrastRatio, 0x0A, 0, 399},
            {&WindowRecord::saturability, 0x0E, 0, 399},
            {&WindowRecord::colorTemperature, 0x10, 0, 1},
            {&WindowRecord::hue, 0x0F, -180, 180},
            {&WindowRecord::horizontalSharpness, 0x0C, -10, 10},
            {&WindowRecord::verticalSharpness, 0x0D, -10, 10},
            {&WindowRecord::blueCorrection, 0x23, 0, 4},
            {&WindowRecord::greenCorrection, 0x24, 0, 4},
            {&WindowRecord::skinCorrection, 0x25, 0, 4},
            {&WindowRecord::horizontalFiltration, 0x15, 0, 3},
            {&WindowRecord::verticalFiltration, 0x16, 0, 3},
            {&WindowRecord::shadowFiltration, 0x17, 0, 3},
            {&WindowRecord::blockFiltration, 0x18, 0, 3},
            {&WindowRecord::noiseProcessing, 0x19, 0, 3},
            {&WindowRecord::hairTreatment, 0x1A, 0, 3},
            {&WindowRecord::sensitivity, 0x20, 0, 4},
            {&WindowRecord::diagonalCorrection, 0x21, 0, 3},
            {&WindowRecord::timer2p2, 0x1D, 0, 15},
            {&WindowRecord::timer2p3, 0x1F, 0, 15},
            {&WindowRecord::deGammaMode, 0x11, 0, 3},
            {&WindowRecord::panelGammaMode, 0x12, 0, 3},
        };
        QCOMPARE(int(sizeof rows / sizeof rows[0]), PictureValueCount);
        for (int i = 0; i < PictureValueCount; ++i)
            QTest::addRow("%d %s", i, pictureValueInfo(i).name)
                << i << rows[i].f << rows[i].code << rows[i].min << rows[i].max;
    }
    void pictureIndex()
    {
        QFETCH(int, index);
        QFETCH(Field, field);
        QFETCH(int, code);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        const PictureValueInfo info = pictureValueInfo(index);
        QCOMPARE(info.code, code);
        QCOMPARE(info.minimum, minimum);
        QCOMPARE(info.maximum, maximum);

        const WindowRecord before;
        WindowRecord r;
        QVERIFY(setPictureValue(r, index, 3));
        QCOMPARE(r.*field, 3);
        QCOMPARE(pictureValue(r, index), 3);
        // Exactly one field moved.
        r.*field = before.*field;
        for (int i = 0; i < PictureValueCount; ++i)
            QCOMPARE(pictureValue(r, i), pictureValue(before, i));
    }

    void invalidPictureIndex()
    {
        for (int index : {-1, 22, 1000}) {
            WindowRecord r;
            QVERIFY(!isPictureIndex(index));
            QVERIFY(!setPictureValue(r, index, 5));
            QCOMPARE(pictureValue(r, index), 0);
            QCOMPARE(pictureValueInfo(index).code, -1);
            QCOMPARE(pictureValueToDevice(index, 5), -1);
        }
    }

    void deviceShift_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("sent");
        QTest::newRow("luminance min") << 0 << -1024 << 0x0000;
        QTest::newRow("luminance max") << 0 << 1024 << 0x0800;
        QTest::newRow("luminance 0") << 0 << 0 << 1024;
        QTest::newRow("hue min") << 4 << -180 << 0x0000;
        QTest::newRow("hue max") << 4 << 180 << 360;
        QTest::newRow("h sharpness 10") << 5 << 10 << 0x0014;
        QTest::newRow("v sharpness -10") << 6 << -10 << 0;
        QTest::newRow("contrast unshifted") << 1 << 100 << 100;
        QTest::newRow("timer unshifted") << 19 << 15 << 15;
        // Out of range never yields a negative or oversized value.
        QTest::newRow("luminance below") << 0 << -5000 << 0;
        QTest::newRow("luminance above") << 0 << 99999 << 2048;
        QTest::newRow("contrast negative") << 1 << -3 << 0;
    }
    void deviceShift()
    {
        QFETCH(int, index);
        QFETCH(int, value);
        QFETCH(int, sent);
        QCOMPARE(pictureValueToDevice(index, value), sent);
        const PictureValueInfo info = pictureValueInfo(index);
        QCOMPARE(pictureValueFromDevice(index, sent), qBound(info.minimum, value, info.maximum));
    }

    void deviceValueOutOfRangeIsClamped()
    {
        QCOMPARE(pictureValueFromDevice(0, 65535), 1024);
        QCOMPARE(pictureValueFromDevice(4, 0x7fffffff), 180); // no overflow on the shift
        QCOMPARE(pictureValueFromDevice(1, -1), 0);
    }

    void rotationCycle()
    {
        WindowRecord r;
        QVector<int> seen;
        for (int i = 0; i < 4; ++i) {
            QVERIFY(setRotation(r, nextRotation(r.rotation)));
            seen << r.rotation;
            QCOMPARE(int(r.rotation0) + int(r.rotation90) + int(r.rotation180) + int(r.rotation270), 1);
        }
        QCOMPARE(seen, (QVector<int>{90, 180, 270, 0}));
        QVERIFY(r.rotation0);

        QCOMPARE(nextRotation(45), 45);
        r.rotation90 = true; // left over from elsewhere
        QVERIFY(!setRotation(r, 45));
        QCOMPARE(r.rotation, 0);
        QVERIFY(setRotation(r, 180));
        QVERIFY(r.rotation180 && !r.rotation0 && !r.rotation90 && !r.rotation270);
    }

    void inputResolution_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("no source") << 4 << QSize(3840, 2160);
        QTest::newRow("input 3") << 2 << QSize(1920, 1080);
        QTest::newRow("input 1") << 0 << QSize(1280, 720);
        QTest::newRow("reported 0 x 0") << 3 << QSize(3840, 2160);
        QTest::newRow("negative id") << -1 << QSize(3840, 2160);
    }
    void inputResolution()
    {
        QFETCH(int, source);
        QFETCH(QSize, expected);
        const QVector<QSize> sizes{QSize(1280, 720), QSize(3840, 2160), QSize(1920, 1080), QSize(0, 0)};
        QCOMPARE(w4::inputResolution(source, sizes), expected);
        QCOMPARE(w4::inputResolution(2, {}), QSize(3840, 2160));
    }
};

QTEST_APPLESS_MAIN(TestWindowRecord)
#include "tst_windowrecord.moc"
