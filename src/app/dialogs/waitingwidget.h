#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QMovie;

// A modal "please wait" box with an animation and one line of text. It closes
// itself closeAfterMs after construction, so exec() is both the progress display
// and the pause between the steps of a device sequence. It takes no mouse input.
class WaitingWidget : public QDialog
{
    Q_OBJECT

public:
    // parent is accepted for symmetry with other dialogs; the box never has one.
    explicit WaitingWidget(const QString &text, int closeAfterMs = 0, QWidget *parent = nullptr);
    ~WaitingWidget() override;

    QString text() const;

private:
    QFrame *backgroundFrame;
    QLabel *gifLabel;
    QLabel *textLabel;
    QMovie *movie;
};
