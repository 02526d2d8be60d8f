#pragma once

#include <QWidget>

class QLabel;

// Hints for network trouble, shown from the connection settings window.
class NetworkHelp : public QWidget
{
    Q_OBJECT

public:
    explicit NetworkHelp(QWidget *parent = nullptr);

    void retranslate();
    QString text() const;

private:
    QLabel *label;
};
