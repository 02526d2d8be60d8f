#pragma once

#include <QByteArray>
#include <QVector>

namespace w4sim {

// A run of received bytes that is either one whole command (check byte still
// attached, not yet verified) or bytes that cannot start a command.
struct Piece
{
    QByteArray bytes;
    bool junk = false;
};

// Length of the command that starts at bytes[pos], check byte included; 0 when
// the first byte starts no known command, -1 when more bytes are needed to tell.
// `datagram` marks a buffer that is a whole datagram: FF then means set-IP when
// six bytes remain.
int commandLength(const QByteArray &bytes, int pos, bool datagram);

bool checkByteOk(const QByteArray &command);

// Cuts a byte stream (TCP, serial) into commands by their family's length.
// A command cut short by the sender stays pending until more bytes come; when
// the next write begins a valid command on its own, the stale tail is let go
// as junk so one lost byte cannot misalign every later command.
class CommandSplitter
{
public:
    QVector<Piece> feed(const QByteArray &chunk);
    static QVector<Piece> splitDatagram(const QByteArray &datagram);
    QByteArray pending() const { return m_pending; }

private:
    static QVector<Piece> split(const QByteArray &bytes, bool datagram, QByteArray *rest);
    QByteArray m_pending;
};

} // namespace w4sim
