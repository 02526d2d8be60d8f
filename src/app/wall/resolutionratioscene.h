#pragma once

#include "walllayers.h"

#include <QGraphicsScene>
#include <QLine>
#include <QMap>
#include <QVector>

class InputChannel;

// The wall in wall pixels (one monitor is 1920 x 1080): its outline, the grid of
// the chosen layout drawn over the windows, and the four window items.
class ResolutionRatioScene : public QGraphicsScene
{
    Q_OBJECT

public:
    ResolutionRatioScene(qreal x, qreal y, qreal width, qreal height, QObject *parent = nullptr);

    // Window n of the wall is entry n - 1; never changes after construction.
    const QList<InputChannel *> &windowItems() const { return m_windowItems; }
    // Entry `index` (0..3), or nullptr.
    InputChannel *window(int index) const;

    void createWindows();
    void buildLayouts();
    // Grid to draw; a name without lines draws the outline only.
    void setWallLayout(const QString &name);
    // Back to the four quarters with default records (adaptive filling kept).
    void resetWindows();
    // Resizes the wall (scene rectangle and wallRect); callers then rebuild.
    void setWallSize(const QSizeF &size);
    QSizeF wallSize() const { return wallRect.size(); }

    // Layer operation 1 to top, 2 up one, 3 down one, 4 to bottom. Sends nothing;
    // returns whether the order changed.
    bool changeLayer(int window, int operation);
    w4::Layers layers() const;
    void setLayers(const w4::Layers &layers);

    QString currentLayoutName;
    QVector<QLine> currentLayoutLines;
    // Set by the context menu right before it changes a layer.
    bool layerChangeFromMenu = false;
    QRectF wallRect;
    QMap<QString, QVector<QLine>> layoutLines;

signals:
    void changeRightMenuInfo();
    void changeGradationLevel();

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    QList<InputChannel *> m_windowItems;
};
