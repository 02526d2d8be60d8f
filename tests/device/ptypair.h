#pragma once

// A pseudo-terminal of the test's own: the session opens its slave side as a
// serial port, so a serial link can be up without a processor behind it.
#include <QString>

#include <QByteArray>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

class PtyPair
{
public:
    PtyPair()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            closeMaster();
            return;
        }
        if (const char *name = ::ptsname(master))
            slave = QString::fromLocal8Bit(name);
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return master >= 0 && !slave.isEmpty(); }
    // The path the session opens.
    QString slavePath() const { return slave; }

    // What the session has written to the line so far and nobody read yet.
    QByteArray readAvailable()
    {
        QByteArray out;
        pollfd p{master, POLLIN, 0};
        char buffer[256];
        while (master >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.append(buffer, int(n));
        }
        return out;
    }

private:
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    int master = -1;
    QString slave;
};
