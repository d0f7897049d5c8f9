
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <cstdlib>

#include "mainwindow/About.h"
#include "mainwindow/ConFaq.h"
#include "support/ProgramFixture.h"
#include "windows/calc/Calculator.h"

namespace tessel {
namespace {

class ToolWindowCommandsTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start();
        prompter.clear();   // the language files are not there
    }
    void run(Cmd id) { form->Action(id)->trigger(); }
    template <class Window> QList<Window*> windows() const
    {
        return form->findChildren<Window*>(QString(), Qt::FindDirectChildrenOnly);
    }
    static void discardClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(ToolWindowCommandsTest, FaqViewerWhileItsFileIsThere)
{
    const std::string missing = "There is no ConFaq in the Main Program Directory: \"" + dir.path() +
                                "\". If you want to view it, put the file: confaq40.rtf in the main program directory.";
    run(Cmd::HelpConFaq);
    ASSERT_EQ(prompter.texts(), std::vector<std::string>{missing});
    EXPECT_EQ(prompter.shown[0].caption, "Information");
    EXPECT_EQ(prompter.shown[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(windows<TfrmConFaq>().isEmpty());

    dir.write("confaq40.rtf", "{\\rtf1 Questions\\par}");
    run(Cmd::HelpConFaq);
    ASSERT_EQ(windows<TfrmConFaq>().size(), 1);
    QPointer<TfrmConFaq> first = windows<TfrmConFaq>()[0];
    EXPECT_TRUE(first->isVisible());
    first->showMinimized();
    run(Cmd::HelpConFaq);
    EXPECT_EQ(windows<TfrmConFaq>().size(), 1);
    EXPECT_FALSE(first->isMinimized());

    first->close();   // (made anew next time: the calculator's test)
    discardClosed();
    EXPECT_TRUE(first.isNull());
}

TEST_F(ToolWindowCommandsTest, ACalculatorMadeAnewGoesOnWithTheProgramsCalculation)
{
    run(Cmd::ToolCalculator);
    ASSERT_EQ(windows<TfrmCalculator>().size(), 1);
    QPointer<TfrmCalculator> first = windows<TfrmCalculator>()[0];
    EXPECT_EQ(first->windowTitle(), "Tessel Calculator");
    QTest::keyClicks(first, "7+");   // (one at a time as the FAQ viewer is)
    first->close();
    discardClosed();
    EXPECT_TRUE(first.isNull());
    run(Cmd::ToolCalculator);
    ASSERT_EQ(windows<TfrmCalculator>().size(), 1);
    TfrmCalculator* second = windows<TfrmCalculator>()[0];
    EXPECT_EQ(second->findChild<QLabel*>("lblCalculator")->text(), "0.");
    QTest::keyClicks(second, "3=");
    EXPECT_EQ(second->findChild<QLabel*>("lblCalculator")->text(), "10.");
}

TEST_F(ToolWindowCommandsTest, LastingWindowsShowModallyAndAreTheSameEachTime)
{
    std::vector<QPointer<QWidget>> shown;
    std::vector<QRect> frames;
    for (const Cmd command : {Cmd::ViewPicture, Cmd::HelpKeyStrokes, Cmd::HelpAbout, Cmd::ViewPicture,
                              Cmd::HelpKeyStrokes, Cmd::HelpAbout}) {
        run(command);
        shown.emplace_back(QApplication::activeModalWidget());
        ASSERT_TRUE(shown.back() && shown.back()->isVisible());
        frames.push_back(shown.back()->frameGeometry());
        shown.back()->close();
    }
    // The about box is centred, and comes back where it was.
    const QPoint middle = shown[2]->screen()->availableGeometry().center();
    EXPECT_LE((frames[2].center() - middle).manhattanLength(), 1);
    EXPECT_EQ(frames[5], frames[2]);
    EXPECT_EQ(shown[0]->windowTitle(), "Tessel Picture Viewer");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(shown[i], shown[i + 3]);
    EXPECT_EQ(shown[1]->windowTitle(), "Tessel Key Strokes...");
    EXPECT_EQ(shown[2]->windowTitle(), "About");
    form.reset();
    for (const QPointer<QWidget>& w : shown)
        EXPECT_TRUE(w.isNull());
}

TEST_F(ToolWindowCommandsTest, AboutBoxLinksSaySoWhenNoBrowserStartsAndOkCloses)
{
    run(Cmd::HelpAbout);
    TAboutBox* about = windows<TAboutBox>().value(0);
    ASSERT_NE(about, nullptr);
    auto* link = about->findChild<QLabel*>("lblLicenceLink");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link->font().underline());
    const std::string path = std::getenv("PATH");
    TempDir empty;   // no program at all can be found there
    setenv("PATH", empty.path().c_str(), 1);
    QTest::mouseClick(link, Qt::LeftButton);
    setenv("PATH", path.c_str(), 1);
    // (The box itself: the FAQ viewer's test.)
    EXPECT_EQ(prompter.texts(), Lines{"Unable to Start Browser for Link to Website:  " + link->text().toStdString()});
    auto* ok = about->findChild<QPushButton*>("OKButton");
    EXPECT_TRUE(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

} // namespace
} // namespace tessel
