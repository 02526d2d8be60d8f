#include "communicationlogfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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
        fail(QStringLiteral("no data folder"));
        return;
    }
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("cannot create ") + folder);
        return;
    }
    // What an earlier run left becomes the newest old file.
    const QFileInfo previous(currentPath());
    if (previous.exists() && previous.size() > 0 && !shiftOldFiles())
        return;
    openFresh();
}

CommunicationLogFile::~CommunicationLogFile()
{
    flush();
}

QString CommunicationLogFile::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString CommunicationLogFile::currentPath() const
{
    return QDir(folder).filePath(QStringLiteral("communication.log"));
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
    if (file.write(bytes) != bytes.size()) {
        fail(QStringLiteral("cannot write ") + file.fileName() + QStringLiteral(": ") + file.errorString());
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
    if (!file.flush())
        fail(QStringLiteral("cannot write ") + file.fileName() + QStringLiteral(": ") + file.errorString());
}

bool CommunicationLogFile::shiftOldFiles()
{
    if (keptFiles == 0) {
        if (QFile::exists(currentPath()) && !QFile::remove(currentPath())) {
            fail(QStringLiteral("cannot remove ") + currentPath());
            return false;
        }
        return true;
    }
    QFile::remove(oldPath(keptFiles));
    for (int i = keptFiles - 1; i >= 1; --i)
        if (QFile::exists(oldPath(i)))
            QFile::rename(oldPath(i), oldPath(i + 1));
    if (!QFile::rename(currentPath(), oldPath(1))) {
        fail(QStringLiteral("cannot rename ") + currentPath());
        return false;
    }
    return true;
}

bool CommunicationLogFile::openFresh()
{
    file.setFileName(currentPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("cannot open ") + currentPath() + QStringLiteral(": ") + file.errorString());
        return false;
    }
    written = 0;
    return true;
}

void CommunicationLogFile::rotate()
{
    file.close();
    if (file.error() != QFileDevice::NoError) {
        fail(QStringLiteral("cannot write ") + file.fileName() + QStringLiteral(": ") + file.errorString());
        return;
    }
    if (shiftOldFiles() && openFresh())
        ++rotations;
}

void CommunicationLogFile::fail(const QString &what)
{
    if (broken)
        return;
    broken = true;
    file.close();
    qWarning("Communication log file off for this session: %s", qUtf8Printable(what));
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
