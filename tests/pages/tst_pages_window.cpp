// The view and window pages: position and size with their device scaling and
// bounds, crop fields and the crop editor's reports, show, freeze, solid colour,
// colours, level and audio.
#include "cropeditor.h"
#include "inputsourcebutton.h"
#include "pagefixture.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTranslator>

class TestPagesWindow : public PageFixture
{
    Q_OBJECT

    QLineEdit *edit(const char *name) const { return get<QLineEdit>(name); }

    void rebuildFor(int rows, int columns)
    {
        get<QComboBox>("rowCbx")->setCurrentText(QString::number(rows));
        get<QComboBox>("columnCbx")->setCurrentText(QString::number(columns));
        mw->rebuildWall();
        queue().clear();
    }

    QStringList geometryEdits() const
    {
        return {edit("ldt_PosX")->text(), edit("ldt_PosY")->text(), edit("ldt_Width")->text(),
                edit("ldt_Heigh")->text()};
    }

private slots:
    void initTestCase() { enterScratchDir(); }
    void cleanupTestCase() { leaveScratchDir(); }
    void init() { build(); }
    void cleanup()
    {
        mw.reset();
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }

    void geometryIsScaledToTheDevice_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("command");
        QTest::newRow("x on 1 x 3") << 1 << 3 << "ldt_PosX" << 1920 << "00010500";
        QTest::newRow("y on 3 x 1") << 3 << 1 << "ldt_PosY" << 1080 << "000202d0";
        QTest::newRow("y on 1 x 3 unscaled") << 1 << 3 << "ldt_PosY" << 540 << "0002021c";
        QTest::newRow("width on 1 x 3") << 1 << 3 << "ldt_Width" << 2880 << "00030780";
        QTest::newRow("height on 3 x 1") << 3 << 1 << "ldt_Heigh" << 3240 << "00040870";
        QTest::newRow("height on 2 x 2 unscaled") << 2 << 2 << "ldt_Heigh" << 2160 << "00040870";
    }

    void geometryIsScaledToTheDevice()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, command);
        rebuildFor(rows, columns);
        // Window 1 to the top-left corner, small enough for any typed value.
        item(0)->setWindowGeometry({QPointF(0, 0), QSizeF(10, 10)});
        mw->changeUIBaseSelectChannel(1);
        queue().clear();
        {
            DialogAnswerer noBox;
            typeInto(edit(qPrintable(field)), QString::number(value));
        }
        QCOMPARE(queued(), QStringList{command});
        const w4::WindowGeometry g = item(0)->windowGeometry();
        const double stored = field == "ldt_PosX"    ? g.pos.x()
                              : field == "ldt_PosY"  ? g.pos.y()
                              : field == "ldt_Width" ? g.size.width()
                                                     : g.size.height();
        QCOMPARE(stored, double(value));
    }

    // One pixel past the wall puts all four fields back and names the wall size.
    void geometryBeyondTheWallIsRefused()
    {
        rebuildFor(1, 3);
        item(0)->setWindowGeometry({QPointF(100, 0), QSizeF(1000, 500)});
        mw->changeUIBaseSelectChannel(1);
        queue().clear();
        edit("ldt_Width")->setText("5661"); // 100 + 5661 = 5761
        DialogAnswerer answer(DialogAnswerer::Ok);
        typeInto(edit("ldt_PosY"), "20");
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, QStringLiteral("错误"));
        QCOMPARE(answer.last().text, QStringLiteral("超出5760X1080分辨率"));
        QCOMPARE(geometryEdits(), QStringList({"100", "0", "1000", "500"}));
        QCOMPARE(queued(), QStringList());
    }

    // Without a link the page is locked; the field checks the link itself as
    // well, and only the x field asks for one first. The refused value does not
    // stay behind to go out once a link is there and the field is left.
    void positionXNeedsALink()
    {
        mw->show();
        QVERIFY(QTest::qWaitForWindowExposed(mw.get()));
        setLinksForTesting(mw->session(), false, false);
        QVERIFY(!offlineMode());
        QVERIFY(!edit("ldt_PosX")->isEnabled());
        mw->unlockControlPages(); // the field's own check, with the page open
        const QString before = edit("ldt_PosX")->text();
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            typeInto(edit("ldt_PosX"), "10");
            QVERIFY(answer.waitDone());
            QCOMPARE(answer.last().text, QStringLiteral("请先建立连接！"));
            QCOMPARE(answer.seen().size(), 1);
        }
        QCOMPARE(edit("ldt_PosX")->text(), before);
        setLinksForTesting(mw->session(), true, false);
        mw->unlockControlPages();
        edit("ldt_PosX")->setFocus();
        edit("ldt_PosY")->setFocus();
        QCOMPARE(queued(), QStringList());
    }

    void cropFieldRefusals_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("h start at end")
            << "ldt_HorizontalStartLocation" << 1800 << "起始位置不能大于结束位置！";
        QTest::newRow("v start past end")
            << "ldt_VerticalStartLocation" << 1001 << "起始位置不能大于结束位置！";
        QTest::newRow("h end past source")
            << "ldt_HorizontalEndLocation" << 1921 << "结束位置不能大于输入源分辨率(1920x1080)！";
        QTest::newRow("v end past source")
            << "ldt_VerticalEndLocation" << 1081 << "结束位置不能大于输入源分辨率(1920x1080) ！";
        QTest::newRow("h end before start")
            << "ldt_HorizontalEndLocation" << 50 << "起始位置不能大于结束位置！";
    }

    // Window 1 shows input 1 (1920 x 1080) cropped to (100, 50)..(1800, 1000).
    void cropFieldRefusals()
    {
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, text);
        mw->inputSourceButtons.at(0)->sourceWidth = 1920;
        mw->inputSourceButtons.at(0)->sourceHeight = 1080;
        w4::WindowRecord &r = rec(0);
        r.inputSourceId = 0;
        r.cropHStart = 100;
        r.cropVStart = 50;
        r.cropHEnd = 1800;
        r.cropVEnd = 1000;
        mw->changeUIBaseSelectChannel(1);
        queue().clear();
        const QString before = edit(qPrintable(field))->text();
        DialogAnswerer answer(DialogAnswerer::Ok);
        typeInto(edit(qPrintable(field)), QString::number(value));
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, QStringLiteral("错误"));
        QCOMPARE(answer.last().text, text);
        QCOMPARE(edit(qPrintable(field))->text(), before);
        QCOMPARE(queued(), QStringList());
        QCOMPARE(w4::cropAreaOf(r), (w4::CropArea{100, 50, 1800, 1000}));
    }

    void cropFieldAccepted()
    {
        DialogAnswerer noBox;
        typeInto(edit("ldt_HorizontalEndLocation"), "3000");
        typeInto(edit("ldt_VerticalStartLocation"), "216");
        QCOMPARE(queued(), QStringList({"00070bb8", "000600d8"}));
        QCOMPARE(rec(0).cropHEnd, 3000);
        QCOMPARE(rec(0).cropVStart, 216);
    }

    // The editor's frame is 3840 x 2160 whatever the source; edges go one at a time,
    // a whole-area change as one command.
    void cropEditorReports_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("edits");
        QTest::newRow("left") << 0 << QStringList{"01050064"} << QStringList{"100", "0", "1920", "1080"};
        QTest::newRow("top") << 1 << QStringList{"01060032"} << QStringList{"0", "50", "1920", "1080"};
        QTest::newRow("right") << 2 << QStringList{"01070384"} << QStringList{"0", "0", "900", "1080"};
        QTest::newRow("bottom") << 3 << QStringList{"010801c2"} << QStringList{"0", "0", "1920", "450"};
        QTest::newRow("all") << 4 << QStringList{"d10064003203840 1c2"}
                             << QStringList{"100", "50", "900", "450"};
        QTest::newRow("unknown") << 5 << QStringList{} << QStringList{"0", "0", "1920", "1080"};
    }

    void cropEditorReports()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, edits);
        commands.replaceInStrings(" ", "");
        mw->inputSourceButtons.at(2)->sourceWidth = 1920;
        mw->inputSourceButtons.at(2)->sourceHeight = 1080;
        rec(1).inputSourceId = 2;
        rec(1).cropHEnd = 1920;
        rec(1).cropVEnd = 1080;
        selectWindow(1);
        mw->changeSliceInfo(mode, 200, 100, 1800, 900);
        QCOMPARE(queued(), commands);
        QCOMPARE(QStringList(
                     {edit("ldt_HorizontalStartLocation")->text(), edit("ldt_VerticalStartLocation")->text(),
                      edit("ldt_HorizontalEndLocation")->text(), edit("ldt_VerticalEndLocation")->text()}),
                 edits);
        const w4::WindowRecord &r = rec(1);
        QCOMPARE(QStringList({QString::number(r.cropHStart), QString::number(r.cropVStart),
                              QString::number(r.cropHEnd), QString::number(r.cropVEnd)}),
                 edits);
    }

    // The view queues the show command and so does the page: it goes out twice.
    void showWindowOpensAndCloses()
    {
        selectWindow(1);
        auto *box = get<QCheckBox>("ckx_showWindow");
        box->click();
        QVERIFY(!item(1)->isVisible());
        QVERIFY(!rec(1).isShown);
        box->click();
        QVERIFY(item(1)->isVisible());
        QCOMPARE(takeQueued(), QStringList({"012b0000", "012b0000", "012b0001", "012b0001"}));
    }

    // A frozen window leaves only the freeze controls, the window selector and the
    // input buttons to the user.
    void frozenWindowLocksThePages()
    {
        // Pages other than the open one sit in hidden scroll areas of the tool box;
        // what counts is whether the program hid the control.
        auto hidden = [this](QWidget *w) {
            for (; w && w != mw.get(); w = w->parentWidget())
                if (w->isHidden() && !qobject_cast<QScrollArea *>(w))
                    return true;
            return false;
        };
        const QList<QWidget *> controls = [this, &hidden] {
            QList<QWidget *> all;
            for (QWidget *w : mw->findChildren<QWidget *>()) {
                const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w) ||
                                     qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSlider *>(w);
                // The presets act on the whole wall, not on the window: a frozen
                // window leaves them as they are.
                const bool onPages =
                    (get("rightTBox")->isAncestorOf(w) && !get("presetsPage")->isAncestorOf(w)) ||
                    w->objectName().startsWith("inBtn_") || w->objectName() == "currentChannelCBox";
                // The scroll areas' own scroll bars come and go with the layout.
                if (control && onPages && !hidden(w) && !w->objectName().startsWith("qt_") &&
                    !qobject_cast<QScrollBar *>(w))
                    all << w;
            }
            return all;
        }();
        auto enabledNames = [&controls] {
            QStringList names;
            for (QWidget *w : controls)
                if (w->isEnabled())
                    names << w->objectName();
            names.sort();
            return names;
        };
        mw->show();
        selectWindow(2);
        rec(2).isColorSolid = false;
        get<QCheckBox>("ckx_freezeWindow")->click();
        QCOMPARE(takeQueued(), QStringList{"022c0001"});
        const QStringList frozenSet = {
            "currentChannelCBox", "inBtn_1", "inBtn_2", "inBtn_3", "inBtn_4", "ckx_freezeWindow",
            "ptn_FreezeAllWindow"};
        QStringList expected = frozenSet;
        expected.sort();
        QCOMPARE(enabledNames(), expected);
        QCOMPARE(get<QPushButton>("ptn_FreezeAllWindow")->text(), QStringLiteral("全部解冻"));

        // Another window and back: the state follows the window.
        selectWindow(0);
        QVERIFY(enabledNames().size() > 40);
        QCOMPARE(get<QPushButton>("ptn_FreezeAllWindow")->text(), QStringLiteral("全部冻结"));
        selectWindow(2);
        QCOMPARE(enabledNames(), expected);
        QVERIFY(get<QCheckBox>("ckx_freezeWindow")->isChecked());
        QVERIFY(!get<QCheckBox>("ckx_solidColor")->isChecked());

        // A link coming up (or going) keeps the frozen window locked.
        setLinksForTesting(mw->session(), false, true);
        QCOMPARE(enabledNames(), expected);

        get<QCheckBox>("ckx_freezeWindow")->click();
        QCOMPARE(takeQueued(), QStringList{"022c0000"});
        QVERIFY(!rec(2).isFrozen);
        QVERIFY(enabledNames().size() > 40);
    }

    // Switching the language keeps the label of the current window's state.
    void freezeAllLabelSurvivesALanguageSwitch()
    {
        get<QPushButton>("ptn_FreezeAllWindow")->click();
        mw->changeLanguage(1);
        QTRY_COMPARE(get<QPushButton>("ptn_FreezeAllWindow")->text(), QStringLiteral("Unfreeze all"));
        mw->changeLanguage(0);
        QTRY_COMPARE(get<QPushButton>("ptn_FreezeAllWindow")->text(), QStringLiteral("全部解冻"));
    }

    // A frozen window that also reads as solid-coloured is shown frozen only.
    void frozenWindowDropsSolidColour()
    {
        rec(3).isFrozen = true;
        rec(3).isColorSolid = true;
        selectWindow(3);
        QVERIFY(!rec(3).isColorSolid);
        QVERIFY(!get<QCheckBox>("ckx_solidColor")->isEnabled());
        QVERIFY(get<QCheckBox>("ckx_freezeWindow")->isChecked());
    }

    void freezeAllFollowsTheCurrentWindow()
    {
        auto *button = get<QPushButton>("ptn_FreezeAllWindow");
        button->click();
        QCOMPARE(takeQueued(), QStringList({"002c0001", "012c0001", "022c0001", "032c0001"}));
        for (int i = 0; i < 4; ++i)
            QVERIFY(rec(i).isFrozen);
        QCOMPARE(button->text(), QStringLiteral("全部解冻"));
        button->click();
        QCOMPARE(takeQueued(), QStringList({"002c0000", "012c0000", "022c0000", "032c0000"}));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!rec(i).isFrozen);
        QCOMPARE(button->text(), QStringLiteral("全部冻结"));
        QVERIFY(get<QCheckBox>("ckx_showWindow")->isEnabled());
    }

    // On: no source, the last colour back, colour controls open. Off: the source
    // returns and the fill goes back to its default.
    void solidColourRoundTrip()
    {
        w4::WindowRecord &r = rec(0);
        r.inputSourceId = 1;
        r.lastColorR = 10;
        r.lastColorG = 20;
        r.lastColorB = 30;
        auto *box = get<QCheckBox>("ckx_solidColor");
        box->click();
        QCOMPARE(r.inputSourceId, 4);
        QVERIFY(r.isColorSolid);
        QCOMPARE(
            QStringList({edit("ldt_colorR")->text(), edit("ldt_colorG")->text(), edit("ldt_colorB")->text()}),
            QStringList({"10", "20", "30"}));
        QVERIFY(edit("ldt_colorR")->isEnabled());
        QVERIFY(get("btn_openColorPalette")->isEnabled());
        QVERIFY(!get("ckx_freezeWindow")->isEnabled());

        typeInto(edit("ldt_colorG"), "200");
        QCOMPARE(r.colorG, 200);
        QCOMPARE(r.lastColorG, 200);

        box->click();
        QCOMPARE(r.inputSourceId, 1);
        QVERIFY(!r.isColorSolid);
        QCOMPARE(QVector<int>({r.colorR, r.colorG, r.colorB}), QVector<int>({136, 155, 177}));
        QVERIFY(!edit("ldt_colorR")->isEnabled());
        QVERIFY(get("ckx_freezeWindow")->isEnabled());
        QCOMPARE(takeQueued(), QStringList({"002a0001", "002700c8", "002a0000"}));

        box->click(); // the colour typed last comes back
        QCOMPARE(QVector<int>({r.colorR, r.colorG, r.colorB}), QVector<int>({10, 200, 30}));
    }

    // The palette opens on the window's colour; the choice goes out in three
    // commands.
    void paletteSendsThreeCommands()
    {
        w4::WindowRecord &r = rec(0);
        r.isColorSolid = true;
        r.colorR = 10;
        r.colorG = 20;
        r.colorB = 30;
        mw->changeUIBaseSelectChannel(1);
        queue().clear();
        DialogAnswerer answer(DialogAnswerer::Ok);
        get<QPushButton>("btn_openColorPalette")->click();
        QVERIFY(answer.waitDone());
        QVERIFY(mw->colorDialog);
        QCOMPARE(takeQueued(), QStringList({"0026000a", "00270014", "0028001e"}));
        QCOMPARE(QVector<int>({r.lastColorR, r.lastColorG, r.lastColorB}), QVector<int>({10, 20, 30}));
    }

    // Window 1 from level 1 to level 3 in single steps.
    void windowLevelSendsTheLayerOrder()
    {
        get<QComboBox>("cbx_windowLevel")->setCurrentIndex(2);
        QCOMPARE(QVector<int>({rec(0).layer, rec(1).layer, rec(2).layer, rec(3).layer}),
                 QVector<int>({3, 1, 2, 4}));
        QCOMPARE(takeQueued(), QStringList{"04102406"});
        // Choosing another window only shows its level.
        selectWindow(1);
        QCOMPARE(get<QComboBox>("cbx_windowLevel")->currentIndex(), 0);
        QCOMPARE(queued(), QStringList());
    }

    void audioGoesToOneWindow()
    {
        rec(0).audioEnabled = true;
        rec(2).inputSourceId = 3;
        selectWindow(2);
        get<QCheckBox>("ckx_enableAudio")->click();
        QVERIFY(rec(2).audioEnabled);
        QVERIFY(!rec(0).audioEnabled);
        get<QCheckBox>("ckx_enableAudio")->click();
        QCOMPARE(takeQueued(), QStringList({"022e0003", "022e0004"}));

        // Under a solid colour the sound is still the input's.
        get<QCheckBox>("ckx_solidColor")->click();
        QCOMPARE(rec(2).inputSourceId, 4);
        queue().clear();
        get<QCheckBox>("ckx_enableAudio")->click();
        QCOMPARE(takeQueued(), QStringList{"022e0003"});

        // A window without an input has no sound: the box does not take the tick.
        rec(3).inputSourceId = 4;
        selectWindow(3);
        get<QCheckBox>("ckx_enableAudio")->click();
        QVERIFY(!get<QCheckBox>("ckx_enableAudio")->isChecked());
        QVERIFY(!rec(3).audioEnabled);
        QVERIFY(rec(2).audioEnabled);
        QCOMPARE(queued(), QStringList());
    }
};

QTEST_MAIN(TestPagesWindow)
#include "tst_pages_window.moc"
