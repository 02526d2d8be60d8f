#include "addresses.h"

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

} // namespace

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
