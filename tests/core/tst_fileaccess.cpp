// Reading and saving the user's files: only regular files are read, whole and
// up to a cap, without waiting on a FIFO; a save replaces only a regular file
// and leaves FIFOs and device nodes what they are.
#include "fileaccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace w4;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool isFifo(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool isCharDevice(const char *path)
{
    struct stat st;
    return ::lstat(path, &st) == 0 && S_ISCHR(st.st_mode);
}

} // namespace

class TestFileAccess : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString at(const char *name) const { return dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QCOMPARE(::mkfifo(QFile::encodeName(at("fifo")).constData(), 0600), 0);
        QVERIFY(QFile::link(at("fifo"), at("fifo link")));
        QVERIFY(writeFile(at("largest"), QByteArray(int(PresetFileMaxBytes), ' ')));
        QVERIFY(writeFile(at("too large"), QByteArray(int(PresetFileMaxBytes) + 1, ' ')));
        QVERIFY(writeFile(at("plain"), "{}"));
        QVERIFY(QFile::link(at("plain"), at("plain link")));
    }

    void readsOnlyRegularFilesUpToTheCap_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error"); // empty: read
        QTest::newRow("regular") << at("plain") << "";
        QTest::newRow("link to a regular file") << at("plain link") << "";
        QTest::newRow("exactly the cap") << at("largest") << "";
        QTest::newRow("one byte over") << at("too large") << "太大";
        QTest::newRow("FIFO without a writer") << at("fifo") << "不是普通文件";
        QTest::newRow("link to a FIFO") << at("fifo link") << "不是普通文件";
        QTest::newRow("endless device") << "/dev/zero"
                                        << "不是普通文件";
        QTest::newRow("missing") << at("nothing") << "无法读取文件";
    }
    void readsOnlyRegularFilesUpToTheCap()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const FileRead read = readRegularFile(path, PresetFileMaxBytes);
        if (error.isEmpty()) {
            QVERIFY2(read.ok(), qPrintable(read.error));
            QCOMPARE(read.bytes.size(), int(QFileInfo(path).size()));
        } else {
            QVERIFY2(read.error.contains(error), qPrintable(read.error));
            QVERIFY(read.error.contains(path));
            QVERIFY(read.bytes.isEmpty());
        }
    }

    void savesOnlyOverRegularFiles()
    {
        QString error;
        // A FIFO, directly or through a link, stays a FIFO.
        for (const QString &target : {at("fifo"), at("fifo link")}) {
            QVERIFY(!saveTargetRefusal(target).isEmpty());
            QVERIFY(!saveFileSafely(target, "x", &error));
            QVERIFY2(error.contains(QStringLiteral("不是普通文件")), qPrintable(error));
            QVERIFY(isFifo(at("fifo")));
        }
        // Device nodes are only looked at.
        QVERIFY(saveTargetRefusal(QStringLiteral("/dev/null")).contains(QStringLiteral("/dev/null")));
        QVERIFY(isCharDevice("/dev/null"));

        // New names and regular files are written; a link keeps pointing at
        // the file it named.
        QVERIFY(saveFileSafely(at("new"), "new", &error));
        QVERIFY(saveFileSafely(at("plain link"), "through", &error));
        QVERIFY(QFileInfo(at("plain link")).isSymLink());
        QFile plain(at("plain"));
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("through"));
    }
};

QTEST_GUILESS_MAIN(TestFileAccess)
#include "tst_fileaccess.moc"
