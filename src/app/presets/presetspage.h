#pragma once

#include "preset.h"

#include <QWidget>

#include <functional>

class MainWindow;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolBox;

// The tool box page "场景预设": whole walls saved as preset files in the user's
// data folder and applied to the processor. Saving takes the wall as the
// window shows it; applying reads the processor first (where the link can;
// over serial the wall as shown stands for it), sends only what differs, with
// the pages locked and the progress on the status line, then reads the
// processor back and reports what differs.
class PresetsPage : public QWidget
{
    Q_OBJECT

public:
    PresetsPage(MainWindow *host, QToolBox *box);

    // Where presets are kept.
    static QString presetFolder();

    // Asks for a file to import (`save` false) or to export to (`save` true);
    // empty when the user cancels. Tests put their own answer here.
    using FileChooser = std::function<QString(QWidget *parent, bool save, const QString &suggested)>;
    void setFileChooser(FileChooser chooser) { chooseFile = std::move(chooser); }

    // The wall as the window shows it, in the preset's terms.
    w4::Preset wallState() const;
    bool isApplying() const { return applying; }

    // Texts in the current language; the main window calls it as it switches.
    void retranslate();

signals:
    // An apply ended: what was sent and what reads back otherwise (empty when
    // nothing could be read back).
    void applyFinished(int commandsSent, int differences);

protected:
    void changeEvent(QEvent *event) override;

private:
    void reload(const QString &select = QString());
    QString selectedName() const;
    QString pathOf(const QString &name) const;
    bool writePreset(const QString &name, const QByteArray &bytes);
    bool loadPreset(const QString &path, w4::Preset *preset);
    QString loadMessage(const QString &file, const w4::PresetLoad &load) const;

    void save();
    void apply();
    void rename();
    void remove();
    void importFile();
    void exportFile();

    void readBefore();
    void startSending(const w4::Preset &state);
    void commandLeft();
    void readBack();
    void finishApply(bool readOk);
    void endApply();

    MainWindow *host;
    QToolBox *box;
    QListWidget *list;
    QLineEdit *nameEdit;
    QPushButton *saveButton, *applyButton, *renameButton, *deleteButton, *importButton, *exportButton;
    FileChooser chooseFile;

    // The apply in progress: the processor is read first (where the link can),
    // then what differs is sent and read back.
    enum class Phase { ReadingBefore, Sending };
    bool applying = false;
    Phase phase = Phase::Sending;
    w4::Preset target;
    QStringList pending;
    int sent = 0;
    QString statusBefore;
    bool stateChanged = false;
};
