// Prints where the widgets the end-to-end test clicks lie in their windows, so
// the test drives the real program with window-relative coordinates instead of
// numbers copied from a screenshot. It builds the same main window the program
// builds (same language, font and stylesheet) on the same X display, but never
// maps it.
//
// Output lines:  <scope> <name> <x> <y> <w> <h>, and "value <name> <text>"
//   scope "main" or "net" (the connection window); rectangles relative to the
//   window; "main tab<p>.<k>" is the tool box's tab k while page p is open.
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "userview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolBox>
#include <QTranslator>

#include <cstdio>

namespace {

void print(const char *scope, const QString &name, const QRect &r)
{
    std::printf("%s %s %d %d %d %d\n", scope, qPrintable(name), r.x(), r.y(), r.width(), r.height());
}

void printWidget(const char *scope, QWidget *top, const QString &name)
{
    auto *w = top->findChild<QWidget *>(name);
    if (w && w->isVisibleTo(top))
        print(scope, name, QRect(w->mapTo(top, QPoint(0, 0)), w->size()));
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Microsoft YaHi"), 9));

    static const char *const catalogues[] = {":/res/lanague_cn.qm", ":/res/lanague_en.qm",
                                             ":/res/lanague_ru.qm"};
    const int language = readStoredLanguage();
    auto *translator = new QTranslator(&app);
    if (language >= 0 && language < 3 && translator->load(QString::fromLatin1(catalogues[language])))
        QApplication::installTranslator(translator);

    // A message box raised while the window is built (the UDP port taken, say)
    // would wait for a user: close it, the layout is the same.
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    boxCloser.start(50);

    auto *window = new MainWindow;
    QFile styleFile(QStringLiteral(":/res/res/stylesheet/vexrBule.qss"));
    if (styleFile.open(QFile::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(styleFile.readAll()));
    window->setAttribute(Qt::WA_DontShowOnScreen);
    window->showNormal();
    settle();
    print("main", QStringLiteral("window"), QRect(QPoint(0, 0), window->size()));
    // The send intervals the links start with (milliseconds).
    for (const char *name : {"lineEdit_speed", "lineEdit_speed_2"})
        if (auto *edit = window->findChild<QLineEdit *>(QString::fromLatin1(name)))
            std::printf("value %s %s\n", name, qPrintable(edit->text()));

    for (const char *name : {"NetConnectBtn", "connect", "openButton", "serialPortComboBox", "cbx_language",
                             "graphicsView", "rightTBox", "widgetTitle", "currentChannelCBox"})
        printWidget("main", window, QString::fromLatin1(name));

    // Everything inside the title bar that has a name: its buttons differ by build.
    if (auto *title = window->findChild<QWidget *>(QStringLiteral("widgetTitle")))
        for (QWidget *w : title->findChildren<QWidget *>())
            if (!w->objectName().isEmpty() && w->isVisibleTo(window))
                printWidget("main", window, w->objectName());

    for (int i = 0; i < window->inputSourceButtons.size(); ++i) {
        QWidget *b = window->inputSourceButtons.at(i);
        print("main", QStringLiteral("source%1").arg(i + 1),
              QRect(b->mapTo(window, QPoint(0, 0)), b->size()));
    }

    auto *view = window->findChild<UserView *>(QStringLiteral("graphicsView"));
    for (int i = 0; view && i < 4; ++i) {
        InputChannel *item = view->window(i);
        if (!item || !item->isVisible())
            continue;
        const QRect r = view->mapFromScene(item->sceneBoundingRect()).boundingRect();
        print("main", QStringLiteral("wall%1").arg(i + 1),
              QRect(view->viewport()->mapTo(window, r.topLeft()), r.size()));
    }

    // Each page of the tool box: its tab buttons, then the controls it holds.
    auto *box = window->findChild<QToolBox *>(QStringLiteral("rightTBox"));
    const int startPage = box ? box->currentIndex() : -1;
    for (int p = 0; box && p < box->count(); ++p) {
        box->setCurrentIndex(p);
        settle();
        int k = 0;
        for (QAbstractButton *tab :
             box->findChildren<QAbstractButton *>(QStringLiteral("qt_toolbox_toolboxbutton")))
            print("main", QStringLiteral("tab%1.%2").arg(p).arg(k++),
                  QRect(tab->mapTo(window, QPoint(0, 0)), tab->size()));
        for (QWidget *w : box->widget(p)->findChildren<QWidget *>())
            if (w->objectName().startsWith(QLatin1String("hSdr_")) ||
                w->objectName().startsWith(QLatin1String("ptn_")))
                printWidget("main", window, w->objectName());
    }
    if (box)
        box->setCurrentIndex(startPage);
    std::printf("main startpage %d 0 0 0\n", startPage);

    NetworkDialog *dialog = window->networkDialog;
    dialog->setAttribute(Qt::WA_DontShowOnScreen);
    dialog->show();
    settle();
    print("net", QStringLiteral("window"), QRect(QPoint(0, 0), dialog->size()));
    for (const char *name :
         {"cbx_ipAddress", "ptn_refresh", "ptn_findDevice", "ptn_connectDevice", "ptn_disconnectDevice",
          "openButton", "serialPortComboBox", "Button_EN", "Button_CN", "Button_RU"})
        printWidget("net", dialog, QString::fromLatin1(name));
    if (auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("tableWidget"))) {
        const QRect cell = table->visualRect(table->model()->index(0, 1));
        print("net", QStringLiteral("row0"),
              QRect(table->viewport()->mapTo(dialog, cell.topLeft()), cell.size()));
    }
    std::fflush(stdout);

    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
