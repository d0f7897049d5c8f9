// Names handed to the running program, by a later start or on its own command
// line, that name no regular file.
#include <chrono>
#include <future>

#include "app/SingleInstance.h"
#include "support/NonRegular.h"
#include "support/ProgramFixture.h"

namespace tessel {
namespace {

using namespace test;

class HandOverNamesTest : public ProgramFixture {
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
    // A later start's hand-over, from another thread: this one runs the program.
    bool HandOverFromAnotherStart(const Lines& files)
    {
        auto done = std::async(std::launch::async, [&] { return HandOver(socket, files); });
        while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();   // the files open after the answer
        return done.get();
    }
    void ExpectOnlyTheScriptOpened()
    {
        EXPECT_EQ(Captions(), Lines{"VurAvozid - " + script});
        EXPECT_EQ(RecentMenu(), Lines{script});
        EXPECT_EQ(FromQString(form->StatusText(0)), told);
        EXPECT_EQ(prompter.texts(), Lines{});
    }

    std::string socket = dir.file("tessel.socket");
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
