#include "languagesettings.h"

#include <QSettings>

QString languageSettingsPath()
{
    return QStringLiteral("./FontSize.ini");
}

int readStoredLanguage(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    if (settings.contains(QStringLiteral("ID")))
        return settings.value(QStringLiteral("ID"), 0).toInt();
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys)
        if (key.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            return settings.value(key, 0).toInt();
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
