#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>

#include "support/NonRegular.h"
#include "support/ProgramFixture.h"

namespace tessel {
namespace {

using namespace test;

class SingleInstanceTest : public ProgramFixture {
protected:
    // What a later start does, run on another thread while this one runs the program.
    template <class Later> auto FromAnotherStart(Later later)
    {
        auto done = std::async(std::launch::async, later);
        while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();   // the files open after the answer
        return done.get();
    }

    std::string socket = dir.file("tessel.socket");
};

TEST_F(SingleInstanceTest, ALaterStartsFilesOpenInTheRunningProgram)
{
    StartWithFakeEditors();
    const std::string script = dir.write("a.con", "");
    const std::string archive = dir.write("E1.grp", std::string("KenSilverman\0\0\0\0", 16));
    ASSERT_TRUE((new InstanceServer(*form))->Listen(socket));
    form->showMinimized();
    EXPECT_TRUE(FromAnotherStart([&] { return HandOver(socket, {script, archive}); }));
    EXPECT_EQ(Captions(), (Lines{"VurAvozid - " + script, "Tessel Group File Explorer - " + archive}));
    EXPECT_EQ(Active<FakeDocument>(), nullptr);   // the explorer, opened last, is in front
    EXPECT_FALSE(form->isMinimized());
    // A second program on the same settings file does not take the socket over.
    EXPECT_FALSE((new InstanceServer(*form))->Listen(socket));
    EXPECT_EQ(prompter.texts(), Lines{});
}

TEST_F(SingleInstanceTest, TheSocketOfAProgramThatEndedIsTakenOver)
{
    // A socket file nobody listens at, as a killed program leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    EXPECT_FALSE(HandOver(socket, {}));

    StartBare();
    ASSERT_TRUE((new InstanceServer(*form))->Listen(socket));
    EXPECT_TRUE(FromAnotherStart([&] { return HandOver(socket, {}); }));
}

// Names of no regular file, on the command line (checked as they open: a
// name may have changed since the start read it) or from a later start.
TEST_F(SingleInstanceTest, NamesOfNoRegularFileAreToldNotOpened)
{
    const std::string script = dir.write("a.con", "");
    const Lines names = {MakeNonRegular(dir, "pipe.con", NonRegular::Fifo), script,
                         MakeNonRegular(dir, "folder.con", NonRegular::Folder), dir.file("gone.con")};
    const std::string told =
        names[0] + " is not a regular file; " + names[2] + " is a folder; " + names[3] + ": no such file";
    for (const bool later : {false, true}) {
        SCOPED_TRACE(later ? "a later start" : "the command line");
        form.reset();
        commandLineFiles = later ? Lines{} : names;
        StartWithFakeEditors();
        if (later) {
            ASSERT_TRUE((new InstanceServer(*form))->Listen(socket));
            EXPECT_TRUE(FromAnotherStart([&] { return HandOver(socket, names); }));
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(Captions(), Lines{"VurAvozid - " + script});
        EXPECT_EQ(RecentMenu(), Lines{script});
        EXPECT_EQ(FromQString(form->StatusText(0)), told);
        EXPECT_EQ(prompter.texts(), Lines{});
    }
}

// Of starts made together the first to take the lock runs; the others hand
// over to it, or, when it takes nothing (stopped), give up rather than run a
// second writer of the settings.
TEST_F(SingleInstanceTest, TheLockDecidesWhichStartRunsAndTheOthersHandOver)
{
    StartWithFakeEditors();
    FileLock first, later;
    std::string problem;
    EXPECT_EQ(JoinRunningProgram(socket, {}, first, problem), Joined::First);
    EXPECT_EQ(JoinRunningProgram(socket, {}, later, problem, 200), Joined::NoAnswer) << "nobody listens yet";
    ASSERT_TRUE((new InstanceServer(*form))->Listen(socket));
    EXPECT_EQ(FromAnotherStart([&] { return JoinRunningProgram(socket, {}, later, problem); }), Joined::HandedOver);
    first.Release();   // the running one ended: the next start runs
    EXPECT_EQ(JoinRunningProgram(socket, {}, later, problem), Joined::First);
    // No lock to be had at all: a start runs alone, and says why.
    const std::string blocked = dir.file("blocked.socket");
    ASSERT_EQ(::mkdir((blocked + ".lock").c_str(), 0700), 0);
    FileLock none;
    EXPECT_EQ(JoinRunningProgram(blocked, {}, none, problem), Joined::Alone);
    EXPECT_EQ(problem, blocked + ".lock: " + IoErrorText(EISDIR));
}

// Said once, in the status bar, with what the recovery folder has to say.
TEST_F(SingleInstanceTest, WhyLaterStartsCannotJoinIsSaidInTheStatusBar)
{
    ::close(::open(dir.file("state").c_str(), O_CREAT | O_WRONLY, 0600));   // no folder for the copies
    instanceProblem = "Later starts run a Tessel of their own: /tmp/tessel-0 belongs to another user";
    StartWithFakeEditors();
    EXPECT_EQ(form->StatusText(0).toStdString(), "No copies of unsaved texts are kept: " + dir.file("state") +
                                                     " is a file, not a folder; " + instanceProblem);
    EXPECT_EQ(prompter.texts(), Lines{});
}

} // namespace
} // namespace tessel
