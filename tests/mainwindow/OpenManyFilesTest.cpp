// Many files at once: the main window shows first, a question, and a progress
// dialog that can stop them.
#include <QProgressDialog>
#include <QPushButton>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class OpenManyFilesTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        fakeEditors = true;
        WriteLanguageFiles();
        for (int i = 0; i < 201; ++i)
            files.push_back(dir.write("f" + std::to_string(i) + ".con", ""));
    }
    QProgressDialog* Progress() { return form->findChild<QProgressDialog*>("dlgOpenProgress"); }

    Lines files;
};

// Nothing is opened or asked while the windows are built: only once the main
// window is up. No opens none.
TEST_F(OpenManyFilesTest, TheStartsManyFilesAreAskedForOnceTheWindowIsUp)
{
    state = std::make_unique<ProgramState>(dir.path());
    form = std::make_unique<TMainForm>(state->ForMainWindow(), prompter);
    ProgramWindowOptions options;
    options.splash = false;
    options.files = files;
    options.newEditor = [this]() -> QWidget* { return new FakeDocument(*form, *state); };
    BuildProgramWindows(*form, *state, options);
    EXPECT_EQ(prompter.texts(), Lines{});
    EXPECT_EQ(WindowCount(), 0);

    prompter.answers = {MsgResult::No};
    form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.texts(), Lines{"Open 201 files?"});
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(RecentMenu(), Lines{});
    EXPECT_EQ(Progress(), nullptr);
}

TEST_F(OpenManyFilesTest, YesOpensThemUntilCancelStopsAfterTheCurrentFile)
{
    Start();
    // Cancel as the 50th window comes up.
    bool shown = false;
    QObject::connect(Area(), &QMdiArea::subWindowActivated, form.get(), [&] {
        QProgressDialog* progress = Progress();
        if (Area()->subWindowList().size() != 50 || !progress || progress->wasCanceled())
            return;
        shown = progress->isVisible();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    prompter.answers = {MsgResult::Yes};
    form->OpenFiles(files);
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.texts(), Lines{"Open 201 files?"});
    EXPECT_TRUE(shown);
    EXPECT_EQ(WindowCount(), 50);
    EXPECT_EQ(Documents().back()->fileName, files[49]) << "read, not only named";
    EXPECT_EQ(RecentMenu(), (Lines{files[49], files[48], files[47], files[46]}));
    EXPECT_EQ(Progress(), nullptr);

    // As many as may open unasked open so.
    prompter.clear();
    form->OpenFiles(Lines(files.begin() + 1, files.end()));   // the 49 open only come to the front
    EXPECT_EQ(prompter.texts(), Lines{});
    EXPECT_EQ(WindowCount(), 201);
}

} // namespace
} // namespace tessel
