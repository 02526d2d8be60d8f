// Control pages: wiring at construction, the slider / line-edit pairs of the
// picture values and the refresh of every control from the current window.
#include "appstate.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "qtcompat.h"
#include "ui_mainwindow.h"

#include <QEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <array>
#include <functional>
#include <vector>

namespace {

using PictureSliders = std::array<QSlider *, w4::PictureValueCount>;
using PictureEdits = std::array<QLineEdit *, w4::PictureValueCount>;

PictureSliders pictureSliders(Ui::MainWindow *ui)
{
    return {ui->hSdr_luminance,
            ui->hSdr_contrastRatio,
            ui->hSdr_saturability,
            ui->hSdr_colorTemperature,
            ui->hSdr_hue,
            ui->hSdr_horizontalSharpness,
            ui->hSdr_verticalSharpness,
            ui->hSdr_blueCorrection,
            ui->hSdr_greenConrrection,
            ui->hSdr_skinCorrection,
            ui->hSdr_horizontalFiltration,
            ui->hSdr_verticalFiltration,
            ui->hSdr_shadowFiltration,
            ui->hSdr_blockFiltration,
            ui->hSdr_noiseProcessing,
            ui->hSdr_hairTreatment,
            ui->hSdr_sensitivity,
            ui->hSdr_diagonalCorrection,
            ui->hSdr_2p2Timer,
            ui->hSdr_2p3Timer,
            ui->hSdr_DeGrammaMode,
            ui->hSdr_PanelGammaMode};
}

PictureEdits pictureEdits(Ui::MainWindow *ui)
{
    return {ui->ldt_luminance,
            ui->ldt_contrastRatio,
            ui->ldt_saturability,
            ui->ldt_colorTemperature,
            ui->ldt_hue,
            ui->ldt_horizontalSharpness,
            ui->ldt_verticalSharpness,
            ui->ldt_blueCorrection,
            ui->ldt_greenCorrection,
            ui->ldt_skinCorrection,
            ui->ldt_horizontalFiltration,
            ui->ldt_verticalFiltration,
            ui->ldt_shadowFiltration,
            ui->ldt_blockFiltration,
            ui->ldt_noiseProcessing,
            ui->ldt_hairTreatment,
            ui->ldt_sensitivity,
            ui->ldt_diagonalCorrection,
            ui->ldt_2p2Timer,
            ui->ldt_2p3Timer,
            ui->ldt_DeGrammaMode,
            ui->ldt_PanelGammaMode};
}

bool linkOrOffline()
{
    return serialConnected() || networkConnected() || offlineMode();
}

// Re-labelling the form puts the form's text back on widgets whose text follows
// the current window; this runs `relabel` once the language change is through.
class RelabelOnLanguageChange : public QObject
{
public:
    RelabelOnLanguageChange(QWidget *watched, std::function<void()> relabel)
        : QObject(watched), relabel(std::move(relabel))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            QTimer::singleShot(0, this, relabel);
        return false;
    }

private:
    std::function<void()> relabel;
};

// A picture value's edit takes only numbers in its range, but a number out of
// range can still be typed (it might become valid with more keys). Leaving the
// edit, or pressing Return, with such a number puts the window's value back and
// says why, once the edit has gone on (a box inside a focus change would take
// the focus again).
class OutOfRangeWatch : public QObject
{
public:
    OutOfRangeWatch(QLineEdit *edit, std::function<void()> refused)
        : QObject(edit), refused(std::move(refused))
    {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = static_cast<QLineEdit *>(watched);
        const bool leaving =
            event->type() == QEvent::FocusOut ||
            (event->type() == QEvent::KeyPress && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                                                   static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter));
        if (leaving && !edit->hasAcceptableInput() && !edit->text().isEmpty())
            refused();
        return false;
    }

private:
    std::function<void()> refused;
};

