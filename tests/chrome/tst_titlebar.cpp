#include "appstate.h"
#include "dialoganswerer.h"
#include "maintitlebar.h"
#include "mainwindow.h"
#include "sessionstates.h"
#include "tempworkdir.h"
#include "titlebar.h"
#include "waitingwidget.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

void removeTranslators()
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

// QTest::mouseMove carries no buttons, so drags are built by hand.
void mouse(QWidget *w, QEvent::Type type, const QPoint &global, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPoint local = w->mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A temporary folder this process cannot write to: by its mode for a normal
// user; as root, who writes through any mode, by a read-only bind mount in a
// mount namespace of the test's own.
class UnwritableDir
{
public:
    UnwritableDir()
    {
        const QByteArray p = QFile::encodeName(dir.path());
        if (!dir.isValid()) {
            why = QStringLiteral("no temporary folder");
        } else if (::geteuid() != 0) {
            if (!QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner))
                why = QStringLiteral("cannot change the folder's mode");
        } else if (::unshare(CLONE_NEWNS) != 0 ||
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                   ::mount(p.constData(), p.constData(), nullptr, MS_BIND, nullptr) != 0) {
            why = QStringLiteral("no mount namespace here: ") + QString::fromLocal8Bit(std::strerror(errno));
        } else {
            mounted = true;
            if (::mount(nullptr, p.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
                why = QStringLiteral("cannot remount read-only: ") +
                      QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    ~UnwritableDir()
    {
        if (mounted)
            ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
        else
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path() const { return dir.path(); }
    QString problem() const { return why; }

private:
    QTemporaryDir dir;
    QString why;
    bool mounted = false;
};

} // namespace

class TestTitleBar : public QObject
{
    Q_OBJECT

    TempWorkingDir dir;
    QPointer<MainWindow> window;

    void build()
    {
        DialogAnswerer noBox;
        window = new MainWindow;
        // Port 23 may be taken by another program on this machine; the window
        // says so and carries on, which is not what these tests look at.
        if (noBox.problem().contains(QLatin1String("udp socket create error")))
            noBox.forgive();
    }

    MainTitleBar *titleBar() { return window->findChild<MainTitleBar *>(QStringLiteral("widgetTitle")); }
    QPushButton *button(const char *name) { return window->findChild<QPushButton *>(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.enter());
        // The user's configuration folder, for a working folder that is not writable.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    }
    void cleanupTestCase() { dir.leave(); }
    void init()
    {
        resetAppState();
        QFile::remove(dir.filePath(QStringLiteral("FontSize.ini")));
    }
    void cleanup()
    {
        delete window;
        removeTranslators();
    }

    // Only the left button drags; a press of another button still takes the
    // grab point, so the next left drag moves by the pointer's travel only.
    void dragging()
    {
        QWidget target;
        target.setGeometry(100, 100, 400, 300);
        TitleBar bar(&target);
        bar.setGeometry(0, 0, 400, 40);
        target.show();
        const QPoint start = target.pos();
        const QPoint grab = bar.mapToGlobal(QPoint(50, 20));

        mouse(&bar, QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
        QVERIFY(!bar.isDragging());
        mouse(&bar, QEvent::MouseMove, grab + QPoint(80, 60), Qt::NoButton, Qt::RightButton);
        QCOMPARE(target.pos(), start);
        mouse(&bar, QEvent::MouseButtonRelease, grab + QPoint(80, 60), Qt::RightButton, Qt::NoButton);
        QCOMPARE(target.pos(), start);

        // The left press is taken where the right button was released.
        const QPoint leftGrab = grab + QPoint(80, 60);
        mouse(&bar, QEvent::MouseButtonPress, leftGrab, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(bar.isDragging());
        QCOMPARE(target.pos(), start);
        mouse(&bar, QEvent::MouseMove, leftGrab + QPoint(30, -10), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(target.pos(), start + QPoint(30, -10));
        mouse(&bar, QEvent::MouseMove, leftGrab + QPoint(-20, 25), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(target.pos(), start + QPoint(-20, 25));
        mouse(&bar, QEvent::MouseButtonRelease, leftGrab + QPoint(-20, 25), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!bar.isDragging());
        mouse(&bar, QEvent::MouseMove, leftGrab + QPoint(200, 200), Qt::NoButton, Qt::NoButton);
        QCOMPARE(target.pos(), start + QPoint(-20, 25));
    }

    // The bar inside the main window moves the whole window, not itself.
    void movesTheMainWindow()
    {
        build();
        window->move(50, 40);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        MainTitleBar *bar = titleBar();
        QVERIFY(bar);
        QCOMPARE(bar->targetWindow(), window.data());
        const QPoint before = window->pos();
        const QPoint grab = bar->mapToGlobal(QPoint(300, 20));
        mouse(bar, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        mouse(bar, QEvent::MouseMove, grab + QPoint(15, 35), Qt::NoButton, Qt::LeftButton);
        mouse(bar, QEvent::MouseButtonRelease, grab + QPoint(15, 35), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(window->pos(), before + QPoint(15, 35));
        QCOMPARE(bar->pos(), QPoint(0, 0));
    }

    void languageButtons_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("saveAll");
        QTest::addColumn<int>("waitingWidth");
        QTest::newRow("English") << "pushButton_EN" << 1 << "Lumara W4R Controller"
                                 << "Save all config" << 250;
        QTest::newRow("Russian") << "pushButton_RU" << 2 << "Lumara W4R контроль"
                                 << "Сохранить все настройки" << 450;
        QTest::newRow("Chinese") << "pushButton_CH" << 0 << "Lumara W4R 控制"
                                 << "保存所有配置" << 250;
    }

    // Each button switches the whole program, itself included; the buttons
    // keep their own names in every language.
    void languageButtons()
    {
        QFETCH(QString, buttonName);
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, saveAll);
        QFETCH(int, waitingWidth);
        languageIndex = 1; // from a start in English
        build();
        QTest::mouseClick(button(qPrintable(buttonName)), Qt::LeftButton);
        QCOMPARE(languageIndex, index);
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("labelTitleName"))->text(), title);
        QCOMPARE(button("ptn_saveAll")->text(), saveAll);
        QCOMPARE(WaitingWidget(QStringLiteral("..."), 100).width(), waitingWidth);
        QCOMPARE(button("pushButton_EN")->text(), QStringLiteral("English"));
        QCOMPARE(button("pushButton_RU")->text(), QStringLiteral("Русский"));
        QCOMPARE(button("pushButton_CH")->text(), QStringLiteral("中文"));
    }

    // Pressing the language in force re-applies it: texts changed since are
    // put back.
    void activeLanguageReapplied()
    {
        build();
        QTest::mouseClick(button("pushButton_EN"), Qt::LeftButton);
        button("ptn_saveAll")->setText(QStringLiteral("x"));
        QTest::mouseClick(button("pushButton_EN"), Qt::LeftButton);
        QCOMPARE(button("ptn_saveAll")->text(), QStringLiteral("Save all config"));
    }

    void minimise()
    {
        build();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(button("pushButtonMin"), Qt::LeftButton);
        QTRY_VERIFY(window->windowState() & Qt::WindowMinimized);
        QVERIFY(window); // still there
    }

    // Closing keeps the language for the next start, takes the links down and
    // deletes the window; the next window starts in that language. It is kept in
    // ./FontSize.ini, or in the user's configuration folder when the working
    // folder is not writable.
    void closeKeepsTheLanguage_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable working folder") << true;
        QTest::newRow("read-only working folder") << false;
    }

    void closeKeepsTheLanguage()
    {
        QFETCH(bool, writable);
        const QString inConfig = dir.filePath(QStringLiteral("config/tst_titlebar/FontSize.ini"));
        QFile::remove(inConfig);
        std::unique_ptr<UnwritableDir> readOnly;
        if (!writable) {
            readOnly = std::make_unique<UnwritableDir>();
            if (!readOnly->problem().isEmpty())
                QSKIP(qPrintable(readOnly->problem()));
            QVERIFY(QDir::setCurrent(readOnly->path()));
        }
        const QString saved = writable ? dir.filePath(QStringLiteral("FontSize.ini")) : inConfig;
        auto back = qScopeGuard([this] { QDir::setCurrent(dir.path()); });
        build();
        window->show();
        QTest::mouseClick(button("pushButton_RU"), Qt::LeftButton);
        setLinksForTesting(window->session(), true, true);
        QVERIFY(serialConnected() && networkConnected());
        QVERIFY(!QFile::exists(QStringLiteral("FontSize.ini"))); // switching alone writes nothing

        QTest::mouseClick(button("pushButtonClose"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(window.isNull());
        // The window's session went with it: nothing is connected any more.
        QVERIFY(!serialConnected());
        QVERIFY(!networkConnected());
        QCOMPARE(connectionStatusRow(), 1);

        QVERIFY(QFile::exists(saved));
        QVERIFY(!QFile::exists(writable ? inConfig : dir.filePath(QStringLiteral("FontSize.ini"))));
        QSettings ini(saved, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("ID")).toInt(), 2);
        QCOMPARE(ini.allKeys(), QStringList{QStringLiteral("ID")});

        // The next start opens in Russian.
        resetAppState();
        removeTranslators();
        build();
        QCOMPARE(languageIndex, 2);
        QCOMPARE(button("ptn_saveAll")->text(), QStringLiteral("Сохранить все настройки"));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("labelTitleName"))->text(),
                 QStringLiteral("Lumara W4R контроль"));
    }
};

QTEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"
