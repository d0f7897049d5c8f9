#include <QContextMenuEvent>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include "support/ShellFixture.h"

namespace tessel {
namespace {

class ViewCommandsTest : public ShellFixture {};

TEST_F(ViewCommandsTest, EachToggleMarksItsEntryWhileItsBarIsHidden)
{
    start();
    const struct {
        const char* entry;
        const char* bar;
    } cases[] = {{"LeftToolBar1", "ControlBar1"},
                 {"mnuViewHideStatusbar", "StatusBar1"},
                 {"mnuHideMainTool", "ToolBar2"},
                 {"mnuViewHideUtils", "ToolBar1"},
                 {"HideUpperToolbar1", "ToolBar2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        for (const bool hidden : {true, false}) {
            action(c.entry)->trigger();
            EXPECT_EQ(control(c.bar)->isHidden(), hidden);
            EXPECT_EQ(action(c.entry)->isChecked(), hidden);
        }
    }
}

TEST_F(ViewCommandsTest, BarsStayInTheTopAreaWithoutAMenuOfTheirOwn)
{
    start();
    for (const char* name : {"ToolBar1", "ToolBar2", "ToolBar3"}) {
        SCOPED_TRACE(name);
        auto* bar = control<QToolBar>(name);
        EXPECT_TRUE(bar->isMovable());
        EXPECT_FALSE(bar->isFloatable());
        EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea);
        // A menu that came up would block here: close it and note it.
        bool menuShown = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                popup->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), bar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bar, &event);
        QCoreApplication::processEvents();
        EXPECT_FALSE(menuShown);
        // Every button has a picture, the theme's or our own.
        for (QAction* button : bar->actions()) {
            if (!button->isSeparator()) {
                EXPECT_FALSE(button->icon().pixmap(24, 24).isNull()) << button->objectName().toStdString();
            }
        }
    }
}

} // namespace
} // namespace tessel