// Follows the pointer on a slider while a mouse button is held on it: only a
// click on the groove (or a drag) jumps the handle to the pointer; keys and the
// wheel step as usual. The slider's property `HeldAt` is the pointer's x while
// held and empty otherwise.
class PointerOnSlider : public QObject
{
public:
    static constexpr const char *HeldAt = "w4PointerHeldAt";
    explicit PointerOnSlider(QSlider *slider) : QObject(slider) { slider->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
            if (static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton)
                watched->setProperty(HeldAt, localPointOf(static_cast<QMouseEvent *>(event)).x());
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
                watched->setProperty(HeldAt, QVariant());
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void MainWindow::wireControlPages()
{
    wall = new PagesWall(this, ui->graphicsView, ui->sliceUpView);
    sliderThrottleTimer = new QTimer(this);
    sliderThrottleTimer->setInterval(w4::SliderThrottle::PeriodMs);
    connect(sliderThrottleTimer, &QTimer::timeout, this, [this] {
        sliderThrottleTimer->stop();
        const std::optional<w4::SliderThrottle::Held> held = sliderThrottle.expire();
        if (!held)
            return;
        const w4::WindowRecord *r = recordOf(held->window);
        // The pages moved on to another window meanwhile: its value was kept
        // in that window's record, and the slider now shows another one.
        if (!r || held->window != ui->currentChannelCBox->currentIndex()) {
            sliderThrottle.reset();
            return;
        }
        sendPictureValue(held->index,
                         w4::pictureValueToDevice(held->index, w4::pictureValue(*r, held->index)));
        sliderThrottleTimer->start(w4::SliderThrottle::PeriodMs);
    });

    ui->rightTBox->setCurrentIndex(0);

    for (QLineEdit *e : {ui->ldt_HorizontalStartLocation, ui->ldt_VerticalStartLocation,
                         ui->ldt_HorizontalEndLocation, ui->ldt_VerticalEndLocation})
        e->setValidator(new QIntValidator(0, 9999, e));
    updateGeometryValidators();
    for (QLineEdit *e : {ui->ldt_colorR, ui->ldt_colorG, ui->ldt_colorB})
        e->setValidator(new QIntValidator(0, 255, e));

    const std::pair<QLineEdit *, w4::GeometryField> geometry[] = {
        {ui->ldt_PosX, w4::GeometryField::PosX},
        {ui->ldt_PosY, w4::GeometryField::PosY},
        {ui->ldt_Width, w4::GeometryField::Width},
        {ui->ldt_Heigh, w4::GeometryField::Height},
    };
    for (const auto &g : geometry) {
        const w4::GeometryField field = g.second;
        connect(g.first, &QLineEdit::editingFinished, this, [this, field] { onGeometryEdited(field); });
    }
    const std::pair<QLineEdit *, w4::CropField> crop[] = {
        {ui->ldt_HorizontalStartLocation, w4::CropField::HStart},
        {ui->ldt_VerticalStartLocation, w4::CropField::VStart},
        {ui->ldt_HorizontalEndLocation, w4::CropField::HEnd},
        {ui->ldt_VerticalEndLocation, w4::CropField::VEnd},
    };
    for (const auto &c : crop) {
        const w4::CropField field = c.second;
        connect(c.first, &QLineEdit::editingFinished, this, [this, field] { onCropEdited(field); });
    }
    const std::pair<QLineEdit *, w4::ColorChannel> colors[] = {
        {ui->ldt_colorR, w4::ColorChannel::Red},
        {ui->ldt_colorG, w4::ColorChannel::Green},
        {ui->ldt_colorB, w4::ColorChannel::Blue},
    };
    for (const auto &c : colors) {
        const w4::ColorChannel channel = c.second;
        connect(c.first, &QLineEdit::editingFinished, this, [this, channel] { onColorEdited(channel); });
    }

    connect(ui->ckx_showWindow, &QCheckBox::stateChanged, this, &MainWindow::onShowWindowChanged);
    connect(ui->ckx_enableAudio, &QCheckBox::stateChanged, this, &MainWindow::onAudioChanged);
    connect(ui->ckx_freezeWindow, &QCheckBox::stateChanged, this, &MainWindow::onFreezeWindowChanged);
    connect(ui->ckx_solidColor, &QCheckBox::stateChanged, this, &MainWindow::onSolidColorChanged);
    connect(ui->ckx_horizontalMirrored, &QCheckBox::stateChanged, this,
            [this](int s) { onFlagBoxChanged(s, &w4::WindowRecord::horizontalMirrored, 0x13); });
    connect(ui->ckx_vericalMirrored, &QCheckBox::stateChanged, this,
            [this](int s) { onFlagBoxChanged(s, &w4::WindowRecord::verticalMirrored, 0x14); });
    connect(ui->cbx_deinterlace, &QCheckBox::stateChanged, this, &MainWindow::onDeinterlaceChanged);
    connect(ui->cbx_24PSFMode, &QCheckBox::stateChanged, this,
            [this](int s) { onFlagBoxChanged(s, &w4::WindowRecord::psf24Mode, 0x22); });
    connect(ui->ckx_2p2PullDown, &QCheckBox::stateChanged, this,
            [this](int s) { onPullDownChanged(s, true); });
    connect(ui->ckx_2p3PullDown, &QCheckBox::stateChanged, this,
            [this](int s) { onPullDownChanged(s, false); });
    connect(ui->cbx_windowLevel, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::onWindowLevelChanged);

    wirePictureValuePairs();

    new RelabelOnLanguageChange(ui->ptn_FreezeAllWindow, [this] {
        const w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
        ui->ptn_FreezeAllWindow->setText(r && r->isFrozen ? tr("全部解冻") : tr("全部冻结"));
    });

    connect(ui->currentChannelCBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { changeUIBaseSelectChannel(index + 1); });

    changeUIBaseSelectChannel(1);
}

void MainWindow::wirePictureValuePairs()
{
    const PictureSliders sliders = pictureSliders(ui);
    const PictureEdits edits = pictureEdits(ui);
    for (int i = 0; i < w4::PictureValueCount; ++i) {
        const w4::PictureValueInfo info = w4::pictureValueInfo(i);
        sliders[i]->setRange(info.minimum, info.maximum);
        edits[i]->setValidator(new QIntValidator(info.minimum, info.maximum, edits[i]));
        connect(sliders[i], &QSlider::valueChanged, this,
                [this, i](int v) { onPictureSliderValueChanged(i, v); });
        new PointerOnSlider(sliders[i]);
        connect(sliders[i], &QSlider::actionTriggered, this, [this, i](int) { onPictureSliderAction(i); });
        connect(edits[i], &QLineEdit::editingFinished, this, [this, i] { onPictureEditFinished(i); });
        new OutOfRangeWatch(edits[i], [this, i] { onPictureEditRefused(i); });
        connect(sliders[i], &QSlider::sliderReleased, this, [this, i] { onPictureSliderReleased(i); });
    }
    // Clicking the groove of the page-2 sliders jumps instead of stepping.
    for (int i = 0; i < 7; ++i)
        sliders[i]->setPageStep(0);
}

// ---- Slider pairs -------------------------------------------------------------

// Every step reaches the record and the edit; the device gets one value per
// throttle period while the slider moves.
void MainWindow::onPictureSliderValueChanged(int index, int value)
{
    pictureEdits(ui)[index]->setText(QString::number(value));
    if (w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex()))
        w4::setPictureValue(*r, index, value);
    if (!sliderThrottle.admit(index, ui->currentChannelCBox->currentIndex()))
        return;
    sendPictureValue(index, w4::pictureValueToDevice(index, value));
    sliderThrottleTimer->start(w4::SliderThrottle::PeriodMs);
}

// The value let go at always goes out, even inside a throttle period.
void MainWindow::onPictureSliderReleased(int index)
{
    const int typed = pictureEdits(ui)[index]->text().toInt();
    sliderThrottleTimer->stop();
    sliderThrottle.reset();
    sendPictureValue(index, w4::pictureValueToDevice(index, typed));
}

// An edit that leaves the value as it was (focus moving on) sends nothing.
void MainWindow::onPictureEditFinished(int index)
{
    const int typed = pictureEdits(ui)[index]->text().toInt();
    w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (r && w4::pictureValue(*r, index) == typed)
        return;
    {
        // The slider follows the edit; its own handler would send once more.
        const QSignalBlocker quiet(pictureSliders(ui)[index]);
        pictureSliders(ui)[index]->setValue(typed);
    }
    if (r)
        w4::setPictureValue(*r, index, typed);
    sendPictureValue(index, w4::pictureValueToDevice(index, typed));
}

// The value typed is out of range: the edit shows the window's value again
// (so nothing is sent when it is left), and the user is told the range.
void MainWindow::onPictureEditRefused(int index)
{
    const w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    QLineEdit *edit = pictureEdits(ui)[index];
    edit->setText(QString::number(r ? w4::pictureValue(*r, index) : pictureSliders(ui)[index]->value()));
    const w4::PictureValueInfo info = w4::pictureValueInfo(index);
    QTimer::singleShot(0, this, [this, info] {
        MyMessageBox::error(this, tr("错误"),
                            tr("请输入%1到%2之间的数值").arg(info.minimum).arg(info.maximum));
    });
}

void MainWindow::onPictureSliderAction(int index)
{
    QSlider *s = pictureSliders(ui)[index];
    const QVariant heldAt = s->property(PointerOnSlider::HeldAt);
    if (!heldAt.isValid())
        return;
    const double x = heldAt.toDouble();
    s->setValue(w4::sliderJumpValue(x, s->width(), s->minimum(), s->maximum()));
}

// ---- Refresh --------------------------------------------------------------------

void MainWindow::refreshCurrentWindow()
{
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);
}

