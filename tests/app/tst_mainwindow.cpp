#include "appstate.h"
#include "dialoganswerer.h"
#include "mainwindow.h"
#include "sessionstates.h"
#include "tempworkdir.h"
#include "waitingwidget.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBox>
#include <QTranslator>
#include <QValidator>
#include <QtTest>
#include <memory>

namespace {
void removeTranslators()
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

// Widgets the frame disables until a link exists.
const QStringList lockedSet = {
    "rowCbx",
    "columnCbx",
    "selectSceneBtn",
    "inBtn_1",
    "inBtn_2",
    "inBtn_3",
    "inBtn_4",
    "currentChannelCBox",
    "page1",
    "page2",
    "page3",
    "frame_processing",
    "checkBox",
    "ckx_showWindow",
    "cbx_windowLevel",
    "ckx_enableAudio",
    "ckx_freezeWindow",
    "ckx_solidColor",
    "ldt_colorR",
    "ldt_colorG",
    "ldt_colorB",
    "btn_openColorPalette",
    "ptn_singleScreenModel",
    "ptn_twoDivisionModel_OBOS",
    "ptn_twoScreenModel_leftRight",
    "ptn_twoDivisionModel_upDown",
    "ptn_fourDivisionModel",
    "ptn_fourDivisionModel_OBTS",
    "page4",
    "cbx_deinterlace",
    "ptn_refresh",
    "ptn_factoryDataReset",
};

const QStringList hiddenSet = {
    "groupBox",
    "label_43",
    "cbx_language",
    "testButton",
    "pushButtonResetK5",
    "MyMessageButton",
    "label_32",
    "label_33",
    "label_34",
    "hSdr_blueCorrection",
    "hSdr_greenConrrection",
    "hSdr_skinCorrection",
    "ldt_blueCorrection",
    "ldt_greenCorrection",
    "ldt_skinCorrection",
    "ptn_openWindowModel",
    "ptn_overlayModel",
    "ptn_levelMode",
    "ckx_freezeAllWindows",
    "label_45",
    "label_46",
    "groupBox_5",
    "port",
    "IP",
    "label_2",
    "label_3",
    "label_sliceImage",
};
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    TempWorkingDir dir;
    std::unique_ptr<MainWindow> window;

    template <typename T = QWidget> T *get(const char *name)
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no widget %s", name);
        return w;
    }

    void writeLanguage(int id)
    {
        QFile f(dir.filePath("FontSize.ini"));
        QVERIFY(f.open(QFile::WriteOnly | QFile::Truncate));
        f.write("[General]\nID=" + QByteArray::number(id) + "\n");
    }

    void build()
    {
        DialogAnswerer noBox; // the frame asks nothing while it is built
        window = std::make_unique<MainWindow>();
    }

