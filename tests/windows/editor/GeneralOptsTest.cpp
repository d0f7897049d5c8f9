#include "windows/editor/GeneralOpts.h"

#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class GeneralOptsTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        dir.write("CNFcs.qcf", "{if,3}\r\n");
        dir.write("cnfcs.ccf", "");
    }
    void StartWith(const std::string& ini)
    {
        form.reset();
        dir.write("QztMain.ini", ini);
        Start();
        options = form->findChild<TfrmGeneralOpts*>("frmGeneralOpts");
    }
    QRadioButton* Button(const char* name) { return options->findChild<QRadioButton*>(name); }
    int Setting(const char* key) { return state->session.Settings().ReadInteger("GeneralSetup", key, 0); }

    TfrmGeneralOpts* options = nullptr;
};

TEST_F(GeneralOptsTest, TheSettingsChooseTheButtonsAndEachCloseWritesThem)
{
    struct Row { const char* name; const char* ini; const char* saving; const char* appearance; SavingOption option;
                 int qztCon, colorGameFiles; } rows[] = {
        {"no section", "", "rdiQztCon", "rdiColorGameFls", SavingOption::Both, 1, 1},
        {"project file, nothing coloured", "[generalsetup]\r\nQztCon=2\r\nColorGameFiles=2\r\n", "rdiQzt",
         "rdiNoColorFls", SavingOption::ProjectFile, 2, 2},
        {"game file", "[GeneralSetup]\r\nQztCon=3\r\n", "rdiCon", "rdiColorGameFls", SavingOption::GameFile, 3, 1},
        {"out of range", "[GeneralSetup]\r\nQztCon=7\r\nColorGameFiles=0\r\n", "rdiQztCon", "rdiColorGameFls",
         SavingOption::Both, 1, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        StartWith(r.ini);
        EXPECT_TRUE(Button(r.saving)->isChecked());
        EXPECT_TRUE(Button(r.appearance)->isChecked());
        EXPECT_EQ(state->editor.NoColoring, r.colorGameFiles == 2);
        EXPECT_EQ(state->editor.Saving, r.option);
        EXPECT_EQ(dir.read("QztMain.ini"), r.ini) << "read only";
        options->findChild<QPushButton*>("btnDone")->click();
        EXPECT_EQ(Setting("QztCon"), r.qztCon);
        EXPECT_EQ(Setting("ColorGameFiles"), r.colorGameFiles);
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(GeneralOptsTest, TheMenuShowsTheWindowOrBringsItToTheFront)
{
    StartWith("");
    QAction* menu = form->findChild<QAction*>("mnuViewEditOpts");
    EXPECT_FALSE(options->isVisible());
    menu->trigger();
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(options->windowTitle(), "General Options");
    // Owned by the main window, so that it stays above it.
    EXPECT_EQ(options->windowHandle()->transientParent(), form->windowHandle());
    EXPECT_EQ(options->windowHandle()->type(), Qt::Dialog);
    options->showMinimized();
    menu->trigger();
    EXPECT_FALSE(options->isMinimized());
    Button("rdiCon")->click();
    options->close();   // the close box
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(Setting("QztCon"), 3);
    menu->trigger();
    EXPECT_TRUE(options->isVisible() && Button("rdiCon")->isChecked());
}

TEST_F(GeneralOptsTest, ColoringChoicesTakeEffectAtOnce)
{
    StartWith("");
    Button("rdiNoColorFls")->click();
    EXPECT_TRUE(state->editor.NoColoring);
    Button("rdiColorGameFls")->click();
    EXPECT_FALSE(state->editor.NoColoring);
    // A missing colour definition file turns colouring back on; the buttons stay.
    Button("rdiNoColorFls")->click();
    form->findChild<QAction*>("mnuEditQuakeMode")->trigger();
    EXPECT_FALSE(state->editor.NoColoring);
    EXPECT_TRUE(Button("rdiNoColorFls")->isChecked());
    options->close();
    EXPECT_EQ(Setting("ColorGameFiles"), 2);
}

} // namespace
} // namespace tessel
