// The wall as a whole: splice layout, the preset division modes and the device
// maintenance commands.
#include "pagefixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTranslator>

Q_DECLARE_METATYPE(w4::DivisionMode)

class TestPagesLayout : public PageFixture
{
    Q_OBJECT

    void chooseLayout(int rows, int columns)
    {
        get<QComboBox>("rowCbx")->setCurrentText(QString::number(rows));
        get<QComboBox>("columnCbx")->setCurrentText(QString::number(columns));
    }
    QAbstractButton *selectScene() const { return get<QAbstractButton>("selectSceneBtn"); }

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

    void spliceMapHasEveryLayout()
    {
        QCOMPARE(mw->spliceCommandMap.size(), 23);
        QCOMPARE(mw->spliceCommandMap.value("2x4"), QStringLiteral("0601000C"));
        QCOMPARE(mw->spliceCommandMap.value("9x1"), QStringLiteral("06010016"));
    }

    // "Modify" is offered only for a pair other than the one in force.
    void modifyButtonFollowsTheChoice()
    {
        QVERIFY(!selectScene()->isEnabled());
        chooseLayout(2, 1);
        QVERIFY(selectScene()->isEnabled());
        chooseLayout(1, 1);
        QVERIFY(!selectScene()->isEnabled());
        chooseLayout(1, 4);
        QVERIFY(selectScene()->isEnabled());
    }