// Showing a window's record only shows it: the controls are set with their
// change handlers silenced, so a refresh never sends anything to the device.
void MainWindow::changeUIBaseSelectChannel(int ChannelID)
{
    const int window = ChannelID - 1;
    if (!recordOf(window))
        return;
    std::vector<QSignalBlocker> quiet;
    for (QObject *control : pageControls())
        quiet.emplace_back(control);
    refreshControls(window);
}

// Every control whose change handler edits the current window or selects it.
QList<QObject *> MainWindow::pageControls() const
{
    QList<QObject *> controls = {
        ui->currentChannelCBox,
        ui->cbx_windowLevel,
        ui->ckx_showWindow,
        ui->ckx_freezeWindow,
        ui->ckx_solidColor,
        ui->ckx_enableAudio,
        ui->ckx_horizontalMirrored,
        ui->ckx_vericalMirrored,
        ui->cbx_deinterlace,
        ui->cbx_24PSFMode,
        ui->ckx_2p2PullDown,
        ui->ckx_2p3PullDown,
        ui->ldt_PosX,
        ui->ldt_PosY,
        ui->ldt_Width,
        ui->ldt_Heigh,
        ui->ldt_colorR,
        ui->ldt_colorG,
        ui->ldt_colorB,
        ui->ldt_HorizontalStartLocation,
        ui->ldt_VerticalStartLocation,
        ui->ldt_HorizontalEndLocation,
        ui->ldt_VerticalEndLocation,
    };
    for (QSlider *s : pictureSliders(ui))
        controls << s;
    for (QLineEdit *e : pictureEdits(ui))
        controls << e;
    return controls;
}

