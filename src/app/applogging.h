#pragma once

#include <QLoggingCategory>

// Developer output of the application, one category per part. Debug lines are
// off unless switched on, e.g. QT_LOGGING_RULES="w4.*.debug=true"; warnings
// show by default.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)   // w4.startup: language and catalogues at start
Q_DECLARE_LOGGING_CATEGORY(lcLanguage)  // w4.language: switching the interface language
Q_DECLARE_LOGGING_CATEGORY(lcLink)      // w4.link: serial input, the wall's tick worker
Q_DECLARE_LOGGING_CATEGORY(lcLog)       // w4.log: the communication log and its file
Q_DECLARE_LOGGING_CATEGORY(lcDeveloper) // w4.developer: the hidden developer buttons
