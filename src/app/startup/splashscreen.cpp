#include "splashscreen.h"

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

SplashScreen *SplashScreen::instance()
{
    static SplashScreen *splash = new SplashScreen(QPixmap(QStringLiteral(":/res/res/splash.png")));
    return splash;
}

SplashScreen::SplashScreen(const QPixmap &picture) : QSplashScreen(picture)
{
    updateMask();
}

void SplashScreen::showProgress(int target, const QString &text)
{
    if (isHidden())
        show();
    if (!isActiveWindow()) {
        activateWindow();
        raise();
    }
    if (text != message) {
        message = text;
        backgroundStale = true;
        repaint(); // the new message, once
    }
    emit messageShown(message);
    // No timer: the bar moves as fast as the machine repaints it. Only the band
    // of the bar and its percentage changes from one step to the next.
    const QRect band(0, height() - 70, width(), 70);
    while (target > progress) {
        progress += 0.02;
        QApplication::processEvents();
        QWidget::repaint(band);
    }
}

void SplashScreen::attachMainWindow(QWidget *window, const QString &title, const QString &picturePath)
{
    if (!window)
        return;
    mainWindow = window;
    windowTitleText = title;
    windowPicture = QPixmap(picturePath);
    mainWindow->setWindowOpacity(0.0);
    if (!fadeAnimation) {
        fadeAnimation = new QPropertyAnimation(window, "windowOpacity", this);
        fadeAnimation->setDuration(fadeDuration);
        fadeAnimation->setStartValue(0.0);
        fadeAnimation->setEndValue(1.0);
    } else {
        // The one animation follows the window attached last; otherwise a
        // second window would stay invisible.
        fadeAnimation->stop();
        fadeAnimation->setTargetObject(window);
    }
}

void SplashScreen::closeAndReveal()
{
    close();
    if (mainWindow) {
        mainWindow->activateWindow();
        mainWindow->raise();
    }
    if (fadeAnimation)
        fadeAnimation->start();
}

void SplashScreen::renderBackground()
{
    const int w = width();
    const int h = height();
    const qreal ratio = devicePixelRatioF();
    background = QPixmap(QSize(qRound(w * ratio), qRound(h * ratio)));
    background.setDevicePixelRatio(ratio);
    background.fill(Qt::transparent);
    const QPixmap picture = pixmap();
    backgroundPictureKey = picture.cacheKey();

    QPainter painter(&background);
    painter.setRenderHints(QPainter::SmoothPixmapTransform);
    painter.setLayoutDirection(layoutDirection());
    if (!picture.isNull())
        painter.drawPixmap(QPoint(), picture);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(QFont(QStringLiteral("微软雅黑")).resolve(font()));
    painter.setPen(Qt::white);

    // The empty track.
    painter.setBrush(QBrush(QColor(100, 100, 100)));
    painter.drawRoundedRect(QRect(70, h - 70, w - 140, 8), 4, 10);

    QFont messageFont = painter.font();
    messageFont.setPixelSize(16);
    messageFont.setWeight(QFont::Bold);
    painter.setFont(messageFont);
    painter.setPen(Qt::yellow);
    painter.drawText(QRect(0, h - 140, w, 70), Qt::AlignCenter, message);
    painter.end();

    percentFont = messageFont;
    percentFont.setPixelSize(14);
    percentFont.setWeight(QFont::Normal);
    backgroundStale = false;
}

void SplashScreen::updateMask()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width(), height()), 8, 8, Qt::RelativeSize);
    setMask(QRegion(path.toFillPolygon().toPolygon(), Qt::OddEvenFill));
}

void SplashScreen::resizeEvent(QResizeEvent *event)
{
    QSplashScreen::resizeEvent(event);
    backgroundStale = true;
    updateMask();
}

void SplashScreen::changeEvent(QEvent *event)
{
    QSplashScreen::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange)
        backgroundStale = true;
}

void SplashScreen::paintEvent(QPaintEvent *event)
{
    if (backgroundStale || background.devicePixelRatioF() != devicePixelRatioF() ||
        backgroundPictureKey != pixmap().cacheKey())
        renderBackground();
    const int w = width();
    const int h = height();

    QPainter painter(this);
    const QRect dirty = event->rect();
    const qreal ratio = background.devicePixelRatioF();
    painter.drawPixmap(
        dirty, background,
        QRectF(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio, dirty.height() * ratio));
    painter.setRenderHint(QPainter::Antialiasing);
    if (progress != 0) {
        painter.setPen(Qt::white);
        painter.setBrush(QBrush(QColor(150, 230, 100)));
        painter.drawRoundedRect(QRect(70, h - 70, int((w - 140) * progress / 100), 8), 4, 10);
    }
    painter.setFont(percentFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, h - 70, w, 70), Qt::AlignCenter, QString::number(progress, 'f', 0) + "%");
}