private slots:
    void initTestCase() { QVERIFY(dir.enter()); }
    void cleanupTestCase() { dir.leave(); }
    void init()
    {
        resetAppState();
        QFile::remove(dir.filePath("FontSize.ini"));
    }
    void cleanup()
    {
        window.reset();
        removeTranslators();
    }

    void windowGeometry()
    {
        build();
        QCOMPARE(window->objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(window->size(), QSize(1260, 756));
        QCOMPARE(window->minimumSize(), QSize(1260, 635));
        QCOMPARE(window->maximumWidth(), 1260);
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        window->show();
        window->resize(1400, 900);
        QCOMPARE(window->size(), QSize(1260, 900));
        window->resize(1000, 500);
        QCOMPARE(window->size(), QSize(1260, 635));
    }

    // The four input buttons float over the left column; they must sit inside
    // the input group whatever the language, and above the other widgets.
    void inputButtonsSitInTheirGroup()
    {
        build();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *central = window->centralWidget();
        auto *group = get("groupBox_inputSource");
        const QRect groupRect(group->mapTo(central, QPoint(0, 0)), group->size());
        const QList<QPoint> home = {{20, 175}, {105, 175}, {20, 205}, {105, 205}};
        for (int i = 0; i < 4; ++i) {
            auto *b = get<QPushButton>(qPrintable(QStringLiteral("inBtn_%1").arg(i + 1)));
            QCOMPARE(b->parentWidget(), central);
            QCOMPARE(b->pos(), home.at(i));
            QVERIFY2(groupRect.contains(b->geometry()), qPrintable(QStringLiteral("inBtn_%1").arg(i + 1)));
            QCOMPARE(central->childAt(b->geometry().center()), b);
        }
    }

    void hiddenWidgetsStayHidden_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("chinese") << 0;
        QTest::newRow("english") << 1;
        QTest::newRow("russian") << 2;
    }

    void hiddenWidgetsStayHidden()
    {
        QFETCH(int, language);
        build();
        window->show();
        window->changeLanguage(language);
        window->unlockControlPages();
        for (const QString &name : hiddenSet) {
            QWidget *w = get(qPrintable(name));
            QVERIFY2(w && !w->isVisible(), qPrintable(name));
        }
    }

    void lockAndUnlock()
    {
        build();
        // Locked from construction on.
        for (const QString &name : lockedSet) {
            QWidget *w = get(qPrintable(name));
            QVERIFY2(w && !w->isEnabled(), qPrintable(name));
        }
        // Connecting stays possible, and so does saving (not part of the set).
        // Offline editing can be chosen while locked (on the developer page).
        for (const char *name :
             {"connect", "NetConnectBtn", "DHCPon", "ptn_saveAll", "groupBox_3", "rightTBox", "ptn_offLine"})
            QVERIFY2(get(name)->isEnabled(), name);

        window->unlockControlPages();
        for (const QString &name : lockedSet) {
            if (name == "selectSceneBtn")
                continue;
            QVERIFY2(get(qPrintable(name))->isEnabled(), qPrintable(name));
        }
        QVERIFY(get("ptn_saveAll")->isEnabled());
        // "Modify" is offered only for a layout other than the applied one.
        QVERIFY(!get("selectSceneBtn")->isEnabled());
        get<QComboBox>("rowCbx")->setCurrentIndex(2);
        window->unlockControlPages();
        QVERIFY(get("selectSceneBtn")->isEnabled());
        window->appliedRowIndex = 2;
        window->unlockControlPages();
        QVERIFY(!get("selectSceneBtn")->isEnabled());

        window->lockControlPages();
        for (const QString &name : lockedSet)
            QVERIFY2(!get(qPrintable(name))->isEnabled(), qPrintable(name));
        QVERIFY(get("ptn_saveAll")->isEnabled());
    }

    void constructionState()
    {
        build();
        auto *row = get<QComboBox>("rowCbx");
        auto *column = get<QComboBox>("columnCbx");
        QCOMPARE(row->count(), 9);
        QCOMPARE(column->itemText(8), QStringLiteral("9"));
        QCOMPARE(row->currentIndex(), 0);
        QCOMPARE(column->currentIndex(), 0);
        QCOMPARE(row->font().family(), QStringLiteral("微软雅黑"));
        QVERIFY(!get<QLabel>("label_7")->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(get("DHCPon")->isEnabled());
        QVERIFY(!get("DHCPoff")->isEnabled());
        QCOMPARE(get<QToolBox>("rightTBox")->count(), 6); // the five pages of the form and the presets
        QCOMPARE(get<QToolBox>("rightTBox")->widget(5)->objectName(), QStringLiteral("presetsPage"));
        QCOMPARE(get<QToolBox>("rightTBox")->currentIndex(), 0);
        QCOMPARE(get<QComboBox>("currentChannelCBox")->count(), 4);
        QCOMPARE(window->currentSceneIndex, 0);
        QCOMPARE(window->currentChannelIndex, 0);
        QCOMPARE(connectionStatusRow(), 1);
        QCOMPARE(window->statusLine(), QStringLiteral("连接状态: 未连接"));

        auto *speed = get<QLineEdit>("lineEdit_speed");
        auto *serialSpeed = get<QLineEdit>("lineEdit_speed_2");
        QCOMPARE(speed->text(), QStringLiteral("55"));
        QCOMPARE(serialSpeed->text(), QStringLiteral("110"));
        int pos = 0;
        QString typed = QStringLiteral("5a");
        QCOMPARE(speed->validator()->validate(typed, pos), QValidator::Invalid);
        typed = QStringLiteral("120");
        QCOMPARE(serialSpeed->validator()->validate(typed, pos), QValidator::Acceptable);
        // At most four digits: 99999 ms cannot be typed.
        for (QLineEdit *e : {speed, serialSpeed}) {
            typed = QStringLiteral("9999");
            QCOMPARE(e->validator()->validate(typed, pos), QValidator::Acceptable);
            typed = QStringLiteral("99999");
            QCOMPARE(e->validator()->validate(typed, pos), QValidator::Invalid);
        }
    }

    // Slider ranges equal their picture value ranges; both timer pairs start
    // disabled.
    void pictureControls()
    {
        build();
        const QList<std::tuple<const char *, int, int>> ranges = {
            {"hSdr_luminance", -1024, 1024},     {"hSdr_contrastRatio", 0, 399},  {"hSdr_hue", -180, 180},
            {"hSdr_verticalSharpness", -10, 10}, {"hSdr_greenConrrection", 0, 4}, {"hSdr_2p2Timer", 0, 15},
            {"hSdr_PanelGammaMode", 0, 3}};
        for (const auto &[name, lo, hi] : ranges) {
            auto *s = get<QSlider>(name);
            QVERIFY2(s && s->minimum() == lo && s->maximum() == hi, name);
        }
        QCOMPARE(get<QSlider>("hSdr_luminance")->pageStep(), 0);
        window->unlockControlPages();
        for (const char *name : {"hSdr_2p2Timer", "ldt_2p2Timer", "hSdr_2p3Timer", "ldt_2p3Timer"})
            QVERIFY2(!get(name)->isEnabled(), name);
        QVERIFY(!get<QPushButton>("ptn_singleScreenModel")->icon().isNull());
        QVERIFY(!get<QPushButton>("ptn_twoDivisionModel_OBOS")->icon().isNull());
    }

    void languageFromSettings_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("saveAll");
        QTest::addColumn<QString>("page1");
        QTest::addColumn<QString>("status");
        QTest::newRow("chinese") << 0 << "中文"
                                 << "保存所有配置"
                                 << "视图调整"
                                 << "连接状态: 未连接";
        QTest::newRow("english") << 1 << "English"
                                 << "Save all config"
                                 << "View Adjustment"
                                 << "Connection status: Not Connected";
        QTest::newRow("russian") << 2 << "русский"
                                 << "Сохранить все настройки"
                                 << "Регулировка вида"
                                 << "Статус соединения: Нет связи";
    }

    void languageFromSettings()
    {
        QFETCH(int, id);
        QFETCH(QString, selector);
        QFETCH(QString, saveAll);
        QFETCH(QString, page1);
        QFETCH(QString, status);
        writeLanguage(id);
        build();
        QCOMPARE(languageIndex, id);
        QCOMPARE(get<QComboBox>("cbx_language")->currentText(), selector);
        QCOMPARE(get<QPushButton>("ptn_saveAll")->text(), saveAll);
        QCOMPARE(get<QToolBox>("rightTBox")->itemText(0), page1);
        QCOMPARE(window->statusLine(), status);
        QCOMPARE(waitingDialogWidth, id == 2 ? 450 : 250);
    }

    void switchingBackRestoresChinese()
    {
        build();
        window->changeLanguage(1);
        QCOMPARE(get<QPushButton>("DHCPon")->text(), QStringLiteral("ON"));
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("Wall Mode"));
        window->changeLanguage(0);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("拼接模式"));
        QCOMPARE(get<QPushButton>("ptn_saveAll")->text(), QStringLiteral("保存所有配置"));
        QCOMPARE(get<QPushButton>("DHCPon")->text(), QStringLiteral("打开"));
        QCOMPARE(get<QPushButton>("inBtn_3")->text(), QStringLiteral("输入 3"));
    }

    void liveLinkTextsSurviveSwitch_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("serial");
        QTest::addColumn<bool>("network");
        QTest::addColumn<QString>("openButton");
        QTest::addColumn<QString>("connectButton");
        QTest::newRow("russian serial") << 2 << true << false << "Закрыть порт RS232"
                                        << "подключиться к серверу";
        // While connected the connect button offers to disconnect, never the state.
        QTest::newRow("english both") << 1 << true << true << "close the Serial Port"
                                      << "Disconnect";
        QTest::newRow("chinese network") << 0 << false << true << "打开串口"
                                         << "断开连接";
        QTest::newRow("russian network") << 2 << false << true << "Пинг RS232"
                                         << "Отсоедини";
    }

    void liveLinkTextsSurviveSwitch()
    {
        QFETCH(int, language);
        QFETCH(bool, serial);
        QFETCH(bool, network);
        QFETCH(QString, openButton);
        QFETCH(QString, connectButton);
        build();
        setLinksForTesting(window->session(), serial, network);
        window->changeLanguage(language);
        QCOMPARE(get<QPushButton>("openButton")->text(), openButton);
        QCOMPARE(get<QPushButton>("connect")->text(), connectButton);
    }

    // Switching back and forth keeps one translator per language.
    void switchingReusesTranslators()
    {
        build();
        for (int i = 0; i < 5; ++i) {
            window->changeLanguage(2);
            window->changeLanguage(1);
        }
        // Ours for each language, and Qt's own for Chinese and Russian.
        QCOMPARE(window->findChildren<QTranslator *>().size(), 5);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("Wall Mode"));
        window->changeLanguage(2);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("Режим видеостены"));
        // An unknown language falls back to whatever older translators hold.
        window->changeLanguage(9);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("Режим видеостены"));
    }

    void russianWidensWaitingDialogs()
    {
        build();
        window->changeLanguage(2);
        QCOMPARE(WaitingWidget(QStringLiteral("Загрузка..."), 100).width(), 450);
        window->changeLanguage(1);
        QCOMPARE(WaitingWidget(QStringLiteral("Waiting..."), 100).width(), 250);
        // An unknown index leaves the size alone.
        window->changeLanguage(2);
        window->changeLanguage(5);
        QCOMPARE(waitingDialogWidth, 450);
        QCOMPARE(languageIndex, 5);
    }

    // Screen readers: a field is named by the label beside it (its buddy) or,
    // when it has no label or text of its own, by an accessible name.
    void everyFieldIsNamed_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("chinese") << 0;
        QTest::newRow("russian") << 2;
    }

    void everyFieldIsNamed()
    {
        QFETCH(int, language);
        build();
        window->changeLanguage(language);
        QSet<QWidget *> buddies;
        for (QLabel *l : window->findChildren<QLabel *>())
            if (l->buddy())
                buddies << l->buddy();
        QList<QWidget *> fields;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->isHidden() || w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
                continue;
            if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QSlider *>(w))
                fields << w;
            else if (auto *b = qobject_cast<QPushButton *>(w); b && b->text().isEmpty())
                fields << w;
        }
        QVERIFY(fields.size() > 40);
        for (QWidget *w : fields) {
            if (qobject_cast<QComboBox *>(w->parentWidget()))
                continue; // a combo box's own line edit
            const bool named = buddies.contains(w) || !w->accessibleName().trimmed().isEmpty();
            QVERIFY2(named, qPrintable(w->objectName()));
        }
        QCOMPARE(get("ldt_hue")->accessibleName(), get<QLabel>("label_hue")->text().simplified());
    }

    void developerMessageBoxes()
    {
        build();
        DialogAnswerer answers({DialogAnswerer::Ok, DialogAnswerer::Escape, DialogAnswerer::CloseButton,
                                DialogAnswerer::Cancel});
        QVERIFY(QMetaObject::invokeMethod(window.get(), "on_MyMessageButton_clicked"));
        QStringList titles;
        for (const auto &seen : answers.seen())
            titles << seen.title;
        QCOMPARE(titles, (QStringList{"测试警告", "测试错误", "测试信息", "测试询问"}));
        QCOMPARE(answers.seen().at(3).buttons, (QStringList{"确认", "取消"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
