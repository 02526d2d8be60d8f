#pragma once

#include <QString>

// The one value the program keeps between runs: the interface language, key
// "ID" of ./FontSize.ini, or of FontSize.ini in the user's configuration folder
// when the working directory is not writable or is the root folder. The key is
// looked up without regard to case, so "ID" and "id" reach the same stored
// value. A missing file or key, and a value that names no language, read as 0
// (Chinese). A path that is not a regular file (a FIFO, a device) is neither
// read (0) nor written.
QString languageSettingsPath();
int readStoredLanguage(const QString &path = languageSettingsPath());
void writeStoredLanguage(int index, const QString &path = languageSettingsPath());

class QTranslator;

// Qt's own texts (file dialogs, standard buttons) in the language: the
// catalogue "qtbase_zh_CN" or "qtbase_ru" from Qt's translations folder (the
// distribution's Qt translation package). English, the language Qt is written
// in, has none: empty name, false. False too when the catalogue is not
// installed; Qt's texts then stay English.
QString qtCatalogueName(int language);
bool loadQtCatalogue(QTranslator *translator, int language);
