#include "presetspage.h"

#include "commandsender.h"
#include "devicemodel.h"
#include "devicepreset.h"
#include "devicesession.h"
#include "fileaccess.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "tcpreadback.h"
#include "udplink.h"
#include "walllayers.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolBox>
#include <QUdpSocket>
#include <QVBoxLayout>

#include <cstdio>

namespace {

const QString Suffix = QStringLiteral(".json");

// A name that can be a file of its own in the preset folder.
bool usableName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\'));
}

QString defaultChooser(QWidget *parent, bool save, const QString &suggested)
{
    const QString filter = PresetsPage::tr("预设文件 (*.json);;所有文件 (*)");
    return save ? QFileDialog::getSaveFileName(parent, PresetsPage::tr("导出预设"), suggested, filter)
                : QFileDialog::getOpenFileName(parent, PresetsPage::tr("导入预设"), suggested, filter);
}

} // namespace

PresetsPage::PresetsPage(MainWindow *mainWindow, QToolBox *toolBox)
    : QWidget(toolBox), host(mainWindow), box(toolBox), list(new QListWidget(this)),
      nameEdit(new QLineEdit(this)), saveButton(new QPushButton(this)), applyButton(new QPushButton(this)),
      renameButton(new QPushButton(this)), deleteButton(new QPushButton(this)),
      importButton(new QPushButton(this)), exportButton(new QPushButton(this)), chooseFile(defaultChooser)
{
    setObjectName(QStringLiteral("presetsPage"));
    list->setObjectName(QStringLiteral("lst_presets"));
    nameEdit->setObjectName(QStringLiteral("ldt_presetName"));
    saveButton->setObjectName(QStringLiteral("ptn_savePreset"));
    applyButton->setObjectName(QStringLiteral("ptn_applyPreset"));
    renameButton->setObjectName(QStringLiteral("ptn_renamePreset"));
    deleteButton->setObjectName(QStringLiteral("ptn_deletePreset"));
    importButton->setObjectName(QStringLiteral("ptn_importPreset"));
    exportButton->setObjectName(QStringLiteral("ptn_exportPreset"));

    // One button a row: two side by side do not fit the tool box's width with
    // the Russian texts.
    auto *column = new QVBoxLayout(this);
    column->addWidget(list);
    column->addWidget(nameEdit);
    for (QPushButton *b : {saveButton, applyButton, renameButton, deleteButton, importButton, exportButton})
        column->addWidget(b);

    connect(saveButton, &QPushButton::clicked, this, &PresetsPage::save);
    connect(applyButton, &QPushButton::clicked, this, &PresetsPage::apply);
    connect(renameButton, &QPushButton::clicked, this, &PresetsPage::rename);
    connect(deleteButton, &QPushButton::clicked, this, &PresetsPage::remove);
    connect(importButton, &QPushButton::clicked, this, &PresetsPage::importFile);
    connect(exportButton, &QPushButton::clicked, this, &PresetsPage::exportFile);
    // Choosing a preset offers its name for a rename.
    connect(list, &QListWidget::currentTextChanged, nameEdit, &QLineEdit::setText);

    w4::DeviceSession *session = host->session();
    connect(session->sender(), &w4::CommandSender::commandSent, this, [this](const QString &text) {
        if (applying && !pending.isEmpty() && text == pending.first())
            commandLeft();
    });
    connect(session, &w4::DeviceSession::stateChanged, this, [this] {
        if (!applying)
            return;
        stateChanged = true;
        // A link that went away takes the rest of the apply with it.
        if (!host->session()->state().linkUp())
            finishApply(false);
    });
    connect(session->tcpReadBack(), &w4::TcpReadBack::sequenceFinished, this, [this] {
        if (!applying)
            return;
        w4::TcpReadBack *reader = host->session()->tcpReadBack();
        if (phase == Phase::ReadingBefore) {
            if (reader->isComplete() && reader->result().globalRead)
                startSending(w4::presetFromModel(*host->session()->model(), w4::StatusOrigin::Tcp));
            else
                finishApply(false);
        } else if (pending.isEmpty()) {
            finishApply(reader->isComplete());
        }
    });

    box->addItem(this, QString());
    retranslate();
    reload();
}

QString PresetsPage::presetFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/presets");
}

void PresetsPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void PresetsPage::retranslate()
{
    const int index = box->indexOf(this);
    if (index >= 0)
        box->setItemText(index, tr("场景预设"));
    list->setAccessibleName(tr("已保存的预设"));
    nameEdit->setAccessibleName(tr("预设名称"));
    nameEdit->setPlaceholderText(tr("预设名称"));
    saveButton->setText(tr("保存预设"));
    applyButton->setText(tr("应用预设"));
    renameButton->setText(tr("重命名预设"));
    deleteButton->setText(tr("删除预设"));
    importButton->setText(tr("导入预设"));
    exportButton->setText(tr("导出预设"));
}

// ---- The list ----------------------------------------------------------------

void PresetsPage::reload(const QString &select)
{
    const QString keep = select.isEmpty() ? selectedName() : select;
    list->clear();
    const QFileInfoList files =
        QDir(presetFolder())
            .entryInfoList({QLatin1Char('*') + Suffix}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &f : files)
        list->addItem(f.completeBaseName());
    const QList<QListWidgetItem *> found = list->findItems(keep, Qt::MatchExactly);
    if (!found.isEmpty())
        list->setCurrentItem(found.first());
}

QString PresetsPage::selectedName() const
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->text() : QString();
}

QString PresetsPage::pathOf(const QString &name) const
{
    return presetFolder() + QLatin1Char('/') + name + Suffix;
}

bool PresetsPage::writePreset(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(presetFolder());
    QString error;
    if (w4::saveFileSafely(pathOf(name), bytes, &error))
        return true;
    MyMessageBox::error(this, tr("错误"), tr("无法保存预设：%1").arg(error));
    return false;
}

QString PresetsPage::loadMessage(const QString &file, const w4::PresetLoad &load) const
{
    switch (load.error) {
    case w4::PresetError::None:
        break;
    case w4::PresetError::NotJson:
        return tr("%1 不是 JSON 文件：%2").arg(file, load.detail);
    case w4::PresetError::NotPreset:
        return tr("%1 不是预设文件").arg(file);
    case w4::PresetError::FutureVersion:
        return tr("%1 来自更新的版本（格式 %2），此版本只能读取格式 %3")
            .arg(file, load.detail)
            .arg(w4::PresetFormatVersion);
    case w4::PresetError::BadValue:
        return tr("%1 中的值无效：%2").arg(file, load.detail);
    }
    return QString();
}

bool PresetsPage::loadPreset(const QString &path, w4::Preset *preset)
{
    const w4::FileRead file = w4::readRegularFile(path, w4::PresetFileMaxBytes);
    if (!file.ok()) {
        MyMessageBox::error(this, tr("错误"), file.error);
        return false;
    }
    const w4::PresetLoad load = w4::presetFromBytes(file.bytes);
    if (!load.ok()) {
        MyMessageBox::error(this, tr("错误"), loadMessage(QFileInfo(path).fileName(), load));
        return false;
    }
    *preset = load.preset;
    return true;
}

w4::Preset PresetsPage::wallState() const
{
    PagesWall *wall = host->pagesWall();
    w4::Preset p;
    w4::parseLayoutName(wall->layoutName(), &p.rows, &p.columns);
    const w4::DeviceScale scale = w4::deviceScale(wall->wallSize());
    const w4::DeviceModel &read = *host->session()->model();
    std::array<int, 4> layers{};
    for (int i = 0; i < 4; ++i) {
        const w4::WindowRecord &r = *wall->record(i);
        const w4::DeviceRect at = w4::toDeviceRect(wall->position(i), r.windowRect.size(), scale, false);
        w4::PresetWindow &w = p.windows[size_t(i)];
        w = w4::presetWindowFromRecord(r, at);
        layers[size_t(i)] = r.layer;

        // The record holds a crop end of "the whole picture" as the picture's
        // size; the processor holds 0 there, and so does the preset, unless the
        // last read found that very number on the processor.
        const QSize shown = wall->sourceResolution(r.inputSourceId);
        const QSize input = wall->sourceResolution(w4::windowInput(r));
        const std::optional<w4::WindowStatus> &status = read.window(i);
        const bool cropRead = status && status->hasCrop;
        auto processorEnd = [&](int end, int shownWhole, int inputWhole, int readEnd) {
            if (cropRead && readEnd == end)
                return end;
            return end == shownWhole || end == inputWhole ? 0 : end;
        };
        w[w4::PresetField::CropHEnd] =
            processorEnd(r.cropHEnd, shown.width(), input.width(), cropRead ? status->cropHEnd : -1);
        w[w4::PresetField::CropVEnd] =
            processorEnd(r.cropVEnd, shown.height(), input.height(), cropRead ? status->cropVEnd : -1);
    }
    if (w4::isLayerPermutation(layers))
        p.layers = layers;
    // The device-wide modes are kept alike in every record.
    const w4::WindowRecord &first = *wall->record(0);
    p.audioMode = first.audioOutPort1Only  ? w4::AudioOutMode::Port1Only
                  : first.audioOutDisabled ? w4::AudioOutMode::Disabled
                                           : w4::AudioOutMode::AllPorts;
    p.videoGen = first.videoGenMode;
    return p;
}

