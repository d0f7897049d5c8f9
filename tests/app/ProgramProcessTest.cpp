// The program as a process, as a desktop starts and ends it: starts made
// together, a start while the running Tessel is stopped, the end by a signal.
// Each test runs a copy of the program (a link to it, with its data files:
// a portable Tessel) in a folder of its own, with its own runtime, state and
// temporary folders.
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
    // A later start, which ends at once: handed over (0) or not.
    ProcessResult StartAgain(const std::vector<std::string>& args = {})
    {
        return RunProcess(dir.file("bin/tessel"), args, fault);
    }
    // Whether the running Tessel takes the files of later starts: once it
    // listens (and so holds the lock, which a later start must not win).
    bool Answers()
    {
        for (int tenths = 0; tenths < 600; ++tenths) {
            for (const std::string& name : ListNames(dir.file("run")))
                if (name.size() > 7 && name.compare(name.size() - 7, 7, ".socket") == 0)
                    return StartAgain().code == 0;
            ::usleep(100000);
        }
        return false;
    }
    static std::vector<std::string> ListNames(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempDir dir;
    ProcessFault fault;
};

// Of starts made together one runs; the others hand their files to it.
TEST_F(ProgramProcessTest, StartsMadeTogetherMakeOneTessel)
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
    ::kill(running[0]->Pid(), SIGTERM);
    const std::optional<ProcessResult> ended = running[0]->Wait(60);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->signal, SIGTERM);
}

// A Tessel that is stopped holds its place: a later start does not run a
// second writer of the settings, but says so and fails.
TEST_F(ProgramProcessTest, AStartWhileTheRunningTesselIsStoppedSaysSoAndEnds)
{
    auto first = Start();
    ASSERT_TRUE(Answers());
    ::kill(first->Pid(), SIGSTOP);
    const std::optional<ProcessResult> later = Start({dir.write("a.con", "")})->Wait(60);
    ASSERT_TRUE(later) << "it runs as a second Tessel";
    EXPECT_EQ(later->code, 1);
    EXPECT_NE(later->err.find("tessel: the running Tessel does not answer"), std::string::npos) << later->err;
    ::kill(first->Pid(), SIGCONT);
    EXPECT_FALSE(first->Wait(0)) << "it runs on";
    EXPECT_TRUE(Answers());
}

// SIGTERM and SIGHUP end the program even when the settings cannot be
// written: that is said on standard error, and no box holds the exit up.
TEST_F(ProgramProcessTest, ASignalEndsTheProgramWhateverCannotBeWritten)
{
    for (const int sig : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(sig);
        // The socket a program ended by a signal leaves would be taken for the new one's.
        std::filesystem::remove_all(dir.file("run"));
        ASSERT_EQ(::mkdir(dir.file("run").c_str(), 0700), 0);
        auto program = Start();
        ASSERT_TRUE(Answers());
        std::filesystem::remove_all(dir.file("bin/QztMain.ini"));
        ASSERT_EQ(::mkdir(dir.file("bin/QztMain.ini").c_str(), 0700), 0);
        ::kill(program->Pid(), sig);
        const std::optional<ProcessResult> ended = program->Wait(60);
        ASSERT_TRUE(ended) << "still running";
        EXPECT_EQ(ended->signal, sig);
        EXPECT_NE(ended->err.find(dir.file("bin/QztMain.ini")), std::string::npos) << ended->err;
        ::rmdir(dir.file("bin/QztMain.ini").c_str());
    }
}

} // namespace
} // namespace tessel
