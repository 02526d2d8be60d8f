#include "networkdialog.h"

#include "addresses.h"
#include "appstate.h"
#include "localaddresses.h"
#include "mymessagebox.h"
#include "networkdialoghost.h"
#include "networkhelp.h"
#include "networklog.h"
#include "searchreply.h"
#include "ui_networkdialog.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QHostAddress>
#include <QSignalBlocker>
#include <QTimer>
#include <QUdpSocket>

Q_LOGGING_CATEGORY(lcNetwork, "w4.network", QtInfoMsg)

NetworkDialog::NetworkDialog(NetworkDialogHost *host, QWidget *parent)
    : QWidget(parent), ui(new Ui::NetworkDialog), mainWindow(host), searchTimer(new QTimer(this)),
      help(nullptr)
{
    ui->setupUi(this);
    setWindowFlags(Qt::MSWindowsFixedSizeDialogHint);
    ui->pushButton->hide();

    setUpTable();
    connect(ui->tableWidget, &QTableWidget::itemChanged, this, &NetworkDialog::onCellChanged);

    searchTimer->setInterval(1000);
    connect(searchTimer, &QTimer::timeout, this, &NetworkDialog::upDatatimer);

    // The serial port list here is kept current by the main window's poll,
    // whether this window is shown or not.

    help = new NetworkHelp(this);

    if (mainWindow)
        showReconnectEnabled(mainWindow->reconnectEnabled());
    connect(ui->reconnectCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (mainWindow)
            mainWindow->setReconnectEnabled(on);
    });

    // Offer the cards at once, so a search needs no extra click.
    on_ptn_refresh_clicked();
}

NetworkDialog::~NetworkDialog()
{
    delete ui;
}

void NetworkDialog::setUpTable()
{
    QTableWidget *table = ui->tableWidget;
    table->setRowCount(table->rowCount() + 4);
    table->setEditTriggers(QAbstractItemView::CurrentChanged);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(NumberColumn, QHeaderView::ResizeToContents);
    for (int row = 0; row < table->rowCount(); ++row)
        fillRowItems(row);
}

void NetworkDialog::fillRowItems(int row)
{
    for (int column = 0; column < ColumnCount; ++column) {
        if (ui->tableWidget->item(row, column))
            continue;
        auto *item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        // The port is typed as well: with an address it is a device to reach
        // over TCP that no search found.
        if (column != IpColumn && column != MacColumn && column != PortColumn)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        ui->tableWidget->setItem(row, column, item);
    }
}

int NetworkDialog::selectedRow() const
{
    const QModelIndexList rows = ui->tableWidget->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString NetworkDialog::cellText(int row, int column) const
{
    const QTableWidgetItem *item = ui->tableWidget->item(row, column);
    return item ? item->text() : QString();
}

QStringList NetworkDialog::listLocalIPv4Addresses()
{
    return localIPv4Addresses(localInterfaces());
}

void NetworkDialog::on_ptn_refresh_clicked()
{
    ui->cbx_ipAddress->clear();
    ui->cbx_ipAddress->addItems(listLocalIPv4Addresses());
}

// --- Device search ---

void NetworkDialog::on_ptn_findDevice_clicked()
{
    // Decided by state rather than by the button text, which a language
    // change rewrites while a search runs.
    if (searching) {
        endSearch();
        return;
    }

    foundDevices = 0;
    results.clear();
    ui->tableWidget->clearContents();
    for (int row = 0; row < ui->tableWidget->rowCount(); ++row)
        fillRowItems(row);

    const QString card = localAddress();
    if (card.isEmpty()) {
        warn(tr("必须选择网卡"));
        return;
    }
    sendSearchRequest(card);

    searchCountdown = 3;
    searchTimer->start();
    showSearchCountdown();
    setSearchControlsEnabled(false);
    searching = true;
}

void NetworkDialog::sendSearchRequest(const QString &card)
{
    if (!mainWindow)
        return;
    mainWindow->rebindUdpSocket(QHostAddress(card));
    QUdpSocket *socket = mainWindow->udpSocket();
    if (!socket)
        return;
    // The query already ends in its check byte.
    const QByteArray query = QByteArray::fromHex("08080000E1");
    const QHostAddress broadcast(w4::subnetBroadcast(card));
    socket->writeDatagram(query, broadcast, 23);
    socket->writeDatagram(query, broadcast, 68);
}

void NetworkDialog::endSearch()
{
    searchTimer->stop();
    searching = false;
    ui->ptn_findDevice->setText(tr("查找设备"));
    setSearchControlsEnabled(true);
    // The first dropped reply was logged as it came; the rest only here, in
    // one line, however many a flood brought.
    if (results.droppedTotal() > 1)
        qCWarning(lcNetwork).noquote() << "search:" << results.found() << "devices,"
                                     << results.droppedSummary();
}

void NetworkDialog::upDatatimer()
{
    --searchCountdown;
    showSearchCountdown();
    if (searchCountdown <= 0) {
        searchTimer->stop();
        on_ptn_findDevice_clicked();
    }
}

void NetworkDialog::showSearchCountdown()
{
    ui->ptn_findDevice->setText(tr("停止查找(") + QString::number(searchCountdown) + QLatin1Char(')'));
}

void NetworkDialog::setSearchControlsEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(ui->cbx_ipAddress), static_cast<QWidget *>(ui->ptn_refresh),
                       static_cast<QWidget *>(ui->changeIP), static_cast<QWidget *>(ui->ptn_connectDevice),
                       static_cast<QWidget *>(ui->ptn_disconnectDevice)})
        w->setEnabled(enabled);
}

