#include "mainwindow/Splash.h"

#include <QImage>
#include <QMessageBox>
#include <QSet>
#include <QTimer>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class SplashTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start();
        splash = form->Keep(new TfrmSplash(*form, prompter));
        prompter.clear();   // the language files are not there
    }
    bool running(const char* timer) { return splash->findChild<QTimer*>(timer)->isActive(); }

    TfrmSplash* splash = nullptr;
};

TEST_F(SplashTest, MainWindowTakesNoInputForFifteenTicks)
{
    form->show();
    splash->show();
    EXPECT_FALSE(form->isEnabled());
    // (Timer2 may already have run out: it stops itself at its first tick.)
    EXPECT_TRUE(running("Timer1"));
    EXPECT_EQ(splash->findChild<QTimer*>("Timer1")->interval(), 100);
    // The test gives the ticks itself: the timers keep running but never come due.
    for (QTimer* timer : splash->findChildren<QTimer*>())
        timer->setInterval(24 * 3600 * 1000);

    // On a loaded machine a real tick may have come due before that.
    for (int tick = splash->SplashTicks + 1; tick < 15; ++tick)
        splash->Timer1Timer();
    EXPECT_FALSE(form->isEnabled());
    EXPECT_TRUE(splash->isVisible());

    splash->Timer1Timer();
    EXPECT_EQ(splash->SplashTicks, 15);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(running("Timer1") || running("Timer2"));
}

TEST_F(SplashTest, AMessageBoxEndsItRatherThanBeHiddenUnderIt)
{
    form->show();
    splash->show();
    QMessageBox box(QMessageBox::Warning, "Warning", "Game.con does not exist in the con directory");
    box.open();
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(running("Timer1"));
}

TEST_F(SplashTest, ShowsItsPicture)
{
    // Many colours, not one fill: the picture was found and drawn.
    const QImage shown = splash->grab().toImage();
    QSet<QRgb> colors;
    for (int y = 0; y < shown.height(); y += 4)
        for (int x = 0; x < shown.width(); x += 4)
            colors.insert(shown.pixel(x, y));
    EXPECT_GT(colors.size(), 50);
}

} // namespace
} // namespace tessel
