#pragma once

#include <QObject>
#include <QThread>

#include <atomic>

// Gives the wall view a steady tick of about 10 ms from a thread of its own,
// between startWork() and stopWork(); in between the thread sleeps.
class Worker : public QObject
{
    Q_OBJECT

public:
    Worker() = default;
    ~Worker() override;

    // Read by the loop on the worker thread, set and cleared from the GUI thread.
    std::atomic<bool> running{false};

public slots:
    void doWork(const QString &parameter);

signals:
    void handleData();
    void resultReady(const QString &result);
};

class TransferController : public QObject
{
    Q_OBJECT

public:
    // `view` receives handleData() on its own thread through a queued call of its
    // handleData() slot.
    explicit TransferController(QObject *view);
    ~TransferController() override;

    void startWork();
    // Ends the ticks; the loop returns within one tick.
    void stopWork();
    Worker *worker() const { return m_worker; }

public slots:
    void handleResults(const QString &result);

signals:
    void operate(const QString &parameter);

private:
    QThread workerThread;
    Worker *m_worker;
};
