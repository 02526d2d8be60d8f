#include "languagesettings.h"

#include <QSettings>

QString languageSettingsPath()
{
    return QStringLiteral("./FontSize.ini");
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
