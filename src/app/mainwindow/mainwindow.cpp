#include "mainwindow.h"

#include "appstate.h"
#include "devicesession.h"
#include "languagesettings.h"
#include "presetspage.h"
#include "statustexts.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStatusBar>
#include <tuple>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), statusLabel(new QLabel(this))
{
    currentSceneIndex = 0;
    deviceSession = new w4::DeviceSession(this);
    followSession(deviceSession);
    createNetworkDialog();

    ui->setupUi(this);
    ui->port->hide();
    ui->IP->hide();
    ui->label_2->hide();
    ui->label_3->hide();
    ui->label_sliceImage->hide();
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusBar()->addWidget(statusLabel, 1);
    // The input buttons float over the left column so they can be dragged onto
    // the wall; keep them above everything else in the central widget.
    for (QWidget *b : {ui->inBtn_1, ui->inBtn_2, ui->inBtn_3, ui->inBtn_4})
        b->raise();

    buildSpliceCommandMap();
    setupSession();

    languageIndex = readStoredLanguage();
    setupTitleBar();
    setWindowFlags(Qt::FramelessWindowHint);
    setupSerialLink();
    connect(this, &MainWindow::tabbar, this, &MainWindow::langban);
    emit mainsignals();
    emit tabbar();
    emit color();

    setupNetworkLink();

    ui->label_7->setPixmap(QPixmap(QStringLiteral(":/res/res/image/multiply.png")));
    ui->DHCPon->setEnabled(true);
    ui->DHCPoff->setEnabled(false);

    buildInputResolutionTable();
    setupInputSourceButtons();

    for (int i = 1; i <= 9; ++i) {
        ui->rowCbx->addItem(QString::number(i));
        ui->columnCbx->addItem(QString::number(i));
    }
    ui->rowCbx->setCurrentIndex(0);
    ui->columnCbx->setCurrentIndex(0);
    connect(ui->selectSceneBtn, &QPushButton::clicked, this, &MainWindow::onSelectSceneClicked);

    setupReadBack();
    wireControlPages();
    new PresetsPage(this, ui->rightTBox);
    hideUnusedWidgets();
    currentChannelIndex = ui->currentChannelCBox->currentIndex();

    connectWallView();
    ui->cbx_language->setCurrentIndex(languageIndex);
    connect(ui->cbx_language, QOverload<int>::of(&QComboBox::activated), this,
            &MainWindow::onLanguageSelectorActivated);

    createCommunicationLog();

    lockControlPages();

    const QFont layoutFont(QStringLiteral("微软雅黑"));
    ui->rowCbx->setFont(layoutFont);
    ui->columnCbx->setFont(layoutFont);
    ui->groupBox->hide();
    ui->label_43->hide();
    ui->cbx_language->hide();

    setupSendQueue();

    // Digits only, at most four: an interval of 10 s or more between two
    // commands would leave the processor behind the screen for minutes.
    const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
    ui->lineEdit_speed->setText(QStringLiteral("55"));
    ui->lineEdit_speed->setValidator(new QRegularExpressionValidator(digits, ui->lineEdit_speed));
    ui->lineEdit_speed_2->setText(QStringLiteral("110"));
    ui->lineEdit_speed_2->setValidator(new QRegularExpressionValidator(digits, ui->lineEdit_speed_2));
    ui->pushButtonResetK5->hide();
    ui->testButton->hide();

    showConnectionStatus();
    ui->MyMessageButton->hide();

    changeLanguage(languageIndex);
}

MainWindow::~MainWindow()
{
    closeLinks();
    destroyNetworkDialog();
    delete ui;
}

// Widgets that stay in the form but are never shown: the serial group and the
// language row (the title bar offers both), the developer buttons, the colour
// corrections and the modes the processor does not offer.
void MainWindow::hideUnusedWidgets()
{
    const QList<QWidget *> hidden = {
        ui->groupBox,
        ui->label_43,
        ui->cbx_language,
        ui->testButton,
        ui->pushButtonResetK5,
        ui->MyMessageButton,
        ui->label_32,
        ui->label_33,
        ui->label_34,
        ui->hSdr_blueCorrection,
        ui->hSdr_greenConrrection,
        ui->hSdr_skinCorrection,
        ui->ldt_blueCorrection,
        ui->ldt_greenCorrection,
        ui->ldt_skinCorrection,
        ui->ptn_openWindowModel,
        ui->ptn_overlayModel,
        ui->ptn_levelMode,
        ui->ckx_freezeAllWindows,
        ui->label_45,
        ui->label_46,
        ui->groupBox_5,
    };
    for (QWidget *w : hidden)
        w->hide();
}

