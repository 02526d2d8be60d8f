// The wall view's context menus: the window menu over an open window and the
// menu that reopens closed windows over empty wall.
#include "appstate.h"
#include "commands.h"
#include "inputchannel.h"
#include "menutexts.h"
#include "mymessagebox.h"
#include "resolutionratioscene.h"
#include "userview.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

QList<QAction *> addEntries(QMenu *menu, int count, bool checkable)
{
    QList<QAction *> actions;
    for (int i = 0; i < count; ++i) {
        QAction *a = menu->addAction(QString());
        a->setCheckable(checkable);
        actions << a;
    }
    return actions;
}

// Exactly one entry of a group carries the mark.
void markOnly(const QList<QAction *> &actions, int index)
{
    for (int i = 0; i < actions.size(); ++i)
        actions.at(i)->setChecked(i == index);
}

} // namespace

void UserView::buildMenus()
{
    openWindowMenu = new QMenu(this);
    openWindowActions = addEntries(openWindowMenu, 4, false);
    for (int i = 0; i < 4; ++i) {
        openWindowActions.at(i)->setVisible(false);
        connect(openWindowActions.at(i), &QAction::triggered, this, [this, i] {
            queueCommand(w4::windowParameterCommand(i, 0x2b, 1));
            openWindow(i);
        });
    }

    windowMenu = new QMenu(this);
    windowMenu->setStyleSheet(QStringLiteral("font-family: 'Microsoft YaHei'; font-size: 9pt;"));

    audioOutMenu = windowMenu->addMenu(QString());
    audioOutActions = addEntries(audioOutMenu, 3, true);
    audioOutActions.at(0)->setChecked(true);
    firstRowRotateMenu = windowMenu->addMenu(QString());
    firstRowRotateActions = addEntries(firstRowRotateMenu, 2, true);
    firstRowRotateActions.at(1)->setChecked(true);
    windowMenu->addSeparator();
    inputSourceMenu = windowMenu->addMenu(QString());
    inputSourceActions = addEntries(inputSourceMenu, 4, false);
    layerMenu = windowMenu->addMenu(QString());
    layerActions = addEntries(layerMenu, 4, false);
    videoGenMenu = windowMenu->addMenu(QString());
    videoGenActions = addEntries(videoGenMenu, 2, true);
    videoGenActions.at(0)->setChecked(true);
    rotationMenu = windowMenu->addMenu(QString());
    rotationActions = addEntries(rotationMenu, 4, true);
    rotationActions.at(0)->setChecked(true);
    adaptiveFillMenu = windowMenu->addMenu(QString());
    adaptiveFillActions = addEntries(adaptiveFillMenu, 2, true);
    adaptiveFillActions.at(0)->setChecked(true);
    windowMenu->addSeparator();
    windowActions << windowMenu->addAction(QString());

    for (int i = 0; i < 3; ++i)
        connect(audioOutActions.at(i), &QAction::triggered, this, [this, i] { chooseAudioOut(i); });
    for (int i = 0; i < 2; ++i) {
        connect(firstRowRotateActions.at(i), &QAction::triggered, this,
                [this, i] { chooseFirstRowRotation(i == 0); });
        connect(videoGenActions.at(i), &QAction::triggered, this, [this, i] { chooseVideoGen(i == 0); });
        connect(adaptiveFillActions.at(i), &QAction::triggered, this,
                [this, i] { chooseAdaptiveFill(i == 0); });
    }
    for (int i = 0; i < 4; ++i) {
        connect(inputSourceActions.at(i), &QAction::triggered, this, [this, i] { chooseInputSource(i + 1); });
        connect(layerActions.at(i), &QAction::triggered, this, [this, i] { chooseLayer(i + 1); });
        connect(rotationActions.at(i), &QAction::triggered, this, [this, i] { chooseRotation(90 * i); });
    }
    connect(windowActions.at(0), &QAction::triggered, this, &UserView::closeCurrentWindow);
    retranslateMenus();
}

void UserView::retranslateMenus()
{
    const int lang = languageIndex;
    auto text = [lang](int row) { return menuText(row, lang); };
    for (int i = 0; i < openWindowActions.size(); ++i)
        openWindowActions.at(i)->setText(text(0) + QString::number(i + 1));
    audioOutMenu->setTitle(text(11));
    for (int i = 0; i < 3; ++i)
        audioOutActions.at(i)->setText(text(12 + i));
    firstRowRotateMenu->setTitle(text(24));
    inputSourceMenu->setTitle(text(1));
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        inputSourceActions.at(i)->setText(text(6) + n + tr("(数字键") + n + QStringLiteral(")"));
        layerActions.at(i)->setText(text(7 + i));
        rotationActions.at(i)->setText(text(19 + i));
    }
    layerMenu->setTitle(text(2));
    videoGenMenu->setTitle(text(15));
    rotationMenu->setTitle(text(18));
    adaptiveFillMenu->setTitle(text(23));
    for (const QList<QAction *> &pair : {firstRowRotateActions, videoGenActions, adaptiveFillActions}) {
        pair.at(0)->setText(text(16));
        pair.at(1)->setText(text(17));
    }
    windowActions.at(0)->setText(text(4));
}

