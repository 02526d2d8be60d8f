#include "mymessagebox.h"

#include "appstate.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const char *const okTexts[] = {"确认", "OK", "Да"};
const char *const cancelTexts[] = {"取消", "Cancel", "отменить"};

// Button texts follow the program's language, not the platform locale; an
// unknown index falls back to Chinese, the language of the source texts.
int textColumn()
{
    return (languageIndex >= 0 && languageIndex <= 2) ? languageIndex : 0;
}

} // namespace

bool MyMessageBox::question(QWidget *, const QString &title, const QString &text)
{
    return run(Kind::Question, title, text);
}

bool MyMessageBox::error(QWidget *, const QString &title, const QString &text)
{
    return run(Kind::Error, title, text);
}

bool MyMessageBox::information(QWidget *, const QString &title, const QString &text)
{
    return run(Kind::Information, title, text);
}

bool MyMessageBox::warning(QWidget *, const QString &title, const QString &text)
{
    return run(Kind::Warning, title, text);
}

bool MyMessageBox::run(Kind kind, const QString &title, const QString &text)
{
    const bool isQuestion = kind == Kind::Question;
    QString iconPath;
    switch (kind) {
    case Kind::Question:
        iconPath = QStringLiteral(":/res/res/questionIcon.png");
        break;
    case Kind::Error:
        iconPath = QStringLiteral(":/res/res/errorIcon.png");
        break;
    case Kind::Information:
        iconPath = QStringLiteral(":/res/res/informationIcon.png");
        break;
    case Kind::Warning:
        iconPath = QStringLiteral(":/res/res/warningIcon.png");
        break;
    }

    // Everything lives on the stack of this call; the box never has a parent,
    // so it is centred on the screen by the window system.
    QDialog dialog;
    QLabel *textLabel = new QLabel(&dialog);
    QLabel *iconLabel = new QLabel(&dialog);
    auto *buttons = new QDialogButtonBox(isQuestion ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                    : QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok),
                                         &dialog);
    auto *vLayout = new QVBoxLayout;
    auto *hLayout = new QHBoxLayout;

    dialog.setStyleSheet(
        QStringLiteral("QDialog {background-color: white;font-family: 'Microsoft YaHei';font-size: 9pt;}"));
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog.setWindowTitle(title);

    QPixmap icon(iconPath);
    if (!icon.isNull())
        icon = icon.scaled(50, 50, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    iconLabel->setPixmap(icon);
    iconLabel->resize(icon.size());
    iconLabel->move(20, 5);

    textLabel->setText(text);
    textLabel->move(iconLabel->x() + iconLabel->width() + 20, 50 - iconLabel->height() / 2);
    textLabel->setStyleSheet(QStringLiteral("QLabel {font-family: 'Microsoft YaHei';font-size: 9pt;}"));

    const QString buttonStyle = QStringLiteral("font-family: 'Microsoft YaHei'; font-size: 9pt;");
    const int column = textColumn();
    if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok)) {
        ok->setFixedSize(80, 30);
        ok->setStyleSheet(buttonStyle);
        ok->setText(QString::fromUtf8(okTexts[column]));
    }
    if (QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel)) {
        cancel->setFixedSize(80, 30);
        cancel->setStyleSheet(buttonStyle);
        cancel->setText(QString::fromUtf8(cancelTexts[column]));
    }

    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    if (isQuestion)
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    textLabel->adjustSize();

    hLayout->addStretch();
    hLayout->addWidget(buttons);
    vLayout->addStretch();
    vLayout->addLayout(hLayout);
    dialog.setLayout(vLayout);

    // A text of a few lines fits the usual 100 px; a longer one makes the box
    // taller so it ends above the buttons, and one taller than the screen
    // allows scrolls in the space above them.
    const QMargins margins = vLayout->contentsMargins();
    const int buttonRow = buttons->sizeHint().height() + margins.bottom();
    const int textTop = textLabel->y();
    int height = qMax(100, textTop + textLabel->height() + vLayout->spacing() + buttonRow);
    int width = textLabel->x() + textLabel->width() + 50;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int tallest = screen ? screen->availableGeometry().height() * 3 / 4 : 600;
    if (height > qMax(100, tallest)) {
        height = qMax(100, tallest);
        auto *scroll = new QScrollArea(&dialog);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setAccessibleName(title); // scrolls by keys too
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget {background: white;}"));
        const QRect text = textLabel->geometry();
        scroll->setWidget(textLabel); // keeps its size, from the top left of the area
        const int barWidth = scroll->verticalScrollBar()->sizeHint().width();
        scroll->setGeometry(text.x(), text.y(), text.width() + barWidth,
                            height - text.y() - vLayout->spacing() - buttonRow);
        width += barWidth;
    }
    dialog.resize(width, height);

    if (isQuestion)
        dialog.setFixedSize(dialog.width(), dialog.height());

    return dialog.exec() != 0;
}
