#include "addresschecks.h"

#include "addresses.h"

#include <optional>

namespace {

bool macFirstBytesOdd(const std::array<int, 6> &mac)
{
    return mac[0] % 2 != 0 || mac[1] % 2 != 0;
}

} // namespace

AddressProblem checkConnectAddresses(const QString &ip, const QString &mac)
{
    const auto ipValues = w4::ipParts(ip);
    if (!ipValues)
        return AddressProblem::BadIp;
    for (int v : *ipValues)
        if (v > 255)
            return AddressProblem::BadIp;
    const auto macValues = w4::macParts(mac);
    if (!macValues)
        return AddressProblem::BadMac;
    if (macFirstBytesOdd(*macValues))
        return AddressProblem::OddMacByte;
    for (int v : *macValues)
        if (v > 255)
            return AddressProblem::BadMac;
    return AddressProblem::None;
}

AddressProblem checkTcpEndpoint(const QString &ip, const QString &port, quint16 *portNumber)
{
    if (!w4::strictIpParts(ip.trimmed()))
        return AddressProblem::BadIp;
    const QString digits = port.trimmed();
    bool ok = digits.size() <= 5 && !digits.isEmpty();
    for (const QChar c : digits)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int value = ok ? digits.toInt() : 0;
    if (value < 1 || value > 65535)
        return AddressProblem::BadPort;
    if (portNumber)
        *portNumber = quint16(value);
    return AddressProblem::None;
}

AddressChange checkChangeAddresses(const QString &ip, const QString &mac)
{
    AddressChange change;
    const auto ipValues = w4::strictIpParts(ip);
    // No processor can use a loopback, multicast or reserved address.
    if (!ipValues || (*ipValues)[0] == 0 || (*ipValues)[0] == 127 || (*ipValues)[0] >= 224 ||
        (*ipValues)[3] == 0 || (*ipValues)[3] == 255) {
        change.problem = AddressProblem::BadIp;
        return change;
    }
    change.ip = *ipValues;

    // The even-number rule is told before the range, as when connecting.
    const auto loose = w4::macParts(mac);
    if (!loose) {
        change.problem = AddressProblem::BadMac;
        return change;
    }
    if (macFirstBytesOdd(*loose)) {
        change.problem = AddressProblem::OddMacByte;
        return change;
    }
    const auto macValues = w4::strictMacParts(mac);
    if (!macValues) {
        change.problem = AddressProblem::BadMac;
        return change;
    }
    change.mac = *macValues;
    return change;
}
