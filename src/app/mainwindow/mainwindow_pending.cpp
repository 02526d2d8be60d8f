// Hooks and slots of the main window whose behaviour belongs to the parts of the
// program built around the frame. Each section is replaced, as a whole, by the
// file of the part that implements it; until then they do nothing, so the frame
// builds, starts and can be tested on its own.
#include "mainwindow.h"

// ---- Reading the processor's state back ----

void MainWindow::buildInputResolutionTable() {}
void MainWindow::read(const QByteArray &) {}
void MainWindow::startTcpReadSequence() {}
void MainWindow::connectNetworkDevice(bool) {}
bool MainWindow::handleStatusDatagram(const QByteArray &)
{
    return true;
}
void MainWindow::setupReadBack() {}
void MainWindow::on_ptn_refresh_clicked() {}

// ---- Control pages ----

void MainWindow::buildSpliceCommandMap() {}
void MainWindow::wireControlPages() {}
void MainWindow::onSelectSceneClicked() {}
void MainWindow::changeUIBaseSelectChannel(int) {}
void MainWindow::changeSliceInfo(int, int, int, int, int) {}
void MainWindow::on_rowCbx_currentIndexChanged(int) {}
void MainWindow::on_columnCbx_currentIndexChanged(int) {}
void MainWindow::on_btn_openColorPalette_clicked() {}
void MainWindow::on_ptn_singleScreenModel_clicked() {}
void MainWindow::on_ptn_openWindowModel_clicked() {}
void MainWindow::on_ptn_overlayModel_clicked() {}
void MainWindow::on_ptn_fourDivisionModel_clicked() {}
void MainWindow::on_ptn_levelMode_clicked() {}
void MainWindow::on_ptn_twoDivisionModel_OBOS_clicked() {}
void MainWindow::on_ptn_twoScreenModel_leftRight_clicked() {}
void MainWindow::on_ptn_twoDivisionModel_upDown_clicked() {}
void MainWindow::on_ptn_fourDivisionModel_OBTS_clicked() {}
void MainWindow::on_btn_page2Reset_clicked() {}
void MainWindow::on_ckx_freezeAllWindows_stateChanged(int) {}
void MainWindow::on_ptn_FreezeAllWindow_clicked() {}
void MainWindow::on_ptn_saveAll_clicked() {}
void MainWindow::on_ptn_factoryDataReset_clicked() {}
void MainWindow::on_DHCPon_clicked() {}
void MainWindow::on_DHCPoff_clicked() {}
void MainWindow::on_checkBox_clicked(bool) {}
