#pragma once

#include "windowrecord.h"
#include "windowresize.h"

#include <QObject>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <array>

class MainWindow;

// What the control pages need from the wall editor: the edited scene's four
// windows (record, position, size), the wall's size and grid, opening, closing
// and stacking windows, the crop editor and the picture sizes of the inputs.
// The pages reach the wall only through here.
class PagesWall : public QObject
{
    Q_OBJECT

public:
    explicit PagesWall(MainWindow *owner);

    // Window 0..3 of the edited scene; null for another index.
    w4::WindowRecord *record(int window);
    QPointF position(int window) const;
    void setPosition(int window, const QPointF &pos);
    void setSize(int window, const QSizeF &size);
    void redraw(int window);

    QSizeF wallSize() const;
    QString layoutName() const;
    void setLayoutName(const QString &name);
    // Resizes the wall for rows x columns and puts the windows back to defaults.
    void rebuild(int rows, int columns);

    // Shown on the wall without telling the device (a mode command does that).
    void showWindow(int window);
    // Opened or closed as the wall's menu does it, show command queued.
    void openWindow(int window);
    void closeWindow(int window);
    // One stacking step (w4::LayerOp) of the scene.
    void changeLayer(int window, int op);
    void focusWindow(int window);

    // Picture size of input 0..3; 3840 x 2160 without an input.
    QSize sourceResolution(int inputSourceId) const;
    void setSourceSize(int inputSourceId, const QSize &size);

    // The crop editor shows `window`'s crop on a picture of `resolution`.
    void bindCropEditor(int window, const QSize &resolution, const w4::WindowGeometry &item, bool redraw);
    void moveCropItem(const w4::WindowGeometry &item);
    w4::WindowGeometry cropItem() const { return cropItemGeometry; }
    int cropWindow() const { return cropBoundWindow; }

    // The wall menus' audio-output and VideoGen marks follow the window.
    void showMenuFlags(const w4::WindowRecord &record);

private:
    MainWindow *owner;
    std::array<w4::WindowRecord, 4> records;
    std::array<QPointF, 4> positions;
    QSizeF wall{3840, 2160};
    QString layout = QStringLiteral("1x1");
    QVector<QSize> sourceSizes{QSize(3840, 2160), QSize(3840, 2160), QSize(3840, 2160), QSize(3840, 2160)};
    w4::WindowGeometry cropItemGeometry;
    int cropBoundWindow = -1;
};