namespace {

// A label's text as the name of the field beside it: the trailing colon that
// introduces the field is not part of what it is called.
QString labelName(const QLabel *label)
{
    QString name = label->text().simplified();
    while (name.endsWith(QChar(0xFF1A)) || name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace

// Controls without a visible text of their own are named after the label that
// stands beside them, so screen readers announce them in the current language.
// Every name is distinct within the window: a field and its slider, or two
// fields under labels of the same wording, must not sound alike.
void MainWindow::updateAccessibleNames()
{
    const QList<std::tuple<QLabel *, QLineEdit *, QSlider *>> pictureFields = {
        {ui->label_luminance, ui->ldt_luminance, ui->hSdr_luminance},
        {ui->label_contrastRatio, ui->ldt_contrastRatio, ui->hSdr_contrastRatio},
        {ui->label_saturability, ui->ldt_saturability, ui->hSdr_saturability},
        {ui->label_colorTemperature, ui->ldt_colorTemperature, ui->hSdr_colorTemperature},
        {ui->label_hue, ui->ldt_hue, ui->hSdr_hue},
        {ui->label_horizontalSharpness, ui->ldt_horizontalSharpness, ui->hSdr_horizontalSharpness},
        {ui->label_verticalSharpness, ui->ldt_verticalSharpness, ui->hSdr_verticalSharpness},
        {ui->label_32, ui->ldt_blueCorrection, ui->hSdr_blueCorrection},
        {ui->label_33, ui->ldt_greenCorrection, ui->hSdr_greenConrrection},
        {ui->label_34, ui->ldt_skinCorrection, ui->hSdr_skinCorrection},
        {ui->label_horizontalFiltration, ui->ldt_horizontalFiltration, ui->hSdr_horizontalFiltration},
        {ui->label_verticalFiltration, ui->ldt_verticalFiltration, ui->hSdr_verticalFiltration},
        {ui->label_shadowFiltration, ui->ldt_shadowFiltration, ui->hSdr_shadowFiltration},
        {ui->label_blockFiltration, ui->ldt_blockFiltration, ui->hSdr_blockFiltration},
        {ui->label_noiseProcessing, ui->ldt_noiseProcessing, ui->hSdr_noiseProcessing},
        {ui->label_hairTreatment, ui->ldt_hairTreatment, ui->hSdr_hairTreatment},
        {ui->label_DeGrammaMode, ui->ldt_DeGrammaMode, ui->hSdr_DeGrammaMode},
        {ui->label_PanelGammaMode, ui->ldt_PanelGammaMode, ui->hSdr_PanelGammaMode},
        {ui->label_sensitivity, ui->ldt_sensitivity, ui->hSdr_sensitivity},
        {ui->label_diagonalCorrection, ui->ldt_diagonalCorrection, ui->hSdr_diagonalCorrection},
    };
    auto nameField = [this](QLineEdit *field, QSlider *slider, const QString &name) {
        field->setAccessibleName(name);
        slider->setAccessibleName(tr("%1滑块").arg(name));
    };
    for (const auto &[label, field, slider] : pictureFields)
        nameField(field, slider, labelName(label));
    // Both pull-down thresholds sit under the same label; the cadence tells
    // them apart.
    nameField(ui->ldt_2p3Timer, ui->hSdr_2p3Timer, tr("2:3下拉时间阈值"));
    nameField(ui->ldt_2p2Timer, ui->hSdr_2p2Timer, tr("2:2下拉时间阈值"));

    auto crop = [](QLabel *column, QLabel *row) { return column->text() + QLatin1Char(' ') + row->text(); };
    ui->ldt_HorizontalStartLocation->setAccessibleName(crop(ui->label_cropHorizontal, ui->label_cropStart));
    ui->ldt_VerticalStartLocation->setAccessibleName(crop(ui->label_cropVertical, ui->label_cropStart));
    ui->ldt_HorizontalEndLocation->setAccessibleName(crop(ui->label_cropHorizontal, ui->label_cropEnd));
    ui->ldt_VerticalEndLocation->setAccessibleName(crop(ui->label_cropVertical, ui->label_cropEnd));
    // The position and size labels are the same short Latin words in every
    // language; the names say what they measure.
    ui->ldt_PosX->setAccessibleName(tr("窗口位置X"));
    ui->ldt_PosY->setAccessibleName(tr("窗口位置Y"));
    ui->ldt_Width->setAccessibleName(tr("窗口宽度"));
    ui->ldt_Heigh->setAccessibleName(tr("窗口高度"));
    ui->ldt_colorR->setAccessibleName(tr("填充颜色R"));
    ui->ldt_colorG->setAccessibleName(tr("填充颜色G"));
    ui->ldt_colorB->setAccessibleName(tr("填充颜色B"));
    ui->lineEdit_speed->setAccessibleName(tr("网口命令发送间隔"));
    ui->lineEdit_speed_2->setAccessibleName(tr("串口命令发送间隔"));

    ui->rowCbx->setAccessibleName(tr("拼接行数"));
    ui->columnCbx->setAccessibleName(tr("拼接列数"));
    ui->currentChannelCBox->setAccessibleName(labelName(ui->label_currentWindow));
    ui->cbx_windowLevel->setAccessibleName(labelName(ui->label_windowLevel));
    // "On" and "off" alone would also be the words of other buttons.
    ui->DHCPon->setAccessibleName(QStringLiteral("DHCP ") + ui->DHCPon->text());
    ui->DHCPoff->setAccessibleName(QStringLiteral("DHCP ") + ui->DHCPoff->text());

    ui->sliceUpView->setAccessibleName(ui->groupBox_crop->title());
    ui->serialPortComboBox->setAccessibleName(ui->groupBox->title());
    ui->graphicsView->setAccessibleName(ui->groupBox_2->title());
    ui->btn_openColorPalette->setAccessibleName(ui->btn_openColorPalette->text().remove(QLatin1Char('\n')));

    const QList<QPair<QPushButton *, QString>> modes = {
        {ui->ptn_singleScreenModel, tr("单画面")},
        {ui->ptn_twoScreenModel_leftRight, tr("左右两分屏")},
        {ui->ptn_twoDivisionModel_upDown, tr("上下两分屏")},
        {ui->ptn_fourDivisionModel, tr("四分屏")},
        {ui->ptn_fourDivisionModel_OBTS, tr("一大三小")},
        {ui->ptn_twoDivisionModel_OBOS, tr("一大一小")},
    };
    for (const auto &m : modes) {
        m.first->setAccessibleName(m.second);
        m.first->setToolTip(m.second);
    }
}

void MainWindow::lockControlPages()
{
    setControlPagesEnabled(false);
}

// Unlocking also offers "save all"; "modify" only when the chosen layout differs
// from the one in force.
void MainWindow::unlockControlPages()
{
    setControlPagesEnabled(true);
    ui->selectSceneBtn->setEnabled(ui->rowCbx->currentIndex() != appliedRowIndex ||
                                   ui->columnCbx->currentIndex() != appliedColumnIndex);
    ui->ptn_saveAll->setEnabled(true);
}

void MainWindow::setControlPagesEnabled(bool enabled)
{
    const QList<QWidget *> controls = {
        ui->rowCbx,
        ui->columnCbx,
        ui->selectSceneBtn,
        ui->inBtn_1,
        ui->inBtn_2,
        ui->inBtn_3,
        ui->inBtn_4,
        ui->currentChannelCBox,
        // Not the whole page box: the developer page's offline button must stay
        // usable, or offline editing could never be chosen while locked.
        ui->page1,
        ui->page3,
        ui->frame_processing,
        ui->checkBox,
        ui->page2,
        ui->ckx_showWindow,
        ui->cbx_windowLevel,
        ui->ckx_enableAudio,
        ui->ckx_freezeWindow,
        ui->ckx_solidColor,
        ui->ldt_colorR,
        ui->ldt_colorG,
        ui->ldt_colorB,
        ui->btn_openColorPalette,
        ui->ptn_singleScreenModel,
        ui->ptn_twoDivisionModel_OBOS,
        ui->ptn_twoScreenModel_leftRight,
        ui->ptn_twoDivisionModel_upDown,
        ui->ptn_fourDivisionModel,
        ui->ptn_fourDivisionModel_OBTS,
        ui->page4,
        ui->cbx_deinterlace,
        ui->ptn_refresh,
        ui->ptn_factoryDataReset,
    };
    for (QWidget *w : controls)
        w->setEnabled(enabled);
    setWallMenusEnabled(enabled);
}

void MainWindow::setStatusText(const QString &text)
{
    statusLabel->setText(text);
}

QString MainWindow::statusLine() const
{
    return statusLabel->text();
}

void MainWindow::bar2(QString string)
{
    setStatusText(string);
}

// Nothing to do: the signal tabbar() is also what makes the title bar re-label.
void MainWindow::langban() {}
