#pragma once

#include <QPixmap>
#include <QSplashScreen>

class QPropertyAnimation;

// The start-up picture with a message and a progress bar. One instance for the
// whole process; it stays closed after the main window is revealed.
class SplashScreen : public QSplashScreen
{
    Q_OBJECT

public:
    static SplashScreen *instance();

    // Shows and raises the splash, sets the message and advances the bar in
    // steps of 0.02 % up to target, repainting after each step.
    void showProgress(int target, const QString &message);
    // Remembers the window to reveal and makes it transparent for the fade-in.
    void attachMainWindow(QWidget *window, const QString &title, const QString &picturePath);
    // Closes the splash, brings the main window forward and starts the fade-in.
    void closeAndReveal();

    double progressValue() const { return progress; }
    QString currentMessage() const { return message; }
    QPropertyAnimation *fadeInAnimation() const { return fadeAnimation; }

signals:
    void messageShown(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    explicit SplashScreen(const QPixmap &picture);
    // The bar moves thousands of times during start-up; what does not move with
    // it (picture, empty track, message) is drawn once into `background`, and
    // the rounded mask is set only when the size changes.
    void renderBackground();
    void updateMask();

    double progress = 0.0;
    QWidget *mainWindow = nullptr;
    QString message;
    QString windowTitleText;
    QPixmap windowPicture;
    QPropertyAnimation *fadeAnimation = nullptr;
    int fadeDuration = 1000;

    QPixmap background;
    qint64 backgroundPictureKey = 0;
    bool backgroundStale = true;
    QFont percentFont;
};
