#include "statustexts.h"

#include <QtTest>

using namespace w4;

class TestStatusTexts : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("line");
        QTest::newRow("not connected, zh") << 1 << 0 << "连接状态: 未连接";
        QTest::newRow("connected, en") << 2 << 1 << "Connection status: Connected";
        QTest::newRow("offline, zh") << 9 << 0 << "连接状态: 脱机状态";
        QTest::newRow("serial connected, en") << 10 << 1 << "Connection status: /dev/pts/3 pty Connected";
        QTest::newRow("serial not connected, ru") << 11 << 2 << "Статус соединения: /dev/pts/3 pty Нет связи";
        QTest::newRow("serial connecting, zh") << 12 << 0 << "连接状态: /dev/pts/3 pty 正在连接...";
        QTest::newRow("unknown row") << 13 << 0 << QString();
    }
    void lines()
    {
        QFETCH(int, row);
        QFETCH(int, language);
        QFETCH(QString, line);
        QCOMPARE(statusLine(row, language, "/dev/pts/3 pty").value_or(QString()), line);
    }
};

QTEST_APPLESS_MAIN(TestStatusTexts)
#include "tst_statustexts.moc"
