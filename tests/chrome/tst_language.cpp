// Switching the interface language at run time, with the real main window and
// the real catalogues.
#include "appstate.h"
#include "dialoganswerer.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "sessionstates.h"
#include "tempworkdir.h"
#include "userview.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBox>
#include <QTranslator>
#include <QtTest>

namespace {

void removeTranslators()
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

bool hasHan(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

// Widgets whose texts stay Chinese in every language: the developer buttons
// and the hidden address labels (never shown), the palette button and the
// language choices themselves.
const QStringList chineseEverywhere = {"testButton",    "pushButtonResetK5", "MyMessageButton",
                                       "label_2",       "label_3",           "btn_openColorPalette",
                                       "pushButton_CH", "cbx_language",      "Button_CN"};

// Every text a user can see or hear, keyed by widget and property, for the
// given window and the windows it owns.
QMap<QString, QString> texts(QWidget *root)
{
    QMap<QString, QString> t;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        auto put = [&](const char *what, const QString &value) {
            if (!value.isEmpty())
                t.insert(name + QLatin1Char('.') + QLatin1String(what), value);
        };
        if (w->isWindow())
            put("windowTitle", w->windowTitle());
        put("toolTip", w->toolTip());
        put("accessibleName", w->accessibleName());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            put("text", b->text());
        if (auto *l = qobject_cast<QLabel *>(w))
            put("text", l->text());
        if (auto *g = qobject_cast<QGroupBox *>(w))
            put("title", g->title());
        if (auto *e = qobject_cast<QLineEdit *>(w))
            put("placeholder", e->placeholderText());
        if (auto *c = qobject_cast<QComboBox *>(w); c && !c->isEditable())
            for (int i = 0; i < c->count(); ++i)
                put(qPrintable(QStringLiteral("item%1").arg(i)), c->itemText(i));
        if (auto *box = qobject_cast<QToolBox *>(w))
            for (int i = 0; i < box->count(); ++i)
                put(qPrintable(QStringLiteral("page%1").arg(i)), box->itemText(i));
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                put(qPrintable(QStringLiteral("tab%1").arg(i)), tabs->tabText(i));
        if (auto *table = qobject_cast<QTableWidget *>(w))
            for (int i = 0; i < table->columnCount(); ++i)
                if (QTableWidgetItem *item = table->horizontalHeaderItem(i))
                    put(qPrintable(QStringLiteral("column%1").arg(i)), item->text());
    }
    // Menus are built in code and carry no names: key them by their order.
    const QList<QMenu *> menus = root->findChildren<QMenu *>();
    for (int m = 0; m < menus.size(); ++m) {
        const QString key = QStringLiteral("menu%1.").arg(m);
        t.insert(key + QLatin1String("title"), menus[m]->title());
        const QList<QAction *> actions = menus[m]->actions();
        for (int a = 0; a < actions.size(); ++a)
            if (!actions[a]->isSeparator())
                t.insert(key + QString::number(a), actions[a]->text());
    }
    return t;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

    TempWorkingDir dir;
    QPointer<MainWindow> window;

    void build()
    {
        DialogAnswerer noBox;
        window = new MainWindow;
        // Port 23 may be taken by another program on this machine; the window
        // says so and carries on, which is not what these tests look at.
        if (noBox.problem().contains(QLatin1String("udp socket create error")))
            noBox.forgive();
    }

    template <typename T = QWidget> T *get(const char *name)
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    QMap<QString, QString> allTexts()
    {
        QMap<QString, QString> t = texts(window);
        t.insert(QStringLiteral("status"), window->statusLine());
        const QMap<QString, QString> net = texts(window->networkDialog);
        for (auto it = net.cbegin(); it != net.cend(); ++it)
            t.insert(QLatin1String("net:") + it.key(), it.value());
        return t;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.enter()); // no FontSize.ini: Chinese
    }
    void cleanupTestCase() { dir.leave(); }
    void init() { resetAppState(); }
    void cleanup()
    {
        delete window;
        removeTranslators();
    }

    // Every text goes over to the other language and comes back unchanged.
    void roundTripRestoresEveryText_data()
    {
        QTest::addColumn<int>("other");
        QTest::newRow("English") << 1;
        QTest::newRow("Russian") << 2;
    }

