#pragma once

#include <QObject>
#include <QStringList>

class QTimer;

// Answers the next popup menu: follows `path` (submenu titles, then the entry),
// closes the menu and triggers the entry, and records the texts of the menu's
// top-level entries. With an empty path any menu is unexpected. The destructor
// fails the test when the expected menu never appeared or an unexpected one did.
// With Escape the next menu is expected and dismissed by the Escape key, as a
// user leaves it without a choice (the path is not used).
class MenuAnswerer : public QObject
{
    Q_OBJECT

public:
    enum Answer { Choose, Escape };
    explicit MenuAnswerer(const QStringList &path, Answer answer = Choose);
    ~MenuAnswerer() override;

    bool answered() const { return done; }
    QStringList entries; // visible top-level entries of the menu that opened

private:
    void poll();

    QStringList path;
    Answer answer;
    QTimer *timer;
    bool done = false;
    bool busy = false;
    QString problem;
};
