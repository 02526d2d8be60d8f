#pragma once

#include <QString>

#include <optional>

// The connection status line of the main window's status bar.
namespace w4 {

// Row r (0..9) of the status table in language 0 Chinese, 1 English, 2 Russian.
QString statusText(int row, int language);

// The line for connectionStatusRow `row`: the prefix and the row's text for rows
// up to 9; for the serial rows 10, 11, 12 the prefix, the serial port's list
// text, a space, and connected / not connected / connecting. Absent for other
// rows, which leave the line as it is.
std::optional<QString> statusLine(int row, int language, const QString &serialPortText);

// The line while a lost link is being made again: the prefix, then
// "reconnecting… (attempt n)" in the language.
QString reconnectingLine(int attempt, int language);

} // namespace w4
