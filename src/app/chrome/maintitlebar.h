#pragma once

#include "titlebar.h"

class MainWindow;

namespace Ui {
class MainTitleBar;
}

// The main window's own title bar: the program's name, the three language
// buttons, minimise and close. Closing here is how the chosen language is kept
// for the next start.
class MainTitleBar : public TitleBar
{
    Q_OBJECT

public:
    explicit MainTitleBar(QWidget *parent = nullptr);
    ~MainTitleBar() override;

    // The window whose language the buttons switch; set once it is built.
    void setMainWindow(MainWindow *window) { mainWindow = window; }

public slots:
    // Re-applies the form's texts in the current language.
    void bar();

private slots:
    void on_pushButton_EN_clicked();
    void on_pushButton_RU_clicked();
    void on_pushButton_CH_clicked();
    void on_pushButtonMin_clicked();
    void on_pushButtonClose_clicked();

private:
    void switchLanguage(int index);

    Ui::MainTitleBar *ui;
    MainWindow *mainWindow = nullptr;
};
