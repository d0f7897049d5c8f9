// The program as a process, as a desktop starts and ends it: a copy (a link
// to it, with its data files: a portable Tessel) in a folder of its own, with
// its own runtime, state and temporary folders.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ProcessRun.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using namespace test;

class ProgramProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        for (const char* folder : {"bin", "run", "tmp"})
            ASSERT_EQ(::mkdir(dir.file(folder).c_str(), 0700), 0);
        for (const char* name : {"tessel", "CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf", "cnfcs.ccf"}) {
            const fs::path from = fs::path(TESSEL_BIN_DIR) / name, to = dir.file("bin/") + name;
            std::error_code linked;
            fs::create_hard_link(from, to, linked);
            if (linked)
                fs::copy_file(from, to);
        }
        fault.environment = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + dir.file("run"),
                             "XDG_STATE_HOME=" + dir.file("state"), "TMPDIR=" + dir.file("tmp"),
                             "HOME=" + dir.file("home")};
    }

    std::unique_ptr<StartedProcess> Start(const std::vector<std::string>& args = {})
    {
        return std::make_unique<StartedProcess>(dir.file("bin/tessel"), args, fault);
    }
    // Whether the running Tessel takes the files of later starts: once it
    // listens (and so holds the lock, which a later start must not win); a
    // later start ends at once, 0 when handed over.
    bool Answers()
    {
        for (int tenths = 0; tenths < 600; ++tenths) {
            for (const auto& entry : std::filesystem::directory_iterator(dir.file("run")))
                if (entry.path().extension() == ".socket")
                    return RunProcess(dir.file("bin/tessel"), {}, fault).code == 0;
            ::usleep(100000);
        }
        return false;
    }

    TempDir dir;
    ProcessFault fault;
};

// Of starts made together one runs; the others hand their files to it. A
// Tessel that is stopped still holds its place: a later start does not run a
// second writer of the settings, but says so and fails.
TEST_F(ProgramProcessTest, StartsMadeTogetherMakeOneTesselWhichHoldsItsPlaceWhenStopped)
{
    std::vector<std::unique_ptr<StartedProcess>> starts;
    for (int i = 0; i < 8; ++i)
        starts.push_back(Start({dir.write("s" + std::to_string(i) + ".con", "")}));
    // All but one end (a bound against a hang, not a measure); that one runs on.
    std::vector<StartedProcess*> running;
    for (int tenths = 0; tenths < 600; ++tenths) {
        running.clear();
        for (auto& start : starts)
            if (const std::optional<ProcessResult> ended = start->Wait(0); !ended)
                running.push_back(start.get());
        if (running.size() <= 1)
            break;
        ::usleep(100000);
    }
    for (auto& start : starts) {
        if (const std::optional<ProcessResult> ended = start->Wait(0)) {
            EXPECT_EQ(ended->code, 0) << ended->err;
        }
    }
    ASSERT_EQ(running.size(), 1u);
    ::kill(running[0]->Pid(), SIGSTOP);
    const std::optional<ProcessResult> later = Start({dir.write("a.con", "")})->Wait(60);
    ::kill(running[0]->Pid(), SIGCONT);
    ASSERT_TRUE(later) << "it runs as a second Tessel";
    EXPECT_EQ(later->code, 1);
    EXPECT_NE(later->err.find("tessel: the running Tessel does not answer"), std::string::npos) << later->err;
    EXPECT_TRUE(Answers()) << "it runs on";
    ::kill(running[0]->Pid(), SIGTERM);
    const std::optional<ProcessResult> ended = running[0]->Wait(60);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->signal, SIGTERM);
}

} // namespace
} // namespace tessel
