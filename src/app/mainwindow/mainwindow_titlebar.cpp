// The main window's own title bar: it moves this frameless window and switches
// the language.
#include "maintitlebar.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::setupTitleBar()
{
    ui->widgetTitle->setTargetWindow(this);
    ui->widgetTitle->setMainWindow(this);
    connect(this, &MainWindow::tabbar, ui->widgetTitle, &MainTitleBar::bar);
}
