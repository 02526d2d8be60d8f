#pragma once

#include "addresschecks.h"
#include "searchreply.h"

#include <QStringList>
#include <QWidget>

class NetworkDialogHost;
class NetworkHelp;
class QComboBox;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace Ui {
class NetworkDialog;
}

// The connection settings window: pick the local network card, find
// processors on its network by broadcast, connect to one or disconnect, change
// a processor's IP and MAC address, open the serial port, switch the language.
class NetworkDialog : public QWidget
{
    Q_OBJECT

public:
    // The width the window is laid out for.
    static constexpr int FormWidth = 1260;

    enum Column { NumberColumn, IpColumn, MacColumn, PortColumn, VersionColumn, ProtocolColumn, ColumnCount };

    explicit NetworkDialog(NetworkDialogHost *host, QWidget *parent = nullptr);
    ~NetworkDialog() override;

    // The card addresses a search can be made from.
    static QStringList listLocalIPv4Addresses();

    // A search is running: replies that reach the main window's UDP socket
    // belong to it.
    bool searchMode() const { return searching; }
    // Rows filled by the current or last search.
    int foundDeviceCount() const { return foundDevices; }

    // One datagram received while searching. False when it is malformed: the
    // caller then leaves the datagrams still queued for its next notification.
    // Only a reply that names a device not listed yet fills a row, up to
    // w4::SearchResults::MaxDevices rows.
    bool handleSearchReply(const QByteArray &datagram);
    // What the current or last search took and dropped.
    const w4::SearchResults &searchResults() const { return results; }

    // Re-times the send timers for the link that is up now.
    void updateRefreshInterval();

    // Shows whether reconnecting is on; the session owns the setting, and the
    // check box only shows it and asks to change it.
    void showReconnectEnabled(bool on);

    // Re-applies every text after a language change (help window included).
    void retranslate();

    // What the main window reads: the chosen card, the selected device, and the
    // serial port widgets it fills and labels.
    QString localAddress() const;
    QString selectedDeviceAddress() const;
    QString selectedDevicePort() const;
    // The selected row as a TCP endpoint; false, after telling the user what
    // is wrong, when no row is selected or its address or port is no good.
    bool checkedTcpEndpoint(QString *address, quint16 *port);
    QComboBox *serialPortComboBox() const;
    QPushButton *openButton() const;
    QTableWidget *deviceTable() const;
    NetworkHelp *helpWindow() const { return help; }

private slots:
    void on_ptn_refresh_clicked();
    void on_ptn_findDevice_clicked();
    void upDatatimer();
    void on_ptn_connectDevice_clicked();
    void on_ptn_disconnectDevice_clicked();
    void on_openButton_clicked();
    void on_changeIP_clicked();
    void on_pushButtonHelp_clicked();
    void on_Button_EN_clicked();
    void on_Button_RU_clicked();
    void on_Button_CN_clicked();

private:
    void setUpTable();
    void fillRowItems(int row);
    int selectedRow() const;
    QString cellText(int row, int column) const;
    void sendSearchRequest(const QString &card);
    void setSearchControlsEnabled(bool enabled);
    void showSearchCountdown();
    void endSearch();
    void warn(const QString &text);
    static QString problemText(AddressProblem problem);
    void chooseLanguage(int index);
    void sendAddressDatagram(const QString &card, const QString &command);
    void onCellChanged(QTableWidgetItem *item);

    Ui::NetworkDialog *ui;
    NetworkDialogHost *mainWindow;
    int searchCountdown = 3;
    QTimer *searchTimer;
    NetworkHelp *help;
    bool searching = false;
    int foundDevices = 0;
    // The devices of the last search, one per hardware address; the user may
    // have edited their rows since.
    w4::SearchResults results;
    // A search reply is being written into a row (not the user typing).
    bool fillingRow = false;
};
