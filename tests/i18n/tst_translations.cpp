// Translation completeness: every text the program passes through tr() (and
// every translatable text of its forms) has an English and a Russian
// translation, and the Chinese catalogue maps it back to itself.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <tuple>

namespace {

// A text as the catalogues know it: context, source and disambiguation.
struct Key
{
    QString context;
    QString source;
    QString comment;
    bool operator==(const Key &o) const
    {
        return context == o.context && source == o.source && comment == o.comment;
    }
};
uint qHash(const Key &k, uint seed = 0)
{
    return ::qHash(k.context, seed) ^ ::qHash(k.source, seed + 1) ^ ::qHash(k.comment, seed + 2);
}

// Texts left untranslated on purpose, each with its reason.
struct Untranslated
{
    const char *context;
    const char *source;
    const char *reason;
};
const Untranslated untranslated[] = {
    {"MainObject", "control", "window title, seen only in the task bar; the same in every language"},
    {"MainWindow", "测试速率", "developer button, never shown"},
    {"MainWindow", "MCUK5 复位", "developer button, never shown"},
    {"MainWindow", "测试MyMessagebox", "developer button, never shown"},
    {"MainWindow", "调\n色\n板", "palette button: three stacked characters in every language"},
};

bool isUntranslated(const Key &k)
{
    for (const Untranslated &u : untranslated)
        if (k.context == QLatin1String(u.context) && k.source == QString::fromUtf8(u.source))
            return true;
    return false;
}

// Chinese texts shown in another Chinese form: (context, source, comment, form).
const char *const otherChineseForm[][4] = {
    {"MainWindow", "更改完成，请手动重启VEXOR-W4PRO！", "", "更改完成，请手动重启设备"},
};

bool hasOtherChineseForm(const Key &k, const QString &form)
{
    for (const auto &o : otherChineseForm)
        if (k.context == QLatin1String(o[0]) && k.source == QString::fromUtf8(o[1]) &&
            k.comment == QString::fromUtf8(o[2]) && form == QString::fromUtf8(o[3]))
            return true;
    return false;
}

QString show(const Key &k)
{
    QString s = k.source;
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return k.context + QLatin1String(": \"") + s + QLatin1Char('"') +
           (k.comment.isEmpty() ? QString() : QLatin1String(" (") + k.comment + QLatin1Char(')'));
}

bool hasHan(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

// Messages of one .ts file: source -> translation (empty when none is given).
// Obsolete and vanished entries are not compiled and do not count.
struct TsFile
{
    QHash<Key, QString> messages;
    QStringList duplicates;
    QString error;
};

TsFile readTs(const QString &path)
{
    TsFile ts;
    QFile f(path);
    if (!f.open(QFile::ReadOnly)) {
        ts.error = path + QLatin1String(": ") + f.errorString();
        return ts;
    }
    QXmlStreamReader xml(&f);
    QString context, source, comment, translation, type;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                inMessage = true;
                source.clear();
                comment.clear();
                translation.clear();
                type.clear();
            } else if (name == QLatin1String("source") && inMessage) {
                source = xml.readElementText();
            } else if (name == QLatin1String("comment") && inMessage) {
                comment = xml.readElementText();
            } else if (name == QLatin1String("translation") && inMessage) {
                type = xml.attributes().value(QLatin1String("type")).toString();
                translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            inMessage = false;
            if (type == QLatin1String("obsolete") || type == QLatin1String("vanished"))
                continue;
            const Key key{context, source, comment};
            if (ts.messages.contains(key))
                ts.duplicates << show(key);
            ts.messages.insert(key, translation);
        }
    }
    if (xml.hasError())
        ts.error = path + QLatin1String(": ") + xml.errorString();
    return ts;
}

