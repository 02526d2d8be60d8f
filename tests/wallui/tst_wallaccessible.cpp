// What screen readers and automation find of the wall: its open windows as the
// viewport's accessible children, each named by its number and input in the
// language in force, placed where the window is on the screen.
#include "inputchannel.h"
#include "resolutionratioscene.h"
#include "userview.h"
#include "wallfixture.h"
#include "windowfeatures.h"
#include "windowstatusapply.h"

#include <QAccessible>
#include <QtTest>

class TestWallAccessible : public QObject
{
    Q_OBJECT

    WallFixture f;

    QAccessibleInterface *viewport() const
    {
        return QAccessible::queryAccessibleInterface(f.view->viewport());
    }

    QList<QAccessibleInterface *> windowChildren() const
    {
        QList<QAccessibleInterface *> found;
        QAccessibleInterface *vp = viewport();
        for (int i = 0; i < vp->childCount(); ++i)
            if (QAccessibleInterface *c = vp->child(i))
                if (qobject_cast<InputChannel *>(c->object()))
                    found << c;
        return found;
    }

    QStringList windowNames() const
    {
        QStringList names;
        for (QAccessibleInterface *c : windowChildren())
            names << c->text(QAccessible::Name);
        return names;
    }

private slots:
    void init() { f.setUp(); }
    void cleanup()
    {
        f.window->changeLanguage(0);
        f.tearDown();
    }

    // Windows 1..4 show inputs 2, 1, 4, 3 after a rebuild; here window 2 has
    // none and window 3 is closed.
    void namesInEveryLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("Chinese") << 0 << QStringList{"窗口 1，输入 2", "窗口 2，无输入", "窗口 4，输入 3"};
        QTest::newRow("English") << 1
                                 << QStringList{"Window 1, input 2", "Window 2, no input",
                                                "Window 4, input 3"};
        QTest::newRow("Russian") << 2 << QStringList{"Окно 1, вход 2", "Окно 2, нет входа", "Окно 4, вход 3"};
    }
    void namesInEveryLanguage()
    {
        QFETCH(int, language);
        QFETCH(QStringList, names);
        f.item(1)->inputSourceId = w4::NoInputSource;
        f.view->closeWindow(2);
        f.window->changeLanguage(language);
        QTRY_COMPARE(windowNames(), names);
    }

    // The name follows the input however it changes, and a solid colour hides
    // the input as it does on the wall.
    void nameFollowsTheInput()
    {
        f.window->changeLanguage(1);
        f.view->currentWindowIndex = 0;
        f.view->setFocus();
        QTest::keyClick(f.view, Qt::Key_3);
        QCOMPARE(windowNames().value(0), QStringLiteral("Window 1, input 3"));
        w4::setSolidColor(f.item(0)->record(), true);
        QCOMPARE(windowNames().value(0), QStringLiteral("Window 1, no input"));
        w4::setSolidColor(f.item(0)->record(), false);
        f.item(0)->isColorSolid = true; // as a UDP read leaves it: the input kept under the colour
        QCOMPARE(f.item(0)->inputSourceId, 2);
        QCOMPARE(windowNames().value(0), QStringLiteral("Window 1, no input"));
    }

    // From the view down to a window and back, and where the window is.
    void windowsHangUnderTheView()
    {
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(f.view);
        bool viewportFound = false;
        for (int i = 0; i < view->childCount(); ++i)
            viewportFound = viewportFound || view->child(i)->object() == f.view->viewport();
        QVERIFY(viewportFound);

        const QList<QAccessibleInterface *> windows = windowChildren();
        QCOMPARE(windows.size(), 4);
        f.zoomToOne(QPointF(2880, 540));
        for (int i = 0; i < 4; ++i) {
            QAccessibleInterface *w = windows.at(i);
            QCOMPARE(w->object(), static_cast<QObject *>(f.item(i)));
            QCOMPARE(w->role(), QAccessible::Graphic);
            QCOMPARE(w->parent()->object(), static_cast<QObject *>(f.view->viewport()));
            QCOMPARE(viewport()->child(viewport()->indexOfChild(w)), w);
        }
        const QPoint centre = f.view->viewport()->mapToGlobal(f.at(QPointF(2880, 540)));
        QVERIFY(windows.at(1)->rect().contains(centre));
        QVERIFY(!windows.at(0)->rect().contains(centre));

        f.item(1)->isFrozen = true;
        QVERIFY(!windows.at(1)->state().movable);
        QVERIFY(windows.at(0)->state().movable);
    }
};

QTEST_MAIN(TestWallAccessible)
#include "tst_wallaccessible.moc"
