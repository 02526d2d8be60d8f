#pragma once

#include "commandsender.h"
#include "communicationdialog.h"
#include "devicesession.h"
#include "mainwindow.h"

#include <QObject>

// Watches the session's send ticks: connected after the sender's own tick
// handler, it sees how many commands each tick let out (by the log lines).
class TickWatch : public QObject
{
public:
    explicit TickWatch(MainWindow &w) : log(w.communicationDialog)
    {
        last = count();
        connect(w.session()->sender(), &w4::CommandSender::ticked, this, [this] {
            const int now = count();
            most = qMax(most, now - last);
            last = now;
        });
    }
    // The most commands any one tick sent.
    int most = 0;

private:
    int count() const { return log->logText().count(QStringLiteral("MainWindow::send：")); }
    CommunicationDialog *log;
    int last = 0;
};
