// The presets page: saving the wall the window shows, renaming, deleting,
// importing and exporting files, and applying a preset to w4sim over TCP with
// the pages locked, only the differing values sent, and the result read back.
#include "pagefixture.h"
#include "presetspage.h"
#include "simharness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolBox>

namespace {

QJsonObject readJson(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString presetPath(const QString &name)
{
    return PresetsPage::presetFolder() + QLatin1Char('/') + name + QStringLiteral(".json");
}

// Window 0..3 of a saved preset.
QJsonObject savedWindow(const QString &name, int window)
{
    return readJson(presetPath(name)).value("windows").toArray()[window].toObject();
}

} // namespace

class TestPagesPresets : public PageFixture
{
    Q_OBJECT

    PresetsPage *page() const { return get<PresetsPage>("presetsPage"); }
    QListWidget *list() const { return get<QListWidget>("lst_presets"); }
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void click(const char *button) { get<QPushButton>(button)->click(); }
    void select(const QString &name)
    {
        list()->setCurrentItem(list()->findItems(name, Qt::MatchExactly).value(0));
    }
    void typeName(const QString &name) { typeInto(get<QLineEdit>("ldt_presetName"), name); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        enterScratchDir();
    }
    void cleanupTestCase() { leaveScratchDir(); }
    void init()
    {
        QDir(PresetsPage::presetFolder()).removeRecursively();
        build();
    }
    void cleanup()
    {
        mw.reset();
        resetAppState();
    }

