#include "grp/GrpCommands.h"

#include <gtest/gtest.h>

#include "grp/GrpTestSupport.h"

namespace tessel {
namespace {

using namespace test;
using Rows = std::vector<std::string>;
using Command = void (*)(GrpArchiveView&, Prompter&);

// 100 bytes: two live entries, a deleted one and a slot.
const std::string Original = Grp({{"A.CON", 10}, {Del, 6}, {"B.ART", 4}, {Res, 0}});

TEST(GrpCommandsTest, EveryCommandNeedsAnArchiveThatIsStillThere)
{
    const std::pair<Command, std::string> cases[] = {
        {CreateReservedSpaceCommand, "The archive does not exist. Closing Archive..."},
        {EraseAllReservedSpaceCommand, "The archive does not exist. Closing Archive..."},
        {DefragmentArchiveCommand, "The Archive does not exist closing the archive..."}};
    for (const auto& [command, vanished] : cases) {
        Fixture f(Original);
        DeleteFile(f.path);
        command(f.view, f.prompter);
        EXPECT_TRUE(f.view.archivePath.empty() && f.view.rows.empty());
        command(f.view, f.prompter);
        EXPECT_EQ(f.prompter.texts(), (Rows{vanished, "There is no archive open."}));
    }
}

TEST(GrpCommandsTest, CreateReservedSpaceGivesTheDialogTheArchiveSize)
{
    Fixture f(Original);
    CreateReservedSpaceCommand(f.view, f.prompter);   // cancelled
    EXPECT_EQ(f.bytes(), Original);
    EXPECT_EQ(f.view.panels[0], "Finished");
    f.hooks.slotsAnswer = 25;
    CreateReservedSpaceCommand(f.view, f.prompter);
    EXPECT_EQ(f.bytes().size(), 100 - 16 - 6 + 25 * 16u);
    EXPECT_EQ(f.hooks.dialogSizes, (std::vector<std::int64_t>{100, 100}));
    EXPECT_EQ(f.hooks.painted, Rows{"Creating reserved space and defragmenting file..."});
    EXPECT_EQ(f.hooks.busyStarts - f.hooks.busy, 1);
    EXPECT_EQ(ReservedSpaceNotice(100),
              "This process will take 100 bytes of extra space on your hard drive, but your hardrive space will be "
              "returned to normal after the process has been completed. It also might take a few minutes, depending "
              "on the speed of your system...");
}

TEST(GrpCommandsTest, EraseAndDefragmentAskFirstQuotingTheArchiveSize)
{
    const std::string erase =
        "Deleting the reserved space will make adding files slower, and to delete them, Tessel needs to defragment "
        "the archive which will take approximatly: 100 bytes extra on your hard drive. Once the defragmentation is "
        "completed the space on your hard drive will be returned to normal.\r\rThis Process might take a minute on "
        "slower machines. Do you want to procede?";
    const std::string defrag =
        "Defragmentation of the archive will clean it up, and make it smaller after you have deleted any "
        "files.\r\rDefragmentation of the archive will take approximatly 100 bytes extra on your hard disk. The "
        "memory on your hard disk will be returned to normal after defragmentation finishes. Do you want to procede?";
    struct Case {
        Command command;
        std::string question;
        MsgResult answer;
        std::string bytesAfter, panelAfter, painted;
        int busy;
    } cases[] = {
        {EraseAllReservedSpaceCommand, erase, MsgResult::No, Original, "Finished", "", 0},
        {EraseAllReservedSpaceCommand, erase, MsgResult::Yes, Grp({{"A.CON", 10}, {"B.ART", 4}}), "Finished",
         "Erasing reserved space and defragmenting file...", 1},
        {DefragmentArchiveCommand, defrag, MsgResult::No, Original, "Ready", "", 0},
        {DefragmentArchiveCommand, defrag, MsgResult::Yes, Grp({{"A.CON", 10}, {"B.ART", 4}, {Res, 0}}), "Finished", "",
         0},
    };
    for (const auto& c : cases) {
        Fixture f(Original);
        f.view.panels[0] = "Ready";
        f.prompter.answers = {c.answer};
        c.command(f.view, f.prompter);
        EXPECT_EQ(f.prompter.texts(), Rows{c.question});
        EXPECT_EQ(f.prompter.shown.at(0).buttons, MsgButtons::YesNo);
        EXPECT_EQ(f.bytes(), c.bytesAfter);
        EXPECT_EQ(f.view.panels[0], c.panelAfter);
        EXPECT_EQ(f.hooks.painted, c.painted.empty() ? Rows{} : Rows{c.painted});
        EXPECT_EQ(f.hooks.busyStarts, c.busy);
        EXPECT_EQ(f.hooks.busy, 0);
    }
}

} // namespace
} // namespace tessel
