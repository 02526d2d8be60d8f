#pragma once

#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

// The session's communication log on disk: <folder>/communication.log, the lines
// exactly as the log window shows them, UTF-8, one per line. When the file would
// grow past maxBytes it becomes communication.log.1 (older ones move up to .2 …,
// the oldest kept is dropped) and a new file starts, so the folder holds at most
// (keptFiles + 1) × maxBytes. The file left by an earlier run is moved aside the
// same way when a session starts, so the current file and the old ones it
// produced itself are this session's log.
//
// Writes are buffered and flushed a second after the last burst, when the
// object goes and on flush(); nothing is synced to disk line by line. A folder
// or file that cannot be written costs one warning and turns the file off for
// the session; the program carries on.
class CommunicationLogFile : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 DefaultMaxBytes = 2 * 1024 * 1024;
    static constexpr int DefaultKeptFiles = 2;

    explicit CommunicationLogFile(const QString &folder, qint64 maxBytes = DefaultMaxBytes,
                                  int keptFiles = DefaultKeptFiles, QObject *parent = nullptr);
    ~CommunicationLogFile() override;

    // The user's data folder of this program.
    static QString defaultFolder();

    void append(const QString &line);
    void flush();

    bool isWorking() const { return !broken; }
    QString currentPath() const;
    // This session's files still on disk, oldest first.
    QStringList sessionFiles() const;
    // Writes the session's files, oldest first, into `target` (replaced as a
    // whole or not at all).
    bool copySessionTo(const QString &target);

private:
    QString oldPath(int index) const;
    bool shiftOldFiles();
    bool openFresh();
    void rotate();
    void fail(const QString &what);

    QString folder;
    qint64 maxBytes;
    int keptFiles;
    QFile file;
    qint64 written = 0;
    int rotations = 0;
    bool broken = false;
    QTimer flushTimer;
};
