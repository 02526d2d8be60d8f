#pragma once

#include <QString>

// The connection status table of the status bar: row 0 is the prefix, rows 1..9
// the states; columns are the interface languages. Out-of-range rows or
// languages give an empty text.
constexpr int statusTextRows = 10;
QString statusText(int row, int language);
