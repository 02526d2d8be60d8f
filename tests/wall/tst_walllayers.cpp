#include "walllayers.h"

#include <QtTest>

#include <algorithm>

using namespace w4;

Q_DECLARE_METATYPE(Layers)

namespace {

QByteArray str(const Layers &l)
{
    return QByteArray::number(l[0]) + "," + QByteArray::number(l[1]) + "," + QByteArray::number(l[2]) + "," +
           QByteArray::number(l[3]);
}

} // namespace

class TestWallLayers : public QObject
{
    Q_OBJECT

private slots:
    void changeLayer_data()
    {
        QTest::addColumn<Layers>("before");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("op");
        QTest::addColumn<Layers>("after");
        QTest::addColumn<bool>("changed");
        const Layers start{1, 2, 3, 4};
        QTest::newRow("window 3 to top") << start << 2 << 1 << Layers{2, 3, 1, 4} << true;
        QTest::newRow("then window 1 to bottom")
            << Layers{2, 3, 1, 4} << 0 << 4 << Layers{4, 2, 1, 3} << true;
        QTest::newRow("up one") << start << 2 << 2 << Layers{1, 3, 2, 4} << true;
        QTest::newRow("down one") << start << 0 << 3 << Layers{2, 1, 3, 4} << true;
        QTest::newRow("top already on top") << start << 0 << 1 << start << false;
        QTest::newRow("up from the top") << start << 0 << 2 << start << false;
        QTest::newRow("bottom already at bottom") << start << 3 << 4 << start << false;
        QTest::newRow("down from the bottom") << start << 3 << 3 << start << false;
        QTest::newRow("no such window") << start << 4 << 1 << start << false;
        QTest::newRow("negative window") << start << -1 << 4 << start << false;
        QTest::newRow("no such operation") << start << 2 << 5 << start << false;
        // Duplicates from a bad read are renumbered in order (ties by window), then stepped.
        QTest::newRow("duplicate layers") << Layers{1, 1, 3, 4} << 3 << 1 << Layers{2, 3, 4, 1} << true;
        QTest::newRow("repair alone counts") << Layers{2, 2, 2, 2} << 0 << 1 << Layers{1, 2, 3, 4} << true;
        QTest::newRow("out of range layers") << Layers{0, 9, 5, -3} << 1 << 2 << Layers{2, 3, 4, 1} << true;
    }
    void changeLayer()
    {
        QFETCH(Layers, before);
        QFETCH(int, window);
        QFETCH(int, op);
        QFETCH(Layers, after);
        QFETCH(bool, changed);
        Layers l = before;
        QCOMPARE(w4::changeLayer(l, window, op), changed);
        QCOMPARE(str(l), str(after));
    }

    // Every operation on every stacking keeps a permutation, puts the window where
    // the operation says and leaves the others in their relative order.
    void everyStackingStaysAPermutation()
    {
        Layers perm{1, 2, 3, 4};
        do {
            for (int w = 0; w < 4; ++w) {
                for (int op = 1; op <= 4; ++op) {
                    Layers l = perm;
                    const bool changed = w4::changeLayer(l, w, op);
                    const QByteArray where =
                        str(perm) + " window " + QByteArray::number(w) + " op " + QByteArray::number(op);
                    QVERIFY2(isLayerPermutation(l), where);
                    const int from = perm[w];
                    const int want = op == 1   ? 1
                                     : op == 4 ? 4
                                     : op == 2 ? qMax(1, from - 1)
                                               : qMin(4, from + 1);
                    QVERIFY2(l[w] == want, where);
                    QVERIFY2(changed == (want != from), where);
                    for (int a = 0; a < 4; ++a)
                        for (int b = 0; b < 4; ++b)
                            if (a != w && b != w && perm[a] < perm[b])
                                QVERIFY2(l[a] < l[b], where);
                }
            }
        } while (std::next_permutation(perm.begin(), perm.end()));
    }

    void moveToLayer()
    {
        Layers l{1, 2, 3, 4};
        QVERIFY(w4::moveToLayer(l, 0, 3));
        QCOMPARE(str(l), QByteArray("3,1,2,4"));
        QVERIFY(w4::moveToLayer(l, 3, 1));
        QCOMPARE(str(l), QByteArray("4,2,3,1"));
        QVERIFY(!w4::moveToLayer(l, 3, 1));
        QVERIFY(!w4::moveToLayer(l, 3, 5));
        QVERIFY(!w4::moveToLayer(l, 7, 1));
        QCOMPARE(str(l), QByteArray("4,2,3,1"));
    }

    void layerOrderDigits_data()
    {
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<QVector<int>>("digits");
        QTest::newRow("windows 1..4 on levels 1..4") << Layers{1, 2, 3, 4} << QVector<int>{0, 2, 4, 6};
        QTest::newRow("reversed") << Layers{4, 3, 2, 1} << QVector<int>{6, 4, 2, 0};
        QTest::newRow("window 3 on top") << Layers{2, 3, 1, 4} << QVector<int>{4, 0, 2, 6};
        QTest::newRow("duplicates still give four") << Layers{2, 2, 1, 1} << QVector<int>{4, 6, 0, 2};
    }
    void layerOrderDigits()
    {
        QFETCH(Layers, layers);
        QFETCH(QVector<int>, digits);
        const auto d = w4::layerOrderDigits(layers);
        QCOMPARE(QVector<int>(d.begin(), d.end()), digits);
    }

    void pickWindow_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("window");
        QTest::newRow("overlap: smaller layer wins") << QPointF(150, 150) << 2;
        QTest::newRow("only the lower one") << QPointF(50, 50) << 0;
        QTest::newRow("edge counts") << QPointF(300, 300) << 2;
        QTest::newRow("closed window ignored") << QPointF(1000, 1000) << -1;
        QTest::newRow("empty wall") << QPointF(3000, 100) << -1;
    }
    void pickWindow()
    {
        QFETCH(QPointF, point);
        QFETCH(int, window);
        std::array<WindowHitBox, 4> w;
        w[0] = {true, QPointF(0, 0), QRectF(0, 0, 200, 200), 3};
        w[1] = {true, QPointF(2000, 2000), QRectF(0, 0, 100, 100), 4};
        w[2] = {true, QPointF(100, 100), QRectF(0, 0, 200, 200), 2};
        w[3] = {false, QPointF(900, 900), QRectF(0, 0, 200, 200), 1};
        QCOMPARE(w4::pickWindow(w, point), window);
    }
};

QTEST_APPLESS_MAIN(TestWallLayers)
#include "tst_walllayers.moc"
