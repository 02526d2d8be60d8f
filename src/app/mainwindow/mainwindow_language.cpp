// Switching the interface language at run time.
#include "applogging.h"
#include "appstate.h"
#include "communicationdialog.h"
#include "languagesettings.h"
#include "maintitlebar.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "presetspage.h"
#include "ui_mainwindow.h"
#include "userview.h"

#include <QApplication>
#include <QTranslator>

namespace {
const char *const catalogues[] = {":/res/lanague_cn.qm", ":/res/lanague_en.qm", ":/res/lanague_ru.qm"};
}

// One translator per language, loaded once. A switch puts the chosen one on top
// of the application's list: the newest is consulted first and the others
// answer what it lacks, which is why the Chinese catalogue maps every text to
// itself. An unknown index puts an empty translator on top.
void MainWindow::installTranslation(int index)
{
    const int slot = (index >= 0 && index <= 2) ? index : 3;
    QTranslator *&translator = languageTranslators[slot];
    if (!translator) {
        translator = new QTranslator(this);
        if (slot < 3 && !translator->load(QString::fromLatin1(catalogues[slot])))
            qCWarning(lcLanguage) << "cannot load" << catalogues[slot];
    }
    QApplication::removeTranslator(translator);
    QApplication::installTranslator(translator);
    installQtTranslation(index);
}

// Qt's own texts (file dialogs, standard buttons) follow the language too, from
// the catalogues of the Qt installed; only the chosen language's is in force,
// so English shows Qt's texts as written.
void MainWindow::installQtTranslation(int index)
{
    for (QTranslator *t : qtTranslators)
        if (t)
            QApplication::removeTranslator(t);
    if (index < 0 || index > 2 || qtCatalogueName(index).isEmpty())
        return;
    QTranslator *&translator = qtTranslators[index];
    if (!translator) {
        translator = new QTranslator(this);
        if (!loadQtCatalogue(translator, index))
            qDebug() << "Qt's own texts stay English: no" << qtCatalogueName(index);
    }
    if (!translator->isEmpty())
        QApplication::installTranslator(translator);
}

void MainWindow::WidgetControl()
{
    ui->retranslateUi(this);
    updateAccessibleNames();
}

// The wall view's menus take their texts from the in-code table, by language.
void MainWindow::retranslateWallView()
{
    ui->graphicsView->retranslateMenus();
}

// The connection settings window re-labels its help window and re-sizes its
// language row itself.
void MainWindow::retranslateNetworkDialog()
{
    if (networkDialog)
        networkDialog->retranslate();
}

// Every window re-applies its own texts; the form comes first (WidgetControl).
void MainWindow::retranslateOwnedWindows()
{
    retranslateWallView();
    ui->widgetTitle->bar();
    retranslateNetworkDialog();
    if (communicationDialog)
        communicationDialog->retranslate();
    if (auto *presets = findChild<PresetsPage *>())
        presets->retranslate();
}

void MainWindow::changeLanguage(int index)
{
    ui->cbx_language->setCurrentIndex(index);
    languageIndex = index;

    installTranslation(index);
    if (index == 0)
        ui->ptn_saveAll->setText(QStringLiteral("保存所有配置"));

    WidgetControl();
    retranslateOwnedWindows();

    showConnectionStatus();
    showConnectButtonText();
    showSerialOpenButtonsText();

    // The form's texts reset the buttons that show a live connection. The
    // connect button keeps offering what a click does (showConnectButtonText
    // above: "断开连接" while connected), never the state itself, which the
    // status line tells.
    switch (index) {
    case 1:
        if (serialConnected())
            ui->openButton->setText(QStringLiteral("close the Serial Port"));
        break;
    case 2:
        if (serialConnected())
            ui->openButton->setText(QStringLiteral("Закрыть порт RS232"));
        break;
    case 0:
        if (networkConnected())
            ui->ptn_saveAll->setText(QStringLiteral("保存所有配置"));
        if (serialConnected())
            ui->openButton->setText(QStringLiteral("关闭串口"));
        break;
    default:
        return;
    }

    waitingDialogWidth = index == 2 ? 450 : 250;
    waitingDialogHeight = 100;
}

// The hidden selector of the form re-labels only.
void MainWindow::onLanguageSelectorActivated(int index)
{
    ui->cbx_language->setCurrentIndex(index);
    languageIndex = index;
    installTranslation(index);
    if (index == 0)
        ui->ptn_saveAll->setText(QStringLiteral("保存所有配置"));
    WidgetControl();
    retranslateOwnedWindows();
    if (index == 0)
        ui->ptn_saveAll->setText(QStringLiteral("保存所有配置"));
}
