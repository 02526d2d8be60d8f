#include "maintitlebar.h"

#include "appstate.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "ui_maintitlebar.h"

#include <QApplication>

MainTitleBar::MainTitleBar(QWidget *parent) : TitleBar(parent), ui(new Ui::MainTitleBar)
{
    ui->setupUi(this);
    QApplication::setFont(QFont(QStringLiteral("Microsoft YaHi"), 9));

    const QString plain = QStringLiteral(
        "QPushButton{border:none;color:rgb(0, 0, 0);}"
        "QPushButton:hover{background-color: rgb(240, 240, 240);border:none;color:rgb(255, 255, 255);}"
        "QPushButton:checked{background-color: rgb(240, 240, 240);border:none;color:rgb(255, 255, 255);}");
    ui->pushButtonMin->setStyleSheet(plain);
    ui->pushButtonClose->setStyleSheet(plain);
}

MainTitleBar::~MainTitleBar()
{
    delete ui;
}

void MainTitleBar::bar()
{
    ui->retranslateUi(this);
}

// Pressing the language already in force re-applies it all the same.
void MainTitleBar::switchLanguage(int index)
{
    languageIndex = index;
    if (mainWindow)
        mainWindow->changeLanguage(index);
    else
        bar();
}

void MainTitleBar::on_pushButton_EN_clicked()
{
    switchLanguage(1);
}

void MainTitleBar::on_pushButton_RU_clicked()
{
    switchLanguage(2);
}

void MainTitleBar::on_pushButton_CH_clicked()
{
    switchLanguage(0);
}

void MainTitleBar::on_pushButtonMin_clicked()
{
    if (QWidget *window = targetWindow())
        window->showMinimized();
}

// The language is written only here, so the next start opens in the language
// the user left with; the window's destructor closes the links quietly.
void MainTitleBar::on_pushButtonClose_clicked()
{
    writeStoredLanguage(languageIndex);
    if (QWidget *window = targetWindow()) {
        window->close();
        window->deleteLater();
    }
}
