#pragma once

// A main window for page tests: built in a scratch directory, offline mode on so
// the pages are editable, the session's send timer stopped so every queued
// command stays in the queue for the test to read.
#include "appstate.h"
#include "commandsender.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "inputchannel.h"
#include "mainwindow.h"
#include "resolutionratioscene.h"
#include "sessionstates.h"
#include "userview.h"
#include "waitingwidget.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// Records the text of every waiting dialog as it is shown.
class WaitingSpy : public QObject
{
public:
    WaitingSpy() { qApp->installEventFilter(this); }
    ~WaitingSpy() override { qApp->removeEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show)
            if (auto *w = qobject_cast<WaitingWidget *>(o))
                texts << w->text();
        return false;
    }
};

class PageFixture : public QObject
{
protected:
    QTemporaryDir dir;
    QString oldCwd;
    std::unique_ptr<MainWindow> mw;

    void enterScratchDir()
    {
        QVERIFY(dir.isValid());
        oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
    }
    void leaveScratchDir() { QDir::setCurrent(oldCwd); }

    void build()
    {
        resetAppState();
        {
            // Tests of other parts may hold the window's UDP port at the same time;
            // the box that reports it is not what these tests are about.
            DialogAnswerer portBox;
            mw = std::make_unique<MainWindow>();
            portBox.forgive();
        }
        mw->session()->sender()->stop();
        mw->session()->goOffline();
        mw->changeUIBaseSelectChannel(1); // unlocks: offline mode is on
        queue().clear();
    }

    template <typename T = QWidget> T *get(const char *name) const
    {
        T *w = mw->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no widget %s", name);
        return w;
    }

    UserView *view() const { return get<UserView>("graphicsView"); }
    InputChannel *item(int window) const { return view()->window(window); }
    w4::WindowRecord &rec(int window) const { return *mw->recordOf(window); }

    // The commands waiting in the session's send queue.
    w4::CommandQueue &queue() const { return mw->session()->sender()->queue(); }
    QStringList queued() const
    {
        QStringList texts;
        for (const w4::QueuedCommand &c : queue().entries())
            texts << c.text.toLower();
        return texts;
    }
    QStringList takeQueued()
    {
        const QStringList texts = queued();
        queue().clear();
        return texts;
    }

    // Types a value into a line edit and presses Enter, as the user does.
    static void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void selectWindow(int window)
    {
        get<QComboBox>("currentChannelCBox")->setCurrentIndex(window);
        queue().clear();
    }
};