// ---- The buttons ---------------------------------------------------------------

void PresetsPage::save()
{
    const QString name = nameEdit->text().trimmed();
    if (!usableName(name)) {
        MyMessageBox::warning(this, tr("警告"), tr("请输入有效的预设名称"));
        return;
    }
    if (QFile::exists(pathOf(name)) &&
        !MyMessageBox::question(this, tr("警告"), tr("预设“%1”已存在，是否覆盖？").arg(name)))
        return;
    if (writePreset(name, w4::presetToBytes(wallState())))
        reload(name);
}

void PresetsPage::rename()
{
    const QString from = selectedName();
    const QString to = nameEdit->text().trimmed();
    if (from.isEmpty()) {
        MyMessageBox::warning(this, tr("警告"), tr("请先选择一个预设"));
        return;
    }
    if (!usableName(to)) {
        MyMessageBox::warning(this, tr("警告"), tr("请输入有效的预设名称"));
        return;
    }
    if (to == from)
        return;
    if (QFile::exists(pathOf(to)) &&
        !MyMessageBox::question(this, tr("警告"), tr("预设“%1”已存在，是否覆盖？").arg(to)))
        return;
    // One step that replaces the other preset only when it succeeds: a rename
    // that fails leaves both files as they were.
    if (std::rename(QFile::encodeName(pathOf(from)).constData(), QFile::encodeName(pathOf(to)).constData()) !=
        0) {
        MyMessageBox::error(this, tr("错误"), tr("无法保存预设：%1").arg(to));
        reload(from);
        return;
    }
    reload(to);
}

void PresetsPage::remove()
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        MyMessageBox::warning(this, tr("警告"), tr("请先选择一个预设"));
        return;
    }
    if (!MyMessageBox::question(this, tr("警告"), tr("确定要删除预设“%1”吗？").arg(name)))
        return;
    QFile::remove(pathOf(name));
    reload();
}

void PresetsPage::importFile()
{
    const QString path = chooseFile(this, false, QDir::homePath());
    if (path.isEmpty())
        return;
    w4::Preset preset;
    if (!loadPreset(path, &preset))
        return;
    const QString name = QFileInfo(path).completeBaseName();
    // A name the list could not show (".hidden") or no name at all (".json").
    if (!usableName(name)) {
        MyMessageBox::warning(this, tr("警告"),
                              tr("文件名“%1”不能用作预设名称，请重命名文件后再导入").arg(QFileInfo(path).fileName()));
        return;
    }
    if (QFile::exists(pathOf(name)) &&
        !MyMessageBox::question(this, tr("警告"), tr("预设“%1”已存在，是否覆盖？").arg(name)))
        return;
    // Written anew: the folder only ever holds files in the current format.
    if (writePreset(name, w4::presetToBytes(preset)))
        reload(name);
}

void PresetsPage::exportFile()
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        MyMessageBox::warning(this, tr("警告"), tr("请先选择一个预设"));
        return;
    }
    const QString path = chooseFile(this, true, QDir::home().filePath(name + Suffix));
    if (path.isEmpty())
        return;
    const w4::FileRead from = w4::readRegularFile(pathOf(name), w4::PresetFileMaxBytes);
    QString error = from.error;
    if (from.ok())
        w4::saveFileSafely(path, from.bytes, &error);
    if (!error.isEmpty())
        MyMessageBox::error(this, tr("错误"), tr("无法保存预设：%1").arg(error));
}

// ---- Applying --------------------------------------------------------------------

void PresetsPage::apply()
{
    const QString name = selectedName();
    if (applying)
        return;
    if (name.isEmpty()) {
        MyMessageBox::warning(this, tr("警告"), tr("请先选择一个预设"));
        return;
    }
    if (!loadPreset(pathOf(name), &target))
        return;
    if (!host->session()->state().linkUp()) {
        MyMessageBox::error(this, tr("错误"), tr("请先建立连接！"));
        return;
    }
    if (!MyMessageBox::question(this, tr("警告"), tr("确定要将预设“%1”应用到设备吗？").arg(name)))
        return;

    sent = 0;
    pending.clear();
    applying = true;
    stateChanged = false;
    statusBefore = host->statusLine();
    host->lockControlPages();
    setEnabled(false);
    if (host->session()->state().networkConnected()) {
        readBefore();
        return;
    }
    // Over serial nothing can be read: the wall as shown stands for the processor.
    startSending(wallState());
}

