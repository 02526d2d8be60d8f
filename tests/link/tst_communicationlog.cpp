#include "communicationdialog.h"
#include "dialoganswerer.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QStringList fileLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<cannot read %1>").arg(path)};
    QString text = QString::fromUtf8(f.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QStringList readAll(const QStringList &paths)
{
    QStringList lines;
    for (const QString &p : paths)
        lines += fileLines(p);
    return lines;
}

// Ten bytes on disk each, newline included.
QString shortLine(int i)
{
    return QStringLiteral("line %1").arg(i, 4, 10, QLatin1Char('0'));
}

int warningsSeen = 0;
QtMessageHandler previousHandler = nullptr;
void countWarnings(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (type == QtWarningMsg && msg.contains(QLatin1String("Communication log file")))
        ++warningsSeen;
    else
        previousHandler(type, context, msg);
}

} // namespace

class TestCommunicationLog : public QObject
{
    Q_OBJECT

private slots:
    // The window keeps the newest lines only; the file keeps them all, also
    // when the dialog goes without an explicit flush (a normal quit).
    void windowKeepsLastLinesFileKeepsAll()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const int total = CommunicationDialog::MaxShownLines + 50;
        QString filePath;
        {
            CommunicationDialog log(dir.path(), CommunicationLogFile::DefaultMaxBytes);
            filePath = log.logFile()->currentPath();
            for (int i = 0; i < total; ++i)
                log.showInfo(QStringLiteral("MainWindow::send： %1").arg(i));
            const QStringList shown = log.logText().split(QLatin1Char('\n'));
            QCOMPARE(shown.size(), CommunicationDialog::MaxShownLines);
            QVERIFY2(shown.first().endsWith(QStringLiteral("send： 50")), qPrintable(shown.first()));
            QVERIFY2(shown.last().endsWith(QStringLiteral("send： %1").arg(total - 1)),
                     qPrintable(shown.last()));
        }
        const QStringList inFile = fileLines(filePath);
        QCOMPARE(inFile.size(), total);
        QVERIFY(QRegularExpression(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\]MainWindow::send： 0$)")
                    .match(inFile.first())
                    .hasMatch());
        QVERIFY(inFile.last().endsWith(QStringLiteral("send： %1").arg(total - 1)));
    }

    // A 100-byte limit with two old files: the current file never passes the
    // limit, lines are split between files without loss or reordering until
    // the oldest file is dropped.
    void rotatesAtSizeLimit_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QStringList>("expectedFiles"); // suffixes of this session's files, oldest first
        QTest::addColumn<int>("firstKept");

        QTest::newRow("fits in one file") << 10 << QStringList{""} << 0;
        QTest::newRow("one rotation") << 11 << QStringList{".1", ""} << 0;
        QTest::newRow("two rotations") << 30 << QStringList{".2", ".1", ""} << 0;
        QTest::newRow("oldest dropped") << 45 << QStringList{".2", ".1", ""} << 20;
    }
    void rotatesAtSizeLimit()
    {
        QFETCH(int, lines);
        QFETCH(QStringList, expectedFiles);
        QFETCH(int, firstKept);

        QTemporaryDir dir;
        CommunicationLogFile log(dir.path(), 100, 2);
        for (int i = 0; i < lines; ++i)
            log.append(shortLine(i));
        log.flush();

        QStringList expectedPaths;
        for (const QString &suffix : expectedFiles)
            expectedPaths << log.currentPath() + suffix;
        QCOMPARE(log.sessionFiles(), expectedPaths);
        QVERIFY(!QFile::exists(log.currentPath() + ".3"));
        for (const QString &p : expectedPaths)
            QVERIFY2(QFileInfo(p).size() <= 100, qPrintable(p));

        QStringList expected;
        for (int i = firstKept; i < lines; ++i)
            expected << shortLine(i);
        QCOMPARE(readAll(expectedPaths), expected);
    }

    // What an earlier run left is moved aside, kept, and not part of this
    // session: saving writes exactly this session's lines, across rotations.
    void saveWritesWholeSession()
    {
        QTemporaryDir dir;
        {
            CommunicationLogFile earlier(dir.path(), 100, 2);
            earlier.append(QStringLiteral("from an earlier run"));
        }
        CommunicationDialog log(dir.path(), 1000);
        QCOMPARE(fileLines(log.logFile()->currentPath() + ".1"), QStringList{"from an earlier run"});
        QCOMPARE(log.logFile()->sessionFiles(), QStringList{log.logFile()->currentPath()});

        for (int i = 0; i < 80; ++i) // about 2.4 kB: two rotations
            log.showInfo(QStringLiteral("MainWindow::send： %1").arg(i));
        QCOMPARE(log.logFile()->sessionFiles().size(), 3);

        DialogAnswerer noBox;
        const QString target = dir.filePath("saved.log");
        QVERIFY(log.saveLog(target));
        QCOMPARE(fileLines(target), log.logText().split(QLatin1Char('\n')));
        QVERIFY(fileLines(target).first().endsWith(QStringLiteral("send： 0")));
    }

    // A failed save says so in a box, and leaves no partial file behind.
    void failedSaveShowsError()
    {
        QTemporaryDir dir;
        CommunicationDialog log(dir.path(), 1000);
        log.showInfo(QStringLiteral("x"));
        const QString blocked = dir.filePath("blocked");
        QVERIFY(QDir().mkpath(blocked)); // a folder where the file should go

        DialogAnswerer answer(DialogAnswerer::Ok);
        QVERIFY(!log.saveLog(blocked));
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().title, QStringLiteral("错误"));
        QCOMPARE(answer.last().text, QStringLiteral("保存失败！"));
        QVERIFY(QFileInfo(blocked).isDir());
    }

    // No usable folder: one warning, the window goes on, and a save still
    // writes what the window holds.
    void unwritableFolderWarnsOnceAndCarriesOn()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();

        warningsSeen = 0;
        previousHandler = qInstallMessageHandler(countWarnings);
        {
            CommunicationDialog log(dir.filePath("plain/sub"), 1000);
            for (int i = 0; i < 20; ++i)
                log.showInfo(QStringLiteral("line %1").arg(i));
            QVERIFY(!log.logFile()->isWorking());
            QCOMPARE(log.logText().count(QLatin1Char('\n')), 19);

            DialogAnswerer noBox;
            QVERIFY(log.saveLog(dir.filePath("saved.log")));
            QCOMPARE(fileLines(dir.filePath("saved.log")), log.logText().split(QLatin1Char('\n')));
        }
        qInstallMessageHandler(previousHandler);
        QCOMPARE(warningsSeen, 1);
    }

    void saveButtonSpeaksTheLanguage()
    {
        QTemporaryDir dir;
        CommunicationDialog log(dir.path(), 1000);
        auto *button = log.findChild<QPushButton *>(QStringLiteral("saveLogButton"));
        QVERIFY(button);
        QCOMPARE(button->accessibleName(), QStringLiteral("保存日志"));

        const QList<QPair<QString, QString>> languages{{":/res/lanague_en.qm", "Save log"},
                                                       {":/res/lanague_ru.qm", "Сохранить журнал"}};
        for (const auto &language : languages) {
            QTranslator translator;
            QVERIFY(translator.load(language.first));
            QCoreApplication::installTranslator(&translator);
            log.retranslate();
            QCOMPARE(button->text(), language.second);
            QCOMPARE(button->accessibleName(), language.second);
            QCoreApplication::removeTranslator(&translator);
        }
    }
    // Two copies of the program at once: each keeps its own file, and the
    // first one's save still holds its own lines. Once the first is gone its
    // name is free again.
    void eachRunningCopyKeepsItsOwnFile()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<CommunicationLogFile>(dir.path());
        first->append(QStringLiteral("first 1"));
        first->flush();
        const QString firstPath = first->currentPath();

        CommunicationLogFile second(dir.path());
        QVERIFY(second.isWorking());
        QVERIFY(second.currentPath() != firstPath);
        second.append(QStringLiteral("second 1"));
        first->append(QStringLiteral("first 2"));

        QVERIFY(first->copySessionTo(dir.filePath("saved.log")));
        QCOMPARE(fileLines(dir.filePath("saved.log")), (QStringList{"first 1", "first 2"}));
        second.flush();
        QCOMPARE(fileLines(second.currentPath()), QStringList{"second 1"});

        first.reset();
        CommunicationLogFile third(dir.path());
        QCOMPARE(third.currentPath(), firstPath);
        QCOMPARE(fileLines(firstPath + ".1"), (QStringList{"first 1", "first 2"}));
    }

    // A folder that cannot hold the file, something other than a file at its
    // path, a disk that fills up: the window says so once, with the path and
    // the system's reason, goes on showing every line, and the file ends with
    // a whole line.
    void fileProblemIsToldOnceInTheWindow_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder is a file") << "file" << QString::fromLocal8Bit(std::strerror(ENOTDIR));
        QTest::newRow("FIFO at the log's path") << "fifo" << "not a regular file";
        QTest::newRow("no room left") << "full" << QString::fromLocal8Bit(std::strerror(EFBIG));
    }
    void fileProblemIsToldOnceInTheWindow()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString folder = dir.path();
        QString badPath = dir.filePath("communication.log");
        if (setup == "file") {
            QFile plain(dir.filePath("plain"));
            QVERIFY(plain.open(QIODevice::WriteOnly));
            folder = dir.filePath("plain/sub");
            badPath = folder;
        } else if (setup == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(badPath).constData(), 0600), 0);
        }

        DialogAnswerer answer(DialogAnswerer::Ok);
        CommunicationDialog log(folder, 100000);
        for (int i = 0; i < 10; ++i)
            log.showInfo(QStringLiteral("MainWindow::send： %1").arg(i));
        log.logFile()->flush();
        if (setup == "full") {
            // The file may grow no further than 1000 bytes: writing past that
            // fails as a full disk does.
            const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
            const rlimit saved = limit;
            limit.rlim_cur = 1000;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
            for (int i = 10; i < 110; ++i)
                log.showInfo(QStringLiteral("MainWindow::send： %1").arg(i));
            log.logFile()->flush();
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, previousSignal);
            QCOMPARE(fileLines(badPath), log.logText().split(QLatin1Char('\n')).mid(0, 10));
        }
        QVERIFY(answer.waitDone());
        QVERIFY(!log.logFile()->isWorking());
        QCOMPARE(answer.last().title, QStringLiteral("警告"));
        QVERIFY2(answer.last().text.contains(badPath + ": " + reason), qPrintable(answer.last().text));
        for (int i = 0; i < 5; ++i)
            log.showInfo(QStringLiteral("after"));
        log.logFile()->flush();
        QTest::qWait(50); // a second box would show now
        QCOMPARE(answer.unexpectedCount(), 0);
        QCOMPARE(log.logText().count(QLatin1Char('\n')), setup == "full" ? 114 : 14);
    }
};

QTEST_MAIN(TestCommunicationLog)
#include "tst_communicationlog.moc"
