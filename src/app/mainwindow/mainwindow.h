#pragma once

#include "commandqueue.h"
#include "divisionmodes.h"
#include "frames.h"
#include "networkdialoghost.h"
#include "pagefields.h"
#include "sliderpairs.h"
#include "statusdatagram.h"
#include "windowfeatures.h"

#include <QHostAddress>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>

class CommunicationDialog;
class InputSourceButton;
class NetworkDialog;
class PagesWall;
class QColor;
class QColorDialog;
class NoticeWidget;
class QComboBox;
class QLabel;
class QPushButton;
class QTcpSocket;
class QTimer;
class QTranslator;
class QUdpSocket;

namespace Ui {
class MainWindow;
}

// The one top-level window: the wall editor in the middle, the input, layout and
// connection groups on the left, the five control pages on the right and the
// connection status at the bottom. Its implementation is split by concern:
//   mainwindow.cpp          construction, destruction, locking the pages
//   mainwindow_language.cpp language switch and re-labelling
//   mainwindow_titlebar.cpp the title bar (chrome/maintitlebar.h)
//   mainwindow_developer.cpp hidden developer buttons
//   mainwindow_wall.cpp     wall rebuild, input buttons and drops, wall view wiring
//   mainwindow_pages_wiring.cpp, mainwindow_picture.cpp, mainwindow_window.cpp,
//   mainwindow_layout.cpp, mainwindow_maintenance.cpp  the control pages
//   mainwindow_readback.cpp, mainwindow_readback_udp.cpp  reading the state back
//   mainwindow_pending.cpp  hooks and slots other parts of the program fill in
class MainWindow : public QMainWindow, public NetworkDialogHost
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Nothing can be edited until a link is up or offline mode is chosen.
    void lockControlPages();
    void unlockControlPages();

    // Status bar text (the connection state).
    void setStatusText(const QString &text);
    QString statusLine() const;

    // ---- Sending (mainwindow_send.cpp) ----
    // Queues one hexadecimal command text for the processor; the send timer
    // writes one queued command per tick to whichever link is up.
    void send(const QString &command);
    void sendNextCommand();
    // True when a link is up or offline mode is on; otherwise tells the user.
    bool checkConnected();
    w4::CommandQueue sendQueue;
    QTimer *sendTimer = nullptr;
    CommunicationDialog *communicationDialog = nullptr;
    // Commands go to the device as datagrams (a device read over UDP).
    bool sendByDatagram = false;
    QString deviceAddress;

    // ---- Serial link (mainwindow_serial.cpp) ----
    QStringList validSerialPorts;
    QStringList shownSerialPorts;
    QTimer *portPollTimer = nullptr;

    // ---- Network link (mainwindow_network.cpp) ----
    void rebindUdpSocket(const QHostAddress &local) override;
    // The device chosen in the connection settings window: address and port text.
    QPair<QString, QString> networkDeviceEndpoint() const;

    QTcpSocket *tcp = nullptr;
    QUdpSocket *udp = nullptr;
    QTimer *connectTimeoutTimer = nullptr;

    // ---- Reading the processor's state back (mainwindow_readback*.cpp) ----
    // Everything the TCP socket had: frames are taken from the stream whole,
    // however the reads cut it, and applied as they arrive.
    void read(const QByteArray &bytes);
    // Run when a TCP connection comes up: the queries at 600 ms steps, the
    // waiting dialog, the check and one more pass, then the result box.
    void startTcpReadSequence();
    void startReadSequence();
    // The connection window's connect button: reads the selected device over
    // UDP; the link is up only when every part of the state was read.
    void connectNetworkDevice(bool dhcp) override;
    // A status datagram outside a search, with its sender; only the device
    // being read can fill the status records. False stops handling the
    // datagrams still queued until the next notification.
    bool handleStatusDatagram(const QByteArray &datagram, const QHostAddress &sender);

    bool allWindowsRead = false;
    // Picture size for each resolution code the processor reports (0..38).
    QVector<QSize> inputResolutionTable;
    QTimer *readSequenceTimer = nullptr;
    int readSequenceStep = 0;
    // Window frames since the last global frame, as a bit per window 1..4.
    int windowsReadMask = 0;
    w4::TcpFrameAssembler tcpFrames;
    // 0 not reading, 1 device-wide record, 2..4 first to third read of a window.
    int udpReceiveSlot = 0;
    QHostAddress udpReadDevice;
    w4::StatusRecord globalStatusRecord;
    std::array<w4::StatusRecord, 3> windowStatusRecords;