void MainWindow::refreshControls(int window)
{
    ui->currentChannelCBox->setCurrentIndex(window);
    // The pages now show this window: a level change from here on is the user's.
    currentChannelIndex = window;

    refreshCropEditor(window);

    w4::WindowRecord *r = recordOf(window);
    const QPointF pos = wall->position(window);
    ui->ldt_PosX->setText(QString::number(int(pos.x())));
    ui->ldt_PosY->setText(QString::number(int(pos.y())));
    ui->ldt_Width->setText(QString::number(int(r->windowRect.width())));
    ui->ldt_Heigh->setText(QString::number(int(r->windowRect.height())));

    ui->ldt_VerticalStartLocation->setText(QString::number(r->cropVStart));
    ui->ldt_HorizontalStartLocation->setText(QString::number(r->cropHStart));
    ui->ldt_VerticalEndLocation->setText(QString::number(r->cropVEnd));
    ui->ldt_HorizontalEndLocation->setText(QString::number(r->cropHEnd));

    const PictureSliders sliders = pictureSliders(ui);
    const PictureEdits edits = pictureEdits(ui);
    std::array<int, w4::PictureValueCount> values;
    for (int i = 0; i < w4::PictureValueCount; ++i) {
        values[i] = w4::pictureValue(*r, i);
        edits[i]->setText(QString::number(values[i]));
    }
    for (int i = 0; i < w4::PictureValueCount; ++i)
        sliders[i]->setValue(values[i]);

    ui->cbx_windowLevel->setCurrentIndex(r->layer - 1);
    ui->ckx_showWindow->setChecked(r->isShown);

    if (r->isFrozen) {
        r->isColorSolid = false;
        applyFrozenLock();
        ui->ckx_freezeWindow->setChecked(true);
        ui->ckx_solidColor->setChecked(false);
        ui->ckx_solidColor->setEnabled(false);
        ui->ptn_FreezeAllWindow->setText(tr("全部解冻"));
    } else {
        unlockForWindow();
        ui->ckx_freezeWindow->setChecked(false);
        ui->ckx_solidColor->setEnabled(true);
        ui->ptn_FreezeAllWindow->setText(tr("全部冻结"));
    }

    const bool solid = r->isColorSolid;
    if (solid) {
        r->isFrozen = false;
        ui->ckx_solidColor->setChecked(true);
        ui->ckx_freezeWindow->setChecked(false);
    } else {
        ui->ckx_solidColor->setChecked(false);
    }
    for (QWidget *w :
         {static_cast<QWidget *>(ui->ldt_colorR), static_cast<QWidget *>(ui->ldt_colorG),
          static_cast<QWidget *>(ui->ldt_colorB), static_cast<QWidget *>(ui->btn_openColorPalette)})
        w->setEnabled(solid);
    ui->ckx_freezeWindow->setEnabled(!solid);

    ui->ldt_colorR->setText(QString::number(r->colorR));
    ui->ldt_colorG->setText(QString::number(r->colorG));
    ui->ldt_colorB->setText(QString::number(r->colorB));

    ui->ckx_horizontalMirrored->setChecked(r->horizontalMirrored);
    ui->ckx_vericalMirrored->setChecked(r->verticalMirrored);

    ui->cbx_deinterlace->setChecked(r->deinterlace);
    ui->cbx_24PSFMode->setChecked(r->psf24Mode);
    ui->ckx_2p2PullDown->setChecked(r->pullDown2p2);
    ui->ckx_2p3PullDown->setChecked(r->pullDown2p3);
    setDeinterlaceGroupEnabled(r->deinterlace);
    ui->ckx_enableAudio->setChecked(r->audioEnabled);

    wall->showMenuFlags(*r);
}

