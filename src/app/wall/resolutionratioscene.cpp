#include "resolutionratioscene.h"

#include "inputchannel.h"
#include "wallgeometry.h"

#include <QPainter>

namespace {

QPen gridPen()
{
    return QPen(Qt::black, 20, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

} // namespace

ResolutionRatioScene::ResolutionRatioScene(qreal x, qreal y, qreal width, qreal height, QObject *parent)
    : QGraphicsScene(parent), wallRect(x, y, width, height)
{
    createWindows();
    buildLayouts();
}

InputChannel *ResolutionRatioScene::window(int index) const
{
    return index >= 0 && index < m_windowItems.size() ? m_windowItems.at(index) : nullptr;
}

void ResolutionRatioScene::createWindows()
{
    setSceneRect(wallRect);
    const QSizeF wall = wallRect.size();
    for (int i = 0; i < 4; ++i) {
        auto *item = new InputChannel(i + 1);
        m_windowItems << item;
        addItem(item);
        item->setWindowSize(wall / 2);
    }
    for (int i = 0; i < 4; ++i) {
        InputChannel *item = m_windowItems.at(i);
        item->inputSourceId = item->savedInputSourceId = w4::defaultWindowRecord(i, wall).inputSourceId;
        item->setPos(w4::defaultWindowPosition(i, wall));
    }
}

void ResolutionRatioScene::buildLayouts()
{
    layoutLines = w4::buildLayoutLines(sceneRect().size());
    currentLayoutName = QStringLiteral("1x1");
    currentLayoutLines = layoutLines.value(currentLayoutName);
}

void ResolutionRatioScene::setWallLayout(const QString &name)
{
    currentLayoutName = name;
    currentLayoutLines = layoutLines.value(name);
    update();
}

void ResolutionRatioScene::setWallSize(const QSizeF &size)
{
    wallRect = QRectF(QPointF(0, 0), size);
    setSceneRect(wallRect);
}

void ResolutionRatioScene::resetWindows()
{
    const QSizeF wall = wallRect.size();
    for (int i = 0; i < m_windowItems.size(); ++i) {
        InputChannel *item = m_windowItems.at(i);
        item->showItem();
        w4::WindowRecord fresh = w4::defaultWindowRecord(i, wall);
        fresh.windowRect = item->windowRect;
        item->record() = fresh;
        item->savedInputSourceId = fresh.inputSourceId;
        item->setLayer(i + 1);
        item->setWindowSize(wall / 2);
        item->setPos(w4::defaultWindowPosition(i, wall));
    }
}

w4::Layers ResolutionRatioScene::layers() const
{
    w4::Layers l{1, 2, 3, 4};
    for (int i = 0; i < 4 && i < m_windowItems.size(); ++i)
        l[size_t(i)] = m_windowItems.at(i)->layer;
    return l;
}

void ResolutionRatioScene::setLayers(const w4::Layers &l)
{
    for (int i = 0; i < 4 && i < m_windowItems.size(); ++i)
        m_windowItems.at(i)->setLayer(l[size_t(i)]);
}

bool ResolutionRatioScene::changeLayer(int window, int operation)
{
    w4::Layers l = layers();
    if (!w4::changeLayer(l, window, operation))
        return false;
    setLayers(l);
    if (layerChangeFromMenu) {
        emit changeRightMenuInfo();
        layerChangeFromMenu = false;
    }
    emit changeGradationLevel();
    return true;
}

void ResolutionRatioScene::drawBackground(QPainter *painter, const QRectF &rect)
{
    QGraphicsScene::drawBackground(painter, rect);
    painter->setPen(gridPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(wallRect);
}

void ResolutionRatioScene::drawForeground(QPainter *painter, const QRectF &)
{
    painter->setPen(gridPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawLines(currentLayoutLines);
    painter->drawRect(wallRect);
}
