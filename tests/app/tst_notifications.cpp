#include "appstate.h"
#include "dialoganswerer.h"
#include "noticewidget.h"
#include "waitingwidget.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestNotifications : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }

    void waitingLayout_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("chinese and english") << 250;
        QTest::newRow("russian") << 450;
    }

    void waitingLayout()
    {
        QFETCH(int, width);
        waitingDialogWidth = width;
        WaitingWidget w(QStringLiteral("请稍等(7/1)"), 100);
        QCOMPARE(w.size(), QSize(width, 100));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.text(), QStringLiteral("请稍等(7/1)"));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(qAbs(w.windowOpacity() - 0.9) < 0.01);

        QLabel *gif = nullptr, *text = nullptr;
        for (QLabel *l : w.findChildren<QLabel *>())
            (l->movie() ? gif : text) = l;
        QVERIFY(gif && text);
        QCOMPARE(gif->geometry(), QRect(width / 2 - 20, 15, 40, 40));
        QCOMPARE(text->geometry(), QRect(0, 70, width, 24));
        QVERIFY(gif->movie()->isValid());
        QCOMPARE(gif->movie()->state(), QMovie::Running);

        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(w.pos(), QPoint((screen.width() - width) / 2, (screen.height() - 100) / 2 - 100));
    }

    // exec() is the pause between device commands: it must return by itself and
    // never before its time.
    void waitingClosesItselfAfterItsTime()
    {
        DialogAnswerer noBox; // a waiting dialog is not something to answer
        QElapsedTimer clock;
        clock.start();
        WaitingWidget w(QStringLiteral("waiting"), 100);
        w.exec();
        QVERIFY(clock.elapsed() >= 100);
        QVERIFY(!w.isVisible());
    }

    // A box whose step ended returns from exec() without waiting for its time,
    // whether the step ended before the box was shown or while it was; it is
    // still shown (the user sees the step) and gone afterwards.
    void waitingClosesWhenItsStepEnds_data()
    {
        QTest::addColumn<bool>("beforeExec");
        QTest::newRow("step over before exec()") << true;
        QTest::newRow("step over while shown") << false;
    }
    void waitingClosesWhenItsStepEnds()
    {
        QFETCH(bool, beforeExec);
        DialogAnswerer noBox;
        WaitingWidget w(QStringLiteral("waiting"), 60000);
        int shown = 0;
        struct ShowCount : QObject
        {
            int *count;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Show)
                    ++*count;
                return false;
            }
        } counter;
        counter.count = &shown;
        w.installEventFilter(&counter);
        // Only if finish() failed: the test ends instead of waiting a minute.
        bool fellBack = false;
        QTimer::singleShot(10000, &w, [&] {
            fellBack = true;
            w.close();
        });
        if (beforeExec)
            w.finish();
        else
            QTimer::singleShot(0, &w, &WaitingWidget::finish);
        w.exec();
        QVERIFY(!fellBack);
        QVERIFY(w.isFinished());
        QCOMPARE(shown, 1);
        QVERIFY(!w.isVisible());
    }

    // Clicks pass through: the box takes no mouse input, neither in Qt nor from
    // the window system.
    void waitingLetsClicksThrough()
    {
        QWidget below;
        below.resize(400, 300);
        auto *button = new QPushButton(QStringLiteral("below"), &below);
        button->setGeometry(0, 0, 400, 300);
        below.show();
        QVERIFY(QTest::qWaitForWindowExposed(&below));

        WaitingWidget w(QStringLiteral("waiting"), 0);
        w.move(below.pos());
        w.show();
        QVERIFY(w.testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(w.windowHandle()->flags() & Qt::WindowTransparentForInput);
        QCOMPARE(QApplication::widgetAt(w.mapToGlobal(w.rect().center())) == &w, false);

        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        w.close();
    }

    void noticeSizeAndPlacement()
    {
        QWidget host;
        host.resize(1000, 600);
        NoticeWidget notice;
        const QString text = QStringLiteral("打开成功");
        notice.showNotice(&host, text, 1500);
        const QFontMetrics fm(notice.font());
        const int lineHeight = fm.height() + 4;
        const int textWidth = fm.horizontalAdvance(text);
        QCOMPARE(notice.parentWidget(), &host);
        QCOMPARE(notice.width(), 300);
        QCOMPARE(notice.height(), int((textWidth / 300.0 + 1) * lineHeight));
        QCOMPARE(notice.pos(), QPoint((1000 - 300) >> 1, (600 - notice.height()) >> 1));
        QVERIFY(notice.isVisibleTo(&host));
        QVERIFY(notice.wordWrap());
        QCOMPARE(notice.remainingTicksLeft(), 31);
        QVERIFY(notice.styleSheet().contains("rgba(80, 80, 80, 255)"));
    }

    // 31 ticks for 1500 ms: the background stays opaque for 10 ticks, then loses
    // 13 per tick and reaches 0 on the last visible tick.
    void noticeFadeSchedule()
    {
        QWidget host;
        host.resize(1000, 600);
        NoticeWidget notice;
        notice.showNotice(&host, QStringLiteral("打开成功"), 1500);
        QList<int> alphas;
        for (int tick = 1; tick <= 31; ++tick) {
            notice.OnTimerTimeout();
            alphas << notice.backgroundAlpha();
            if (tick < 31)
                QVERIFY2(notice.isVisibleTo(&host), qPrintable(QString::number(tick)));
        }
        QVERIFY(!notice.isVisibleTo(&host));
        for (int i = 0; i < 10; ++i)
            QCOMPARE(alphas.at(i), 255);
        QCOMPARE(alphas.at(10), 242);
        QCOMPARE(alphas.at(28), 8);
        QCOMPARE(alphas.at(29), 0);
        QVERIFY(notice.styleSheet().contains("rgba(80, 80, 80, 0)"));
    }

    void noticeHidesByItselfAndRestarts()
    {
        QWidget host;
        host.resize(1000, 600);
        NoticeWidget notice;
        notice.showNotice(&host, QStringLiteral("first"), 100);
        QVERIFY(notice.isVisibleTo(&host));
        QTRY_VERIFY(!notice.isVisibleTo(&host));

        // Empty text or no duration only hides a showing notice.
        notice.showNotice(&host, QStringLiteral("second"), 1500);
        notice.showNotice(&host, QString(), 1500);
        QVERIFY(!notice.isVisibleTo(&host));
        notice.showNotice(&host, QStringLiteral("third"), 1500);
        notice.showNotice(&host, QStringLiteral("fourth"), 0);
        QVERIFY(!notice.isVisibleTo(&host));
    }

    // The notice belongs to the widget it was last shown over.
    void noticeDiesWithItsHost()
    {
        QPointer<NoticeWidget> notice = new NoticeWidget;
        auto *host = new QWidget;
        host->resize(400, 300);
        notice->showNotice(host, QStringLiteral("打开成功"), 1500);
        delete host;
        QVERIFY(notice.isNull());
    }

    void noticeFollowsResizedHost()
    {
        QWidget host;
        host.resize(1000, 600);
        NoticeWidget notice;
        notice.showNotice(&host, QStringLiteral("打开成功"), 1500);
        host.resize(500, 400);
        notice.OnTimerTimeout();
        QCOMPARE(notice.width(), 150);
        QCOMPARE(notice.pos(), QPoint((500 - 150) >> 1, (400 - notice.height()) >> 1));
    }
};

QTEST_MAIN(TestNotifications)
#include "tst_notifications.moc"
