#pragma once

#include "communicationlogfile.h"

#include <QDialog>

namespace Ui {
class CommunicationDialog;
}

// The communication log: every command as it leaves, with the time it left.
// The window keeps the last MaxShownLines lines; the whole session goes to a
// CommunicationLogFile, which "Save log" copies to a file of the user's choice.
class CommunicationDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxShownLines = 10000;

    explicit CommunicationDialog(QWidget *parent = nullptr);
    // Keeps the session file in `logFolder` with the given size limit (tests).
    CommunicationDialog(const QString &logFolder, qint64 maxFileBytes, QWidget *parent = nullptr);
    ~CommunicationDialog() override;

    // What the window shows.
    QString logText() const;
    CommunicationLogFile *logFile() const { return sessionLog; }
    void retranslate();

    // Saves the whole session log to `path`; on failure tells the user and
    // returns false. The file from the window's button goes here.
    bool saveLog(const QString &path);

public slots:
    void showInfo(const QString &info);

private slots:
    // Tells the user, once, that the session file is off and why.
    void tellFileProblem(const QString &reason);

private:
    void chooseFileAndSave();

    Ui::CommunicationDialog *ui;
    CommunicationLogFile *sessionLog;
};
