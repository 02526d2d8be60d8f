// The wall's context menus, answered through real popups, and input buttons
// dropped on the wall.
#include "appstate.h"
#include "dialoganswerer.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "menuanswerer.h"
#include "resolutionratioscene.h"
#include "userview.h"
#include "wallfixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest>

namespace {

enum Setup { Plain, At180, Solid, Frozen, Closed };

QPointF quarterCentre(int window)
{
    return QPointF(window % 2 ? 2880 : 960, window / 2 ? 1620 : 540);
}

} // namespace

class TestWallMenus : public QObject
{
    Q_OBJECT

    WallFixture f;

    void prepare(int window, int setup)
    {
        InputChannel *w = f.item(window);
        if (setup == At180)
            w4::setRotation(w->record(), 180);
        w->isColorSolid = setup == Solid;
        w->isFrozen = setup == Frozen;
        if (setup == Closed)
            f.view->closeWindow(window);
        f.clearQueue();
    }

    void rightClick(const QPointF &scenePoint)
    {
        f.zoomToOne(scenePoint);
        const QPoint p = f.at(scenePoint);
        QContextMenuEvent e(QContextMenuEvent::Mouse, p, f.view->viewport()->mapToGlobal(p));
        QApplication::sendEvent(f.view->viewport(), &e);
    }

    void dropButton(InputSourceButton *b, const QPoint &global)
    {
        auto send = [b](QEvent::Type type, const QPoint &g, Qt::MouseButton button,
                        Qt::MouseButtons buttons) {
            QMouseEvent e(type, b->mapFromGlobal(g), g, button, buttons, Qt::NoModifier);
            QApplication::sendEvent(b, &e);
        };
        const QPoint start = b->mapToGlobal(b->rect().center());
        send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (start + global) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, global, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, global, Qt::LeftButton, Qt::NoButton);
    }