private:
    void onReadSequenceTick();
    void checkTcpRead(quint64 connection, bool secondPass);
    void applyGlobalFrame(const w4::GlobalFrame &frame);
    void applyWindowFrame(const w4::WindowStatus &status);
    // What both readers write alike into window 0..3's record.
    void applyWindowStatus(int window, const w4::WindowStatus &status);
    void showWindowItem(int window, bool shown);
    // Layout selectors, rebuilt wall and layout name; false for a layout that
    // is not one of the 23.
    bool applyWallLayout(int rows, int columns);
    // The common UDP read; true when every window was read. `layoutRead` tells
    // whether the device-wide record came (else the wall was kept as it was).
    bool readDeviceOverUdp(const QString &device, bool refresh, bool *layoutRead);
    void sendReadQuery(const QString &literal, const QString &device);
    void applyWindowRecord(int window, const w4::StatusRecord &record);
    void applyCropsAndLayers();
    void logResolution(int windowNumber, int source, const QSize &size, int code, bool udp);
    // Runs `apply` and drops whatever the pages queued while showing its result.
    void applyWithoutEchoes(const std::function<void()> &apply);

    // Counts TCP connections, so a check that outlives its connection is dropped.
    quint64 tcpConnectionCount = 0;
    bool udpReadRunning = false;

public:
    // ---- end of reading back ----

    // ---- Connection settings window (mainwindow_network.cpp) ----
    NetworkDialog *networkDialog = nullptr;
    QUdpSocket *udpSocket() override { return udp; }
    QString networkSendIntervalText() const override;
    QString serialSendIntervalText() const override;
    void restartSendTimers(int intervalMs) override;

    // ---- Wall editor (mainwindow_wall.cpp) ----
    // Sizes the wall from rowCbx x columnCbx, returns the windows to their
    // default arrangement, refreshes the pages and refits the zoom.
    void rebuildWall();
    // An input button was dropped at a global position: the window there gets
    // that source (button number 1..4).
    void dropInputSource(int source, QPoint globalPos);
    // inBtn_1 .. inBtn_4; index = a window's inputSourceId.
    QList<InputSourceButton *> inputSourceButtons;

    int currentSceneIndex = 0;
    int currentChannelIndex = 0;
    // Layout last applied with the "modify" button or read from the device.
    int appliedRowIndex = 0;
    int appliedColumnIndex = 0;

    // ---- Control pages (mainwindow_pages_*.cpp) ----
public:
    // Window parameter command for window 0..3, or 255 for the current window.
    void sendWindowCommand(int window, int code, int value);
    // Picture value `index` (0..21) of the current window; other indexes send nothing.
    void sendPictureValue(int index, int value);
    // Steps window `window` (0..3, 255 = current) to level levelIndex + 1.
    void setWindowLayer(int window, int levelIndex);
    void sendLayerOrder();
    // The geometry fields lie within the wall; otherwise they are put back and the
    // user is told.
    bool checkWindowGeometry();
    // The record of window 0..3 of the edited scene (null for another index).
    w4::WindowRecord *recordOf(int window);
    PagesWall *pagesWall() const { return wall; }
    bool sliderThrottleActive() const { return sliderThrottle.isActive(); }

    QMap<QString, QString> spliceCommandMap;
    QTimer *sliderThrottleTimer = nullptr;
    QColorDialog *colorDialog = nullptr;

private:
    void wirePictureValuePairs();
    void onPictureSliderValueChanged(int index, int value);
    void onPictureSliderReleased(int index);
    void onPictureEditFinished(int index);
    void onPictureSliderAction(int index);
    void refreshCurrentWindow();
    void refreshControls(int window);
    void refreshCropEditor(int window);
    void applyFrozenLock();
    void unlockForWindow();
    void setDeinterlaceGroupEnabled(bool enabled);
    void applyDivisionMode(w4::DivisionMode mode);

    void onFlagBoxChanged(int state, bool w4::WindowRecord::*flag, int code);
    void onDeinterlaceChanged(int state);
    void onPullDownChanged(int state, bool twoTwo);
    void onGeometryEdited(w4::GeometryField field);
    void onCropEdited(w4::CropField field);
    void onShowWindowChanged(int state);
    void onFreezeWindowChanged(int state);
    void onSolidColorChanged(int state);
    void onColorEdited(w4::ColorChannel channel);
    void onPaletteColorSelected(const QColor &color);
    void onWindowLevelChanged(int index);
    void onAudioChanged(int state);
    // Save and factory reset speak to the device itself: a link must be up.
    bool requireDeviceLink();

    PagesWall *wall = nullptr;
    w4::SliderThrottle sliderThrottle;
    // Refresh of the pages in progress (for nested refreshes of the same window).
    int refreshingWindow = -1;
    bool refreshAgain = false;

