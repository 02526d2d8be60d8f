#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace w4 {

// Notices a device that has fallen silent on a link whose connection says
// nothing of it (UDP, serial, and TCP, whose keep-alive the kernel answers).
// QuietMs after the device last said anything it asks for one device-wide
// status query; an answer is anything received. Two queries in a row left
// unanswered for AnswerMs each mean the device is gone, so a device that falls
// silent is found within QuietMs + 2 * AnswerMs, whether or not commands are
// flowing meanwhile (they are not answered, so they prove nothing).
//
// A link may also be watched from its first answer only: a serial line wired
// for transmitting alone never answers, and is still a working link. Such a
// watch asks once; a first query left unanswered on a link that never said
// anything means the device does not answer there, and nothing more is asked
// until the device speaks up by itself.
class LinkWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int QuietMs = 6000;
    static constexpr int AnswerMs = 2000;

    explicit LinkWatch(QObject *parent = nullptr);

    // Tests shorten the times (a quiet time under way starts again).
    void setTimes(int quietMs, int answerMs);
    int quietMs() const { return quiet; }
    int answerMs() const { return answer; }

    // Watches a link whose device has answered already (it was read).
    void start();
    // Watches a link that has not answered yet: see the class comment.
    void startOnFirstAnswer();
    void stop();
    // Queries may go out (started, and the device answers or is being asked).
    bool isWatching() const { return watching; }
    // The device has said something since start.
    bool hasAnswered() const { return heard; }
    // Queries sent since the device last said anything.
    int unanswered() const { return queries; }

    void received();

    // While this says so, a query that comes due is put off (the link is busy
    // with an exchange of its own, whose answers count as well).
    void setBusy(std::function<bool()> isBusy) { busy = std::move(isBusy); }

signals:
    // Send one status query now.
    void queryDue();
    // The second query went unanswered too.
    void silent();
    // The first query of a link that never answered went unanswered: the
    // device does not answer on this link, and is not asked again.
    void mute();

private:
    void onTimeout();

    QTimer timer;
    std::function<bool()> busy;
    int quiet = QuietMs;
    int answer = AnswerMs;
    int queries = 0;
    bool started = false;  // between start and stop
    bool watching = false; // started, and not given up as mute
    bool heard = false;
};

} // namespace w4
