#include <QContextMenuEvent>
#include <QTimer>

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

} // namespace
} // namespace tessel
