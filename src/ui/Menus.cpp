#include "ui/Menus.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace tessel {

QIcon ToolIcon(const char* name)
{
    if (!*name)
        return QIcon();
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    const QString ours = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
    return QFile::exists(ours) ? QIcon(ours) : QIcon();
}

void BuildCommandRows(const CommandRow* rows, int count, QMenuBar* bar, QMenu* popup, QMainWindow* window,
                      const RowBuilt& built)
{
    QMenu* menu = popup;
    QToolBar* tools = nullptr;
    for (int i = 0; i < count; ++i) {
        const CommandRow& row = rows[i];
        QAction* action = nullptr;
        switch (row.kind) {
        case Row::Menu:
            tools = nullptr;
            menu = bar->addMenu(row.caption);
            menu->setObjectName(row.name);
            action = menu->menuAction();
            action->setObjectName(QString(row.name) + "Menu");
            break;
        case Row::Bar:
            menu = nullptr;
            tools = new QToolBar(row.caption, window);
            tools->setObjectName(row.name);
            // Bands that move within the top area: a floating or side bar
            // could cover the wizard pane's buttons.
            tools->setMovable(true);
            tools->setFloatable(false);
            tools->setAllowedAreas(Qt::TopToolBarArea);
            tools->setIconSize(QSize(24, 24));
            window->addToolBar(Qt::TopToolBarArea, tools);
            action = tools->toggleViewAction();
            break;
        case Row::Separator:
            action = menu ? menu->addSeparator() : tools->addSeparator();
            if (*row.name)
                action->setObjectName(row.name);
            action->setVisible(!(row.flags & cfHidden));
            break;
        case Row::Item:
        case Row::Tool:
            action = row.kind == Row::Item ? menu->addAction(row.caption) : tools->addAction(row.caption);
            action->setObjectName(row.name);
            action->setIcon(ToolIcon(row.icon));
            if (row.kind == Row::Tool)
                action->setToolTip(row.caption);
            action->setShortcut(QKeySequence(row.shortcut));
            action->setEnabled(!(row.flags & cfOff));
            action->setCheckable(row.flags & (cfCheckable | cfChecked));
            action->setChecked(row.flags & cfChecked);
            action->setVisible(!(row.flags & cfHidden));
            break;
        }
        if (built)
            built(row, action);
    }
}

} // namespace tessel