// What is sent is measured against the processor as it is now, not as the
// window last saw it: another program may have changed it since.
void PresetsPage::readBefore()
{
    w4::DeviceSession *session = host->session();
    phase = Phase::ReadingBefore;
    host->setStatusText(tr("正在读取设备状态…"));
    if (session->state().sendByDatagram()) {
        const QHostAddress local = session->udpLink()->socket()->localAddress();
        if (!session->refreshUdp(local).ok) {
            finishApply(false);
            return;
        }
        if (applying)
            startSending(w4::presetFromModel(*session->model(), w4::StatusOrigin::Udp));
        return;
    }
    session->refreshTcp(); // goes on when the read ends
}

void PresetsPage::startSending(const w4::Preset &state)
{
    phase = Phase::Sending;
    pending = w4::presetCommands(state, target);
    if (pending.isEmpty()) {
        readBack();
        return;
    }
    host->setStatusText(tr("正在应用预设：%1/%2").arg(0).arg(pending.size()));
    for (const QString &c : qAsConst(pending))
        host->send(c);
}

void PresetsPage::commandLeft()
{
    pending.removeFirst();
    ++sent;
    host->setStatusText(tr("正在应用预设：%1/%2").arg(sent).arg(sent + pending.size()));
    if (pending.isEmpty())
        readBack();
}

// The processor is read again where the link can; the views follow the read.
void PresetsPage::readBack()
{
    w4::DeviceSession *session = host->session();
    const w4::SessionState &state = session->state();
    if (!state.networkConnected()) {
        finishApply(false);
        return;
    }
    host->setStatusText(tr("正在回读设备状态…"));
    if (state.sendByDatagram()) {
        const QHostAddress local = session->udpLink()->socket()->localAddress();
        finishApply(session->refreshUdp(local).ok);
        return;
    }
    session->refreshTcp(); // finishes on the read's end
}

void PresetsPage::endApply()
{
    applying = false;
    if (!stateChanged)
        host->setStatusText(statusBefore);
    setEnabled(true);
    if (host->session()->state().editable())
        host->unlockControlPages();
}

void PresetsPage::finishApply(bool readOk)
{
    if (!applying)
        return;
    if (phase == Phase::ReadingBefore) {
        // Nothing was sent: without the processor's state no difference is known.
        endApply();
        MyMessageBox::error(this, tr("错误"), tr("无法读取设备状态，预设未应用"));
        emit applyFinished(0, -1);
        return;
    }
    endApply();
    w4::DeviceSession *session = host->session();

    const bool canRead = session->state().networkConnected();
    const int commands = sent;
    if (!pending.isEmpty()) {
        pending.clear();
        MyMessageBox::error(this, tr("错误"), tr("连接已断开，预设未能全部应用"));
        emit applyFinished(commands, -1);
        return;
    }
    if (!canRead) {
        MyMessageBox::information(this, tr("提示"), tr("已发送 %1 条命令。串口连接无法回读。").arg(commands));
        emit applyFinished(commands, -1);
        return;
    }
    if (!readOk) {
        MyMessageBox::warning(this, tr("警告"), tr("已发送 %1 条命令，但设备没有应答回读。").arg(commands));
        emit applyFinished(commands, -1);
        return;
    }
    const w4::StatusOrigin origin = session->sendByDatagram() ? w4::StatusOrigin::Udp : w4::StatusOrigin::Tcp;
    const QVector<w4::PresetDifference> differences =
        w4::presetDifferences(w4::presetFromModel(*session->model(), origin), target, true);
    if (differences.isEmpty()) {
        MyMessageBox::information(this, tr("提示"),
                                  tr("预设已应用（%1 条命令），设备状态与预设一致。").arg(commands));
    } else {
        QStringList lines;
        for (const w4::PresetDifference &d : differences)
            lines << (d.window < 0 ? tr("%1：应为 %2，读到 %3").arg(d.name, d.expected, d.actual)
                                   : tr("窗口 %1 %2：应为 %3，读到 %4")
                                         .arg(d.window + 1)
                                         .arg(d.name, d.expected, d.actual));
        MyMessageBox::warning(
            this, tr("警告"),
            tr("预设已应用，但回读结果与预设不同：\n%1").arg(lines.join(QLatin1Char('\n'))));
    }
    emit applyFinished(commands, differences.size());
}
