#pragma once

#include <QObject>
#include <QPointer>

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
    // Guarded: the title bar's close button deletes the window by itself, and
    // the destructor must not schedule a second deletion of it.
    QPointer<MainWindow> mainWindow;
};
