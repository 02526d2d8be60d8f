#include "searchreply.h"

#include <QStringList>

namespace w4 {

std::optional<SearchReply> parseSearchReply(const QByteArray &datagram)
{
    const int nul = datagram.indexOf('\0');
    const QString text = QString::fromUtf8(nul < 0 ? datagram : datagram.left(nul));
    SearchReply reply;
    for (const QString &part : text.split(QLatin1Char('/'))) {
        const QStringList kv = part.split(QLatin1Char(':'));
        if (kv.size() != 2)
            return std::nullopt;
        reply.pairs.insert(kv[0], kv[1]);
    }
    return reply;
}

} // namespace w4
