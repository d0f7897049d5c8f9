#include <QContextMenuEvent>
#include <QTimer>
#include <cstdlib>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class ViewCommandsTest : public ProgramFixture {};

TEST_F(ViewCommandsTest, BarsStayInTheTopAreaWithoutAMenuOfQtsOwn)
{
    Start();
    for (const char* name : {"ToolBar1", "ToolBar2", "ToolBar3"}) {
        SCOPED_TRACE(name);
        auto* bar = Control<QToolBar>(name);
        EXPECT_FALSE(bar->isFloatable());
        EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea);
        bool menu = false;   // a menu would block the event: note it and close it
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget())
                menu = popup->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), bar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bar, &event);
        QCoreApplication::processEvents();
        EXPECT_FALSE(menu);
        for (QAction* button : bar->actions()) {
            if (!button->isSeparator()) {   // a picture for each, the theme's or our own
                EXPECT_FALSE(button->icon().pixmap(24, 24).isNull()) << button->objectName().toStdString();
            }
        }
    }
}

// The start-up files show maximised, the main title naming the active one;
// a change of mode restores them, and so does tiling. (On X11 the two stayed
// maximised until the window was activated, and tiling left one of them
// maximised; offscreen they are not.)
TEST_F(ViewCommandsTest, TileVerticallyPutsMaximisedWindowsSideBySideInTheirFrames)
{
    const std::string notes = dir.write("notes.con", "");
    commandLineFiles = {notes};
    dir.write("Game.con", "");
    StartWithFakeEditors("[Directorys]\r\nConDir=" + dir.path() + "\r\n[DukeStartup]\r\nLoadGameCon=1\r\n");
    ASSERT_TRUE(Area()->currentSubWindow()->isMaximized());
    EXPECT_EQ(form->windowTitle().toStdString(), "Tessel / Launcher - [VurAvozid - " + notes + "]");
    Trigger("mnuEditVergeMode");
    EXPECT_FALSE(Area()->currentSubWindow()->isMaximized());
    Area()->currentSubWindow()->showMaximized();
    Trigger("WindowTileItem2");
    const QList<QMdiSubWindow*> windows = Area()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const int half = Area()->viewport()->width() / 2;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(windows[i]->isMaximized());
        EXPECT_LE(std::abs(windows[i]->x() - i * half) + std::abs(windows[i]->width() - half), 1);
        EXPECT_NE(windows[i]->widget()->geometry(), windows[i]->rect()) << "drawn in its frame";
    }
}

} // namespace
} // namespace tessel