private slots:
    void init() { f.setUp(); }
    void cleanup() { f.tearDown(); }

    void windowMenuEntriesQueueTheirCommands_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("setup");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("warning");
        const QString layers = "设置层级", audio = "音频随出", rotate = "旋转(R)", fill = "自适应填充";
        QTest::newRow("to top") << 2 << int(Plain) << QStringList{layers, "置于顶层"}
                                << QStringList{"04104026"} << "";
        QTest::newRow("down one") << 0 << int(Plain) << QStringList{layers, "置于下一层(End)"}
                                  << QStringList{"04102046"} << "";
        QTest::newRow("to bottom") << 0 << int(Plain) << QStringList{layers, "置于底层"}
                                   << QStringList{"04102460"} << "";
        QTest::newRow("audio all") << 1 << int(Plain) << QStringList{audio, "开启全部输出口"}
                                   << QStringList{"040D0001"} << "";
        QTest::newRow("audio port 1")
            << 1 << int(Plain) << QStringList{audio, "仅开启输出1口"} << QStringList{"040C0001"} << "";
        QTest::newRow("audio off") << 1 << int(Plain) << QStringList{audio, "关闭音频随出"}
                                   << QStringList{"040E0001"} << "";
        QTest::newRow("videogen off")
            << 1 << int(Plain) << QStringList{"VideoGen 模式", "关闭"} << QStringList{"040F0000"} << "";
        QTest::newRow("first row on")
            << 1 << int(Plain) << QStringList{"首行180°旋转", "打开"} << QStringList{"04150001"} << "";
        QTest::newRow("90 from 0") << 3 << int(Plain) << QStringList{rotate, "90°"} << QStringList{"03320001"}
                                   << "";
        QTest::newRow("90 from 180") << 3 << int(At180) << QStringList{rotate, "90°"}
                                     << QStringList{"03330000", "03320001"} << "";
        QTest::newRow("180 twice") << 3 << int(At180) << QStringList{rotate, "180°"} << QStringList{} << "";
        QTest::newRow("rotation on solid colour")
            << 3 << int(Solid) << QStringList{rotate, "0°"} << QStringList{} << "纯色填充模式下禁止旋转";
        QTest::newRow("adaptive on when on")
            << 1 << int(Plain) << QStringList{fill, "打开"} << QStringList{} << "";
        QTest::newRow("adaptive off")
            << 1 << int(Plain) << QStringList{fill, "关闭"} << QStringList{"01370000"} << "";
        QTest::newRow("source 3") << 1 << int(Plain) << QStringList{"输入源", "选择输入源3(数字键3)"}
                                  << QStringList{"012d0002"} << "";
        QTest::newRow("source on solid colour")
            << 1 << int(Solid) << QStringList{"输入源", "选择输入源3(数字键3)"} << QStringList{}
            << "纯色填充模式下禁止切换输入源";
    }
    void windowMenuEntriesQueueTheirCommands()
    {
        QFETCH(int, window);
        QFETCH(int, setup);
        QFETCH(QStringList, path);
        QFETCH(QStringList, commands);
        QFETCH(QString, warning);
        prepare(window, setup);
        // Another window chosen elsewhere must not matter: the menu acts on the
        // window under the cursor.
        f.view->currentWindowIndex = (window + 1) % 4;
        {
            DialogAnswerer answers =
                warning.isEmpty() ? DialogAnswerer() : DialogAnswerer(DialogAnswerer::Ok);
            MenuAnswerer menu(path);
            rightClick(quarterCentre(window));
            QVERIFY(menu.answered());
            if (!warning.isEmpty()) {
                QVERIFY(answers.waitDone());
                QCOMPARE(answers.last().title, QStringLiteral("警告"));
                QCOMPARE(answers.last().text, warning);
            }
        }
        QCOMPARE(f.queued(), commands);
        QCOMPARE(f.view->currentWindowIndex, window);
    }

    void menuEntriesChangeTheRecords()
    {
        f.window->inputSourceButtons.at(2)->sourceWidth = 1920;
        f.window->inputSourceButtons.at(2)->sourceHeight = 1080;
        {
            MenuAnswerer menu({"输入源", "选择输入源3(数字键3)"});
            rightClick(quarterCentre(1));
        }
        const InputChannel *w = f.item(1);
        QCOMPARE(w->inputSourceId, 2);
        QCOMPARE(w->savedInputSourceId, 2);
        QCOMPARE((QList<int>{w->cropHStart, w->cropVStart, w->cropHEnd, w->cropVEnd}),
                 (QList<int>{0, 0, 1920, 1080}));
        {
            MenuAnswerer menu({"音频随出", "仅开启输出1口"});
            rightClick(quarterCentre(0));
        }
        for (int i = 0; i < 4; ++i)
            QVERIFY(f.item(i)->audioOutPort1Only && !f.item(i)->audioOutAllPorts &&
                    !f.item(i)->audioOutDisabled);
        QVERIFY(f.view->audioOutActions.at(1)->isChecked() && !f.view->audioOutActions.at(0)->isChecked());
        {
            MenuAnswerer menu({"旋转(R)", "270°"});
            rightClick(quarterCentre(0));
        }
        QCOMPARE(f.item(0)->record().rotation, 270);
        QVERIFY(f.item(0)->rotation270 && !f.item(0)->rotation0);
    }

    void closeAndReopenThroughTheMenus()
    {
        {
            MenuAnswerer menu({"关闭窗口"});
            rightClick(quarterCentre(2));
        }
        QCOMPARE(f.queued(), (QStringList{"022b0000", "022b0000"}));
        QCOMPARE(f.view->currentWindowIndex, -1);
        QVERIFY(!f.item(2)->isVisible() && !f.item(2)->isOpen);

        f.clearQueue();
        MenuAnswerer menu({"打开窗口3"});
        rightClick(quarterCentre(2)); // now empty wall
        QCOMPARE(menu.entries, QStringList{"打开窗口3"});
        QCOMPARE(f.queued(), (QStringList{"022b0001", "022b0001"}));
        QVERIFY(f.item(2)->isVisible() && f.item(2)->isOpen);
        QVERIFY(!f.view->openWindowActions.at(2)->isVisible());
    }

    void noMenuOnEmptyWallWithAllWindowsOpen()
    {
        f.item(1)->setPos(2500, 0);
        f.item(1)->setWindowSize(QSizeF(200, 200));
        MenuAnswerer none({});
        rightClick(QPointF(2000, 500));
        QCOMPARE(f.view->currentWindowIndex, -1);
        QVERIFY(f.queued().isEmpty());
    }

    // The right button's press reaches the window, its release the menu: the
    // arrow keys must work as soon as the menu has closed, whatever its outcome.
    void keysWorkRightAfterTheMenu_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QStringList>("menuCommands");
        QTest::newRow("entry chosen") << true << QStringList{"04104026"};
        QTest::newRow("dismissed with Escape") << false << QStringList{};
    }
    void keysWorkRightAfterTheMenu()
    {
        QFETCH(bool, choose);
        QFETCH(QStringList, menuCommands);
        f.zoomToOne(quarterCentre(2));
        const QPoint p = f.at(quarterCentre(2));
        QWidget *vp = f.view->viewport();
        {
            MenuAnswerer menu(QStringList{"设置层级", "置于顶层"},
                              choose ? MenuAnswerer::Choose : MenuAnswerer::Escape);
            // As the windowing system delivers it: the press, then at once the
            // menu request; the release goes to the open menu.
            sendMouse(vp, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
            QContextMenuEvent e(QContextMenuEvent::Mouse, p, vp->mapToGlobal(p));
            QApplication::sendEvent(vp, &e);
            QVERIFY(menu.answered());
        }
        QCOMPARE(f.queued(), menuCommands);
        QCOMPARE(f.view->currentWindowIndex, 2);

        f.clearQueue();
        f.view->setFocus();
        QTRY_VERIFY(!f.view->keyRepeatBlocked);
        QTest::keyClick(f.view, Qt::Key_Right);
        QCOMPARE(f.item(2)->pos(), QPointF(10, 1080));
        QCOMPARE(f.queued(), QStringList{"0201000a"});

        // The mouse reaches the window it presses, not the one the menu was for.
        QTRY_VERIFY(mouseEditingEnabled);
        f.clearQueue();
        f.zoomToOne(quarterCentre(1));
        drag(vp, f.at(quarterCentre(1)),
             {f.at(quarterCentre(1) + QPointF(-25, 30)), f.at(quarterCentre(1) + QPointF(-50, 60))});
        QCOMPARE(f.item(1)->pos(), QPointF(1870, 60));
        QCOMPARE(f.item(2)->pos(), QPointF(10, 1080));
        QCOMPARE(f.view->currentWindowIndex, 1);
    }

    void lockedPagesLockTheMenus()
    {
        f.window->lockControlPages();
        MenuAnswerer none({});
        rightClick(quarterCentre(0));
    }

    void menusFollowTheLanguage()
    {
        f.window->changeLanguage(1);
        QTRY_COMPARE(f.view->inputSourceActions.at(0)->text(),
                     QStringLiteral("Select the input source1(Numeric keys1)"));
        QCOMPARE(f.view->layerMenu->title(), QStringLiteral("Layers"));
        f.window->changeLanguage(2);
        QTRY_COMPARE(f.view->inputSourceActions.at(1)->text(),
                     QStringLiteral("Выберите источник ввода2(цифровая клавиша2)"));
        QCOMPARE(f.view->adaptiveFillMenu->title(), QStringLiteral("Aдаптивное заполнение"));
        f.window->changeLanguage(0);
        QTRY_COMPARE(f.view->inputSourceActions.at(0)->text(), QStringLiteral("选择输入源1(数字键1)"));
    }

    // ---- Input buttons ----

    void dropGivesTheWindowUnderTheCursorItsSource_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("plain window") << int(Plain) << "" << QStringList{"012d0002"};
        QTest::newRow("frozen") << int(Frozen) << "窗口2为冻结模式，无法进行输入源切换！" << QStringList{};
        QTest::newRow("solid colour")
            << int(Solid) << "窗口2为纯色填充模式下，无法进行输入源切换！" << QStringList{};
        QTest::newRow("empty wall") << int(Closed) << "" << QStringList{};
    }
    void dropGivesTheWindowUnderTheCursorItsSource()
    {
        QFETCH(int, setup);
        QFETCH(QString, error);
        QFETCH(QStringList, commands);
        InputSourceButton *b = f.window->inputSourceButtons.at(2);
        b->sourceWidth = 1920;
        b->sourceHeight = 1080;
        prepare(1, setup);
        f.view->currentWindowIndex = 0;
        f.zoomToOne(quarterCentre(1));
        const QPoint target = f.view->viewport()->mapToGlobal(f.at(quarterCentre(1)));
        {
            DialogAnswerer answers = error.isEmpty() ? DialogAnswerer() : DialogAnswerer(DialogAnswerer::Ok);
            dropButton(b, target);
            if (!error.isEmpty()) {
                QVERIFY(answers.waitDone());
                QCOMPARE(answers.last().title, QStringLiteral("警告"));
                QCOMPARE(answers.last().text, error);
            }
        }
        QCOMPARE(f.queued(), commands);
        QCOMPARE(b->pos(), QPoint(20, 205));
        QCOMPARE(f.view->currentWindowIndex, setup == Closed ? -1 : 1);
        const InputChannel *w = f.item(1);
        const bool changed = !commands.isEmpty();
        QCOMPARE(w->inputSourceId, changed ? 2 : 0);
        QCOMPARE(w->cropHEnd, changed ? 1920 : 3840);
        QCOMPARE(w->cropVEnd, changed ? 1080 : 2160);
    }

    void rightButtonDoesNotDragAButton()
    {
        InputSourceButton *b = f.window->inputSourceButtons.at(0);
        const QPoint start = b->mapToGlobal(b->rect().center());
        QMouseEvent press(QEvent::MouseButtonPress, b->rect().center(), start, Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(b, &press);
        QMouseEvent move(QEvent::MouseMove, b->rect().center() + QPoint(300, 200), start + QPoint(300, 200),
                         Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(b, &move);
        QCOMPARE(b->pos(), QPoint(20, 175));
        QVERIFY(!b->isDragging);
    }
};

QTEST_MAIN(TestWallMenus)
#include "tst_wallmenus.moc"
