#pragma once

#include <QLoggingCategory>

// Developer output of the connection settings window.
Q_DECLARE_LOGGING_CATEGORY(lcNetwork)