    void applyingALayoutRebuildsAndSends()
    {
        chooseLayout(3, 3);
        DialogAnswerer answer(DialogAnswerer::Ok);
        QTest::mouseClick(selectScene(), Qt::LeftButton);
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, QStringLiteral("提示"));
        // The Chinese catalogue words the source text its own way.
        QCOMPARE(answer.last().text, QStringLiteral("更改完成，请手动重启设备"));
        QCOMPARE(queued(), QStringList{"0601000f"});
        QCOMPARE(view()->currentScene()->currentLayoutName, QStringLiteral("3x3"));
        QCOMPARE(view()->currentScene()->wallSize(), QSizeF(3840, 2160));
        QVERIFY(!selectScene()->isEnabled());
        QCOMPARE(mw->appliedRowIndex, 2);
    }

    // A new layout moves and sizes the windows and tells the processor only
    // the layout: what the windows show stays, on the wall and on the pages.
    void modifyKeepsTheWindowsValues()
    {
        rec(0).luminance = 50;
        rec(0).deinterlace = true;
        rec(0).pullDown2p2 = true;
        rec(1).inputSourceId = 3;
        mw->changeUIBaseSelectChannel(1);
        queue().clear();
        chooseLayout(2, 2);
        DialogAnswerer answer(DialogAnswerer::Ok);
        QTest::mouseClick(selectScene(), Qt::LeftButton);
        QVERIFY(answer.waitDone());
        QCOMPARE(queued(), QStringList{"0601000a"});
        QCOMPARE(rec(0).luminance, 50);
        QVERIFY(rec(0).deinterlace && rec(0).pullDown2p2);
        QCOMPARE(rec(1).inputSourceId, 3);
        QCOMPARE(get<QLineEdit>("ldt_luminance")->text(), QStringLiteral("50"));
        QVERIFY(get<QCheckBox>("ckx_2p2PullDown")->isChecked());
    }

    // On the widest walls a position has five digits.
    void wideWallsTakeFiveDigitPositions()
    {
        chooseLayout(1, 9);
        mw->rebuildWall();
        queue().clear();
        typeInto(get<QLineEdit>("ldt_Width"), "3000");
        typeInto(get<QLineEdit>("ldt_PosX"), "12000");
        QCOMPARE(item(0)->x(), 12000.0);
        QCOMPARE(queued().size(), 2);
    }

    // More than nine monitors: refused, the selectors go back to the wall's grid,
    // and the refused pair stays "applied".
    void moreThanNineMonitorsIsRefused()
    {
        chooseLayout(1, 3);
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            QTest::mouseClick(selectScene(), Qt::LeftButton);
        }
        queue().clear();
        chooseLayout(3, 4);
        DialogAnswerer answer(DialogAnswerer::Ok);
        QTest::mouseClick(selectScene(), Qt::LeftButton);
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, QStringLiteral("错误"));
        QCOMPARE(answer.last().text, QStringLiteral("行列的乘积不能大于9"));
        QCOMPARE(queued(), QStringList());
        QCOMPARE(get<QComboBox>("rowCbx")->currentText(), QStringLiteral("1"));
        QCOMPARE(get<QComboBox>("columnCbx")->currentText(), QStringLiteral("3"));
        QCOMPARE(view()->currentScene()->wallSize(), QSizeF(5760, 1080));
        QVERIFY(selectScene()->isEnabled());
        chooseLayout(3, 4);
        QVERIFY(!selectScene()->isEnabled());
    }

    // The pages' own texts come from their catalogues.
    void refusalSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("english") << 1 << "Error"
                                 << "The product of rows and columns cannot be greater than 9";
        QTest::newRow("russian") << 2 << "ошибка"
                                 << "Произведение строк и столбцов не может превышать 9";
    }

    void refusalSpeaksTheChosenLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, text);
        mw->changeLanguage(language);
        chooseLayout(5, 2);
        DialogAnswerer answer(DialogAnswerer::Ok);
        QTest::mouseClick(selectScene(), Qt::LeftButton);
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, title);
        QCOMPARE(answer.last().text, text);
    }

    void divisionModes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<w4::DivisionMode>("mode");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<int>("current");

        struct Mode
        {
            const char *button;
            w4::DivisionMode mode;
            QStringList commands; // after the mode command, before the layer order
            int current;          // with window 3 current before the click
        };
        const Mode modes[] = {
            {"ptn_singleScreenModel", w4::DivisionMode::Single, {"012b0000", "022b0000", "032b0000"}, 0},
            {"ptn_twoScreenModel_leftRight", w4::DivisionMode::TwoLeftRight, {"022b0000", "032b0000"}, 0},
            {"ptn_twoDivisionModel_upDown", w4::DivisionMode::TwoUpDown, {"022b0000", "032b0000"}, 0},
            {"ptn_fourDivisionModel", w4::DivisionMode::Four, {}, 2},
            {"ptn_twoDivisionModel_OBOS", w4::DivisionMode::OneBigOneSmall, {"022b0000", "032b0000"}, 0},
            {"ptn_fourDivisionModel_OBTS", w4::DivisionMode::OneBigThreeSmall, {}, 3},
        };
        for (const Mode &m : modes) {
            const QString command = w4::divisionLayout(m.mode, QSizeF(3840, 2160)).command;
            for (int columns : {1, 3}) {
                QTest::addRow("%s on 1x%d", m.button, columns)
                    << m.button << m.mode << columns
                    << (QStringList{command} + m.commands + QStringList{"04100246"}) << m.current;
            }
        }
    }

    // Mode command first, closings, then the stacking order window k on level k.
    void divisionModes()
    {
        QFETCH(QString, button);
        QFETCH(w4::DivisionMode, mode);
        QFETCH(int, columns);
        QFETCH(QStringList, commands);
        QFETCH(int, current);
        if (columns != 1) {
            get<QComboBox>("columnCbx")->setCurrentText(QString::number(columns));
            mw->rebuildWall();
        }
        view()->currentScene()->setLayers({4, 3, 1, 2});
        selectWindow(2);
        get<QPushButton>(qPrintable(button))->click();

        QCOMPARE(queued(), commands);
        QCOMPARE(get<QComboBox>("currentChannelCBox")->currentIndex(), current);
        const w4::DivisionLayout layout = w4::divisionLayout(mode, view()->currentScene()->wallSize());
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(rec(k).layer, k + 1);
            QCOMPARE(item(k)->isVisible(), layout.windows[k].shown);
            QCOMPARE(rec(k).isShown, layout.windows[k].shown);
            if (layout.windows[k].shown)
                QCOMPARE(item(k)->windowGeometry(),
                         (w4::WindowGeometry{layout.windows[k].pos, layout.windows[k].size}));
        }
        // The pages show the window made current.
        QCOMPARE(get<QLineEdit>("ldt_Width")->text(), QString::number(int(rec(current).windowRect.width())));
    }

    void dhcpPairOffersTheOpposite()
    {
        auto *on = get<QPushButton>("DHCPon");
        auto *off = get<QPushButton>("DHCPoff");
        QVERIFY(on->isEnabled());
        QVERIFY(!off->isEnabled());
        on->click();
        QVERIFY(!on->isEnabled());
        QVERIFY(off->isEnabled());
        off->click();
        QVERIFY(on->isEnabled());
        QVERIFY(!off->isEnabled());
        auto *mode1200 = get<QCheckBox>("checkBox");
        mode1200->click();
        mode1200->click();
        QCOMPARE(queued(), QStringList({"04110001", "04110000", "04160001", "04160000"}));
    }

    // Saving and resetting speak to the device: without a link nothing is sent
    // and no success is claimed.
    void saveAndResetNeedALink_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("save") << "ptn_saveAll";
        QTest::newRow("factory reset") << "ptn_factoryDataReset";
    }

    void saveAndResetNeedALink()
    {
        QFETCH(QString, button);
        WaitingSpy waits;
        DialogAnswerer answer(DialogAnswerer::Ok);
        get<QPushButton>(qPrintable(button))->click();
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.seen().size(), 1);
        QCOMPARE(answer.last().title, QStringLiteral("错误"));
        QCOMPARE(answer.last().text, QStringLiteral("请先建立连接！"));
        QCOMPARE(queued(), QStringList());
        QCOMPARE(waits.texts, QStringList());
    }

    void saveAllWaitsThenReports()
    {
        setLinksForTesting(mw->session(), false, true);
        WaitingSpy waits;
        DialogAnswerer answer(DialogAnswerer::Ok);
        get<QPushButton>("ptn_saveAll")->click();
        QVERIFY(answer.waitDone(10000));
        QCOMPARE(queued(), QStringList{"04140000"});
        QCOMPARE(waits.texts, QStringList{"等待中..."});
        QCOMPARE(answer.last().title, QStringLiteral("消息"));
        QCOMPARE(answer.last().text, QStringLiteral("保存成功！"));
    }

    void factoryReset_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }

    void factoryReset()
    {
        QFETCH(bool, confirm);
        setLinksForTesting(mw->session(), false, true);
        chooseLayout(2, 2);
        mw->appliedRowIndex = mw->appliedColumnIndex = 1; // as read from the device
        mw->rebuildWall();
        view()->currentScene()->setWallLayout("2x2");
        rec(1).luminance = 77;
        queue().clear();
        WaitingSpy waits;
        if (!confirm) {
            DialogAnswerer answer(DialogAnswerer::Cancel);
            get<QPushButton>("ptn_factoryDataReset")->click();
            QVERIFY(answer.waitDone());
            QCOMPARE(queued(), QStringList());
            QCOMPARE(rec(1).luminance, 77);
            return;
        }
        DialogAnswerer answer({DialogAnswerer::Ok, DialogAnswerer::Ok});
        get<QPushButton>("ptn_factoryDataReset")->click();
        QVERIFY(answer.waitDone(10000));
        QCOMPARE(answer.seen().at(0).text, QStringLiteral("确定要重置吗？"));
        QCOMPARE(answer.last().title, QStringLiteral("消息"));
        QCOMPARE(answer.last().text, QStringLiteral("恢复成功，请手动重启设备！"));
        QCOMPARE(queued().value(0), QStringLiteral("08070000"));
        QCOMPARE(waits.texts, QStringList{"等待中..."});
        QCOMPARE(get<QComboBox>("rowCbx")->currentText(), QStringLiteral("1"));
        QCOMPARE(get<QComboBox>("columnCbx")->currentText(), QStringLiteral("1"));
        QCOMPARE(view()->currentScene()->currentLayoutName, QStringLiteral("1x1"));
        QCOMPARE(rec(1).luminance, 0);
        // The applied layout is the device's to report; "modify" is offered again.
        QVERIFY(selectScene()->isEnabled());
    }
};

QTEST_MAIN(TestPagesLayout)
#include "tst_pages_layout.moc"
