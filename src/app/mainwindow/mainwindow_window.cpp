// Control pages: the current window's position, size and crop (view page) and
// its features (show, freeze, solid colour, level, audio).
#include "appstate.h"
#include "commands.h"
#include "cropeditor.h"
#include "devicesession.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "ui_mainwindow.h"

#include <QColorDialog>
#include <QSignalBlocker>

namespace {
// The vertical device scale of the view page also keeps tall 1 x 1 walls unscaled.
bool oneByOneLayout(Ui::MainWindow *ui)
{
    return ui->rowCbx->currentText() == QLatin1String("1") &&
           ui->columnCbx->currentText() == QLatin1String("1");
}
} // namespace

// ---- Position and size ----------------------------------------------------------

bool MainWindow::checkWindowGeometry()
{
    const int sw = int(wall->wallSize().width());
    const int sh = int(wall->wallSize().height());
    if (w4::windowFitsWall(ui->ldt_PosX->text().toInt(), ui->ldt_PosY->text().toInt(),
                           ui->ldt_Width->text().toInt(), ui->ldt_Heigh->text().toInt(), QSize(sw, sh)))
        return true;
    const int window = ui->currentChannelCBox->currentIndex();
    if (const w4::WindowRecord *r = recordOf(window)) {
        const QPointF pos = wall->position(window);
        ui->ldt_PosX->setText(QString::number(int(pos.x())));
        ui->ldt_PosY->setText(QString::number(int(pos.y())));
        ui->ldt_Width->setText(QString::number(int(r->windowRect.width())));
        ui->ldt_Heigh->setText(QString::number(int(r->windowRect.height())));
    }
    MyMessageBox::error(this, tr("错误"), tr("超出%1X%2分辨率").arg(sw).arg(sh));
    return false;
}

// The value the field shows for window `window` when nothing was typed.
int MainWindow::shownGeometry(int window, w4::GeometryField field)
{
    const w4::WindowRecord *r = recordOf(window);
    if (!r)
        return 0;
    const QPointF pos = wall->position(window);
    switch (field) {
    case w4::GeometryField::PosX:
        return int(pos.x());
    case w4::GeometryField::PosY:
        return int(pos.y());
    case w4::GeometryField::Width:
        return int(r->windowRect.width());
    case w4::GeometryField::Height:
        return int(r->windowRect.height());
    }
    return 0;
}

void MainWindow::onGeometryEdited(w4::GeometryField field)
{
    QLineEdit *const fields[] = {ui->ldt_PosX, ui->ldt_PosY, ui->ldt_Width, ui->ldt_Heigh};
    // Focus moving on, or a refused value put back: nothing new to send.
    if (fields[int(field)]->text().toInt() == shownGeometry(ui->currentChannelCBox->currentIndex(), field))
        return;
    if (field == w4::GeometryField::PosX && !deviceSession->state().editable()) {
        // Put back before the box takes the focus: a field left holding the
        // refused value would send it once a link is there and it is left.
        fields[0]->setText(QString::number(shownGeometry(ui->currentChannelCBox->currentIndex(), field)));
        checkConnected();
        return;
    }
    if (!checkWindowGeometry())
        return;
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r)
        return;
    QLineEdit *edit = nullptr;
    QPointF pos = wall->position(window);
    QSizeF size = r->windowRect.size();
    switch (field) {
    case w4::GeometryField::PosX:
        edit = ui->ldt_PosX;
        pos.setX(edit->text().toInt());
        break;
    case w4::GeometryField::PosY:
        edit = ui->ldt_PosY;
        pos.setY(edit->text().toInt());
        break;
    case w4::GeometryField::Width:
        edit = ui->ldt_Width;
        size.setWidth(edit->text().toInt());
        break;
    case w4::GeometryField::Height:
        edit = ui->ldt_Heigh;
        size.setHeight(edit->text().toInt());
        break;
    }
    wall->setSize(window, size);
    wall->setPosition(window, pos);
    wall->redraw(window);
    const w4::DeviceScale scale = w4::pageDeviceScale(wall->wallSize(), oneByOneLayout(ui));
    sendWindowCommand(255, w4::geometryFieldCode(field),
                      w4::geometryDeviceValue(field, edit->text().toInt(), scale));
}

// ---- Crop -------------------------------------------------------------------------

