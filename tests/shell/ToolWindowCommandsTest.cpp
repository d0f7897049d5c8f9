#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "calc/Calculator.h"
#include "shell/About.h"
#include "shell/ConFaq.h"
#include "shell/Globals.h"
#include "shell/Keystroke.h"
#include "shell/Main.h"
#include "shell/Picture.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

class ToolWindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        form = std::make_unique<TMainForm>(prompter, dir.path());
        form->show();
        prompter.clear();   // the language files are not there
    }
    void TearDown() override
    {
        form.reset();
        ResetGlobals();
    }
    void run(Cmd id) { form->action(id)->trigger(); }
    template <class Window> QList<Window*> windows() const
    {
        return form->findChildren<Window*>(QString(), Qt::FindDirectChildrenOnly);
    }
    static void discardClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

TEST_F(ToolWindowCommandsTest, FaqViewerWhileItsFileIsThere)
{
    const std::string missing = "There is no ConFaq in the Main Program Directory: \"" + dir.path() +
                                "\". If you want to view it, put the file: confaq40.rtf in the main program directory.";
    FaqOpen = true;
    run(Cmd::HelpConFaq);
    ASSERT_EQ(prompter.texts(), std::vector<std::string>{missing});
    EXPECT_EQ(prompter.shown[0].caption, "Information");
    EXPECT_EQ(prompter.shown[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(FaqOpen);
    EXPECT_TRUE(windows<TfrmConFaq>().isEmpty());

    dir.write("confaq40.rtf", "{\\rtf1 Questions\\par}");
    run(Cmd::HelpConFaq);
    ASSERT_EQ(windows<TfrmConFaq>().size(), 1);
    QPointer<TfrmConFaq> first = windows<TfrmConFaq>()[0];
    EXPECT_TRUE(FaqOpen);
    EXPECT_TRUE(first->isVisible());
    first->showMinimized();
    run(Cmd::HelpConFaq);
    EXPECT_EQ(windows<TfrmConFaq>().size(), 1);
    EXPECT_FALSE(first->isMinimized());

    first->close();
    discardClosed();
    EXPECT_FALSE(FaqOpen);
    EXPECT_TRUE(first.isNull());
    ASSERT_EQ(std::remove(dir.file("confaq40.rtf").c_str()), 0);
    prompter.clear();
    run(Cmd::HelpConFaq);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{missing});
    dir.write("confaq40.rtf", "{\\rtf1 Answers\\par}");
    run(Cmd::HelpConFaq);
    ASSERT_EQ(windows<TfrmConFaq>().size(), 1);
    EXPECT_EQ(windows<TfrmConFaq>()[0]->findChild<QTextEdit*>()->toPlainText().toStdString(), "Answers\n");
}

TEST_F(ToolWindowCommandsTest, OneCalculatorAtATime)
{
    run(Cmd::ToolCalculator);
    ASSERT_EQ(windows<TfrmCalculator>().size(), 1);
    QPointer<TfrmCalculator> first = windows<TfrmCalculator>()[0];
    EXPECT_TRUE(CalculatorOpen);
    EXPECT_EQ(first->windowTitle(), "Tessel Calculator");
    QTest::keyClicks(first, "7+");
    first->showMinimized();
    run(Cmd::ToolCalculator);
    EXPECT_EQ(windows<TfrmCalculator>().size(), 1);
    EXPECT_FALSE(first->isMinimized());

    first->close();
    discardClosed();
    EXPECT_FALSE(CalculatorOpen);
    run(Cmd::ToolCalculator);
    ASSERT_EQ(windows<TfrmCalculator>().size(), 1);
    TfrmCalculator* second = windows<TfrmCalculator>()[0];
    EXPECT_EQ(second->findChild<QLabel*>("lblCalculator")->text(), "0.");
    QTest::keyClicks(second, "3=");
    EXPECT_EQ(second->findChild<QLabel*>("lblCalculator")->text(), "10.");
}

TEST_F(ToolWindowCommandsTest, LastingWindowsShowModallyAndAreMadeOnce)
{
    // The entry sequence makes the picture viewer; the others are made by their first command.
    auto* picture = new TfrmPicture(prompter, form.get());
    form->AddToolWindow(picture);
    const struct {
        Cmd command;
        const char* title;
    } cases[] = {{Cmd::ViewPicture, "Tessel Picture Viewer"},
                 {Cmd::HelpKeyStrokes, "Tessel Key Strokes..."},
                 {Cmd::HelpAbout, "About"}};
    std::vector<QPointer<QWidget>> made;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const int before = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size();
        run(c.command);
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->windowTitle(), c.title);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->windowModality(), Qt::ApplicationModal);
        shown->close();
        run(c.command);
        EXPECT_EQ(QApplication::activeModalWidget(), shown);
        const int after = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size();
        EXPECT_EQ(after - before, shown == picture ? 0 : 1);
        shown->close();
        made.emplace_back(shown);
    }
    form.reset();
    for (const QPointer<QWidget>& w : made)
        EXPECT_TRUE(w.isNull());
}

TEST_F(ToolWindowCommandsTest, KeyStrokesAndAboutTexts)
{
    run(Cmd::HelpKeyStrokes);
    auto* keys = windows<TfrmKeyStrokes>().value(0);
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->findChild<QLabel*>("lblCommonKeyStrokes")->text(), "Common Key Strokes:");
    EXPECT_EQ(keys->findChild<QLabel*>("lblTip1")->text(),
              "To insert the programming identifier that appears in the wizard box, press: Ctrl + Alt + C . Note: If "
              "you use the regular insert button, it doesn't check to see if you were previously \ntyping in a word, "
              "but Ctrl + Alt + C does and it replaces the word with a new one.");
    EXPECT_EQ(keys->findChild<QLabel*>("lblTip3")->text(), "To Deblock indent a block of code use Ctrl + Alt + I .");
    keys->close();

    run(Cmd::HelpAbout);
    auto* about = windows<TAboutBox>().value(0);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->findChild<QLabel*>("ProductName")->text(), "The Tessel");
    EXPECT_EQ(about->findChild<QLabel*>("Version")->text(), "Version 1.7.2.9");
    auto* ok = about->findChild<QPushButton*>("OKButton");
    EXPECT_TRUE(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(ToolWindowCommandsTest, AboutLinkSaysSoWhenNoBrowserStarts)
{
    run(Cmd::HelpAbout);
    auto* link = windows<TAboutBox>().value(0)->findChild<QLabel*>("lblLicenceLink");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link->font().underline());
    const std::string path = std::getenv("PATH");
    TempDir empty;   // no program at all can be found there
    setenv("PATH", empty.path().c_str(), 1);
    QTest::mouseClick(link, Qt::LeftButton);
    setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].text,
              "Unable to Start Browser for Link to Website:  " + link->text().toStdString());
}

} // namespace
} // namespace tessel
