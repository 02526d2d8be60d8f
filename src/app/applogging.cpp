#include "applogging.h"

Q_LOGGING_CATEGORY(lcStartup, "w4.startup", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLanguage, "w4.language", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLink, "w4.link", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLog, "w4.log", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDeveloper, "w4.developer", QtInfoMsg)
