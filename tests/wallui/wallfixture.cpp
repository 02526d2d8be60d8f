#include "wallfixture.h"

#include "appstate.h"
#include "commandsender.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "inputchannel.h"
#include "resolutionratioscene.h"
#include "userview.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

void WallFixture::setUp()
{
    resetAppState();
    {
        DialogAnswerer none;
        window = std::make_unique<MainWindow>();
        // Port 23 is shared by every program on this machine: a moment when
        // another one holds it is no fault of the wall.
        if (none.problem().contains(QLatin1String("udp socket create error"))) {
            qWarning("UDP port 23 was busy while the main window was built");
            none.forgive();
        }
    }
    window->session()->sender()->stop();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    view = window->findChild<UserView *>(QStringLiteral("graphicsView"));
    QVERIFY(view);
    scene = view->currentScene();
    window->session()->goOffline();
    QVERIFY(offlineMode());
    window->unlockControlPages();
    view->setWindowsMovable(true);
    clearQueue();
}

void WallFixture::tearDown()
{
    window.reset();
    resetAppState();
}

InputChannel *WallFixture::item(int index) const
{
    return view->window(index);
}

void WallFixture::rebuild(int rows, int columns, const QString &layout)
{
    window->findChild<QComboBox *>(QStringLiteral("rowCbx"))->setCurrentIndex(rows - 1);
    window->findChild<QComboBox *>(QStringLiteral("columnCbx"))->setCurrentIndex(columns - 1);
    window->rebuildWall();
    if (!layout.isEmpty())
        scene->setWallLayout(layout);
}

void WallFixture::zoomToOne(const QPointF &sceneCentre)
{
    view->resetTransform();
    view->centerOn(sceneCentre);
}

QPoint WallFixture::at(const QPointF &scenePoint) const
{
    const QPoint p = view->mapFromScene(scenePoint);
    // At scale 1 every wall pixel has its own viewport pixel.
    if (view->mapToScene(p) != scenePoint)
        qWarning() << "scene point" << scenePoint << "maps back to" << view->mapToScene(p);
    return p;
}

QStringList WallFixture::queued() const
{
    QStringList texts;
    for (const w4::QueuedCommand &c : window->session()->sender()->queue().entries())
        texts << c.text;
    return texts;
}

void WallFixture::clearQueue()
{
    window->session()->sender()->queue().clear();
}

void sendMouse(QWidget *target, int type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
    QMouseEvent e(QEvent::Type(type), pos, target->mapToGlobal(pos), button, buttons, modifiers);
    QApplication::sendEvent(target, &e);
}

void drag(QWidget *target, const QPoint &from, const QList<QPoint> &to, Qt::MouseButton button)
{
    sendMouse(target, QEvent::MouseButtonPress, from, button, button);
    QPoint last = from;
    for (const QPoint &p : to) {
        sendMouse(target, QEvent::MouseMove, p, Qt::NoButton, button);
        last = p;
    }
    sendMouse(target, QEvent::MouseButtonRelease, last, button, Qt::NoButton);
}
