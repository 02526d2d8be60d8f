#pragma once

// A pseudo-terminal of the test's own: the session opens its slave side as a
// serial port, so a serial link can be up without a processor behind it.
#include <QString>

#include <fcntl.h>
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