QString report(const QString &what, const QStringList &items)
{
    return what + QLatin1String(" (") + QString::number(items.size()) + QLatin1String("):\n  ") +
           items.join(QLatin1String("\n  "));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    QList<Key> used;                               // in the order lupdate found them
    QHash<QString, QHash<Key, QString>> catalogue; // language -> merged catalogue
    QStringList conflicts;

private slots:
    void initTestCase()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString extracted = dir.filePath(QStringLiteral("used.ts"));
        QProcess lupdate;
        lupdate.start(QStringLiteral(W4_LUPDATE),
                      {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-silent"), QStringLiteral(W4_APP_SOURCES),
                       QStringLiteral(W4_CTL_SOURCES), QStringLiteral("-ts"), extracted});
        QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                 lupdate.readAllStandardError().constData());

        const TsFile sources = readTs(extracted);
        QVERIFY2(sources.error.isEmpty(), qPrintable(sources.error));
        used = sources.messages.keys();
        std::sort(used.begin(), used.end(), [](const Key &a, const Key &b) {
            return std::tie(a.context, a.source, a.comment) < std::tie(b.context, b.source, b.comment);
        });
        QVERIFY2(used.size() > 50, "lupdate found hardly any texts: is the source folder right?");

        for (const QString &lang : {QStringLiteral("cn"), QStringLiteral("en"), QStringLiteral("ru")}) {
            const QStringList files = QDir(QStringLiteral(W4_I18N_DIR))
                                          .entryList({QLatin1String("*_") + lang + QLatin1String(".ts")});
            QVERIFY2(!files.isEmpty(), qPrintable(lang));
            QHash<Key, QString> &merged = catalogue[lang];
            for (const QString &file : files) {
                const TsFile ts = readTs(QDir(QStringLiteral(W4_I18N_DIR)).filePath(file));
                QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
                for (const QString &d : ts.duplicates)
                    conflicts << file + QLatin1String(" twice: ") + d;
                for (auto it = ts.messages.cbegin(); it != ts.messages.cend(); ++it) {
                    const auto before = merged.constFind(it.key());
                    if (before != merged.cend() && *before != it.value())
                        conflicts << file + QLatin1String(" differs from another ") + lang +
                                         QLatin1String(" file: ") + show(it.key());
                    if (before == merged.cend() || before->isEmpty())
                        merged.insert(it.key(), it.value());
                }
            }
        }
    }

    void englishAndRussianComplete_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::newRow("English") << "en";
        QTest::newRow("Russian") << "ru";
    }

    void englishAndRussianComplete()
    {
        QFETCH(QString, lang);
        QStringList missing;
        for (const Key &k : qAsConst(used))
            if (!isUntranslated(k) && catalogue[lang].value(k).isEmpty())
                missing << show(k);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(report(QLatin1String("texts without a translation"), missing)));
    }

    // Switching back to Chinese installs the Chinese catalogue on top of the
    // others, so it must answer every text, with the text itself where that is
    // Chinese already.
    void chineseMapsToItself()
    {
        QStringList missing, changed;
        const QHash<Key, QString> &cn = catalogue[QStringLiteral("cn")];
        for (const Key &k : qAsConst(used)) {
            const QString t = cn.value(k);
            if (t.isEmpty() && !isUntranslated(k))
                missing << show(k);
            else if (!t.isEmpty() && hasHan(k.source) && t != k.source && !hasOtherChineseForm(k, t))
                changed << show(k) + QLatin1String(" -> ") + t;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(report(QLatin1String("texts missing in Chinese"), missing)));
        QVERIFY2(changed.isEmpty(),
                 qPrintable(report(QLatin1String("Chinese texts not mapped to themselves"), changed)));
    }

    // One text, one translation per language, wherever it is kept.
    void noConflictingEntries()
    {
        QVERIFY2(conflicts.isEmpty(), qPrintable(conflicts.join(QLatin1Char('\n'))));
    }

    // The lists of deliberate exceptions should name only texts in use. An entry
    // may name a text of a part not merged yet, so a stale one is reported, not
    // failed.
    void exceptionListsAreCurrent()
    {
        QStringList stale;
        for (const Untranslated &u : untranslated) {
            const Key k{QLatin1String(u.context), QString::fromUtf8(u.source), QString()};
            if (!used.contains(k))
                stale << show(k);
        }
        for (const auto &o : otherChineseForm) {
            const Key k{QLatin1String(o[0]), QString::fromUtf8(o[1]), QString::fromUtf8(o[2])};
            if (!used.contains(k))
                stale << show(k);
        }
        if (!stale.isEmpty())
            qWarning("%s", qPrintable(report(QLatin1String("exceptions naming texts not in use"), stale)));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
