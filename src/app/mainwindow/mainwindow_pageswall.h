#pragma once

#include "windowrecord.h"
#include "windowresize.h"

#include <QObject>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>

class InputChannel;
class MainWindow;
class ResolutionRatioScene;
class SliceUpView;
class UserView;

// What the control pages need from the wall editor, in the pages' own terms: the
// shown scene's four windows (record, position, size), the wall's size and grid,
// opening, closing and stacking windows, the crop editor and the picture sizes
// of the inputs. The pages reach the wall only through here.
class PagesWall : public QObject
{
    Q_OBJECT

public:
    PagesWall(MainWindow *owner, UserView *view, SliceUpView *cropView);

    // Window 0..3 of the shown scene; null for another index.
    w4::WindowRecord *record(int window);
    QPointF position(int window) const;
    // Kept inside the wall by the item.
    void setPosition(int window, const QPointF &pos);
    void setSize(int window, const QSizeF &size);
    void redraw(int window);

    QSizeF wallSize() const;
    QString layoutName() const;
    void setLayoutName(const QString &name);
    // The wall for the row and column selectors, windows back to their defaults.
    void rebuild();

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

    // The crop editor shows `window`'s crop, from its record, on a picture of
    // `resolution`.
    void bindCropEditor(int window, const QSize &resolution, bool redraw);
    void moveCropItem(const w4::WindowGeometry &item);

    // The wall menus' audio-output and VideoGen marks follow the window.
    void showMenuFlags(const w4::WindowRecord &record);

private:
    InputChannel *item(int window) const;
    ResolutionRatioScene *scene() const;

    MainWindow *owner;
    UserView *view;
    SliceUpView *cropView;
};
