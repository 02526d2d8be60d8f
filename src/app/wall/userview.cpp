// The wall view: construction, picking the current window, the mouse and wheel,
// Tab, opening and closing windows, and the geometry report of a dragged window.
#include "userview.h"

#include "appstate.h"
#include "commands.h"
#include "commandsink.h"
#include "inputchannel.h"
#include "mymessagebox.h"
#include "resolutionratioscene.h"
#include "transfercontroller.h"
#include "viewmoves.h"
#include "wallaccessibility.h"

#include <QAction>
#include <QDateTime>
#include <QDebug>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

// Developer output of the wall editor (quiet unless QT_LOGGING_RULES="w4.wall.debug=true").
Q_LOGGING_CATEGORY(wallLog, "w4.wall", QtInfoMsg)

UserView::UserView(QWidget *parent) : QGraphicsView(parent)
{
    // Before anything asks for the viewport's accessible interface (it is
    // cached from the first question on).
    installWallAccessibility();
    const QRectF sceneRects[] = {
        {0, 0, 3840, 2160}, {0, 0, 3840, 1080}, {0, 0, 1920, 2160}, {0, 0, 1920, 2160}};
    for (const QRectF &r : sceneRects)
        wallScenes << new ResolutionRatioScene(r.x(), r.y(), r.width(), r.height(), this);
    setScene(wallScenes.at(activeSceneIndex));

    setRenderHints(
        QPainter::Antialiasing | QPainter::TextAntialiasing |
        QPainter::SmoothPixmapTransform); // high-quality antialiasing is plain antialiasing in Qt 5.15
    setTransformationAnchor(AnchorUnderMouse);
    setResizeAnchor(AnchorUnderMouse);
    setViewportUpdateMode(FullViewportUpdate);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setDragMode(RubberBandDrag);
    setContextMenuPolicy(Qt::CustomContextMenu);
    scale(0.2, 0.2);

    // The drag tick and the report gate run only while a window is held.
    transferController = new TransferController(this);

    installEventFilter(this);
    buildMenus();
    connect(this, &QWidget::customContextMenuRequested, this, &UserView::showContextMenu);

    keyRepeatTimer.setInterval(40);
    connect(&keyRepeatTimer, &QTimer::timeout, this, [this] {
        keyRepeatBlocked = false;
        keyRepeatTimer.stop();
    });
    geometryGateTimer.setInterval(100);
    connect(&geometryGateTimer, &QTimer::timeout, this, [this] { geometryReportGate = true; });
    // The mouse edits again a while after the last key press.
    mouseResumeTimer.setSingleShot(true);
    connect(&mouseResumeTimer, &QTimer::timeout, this, [] { mouseEditingEnabled = true; });
}

UserView::~UserView()
{
    // Stop the worker before the view's slots go away.
    delete transferController;
}

void UserView::setCommandSink(CommandSink *sink)
{
    commandSink = sink;
}

void UserView::queueCommand(const QString &text)
{
    if (commandSink)
        commandSink->send(text);
    else
        qCDebug(wallLog) << "no command sink, dropped" << text;
}

ResolutionRatioScene *UserView::currentScene() const
{
    return wallScenes.value(activeSceneIndex);
}

InputChannel *UserView::window(int index) const
{
    ResolutionRatioScene *s = currentScene();
    return s ? s->window(index) : nullptr;
}

InputChannel *UserView::currentWindow() const
{
    return window(currentWindowIndex);
}

w4::DeviceScale UserView::wallDeviceScale() const
{
    return w4::deviceScale(currentScene()->wallSize());
}

// ---- Picking -------------------------------------------------------------------

bool UserView::selectWindowAt(const QPoint &viewPos)
{
    const QPointF p = mapToScene(viewPos);
    std::array<w4::WindowHitBox, 4> boxes;
    for (int i = 0; i < 4; ++i) {
        const InputChannel *item = window(i);
        boxes[size_t(i)] = {item->isOpen, item->pos(), item->windowRect, item->layer};
    }
    currentWindowIndex = w4::pickWindow(boxes, p);
    if (currentWindowIndex < 0)
        return false;
    setFocusPolicy(Qt::StrongFocus);
    return true;
}

void UserView::syncOpenWindowMenu()
{
    for (int i = 0; i < openWindowActions.size(); ++i)
        if (InputChannel *item = window(i))
            openWindowActions.at(i)->setVisible(!item->isOpen);
}

