#include "communicationlogfile.h"

#include "applogging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

const char notRegular[] = "not a regular file";

// Creates `path` and the folders above it; false with the system's reason.
bool makeFolder(const QString &path, QString *why)
{
    if (QFileInfo(path).isDir())
        return true;
#ifdef Q_OS_UNIX
    const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    QString sofar;
    for (const QString &part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        sofar += QLatin1Char('/') + part;
        if (::mkdir(QFile::encodeName(sofar).constData(), 0777) != 0 && errno != EEXIST) {
            *why = systemReason(errno);
            return false;
        }
    }
    if (QFileInfo(absolute).isDir())
        return true;
    *why = systemReason(ENOTDIR);
    return false;
#else
    if (QDir().mkpath(path))
        return true;
    *why = QStringLiteral("cannot create the folder");
    return false;
#endif
}

} // namespace

CommunicationLogFile::CommunicationLogFile(const QString &folderPath, qint64 maxFileBytes, int kept,
                                           QObject *parent)
    : QObject(parent), folder(folderPath), maxBytes(qMax<qint64>(1, maxFileBytes)), keptFiles(qMax(0, kept))
{
    flushTimer.setSingleShot(true);
    flushTimer.setInterval(1000);
    connect(&flushTimer, &QTimer::timeout, this, &CommunicationLogFile::flush);
    // A normal quit flushes too, even if whoever owns this object outlives
    // the event loop.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &CommunicationLogFile::flush);

    if (folder.isEmpty()) {
        fail(QString(), QStringLiteral("no data folder"));
        return;
    }
    QString why;
    if (!makeFolder(folder, &why)) {
        fail(folder, why);
        return;
    }
    if (!claimName())
        return;
    // What an earlier run left becomes the newest old file.
    const QFileInfo previous(currentPath());
    if (previous.isFile() && previous.size() > 0 && !shiftOldFiles())
        return;
    openFresh();
}

CommunicationLogFile::~CommunicationLogFile()
{
    flush();
    file.close();
}

QString CommunicationLogFile::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString CommunicationLogFile::currentPath() const
{
    return QDir(folder).filePath(baseName + QStringLiteral(".log"));
}

QString CommunicationLogFile::oldPath(int index) const
{
    return currentPath() + QLatin1Char('.') + QString::number(index);
}

QStringList CommunicationLogFile::sessionFiles() const
{
    QStringList files;
    if (broken)
        return files;
    for (int i = qMin(rotations, keptFiles); i >= 1; --i)
        if (QFile::exists(oldPath(i)))
            files << oldPath(i);
    files << currentPath();
    return files;
}

// The first name no running copy holds: communication, communication-2 ...
bool CommunicationLogFile::claimName()
{
    for (int n = 1; n <= MaxLogNames; ++n) {
        baseName = n == 1 ? QStringLiteral("communication") : QStringLiteral("communication-%1").arg(n);
        const QString lockPath = QDir(folder).filePath(baseName + QStringLiteral(".lock"));
        auto lock = std::make_unique<QLockFile>(lockPath);
        // Held for the whole run: only a lock whose process is gone is stale,
        // never one that is merely old.
        lock->setStaleLockTime(0);
        errno = 0;
        if (lock->tryLock(0)) {
            nameLock = std::move(lock);
            return true;
        }
        const int error = errno;
        if (lock->error() != QLockFile::LockFailedError) {
            fail(lockPath, error ? systemReason(error) : QStringLiteral("cannot create the lock file"));
            return false;
        }
    }
    baseName = QStringLiteral("communication");
    fail(folder, QStringLiteral("every log name is held by another running copy of the program"));
    return false;
}

void CommunicationLogFile::append(const QString &line)
{
    if (broken)
        return;
    QByteArray bytes = line.toUtf8();
    bytes += '\n';
    if (written > 0 && written + bytes.size() > maxBytes) {
        rotate();
        if (broken)
            return;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        writeFailed();
        return;
    }
    written += bytes.size();
    if (!flushTimer.isActive())
        flushTimer.start();
}

void CommunicationLogFile::flush()
{
    flushTimer.stop();
    if (broken || !file.isOpen())
        return;
    errno = 0;
    if (!file.flush()) {
        writeFailed();
        return;
    }
    flushed = written;
}

bool CommunicationLogFile::shiftOldFiles()
{
    QFile current(currentPath());
    if (keptFiles == 0) {
        if (current.exists() && !current.remove()) {
            fail(currentPath(), current.errorString());
            return false;
        }
        return true;
    }
    QFile::remove(oldPath(keptFiles));
    for (int i = keptFiles - 1; i >= 1; --i)
        if (QFile::exists(oldPath(i)))
            QFile::rename(oldPath(i), oldPath(i + 1));
    if (!current.rename(oldPath(1))) {
        fail(currentPath(), current.errorString());
        return false;
    }
    return true;
}

bool CommunicationLogFile::openFresh()
{
    const QString path = currentPath();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        fail(path, QLatin1String(notRegular));
        return false;
    }
#ifdef Q_OS_UNIX
    // Non-blocking, so that a FIFO put there after the check above cannot hold
    // the program up; only a regular file is kept.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        fail(path, systemReason(errno));
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(path, QLatin1String(notRegular));
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(path, file.errorString());
        return false;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(path, file.errorString());
        return false;
    }
#endif
    written = 0;
    flushed = 0;
    return true;
}

// A write that did not reach the disk: the file is cut back to what is known
// to be there, so it ends with a whole line, and turned off.
bool CommunicationLogFile::writeFailed()
{
    // A write cut short by a full disk leaves QFile without a reason ("Unknown
    // error"); errno, cleared before each write, has it.
    const int error = errno;
    const QString why = error ? systemReason(error) : file.errorString();
    file.close();
    QFile current(currentPath());
    if (QFileInfo(current).isFile() && current.size() > flushed)
        current.resize(flushed);
    fail(currentPath(), why);
    return false;
}

void CommunicationLogFile::rotate()
{
    errno = 0;
    if (!file.flush()) {
        writeFailed();
        return;
    }
    file.close();
    if (shiftOldFiles() && openFresh())
        ++rotations;
}

void CommunicationLogFile::fail(const QString &path, const QString &why)
{
    if (broken)
        return;
    broken = true;
    file.close();
    reason = path.isEmpty() ? why : path + QStringLiteral(": ") + why;
    qCWarning(lcLog, "Communication log file off for this session: %s", qUtf8Printable(reason));
    emit failed(reason);
}

bool CommunicationLogFile::copySessionTo(const QString &target)
{
    flush();
    if (broken)
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    for (const QString &path : sessionFiles()) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return false;
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(64 * 1024);
            if (chunk.isEmpty() || out.write(chunk) != chunk.size())
                return false;
        }
    }
    return out.commit();
}
