// The wall editor's side of the main window: rebuilding the wall, the input
// buttons and their drops, and the wiring of the wall view and crop editor.
#include "appstate.h"
#include "commands.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "resolutionratioscene.h"
#include "sliceupview.h"
#include "ui_mainwindow.h"
#include "userview.h"
#include "wallgeometry.h"

#include <QIntValidator>

#include <algorithm>
#include <array>

void MainWindow::rebuildWall(WindowValues values)
{
    UserView *view = ui->graphicsView;
    ResolutionRatioScene *scene = view->wallScenes.value(0);
    const int rows = ui->rowCbx->currentText().toInt();
    const int columns = ui->columnCbx->currentText().toInt();

    // A new layout moves and sizes the windows; everything else they show
    // (source, picture, processing, stacking, visibility) stays as it is.
    std::array<w4::WindowRecord, 4> kept;
    const QList<InputChannel *> items = scene->windowItems();
    for (int i = 0; i < 4 && i < items.size(); ++i)
        kept[size_t(i)] = items.at(i)->record();
    scene->setWallSize(w4::wallSizeFor(rows, columns));
    scene->buildLayouts();
    scene->resetWindows();
    for (int i = 0; values == WindowValues::Kept && i < 4 && i < items.size(); ++i) {
        InputChannel *item = items.at(i);
        w4::WindowRecord record = kept[size_t(i)];
        record.windowRect = item->windowRect;
        item->record() = record;
        item->setLayer(record.layer);
        if (record.isShown)
            item->showItem();
        else
            item->hideItem();
    }
    updateGeometryValidators();
    view->syncOpenWindowMenu();
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);

    const double zoom = w4::viewZoomFor(rows, columns);
    view->resetTransform();
    view->scale(zoom, zoom);
    scene->update();
}

// Positions and sizes may be typed up to four digits, as ever, or up to the
// wall's own size where that is more (the widest walls): what lies beyond the
// wall is refused by the edit's own check, with its message.
void MainWindow::updateGeometryValidators()
{
    const QSizeF size = ui->graphicsView->currentScene()->wallSize();
    const auto limit = [](QLineEdit *e, int top) {
        delete e->validator();
        e->setValidator(new QIntValidator(0, std::max(9999, top), e));
    };
    for (QLineEdit *e : {ui->ldt_PosX, ui->ldt_Width})
        limit(e, int(size.width()));
    for (QLineEdit *e : {ui->ldt_PosY, ui->ldt_Heigh})
        limit(e, int(size.height()));
}

void MainWindow::setupInputSourceButtons()
{
    inputSourceButtons = {ui->inBtn_1, ui->inBtn_2, ui->inBtn_3, ui->inBtn_4};
    static const QPoint homes[] = {{20, 175}, {105, 175}, {20, 205}, {105, 205}};
    for (int i = 0; i < inputSourceButtons.size(); ++i) {
        InputSourceButton *b = inputSourceButtons.at(i);
        b->raise();
        b->inputSourceId = i + 1;
        b->setHomePos(homes[i].x(), homes[i].y());
        connect(b, &InputSourceButton::releaseMouseLeft, this, &MainWindow::dropInputSource);
    }
}

void MainWindow::dropInputSource(int source, QPoint globalPos)
{
    UserView *view = ui->graphicsView;
    if (!view->selectWindowAt(view->viewport()->mapFromGlobal(globalPos)))
        return;
    InputChannel *item = view->currentWindow();
    if (!item || source < 1 || source > inputSourceButtons.size())
        return;
    const int window = view->currentWindowIndex;
    if (item->isFrozen) {
        MyMessageBox::error(this, tr("警告"), tr("窗口%1为冻结模式，无法进行输入源切换！").arg(window + 1));
        return;
    }
    if (item->isColorSolid) {
        MyMessageBox::error(this, tr("警告"),
                            tr("窗口%1为纯色填充模式下，无法进行输入源切换！").arg(window + 1));
        return;
    }
    const InputSourceButton *button = inputSourceButtons.at(source - 1);
    item->cropHStart = item->cropVStart = 0;
    item->inputSourceId = item->savedInputSourceId = source - 1;
    item->cropHEnd = button->sourceWidth;
    item->cropVEnd = button->sourceHeight;
    item->update();
    send(w4::windowParameterCommand(window, 0x2d, source - 1));
}

void MainWindow::connectWallView()
{
    UserView *view = ui->graphicsView;
    view->setCommandSink(this);
    view->retranslateMenus();
    connect(view, &UserView::readInfo, this, &MainWindow::readInfo);

    // A source chosen from the wall's menu shows the whole new picture.
    connect(view, &UserView::changeInputSourceInfo, this, [this](int window, int source) {
        InputChannel *item = ui->graphicsView->window(window);
        if (!item || source < 0 || source >= inputSourceButtons.size())
            return;
        item->cropHStart = item->cropVStart = 0;
        item->cropHEnd = inputSourceButtons.at(source)->sourceWidth;
        item->cropVEnd = inputSourceButtons.at(source)->sourceHeight;
    });

    // Every way the wall changes the current window ends in the pages' refresh.
    auto refreshCurrent = [this] { changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1); };
    for (ResolutionRatioScene *scene : view->wallScenes)
        for (InputChannel *item : scene->windowItems())
            connect(item, &InputChannel::selectChannelEvent, this, &MainWindow::changeUIBaseSelectChannel);
    connect(view, &UserView::changeRightMenuInfo, this, refreshCurrent);
    connect(view->currentScene(), &ResolutionRatioScene::changeRightMenuInfo, this, refreshCurrent);
    connect(view, &UserView::changeRightMenuInfoWithIndex, this, [this, refreshCurrent](int index) {
        ui->currentChannelCBox->setCurrentIndex(index);
        refreshCurrent();
    });

    connect(ui->sliceUpView->cropScene->cropItem, &SliceUpSizeItem::changeSliceUpData, this,
            &MainWindow::changeSliceInfo);
}

void MainWindow::setWallMenusEnabled(bool enabled)
{
    ui->graphicsView->setMenusEnabled(enabled);
}

void MainWindow::setWindowsMovable(bool movable)
{
    ui->graphicsView->setWindowsMovable(movable);
}

// The wall view's geometry gate follows the link's send interval (it runs only
// while a window is held).
void MainWindow::restartGeometryGate(int intervalMs)
{
    ui->graphicsView->geometryGateTimer.setInterval(intervalMs);
}
