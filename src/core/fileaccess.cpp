#include "fileaccess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace w4 {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FileAccess", text);
}

QString notRegularToRead(const QString &path)
{
    return tr("%1 不是普通文件，无法读取").arg(path);
}

QString tooLarge(const QString &path, qint64 maxBytes)
{
    return tr("%1 太大，最多只能读取 %2 KiB").arg(path).arg(maxBytes / 1024);
}

QString cannotRead(const QString &path, const QString &why)
{
    return tr("无法读取文件 %1：%2").arg(path, why);
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    FileRead r;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    // A look before opening: a device is not even opened.
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        r.error = cannotRead(path, QString::fromLocal8Bit(std::strerror(errno)));
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.error = notRegularToRead(path);
        return r;
    }
    // Without blocking: a FIFO swapped in after the look cannot hold the open.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        r.error = cannotRead(path, QString::fromLocal8Bit(std::strerror(errno)));
        return r;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        r.error = notRegularToRead(path);
        return r;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        r.error = tooLarge(path, maxBytes);
        return r;
    }
    // One byte more than allowed tells a file that grew since.
    QByteArray bytes(int(maxBytes + 1), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            r.error = cannotRead(path, QString::fromLocal8Bit(std::strerror(e)));
            return r;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > maxBytes) {
        r.error = tooLarge(path, maxBytes);
        return r;
    }
    bytes.truncate(int(got));
    r.bytes = bytes;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        r.error = notRegularToRead(path);
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = cannotRead(path, file.errorString());
        return r;
    }
    if (file.size() > maxBytes) {
        r.error = tooLarge(path, maxBytes);
        return r;
    }
    r.bytes = file.read(maxBytes + 1);
    if (r.bytes.size() > maxBytes) {
        r.bytes.clear();
        r.error = tooLarge(path, maxBytes);
    }
#endif
    return r;
}

QString saveTargetRefusal(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    // A name not there yet (or a link to nothing yet) is a new file.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    // A folder is left to the save, which cannot replace it and says so.
    if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
        return QString();
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isFile() || info.isDir())
        return QString();
#endif
    return tr("%1 不是普通文件，不能覆盖").arg(path);
}

bool saveFileSafely(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString refusal = saveTargetRefusal(path);
    if (!refusal.isEmpty()) {
        *error = refusal;
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = tr("无法写入文件 %1：%2").arg(path, file.errorString());
    return false;
}

} // namespace w4
