#include "wallaccessibility.h"

#include "inputchannel.h"
#include "resolutionratioscene.h"
#include "userview.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QGraphicsScene>

namespace {

// The view showing the scene an item is on, if any.
UserView *viewOf(const InputChannel *item)
{
    QGraphicsScene *scene = item->scene();
    if (!scene)
        return nullptr;
    for (QGraphicsView *v : scene->views())
        if (auto *view = qobject_cast<UserView *>(v))
            return view;
    return nullptr;
}

class WindowItemAccessible : public QAccessibleObject
{
public:
    explicit WindowItemAccessible(InputChannel *item) : QAccessibleObject(item) {}

    QAccessibleInterface *parent() const override
    {
        UserView *view = viewOf(item());
        return view ? QAccessible::queryAccessibleInterface(view->viewport()) : nullptr;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? item()->accessibleText() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.focusable = true;
        s.movable = !item()->isFrozen;
        s.sizeable = !item()->isFrozen;
        s.selected = item()->isSelected();
        s.invisible = !item()->isVisible();
        return s;
    }
    QRect rect() const override
    {
        UserView *view = viewOf(item());
        if (!view)
            return QRect();
        const QRect inViewport = view->mapFromScene(item()->sceneBoundingRect()).boundingRect();
        return QRect(view->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
    }

private:
    InputChannel *item() const { return static_cast<InputChannel *>(object()); }
};

// The viewport with the open windows after its own child widgets.
class WallViewportAccessible : public QAccessibleWidget
{
public:
    explicit WallViewportAccessible(QWidget *viewport) : QAccessibleWidget(viewport, QAccessible::Client) {}

    int childCount() const override { return QAccessibleWidget::childCount() + openWindows().size(); }
    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const QList<InputChannel *> windows = openWindows();
        return index - widgets < windows.size()
                   ? QAccessible::queryAccessibleInterface(windows.at(index - widgets))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (auto *item = qobject_cast<InputChannel *>(child ? child->object() : nullptr)) {
            const int at = openWindows().indexOf(item);
            return at < 0 ? -1 : QAccessibleWidget::childCount() + at;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    QList<InputChannel *> openWindows() const
    {
        QList<InputChannel *> open;
        const auto *view = static_cast<const UserView *>(widget()->parentWidget());
        if (const ResolutionRatioScene *scene = view->currentScene())
            for (InputChannel *item : scene->windowItems())
                if (item->isVisible())
                    open << item;
        return open;
    }
};

QAccessibleInterface *wallFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("InputChannel"))
        return new WindowItemAccessible(static_cast<InputChannel *>(object));
    if (className == QLatin1String("QWidget") && object && object->isWidgetType()) {
        auto *w = static_cast<QWidget *>(object);
        auto *view = qobject_cast<UserView *>(w->parentWidget());
        if (view && view->viewport() == w)
            return new WallViewportAccessible(w);
    }
    return nullptr;
}

} // namespace

void installWallAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(wallFactory);
}
