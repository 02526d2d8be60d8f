// The presets page: saving the wall the window shows, renaming, deleting,
// importing and exporting files, and applying a preset to w4sim over TCP with
// the pages locked, only the differing values sent, and the result read back.
#include "codec.h"
#include "commands.h"
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

#include <sys/stat.h>

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

// A command from another program, as w4ctl or a control system sends it.
void tellSim(simtest::Sim &sim, const QString &command)
{
    if (sim.udp.state() != QAbstractSocket::BoundState)
        sim.udp.bind(QHostAddress(QHostAddress::LocalHost), 0);
    sim.udp.writeDatagram(w4::encodeCommand(command), QHostAddress(QHostAddress::LocalHost), sim.udpPort);
}

bool isFifo(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
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

    // The window on w4sim over TCP, its first read done.
    void connectTo(simtest::Sim &sim)
    {
        mw->session()->sender()->setInterval(20);
        DialogAnswerer readResult(DialogAnswerer::Ok);
        mw->session()->connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QVERIFY(readResult.waitDone(15000));
        QCOMPARE(readResult.last().text, QStringLiteral("读取成功！"));
    }
    // Saves the wall under `name` without a question.
    void saveAs(const QString &name)
    {
        typeName(name);
        DialogAnswerer none;
        click("ptn_savePreset");
    }
    // Applies `name`, confirming; the commands sent and the box that ends it.
    QPair<int, QString> applyPreset(const QString &name)
    {
        select(name);
        QSignalSpy finished(page(), &PresetsPage::applyFinished);
        DialogAnswerer answer({DialogAnswerer::Ok, DialogAnswerer::Ok});
        click("ptn_applyPreset");
        if (!finished.wait(15000) || !answer.waitDone())
            return {-1, QString()};
        return {finished.first().value(0).toInt(), answer.last().text};
    }

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
        QCOMPARE(mw->statusLine(), QStringLiteral("正在读取设备状态…"));

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

    // Another program changed the processor after the window last read it:
    // the apply measures against the processor, so the change is undone.
    void applyUndoesWhatAnotherProgramChanged()
    {
        simtest::Sim sim;
        const QString stateOut = sim.path(QStringLiteral("state.json"));
        QVERIFY(sim.start({QStringLiteral("--state-out"), stateOut}));
        connectTo(sim);
        saveAs(QStringLiteral("before"));

        int luminance = 0;
        while (QLatin1String(w4::pictureValueInfo(luminance).name) != QLatin1String("luminance"))
            ++luminance;
        tellSim(sim, w4::windowParameterCommand(1, w4::pictureValueInfo(luminance).code,
                                                w4::pictureValueToDevice(luminance, 60)));
        QTRY_COMPARE(readJson(stateOut).value("windows").toArray()[1].toObject().value("luminance").toInt(), 60);

        QCOMPARE(applyPreset(QStringLiteral("before")),
                 qMakePair(1, QStringLiteral("预设已应用（1 条命令），设备状态与预设一致。")));
        QCOMPARE(readJson(stateOut).value("windows").toArray()[1].toObject().value("luminance").toInt(), 0);
    }

    // The processor holds 0 for a crop end that is the whole picture; so does
    // the preset, and applying it sends nothing and finds nothing different.
    void savedCropEndsAreWhatTheProcessorHolds()
    {
        simtest::Sim sim;
        QVERIFY(sim.start({}));
        tellSim(sim, w4::cropCommand(2, 10, 0, 1000, 0));
        QTRY_VERIFY(!sim.received(QStringLiteral("udp")).isEmpty());
        connectTo(sim);
        saveAs(QStringLiteral("crop"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(savedWindow("crop", i).value("cropVEnd").toInt(-1), 0);
        QCOMPARE(savedWindow("crop", 0).value("cropHEnd").toInt(-1), 0);
        QCOMPARE(savedWindow("crop", 2).value("cropHEnd").toInt(-1), 1000);

        QCOMPARE(applyPreset(QStringLiteral("crop")),
                 qMakePair(0, QStringLiteral("预设已应用（0 条命令），设备状态与预设一致。")));
    }

    // Only regular files of at most 1 MiB are read: a FIFO would hold the window
    // for ever and a device would never end.
    void readsOnlyRegularFilesOfAtMostOneMebibyte_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("too large") << "large" << "太大，最多只能读取 1024 KiB";
        QTest::newRow("FIFO") << "fifo" << "不是普通文件，无法读取";
        QTest::newRow("link to a FIFO") << "fifo link" << "不是普通文件，无法读取";
        QTest::newRow("endless device") << "/dev/zero" << "不是普通文件，无法读取";
    }
    void readsOnlyRegularFilesOfAtMostOneMebibyte()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QString path = kind;
        if (kind == QLatin1String("large")) {
            // A preset that is sound but for its size.
            path = dir.filePath(QStringLiteral("large.json"));
            QVERIFY(writeFile(path, "{\"version\": 1}" + QByteArray(1024 * 1024, ' ')));
        } else if (kind.startsWith(QLatin1String("fifo"))) {
            path = dir.filePath(QStringLiteral("pipe.json"));
            QFile::remove(path);
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            if (kind == QLatin1String("fifo link")) {
                QFile::remove(dir.filePath(QStringLiteral("link.json")));
                QVERIFY(QFile::link(path, dir.filePath(QStringLiteral("link.json"))));
                path = dir.filePath(QStringLiteral("link.json"));
            }
        }
        page()->setFileChooser([&](QWidget *, bool save, const QString &) { return save ? QString() : path; });
        DialogAnswerer answer(DialogAnswerer::Ok);
        click("ptn_importPreset");
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, QStringLiteral("错误"));
        QVERIFY2(answer.last().text.contains(message), qPrintable(answer.last().text));
        QVERIFY(names().isEmpty());
    }

    // Export writes through a temporary file renamed onto the target, and only
    // onto a regular file: a FIFO stays a FIFO.
    void exportRefusesWhatIsNotARegularFile()
    {
        QVERIFY(writeFile(presetPath("lobby"), "{\"version\": 1}"));
        mw.reset();
        build();
        select("lobby");
        const QString fifo = dir.filePath(QStringLiteral("export-pipe"));
        QFile::remove(fifo);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        page()->setFileChooser([&](QWidget *, bool, const QString &) { return fifo; });
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            click("ptn_exportPreset");
            QVERIFY(answer.waitDone());
            QCOMPARE(answer.last().text,
                     QStringLiteral("无法保存预设：%1 不是普通文件，不能覆盖").arg(fifo));
        }
        QVERIFY(isFifo(fifo));
    }

    // A file whose name starts with a dot would become a preset the list never
    // shows.
    void importRefusesNamesTheListCannotShow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("only a dot") << "..json";
        QTest::newRow("hidden") << ".lobby.json";
    }
    void importRefusesNamesTheListCannotShow()
    {
        QFETCH(QString, file);
        const QString path = dir.filePath(file);
        QVERIFY(writeFile(path, "{\"version\": 1}"));
        page()->setFileChooser([&](QWidget *, bool save, const QString &) { return save ? QString() : path; });
        DialogAnswerer answer(DialogAnswerer::Ok);
        click("ptn_importPreset");
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().text,
                 QStringLiteral("文件名“%1”不能用作预设名称，请重命名文件后再导入").arg(file));
        QVERIFY(QDir(PresetsPage::presetFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Renaming onto an existing preset replaces it in one step: a rename that
    // fails keeps it.
    void aFailedRenameKeepsTheOtherPreset()
    {
        QVERIFY(writeFile(presetPath("a"), "{\"version\": 1}"));
        QVERIFY(writeFile(presetPath("b"), "{\"version\": 1, \"videoGen\": true}"));
        mw.reset();
        build();
        select("a");
        QVERIFY(QFile::remove(presetPath("a"))); // gone behind the list's back
        typeName("b");
        {
            DialogAnswerer answer({DialogAnswerer::Ok, DialogAnswerer::Ok});
            click("ptn_renamePreset");
            QVERIFY(answer.waitDone());
            QCOMPARE(answer.seen().value(0).text, QStringLiteral("预设“b”已存在，是否覆盖？"));
            QCOMPARE(answer.last().text, QStringLiteral("无法保存预设：b"));
        }
        QCOMPARE(readJson(presetPath("b")).value("videoGen").toBool(), true);
        QCOMPARE(names(), QStringList{"b"});

        // Agreed to, the rename replaces it.
        QVERIFY(writeFile(presetPath("c"), "{\"version\": 1, \"videoGen\": false}"));
        mw.reset();
        build();
        select("c");
        typeName("b");
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            click("ptn_renamePreset");
            QVERIFY(answer.waitDone());
        }
        QCOMPARE(names(), QStringList{"b"});
        QCOMPARE(readJson(presetPath("b")).value("videoGen").toBool(true), false);
    }
};

QTEST_MAIN(TestPagesPresets)
#include "tst_pages_presets.moc"
