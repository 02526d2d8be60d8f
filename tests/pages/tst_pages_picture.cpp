// The picture pages: the slider / line-edit pairs with their throttle, the
// refresh of every control from the current window, the processing boxes and
// the picture reset.
#include "pagefixture.h"
#include "sliceupview.h"

#include <QCheckBox>
#include <QApplication>
#include <QCursor>
#include <QIntValidator>
#include <QPushButton>
#include <QSlider>
#include <QToolBox>
#include <QWheelEvent>

namespace {
const char *const sliderNames[] = {
    "hSdr_luminance",
    "hSdr_contrastRatio",
    "hSdr_saturability",
    "hSdr_colorTemperature",
    "hSdr_hue",
    "hSdr_horizontalSharpness",
    "hSdr_verticalSharpness",
    "hSdr_blueCorrection",
    "hSdr_greenConrrection",
    "hSdr_skinCorrection",
    "hSdr_horizontalFiltration",
    "hSdr_verticalFiltration",
    "hSdr_shadowFiltration",
    "hSdr_blockFiltration",
    "hSdr_noiseProcessing",
    "hSdr_hairTreatment",
    "hSdr_sensitivity",
    "hSdr_diagonalCorrection",
    "hSdr_2p2Timer",
    "hSdr_2p3Timer",
    "hSdr_DeGrammaMode",
    "hSdr_PanelGammaMode",
};
const char *const editNames[] = {
    "ldt_luminance",
    "ldt_contrastRatio",
    "ldt_saturability",
    "ldt_colorTemperature",
    "ldt_hue",
    "ldt_horizontalSharpness",
    "ldt_verticalSharpness",
    "ldt_blueCorrection",
    "ldt_greenCorrection",
    "ldt_skinCorrection",
    "ldt_horizontalFiltration",
    "ldt_verticalFiltration",
    "ldt_shadowFiltration",
    "ldt_blockFiltration",
    "ldt_noiseProcessing",
    "ldt_hairTreatment",
    "ldt_sensitivity",
    "ldt_diagonalCorrection",
    "ldt_2p2Timer",
    "ldt_2p3Timer",
    "ldt_DeGrammaMode",
    "ldt_PanelGammaMode",
};

} // namespace

class TestPagesPicture : public PageFixture
{
    Q_OBJECT

    QSlider *slider(int i) const { return get<QSlider>(sliderNames[i]); }
    QLineEdit *edit(int i) const { return get<QLineEdit>(editNames[i]); }

private slots:
    void initTestCase() { enterScratchDir(); }
    void cleanupTestCase() { leaveScratchDir(); }
    void init() { build(); }
    void cleanup() { mw.reset(); }

    void wiringStartsOnTheViewPageWithWindowOne()
    {
        QCOMPARE(get<QToolBox>("rightTBox")->currentIndex(), 0);
        QCOMPARE(get<QComboBox>("currentChannelCBox")->currentIndex(), 0);
        QCOMPARE(get("ldt_Width")->property("text").toString(),
                 QString::number(int(rec(0).windowRect.width())));
    }

    // Every pair's edit takes exactly its value range; geometry and colour edits
    // take theirs.
    void validatorRanges()
    {
        auto range = [this](const char *name) {
            auto *v = qobject_cast<const QIntValidator *>(get<QLineEdit>(name)->validator());
            return v ? QPair<int, int>(v->bottom(), v->top()) : QPair<int, int>(1, -1);
        };
        for (int i = 0; i < w4::PictureValueCount; ++i) {
            const w4::PictureValueInfo info = w4::pictureValueInfo(i);
            QCOMPARE(range(editNames[i]), qMakePair(info.minimum, info.maximum));
            QCOMPARE(slider(i)->minimum(), info.minimum);
            QCOMPARE(slider(i)->maximum(), info.maximum);
        }
        for (const char *n :
             {"ldt_PosX", "ldt_PosY", "ldt_Width", "ldt_Heigh", "ldt_HorizontalStartLocation",
              "ldt_VerticalStartLocation", "ldt_HorizontalEndLocation", "ldt_VerticalEndLocation"})
            QCOMPARE(range(n), qMakePair(0, 9999));
        for (const char *n : {"ldt_colorR", "ldt_colorG", "ldt_colorB"})
            QCOMPARE(range(n), qMakePair(0, 255));
    }

