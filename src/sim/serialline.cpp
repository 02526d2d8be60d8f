#include "serialline.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace w4sim {

SerialLine::SerialLine(QObject *parent) : QObject(parent) {}

SerialLine::~SerialLine()
{
    delete m_notifier;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    // Only our own symlink is removed, never a file someone else put there.
    if (!m_link.isEmpty() && QFileInfo(m_link).isSymLink() && QFileInfo(m_link).symLinkTarget() == m_path)
        QFile::remove(m_link);
}

bool SerialLine::openPty(const QString &linkPath, QString *error)
{
    char name[256] = {};
    struct termios tio;
    std::memset(&tio, 0, sizeof tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tio.c_cflag |= CLOCAL | CREAD | CS8;
    if (::openpty(&m_master, &m_slave, name, &tio, nullptr) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_path = QString::fromLocal8Bit(name);
    const QFileInfo existing(linkPath);
    if (existing.exists() || existing.isSymLink()) {
        if (!existing.isSymLink()) {
            *error = QStringLiteral("%1 exists and is not a symlink; not replacing it").arg(linkPath);
            return false;
        }
        QFile::remove(linkPath);
    }
    if (!QFile::link(m_path, linkPath)) {
        *error = QStringLiteral("cannot create the symlink %1").arg(linkPath);
        return false;
    }
    m_link = linkPath;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &SerialLine::readMaster);
    return true;
}

bool SerialLine::openDevice(const QString &device, QString *error)
{
    m_port = new QSerialPort(device, this);
    m_port->setBaudRate(QSerialPort::Baud115200);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot open %1: %2").arg(device, m_port->errorString());
        return false;
    }
    m_path = device;
    connect(m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port->readAll()); });
    return true;
}

void SerialLine::readMaster()
{
    char buf[4096];
    const ssize_t n = ::read(m_master, buf, sizeof buf);
    if (n > 0)
        emit received(QByteArray(buf, int(n)));
}

void SerialLine::write(const QByteArray &bytes)
{
    if (m_port) {
        m_port->write(bytes);
        return;
    }
    if (m_master < 0)
        return;
    // Nobody reading the other end must not stall the unit: drop what does not fit.
    const ssize_t n = ::write(m_master, bytes.constData(), size_t(bytes.size()));
    (void)n;
}

} // namespace w4sim
