#pragma once

#include <QString>

// Where the wall editor's commands go: in the program, the device session's
// send queue; in tests, whatever records them.
class CommandSink
{
public:
    virtual ~CommandSink() = default;
    // Queues one hexadecimal command text for the processor.
    virtual void send(const QString &command) = 0;
};
