// Time to paint the wall: a 3 x 3 grid, four windows, one selected, at the
// view's start-up zoom. Run: build/tests/wallui/bench_wallpaint
#include "appstate.h"
#include "inputchannel.h"
#include "resolutionratioscene.h"
#include "userview.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class BenchWallPaint : public QObject
{
    Q_OBJECT

private slots:
    void paintWall()
    {
        UserView view;
        view.resize(800, 460);
        ResolutionRatioScene *scene = view.currentScene();
        scene->setWallLayout(QStringLiteral("3x3"));
        view.window(1)->setSelected(true);
        QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        QBENCHMARK
        {
            QPainter p(&image);
            view.render(&p, QRectF(), view.viewport()->rect());
        }
    }
};

QTEST_MAIN(BenchWallPaint)
#include "bench_wallpaint.moc"
