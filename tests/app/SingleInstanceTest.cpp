#include "app/SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class SingleInstanceTest : public ProgramFixture {
protected:
    // A later start's hand-over, from another thread: this one runs the program.
    bool HandOverFromAnotherStart(const Lines& files)
    {
        auto done = std::async(std::launch::async, [&] { return HandOver(socket, files); });
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
    EXPECT_TRUE(HandOverFromAnotherStart({script, archive}));
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
    EXPECT_TRUE(HandOverFromAnotherStart({}));
}

} // namespace
} // namespace tessel
