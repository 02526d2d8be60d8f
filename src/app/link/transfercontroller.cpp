#include "transfercontroller.h"

#include "applogging.h"

Worker::~Worker()
{
    qCDebug(lcLink) << "worker destroy";
}

void Worker::doWork(const QString &)
{
    while (running.load()) {
        QThread::msleep(10);
        emit handleData();
    }
    emit resultReady(QString());
}

TransferController::TransferController(QObject *view) : m_worker(new Worker)
{
    m_worker->moveToThread(&workerThread);
    connect(&workerThread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(this, &TransferController::operate, m_worker, &Worker::doWork);
    connect(m_worker, &Worker::resultReady, this, &TransferController::handleResults);
    if (view)
        connect(m_worker, SIGNAL(handleData()), view, SLOT(handleData()), Qt::QueuedConnection);
    workerThread.start(QThread::InheritPriority);
}

TransferController::~TransferController()
{
    // The loop must see the flag before the thread is asked to quit, or quit()
    // would wait behind a loop that never returns.
    m_worker->running.store(false);
    workerThread.quit();
    workerThread.wait();
}

void TransferController::startWork()
{
    // A loop that has not yet seen the last stop simply goes on; the queued
    // start then finds the flag as the next stop leaves it.
    m_worker->running.store(true);
    emit operate(QStringLiteral("start working"));
}

void TransferController::stopWork()
{
    m_worker->running.store(false);
}

void TransferController::handleResults(const QString &) {}
