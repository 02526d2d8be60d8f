#pragma once

#include "wallgeometry.h"

#include <QGraphicsView>
#include <QList>
#include <QTimer>

class InputChannel;
class CommandSink;
class QAction;
class QMenu;
class ResolutionRatioScene;
class TransferController;

// The wall editor in the middle of the main window. It shows the wall scene and
// turns mouse, wheel and keys on it into window edits and queued commands; it
// reports the geometry of a window held by the mouse on the transfer worker's
// tick, and owns the window context menus.
class UserView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit UserView(QWidget *parent = nullptr);
    ~UserView() override;

    // Where the view's commands go; they are dropped while none is set.
    void setCommandSink(CommandSink *sink);
    void queueCommand(const QString &text);

    // ---- Access for the pages and the read-back ----
    // The shown scene; window n is currentScene()->windowItems()[n - 1].
    ResolutionRatioScene *currentScene() const;
    // Window `index` (0..3) of the shown scene, or nullptr.
    InputChannel *window(int index) const;
    // The window the view's commands act on, or nullptr.
    InputChannel *currentWindow() const;

    // Picks the topmost open window under a viewport position as the current
    // window; false (and no current window) when there is none.
    bool selectWindowAt(const QPoint &viewPos);
    void openWindow(int index);
    void closeWindow(int index);
    // The open-window menu lists exactly the closed windows of the shown scene.
    void syncOpenWindowMenu();
    void keyCommand(int key, int step);
    void resizeWindowBy(int grow, int step);
    void setWindowsMovable(bool movable);
    // Locked control pages lock the menus too.
    void setMenusEnabled(bool enabled);
    void retranslateMenus();

    int activeSceneIndex = 0;
    QList<ResolutionRatioScene *> wallScenes;
    int currentWindowIndex = -1;

    QMenu *openWindowMenu = nullptr;
    QList<QAction *> openWindowActions;
    QMenu *windowMenu = nullptr;
    QList<QAction *> windowActions;
    QMenu *inputSourceMenu = nullptr;
    QList<QAction *> inputSourceActions;
    QMenu *layerMenu = nullptr;
    QList<QAction *> layerActions;
    QMenu *audioOutMenu = nullptr;
    QList<QAction *> audioOutActions;
    QMenu *videoGenMenu = nullptr;
    QList<QAction *> videoGenActions;
    QMenu *rotationMenu = nullptr;
    QList<QAction *> rotationActions;
    QMenu *adaptiveFillMenu = nullptr;
    QList<QAction *> adaptiveFillActions;
    QMenu *firstRowRotateMenu = nullptr;
    QList<QAction *> firstRowRotateActions;
    QPoint contextMenuPos;

    TransferController *transferController = nullptr;
    QTimer keyRepeatTimer;
    bool keyRepeatBlocked = false;
    QTimer geometryGateTimer;
    bool geometryReportGate = true;
    QTimer mouseResumeTimer;
    CommandSink *commandSink = nullptr;

signals:
    void changeRightMenuInfo();
    void changeRightMenuInfoWithIndex(int currentChannelIndex);
    void changeInputSourceInfo(int currentItemIndex, int mInputSourceIndex);
    void readInfo(QString info);

public slots:
    void handleData();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // userview_menus.cpp
    void buildMenus();
    void showContextMenu(const QPoint &pos);
    void chooseInputSource(int source);
    void chooseLayer(int operation);
    void chooseAudioOut(int option);
    void chooseVideoGen(bool on);
    void chooseRotation(int degrees);
    void chooseAdaptiveFill(bool on);
    void chooseFirstRowRotation(bool on);
    void closeCurrentWindow();
    void markRotation(int degrees);
    void letGoAfterMenu();

    // userview_keys.cpp
    void rotateByKey(InputChannel *item);
    void snapCurrentWindow();
    void queueLayerOrder();

    w4::DeviceScale wallDeviceScale() const;
    w4::DeviceRect heldReportRect(int window) const;
    int heldWindow() const;
    void setDragTicking(bool on);

    // The window a mouse drag holds and what the device last heard of it, so the
    // release reports a final position the gate did not let through.
    int dragWindow = -1;
    w4::DeviceRect lastReported;
};
