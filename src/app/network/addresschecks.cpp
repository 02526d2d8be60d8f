#include "addresschecks.h"

#include "addresses.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

bool macFirstBytesOdd(const std::array<int, 6> &mac)
{
    return mac[0] % 2 != 0 || mac[1] % 2 != 0;
}

// Parts that are decimal numbers 0..255 and nothing else.
template <size_t N> std::optional<std::array<int, N>> strictParts(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*\\d{1,3}\\s*$"));
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != int(N))
        return std::nullopt;
    std::array<int, N> values{};
    for (size_t i = 0; i < N; ++i) {
        if (!number.match(parts[int(i)]).hasMatch())
            return std::nullopt;
        values[i] = parts[int(i)].trimmed().toInt();
        if (values[i] > 255)
            return std::nullopt;
    }
    return values;
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

AddressChange checkChangeAddresses(const QString &ip, const QString &mac)
{
    AddressChange change;
    const auto ipValues = strictParts<4>(ip);
    if (!ipValues || (*ipValues)[0] == 0 || (*ipValues)[3] == 0 || (*ipValues)[3] == 255) {
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
    const auto macValues = strictParts<6>(mac);
    if (!macValues) {
        change.problem = AddressProblem::BadMac;
        return change;
    }
    change.mac = *macValues;
    return change;
}
