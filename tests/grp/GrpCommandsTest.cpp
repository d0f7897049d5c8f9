#include "grp/GrpCommands.h"

#include <gtest/gtest.h>

#include "grp/GrpBytes.h"
#include "grp/RecordingHooks.h"
#include "platform/Files.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using test::Grp;
using test::Res;

using Command = void (*)(GrpArchiveView&, Prompter&);

const std::string A(10, 'A'), B(4, 'B');

struct Window {
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    test::RecordingHooks hooks{view};
    std::string original;

    // A 100-byte archive: two live entries, a deleted one and a slot.
    Window()
    {
        original = Grp({{"A.CON", 10, A}, {test::Del, 6, "dddddd"}, {"B.ART", 4, B}, {Res, 0, ""}});
        view.archivePath = dir.write("W.GRP", original);
        LoadArchive(view, view.archivePath, prompter);
        prompter.clear();
        hooks.painted.clear();
        hooks.busyStarts = 0;
    }
    std::string bytes() const { return dir.read("W.GRP"); }
};

TEST(GrpCommandsTest, EveryCommandNeedsAnArchiveThatIsStillThere)
{
    struct Case {
        Command command;
        std::string vanished;
    } cases[] = {
        {CreateReservedSpaceCommand, "The archive does not exist. Closing Archive..."},
        {EraseAllReservedSpaceCommand, "The archive does not exist. Closing Archive..."},
        {DefragmentArchiveCommand, "The Archive does not exist closing the archive..."},
    };
    for (const auto& c : cases) {
        Window w;
        const std::string path = w.view.archivePath;
        DeleteFile(path);
        c.command(w.view, w.prompter);
        EXPECT_EQ(w.prompter.texts(), std::vector<std::string>{c.vanished});
        EXPECT_TRUE(w.view.archivePath.empty() && w.view.rows.empty());
        EXPECT_EQ(w.view.caption, "Veska' pl1 maker - (No File Loaded)");
        w.prompter.clear();
        c.command(w.view, w.prompter);
        EXPECT_EQ(w.prompter.texts(), std::vector<std::string>{"There is no archive open."});
    }
}

TEST(GrpCommandsTest, CreateReservedSpaceAsksTheDialogWithTheArchiveSize)
{
    Window w;
    CreateReservedSpaceCommand(w.view, w.prompter);   // the dialog is cancelled
    EXPECT_EQ(w.hooks.dialogSizes, std::vector<std::int64_t>{100});
    EXPECT_EQ(w.bytes(), w.original);
    EXPECT_EQ(w.view.panels[0], "Finished");
    EXPECT_EQ(w.hooks.busyStarts, 0);

    w.hooks.slotsAnswer = 25;
    CreateReservedSpaceCommand(w.view, w.prompter);
    std::vector<test::Entry> expected = {{"A.CON", 10, A}, {"B.ART", 4, B}};
    expected.resize(2 + 1 + 25, {Res, 0, ""});
    EXPECT_EQ(w.bytes(), Grp(expected));
    EXPECT_EQ(w.view.rows.at(0).offset, 80 - 16 + 400);
    EXPECT_EQ(w.hooks.painted, std::vector<std::string>{"Creating reserved space and defragmenting file..."});
    EXPECT_EQ(w.view.panels[0], "Finished");
    EXPECT_EQ(w.hooks.busy, 0);
    EXPECT_TRUE(w.prompter.texts().empty());

    EXPECT_EQ(ReservedSpaceNotice(96),
              "This process will take 96 bytes of extra space on your hard drive, but your hardrive space will be "
              "returned to normal after the process has been completed. It also might take a few minutes, depending "
              "on the speed of your system...");
}

TEST(GrpCommandsTest, EraseAndDefragmentAskFirstQuotingTheArchiveSize)
{
    const std::string eraseQuestion =
        "Deleting the reserved space will make adding files slower, and to delete them, Tessel needs to defragment "
        "the archive which will take approximatly: 100 bytes extra on your hard drive. Once the defragmentation is "
        "completed the space on your hard drive will be returned to normal.\r\rThis Process might take a minute on "
        "slower machines. Do you want to procede?";
    const std::string defragQuestion =
        "Defragmentation of the archive will clean it up, and make it smaller after you have deleted any "
        "files.\r\rDefragmentation of the archive will take approximatly 100 bytes extra on your hard disk. The "
        "memory on your hard disk will be returned to normal after defragmentation finishes. Do you want to procede?";
    const std::string live = Grp({{"A.CON", 10, A}, {"B.ART", 4, B}});
    const std::string slotKept = Grp({{"A.CON", 10, A}, {"B.ART", 4, B}, {Res, 0, ""}});
    struct Case {
        Command command;
        std::string question;
        MsgResult answer;
        std::string bytesAfter;   // empty: unchanged
        std::string panelAfter;
        std::vector<std::string> painted;
    } cases[] = {
        {EraseAllReservedSpaceCommand, eraseQuestion, MsgResult::No, "", "Finished", {}},
        {EraseAllReservedSpaceCommand, eraseQuestion, MsgResult::Yes, live, "Finished",
         {"Erasing reserved space and defragmenting file..."}},
        {DefragmentArchiveCommand, defragQuestion, MsgResult::No, "", "Ready", {}},
        {DefragmentArchiveCommand, defragQuestion, MsgResult::Yes, slotKept, "Finished", {}},
    };
    for (const auto& c : cases) {
        Window w;
        w.view.panels[0] = "Ready";
        w.prompter.answers = {c.answer};
        c.command(w.view, w.prompter);
        ASSERT_EQ(w.prompter.shown.size(), 1u);
        EXPECT_EQ(w.prompter.shown[0].text, c.question);
        EXPECT_EQ(w.prompter.shown[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(w.view.panels[0], c.panelAfter);
        EXPECT_EQ(w.hooks.painted, c.painted);
        EXPECT_EQ(w.hooks.busy, 0);
        EXPECT_EQ(w.bytes(), c.bytesAfter.empty() ? w.original : c.bytesAfter);
        EXPECT_EQ(w.hooks.busyStarts, c.command == EraseAllReservedSpaceCommand && c.answer == MsgResult::Yes);
    }
}

} // namespace
} // namespace tessel