void UserView::setMenusEnabled(bool enabled)
{
    openWindowMenu->setEnabled(enabled);
    windowMenu->setEnabled(enabled);
}

void UserView::markRotation(int degrees)
{
    markOnly(rotationActions, degrees / 90);
}

void UserView::showContextMenu(const QPoint &pos)
{
    contextMenuPos = pos;
    if (selectWindowAt(pos)) {
        if (!windowMenu->isEnabled())
            return;
        const InputChannel *item = currentWindow();
        const bool flags[4] = {item->rotation0, item->rotation90, item->rotation180, item->rotation270};
        int marked = 0;
        for (int i = 3; i >= 0; --i)
            if (flags[i])
                marked = i;
        markOnly(rotationActions, marked);
        markOnly(adaptiveFillActions, item->adaptiveFill ? 0 : 1);
        windowMenu->exec(QCursor::pos());
        letGoAfterMenu();
        return;
    }
    if (!openWindowMenu->isEnabled())
        return;
    for (QAction *a : openWindowActions)
        if (a->isVisible()) {
            openWindowMenu->exec(QCursor::pos());
            letGoAfterMenu();
            return;
        }
}

// An open menu takes every mouse release, so the window pressed when it opened
// never hears its button go up and the scene would go on sending it the mouse
// (the next press on another window would reach it). Whatever the menu's
// outcome, nothing holds a window any more once it has closed.
void UserView::letGoAfterMenu()
{
    if (QGraphicsItem *grabber = currentScene()->mouseGrabberItem())
        grabber->ungrabMouse();
    for (int i = 0; i < 4; ++i)
        if (InputChannel *item = window(i))
            item->hitRegion = w4::HitNone;
    dragWindow = -1;
    setDragTicking(false);
    keyEditingEnabled = true;
}

// ---- Entries -------------------------------------------------------------------

void UserView::chooseInputSource(int source)
{
    InputChannel *item = currentWindow();
    if (!item)
        return;
    if (item->isColorSolid) {
        MyMessageBox::warning(nullptr, tr("警告"), tr("纯色填充模式下禁止切换输入源"));
        return;
    }
    item->inputSourceId = item->savedInputSourceId = source - 1;
    emit changeInputSourceInfo(currentWindowIndex, source - 1);
    item->update();
    queueCommand(w4::windowParameterCommand(currentWindowIndex, 0x2d, source - 1));
}

void UserView::chooseLayer(int operation)
{
    if (!currentWindow())
        return;
    currentScene()->layerChangeFromMenu = true;
    currentScene()->changeLayer(currentWindowIndex, operation);
    queueLayerOrder();
}

void UserView::chooseAudioOut(int option)
{
    for (InputChannel *item : currentScene()->windowItems()) {
        item->audioOutAllPorts = option == 0;
        item->audioOutPort1Only = option == 1;
        item->audioOutDisabled = option == 2;
    }
    markOnly(audioOutActions, option);
    static const char *const commands[] = {"040D0001", "040C0001", "040E0001"};
    queueCommand(QString::fromLatin1(commands[option]));
}

void UserView::chooseVideoGen(bool on)
{
    for (InputChannel *item : currentScene()->windowItems())
        item->videoGenMode = on;
    markOnly(videoGenActions, on ? 0 : 1);
    queueCommand(on ? QStringLiteral("040F0001") : QStringLiteral("040F0000"));
}

void UserView::chooseRotation(int degrees)
{
    InputChannel *item = currentWindow();
    if (!item)
        return;
    if (item->isColorSolid) {
        MyMessageBox::warning(nullptr, tr("警告"), tr("纯色填充模式下禁止旋转"));
        markRotation(item->record().rotation);
        return;
    }
    const QStringList commands = w4::rotationMenuCommands(currentWindowIndex, degrees, item->rotation180);
    if (degrees != 180 || !item->rotation180) {
        w4::setRotation(item->record(), degrees);
        item->update();
    }
    markRotation(item->record().rotation);
    for (const QString &c : commands)
        queueCommand(c);
}

void UserView::chooseAdaptiveFill(bool on)
{
    InputChannel *item = currentWindow();
    if (!item)
        return;
    if (item->adaptiveFill != on) {
        item->adaptiveFill = on;
        queueCommand(w4::windowParameterCommand(currentWindowIndex, 0x37, on ? 1 : 0));
    }
    markOnly(adaptiveFillActions, item->adaptiveFill ? 0 : 1);
}

void UserView::chooseFirstRowRotation(bool on)
{
    markOnly(firstRowRotateActions, on ? 0 : 1);
    queueCommand(on ? QStringLiteral("04150001") : QStringLiteral("04150000"));
}

void UserView::closeCurrentWindow()
{
    if (currentWindowIndex < 0 || currentWindowIndex > 3)
        return;
    queueCommand(w4::windowParameterCommand(currentWindowIndex, 0x2b, 0));
    closeWindow(currentWindowIndex);
    currentWindowIndex = -1;
}
