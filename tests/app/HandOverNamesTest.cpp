// Names handed to the running program, by a later start or on its own command
// line, that name no regular file.
#include "support/HandOverFixture.h"
#include "support/NonRegular.h"

namespace tessel {
namespace {

using namespace test;

class HandOverNamesTest : public HandOverFixture {
protected:
    void SetUp() override
    {
        script = dir.write("a.con", "");
        notRegular = {MakeNonRegular(dir, "pipe.con", NonRegular::Fifo),
                      MakeNonRegular(dir, "sock.con", NonRegular::Socket),
                      MakeNonRegular(dir, "folder.con", NonRegular::Folder), dir.file("gone.con")};
        told = notRegular[0] + " is not a regular file; " + notRegular[1] + " is not a regular file; " + notRegular[2] +
               " is a folder; " + notRegular[3] + ": no such file";
    }
    void ExpectOnlyTheScriptOpened()
    {
        EXPECT_EQ(Captions(), Lines{"VurAvozid - " + script});
        EXPECT_EQ(RecentMenu(), Lines{script});
        EXPECT_EQ(FromQString(form->StatusText(0)), told);
        EXPECT_EQ(prompter.texts(), Lines{});
    }

    std::string script, told;
    Lines notRegular;
};

TEST_F(HandOverNamesTest, ALaterStartsNamesOfNoRegularFileAreToldNotOpened)
{
    StartWithFakeEditors();
    ASSERT_TRUE((new InstanceServer(*form))->Listen(socket));
    EXPECT_TRUE(HandOverFromAnotherStart({notRegular[0], notRegular[1], script, notRegular[2], notRegular[3]}));
    ExpectOnlyTheScriptOpened();
}

// Checked when they open too: a name may have changed since the start read it.
TEST_F(HandOverNamesTest, TheCommandLinesNamesAreCheckedAsTheyOpen)
{
    commandLineFiles = {notRegular[0], notRegular[1], script, notRegular[2], notRegular[3]};
    StartWithFakeEditors();
    QCoreApplication::processEvents();
    ExpectOnlyTheScriptOpened();
}

} // namespace
} // namespace tessel
