// The View menu's bar toggles and the Window menu's arrangements of the
// document windows.
#include <QAction>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>

#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"

namespace tessel {

namespace {

void TileDocuments(TMainForm& main, QMdiArea* area, Qt::Orientation orientation)
{
    // All restored before any is placed.
    main.RestoreChildWindows(false);
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList())
        if (!w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect rect = area->viewport()->rect();
    const int n = windows.size();
    for (int i = 0; i < n; ++i) {
        if (orientation == Qt::Vertical) {   // one above the other
            const int top = rect.height() * i / n;
            windows[i]->setGeometry(0, top, rect.width(), rect.height() * (i + 1) / n - top);
        } else {                             // side by side
            const int left = rect.width() * i / n;
            windows[i]->setGeometry(left, 0, rect.width() * (i + 1) / n - left, rect.height());
        }
    }
}

// The minimised windows in rows along the bottom of the area.
void ArrangeMinimized(QMdiArea* area)
{
    const QRect rect = area->viewport()->rect();
    int x = 0;
    int y = rect.bottom();
    for (QMdiSubWindow* w : area->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > rect.width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height() + 1);
        x += s.width();
    }
}

} // namespace

void RegisterViewCommands(TMainForm& main, const MainParts& parts)
{
    // Each entry is marked while its bar is hidden; the action has already
    // flipped its mark when the handler runs.
    const std::pair<Cmd, QWidget*> byMark[] = {{Cmd::ViewHideLeftBar, parts.wizardPane},
                                               {Cmd::ViewHideStatusBar, parts.statusBar},
                                               {Cmd::ViewHideMainBar, parts.toolBars[1]},
                                               {Cmd::ViewHideUtilsBar, parts.toolBars[0]}};
    for (const auto& [id, bar] : byMark)
        main.OnCommand(id, [&main, id = id, bar = bar] { bar->setVisible(!main.Action(id)->isChecked()); });
    // This one decides by the bar's visibility rather than by its own mark.
    main.OnCommand(Cmd::ViewHideUpperBar, [&main, bar = parts.toolBars[1]] {
        const bool hidden = bar->isHidden();
        bar->setVisible(hidden);
        main.Action(Cmd::ViewHideUpperBar)->setChecked(!hidden);
    });

    QMdiArea* area = parts.area;
    main.OnCommand(Cmd::WindowCascade, [area] { area->cascadeSubWindows(); });
    main.OnCommand(Cmd::WindowTileHorizontally, [&main, area] { TileDocuments(main, area, Qt::Vertical); });
    main.OnCommand(Cmd::WindowTileVertically, [&main, area] { TileDocuments(main, area, Qt::Horizontal); });
    main.OnCommand(Cmd::WindowMinimizeAll, [area] {
        for (QMdiSubWindow* w : area->subWindowList())
            w->showMinimized();
        ArrangeMinimized(area);
    });
    main.OnCommand(Cmd::WindowArrangeAll, [area] { ArrangeMinimized(area); });
}

} // namespace tessel