void UserView::openWindow(int index)
{
    InputChannel *item = window(index);
    if (!item)
        return;
    item->showItem();
    openWindowActions.at(index)->setVisible(false);
    queueCommand(w4::windowParameterCommand(index, 0x2b, 1));
    emit changeRightMenuInfo();
}

void UserView::closeWindow(int index)
{
    InputChannel *item = window(index);
    if (!item)
        return;
    item->hideItem();
    openWindowActions.at(index)->setVisible(true);
    queueCommand(w4::windowParameterCommand(index, 0x2b, 0));
    emit changeRightMenuInfo();
}

void UserView::setWindowsMovable(bool movable)
{
    for (ResolutionRatioScene *s : wallScenes)
        for (InputChannel *item : s->windowItems())
            item->setFlag(QGraphicsItem::ItemIsMovable, movable);
}

// ---- Mouse and wheel -------------------------------------------------------------

void UserView::mousePressEvent(QMouseEvent *event)
{
    if (!networkConnected() && !serialConnected() && !offlineMode()) {
        MyMessageBox::error(this, tr("未连接"), tr("请先建立连接"));
        return;
    }
    selectWindowAt(event->pos());
    QGraphicsView::mousePressEvent(event);

    dragWindow = heldWindow();
    if (dragWindow >= 0) {
        lastReported = heldReportRect(dragWindow);
        setDragTicking(true);
    }
}

void UserView::mouseReleaseEvent(QMouseEvent *event)
{
    const int held = dragWindow;
    dragWindow = -1;
    setDragTicking(false);
    QGraphicsView::mouseReleaseEvent(event);
    // The gate may have held back the last steps of a drag: the device must end
    // up with the geometry the wall shows.
    if (held >= 0 && (networkConnected() || serialConnected())) {
        const w4::DeviceRect r = heldReportRect(held);
        if (!(r == lastReported)) {
            queueCommand(w4::geometryCommand(held, r.x, r.y, r.width, r.height));
            lastReported = r;
        }
    }
}

void UserView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        double factor = 1;
        if (!w4::wheelZoomStep(transform().m11(), event->angleDelta().y(), &factor)) {
            event->accept();
            return;
        }
        scale(factor, factor);
    }
    QGraphicsView::wheelEvent(event);
}

// ---- Tab -------------------------------------------------------------------------

bool UserView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab && currentWindowIndex != -1) {
        currentWindowIndex = (currentWindowIndex + 1) % 4;
        for (int i = 0; i < 4; ++i)
            window(i)->setSelected(i == currentWindowIndex);
        emit changeRightMenuInfoWithIndex(currentWindowIndex);
        return true;
    }
    return QGraphicsView::eventFilter(watched, event);
}

void UserView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateMenus();
        viewport()->update(); // the windows' accessible texts follow on the repaint
    }
    QGraphicsView::changeEvent(event);
}

// ---- Geometry report while dragging ---------------------------------------------

int UserView::heldWindow() const
{
    std::array<int, 4> regions{};
    for (int i = 0; i < 4; ++i)
        regions[size_t(i)] = window(i)->hitRegion;
    return w4::heldWindowIndex(regions);
}

w4::DeviceRect UserView::heldReportRect(int index) const
{
    return w4::geometryReport(index, window(index)->windowGeometry(), wallDeviceScale()).rect;
}

// While a window is held the worker ticks every 10 ms and the gate opens every
// interval, the first report going out at once; otherwise both rest.
void UserView::setDragTicking(bool on)
{
    if (on) {
        geometryReportGate = true;
        geometryGateTimer.start();
        transferController->startWork();
    } else {
        geometryGateTimer.stop();
        transferController->stopWork();
    }
}

// The report names the window that is held, not the current one: Tab during a
// drag changes the current window, and the geometry must not go to it.
void UserView::handleData()
{
    if (!networkConnected() && !serialConnected())
        return;
    const int held = heldWindow();
    if (held < 0 || !geometryReportGate)
        return;
    geometryReportGate = false;
    const w4::DeviceRect r = heldReportRect(held);
    const QString command = w4::geometryCommand(held, r.x, r.y, r.width, r.height);
    queueCommand(command);
    lastReported = r;
    qCDebug(wallLog).noquote() << QDateTime::currentDateTime().toString(
                                      QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))
                               << "geometry report" << command;
}
