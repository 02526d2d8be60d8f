// Control pages: the splice layout of the wall, stacking order and the preset
// division modes of the four windows.
#include "commands.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "ui_mainwindow.h"
#include "walllayers.h"

void MainWindow::buildSpliceCommandMap()
{
    spliceCommandMap = w4::spliceCommandMap();
}

// "Modify" is offered only for a layout other than the one in force.
void MainWindow::on_rowCbx_currentIndexChanged(int index)
{
    ui->selectSceneBtn->setEnabled(index != appliedRowIndex ||
                                   ui->columnCbx->currentIndex() != appliedColumnIndex);
}

void MainWindow::on_columnCbx_currentIndexChanged(int index)
{
    ui->selectSceneBtn->setEnabled(ui->rowCbx->currentIndex() != appliedRowIndex ||
                                   index != appliedColumnIndex);
}

void MainWindow::onSelectSceneClicked()
{
    appliedRowIndex = ui->rowCbx->currentIndex();
    appliedColumnIndex = ui->columnCbx->currentIndex();
    ui->selectSceneBtn->setEnabled(false);

    const int rows = ui->rowCbx->currentText().toInt();
    const int columns = ui->columnCbx->currentText().toInt();
    if (rows * columns > 9) {
        MyMessageBox::error(this, tr("错误"), tr("行列的乘积不能大于9"));
        const QString shown = wall->layoutName();
        ui->rowCbx->setCurrentText(shown.mid(0, 1));
        ui->columnCbx->setCurrentText(shown.mid(2, 1));
        return;
    }
    wall->rebuild();
    const QString name = w4::layoutName(rows, columns);
    wall->setLayoutName(name);
    send(spliceCommandMap.value(name));
    MyMessageBox::information(this, tr("提示"), tr("更改完成，请手动重启VEXOR-W4PRO！"));
}

void MainWindow::setWindowLayer(int window, int levelIndex)
{
    if (window == 255)
        window = ui->currentChannelCBox->currentIndex();
    const w4::WindowRecord *r = recordOf(window);
    if (!r || levelIndex < 0 || levelIndex > 3)
        return;
    // Single steps, so the other windows keep their relative order.
    for (int guard = 0; guard < 4 && r->layer != levelIndex + 1; ++guard)
        wall->changeLayer(window,
                          r->layer > levelIndex + 1 ? int(w4::LayerOp::UpOne) : int(w4::LayerOp::DownOne));
}

void MainWindow::sendLayerOrder()
{
    w4::Layers layers;
    for (int i = 0; i < 4; ++i) {
        const w4::WindowRecord *r = recordOf(i);
        layers[i] = r ? r->layer : i + 1;
    }
    send(w4::layerOrderCommand(layers));
}

// ---- Division modes ----------------------------------------------------------------

void MainWindow::applyDivisionMode(w4::DivisionMode mode)
{
    const w4::DivisionLayout layout = w4::divisionLayout(mode, wall->wallSize());
    send(layout.command);
    for (int k = 0; k < 4; ++k) {
        const w4::DivisionWindow &w = layout.windows[k];
        if (w.shown) {
            wall->showWindow(k);
            wall->setSize(k, w.size);
            wall->setPosition(k, w.pos);
        } else {
            wall->closeWindow(k);
            if (w4::WindowRecord *r = recordOf(k))
                r->isShown = false;
        }
        setWindowLayer(k, k);
        wall->redraw(k);
    }
    const int current =
        layout.currentWindow >= 0 ? layout.currentWindow : ui->currentChannelCBox->currentIndex();
    changeUIBaseSelectChannel(current + 1);
    wall->focusWindow(current);
    sendLayerOrder();
}

void MainWindow::on_ptn_singleScreenModel_clicked()
{
    applyDivisionMode(w4::DivisionMode::Single);
}

void MainWindow::on_ptn_twoScreenModel_leftRight_clicked()
{
    applyDivisionMode(w4::DivisionMode::TwoLeftRight);
}

void MainWindow::on_ptn_twoDivisionModel_upDown_clicked()
{
    applyDivisionMode(w4::DivisionMode::TwoUpDown);
}

void MainWindow::on_ptn_fourDivisionModel_clicked()
{
    applyDivisionMode(w4::DivisionMode::Four);
}

void MainWindow::on_ptn_twoDivisionModel_OBOS_clicked()
{
    applyDivisionMode(w4::DivisionMode::OneBigOneSmall);
}

void MainWindow::on_ptn_fourDivisionModel_OBTS_clicked()
{
    applyDivisionMode(w4::DivisionMode::OneBigThreeSmall);
}

// Modes the processor does not offer; their buttons stay hidden.
void MainWindow::on_ptn_openWindowModel_clicked() {}
void MainWindow::on_ptn_overlayModel_clicked() {}
void MainWindow::on_ptn_levelMode_clicked() {}