void MainWindow::onCropEdited(w4::CropField field)
{
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r)
        return;
    QLineEdit *const edits[] = {ui->ldt_HorizontalStartLocation, ui->ldt_VerticalStartLocation,
                                ui->ldt_HorizontalEndLocation, ui->ldt_VerticalEndLocation};
    QLineEdit *edit = edits[int(field)];
    const int value = edit->text().toInt();
    // Focus moving on, or a refused value put back: nothing new to send.
    if (value == w4::cropFieldValue(*r, field))
        return;
    if (!checkWindowGeometry())
        return;
    const QSize source = wall->sourceResolution(r->inputSourceId);
    switch (w4::cropFieldRefusal(field, value, *r, source)) {
    case w4::CropRefusal::None:
        break;
    case w4::CropRefusal::StartNotBelowEnd:
        edit->setText(QString::number(w4::cropFieldValue(*r, field)));
        MyMessageBox::error(this, tr("错误"), tr("起始位置不能大于结束位置！"));
        return;
    case w4::CropRefusal::EndBeyondSource:
        edit->setText(QString::number(w4::cropFieldValue(*r, field)));
        MyMessageBox::error(this, tr("错误"),
                            (field == w4::CropField::HEnd ? tr("结束位置不能大于输入源分辨率(%1x%2)！")
                                                          : tr("结束位置不能大于输入源分辨率(%1x%2) ！"))
                                .arg(source.width())
                                .arg(source.height()));
        return;
    }
    w4::setCropField(*r, field, value);
    wall->moveCropItem(w4::cropItemGeometry(w4::cropAreaOf(*r), w4::sourceScale(source)));
    sendWindowCommand(255, w4::cropFieldCode(field), value);
}

// The crop editor reports in its own 3840 x 2160 frame; the record and the device
// take source pixels.
void MainWindow::changeSliceInfo(int mode, int HStart, int VStart, int HEnd, int VEnd)
{
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r || mode < w4::CropModeLeft || mode > w4::CropModeAll)
        return;
    const w4::SourceScale scale = w4::sourceScale(wall->sourceResolution(r->inputSourceId));
    const w4::CropArea a = w4::editorToSource({HStart, VStart, HEnd, VEnd}, scale);
    w4::applyEditorCrop(*r, mode, a);
    switch (mode) {
    case w4::CropModeLeft:
        ui->ldt_HorizontalStartLocation->setText(QString::number(a.hStart));
        sendWindowCommand(255, 0x05, a.hStart);
        break;
    case w4::CropModeTop:
        ui->ldt_VerticalStartLocation->setText(QString::number(a.vStart));
        sendWindowCommand(255, 0x06, a.vStart);
        break;
    case w4::CropModeRight:
        ui->ldt_HorizontalEndLocation->setText(QString::number(a.hEnd));
        sendWindowCommand(255, 0x07, a.hEnd);
        break;
    case w4::CropModeBottom:
        ui->ldt_VerticalEndLocation->setText(QString::number(a.vEnd));
        sendWindowCommand(255, 0x08, a.vEnd);
        break;
    case w4::CropModeAll:
        ui->ldt_HorizontalStartLocation->setText(QString::number(a.hStart));
        ui->ldt_VerticalStartLocation->setText(QString::number(a.vStart));
        ui->ldt_HorizontalEndLocation->setText(QString::number(a.hEnd));
        ui->ldt_VerticalEndLocation->setText(QString::number(a.vEnd));
        send(w4::cropCommand(window, a.hStart, a.vStart, a.hEnd, a.vEnd));
        break;
    }
}

// ---- Window features ------------------------------------------------------------

void MainWindow::onShowWindowChanged(int state)
{
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r)
        return;
    const std::optional<bool> shown = w4::flagChange(state, r->isShown);
    if (!shown)
        return;
    if (*shown)
        wall->openWindow(window);
    else
        wall->closeWindow(window);
    r->isShown = *shown;
    sendWindowCommand(255, 0x2B, *shown ? 1 : 0);
}

void MainWindow::onFreezeWindowChanged(int state)
{
    w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (!r)
        return;
    if (const std::optional<bool> frozen = w4::flagChange(state, r->isFrozen)) {
        r->isFrozen = *frozen;
        sendWindowCommand(255, 0x2C, *frozen ? 1 : 0);
        if (*frozen)
            applyFrozenLock();
        else
            unlockForWindow();
    }
    changeUIBaseSelectChannel(currentChannelIndex + 1);
}

void MainWindow::on_ptn_FreezeAllWindow_clicked()
{
    const w4::WindowRecord *current = recordOf(ui->currentChannelCBox->currentIndex());
    if (!current)
        return;
    const bool freeze = !current->isFrozen;
    for (int i = 0; i < 4; ++i) {
        if (w4::WindowRecord *r = recordOf(i))
            r->isFrozen = freeze;
        sendWindowCommand(i, 0x2C, freeze ? 1 : 0);
    }
    ui->ptn_FreezeAllWindow->setText(freeze ? tr("全部解冻") : tr("全部冻结"));
    refreshCurrentWindow();
}

