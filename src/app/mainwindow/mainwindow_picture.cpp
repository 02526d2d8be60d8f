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

// The device reports the de-interlace and pull-down states when it is read; the
// boxes send every change and leave the record to that read.
void MainWindow::onDeinterlaceChanged(int state)
{
    if (state != Qt::Checked && state != Qt::Unchecked)
        return;
    const bool on = state == Qt::Checked;
    setDeinterlaceGroupEnabled(on);
    if (!on) {
        for (QWidget *w :
             {static_cast<QWidget *>(ui->hSdr_2p2Timer), static_cast<QWidget *>(ui->ldt_2p2Timer),
              static_cast<QWidget *>(ui->hSdr_2p3Timer), static_cast<QWidget *>(ui->ldt_2p3Timer)})
            w->setEnabled(false);
    }
    sendWindowCommand(255, 0x1B, on ? 1 : 0);
}

void MainWindow::onPullDownChanged(int state, bool twoTwo)
{
    if (state != Qt::Checked && state != Qt::Unchecked)
        return;
    const bool on = state == Qt::Checked;
    QWidget *slider = twoTwo ? static_cast<QWidget *>(ui->hSdr_2p2Timer) : ui->hSdr_2p3Timer;
    QWidget *edit = twoTwo ? static_cast<QWidget *>(ui->ldt_2p2Timer) : ui->ldt_2p3Timer;
    slider->setEnabled(on);
    edit->setEnabled(on);
    sendWindowCommand(255, twoTwo ? 0x1C : 0x1E, on ? 1 : 0);
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
