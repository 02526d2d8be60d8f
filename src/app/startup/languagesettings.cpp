#include "languagesettings.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

QString languageSettingsPath()
{
    // An installed program started from a menu runs in "/" (the menu entry
    // says Path=/), a folder that is not the user's and that root could write
    // to; elsewhere it may run in a folder it cannot write to. Either way the
    // language then lives in the user's configuration folder.
    const QDir current = QDir::current();
    if (!current.isRoot() && QFileInfo(current.absolutePath()).isWritable())
        return QStringLiteral("./FontSize.ini");
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QLatin1String("/FontSize.ini");
}

namespace {

// Only a regular file (or none yet) is read and written: reading a FIFO or a
// device would hold the start up for ever.
bool usableFile(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

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
    if (!usableFile(path))
        return 0;
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
    if (!usableFile(path))
        return;
    QSettings settings(path, QSettings::IniFormat);
    // Drop other spellings of the key so a later read cannot find a stale one.
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys)
        if (key != QLatin1String("ID") && key.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            settings.remove(key);
    settings.setValue(QStringLiteral("ID"), index);
}

QString qtCatalogueName(int language)
{
    switch (language) {
    case 0:
        return QStringLiteral("qtbase_zh_CN");
    case 2:
        return QStringLiteral("qtbase_ru");
    default:
        return QString();
    }
}

bool loadQtCatalogue(QTranslator *translator, int language)
{
    const QString name = qtCatalogueName(language);
    if (name.isEmpty())
        return false;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    return translator->load(name, folder);
}