bool NetworkDialog::handleSearchReply(const QByteArray &datagram)
{
    if (!searching)
        return true;
    w4::SearchReply device;
    const w4::SearchResults::Outcome outcome = results.add(datagram, &device);
    if (outcome != w4::SearchResults::Outcome::Added) {
        if (results.droppedTotal() == 1)
            qCWarning(lcNetwork) << "search reply dropped," << w4::describe(outcome)
                               << "(further ones are counted):" << datagram.left(64);
        return outcome != w4::SearchResults::Outcome::Malformed;
    }
    const w4::SearchReply *reply = &device;

    QTableWidget *table = ui->tableWidget;
    // Keep an empty row below the last device, made like the others.
    if (foundDevices + 1 >= table->rowCount()) {
        table->insertRow(table->rowCount());
        fillRowItems(table->rowCount() - 1);
    }
    const int row = foundDevices;
    fillRowItems(row);
    fillingRow = true;

    const bool dhcp = reply->dhcp();
    table->item(row, NumberColumn)->setText(QString::number(row + 1));
    table->item(row, IpColumn)->setText(reply->ip());
    table->item(row, MacColumn)->setText(reply->mac());
    table->item(row, PortColumn)->setText(reply->port());
    table->item(row, VersionColumn)->setText(reply->beta());
    table->item(row, ProtocolColumn)->setText(dhcp ? QStringLiteral("DHCP") : QStringLiteral("UDP"));
    // A device that takes its address by DHCP cannot be given one.
    for (int column : {IpColumn, MacColumn}) {
        QTableWidgetItem *item = table->item(row, column);
        item->setFlags(dhcp ? item->flags() & ~Qt::ItemIsEditable : item->flags() | Qt::ItemIsEditable);
    }
    fillingRow = false;
    ++foundDevices;
    return true;
}

// --- Connecting and disconnecting ---

void NetworkDialog::on_ptn_connectDevice_clicked()
{
    const int row = selectedRow();
    if (row < 0) {
        warn(tr("请先选择要连接的设备！"));
        return;
    }
    if (cellText(row, IpColumn).isEmpty() || cellText(row, PortColumn).isEmpty()) {
        warn(tr("IP地址、TCP端口号为必填！"));
        return;
    }
    if (networkConnected()) {
        warn(tr("您已建立连接，若要建立新的连接，请先断开连接！"));
        return;
    }
    const QString protocol = cellText(row, ProtocolColumn);
    // A row the user typed: the address and port to reach over TCP.
    if (protocol == QLatin1String("TCP")) {
        QString address;
        quint16 port = 0;
        if (!checkedTcpEndpoint(&address, &port))
            return;
        if (mainWindow)
            mainWindow->connectTcpDevice(address, port);
        updateRefreshInterval();
        return;
    }
    const AddressProblem problem = checkConnectAddresses(cellText(row, IpColumn), cellText(row, MacColumn));
    if (problem != AddressProblem::None) {
        warn(problemText(problem));
        return;
    }
    if (protocol != QLatin1String("DHCP") && protocol != QLatin1String("UDP")) {
        warn(tr("未确定连接协议，无法连接"));
        return;
    }
    if (mainWindow)
        mainWindow->connectNetworkDevice(protocol == QLatin1String("DHCP"));
    updateRefreshInterval();
}

bool NetworkDialog::checkedTcpEndpoint(QString *address, quint16 *port)
{
    const int row = selectedRow();
    if (row < 0) {
        warn(tr("请先选择要连接的设备！"));
        return false;
    }
    const QString ip = cellText(row, IpColumn);
    const QString portText = cellText(row, PortColumn);
    if (ip.trimmed().isEmpty() || portText.trimmed().isEmpty()) {
        warn(tr("IP地址、TCP端口号为必填！"));
        return false;
    }
    const AddressProblem problem = checkTcpEndpoint(ip, portText, port);
    if (problem != AddressProblem::None) {
        warn(problemText(problem));
        return false;
    }
    *address = w4::ipForConnecting(ip.trimmed());
    return true;
}

