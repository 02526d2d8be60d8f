#include "dialoganswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace {

const char *const kUdpBindBox = "w4UdpBindBox";

// The main window binds UDP port 23, where the processor answers, and says so
// in a box when it cannot: a normal user may not bind it, and the port is held
// by one program at a time, so another test (or a copy of the program) running
// beside this one may hold it at any moment. That box is closed as it appears
// and no DialogAnswerer counts it, unless a test asks to see it.
bool udpBindBoxesCounted = false;

class UdpBindBoxCloser : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (udpBindBoxesCounted || event->type() != QEvent::Show || !w || !w->isWindow() || !w->isModal())
            return false;
        const QString text = DialogAnswerer::describe(w).text;
        if (text.contains(QLatin1String("udp socket create error"), Qt::CaseInsensitive) ||
            text.contains(QStringLiteral("Ошибка создания UDP-сокета"))) {
            w->setProperty(kUdpBindBox, true);
            QTimer::singleShot(0, w, [w] { w->close(); });
        }
        return false;
    }
};

void closeUdpBindBoxes()
{
    qApp->installEventFilter(new UdpBindBoxCloser(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(closeUdpBindBoxes)

void DialogAnswerer::countUdpBindBoxes(bool counted)
{
    udpBindBoxesCounted = counted;
}

DialogAnswerer::DialogAnswerer(std::initializer_list<Answer> list) : answers(list), timer(new QTimer(this))
{
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, &DialogAnswerer::poll);
    timer->start();
}

DialogAnswerer::~DialogAnswerer()
{
    timer->stop();
    const QString p = problem();
    if (!p.isEmpty())
        QTest::qFail(p.toUtf8().constData(), __FILE__, __LINE__);
}

QString DialogAnswerer::problem() const
{
    if (forgiven)
        return QString();
    if (!unexpected.isEmpty()) {
        const Seen &s = unexpected.first();
        return QStringLiteral("unexpected dialog \"%1\": %2").arg(s.title, s.text);
    }
    if (!done())
        return QStringLiteral("%1 expected dialog(s) never appeared")
            .arg(answers.size() - seenDialogs.size());
    return QString();
}

void DialogAnswerer::forgive()
{
    forgiven = true;
}

bool DialogAnswerer::waitDone(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return done();
}

DialogAnswerer::Seen DialogAnswerer::describe(QWidget *dialog)
{
    Seen s;
    s.className = QString::fromLatin1(dialog->metaObject()->className());
    s.title = dialog->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        s.text = box->text();
        for (QAbstractButton *b : box->buttons())
            s.buttons << b->text();
        return s;
    }
    QStringList texts;
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    s.text = texts.join(QLatin1Char('\n'));
    if (auto *buttonBox = dialog->findChild<QDialogButtonBox *>()) {
        for (QAbstractButton *b : buttonBox->buttons())
            s.buttons << b->text();
    } else {
        for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
            s.buttons << b->text();
    }
    return s;
}

void DialogAnswerer::poll()
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible() || dialog->inherits("WaitingWidget") ||
        dialog->property(kUdpBindBox).toBool())
        return;
    for (const QPointer<QWidget> &h : handled)
        if (h == dialog)
            return; // already answered, still closing
    handled << dialog;

    const Seen s = describe(dialog);
    if (done()) {
        unexpected << s;
        answer(dialog, CloseButton);
        return;
    }
    const Answer how = answers.at(seenDialogs.size());
    seenDialogs << s;
    answer(dialog, how);
}

void DialogAnswerer::answer(QWidget *dialog, Answer how)
{
    auto clickRole = [dialog](QList<QDialogButtonBox::ButtonRole> roles) -> bool {
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            for (QAbstractButton *b : box->buttons())
                if (roles.contains(QDialogButtonBox::ButtonRole(box->buttonRole(b)))) {
                    b->click();
                    return true;
                }
        }
        for (QDialogButtonBox *buttonBox : dialog->findChildren<QDialogButtonBox *>())
            for (QAbstractButton *b : buttonBox->buttons())
                if (roles.contains(buttonBox->buttonRole(b))) {
                    b->click();
                    return true;
                }
        return false;
    };

    switch (how) {
    case Ok:
        if (!clickRole({QDialogButtonBox::AcceptRole, QDialogButtonBox::YesRole})) {
            QTest::qFail("dialog has no OK button", __FILE__, __LINE__);
            dialog->close();
        }
        break;
    case Cancel:
        if (!clickRole({QDialogButtonBox::RejectRole, QDialogButtonBox::NoRole})) {
            QTest::qFail("dialog has no Cancel button", __FILE__, __LINE__);
            dialog->close();
        }
        break;
    case CloseButton:
        dialog->close(); // what the title bar's close button does
        break;
    case Escape:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    }
}
