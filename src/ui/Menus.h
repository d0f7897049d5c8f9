#pragma once
// The one builder of menus and tool bars from command rows (CommandTable.h),
// for the main window and for the document windows that have menus of their own.
#include <QIcon>
#include <functional>

#include "ui/CommandTable.h"

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QWidget;

namespace tessel {

// A command's picture: the desktop theme's icon of that name, or our own
// (resources/icons/<name>.svg) where the theme has none; no picture when
// neither has one.
QIcon ToolIcon(const char* name);

// What a built row is handed to: its row and its action (a menu's own action
// for a Menu row, the bar's toggle for a Bar row, the separator's for a Separator).
using RowBuilt = std::function<void(const CommandRow& row, QAction* action)>;

// Builds count rows: each Menu row opens a menu in bar (or, without a bar, the
// rows go into popup), each Bar row a tool bar at the top of window; Item,
// Tool and Separator rows go into the menu or bar opened last.
void BuildCommandRows(const CommandRow* rows, int count, QMenuBar* bar, QMenu* popup, QMainWindow* window,
                      const RowBuilt& built);

} // namespace tessel
