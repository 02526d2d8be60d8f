#include "noticewidget.h"

#include <QFontMetrics>
#include <QTimer>

namespace {
constexpr int tickMs = 50;
constexpr int fadeTicks = 20; // about one second of fading before the notice hides
constexpr int fadeStep = 13;
} // namespace

NoticeWidget::NoticeWidget(QWidget *parent) : QLabel(nullptr), hostWidget(parent), timer(new QTimer(this))
{
    setAlignment(Qt::AlignCenter);
    connect(timer, &QTimer::timeout, this, &NoticeWidget::OnTimerTimeout, Qt::UniqueConnection);
}

void NoticeWidget::showNotice(QWidget *parent, const QString &text, int durationMs)
{
    if (timer->isActive()) {
        timer->stop();
        hide();
    }
    if (text.isEmpty() || durationMs <= 0)
        return;
    setParent(parent);
    layoutNotice(text, durationMs);
    timer->start(tickMs);
}

void NoticeWidget::layoutNotice(const QString &text, int durationMs)
{
    hostWidget = parentWidget();
    const QFontMetrics metrics(font());
    textWidth = metrics.horizontalAdvance(text);
    lineHeight = metrics.height() + 4;
    fitToHost();
    setWordWrap(true);
    setText(text);
    if (hostWidget)
        move((hostWidget->width() - width()) >> 1, (hostWidget->height() - height()) >> 1);
    show();
    alpha = 255;
    applyAlpha();
    remainingTicks = durationMs / tickMs + 1;
}

// Width is 30 % of the host; the height grows by one line for each width the
// text would need on a single line.
void NoticeWidget::fitToHost()
{
    if (!hostWidget)
        return;
    const double boxWidth = hostWidget->width() * 0.3;
    const int w = int(boxWidth);
    const int h = boxWidth > 0 ? int((textWidth / boxWidth + 1) * lineHeight) : lineHeight;
    setFixedSize(w, h);
}

void NoticeWidget::applyAlpha()
{
    setStyleSheet(
        QStringLiteral("color:white;border-radius:8px;background-color:rgba(80, 80, 80, %1);").arg(alpha));
}

void NoticeWidget::OnTimerTimeout()
{
    --remainingTicks;
    if (remainingTicks <= 0) {
        timer->stop();
        hide();
        return;
    }
    if (hostWidget) {
        // The host may have been resized while the notice shows.
        const QPoint centred((hostWidget->width() - width()) >> 1, (hostWidget->height() - height()) >> 1);
        if (pos() != centred) {
            fitToHost();
            move((hostWidget->width() - width()) >> 1, (hostWidget->height() - height()) >> 1);
        }
    }
    if (remainingTicks <= fadeTicks && alpha > 0) {
        alpha = qMax(alpha - fadeStep, 0);
        applyAlpha();
    }
}
