#pragma once

#include <QByteArray>
#include <QString>

// Reading and saving the user's files without being held up or doing harm:
// only regular files are read (a FIFO or a device could block for ever or never
// end), and a save never replaces anything but a regular file (a device node
// or a FIFO stays what it is). Messages are in the current language.
namespace w4 {

// The most a preset file may hold.
constexpr qint64 PresetFileMaxBytes = 1024 * 1024;

struct FileRead
{
    QByteArray bytes;
    QString error; // empty when read
    bool ok() const { return error.isEmpty(); }
};

// The whole of `path` when it is a regular file (links followed) of at most
// `maxBytes`. The file is opened without blocking and checked once open, so
// nothing put in its place meanwhile is read either.
FileRead readRegularFile(const QString &path, qint64 maxBytes);

// Why nothing may be saved at `path`, or empty: saving goes to a new name or
// replaces a regular file (links followed), nothing else. A folder passes here;
// the save itself then fails on it.
QString saveTargetRefusal(const QString &path);

// Saves `bytes` at `path` through a temporary file in the same folder that then
// takes the name, after the check above. False with a message in `error`.
bool saveFileSafely(const QString &path, const QByteArray &bytes, QString *error);

} // namespace w4
