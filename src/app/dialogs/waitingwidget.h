#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QMovie;

// A modal "please wait" box with an animation and one line of text. It closes
// itself closeAfterMs after construction, so exec() is both the progress display
// and the pause between the steps of a device sequence. A step that ends sooner
// closes it with finish() (connected to whatever signals the end), so its
// closeAfterMs is then only the longest the box may stay. It takes no mouse input.
class WaitingWidget : public QDialog
{
    Q_OBJECT

public:
    // parent is accepted for symmetry with other dialogs; the box never has one.
    explicit WaitingWidget(const QString &text, int closeAfterMs = 0, QWidget *parent = nullptr);
    ~WaitingWidget() override;

    QString text() const;
    bool isFinished() const { return finished; }

public slots:
    // The step the box waits for is over: the box closes now, or, when it is
    // not shown yet, as soon as exec() has shown it (so exec() returns at once
    // and the box is still seen to come and go).
    void finish();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFrame *backgroundFrame;
    QLabel *gifLabel;
    QLabel *textLabel;
    QMovie *movie;
    bool finished = false;
};
