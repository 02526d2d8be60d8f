#include "mainwindow_pageswall.h"

#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "resolutionratioscene.h"
#include "sliceupview.h"
#include "userview.h"

#include <QAction>

PagesWall::PagesWall(MainWindow *owner, UserView *view, SliceUpView *cropView)
    : QObject(owner), owner(owner), view(view), cropView(cropView)
{
}

InputChannel *PagesWall::item(int window) const
{
    return view->window(window);
}

ResolutionRatioScene *PagesWall::scene() const
{
    return view->currentScene();
}

w4::WindowRecord *PagesWall::record(int window)
{
    InputChannel *i = item(window);
    return i ? &i->record() : nullptr;
}

QPointF PagesWall::position(int window) const
{
    const InputChannel *i = item(window);
    return i ? i->pos() : QPointF();
}

void PagesWall::setPosition(int window, const QPointF &pos)
{
    if (InputChannel *i = item(window))
        i->setPos(pos);
}

void PagesWall::setSize(int window, const QSizeF &size)
{
    if (InputChannel *i = item(window))
        i->setWindowSize(size);
}

void PagesWall::redraw(int window)
{
    if (InputChannel *i = item(window))
        i->update();
}

QSizeF PagesWall::wallSize() const
{
    return scene()->wallSize();
}

QString PagesWall::layoutName() const
{
    return scene()->currentLayoutName;
}

void PagesWall::setLayoutName(const QString &name)
{
    scene()->setWallLayout(name);
}

void PagesWall::rebuild()
{
    owner->rebuildWall();
}

void PagesWall::showWindow(int window)
{
    if (InputChannel *i = item(window)) {
        i->showItem();
        view->syncOpenWindowMenu();
    }
}

void PagesWall::openWindow(int window)
{
    if (item(window))
        view->openWindow(window);
}

void PagesWall::closeWindow(int window)
{
    if (item(window))
        view->closeWindow(window);
}

void PagesWall::changeLayer(int window, int op)
{
    if (item(window))
        scene()->changeLayer(window, op);
}

void PagesWall::focusWindow(int window)
{
    if (InputChannel *i = item(window))
        i->setFocus();
}

QSize PagesWall::sourceResolution(int inputSourceId) const
{
    QVector<QSize> sizes;
    for (const InputSourceButton *b : owner->inputSourceButtons)
        sizes << QSize(b->sourceWidth, b->sourceHeight);
    return w4::inputResolution(inputSourceId, sizes);
}

void PagesWall::bindCropEditor(int window, const QSize &resolution, bool redraw)
{
    cropView->bindWindow(item(window), resolution);
    if (redraw)
        cropView->cropScene->update();
}

void PagesWall::moveCropItem(const w4::WindowGeometry &geometry)
{
    cropView->cropScene->cropItem->placeCrop(geometry);
}

// Each set flag checks its entry and clears the others, in the menu's order, so
// the last set flag wins.
void PagesWall::showMenuFlags(const w4::WindowRecord &r)
{
    const bool audio[] = {r.audioOutAllPorts, r.audioOutPort1Only, r.audioOutDisabled};
    const QList<QAction *> &a = view->audioOutActions;
    for (int i = 0; i < 3 && i < a.size(); ++i) {
        if (audio[i]) {
            for (int j = 0; j < a.size(); ++j)
                a.at(j)->setChecked(j == i);
        } else {
            a.at(i)->setChecked(false);
        }
    }
    const QList<QAction *> &v = view->videoGenActions;
    if (v.size() == 2) {
        v.at(0)->setChecked(r.videoGenMode);
        v.at(1)->setChecked(!r.videoGenMode);
    }
}
