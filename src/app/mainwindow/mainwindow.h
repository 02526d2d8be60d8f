#pragma once

#include "commandsink.h"
#include "divisionmodes.h"
#include "frames.h"
#include "networkdialoghost.h"
#include "pagefields.h"
#include "serialportmanager.h"
#include "sessionstate.h"
#include "sliderpairs.h"
#include "statusdatagram.h"
#include "udpreadback.h"
#include "windowfeatures.h"
#include "windowstatusapply.h"

#include <QHostAddress>
#include <QMainWindow>
#include <QStringList>

#include <array>

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
class QTimer;
class QTranslator;
class QUdpSocket;

namespace w4 {
class DeviceSession;
}

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
//   mainwindow_send.cpp, mainwindow_serial.cpp, mainwindow_network.cpp  the links
//   mainwindow_session.cpp  how the session's connection state is shown
// The device session (links, sending, read-back, the device's state) is an
// object of its own; the window presents it and turns user input into calls
// on it.
class MainWindow : public QMainWindow, public NetworkDialogHost, public CommandSink
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

    // The device session this window presents.
    w4::DeviceSession *session() const { return deviceSession; }

    // ---- Sending (mainwindow_send.cpp) ----
    // Queues one hexadecimal command text for the processor; the session's
    // sender writes one queued command per tick to whichever link is up.
    void send(const QString &command) override;
    void sendNextCommand();
    // True when a link is up or offline mode is on; otherwise tells the user.
    bool checkConnected();
    CommunicationDialog *communicationDialog = nullptr;

    // ---- Serial link (mainwindow_serial.cpp) ----
    QStringList validSerialPorts;
    QStringList shownSerialPorts;
    // Polled once a second; a full scan only when the system's devices changed.
    SerialPortWatch portWatch;
    QTimer *portPollTimer = nullptr;

    // ---- Network link (mainwindow_network.cpp) ----
    void rebindUdpSocket(const QHostAddress &local) override;
    // The device chosen in the connection settings window: address and port text.
    QPair<QString, QString> networkDeviceEndpoint() const;

    // ---- Reading the processor's state back (mainwindow_readback*.cpp) ----
    // Everything the TCP socket had: frames are taken from the stream whole,
    // however the reads cut it, and applied as they arrive.
    void read(const QByteArray &bytes);
    // Run when a TCP connection comes up: the waiting dialog while the queries
    // go out, the check and one more pass, then the result box.
    void startTcpReadSequence();
    void startReadSequence();
    // The connection window's connect button: reads the selected device over
    // UDP; the link is up only when every part of the state was read.
    void connectNetworkDevice(bool dhcp) override;
    // Connects over TCP to an address and port typed in the connection window.
    void connectTcpDevice(const QString &address, quint16 port) override;
    // Every part of the state came in the last TCP read.
    bool allWindowsRead() const;

    // Picture size for each resolution code the processor reports (0..38).
    QVector<QSize> inputResolutionTable;

private:
    void checkTcpRead(quint64 run, bool secondPass);
    // Shows the waiting dialog until the TCP read in progress is over.
    void waitForTcpRead(const QString &text);
    void onDeviceWideChanged(w4::StatusOrigin origin);
    void onDeviceWindowChanged(int index, w4::StatusOrigin origin);
    void applyGlobalFrame();
    void applyWindowFrame(int window);
    void showWindowItem(int window, bool shown);
    // Layout selectors, rebuilt wall and layout name; false for a layout that
    // is not one of the 23.
    bool applyWallLayout(int rows, int columns);
    // The common UDP read's presentation: what was read is applied by the
    // model's announcements; this reports the outcome.
    void reportUdpRead(const w4::UdpReadResult &result, bool refresh);
    void applyWindowRecord(int window);
    void setupUdpReadBack();
    void applyCropsAndLayers();
    void logResolution(int windowNumber, int source, const QSize &size, int code, bool udp);

    // Counts TCP reads, so a check that outlives its read (or its link) is dropped.
    quint64 tcpReadRun = 0;

public:
    // ---- end of reading back ----

    // ---- Connection settings window (mainwindow_network.cpp) ----
    NetworkDialog *networkDialog = nullptr;
    QUdpSocket *udpSocket() override;
    QString networkSendIntervalText() const override;
    QString serialSendIntervalText() const override;
    void restartSendTimers(int intervalMs) override;
    bool reconnectEnabled() const override;
    void setReconnectEnabled(bool on) override;

    // ---- Wall editor (mainwindow_wall.cpp) ----
    // Sizes the wall from rowCbx x columnCbx, returns the windows to their
    // default geometry, refreshes the pages and refits the zoom. The windows
    // keep their other values; only a factory reset of the processor brings
    // the defaults back.
    enum class WindowValues { Kept, Defaults };
    void rebuildWall(WindowValues values = WindowValues::Kept);
    void updateGeometryValidators();
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
    void onPictureEditRefused(int index);
    void onPictureSliderAction(int index);
    void refreshCurrentWindow();
    void refreshControls(int window);
    QList<QObject *> pageControls() const;
    void refreshCropEditor(int window);
    void showPageLock();
    void applyFrozenLock();
    void unlockForWindow();
    void setDeinterlaceGroupEnabled(bool enabled);
    void applyDivisionMode(w4::DivisionMode mode);

    void onFlagBoxChanged(int state, bool w4::WindowRecord::*flag, int code);
    void onDeinterlaceChanged(int state);
    void onPullDownChanged(int state, bool twoTwo);
    void onGeometryEdited(w4::GeometryField field);
    int shownGeometry(int window, w4::GeometryField field);
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
    void readyReadSlot(const QByteArray &bytes);
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
    // A datagram outside a device read: a search reply while a search runs.
    void parsingLowerComputerStatusByUdp(const QByteArray &datagram);
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
    void installQtTranslation(int index);

    // Hooks into the parts of the program built around the frame; each is run
    // at its place in the construction order (see the constructor).
    void createNetworkDialog();
    void destroyNetworkDialog();
    void buildSpliceCommandMap();
    void setupTitleBar();
    void setupSerialLink();
    void setupNetworkLink();
    QString udpBindProblem();
    void closeLinks();
    void buildInputResolutionTable();
    void setupInputSourceButtons();
    void onSelectSceneClicked();
    void setupReadBack();
    void wireControlPages();
    void connectWallView();
    void createCommunicationLog();
    void setupSendQueue();
    void setupSession();
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
    void setWindowsMovable(bool movable);
    void restartGeometryGate(int intervalMs);
    void showSerialPortMessage(const QString &chinese, const QString &other, bool ownOkButtonAlways);
    void showConnectFailure();

    // The one handler of the session's state: status line, button texts, page
    // lock and the boxes that tell of a change (mainwindow_session.cpp).
    void showSessionState(const w4::SessionState &state, w4::SessionChange change);
    QString reportUnconfirmedCommands();
    void showConnectButtonText();
    void showSerialOpenButtonsText();
    void showReconnected();

    w4::DeviceSession *deviceSession = nullptr;

    Ui::MainWindow *ui;
    QLabel *statusLabel;
    NoticeWidget *mainNotice = nullptr;
    NoticeWidget *dialogNotice = nullptr;
    // Chinese, English, Russian and an empty one for unknown indexes.
    QTranslator *languageTranslators[4] = {};
    // Qt's own catalogues, by language (English has none).
    QTranslator *qtTranslators[3] = {};
};