    void theSixthPageInThreeLanguages_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("save");
        QTest::newRow("Chinese") << 0 << "场景预设"
                                 << "保存预设";
        QTest::newRow("English") << 1 << "Presets"
                                 << "Save preset";
        QTest::newRow("Russian") << 2 << "Пресеты"
                                 << "Сохранить пресет";
    }
    void theSixthPageInThreeLanguages()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, save);
        mw->changeLanguage(language);
        auto *box = get<QToolBox>("rightTBox");
        QCOMPARE(box->count(), 6);
        QCOMPARE(box->widget(5), page());
        QCOMPARE(box->itemText(5), title);
        QCOMPARE(get<QPushButton>("ptn_savePreset")->text(), save);
    }

    void saveKeepsTheWallAsShown()
    {
        rec(1).luminance = 33;
        rec(2).isShown = false;
        typeName(QStringLiteral("evening"));
        {
            DialogAnswerer none;
            click("ptn_savePreset");
        }
        QCOMPARE(names(), QStringList{"evening"});
        QJsonObject saved = readJson(presetPath("evening"));
        QCOMPARE(saved.value("version").toInt(), 1);
        QCOMPARE(saved.value("layout").toString(), QStringLiteral("1x1"));
        QCOMPARE(saved.value("stacking").toArray(), (QJsonArray{1, 2, 3, 4}));
        const QJsonArray windows = saved.value("windows").toArray();
        QCOMPARE(windows[1].toObject().value("luminance").toInt(), 33);
        QCOMPARE(windows[2].toObject().value("isShown").toBool(true), false);
        QVERIFY(takeQueued().isEmpty()); // saving sends nothing

        // The same name again asks first; a refusal keeps the file.
        rec(1).luminance = 34;
        {
            DialogAnswerer answer(DialogAnswerer::Cancel);
            click("ptn_savePreset");
            QVERIFY(answer.waitDone());
            QVERIFY(answer.last().text.contains(QStringLiteral("evening")));
        }
        QCOMPARE(savedWindow("evening", 1).value("luminance").toInt(), 33);
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            click("ptn_savePreset");
            QVERIFY(answer.waitDone());
        }
        QCOMPARE(savedWindow("evening", 1).value("luminance").toInt(), 34);
    }

    void renameAndDelete()
    {
        QVERIFY(writeFile(presetPath("a"), "{\"version\": 1}"));
        QVERIFY(writeFile(presetPath("b"), "{\"version\": 1}"));
        mw.reset();
        build();
        QCOMPARE(names(), (QStringList{"a", "b"}));
        select("a");
        typeName("c");
        click("ptn_renamePreset");
        QCOMPARE(names(), (QStringList{"b", "c"}));
        QVERIFY(QFile::exists(presetPath("c")) && !QFile::exists(presetPath("a")));

        select("b");
        {
            DialogAnswerer answer(DialogAnswerer::Cancel);
            click("ptn_deletePreset");
            QVERIFY(answer.waitDone());
        }
        QCOMPARE(names(), (QStringList{"b", "c"}));
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            click("ptn_deletePreset");
            QVERIFY(answer.waitDone());
            QCOMPARE(answer.last().text, QStringLiteral("确定要删除预设“b”吗？"));
        }
        QCOMPARE(names(), QStringList{"c"});
    }

    void importRefusesWhatItCannotUse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("damaged") << QByteArray("{\"version\": 1, \"layout\"") << "wall.json 不是 JSON 文件";
        QTest::newRow("future") << QByteArray("{\"version\": 3}")
                                << "wall.json 来自更新的版本（格式 3），此版本只能读取格式 1";
        QTest::newRow("bad value") << QByteArray("{\"version\": 1, \"stacking\": [1, 2, 2, 4]}")
                                   << "wall.json 中的值无效：stacking";
    }
    void importRefusesWhatItCannotUse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString file = dir.filePath(QStringLiteral("wall.json"));
        QVERIFY(writeFile(file, bytes));
        page()->setFileChooser(
            [&](QWidget *, bool save, const QString &) { return save ? QString() : file; });
        DialogAnswerer answer(DialogAnswerer::Ok);
        click("ptn_importPreset");
        QVERIFY(answer.waitDone());
        QVERIFY2(answer.last().text.startsWith(message), qPrintable(answer.last().text));
        QVERIFY(names().isEmpty());
    }

    void importAndExport()
    {
        const QString file = dir.filePath(QStringLiteral("lobby.json"));
        QVERIFY(writeFile(
            file, "{\"version\": 1, \"layout\": \"2x2\", \"windows\": [{\"window\": 3, \"hue\": 5}]}"));
        QString exported = dir.filePath(QStringLiteral("out/lobby copy.json"));
        QDir().mkpath(dir.filePath(QStringLiteral("out")));
        page()->setFileChooser([&](QWidget *, bool save, const QString &) { return save ? exported : file; });
        {
            DialogAnswerer none;
            click("ptn_importPreset");
            QCOMPARE(names(), QStringList{"lobby"});
            click("ptn_exportPreset");
        }
        const QJsonObject back = readJson(exported);
        QCOMPARE(back.value("layout").toString(), QStringLiteral("2x2"));
        QCOMPARE(back.value("windows").toArray()[2].toObject().value("hue").toInt(), 5);
    }

    void applyNeedsALink()
    {
        QVERIFY(writeFile(presetPath("x"), "{\"version\": 1, \"videoGen\": false}"));
        mw.reset();
        build(); // offline: edits go nowhere
        select("x");
        DialogAnswerer answer(DialogAnswerer::Ok);
        click("ptn_applyPreset");
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().text, QStringLiteral("请先建立连接！"));
        QVERIFY(takeQueued().isEmpty());
    }

    void applySendsWhatDiffersAndReadsBack()
    {
        // Three values differ from the processor; the others already match.
        QVERIFY(writeFile(presetPath("show"),
                          "{\"version\": 1, \"layout\": \"1x1\", \"stacking\": [4, 3, 2, 1],"
                          " \"videoGen\": true, \"windows\": [{\"window\": 2, \"luminance\": 40,"
                          " \"contrastRatio\": 100}, {\"window\": 3, \"isShown\": false}]}"));
        mw.reset();
        build();
        simtest::Sim sim;
        const QString stateOut = sim.path(QStringLiteral("state.json"));
        QVERIFY(sim.start({QStringLiteral("--state-out"), stateOut}));
        mw->session()->sender()->setInterval(20);
        {
            DialogAnswerer readResult(DialogAnswerer::Ok);
            mw->session()->connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
            QVERIFY(readResult.waitDone(15000));
            QCOMPARE(readResult.last().text, QStringLiteral("读取成功！"));
        }
        select("show");
        QSignalSpy finished(page(), &PresetsPage::applyFinished);
        DialogAnswerer answer({DialogAnswerer::Ok, DialogAnswerer::Ok});
        click("ptn_applyPreset");
        // Asked, then running: the pages are locked and the status line counts.
        QCOMPARE(answer.seen().value(0).text, QStringLiteral("确定要将预设“show”应用到设备吗？"));
        QVERIFY(page()->isApplying());
        QVERIFY(!get("page1")->isEnabled());
        QCOMPARE(mw->statusLine(), QStringLiteral("正在应用预设：0/3"));

        QVERIFY(finished.wait(15000));
        QCOMPARE(finished.first().value(0).toInt(), 3);
        QCOMPARE(finished.first().value(1).toInt(), 0);
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().text, QStringLiteral("预设已应用（3 条命令），设备状态与预设一致。"));
        QVERIFY(get("page1")->isEnabled());
        QVERIFY(!mw->statusLine().contains(QStringLiteral("预设")));

        const QJsonObject state = readJson(stateOut);
        const QJsonArray windows = state.value("windows").toArray();
        QCOMPARE(windows[1].toObject().value("luminance").toInt(), 40);
        QCOMPARE(windows[2].toObject().value("isShown").toBool(true), false);
        QCOMPARE(windows[0].toObject().value("layer").toInt(), 4);
        // The window follows the read.
        QCOMPARE(rec(1).luminance, 40);
    }
};

QTEST_MAIN(TestPagesPresets)
#include "tst_pages_presets.moc"
