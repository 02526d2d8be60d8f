#pragma once

#include <QMainWindow>

class QLabel;
class QTranslator;

namespace Ui {
class MainWindow;
}

// The one top-level window: the wall editor in the middle, the input, layout and
// connection groups on the left, the five control pages on the right and the
// connection status at the bottom. Its implementation is split by concern:
//   mainwindow.cpp          construction, destruction, locking the pages
//   mainwindow_language.cpp language switch and re-labelling
//   mainwindow_developer.cpp hidden developer buttons
//   mainwindow_pending.cpp  hooks and slots other parts of the program fill in
class MainWindow : public QMainWindow
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

    // Queues one hexadecimal command text for the processor.
    void send(const QString &command);

    int currentSceneIndex = 0;
    int currentChannelIndex = 0;
    // Layout last applied with the "modify" button or read from the device.
    int appliedRowIndex = 0;
    int appliedColumnIndex = 0;

signals:
    void mainsignals();
    void color();
    void tabbar();
    void readInfo(QString info);

public slots:
    void bar2(QString string);
    void showValidPort();
    void langban();
    void WidgetControl();
    void on_openButton_clicked();
    void on_connect_clicked();
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
    void changeLanguage(int index);

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
    void applySendInterval();

    Ui::MainWindow *ui;
    QLabel *statusLabel;
    // Chinese, English, Russian and an empty one for unknown indexes.
    QTranslator *languageTranslators[4] = {};
};
