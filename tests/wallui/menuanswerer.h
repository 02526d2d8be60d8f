#pragma once

#include <QObject>
#include <QStringList>

class QTimer;

// Answers the next popup menu: follows `path` (submenu titles, then the entry),
// closes the menu and triggers the entry, and records the texts of the menu's
// top-level entries. With an empty path any menu is unexpected. The destructor
// fails the test when the expected menu never appeared or an unexpected one did.
class MenuAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit MenuAnswerer(const QStringList &path);
    ~MenuAnswerer() override;

    bool answered() const { return done; }
    QStringList entries; // visible top-level entries of the menu that opened

private:
    void poll();

    QStringList path;
    QTimer *timer;
    bool done = false;
    bool busy = false;
    QString problem;
};
