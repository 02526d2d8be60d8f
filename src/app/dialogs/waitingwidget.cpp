#include "waitingwidget.h"

#include "appstate.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMovie>
#include <QScreen>
#include <QTimer>

WaitingWidget::WaitingWidget(const QString &text, int closeAfterMs, QWidget *)
    : QDialog(nullptr), backgroundFrame(new QFrame(this)), gifLabel(nullptr), textLabel(nullptr),
      movie(new QMovie(QStringLiteral(":/res/res/image/icon-wzb/waiting.gif"), QByteArray(), this))
{
    // WindowTransparentForInput lets the window system hand clicks to whatever
    // lies below; the attribute keeps Qt itself from delivering them here.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                   Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(waitingDialogWidth, waitingDialogHeight);
    setWindowOpacity(0.9);
    setStyleSheet(QStringLiteral("background-color:transparent;"));

    backgroundFrame->setGeometry(0, 0, width(), height());
    backgroundFrame->setStyleSheet(QStringLiteral("background-color: rgb(255,255,255);border-radius:5px;"));

    QFont font(QStringLiteral("微软雅黑"), 18, QFont::Bold, false);

    gifLabel = new QLabel(backgroundFrame);
    gifLabel->setFont(font);
    gifLabel->setStyleSheet(QStringLiteral(
        "background-color:transparent,rgb(255,255,255);font-size: 18px;font-family: Microsoft YaHei UI;"));
    gifLabel->setGeometry(width() / 2 - 20, 15, 40, 40);
    gifLabel->setScaledContents(true);
    gifLabel->setMovie(movie);

    textLabel = new QLabel(backgroundFrame);
    textLabel->setAlignment(Qt::AlignHCenter);
    textLabel->setFont(font);
    textLabel->setText(text);
    textLabel->setStyleSheet(QStringLiteral(
        "color: black;background-color: transparent;font-size: 18px;font-family: Microsoft YaHei UI;"));
    textLabel->setGeometry(0, 70, width(), 24);

    movie->start();

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2 - 100);
    }

    // The close time paces device sequences: exec() must not return earlier.
    if (closeAfterMs != 0)
        QTimer::singleShot(closeAfterMs, this, &QWidget::close);
}

WaitingWidget::~WaitingWidget()
{
    movie->stop();
}

void WaitingWidget::finish()
{
    if (finished)
        return;
    finished = true;
    if (isVisible())
        close();
}

void WaitingWidget::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Shown after its step ended: gone again on the next turn of exec()'s loop.
    if (finished)
        QTimer::singleShot(0, this, &QWidget::close);
}

QString WaitingWidget::text() const
{
    return textLabel->text();
}
