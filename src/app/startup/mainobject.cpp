#include "applogging.h"
#include "mainobject.h"

#include "appidentity.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "splashscreen.h"

#include <QApplication>
#include <QTranslator>

namespace {

// The catalogues are built into the program: one that does not load is a fault
// of the build, and the texts stay Chinese.
void loadCatalogue(QTranslator *translator, const QString &path)
{
    if (!translator->load(path))
        qCWarning(lcStartup) << "cannot load" << path;
}

} // namespace

MainObject::MainObject(QObject *parent) : QObject(parent) {}

MainObject::~MainObject()
{
    if (mainWindow)
        mainWindow->deleteLater();
}

void MainObject::init()
{
    AppIdentity::apply();
    const int language = readStoredLanguage();
    qCDebug(lcStartup) << "nubEN = " << language;
    qCDebug(lcStartup) << "执行中英文切换";

    // The translator lives as long as the application. The stored index is
    // always a language (anything else reads as Chinese), so the splash speaks
    // the language the main window will.
    auto *translator = new QTranslator(qApp);
    switch (language) {
    case 0:
        qCDebug(lcStartup) << "中文界面： " << language;
        loadCatalogue(translator, QStringLiteral(":/res/lanague_cn.qm"));
        break;
    case 1:
        qCDebug(lcStartup) << "英文界面： " << language;
        loadCatalogue(translator, QStringLiteral(":/res/lanague_en.qm"));
        break;
    case 2:
        qCDebug(lcStartup) << "俄文界面： " << language;
        loadCatalogue(translator, QStringLiteral(":/res/lanague_ru.qm"));
        break;
    default:
        break;
    }
    QApplication::installTranslator(translator);

    SplashScreen *splash = SplashScreen::instance();
    splash->showProgress(0, tr("初始化应用程序 ..."));

    mainWindow = new MainWindow;
    mainWindow->setWindowTitle(tr("control"));
    splash->attachMainWindow(mainWindow, tr("control"), QStringLiteral(":/res/res/splash.png"));

    splash->showProgress(20, tr("初始化主界面 ..."));
    splash->showProgress(70, tr("加载界面 ..."));
    splash->showProgress(100, tr("加载完毕！"));
    splash->closeAndReveal();
    mainWindow->showNormal();
}
