#pragma once

#include <QObject>
#include <QTimer>

namespace w4 {

// Notices a quiet link that has died (UDP and serial, which have no keep-alive
// of their own). After QuietMs with nothing sent or received it asks for one
// device-wide status query; an answer is anything received. Two queries in a
// row left unanswered for AnswerMs each mean the device is gone, so a device
// that falls silent is found within QuietMs + 2 * AnswerMs. While commands are
// flowing the quiet time never runs out and nothing extra is sent.
class LinkWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int QuietMs = 6000;
    static constexpr int AnswerMs = 2000;

    explicit LinkWatch(QObject *parent = nullptr);

    // Tests shorten the times.
    void setTimes(int quietMs, int answerMs);

    void start();
    void stop();
    bool isWatching() const { return watching; }
    // Queries sent since the device last said anything.
    int unanswered() const { return queries; }

    void sent();
    void received();

signals:
    // Send one status query now.
    void queryDue();
    // The second query went unanswered too.
    void silent();

private:
    void onTimeout();

    QTimer timer;
    int quiet = QuietMs;
    int answer = AnswerMs;
    int queries = 0;
    bool watching = false;
};

} // namespace w4
