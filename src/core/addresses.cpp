#include "addresses.h"

#include <QRegularExpression>
#include <QStringList>

namespace w4 {

namespace {

template <size_t N> std::optional<std::array<int, N>> dottedParts(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != int(N))
        return std::nullopt;
    std::array<int, N> values{};
    for (size_t i = 0; i < N; ++i) {
        bool ok = false;
        const int v = parts[int(i)].trimmed().toInt(&ok);
        values[i] = ok ? v : 0;
    }
    return values;
}

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

std::optional<std::array<int, 4>> strictIpParts(const QString &text)
{
    return strictParts<4>(text);
}

std::optional<std::array<int, 6>> strictMacParts(const QString &text)
{
    return strictParts<6>(text);
}

QString ipForConnecting(const QString &text)
{
    const auto parts = strictIpParts(text);
    if (!parts)
        return text;
    return QStringLiteral("%1.%2.%3.%4").arg((*parts)[0]).arg((*parts)[1]).arg((*parts)[2]).arg((*parts)[3]);
}

std::optional<std::array<int, 4>> ipParts(const QString &text)
{
    return dottedParts<4>(text);
}

std::optional<std::array<int, 6>> macParts(const QString &text)
{
    return dottedParts<6>(text);
}

QString subnetBroadcast(const QString &cardAddress)
{
    const QStringList parts = cardAddress.split(QLatin1Char('.'));
    if (parts.size() < 3)
        return QString();
    return QStringList(parts.mid(0, 3)).join(QLatin1Char('.')) + QStringLiteral(".255");
}

} // namespace w4
