#pragma once

#include <QLabel>

class QTimer;

// A short confirmation laid over a widget, centred on it; its background fades
// during the last second and it hides itself. Call sites keep one instance each.
class NoticeWidget : public QLabel
{
    Q_OBJECT

public:
    explicit NoticeWidget(QWidget *parent = nullptr);

    void showNotice(QWidget *parent, const QString &text, int durationMs);

    int remainingTicksLeft() const { return remainingTicks; }
    int backgroundAlpha() const { return alpha; }

public slots:
    void OnTimerTimeout();

private:
    void layoutNotice(const QString &text, int durationMs);
    void fitToHost();
    void applyAlpha();

    QWidget *hostWidget;
    QTimer *timer;
    int remainingTicks = 20;
    int textWidth = 0;
    int lineHeight = 0;
    int alpha = 255;
};
