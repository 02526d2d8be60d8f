#include "udpreadback.h"

#include "codec.h"
#include "udplink.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcUdpRead, "w4.readback.udp", QtInfoMsg)

namespace w4 {

const char *const UdpReadBack::GlobalQuery = "0805000070";
const char *const UdpReadBack::WindowQueries[4] = {"08010001DC", "0802000161", "080300010A", "080400011C"};

UdpReadBack::UdpReadBack(UdpLink *udpLink, QObject *parent) : QObject(parent), link(udpLink)
{
    // Without a waiter of the caller's, the read waits in an event loop of its own.
    wait = [this](Pause, int, int, int ms) {
        if (stepComplete)
            return;
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        connect(this, &UdpReadBack::stepDone, &loop, &QEventLoop::quit);
        loop.exec();
    };
}

void UdpReadBack::query(const QString &literal)
{
    stepComplete = false;
    link->writeTo(decodeHex(literal), device, port);
    emit querySent(literal);
}

void UdpReadBack::pause(Pause p, int window, int attempt, int ms)
{
    if (p == Pause::WindowDone)
        stepComplete = true;
    if (wait)
        wait(p, window, attempt, ms);
}

void UdpReadBack::endStep()
{
    if (stepComplete)
        return;
    stepComplete = true;
    emit stepDone();
}

UdpReadResult UdpReadBack::read(const QHostAddress &deviceAddress, quint16 devicePort, const QHostAddress &local)
{
    UdpReadResult result;
    if (slot != 0) // a read is already under way (a nested call from a wait)
        return result;
    device = deviceAddress;
    port = devicePort;

    struct Done
    {
        int &slot;
        ~Done() { slot = 0; }
    } done{slot};

    global.clear();
    slot = 1;
    if (!link->rebind(local))
        emit bindFailed();
    query(QString::fromLatin1(GlobalQuery));
    pause(Pause::Layout, 0, 0, LayoutWaitMs);
    result.global = global;
    result.layoutRead = wallLayoutFromRecord(global).has_value();

    for (int n = 1; n <= 4; ++n) {
        for (StatusRecord &r : attempts)
            r.clear();
        window = n;
        for (int k = 1; k <= 3; ++k) {
            slot = k + 1;
            query(QString::fromLatin1(WindowQueries[n - 1]));
            pause(Pause::Attempt, n, k, AttemptWaitMs);
        }
        slot = 0;
        const std::optional<StatusRecord> chosen = majorityRecord(attempts[0], attempts[1], attempts[2]);
        // Three reads that all differ cannot be trusted; three empty ones mean
        // nobody answered. Either way the device was not read.
        if (!chosen || chosen->isEmpty()) {
            result.failedWindow = n;
            return result;
        }
        result.records[size_t(n - 1)] = *chosen;
        WindowStatus status = windowStatusFromRecord(*chosen);
        status.window = n;
        result.windows[size_t(n - 1)] = status;
        pause(Pause::WindowDone, n, 0, WindowDoneWaitMs);
    }
    result.ok = true;
    return result;
}

void UdpReadBack::handleDatagram(const QByteArray &datagram, const QHostAddress &sender)
{
    if (slot < 1 || slot > 4)
        return;
    // Only the device being read may fill the records.
    if (!sender.isEqual(device, QHostAddress::ConvertV4MappedToIPv4)) {
        qCDebug(lcUdpRead) << "status datagram from" << sender << "ignored; reading" << device;
        return;
    }
    constexpr int header = 4;
    constexpr int recordSize = 5;
    if (datagram.size() - header < recordSize)
        return;
    // Once the answer was taken, anything more before the next query is not
    // an answer to it.
    if (stepComplete)
        return;
    // The processor's header (AA 55, then what the records are about: 5 the
    // device, 1..4 a window) may say that this is the answer to another query,
    // a late one or a stray one. A header of another form says nothing.
    if (quint8(datagram[0]) == 0xAA && quint8(datagram[1]) == 0x55) {
        const int about = quint8(datagram[2]);
        const int asked = slot == 1 ? 5 : window;
        if (about >= 1 && about <= 5 && about != asked) {
            qCDebug(lcUdpRead) << "status datagram about" << about << "ignored; asked about" << asked;
            return;
        }
    }
    const StatusDatagram parsed = parseStatusDatagram(datagram);
    if (!parsed.valid) {
        // The device did answer, and will not answer this query again: the
        // read goes on without the record.
        qCDebug(lcUdpRead) << "数据有误！";
        emit malformedDatagram();
        endStep();
        return;
    }
    const int current = slot;
    StatusRecord &target = current == 1 ? global : attempts[size_t(current - 2)];
    for (auto it = parsed.records.cbegin(); it != parsed.records.cend(); ++it) {
        target.insert(it.key(), it.value());
        if (current == 2)
            emit firstReadRecord(it.key(), it.value());
    }
    endStep();
}

} // namespace w4
