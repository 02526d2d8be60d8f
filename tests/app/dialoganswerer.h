#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QTimer;
class QWidget;

// Answers the modal dialogs a test expects and records what they showed.
//
//     DialogAnswerer answer(DialogAnswerer::Ok);
//     bool ok = MyMessageBox::warning(nullptr, title, text);   // answered here
//     QCOMPARE(answer.last().text, text);
//
// Answers are used in order, one per dialog. While the answerer lives, a modal
// dialog beyond the expected ones is closed and fails the test; when it is
// destroyed, an expected dialog that never appeared fails the test. An answerer
// constructed without answers therefore guards a block against any dialog.
// Self-closing waiting dialogs are left alone.
class DialogAnswerer : public QObject
{
    Q_OBJECT

public:
    enum Answer { Ok, Cancel, CloseButton, Escape };

    struct Seen
    {
        QString className;
        QString title;
        QString text;
        QStringList buttons;
    };

    DialogAnswerer(std::initializer_list<Answer> answers);
    explicit DialogAnswerer(Answer answer) : DialogAnswerer({answer}) {}
    DialogAnswerer() : DialogAnswerer(std::initializer_list<Answer>{}) {}
    ~DialogAnswerer() override;

    // Spins the event loop until every answer was used; false on time-out.
    bool waitDone(int timeoutMs = 5000);

    bool done() const { return seenDialogs.size() >= answers.size(); }
    const QList<Seen> &seen() const { return seenDialogs; }
    Seen last() const { return seenDialogs.isEmpty() ? Seen() : seenDialogs.last(); }
    int unexpectedCount() const { return unexpected.size(); }

    // What the destructor would fail the test with; empty when all is well.
    QString problem() const;
    // Forgets missing and unexpected dialogs (for tests of the answerer itself).
    void forgive();

    // The box saying UDP port 23 cannot be bound is closed unseen (the port may
    // be held by anything running beside the test); while counted, it is a
    // dialog like any other. For tests of that box.
    static void countUdpBindBoxes(bool counted);

    // Reads what a dialog shows; useful for dialogs a test opens itself.
    static Seen describe(QWidget *dialog);

private:
    void poll();
    void answer(QWidget *dialog, Answer how);

    QList<Answer> answers;
    QList<Seen> seenDialogs;
    QList<Seen> unexpected;
    QList<QPointer<QWidget>> handled;
    QTimer *timer;
    bool forgiven = false;
};
