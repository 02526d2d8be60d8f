#pragma once

// What the read-back tests share: a processor state that differs from the
// program's defaults in every field the readers carry, the device row of the
// connection window, the texts of the waiting dialogs, and the check that the
// whole program shows a given device state.
#include "appstate.h"
#include "devicestate.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "resolutionratioscene.h"
#include "userview.h"
#include "waitingwidget.h"
#include "wallgeometry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace readback {

// Inputs 1..4 report codes 18, 12, 18, 24; the tests make input 4 lose its
// signal and input 1 report a resolution too low to show.
inline w4sim::DeviceState distinctiveState(int rows, int columns)
{
    w4sim::DeviceState s = w4sim::DeviceState::defaults();
    s.rows = rows;
    s.columns = columns;
    s.audioMode = 2;
    s.videoGen = false;
    s.resolutionCodes = {{18, 12, 18, 24}};

    w4sim::WindowState &a = s.windows[0];
    a.x = 100, a.y = 50, a.width = 1200, a.height = 700;
    a.cropHStart = 10, a.cropVStart = 20, a.cropHEnd = 1200, a.cropVEnd = 700;
    a.inputSource = 1;
    a.luminance = 30, a.contrastRatio = 80, a.saturability = 60, a.hue = -20, a.colorTemperature = 1;
    a.horizontalSharpness = 3, a.verticalSharpness = -2;
    a.horizontalMirrored = true;
    a.rotation = 90;
    a.deinterlace = true, a.pullDown2p2 = true, a.timer2p2 = 7;
    a.layer = 3;

    w4sim::WindowState &b = s.windows[1];
    b.x = 2000, b.y = 100, b.width = 1600, b.height = 900;
    b.inputSource = 2;
    b.isColorSolid = true, b.colorR = 10, b.colorG = 20, b.colorB = 30;
    b.contrastRatio = 90;
    b.rotation = 270;
    b.audioEnabled = true;
    b.layer = 1;

    w4sim::WindowState &c = s.windows[2];
    c.x = 600, c.y = 300, c.width = 800, c.height = 600;
    c.inputSource = 3;
    c.isShown = false;
    c.saturability = 120;
    c.layer = 4;

    w4sim::WindowState &d = s.windows[3];
    d.x = 2400, d.y = 500, d.width = 1000, d.height = 500;
    d.inputSource = 0;
    d.isFrozen = true;
    d.horizontalMirrored = d.verticalMirrored = true; // a half turn
    d.luminance = -100;
    d.layer = 2;
    return s;
}

inline QStringList faultInputs()
{
    return {QStringLiteral("--no-signal"), QStringLiteral("4"), QStringLiteral("--low-res"),
            QStringLiteral("1")};
}

// Puts a device in the connection window's table, as a search finds it, and
// selects it.
inline void listDevice(MainWindow &w, const QString &ip, quint16 port,
                       const QString &protocol = QStringLiteral("UDP"))
{
    QTableWidget *table = w.networkDialog->deviceTable();
    table->item(0, NetworkDialog::IpColumn)->setText(ip);
    table->item(0, NetworkDialog::MacColumn)->setText(QStringLiteral("2.18.52.86.120.154"));
    table->item(0, NetworkDialog::PortColumn)->setText(QString::number(port));
    table->item(0, NetworkDialog::ProtocolColumn)->setText(protocol);
    table->selectRow(0);
}

// Records the text of every waiting dialog shown while it lives, however
// briefly it stays.
class WaitingTexts : public QObject
{
public:
    WaitingTexts() { qApp->installEventFilter(this); }
    ~WaitingTexts() override { qApp->removeEventFilter(this); }
    QStringList texts;
    // Called as each waiting dialog goes.
    std::function<void()> onClose;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *wait = qobject_cast<WaitingWidget *>(watched)) {
            if (event->type() == QEvent::Show)
                texts << wait->text();
            else if (event->type() == QEvent::Hide && onClose)
                onClose();
        }
        return false;
    }
};

