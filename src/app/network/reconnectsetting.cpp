#include "reconnectsetting.h"

#include <QSettings>

namespace {
const char *const Key = "link/reconnect";
// ~/.config/w4control/w4control.ini on Linux.
const char *const Folder = "w4control";
} // namespace

namespace ReconnectSetting {

bool load()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(Folder), QLatin1String(Folder));
    return settings.value(QLatin1String(Key), true).toBool();
}

void save(bool on)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(Folder), QLatin1String(Folder));
    settings.setValue(QLatin1String(Key), on);
}

} // namespace ReconnectSetting
