#include "languagesettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

QString languageSettingsPath()
{
    // An installed program started from a menu may run in a folder it cannot
    // write to; the language then lives in the user's configuration folder.
    if (QFileInfo(QDir::currentPath()).isWritable())
        return QStringLiteral("./FontSize.ini");
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QLatin1String("/FontSize.ini");
}

namespace {

// A stored value that names no language is as good as none: every table the
// program picks by language, and the catalogues, then agree on the default.
int languageFrom(const QVariant &stored)
{
    bool ok = false;
    const int index = stored.toString().trimmed().toInt(&ok);
    return ok && index >= 0 && index <= 2 ? index : 0;
}

} // namespace

int readStoredLanguage(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    if (settings.contains(QStringLiteral("ID")))
        return languageFrom(settings.value(QStringLiteral("ID")));
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys)
        if (key.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            return languageFrom(settings.value(key));
    return 0;
}

void writeStoredLanguage(int index, const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    // Drop other spellings of the key so a later read cannot find a stale one.
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys)
        if (key != QLatin1String("ID") && key.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            settings.remove(key);
    settings.setValue(QStringLiteral("ID"), index);
}
