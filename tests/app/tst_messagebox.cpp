#include "appstate.h"
#include "dialoganswerer.h"
#include "mymessagebox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <functional>

using Box = std::function<bool(const QString &, const QString &)>;
Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(DialogAnswerer::Answer)

namespace {
Box questionBox = [](const QString &t, const QString &x) { return MyMessageBox::question(nullptr, t, x); };
Box errorBox = [](const QString &t, const QString &x) { return MyMessageBox::error(nullptr, t, x); };
Box informationBox = [](const QString &t, const QString &x) {
    return MyMessageBox::information(nullptr, t, x);
};
Box warningBox = [](const QString &t, const QString &x) { return MyMessageBox::warning(nullptr, t, x); };

// Runs a box and, while it is open, hands the dialog to inspect().
bool runInspecting(const Box &box, const std::function<void(QDialog *)> &inspect)
{
    QTimer::singleShot(0, [inspect] {
        QTRY_VERIFY(qobject_cast<QDialog *>(QApplication::activeModalWidget()));
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        inspect(dialog);
        dialog->accept();
    });
    return box(QStringLiteral("标题"), QStringLiteral("内容"));
}
} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }

    void results_data()
    {
        QTest::addColumn<Box>("box");
        QTest::addColumn<DialogAnswerer::Answer>("answer");
        QTest::addColumn<bool>("result");

        const QList<QPair<const char *, Box>> kinds = {{"question", questionBox},
                                                       {"error", errorBox},
                                                       {"information", informationBox},
                                                       {"warning", warningBox}};
        for (const auto &k : kinds) {
            QTest::addRow("%s ok", k.first) << k.second << DialogAnswerer::Ok << true;
            QTest::addRow("%s escape", k.first) << k.second << DialogAnswerer::Escape << false;
            QTest::addRow("%s close button", k.first) << k.second << DialogAnswerer::CloseButton << false;
        }
        QTest::addRow("question cancel") << questionBox << DialogAnswerer::Cancel << false;
    }

    void results()
    {
        QFETCH(Box, box);
        QFETCH(DialogAnswerer::Answer, answer);
        QFETCH(bool, result);
        DialogAnswerer answerer(answer);
        QCOMPARE(box(QStringLiteral("警告"), QStringLiteral("确定要重置吗？")), result);
        QCOMPARE(answerer.last().title, QStringLiteral("警告"));
        QVERIFY(answerer.last().text.contains(QStringLiteral("确定要重置吗？")));
    }

    void buttonTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("questionButtons");
        QTest::addColumn<QStringList>("infoButtons");
        QTest::newRow("chinese") << 0 << QStringList{"确认", "取消"} << QStringList{"确认"};
        QTest::newRow("english") << 1 << QStringList{"OK", "Cancel"} << QStringList{"OK"};
        QTest::newRow("russian") << 2 << QStringList{"Да", "отменить"} << QStringList{"Да"};
    }

    void buttonTexts()
    {
        QFETCH(int, language);
        QFETCH(QStringList, questionButtons);
        QFETCH(QStringList, infoButtons);
        languageIndex = language;
        DialogAnswerer answerer({DialogAnswerer::Cancel, DialogAnswerer::Ok});
        MyMessageBox::question(nullptr, "q", "q");
        MyMessageBox::information(nullptr, "i", "i");
        QCOMPARE(answerer.seen().at(0).buttons, questionButtons);
        QCOMPARE(answerer.seen().at(1).buttons, infoButtons);
    }

    // Icon at (20, 5) scaled to 50 x 50, text 20 px to its right, the box as wide
    // as the text plus 50 and 100 high; buttons 80 x 30.
    void geometry()
    {
        const QString longText = QString(QStringLiteral("很长的消息文本")).repeated(12);
        int labelRight = 0;
        QSize boxSize;
        runInspecting(
            [&](const QString &t, const QString &) { return MyMessageBox::warning(nullptr, t, longText); },
            [&](QDialog *dialog) {
                QLabel *icon = nullptr, *text = nullptr;
                for (QLabel *l : dialog->findChildren<QLabel *>())
                    (!l->pixmap(Qt::ReturnByValue).isNull() ? icon : text) = l;
                QVERIFY(icon && text);
                QCOMPARE(icon->geometry(), QRect(20, 5, 50, 50));
                QCOMPARE(text->pos(), QPoint(90, 25));
                QCOMPARE(text->text(), longText);
                QVERIFY(!text->wordWrap());
                labelRight = text->x() + text->width();
                boxSize = dialog->size();
                for (QPushButton *b : dialog->findChildren<QPushButton *>())
                    QCOMPARE(b->size(), QSize(80, 30));
                QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
            });
        QVERIFY(labelRight > 600);
        QCOMPARE(boxSize, QSize(labelRight + 50, 100));
    }

    // Lines enough to pass the usual 100 px make the box taller, so the text ends
    // above the buttons; more than the screen holds scroll above them.
    void longTextsEndAboveTheButtons_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("four") << 4 << false;
        QTest::newRow("twelve") << 12 << false;
        QTest::newRow("three hundred") << 300 << true;
    }
    void longTextsEndAboveTheButtons()
    {
        QFETCH(int, lines);
        QFETCH(bool, scrolls);
        QStringList text;
        for (int i = 0; i < lines; ++i)
            text << QStringLiteral("窗口 %1 luminance：应为 10，读到 20").arg(i + 1);
        runInspecting(
            [&](const QString &t, const QString &) {
                return MyMessageBox::warning(nullptr, t, text.join(QLatin1Char('\n')));
            },
            [&](QDialog *dialog) {
                QLabel *label = nullptr;
                for (QLabel *l : dialog->findChildren<QLabel *>())
                    if (l->pixmap(Qt::ReturnByValue).isNull())
                        label = l;
                QVERIFY(label);
                auto *scroll = dialog->findChild<QScrollArea *>();
                QCOMPARE(scroll != nullptr, scrolls);
                // What the dialog shows of the text.
                const QRect shown = scroll ? scroll->geometry()
                                           : QRect(label->mapTo(dialog, QPoint(0, 0)), label->size());
                if (scroll)
                    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
                for (QPushButton *b : dialog->findChildren<QPushButton *>())
                    QVERIFY2(b->mapTo(dialog, QPoint(0, 0)).y() >= shown.bottom(),
                             qPrintable(QStringLiteral("button at %1, text to %2")
                                            .arg(b->mapTo(dialog, QPoint(0, 0)).y())
                                            .arg(shown.bottom())));
                QVERIFY(dialog->height() <= QGuiApplication::primaryScreen()->availableGeometry().height());
                QVERIFY(shown.right() <= dialog->width());
            });
    }

    void onlyQuestionIsFixedSize_data()
    {
        QTest::addColumn<Box>("box");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("question") << questionBox << true;
        QTest::newRow("error") << errorBox << false;
        QTest::newRow("information") << informationBox << false;
        QTest::newRow("warning") << warningBox << false;
    }

    void onlyQuestionIsFixedSize()
    {
        QFETCH(Box, box);
        QFETCH(bool, fixed);
        bool wasFixed = false;
        runInspecting(box, [&](QDialog *d) { wasFixed = d->minimumSize() == d->maximumSize(); });
        QCOMPARE(wasFixed, fixed);
    }

    // The answerer itself: it records a sequence and reports when a dialog is
    // missing or when one nobody expected appears.
    void answererRecordsSequence()
    {
        DialogAnswerer answerer({DialogAnswerer::Ok, DialogAnswerer::Cancel});
        QVERIFY(MyMessageBox::warning(nullptr, "a", "first"));
        QVERIFY(!MyMessageBox::question(nullptr, "b", "second"));
        QCOMPARE(answerer.seen().size(), 2);
        QCOMPARE(answerer.seen().at(0).title, QStringLiteral("a"));
        QCOMPARE(answerer.seen().at(1).text, QStringLiteral("second"));
        QVERIFY(answerer.done());
    }

    void answererClosesUnexpectedDialog()
    {
        DialogAnswerer answerer;
        QVERIFY(!MyMessageBox::error(nullptr, "x", "nobody expected this"));
        QCOMPARE(answerer.unexpectedCount(), 1);
        QVERIFY(answerer.problem().contains("nobody expected this"));
        answerer.forgive();
    }

    void answererReportsMissingDialog()
    {
        DialogAnswerer answerer(DialogAnswerer::Ok);
        QVERIFY(!answerer.waitDone(50));
        QVERIFY(answerer.problem().contains("never appeared"));
        answerer.forgive();
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