// The hidden "freeze all" box of the form is superseded by the button.
void MainWindow::on_ckx_freezeAllWindows_stateChanged(int) {}

void MainWindow::onSolidColorChanged(int state)
{
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r)
        return;
    if (const std::optional<bool> solid = w4::flagChange(state, r->isColorSolid)) {
        for (QWidget *w :
             {static_cast<QWidget *>(ui->ldt_colorR), static_cast<QWidget *>(ui->ldt_colorG),
              static_cast<QWidget *>(ui->ldt_colorB), static_cast<QWidget *>(ui->btn_openColorPalette)})
            w->setEnabled(*solid);
        w4::setSolidColor(*r, *solid);
        sendWindowCommand(255, 0x2A, *solid ? 1 : 0);
    }
    wall->redraw(window);
    refreshCurrentWindow();
}

void MainWindow::onColorEdited(w4::ColorChannel channel)
{
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r)
        return;
    QLineEdit *edits[] = {ui->ldt_colorR, ui->ldt_colorG, ui->ldt_colorB};
    const int value = edits[int(channel)]->text().toInt();
    const int shown[] = {r->colorR, r->colorG, r->colorB};
    if (value == shown[int(channel)])
        return;
    w4::setFillColor(*r, channel, value);
    wall->redraw(window);
    sendWindowCommand(255, w4::colorCode(channel), value);
}

void MainWindow::on_btn_openColorPalette_clicked()
{
    const w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (!r)
        return;
    if (!colorDialog) {
        colorDialog = new QColorDialog(this);
        colorDialog->setObjectName(QStringLiteral("colorDialog"));
        connect(colorDialog, &QColorDialog::colorSelected, this, &MainWindow::onPaletteColorSelected,
                Qt::DirectConnection);
    }
    auto inRange = [](int c) { return c >= 0 && c <= 255; };
    colorDialog->setCurrentColor(inRange(r->colorR) && inRange(r->colorG) && inRange(r->colorB)
                                     ? QColor(r->colorR, r->colorG, r->colorB)
                                     : QColor());
    colorDialog->exec();
}

// The three parts of a colour leave one per send tick, like any queued commands.
void MainWindow::onPaletteColorSelected(const QColor &color)
{
    const int window = ui->currentChannelCBox->currentIndex();
    w4::WindowRecord *r = recordOf(window);
    if (!r)
        return;
    w4::setFillColor(*r, color.red(), color.green(), color.blue());
    wall->redraw(window);
    ui->ldt_colorR->setText(QString::number(color.red()));
    ui->ldt_colorG->setText(QString::number(color.green()));
    ui->ldt_colorB->setText(QString::number(color.blue()));
    sendWindowCommand(255, w4::colorCode(w4::ColorChannel::Red), color.red());
    sendWindowCommand(255, w4::colorCode(w4::ColorChannel::Green), color.green());
    sendWindowCommand(255, w4::colorCode(w4::ColorChannel::Blue), color.blue());
}

void MainWindow::onWindowLevelChanged(int index)
{
    if (currentChannelIndex != ui->currentChannelCBox->currentIndex()) {
        // The selector moved with a change of the current window, not by the user.
        currentChannelIndex = ui->currentChannelCBox->currentIndex();
        changeUIBaseSelectChannel(currentChannelIndex + 1);
        return;
    }
    const w4::WindowRecord *r = recordOf(currentChannelIndex);
    if (!r || index < 0 || r->layer == index + 1)
        return;
    setWindowLayer(255, index);
    sendLayerOrder();
}

void MainWindow::onAudioChanged(int state)
{
    const int window = ui->currentChannelCBox->currentIndex();
    if (!recordOf(window) || (state != Qt::Checked && state != Qt::Unchecked))
        return;
    const std::array<w4::WindowRecord *, 4> all = {recordOf(0), recordOf(1), recordOf(2), recordOf(3)};
    if (const std::optional<int> value = w4::setAudio(all, window, state == Qt::Checked)) {
        sendWindowCommand(255, 0x2E, *value);
        return;
    }
    // Refused (no input to play): the box shows the record again.
    const QSignalBlocker quiet(ui->ckx_enableAudio);
    ui->ckx_enableAudio->setChecked(all[size_t(window)]->audioEnabled);
}
