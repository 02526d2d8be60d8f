#include "menuanswerer.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

MenuAnswerer::MenuAnswerer(const QStringList &p, Answer a) : path(p), answer(a), timer(new QTimer(this))
{
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, &MenuAnswerer::poll);
    timer->start();
}

MenuAnswerer::~MenuAnswerer()
{
    timer->stop();
    if (problem.isEmpty() && (!path.isEmpty() || answer == Escape) && !done)
        problem = QStringLiteral("the menu never opened");
    if (!problem.isEmpty())
        QTest::qFail(problem.toUtf8().constData(), __FILE__, __LINE__);
}

void MenuAnswerer::poll()
{
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (busy || !menu)
        return;
    busy = true;
    entries.clear();
    for (QAction *a : menu->actions())
        if (a->isVisible() && !a->isSeparator())
            entries << a->text();
    if (answer == Escape && !done) {
        done = true;
        QTest::keyClick(menu, Qt::Key_Escape);
        if (menu->isVisible())
            problem = QStringLiteral("Escape left the menu open");
        busy = false;
        return;
    }
    if (path.isEmpty() || done) {
        problem = QStringLiteral("unexpected menu: ") + entries.join(QLatin1String(", "));
        menu->close();
        busy = false;
        return;
    }
    QMenu *level = menu;
    QAction *entry = nullptr;
    for (int i = 0; i < path.size() && level; ++i) {
        entry = nullptr;
        for (QAction *a : level->actions())
            if (a->text() == path.at(i))
                entry = a;
        if (!entry)
            break;
        if (i + 1 < path.size())
            level = entry->menu();
    }
    done = true;
    menu->close();
    if (entry && !entry->menu())
        entry->trigger();
    else
        problem = QStringLiteral("no menu entry ") + path.join(QLatin1String(" > "));
    busy = false;
}
