#include "windows/editor/GeneralOpts.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "mainwindow/Commands.h"
#include "platform/Files.h"
#include "support/ProgramFixture.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/ScriptEdit.h"

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

TEST_F(GeneralOptsTest, TheMenuShowsTheWindowOrBringsItToTheFrontAndItsChoicesTakeEffectAtOnce)
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

    // The colouring choices take effect at once.
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

// EDuke32's CON: Duke mode colours its commands and events from the shipped
// data files, the wizard lists them, and the choice is kept for the next start.
TEST_F(GeneralOptsTest, TheEDuke32LanguageColoursItsWordsAndTheWizardFollows)
{
    for (const char* name : {"CNFcs.qcf", "cnfcs.ccf", "EDFcs.qcf", "edfcs.ccf"}) {
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(std::string(TESSEL_SOURCE_DIR) + "/data/" + name, bytes)) << name;
        dir.write(name, bytes);
    }
    const std::string script = dir.write("mine.con", "gamevar x 0 0\r\nonevent EVENT_GAME\r\n{ }\r\nendevent\r\n");
    auto wizard = [this] {
        Lines names;
        auto* list = form->findChild<QListWidget*>("MainConWiz");
        for (int i = 0; i < list->count(); ++i)
            names.push_back(FromQString(list->item(i)->text()));
        return names;
    };
    const Lines words = {"gamevar", "onevent", "EVENT_GAME", "endevent"};
    // The colour of each word as an editor colours the script when it loads.
    auto colours = [&] {
        OpenDocument(*form, script);
        ScriptEdit* edit = Active<TfrmConEdit>()->MainRichEdit();
        std::vector<TColor> out;
        for (const std::string& word : words)
            out.push_back(edit->ColorAt(static_cast<int>(edit->Text().find(word))));
        return out;
    };
    StartWith("");
    EXPECT_TRUE(Button("rdiConDuke15")->isChecked());
    EXPECT_EQ(colours(), std::vector<TColor>(4, clBlack));

    Button("rdiConEDuke32")->click();
    const Lines names = wizard();
    for (const std::string& word : words)
        EXPECT_NE(std::find(names.begin(), names.end(), word), names.end()) << word;
    form->findChild<QAction*>("FileCloseItem")->trigger();
    EXPECT_EQ(colours(), std::vector<TColor>(4, clBlue));
    options->close();
    EXPECT_EQ(Setting("ConLanguage"), 2);

    Restart();
    options = form->findChild<TfrmGeneralOpts*>("frmGeneralOpts");
    EXPECT_TRUE(Button("rdiConEDuke32")->isChecked());
    EXPECT_EQ(wizard(), names);
}

} // namespace
} // namespace tessel
