#pragma once

#include <QObject>

class MainWindow;

// Start-up: picks the saved language, shows the splash while the main window is
// built, then fades the window in. Its destructor schedules the window's deletion.
class MainObject : public QObject
{
    Q_OBJECT

public:
    explicit MainObject(QObject *parent = nullptr);
    ~MainObject() override;

    void init();
    MainWindow *window() const { return mainWindow; }

private:
    MainWindow *mainWindow = nullptr;
};