    // A number out of range is refused with its reason and the window's value
    // put back, nothing sent, also when the edit is left afterwards; 399 is
    // sent and moves the slider.
    void outOfRangeIsToldAndPutBack_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("brightness 9999") << 0 << "9999" << "请输入-1024到1024之间的数值";
        QTest::newRow("contrast 400") << 1 << "400" << "请输入0到399之间的数值";
        QTest::newRow("hue 200") << 4 << "200" << "请输入-180到180之间的数值";
    }
    void outOfRangeIsToldAndPutBack()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        mw->show();
        QVERIFY(QTest::qWaitForWindowExposed(mw.get()));
        QLineEdit *e = edit(index);
        const QString before = e->text();
        {
            DialogAnswerer box(DialogAnswerer::Ok);
            typeInto(e, typed);
            QVERIFY(box.waitDone(5000));
            QCOMPARE(box.last().title, QStringLiteral("错误"));
            QCOMPARE(box.last().text, message);
        }
        QCOMPARE(e->text(), before);
        edit(index == 0 ? 1 : 0)->setFocus(); // leaving the edit sends nothing either
        QCOMPARE(queued(), QStringList());
    }

    void typedValueIsSentAndMovesTheSlider()
    {
        QLineEdit *e = edit(1);
        typeInto(e, "399");
        QCOMPARE(slider(1)->value(), 399);
        QCOMPARE(rec(0).contrastRatio, 399);
        QVERIFY(queued().contains("000a018f"));
    }

    // A drag sends its first value, keeps the rest in the record until the period
    // ends, and the release always sends the value let go at.
    void sliderDragIsThrottled()
    {
        QSlider *s = slider(0);
        s->setSliderDown(true);
        s->setValue(-1);
        QCOMPARE(takeQueued(), QStringList{"000b03ff"});
        QVERIFY(mw->sliderThrottleActive());

        s->setValue(-500);
        QCOMPARE(queued(), QStringList());
        QCOMPARE(rec(0).luminance, -500);
        QCOMPARE(edit(0)->text(), QStringLiteral("-500"));

        // The step held back goes out when the period ends.
        QTRY_VERIFY(!mw->sliderThrottleActive());
        QCOMPARE(takeQueued(), QStringList{"000b020c"});
        s->setValue(-900);
        QCOMPARE(takeQueued(), QStringList{"000b007c"});

        s->setValue(-1024);
        QVERIFY(queued().isEmpty());
        s->setSliderDown(false); // released inside the period
        QCOMPARE(takeQueued(), QStringList{"000b0000"});
        QVERIFY(!mw->sliderThrottleActive());
        QCOMPARE(rec(0).luminance, -1024);
        QCOMPARE(edit(0)->text(), QStringLiteral("-1024"));
    }

    // A press on the groove held and moved moves the value without the slider
    // being down, so no release ever comes: the last value still goes out.
    void lastValueGoesOutWithoutARelease()
    {
        QSlider *s = slider(1);
        s->setValue(120);
        QCOMPARE(takeQueued(), QStringList{"000a0078"});
        s->setValue(262);
        s->setValue(119);
        QVERIFY(queued().isEmpty());
        QTRY_COMPARE(queued(), QStringList{"000a0077"});
        QTRY_VERIFY(!mw->sliderThrottleActive());
        QCOMPARE(takeQueued(), QStringList{"000a0077"});
    }

    // A press on the groove jumps the handle to the pointer.
    void grooveClickJumpsToThePointer()
    {
        mw->show();
        QVERIFY(QTest::qWaitForWindowExposed(mw.get()));
        get<QToolBox>("rightTBox")->setCurrentIndex(1);
        QSlider *s = slider(4); // hue, -180..180
        QTRY_VERIFY(s->isVisible());
        const QPoint at(s->width() / 4, s->height() / 2);
        QTest::mousePress(s, Qt::LeftButton, {}, at);
        QTest::mouseRelease(s, Qt::LeftButton, {}, at);
        const int expected = w4::sliderJumpValue(at.x(), s->width(), -180, 180);
        QCOMPARE(s->value(), expected);
        QCOMPARE(rec(0).hue, expected);
        QCOMPARE(queued(),
                 QStringList{QStringLiteral("000f%1").arg(expected + 180, 4, 16, QLatin1Char('0'))});
    }

    // Keys and the wheel step from the slider's value, wherever the pointer
    // rests (here at the far end from where the step goes).
    void keysAndWheelStepFromTheValue_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("expected");
        QTest::newRow("Left") << "Left" << 0;
        QTest::newRow("Right") << "Right" << 2;
        QTest::newRow("wheel up") << "wheel up" << 3; // three lines per notch, up to the top
        QTest::newRow("wheel down") << "wheel down" << 0;
    }
    void keysAndWheelStepFromTheValue()
    {
        QFETCH(QString, input);
        QFETCH(int, expected);
        rec(0).horizontalFiltration = 1; // 0..3
        mw->changeUIBaseSelectChannel(1);
        mw->show();
        QVERIFY(QTest::qWaitForWindowExposed(mw.get()));
        QSlider *s = slider(10);
        auto *pages = get<QToolBox>("rightTBox");
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(s))
                pages->setCurrentIndex(i);
        QTRY_VERIFY(s->isVisible());
        QCOMPARE(s->value(), 1);
        QCOMPARE(queued(), QStringList());
        const bool up = input == "Right" || input == "wheel up";
        QCursor::setPos(s->mapToGlobal(QPoint(up ? 0 : s->width() - 1, s->height() / 2)));
        if (input.startsWith("wheel")) {
            const QPoint centre(s->width() / 2, s->height() / 2);
            QWheelEvent wheel(centre, s->mapToGlobal(centre), QPoint(), QPoint(0, up ? 120 : -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(s, &wheel);
        } else {
            QTest::keyClick(s, up ? Qt::Key_Right : Qt::Key_Left);
        }
        QCOMPARE(s->value(), expected);
        QCOMPARE(rec(0).horizontalFiltration, expected);
        QCOMPARE(queued(), QStringList{QStringLiteral("0015000%1").arg(expected)});
    }

    // Choosing window 3 shows its values everywhere; boxes already matching the
    // record send nothing; the next change goes to window byte 02.
    void refreshShowsTheChosenWindow()
    {
        w4::WindowRecord &r = rec(2);
        r.luminance = 50;
        r.hairTreatment = 2;
        r.horizontalMirrored = true;
        r.cropHStart = 960;
        r.cropHEnd = 2880;
        r.colorR = 7;
        item(2)->setPos(100, 200);
        selectWindow(0);
        get<QComboBox>("currentChannelCBox")->setCurrentIndex(2);

        QCOMPARE(edit(0)->text(), QStringLiteral("50"));
        QCOMPARE(slider(15)->value(), 2);
        QVERIFY(get<QCheckBox>("ckx_horizontalMirrored")->isChecked());
        QCOMPARE(get<QLineEdit>("ldt_PosX")->text(), QStringLiteral("100"));
        QCOMPARE(get<QLineEdit>("ldt_PosY")->text(), QStringLiteral("200"));
        QCOMPARE(get<QLineEdit>("ldt_HorizontalStartLocation")->text(), QStringLiteral("960"));
        QCOMPARE(get<QLineEdit>("ldt_colorR")->text(), QStringLiteral("7"));
        QCOMPARE(get<QComboBox>("cbx_windowLevel")->currentIndex(), r.layer - 1);
        // The crop editor now shows window 3's crop.
        auto *crop = get<SliceUpView>("sliceUpView")->cropScene->cropItem;
        QCOMPARE(crop->boundWindow, item(2));
        QCOMPARE(crop->pos().x(), 960.0);
        QCOMPARE(crop->outerRect.width(), 1920.0 + 150);
        // Only picture values move on a refresh: the first changed slider sends.
        for (const QString &c : queued())
            QVERIFY2(c.startsWith("020b") || c.startsWith("021a"), qPrintable(c));

        QTRY_VERIFY(!mw->sliderThrottleActive());
        queue().clear();
        slider(1)->setValue(120);
        QCOMPARE(queued(), QStringList{"020a0078"});
    }

    // The wall chooses the current window too: a click on a window, then Tab.
    void wallChoosesTheCurrentWindow()
    {
        mw->show();
        QVERIFY(QTest::qWaitForWindowExposed(mw.get()));
        item(2)->setWindowGeometry({QPointF(0, 1080), QSizeF(1500, 1000)});
        const QPoint at = view()->mapFromScene(item(2)->sceneBoundingRect().center());
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(get<QComboBox>("currentChannelCBox")->currentIndex(), 2);
        QCOMPARE(get<QLineEdit>("ldt_Width")->text(), QStringLiteral("1500"));
        QCOMPARE(get<QLineEdit>("ldt_PosY")->text(), QStringLiteral("1080"));

        QTest::keyClick(view(), Qt::Key_Tab);
        QCOMPARE(get<QComboBox>("currentChannelCBox")->currentIndex(), 3);
        QCOMPARE(get<QLineEdit>("ldt_PosX")->text(), QString::number(int(item(3)->pos().x())));
    }

    void mirrorBoxesCompareWithTheRecord()
    {
        auto *box = get<QCheckBox>("ckx_horizontalMirrored");
        box->click();
        box->click();
        get<QCheckBox>("ckx_vericalMirrored")->click();
        QCOMPARE(takeQueued(), QStringList({"00130001", "00130000", "00140001"}));
        QVERIFY(rec(0).verticalMirrored);
        mw->changeUIBaseSelectChannel(1);
        QCOMPARE(queued(), QStringList());
    }

    // Off closes the group and both timer pairs; on opens the group only, the
    // timers follow their pull-down boxes.
    void deinterlaceEnablesItsGroup()
    {
        mw->show();
        const QStringList group = {"cbx_24PSFMode",           "hSdr_sensitivity",       "ldt_sensitivity",
                                   "hSdr_diagonalCorrection", "ldt_diagonalCorrection", "ckx_2p2PullDown",
                                   "ckx_2p3PullDown"};
        const QStringList timers = {"hSdr_2p2Timer", "ldt_2p2Timer", "hSdr_2p3Timer", "ldt_2p3Timer"};
        auto enabled = [this](const QStringList &names) {
            QStringList on;
            for (const QString &n : names)
                if (get(qPrintable(n))->isEnabled())
                    on << n;
            return on;
        };
        auto *deinterlace = get<QCheckBox>("cbx_deinterlace");
        QVERIFY(!deinterlace->isChecked());
        QCOMPARE(enabled(group + timers), QStringList());

        deinterlace->click();
        QCOMPARE(enabled(group), group);
        QCOMPARE(enabled(timers), QStringList());
        get<QCheckBox>("ckx_2p3PullDown")->click();
        QCOMPARE(enabled(timers), QStringList({"hSdr_2p3Timer", "ldt_2p3Timer"}));
        get<QCheckBox>("cbx_24PSFMode")->click();
        QVERIFY(rec(0).psf24Mode);

        deinterlace->click();
        QCOMPARE(enabled(group + timers), QStringList());
        QCOMPARE(takeQueued(), QStringList({"001b0001", "001e0001", "00220001", "001b0000"}));
        // The record holds what the processor was told: de-interlacing off, the
        // settings under it kept for when it comes back on.
        QVERIFY(!rec(0).deinterlace);
        QVERIFY(rec(0).pullDown2p3);
        QVERIFY(rec(0).psf24Mode);
        deinterlace->click();
        QCOMPARE(enabled(timers), QStringList({"hSdr_2p3Timer", "ldt_2p3Timer"}));
        QCOMPARE(takeQueued(), QStringList{"001b0001"});
    }

    // What the pages set stays the window's: switching away and back shows it
    // again and tells the processor nothing.
    void settingsSurviveAWindowSwitch()
    {
        mw->show();
        get<QCheckBox>("cbx_deinterlace")->click();
        get<QCheckBox>("ckx_2p2PullDown")->click();
        get<QCheckBox>("ckx_horizontalMirrored")->click();
        typeInto(edit(0), "50");
        QVERIFY(takeQueued().contains("001b0001"));

        auto *current = get<QComboBox>("currentChannelCBox");
        current->setCurrentIndex(1);
        QVERIFY(!get<QCheckBox>("cbx_deinterlace")->isChecked());
        QCOMPARE(edit(0)->text(), QStringLiteral("0"));
        current->setCurrentIndex(0);
        QCOMPARE(queued(), QStringList());
        for (const char *box : {"cbx_deinterlace", "ckx_2p2PullDown", "ckx_horizontalMirrored"})
            QVERIFY2(get<QCheckBox>(box)->isChecked(), box);
        QVERIFY(!get<QCheckBox>("ckx_2p3PullDown")->isChecked());
        QCOMPARE(edit(0)->text(), QStringLiteral("50"));
        QCOMPARE(slider(0)->value(), 50);
        QVERIFY(rec(0).deinterlace && rec(0).pullDown2p2 && rec(0).horizontalMirrored);
        QCOMPARE(rec(0).luminance, 50);
    }

    // Leaving a field, or Enter on the value it shows, sends nothing again; nor
    // does a refused value that the field put back.
    void unchangedFieldsSendNothing()
    {
        typeInto(edit(0), "50");
        QCOMPARE(takeQueued().size(), 1);
        {
            DialogAnswerer refused(DialogAnswerer::Ok);
            typeInto(get<QLineEdit>("ldt_Width"), "9000"); // wider than the 3840 wall
            QVERIFY(refused.waitDone());
            QCOMPARE(refused.last().text, QStringLiteral("超出3840X2160分辨率"));
        }
        QCOMPARE(get<QLineEdit>("ldt_Width")->text(), QString::number(int(rec(0).windowRect.width())));
        for (QLineEdit *e : {edit(0), get<QLineEdit>("ldt_PosX"), get<QLineEdit>("ldt_Width"),
                             get<QLineEdit>("ldt_HorizontalEndLocation"), get<QLineEdit>("ldt_colorR")}) {
            e->setFocus();
            QTest::keyClick(e, Qt::Key_Return);
            emit e->editingFinished(); // as when the focus moves on
        }
        QCOMPARE(queued(), QStringList());
    }

    void pictureReset_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }

    // Seven defaults, each sent and followed by its own short wait.
    void pictureReset()
    {
        QFETCH(bool, confirm);
        selectWindow(1);
        w4::WindowRecord &r = rec(1);
        r.luminance = -300;
        r.contrastRatio = 5;
        r.hue = 90;
        r.verticalSharpness = 4;
        r.noiseProcessing = 2;
        WaitingSpy waits;
        {
            DialogAnswerer answer(confirm ? DialogAnswerer::Ok : DialogAnswerer::Cancel);
            QTest::mouseClick(get<QPushButton>("btn_page2Reset"), Qt::LeftButton);
            QVERIFY(answer.waitDone());
            QCOMPARE(answer.last().title, QStringLiteral("警告"));
            QCOMPARE(answer.last().text, QStringLiteral("确定要重置吗？"));
        }
        if (!confirm) {
            QCOMPARE(queued(), QStringList());
            QCOMPARE(r.luminance, -300);
            QCOMPARE(waits.texts, QStringList());
            return;
        }
        QCOMPARE(queued().mid(0, 7), QStringList({"010b0400", "010a0064", "010e0064", "01100000", "010f00b4",
                                                  "010c000a", "010d000a"}));
        QCOMPARE(waits.texts, QStringList({"请稍等(7/1)", "请稍等(7/2)", "请稍等(7/3)", "请稍等(7/4)",
                                           "请稍等(7/5)", "请稍等(7/6)", "请稍等(7/7)"}));
        QCOMPARE(QVector<int>({r.luminance, r.contrastRatio, r.saturability, r.colorTemperature, r.hue,
                               r.horizontalSharpness, r.verticalSharpness}),
                 QVector<int>({0, 100, 100, 0, 0, 0, 0}));
        QCOMPARE(r.noiseProcessing, 2);
        QCOMPARE(edit(0)->text(), QStringLiteral("0"));
        QCOMPARE(slider(4)->value(), 0);
    }
};

QTEST_MAIN(TestPagesPicture)
#include "tst_pages_picture.moc"
