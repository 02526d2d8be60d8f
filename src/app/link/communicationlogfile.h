#pragma once

#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

class QLockFile;

// The session's communication log on disk: <folder>/communication.log, the lines
// exactly as the log window shows them, UTF-8, one per line. When the file would
// grow past maxBytes it becomes communication.log.1 (older ones move up to .2 …,
// the oldest kept is dropped) and a new file starts, so the folder holds at most
// (keptFiles + 1) × maxBytes. The file left by an earlier run is moved aside the
// same way when a session starts, so the current file and the old ones it
// produced itself are this session's log.
//
// Each running copy of the program keeps its own log: a name is held with a
// lock file (communication.lock) for as long as the object lives, and a second
// copy takes the next free name (communication-2.log, communication-3.log …),
// so nobody moves aside a file another copy still writes.
//
// Only a regular file is opened: something else at the log's path (a FIFO, a
// device) turns the file off instead of holding the program up.
//
// Writes are buffered and flushed a second after the last burst, when the
// object goes and on flush(); nothing is synced to disk line by line. A folder
// or file that cannot be written (full, read-only, not a folder) turns the file
// off for the session: failed() is emitted once with the path and the system's
// reason, the file is cut back to its last whole line, and the program carries
// on.
class CommunicationLogFile : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 DefaultMaxBytes = 2 * 1024 * 1024;
    static constexpr int DefaultKeptFiles = 2;
    // Copies of the program that can keep a log of their own in one folder.
    static constexpr int MaxLogNames = 16;

    explicit CommunicationLogFile(const QString &folder, qint64 maxBytes = DefaultMaxBytes,
                                  int keptFiles = DefaultKeptFiles, QObject *parent = nullptr);
    ~CommunicationLogFile() override;

    // The user's data folder of this program.
    static QString defaultFolder();

    void append(const QString &line);
    void flush();

    bool isWorking() const { return !broken; }
    // Why the file is off ("<path>: <reason>"); empty while it works.
    QString failureReason() const { return reason; }
    QString currentPath() const;
    // This session's files still on disk, oldest first.
    QStringList sessionFiles() const;
    // Writes the session's files, oldest first, into `target` (replaced as a
    // whole or not at all).
    bool copySessionTo(const QString &target);

signals:
    // Once, when the file is turned off; also when that happens while the
    // object is being built (failureReason() then tells it afterwards).
    void failed(const QString &reason);

private:
    QString oldPath(int index) const;
    bool claimName();
    bool shiftOldFiles();
    bool openFresh();
    bool writeFailed();
    void rotate();
    void fail(const QString &path, const QString &why);

    QString folder;
    QString baseName = QStringLiteral("communication");
    std::unique_ptr<QLockFile> nameLock;
    qint64 maxBytes;
    int keptFiles;
    QFile file;
    qint64 written = 0;
    // Bytes of the current file known to be on disk: always whole lines.
    qint64 flushed = 0;
    int rotations = 0;
    bool broken = false;
    QString reason;
    QTimer flushTimer;
};
