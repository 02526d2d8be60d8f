#include "communicationdialog.h"

#include "fileaccess.h"
#include "mymessagebox.h"
#include "ui_communicationdialog.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTime>

CommunicationDialog::CommunicationDialog(QWidget *parent)
    : CommunicationDialog(CommunicationLogFile::defaultFolder(), CommunicationLogFile::DefaultMaxBytes,
                          parent)
{
}

CommunicationDialog::CommunicationDialog(const QString &logFolder, qint64 maxFileBytes, QWidget *parent)
    : QDialog(parent), ui(new Ui::CommunicationDialog),
      sessionLog(
          new CommunicationLogFile(logFolder, maxFileBytes, CommunicationLogFile::DefaultKeptFiles, this))
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->plainTextEdit->setMaximumBlockCount(MaxShownLines);
    connect(ui->saveLogButton, &QPushButton::clicked, this, &CommunicationDialog::chooseFileAndSave);

    // Said once, from the event loop: the file may give up while a command
    // leaves, and the box must not open inside that.
    connect(sessionLog, &CommunicationLogFile::failed, this, &CommunicationDialog::tellFileProblem,
            Qt::QueuedConnection);
    if (!sessionLog->isWorking())
        QMetaObject::invokeMethod(this, "tellFileProblem", Qt::QueuedConnection,
                                  Q_ARG(QString, sessionLog->failureReason()));
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
    const QString line = QLatin1Char('[') + QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")) +
                         QLatin1Char(']') + info;
    ui->plainTextEdit->appendPlainText(line);
    sessionLog->append(line);
}

bool CommunicationDialog::saveLog(const QString &path)
{
    // A FIFO or a device node is not replaced by the log.
    const QString refusal = w4::saveTargetRefusal(path);
    if (!refusal.isEmpty()) {
        MyMessageBox::error(this, tr("错误"), refusal);
        return false;
    }
    bool saved;
    if (sessionLog->isWorking()) {
        saved = sessionLog->copySessionTo(path);
    } else {
        // Without the session file the window's lines are all there is.
        QByteArray text = logText().toUtf8();
        if (!text.isEmpty())
            text += '\n';
        QString error;
        saved = w4::saveFileSafely(path, text, &error);
    }
    if (!saved)
        MyMessageBox::error(this, tr("错误"), tr("保存失败！"));
    return saved;
}

void CommunicationDialog::tellFileProblem(const QString &reason)
{
    MyMessageBox::warning(parentWidget() ? parentWidget() : this, tr("警告"),
                          tr("通讯日志无法写入文件，本次运行的记录只保留在通讯窗口中。") +
                              QLatin1Char('\n') + reason);
}

void CommunicationDialog::chooseFileAndSave()
{
    const QString suggested = QDir::home().filePath(
        QStringLiteral("communication-%1.log")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"))));
    const QString path =
        QFileDialog::getSaveFileName(this, tr("保存日志"), suggested, tr("日志文件 (*.log);;所有文件 (*)"));
    if (!path.isEmpty())
        saveLog(path);
}