template <typename T> T *widget(QObject &w, const char *name)
{
    T *found = w.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

// The rotation a window reports: a half turn is both mirrors.
inline int rotationOf(const w4sim::WindowState &s)
{
    return s.horizontalMirrored && s.verticalMirrored && s.rotation == 0 ? 180 : s.rotation;
}

// Picture size of an input as the program should have recorded it.
inline QSize expectedSourceSize(int input, bool tcp)
{
    switch (input) {
    case 0: // low resolution: the TCP reader takes its size, the UDP reader the default
        return tcp ? QSize(1440, 288) : QSize(3840, 2160);
    case 1:
        return QSize(1280, 720);
    case 2:
        return QSize(1920, 1080);
    default: // no signal
        return QSize(3840, 2160);
    }
}

// The records, the wall items, the source buttons, the layout selectors and the
// pages show `s`. Both readers scale the positions to the wall. A solid-colour
// window shows no source and keeps its input under the fill. Over TCP the crop
// is the device's; over UDP it is the whole picture of the window's input.
inline void verifyShows(MainWindow &w, const w4sim::DeviceState &s, bool tcp)
{
    UserView *view = widget<UserView>(w, "graphicsView");
    ResolutionRatioScene *scene = view->currentScene();
    QCOMPARE(widget<QComboBox>(w, "rowCbx")->currentText(), QString::number(s.rows));
    QCOMPARE(widget<QComboBox>(w, "columnCbx")->currentText(), QString::number(s.columns));
    QCOMPARE(scene->currentLayoutName, w4::layoutName(s.rows, s.columns));
    QCOMPARE(scene->wallSize(), w4::wallSizeFor(s.rows, s.columns));
    QVERIFY(!widget<QAbstractButton>(w, "selectSceneBtn")->isEnabled());
    const w4::DeviceScale scale = w4::deviceScale(scene->wallSize());

    for (int i = 0; i < 4; ++i) {
        const w4sim::WindowState &d = s.windows[size_t(i)];
        const InputChannel *item = view->window(i);
        const w4::WindowRecord &r = item->record();
        const QByteArray where = "window " + QByteArray::number(i + 1);
        QVERIFY2(item->pos() == QPointF(d.x / scale.sx, d.y / scale.sy), where);
        QVERIFY2(r.windowRect.size() == QSizeF(d.width / scale.sx, d.height / scale.sy), where);
        QCOMPARE(r.luminance, d.luminance);
        QCOMPARE(r.contrastRatio, d.contrastRatio);
        QCOMPARE(r.saturability, d.saturability);
        QCOMPARE(r.hue, d.hue);
        QCOMPARE(r.colorTemperature, d.colorTemperature);
        QCOMPARE(r.horizontalSharpness, d.horizontalSharpness);
        QCOMPARE(r.verticalSharpness, d.verticalSharpness);
        QCOMPARE(r.horizontalMirrored, d.horizontalMirrored);
        QCOMPARE(r.verticalMirrored, d.verticalMirrored);
        QCOMPARE(r.deinterlace, d.deinterlace);
        QCOMPARE(r.pullDown2p2, d.pullDown2p2);
        QCOMPARE(r.timer2p2, d.timer2p2);
        QCOMPARE(r.audioEnabled, d.audioEnabled);
        QCOMPARE(r.isFrozen, d.isFrozen);
        QCOMPARE(r.isShown, d.isShown);
        QCOMPARE(item->isVisible(), d.isShown);
        QCOMPARE(view->openWindowActions.at(i)->isVisible(), !d.isShown);
        QCOMPARE(r.isColorSolid, d.isColorSolid);
        QCOMPARE(r.savedInputSourceId, d.inputSource);
        QCOMPARE(r.inputSourceId, d.isColorSolid ? 4 : d.inputSource);
        if (d.isColorSolid)
            QCOMPARE(QColor(r.colorR, r.colorG, r.colorB), QColor(d.colorR, d.colorG, d.colorB));
        QCOMPARE(r.rotation, rotationOf(d));
        const bool marks[] = {r.rotation0, r.rotation90, r.rotation180, r.rotation270};
        for (int m = 0; m < 4; ++m)
            QVERIFY2(marks[m] == (m * 90 == r.rotation), where);
        QCOMPARE(r.layer, d.layer);
        QCOMPARE(item->zValue(), w4::zValueForLayer(d.layer));
        if (!d.isColorSolid || !tcp) {
            const QSize source = expectedSourceSize(d.inputSource, tcp);
            QCOMPARE(r.cropHStart, tcp ? d.cropHStart : 0);
            QCOMPARE(r.cropVStart, tcp ? d.cropVStart : 0);
            QCOMPARE(r.cropHEnd, tcp && d.cropHEnd ? d.cropHEnd : source.width());
            QCOMPARE(r.cropVEnd, tcp && d.cropVEnd ? d.cropVEnd : source.height());
        }
    }
    // Buttons of the inputs the windows show; input 3 lies behind a solid fill,
    // which only the UDP records see through.
    for (int input : tcp ? QList<int>{0, 1, 3} : QList<int>{0, 1, 2, 3}) {
        const InputSourceButton *b = w.inputSourceButtons.at(input);
        QCOMPARE(QSize(b->sourceWidth, b->sourceHeight), expectedSourceSize(input, tcp));
    }

    // The pages show the current window, then each window chosen.
    QComboBox *current = widget<QComboBox>(w, "currentChannelCBox");
    for (int i = 0; i < 4; ++i) {
        current->setCurrentIndex(i);
        const InputChannel *item = view->window(i);
        const QByteArray where = "page of window " + QByteArray::number(i + 1);
        QVERIFY2(widget<QLineEdit>(w, "ldt_PosX")->text() == QString::number(int(item->pos().x())), where);
        QVERIFY2(widget<QLineEdit>(w, "ldt_Width")->text() == QString::number(int(item->windowRect.width())),
                 where);
        QVERIFY2(widget<QLineEdit>(w, "ldt_luminance")->text() == QString::number(item->luminance), where);
        QVERIFY2(widget<QCheckBox>(w, "ckx_horizontalMirrored")->isChecked() == item->horizontalMirrored,
                 where);
        QVERIFY2(widget<QCheckBox>(w, "ckx_showWindow")->isChecked() == item->isShown, where);
        QVERIFY2(widget<QCheckBox>(w, "ckx_freezeWindow")->isChecked() == item->isFrozen, where);
        QVERIFY2(widget<QCheckBox>(w, "ckx_solidColor")->isChecked() == item->isColorSolid, where);
        QVERIFY2(widget<QComboBox>(w, "cbx_windowLevel")->currentIndex() == item->layer - 1, where);
        QVERIFY2(widget<QLineEdit>(w, "ldt_HorizontalEndLocation")->text() == QString::number(item->cropHEnd),
                 where);
    }
    current->setCurrentIndex(0);
}

// Input buttons start with a size no device reports, so every size checked was read.
inline void scrambleSourceSizes(MainWindow &w)
{
    for (InputSourceButton *b : w.inputSourceButtons) {
        b->sourceWidth = 111;
        b->sourceHeight = 77;
    }
}

} // namespace readback