public:
    // ---- end of control pages ----

signals:
    void mainsignals();
    void color();
    void tabbar();
    void readInfo(QString info);

public slots:
    void bar2(QString string);
    void showValidPort() override;
    void langban();
    void WidgetControl();
    void on_openButton_clicked() override;
    void on_connect_clicked() override;
    void on_checkBox_clicked(bool checked);
    void readyReadSlot();
    void on_rowCbx_currentIndexChanged(int index);
    void on_btn_openColorPalette_clicked();
    void changeUIBaseSelectChannel(int ChannelID);
    void on_ptn_singleScreenModel_clicked();
    void on_ptn_openWindowModel_clicked();
    void on_ptn_overlayModel_clicked();
    void on_ptn_fourDivisionModel_clicked();
    void on_ptn_levelMode_clicked();
    void on_DHCPon_clicked();
    void on_DHCPoff_clicked();
    void on_ptn_factoryDataReset_clicked();
    void on_btn_page2Reset_clicked();
    void on_ckx_freezeAllWindows_stateChanged(int arg1);
    void on_ptn_FreezeAllWindow_clicked();
    void on_ptn_twoDivisionModel_OBOS_clicked();
    void on_ptn_twoScreenModel_leftRight_clicked();
    void on_ptn_twoDivisionModel_upDown_clicked();
    void on_ptn_fourDivisionModel_OBTS_clicked();
    void changeSliceInfo(int mode, int HStart, int VStart, int HEnd, int VEnd);
    void on_ptn_saveAll_clicked();
    void on_ptn_offLine_clicked();
    void on_ptn_refresh_clicked();
    void on_columnCbx_currentIndexChanged(int index);
    void on_NetConnectBtn_clicked();
    void parsingLowerComputerStatusByUdp();
    void changeLanguage(int index) override;

private slots:
    void on_testButton_clicked();
    void on_pushButtonResetK5_clicked();
    void on_MyMessageButton_clicked();

private:
    // Construction steps of the frame itself.
    void hideUnusedWidgets();
    void setControlPagesEnabled(bool enabled);
    void updateAccessibleNames();
    void showConnectionStatus();
    // Re-labelling through the language selector of the form (hidden).
    void onLanguageSelectorActivated(int index);
    void installTranslation(int index);

    // Hooks into the parts of the program built around the frame; each is run
    // at its place in the construction order (see the constructor).
    void createNetworkDialog();
    void destroyNetworkDialog();
    void buildSpliceCommandMap();
    void setupTitleBar();
    void setupSerialLink();
    void setupNetworkLink();
    void closeLinks();
    void buildInputResolutionTable();
    void setupInputSourceButtons();
    void onSelectSceneClicked();
    void setupReadBack();
    void wireControlPages();
    void connectWallView();
    void createCommunicationLog();
    void setupSendQueue();
    void setWallMenusEnabled(bool enabled);
    void retranslateOwnedWindows();
    // Re-labelling of the windows built by other parts, called by the language
    // switch: the wall view's menus, the connection settings window and its help.
    void retranslateWallView();
    void retranslateNetworkDialog();
    void applySendInterval();

    // Link plumbing.
    QList<QComboBox *> serialPortLists() const;
    QList<QPushButton *> serialOpenButtons() const;
    void setSerialOpenButtonsText(const QString &text);
    void showOpenedNotices();
    void serialLinkUp();
    void onTcpConnected();
    void onTcpDisconnected();
    void onConnectTimeout();
    void setWindowsMovable(bool movable);
    void restartGeometryGate(int intervalMs);
    void writeToLink(const w4::QueuedCommand &command);
    void showSerialPortMessage(const QString &chinese, const QString &other, bool ownOkButtonAlways);

    Ui::MainWindow *ui;
    QLabel *statusLabel;
    NoticeWidget *mainNotice = nullptr;
    NoticeWidget *dialogNotice = nullptr;
    // Chinese, English, Russian and an empty one for unknown indexes.
    QTranslator *languageTranslators[4] = {};
};