    void roundTripRestoresEveryText()
    {
        QFETCH(int, other);
        build();
        const QMap<QString, QString> chinese = allTexts();
        QVERIFY(chinese.size() > 150);

        window->changeLanguage(other);
        const QMap<QString, QString> translated = allTexts();
        QStringList stillChinese;
        for (auto it = chinese.cbegin(); it != chinese.cend(); ++it) {
            const QString widget = it.key().section(QLatin1Char('.'), 0, 0).section(QLatin1Char(':'), -1);
            if (hasHan(it.value()) && !chineseEverywhere.contains(widget) &&
                hasHan(translated.value(it.key())))
                stillChinese << it.key() + QLatin1String(": ") + translated.value(it.key());
        }
        QVERIFY2(stillChinese.isEmpty(), qPrintable(stillChinese.join(QLatin1Char('\n'))));

        window->changeLanguage(0);
        const QMap<QString, QString> back = allTexts();
        QStringList changed;
        for (auto it = chinese.cbegin(); it != chinese.cend(); ++it)
            if (back.value(it.key()) != it.value())
                changed << it.key() + QLatin1String(": ") + back.value(it.key());
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
        QCOMPARE(back.keys(), chinese.keys());
    }

    // Russian texts are long: with the program's style sheet, every label,
    // button and check box shown on any page is wide enough for its text.
    void textsFit_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("Chinese") << 0;
        QTest::newRow("English") << 1;
        QTest::newRow("Russian") << 2;
    }

    void textsFit()
    {
        QFETCH(int, language);
        QFile style(QStringLiteral(":/res/res/stylesheet/vexrBule.qss"));
        QVERIFY(style.open(QFile::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
        build();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->changeLanguage(language);
        auto *pages = get<QToolBox>("rightTBox");
        QStringList tight;
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QCoreApplication::processEvents();
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (!w->isVisible() || w->objectName().isEmpty())
                    continue;
                int needed = 0;
                if (auto *l = qobject_cast<QLabel *>(w); l && !l->wordWrap() && !l->text().isEmpty())
                    needed = l->minimumSizeHint().width();
                else if (auto *c = qobject_cast<QCheckBox *>(w); c && !c->text().isEmpty())
                    needed = c->minimumSizeHint().width();
                else if (auto *b = qobject_cast<QPushButton *>(w); b && !b->text().isEmpty()) {
                    const QString shown = QString(b->text()).remove(QLatin1Char('&'));
                    for (const QString &line : shown.split(QLatin1Char('\n')))
                        needed = qMax(needed, b->fontMetrics().horizontalAdvance(line) + 2);
                }
                // A wrapping label needs room for its longest word and height
                // for all its lines.
                if (auto *l = qobject_cast<QLabel *>(w); l && l->wordWrap() && !l->text().isEmpty()) {
                    for (const QString &word : l->text().split(QRegularExpression(QStringLiteral("\\s+"))))
                        needed = qMax(needed, l->fontMetrics().horizontalAdvance(word));
                    if (l->heightForWidth(l->width()) > l->height())
                        tight << QStringLiteral("%1: height %2 < %3")
                                     .arg(w->objectName())
                                     .arg(l->height())
                                     .arg(l->heightForWidth(l->width()));
                }
                if (w->width() < needed)
                    tight << QStringLiteral("%1: %2 < %3").arg(w->objectName()).arg(w->width()).arg(needed);
            }
        }
        qApp->setStyleSheet(QString());
        tight.removeDuplicates();
        QVERIFY2(tight.isEmpty(), qPrintable(tight.join(QLatin1Char('\n'))));
    }

    // Switching back and forth does not pile up translators, and the language
    // picked last still wins.
    void switchingDoesNotPileUp()
    {
        build();
        for (int i = 0; i < 30; ++i)
            window->changeLanguage(i % 3);
        const int translators =
            qApp->findChildren<QTranslator *>().size() + window->findChildren<QTranslator *>().size();
        // One catalogue of ours per language, and Qt's own for Chinese and Russian.
        QVERIFY2(translators <= 5, qPrintable(QString::number(translators)));
        window->changeLanguage(1);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("Wall Mode"));
        window->changeLanguage(2);
        window->changeLanguage(0);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("拼接模式"));
    }

    // The language kept in FontSize.ini is the one of every window at start:
    // the form, the status line, the connection window's title. A value that is
    // no language (out of range, not a number) means Chinese throughout.
    void startsInStoredLanguage_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("wallMode");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("connectionTitle");
        const QString wall = QStringLiteral("拼接模式");
        const QString status = QStringLiteral("连接状态: 未连接");
        const QString title = QStringLiteral("网络连接");
        QTest::newRow("no file") << QByteArray() << 0 << wall << status << title;
        QTest::newRow("ID=0") << QByteArray("[General]\nID=0\n") << 0 << wall << status << title;
        QTest::newRow("ID=1") << QByteArray("[General]\nID=1\n") << 1 << "Wall Mode"
                              << "Connection status: Not Connected"
                              << "Network Connection";
        QTest::newRow("id=2") << QByteArray("[General]\nid=2\n") << 2 << "Режим видеостены"
                              << "Статус соединения: Нет связи"
                              << "Сетевое подключение";
        QTest::newRow("ID=3") << QByteArray("[General]\nID=3\n") << 0 << wall << status << title;
        QTest::newRow("ID=7") << QByteArray("[General]\nID=7\n") << 0 << wall << status << title;
        QTest::newRow("ID=-1") << QByteArray("[General]\nID=-1\n") << 0 << wall << status << title;
        QTest::newRow("ID=abc") << QByteArray("[General]\nID=abc\n") << 0 << wall << status << title;
    }

    void startsInStoredLanguage()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, language);
        QFETCH(QString, wallMode);
        QFETCH(QString, status);
        QFETCH(QString, connectionTitle);
        // A directory per case: settings files are cached by path in a process.
        TempWorkingDir here;
        QVERIFY(here.enter());
        if (!ini.isEmpty()) {
            QFile f(here.filePath(QStringLiteral("FontSize.ini")));
            QVERIFY(f.open(QFile::WriteOnly));
            f.write(ini);
        }
        build();
        here.leave();
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), wallMode);
        QCOMPARE(window->statusLine(), status);
        QCOMPARE(window->networkDialog->windowTitle(), connectionTitle);
        QCOMPARE(languageIndex, language);
    }

    // The windows the main window owns follow the switch too.
    void ownedWindowsFollow()
    {
        build();
        auto *log = window->findChild<QDialog *>(QStringLiteral("CommunicationDialog"));
        QVERIFY(log);
        auto *view = get<UserView>("graphicsView");
        QVERIFY(view && window->networkDialog);
        window->changeLanguage(2);
        QCOMPARE(log->windowTitle(), QStringLiteral("коммуникация"));
        // Table text and catalogue text in one entry.
        QCOMPARE(view->inputSourceActions.at(0)->text(),
                 QStringLiteral("Выберите источник ввода1(цифровая клавиша1)"));
        QCOMPARE(window->networkDialog->windowTitle(), QStringLiteral("Сетевое подключение"));
        QCOMPARE(get<QLabel>("labelTitleName")->text(), QStringLiteral("Lumara W4R контроль"));
        window->changeLanguage(1);
        QCOMPARE(log->windowTitle(), QStringLiteral("Communication"));
        QCOMPARE(window->networkDialog->windowTitle(), QStringLiteral("Network Connection"));
        window->changeLanguage(0);
        QCOMPARE(log->windowTitle(), QStringLiteral("通讯"));
        QCOMPARE(window->networkDialog->windowTitle(), QStringLiteral("网络连接"));
        QCOMPARE(get<QLabel>("labelTitleName")->text(), QStringLiteral("Lumara W4R 控制"));
    }

    // With the serial link up the status line keeps telling so in the new
    // language, and the open button keeps offering to close the port.
    void russianWithSerialLinkUp()
    {
        build();
        setLinksForTesting(window->session(), true, false);
        QCOMPARE(connectionStatusRow(), 10);
        window->changeLanguage(2);
        QCOMPARE(get<QPushButton>("openButton")->text(), QStringLiteral("Закрыть порт RS232"));
        QCOMPARE(get<QPushButton>("connect")->text(), QStringLiteral("подключиться к серверу"));
        const QString status = window->statusLine();
        QVERIFY2(status.startsWith(QStringLiteral("Статус соединения: ")), qPrintable(status));
        QVERIFY2(status.endsWith(QStringLiteral("Связь установлена")), qPrintable(status));
        QCOMPARE(waitingDialogWidth, 450);
        QCOMPARE(waitingDialogHeight, 100);

        window->changeLanguage(0);
        QCOMPARE(get<QPushButton>("openButton")->text(), QStringLiteral("关闭串口"));
        QVERIFY2(window->statusLine().endsWith(QStringLiteral("已连接")), qPrintable(window->statusLine()));
        QCOMPARE(waitingDialogWidth, 250);
    }

    // Qt's own texts (standard buttons, file dialogs) follow the switch, both
    // ways, where the distribution's Qt catalogues are installed.
    void qtTextsFollowLanguage()
    {
        for (int language : {0, 2}) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
            const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
            const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
            if (!QFile::exists(folder + QLatin1Char('/') + qtCatalogueName(language) + QLatin1String(".qm")))
                QSKIP(qPrintable(QStringLiteral("Qt's catalogue %1 is not installed in %2")
                                     .arg(qtCatalogueName(language), folder)));
        }
        build();
        auto cancelText = [] {
            QDialogButtonBox box(QDialogButtonBox::Cancel);
            return box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
        };
        window->changeLanguage(2);
        QCOMPARE(cancelText(), QStringLiteral("Отмена"));
        window->changeLanguage(0);
        QCOMPARE(cancelText(), QStringLiteral("取消"));
        window->changeLanguage(1);
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));
        window->changeLanguage(2);
        QCOMPARE(cancelText(), QStringLiteral("Отмена"));
    }

    // Russian texts are the longest: the connection window keeps its width,
    // and so does the presets page, which shows its buttons whole without a
    // horizontal scroll bar. Back in Chinese the window is as wide as before.
    void russianKeepsWidths()
    {
        QFile style(QStringLiteral(":/res/res/stylesheet/vexrBule.qss"));
        QVERIFY(style.open(QFile::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
        build();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        NetworkDialog *connection = window->networkDialog;
        connection->show();
        QVERIFY(QTest::qWaitForWindowExposed(connection));
        QCOMPARE(connection->width(), 1260);
        auto *presets = get<QWidget>("presetsPage");
        auto *pages = get<QToolBox>("rightTBox");
        QVERIFY(presets && pages);
        pages->setCurrentWidget(presets);

        for (int language : {2, 0, 2, 1, 0}) {
            window->changeLanguage(language);
            QCoreApplication::processEvents();
            QCOMPARE(connection->width(), 1260);
            QVERIFY2(connection->minimumSizeHint().width() <= 1260,
                     qPrintable(QString::number(connection->minimumSizeHint().width())));
            QScrollArea *area = nullptr;
            for (QWidget *up = presets->parentWidget(); up && !area; up = up->parentWidget())
                area = qobject_cast<QScrollArea *>(up);
            QVERIFY(area);
            QTRY_VERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(QString::number(language)));
            for (QPushButton *b : presets->findChildren<QPushButton *>()) {
                const int needed = b->fontMetrics().horizontalAdvance(b->text());
                QVERIFY2(b->width() >= needed, qPrintable(b->text()));
                // Whole inside what the page shows.
                const QRect shown = area->viewport()->rect();
                const QRect at(b->mapTo(area->viewport(), QPoint(0, 0)), b->size());
                QVERIFY2(shown.left() <= at.left() && at.right() <= shown.right(), qPrintable(b->text()));
            }
        }
        qApp->setStyleSheet(QString());
    }

    // Boxes that carry their text in code pick it by index: Russian shows the
    // English text.
    void boxChosenByIndexShowsEnglishForRussian()
    {
        build();
        window->changeLanguage(2);
        window->validSerialPorts = QStringList{dir.filePath(QStringLiteral("no-such-port"))};
        DialogAnswerer answer(DialogAnswerer::Ok);
        window->on_openButton_clicked();
        QVERIFY(answer.waitDone());
        QVERIFY2(answer.last().text.startsWith(QStringLiteral("The current serial number cannot be opened!")),
                 qPrintable(answer.last().text));
        QVERIFY(!serialConnected());
    }

    // The hidden selector only re-labels: the status line and the waiting
    // dialog size stay as they were.
    void hiddenSelectorOnlyRelabels()
    {
        build();
        auto *selector = get<QComboBox>("cbx_language");
        const QString status = window->statusLine();
        QVERIFY(QMetaObject::invokeMethod(selector, "activated", Q_ARG(int, 2)));
        QCOMPARE(languageIndex, 2);
        QCOMPARE(selector->currentIndex(), 2);
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("Режим видеостены"));
        QCOMPARE(get<QLabel>("labelTitleName")->text(), QStringLiteral("Lumara W4R контроль"));
        QCOMPARE(window->statusLine(), status);
        QCOMPARE(waitingDialogWidth, 250);

        QVERIFY(QMetaObject::invokeMethod(selector, "activated", Q_ARG(int, 0)));
        QCOMPARE(get<QPushButton>("ptn_saveAll")->text(), QStringLiteral("保存所有配置"));
        QCOMPARE(get<QGroupBox>("groupBox_2")->title(), QStringLiteral("拼接模式"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
