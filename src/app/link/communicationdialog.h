#pragma once

#include <QDialog>

namespace Ui {
class CommunicationDialog;
}

// The communication log: every command as it leaves, with the time it left.
// Shown on demand, never saved.
class CommunicationDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CommunicationDialog(QWidget *parent = nullptr);
    ~CommunicationDialog() override;

    QString logText() const;
    void retranslate();

public slots:
    void showInfo(const QString &info);

private:
    Ui::CommunicationDialog *ui;
};
