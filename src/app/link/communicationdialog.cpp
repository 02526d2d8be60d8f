#include "communicationdialog.h"

#include "ui_communicationdialog.h"

#include <QTime>

CommunicationDialog::CommunicationDialog(QWidget *parent) : QDialog(parent), ui(new Ui::CommunicationDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CommunicationDialog::~CommunicationDialog()
{
    delete ui;
}

QString CommunicationDialog::logText() const
{
    return ui->plainTextEdit->toPlainText();
}

void CommunicationDialog::retranslate()
{
    ui->retranslateUi(this);
}

void CommunicationDialog::showInfo(const QString &info)
{
    ui->plainTextEdit->appendPlainText(QLatin1Char('[') +
                                       QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")) +
                                       QLatin1Char(']') + info);
}