// The crop editor shows the window's source picture with its crop area.
void MainWindow::refreshCropEditor(int window)
{
    const w4::WindowRecord *r = recordOf(window);
    wall->bindCropEditor(window, wall->sourceResolution(r->inputSourceId), r->inputSourceId != 4);
}

// The frozen window's pages: nothing can be edited but the freeze controls, the
// window selector and the input buttons. The tool box itself must stay enabled
// for the freeze controls on it to work, so the pages the lock does not cover
// (geometry, developer) are closed here. Without a link the pages stay locked as
// a whole.
void MainWindow::applyFrozenLock()
{
    lockControlPages();
    if (!linkOrOffline())
        return;
    ui->rightTBox->setEnabled(true);
    ui->page3->setEnabled(true); // its editing controls stay locked one by one
    ui->page1->setEnabled(false);
    ui->page5->setEnabled(false);
    for (QWidget *w :
         {static_cast<QWidget *>(ui->ckx_freezeWindow), static_cast<QWidget *>(ui->ptn_FreezeAllWindow),
          static_cast<QWidget *>(ui->currentChannelCBox), static_cast<QWidget *>(ui->inBtn_1),
          static_cast<QWidget *>(ui->inBtn_2), static_cast<QWidget *>(ui->inBtn_3),
          static_cast<QWidget *>(ui->inBtn_4)})
        w->setEnabled(true);
}

// The pages as far as the link and the current window allow: locked without a
// link, the frozen window's lock, or open.
void MainWindow::showPageLock()
{
    const w4::WindowRecord *r = recordOf(ui->currentChannelCBox->currentIndex());
    if (r && r->isFrozen)
        applyFrozenLock();
    else
        unlockForWindow();
}

// Unlocks the pages for a window that is not frozen, but only while there is
// something to edit for: a link or offline mode.
void MainWindow::unlockForWindow()
{
    if (!linkOrOffline()) {
        lockControlPages();
        return;
    }
    unlockControlPages();
    ui->page1->setEnabled(true);
    ui->page5->setEnabled(true);
}

// The de-interlace group works only with de-interlacing on; each timer pair
// also needs its pull-down detection.
void MainWindow::setDeinterlaceGroupEnabled(bool enabled)
{
    for (QWidget *w :
         {static_cast<QWidget *>(ui->cbx_24PSFMode), static_cast<QWidget *>(ui->hSdr_sensitivity),
          static_cast<QWidget *>(ui->ldt_sensitivity), static_cast<QWidget *>(ui->hSdr_diagonalCorrection),
          static_cast<QWidget *>(ui->ldt_diagonalCorrection), static_cast<QWidget *>(ui->ckx_2p2PullDown),
          static_cast<QWidget *>(ui->ckx_2p3PullDown)})
        w->setEnabled(enabled);
    const bool twoTwo = enabled && ui->ckx_2p2PullDown->isChecked();
    const bool twoThree = enabled && ui->ckx_2p3PullDown->isChecked();
    ui->hSdr_2p2Timer->setEnabled(twoTwo);
    ui->ldt_2p2Timer->setEnabled(twoTwo);
    ui->hSdr_2p3Timer->setEnabled(twoThree);
    ui->ldt_2p3Timer->setEnabled(twoThree);
}

w4::WindowRecord *MainWindow::recordOf(int window)
{
    return wall ? wall->record(window) : nullptr;
}
