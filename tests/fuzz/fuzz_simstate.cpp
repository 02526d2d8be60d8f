// The simulated processor's state file, as its loader reads it.
#include "devicestate.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return 0;
    w4sim::DeviceState state;
    QString why;
    if (!w4sim::DeviceState::fromJson(doc.object(), &state, &why))
        return 0;
    // A state that loaded saves and loads back the same.
    w4sim::DeviceState back;
    if (!w4sim::DeviceState::fromJson(state.toJson(), &back, &why) || !(back == state))
        std::abort();
    return 0;
}
