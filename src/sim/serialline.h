#pragma once

#include <QObject>
#include <QString>

class QSerialPort;
class QSocketNotifier;

namespace w4sim {

// The unit's serial side: either a pseudo-terminal it creates (the client
// opens the slave end, reached through a symlink) or an existing tty.
class SerialLine : public QObject
{
    Q_OBJECT
public:
    explicit SerialLine(QObject *parent = nullptr);
    ~SerialLine() override;

    bool openPty(const QString &linkPath, QString *error);
    bool openDevice(const QString &device, QString *error);

    QString path() const { return m_path; } // the slave or device path
    void write(const QByteArray &bytes);

signals:
    void received(const QByteArray &bytes);

private:
    void readMaster();

    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up
    QSocketNotifier *m_notifier = nullptr;
    QSerialPort *m_port = nullptr;
    QString m_path;
    QString m_link;
};

} // namespace w4sim
