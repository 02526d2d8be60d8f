// Control pages: window parameter commands, the picture and processing pages
// (mirrors, 24PSF, de-interlacing, pull-down detection) and the picture reset.
#include "commands.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "ui_mainwindow.h"
#include "waitingwidget.h"

void MainWindow::sendWindowCommand(int window, int code, int value)
{
    if (window == 255)
        window = ui->currentChannelCBox->currentIndex();
    send(w4::windowParameterCommand(window, code, value));
}

void MainWindow::sendPictureValue(int index, int value)
{
    if (!w4::isPictureIndex(index))
        return;
    sendWindowCommand(255, w4::pictureValueInfo(index).code, value);
}

// Boxes backed by a record flag send only when the box and the record differ,
// so a refresh that sets the box to the record's value sends nothing.
void MainWindow::onFlagBoxChanged(int state, bool w4::WindowRecord::*flag, int code)
{
    w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (!r)
        return;
    if (const std::optional<bool> set = w4::flagChange(state, r->*flag)) {
        r->*flag = *set;
        sendWindowCommand(255, code, *set ? 1 : 0);
    }
}

// De-interlacing and pull-down detection are kept in the record like every
// other flag, so switching windows and back shows, and keeps, what was set.
void MainWindow::onDeinterlaceChanged(int state)
{
    w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (!r)
        return;
    const std::optional<bool> on = w4::flagChange(state, r->deinterlace);
    if (!on)
        return;
    r->deinterlace = *on;
    setDeinterlaceGroupEnabled(*on);
    sendWindowCommand(255, 0x1B, *on ? 1 : 0);
}

void MainWindow::onPullDownChanged(int state, bool twoTwo)
{
    w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (!r)
        return;
    bool &flag = twoTwo ? r->pullDown2p2 : r->pullDown2p3;
    const std::optional<bool> on = w4::flagChange(state, flag);
    if (!on)
        return;
    flag = *on;
    setDeinterlaceGroupEnabled(r->deinterlace);
    sendWindowCommand(255, twoTwo ? 0x1C : 0x1E, *on ? 1 : 0);
}

// Seven values back to their defaults, each followed by a short pause so the
// device takes them one at a time.
void MainWindow::on_btn_page2Reset_clicked()
{
    if (!MyMessageBox::question(this, tr("警告"), tr("确定要重置吗？")))
        return;
    const int window = ui->currentChannelCBox->currentIndex();
    const auto &steps = w4::pictureResetSteps();
    for (int k = 0; k < int(steps.size()); ++k) {
        if (w4::WindowRecord *r = recordOf(window))
            w4::setPictureValue(*r, steps[k].index, steps[k].value);
        sendWindowCommand(window, w4::pictureValueInfo(steps[k].index).code,
                          w4::pictureValueToDevice(steps[k].index, steps[k].value));
        WaitingWidget wait(tr("请稍等(7/%1)").arg(k + 1), 100);
        wait.exec();
    }
    refreshCurrentWindow();
}