// A row no search filled becomes a device to reach over TCP as soon as the
// user types its address or port, and an empty row again when both are cleared.
void NetworkDialog::onCellChanged(QTableWidgetItem *item)
{
    if (fillingRow || (item->column() != IpColumn && item->column() != PortColumn))
        return;
    const int row = item->row();
    QTableWidgetItem *protocol = ui->tableWidget->item(row, ProtocolColumn);
    if (!protocol)
        return;
    const bool typed =
        !cellText(row, IpColumn).trimmed().isEmpty() || !cellText(row, PortColumn).trimmed().isEmpty();
    if (protocol->text().isEmpty() && typed)
        protocol->setText(QStringLiteral("TCP"));
    else if (protocol->text() == QLatin1String("TCP") && !typed)
        protocol->setText(QString());
}

void NetworkDialog::on_ptn_disconnectDevice_clicked()
{
    // A lost link being made again is given up the same way.
    const bool reconnecting = linkState().reconnectingNetwork();
    if (!networkConnected() && !reconnecting) {
        warn(tr("您还未建立连接！"));
        return;
    }
    if (mainWindow)
        mainWindow->on_connect_clicked();
    updateRefreshInterval();
    // The link may refuse to go down (it reports why itself); do not claim it did.
    if (networkConnected())
        return;
    MyMessageBox::information(nullptr, tr("提示"), tr("连接已断开"));
}

void NetworkDialog::updateRefreshInterval()
{
    int interval = 100;
    if (networkConnected() && mainWindow)
        interval = mainWindow->networkSendIntervalText().toInt();
    else if (serialConnected() && mainWindow)
        interval = mainWindow->serialSendIntervalText().toInt();
    // An emptied or zero field would make both timers fire without pause.
    if (interval <= 0)
        interval = 100;
    if (mainWindow)
        mainWindow->restartSendTimers(interval);
}

// --- Serial port, language, help ---

void NetworkDialog::on_openButton_clicked()
{
    if (mainWindow)
        mainWindow->on_openButton_clicked();
    updateRefreshInterval();
}

void NetworkDialog::on_Button_EN_clicked()
{
    chooseLanguage(1);
}

void NetworkDialog::on_Button_RU_clicked()
{
    chooseLanguage(2);
}

void NetworkDialog::on_Button_CN_clicked()
{
    chooseLanguage(0);
}

void NetworkDialog::chooseLanguage(int index)
{
    languageIndex = index;
    if (mainWindow)
        mainWindow->changeLanguage(index);
}

void NetworkDialog::on_pushButtonHelp_clicked()
{
    help->show();
    help->raise();
    help->activateWindow();
}

void NetworkDialog::showReconnectEnabled(bool on)
{
    const QSignalBlocker silent(ui->reconnectCheck);
    ui->reconnectCheck->setChecked(on);
}

void NetworkDialog::retranslate()
{
    ui->retranslateUi(this);
    if (searching)
        showSearchCountdown();
    if (serialConnected())
        ui->openButton->setText(tr("关闭串口"));
    // Russian button texts need the room.
    const int spacing = languageIndex == 1 ? 30 : languageIndex == 2 ? 25 : 40;
    ui->languageSpacer->changeSize(spacing, 20, QSizePolicy::Fixed, QSizePolicy::Minimum);
    ui->languageLayout->invalidate();
    help->retranslate();
    // Longer texts may have widened the window; shorter ones give the room back.
    layout()->activate();
    const int width = qMax(FormWidth, minimumSizeHint().width());
    if (this->width() > width)
        resize(width, height());
}

// --- What the main window reads ---

QString NetworkDialog::localAddress() const
{
    return ui->cbx_ipAddress->currentText();
}

QString NetworkDialog::selectedDeviceAddress() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : w4::ipForConnecting(cellText(row, IpColumn));
}

QString NetworkDialog::selectedDevicePort() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : cellText(row, PortColumn);
}

QComboBox *NetworkDialog::serialPortComboBox() const
{
    return ui->serialPortComboBox;
}

QPushButton *NetworkDialog::openButton() const
{
    return ui->openButton;
}

QTableWidget *NetworkDialog::deviceTable() const
{
    return ui->tableWidget;
}

void NetworkDialog::warn(const QString &text)
{
    MyMessageBox::warning(nullptr, tr("警告"), text);
}

QString NetworkDialog::problemText(AddressProblem problem)
{
    switch (problem) {
    case AddressProblem::BadIp:
        return tr("请输入正确的IP地址");
    case AddressProblem::BadMac:
        return tr("请输入正确的MAC地址");
    case AddressProblem::OddMacByte:
        return tr("要求MAC第一和第二位必须是偶数");
    case AddressProblem::BadPort:
        return tr("请输入正确的端口号（1～65535）");
    case AddressProblem::None:
        break;
    }
    return QString();
}
