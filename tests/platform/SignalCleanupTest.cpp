#include "platform/SignalCleanup.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "platform/Errors.h"
#include "platform/Files.h"
#include "support/NonRegular.h"

namespace tessel {
namespace {

using namespace test;

TEST(SignalCleanupTest, ASignalInTheMiddleOfAReplacementLeavesTheOldFileAndEndsTheProcessByIt)
{
    for (const auto& [name, sig] : {std::pair{"interrupt", SIGINT}, {"terminate", SIGTERM}, {"hang up", SIGHUP}}) {
        SCOPED_TRACE(name);
        TempDir dir;
        const std::string target = dir.write("T", "old");
        EXPECT_EQ(InChild([&, sig = sig] {
                      InstallSignalCleanup();
                      ReplaceFile(target, [&](File& out) {
                          out.Write("ne", 2);
                          ::raise(sig);
                          out.Write("w", 1);
                      });
                  }),
                  "signal " + std::to_string(sig));
        EXPECT_EQ(dir.read("T"), "old");
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"T"});
    }
}

TEST(SignalCleanupTest, AnAppendIsCutBackUntilReleasedAndHeldSignalsActAfterwards)
{
    TempDir dir;
    const std::string path = dir.write("A", "1234");
    const auto append = [&](bool release, int sig) {
        InstallSignalCleanup();
        File f(path, File::Mode::ReadWrite);
        TruncateOnSignal truncate(f, 4);
        f.WriteAt("5678", 4, 4);
        HoldSignals hold;
        ::raise(sig);
        if (release)
            truncate.Release();
    };
    EXPECT_EQ(InChild([&] { append(false, SIGTERM); }), "signal 15");
    EXPECT_EQ(dir.read("A"), "1234");
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        dir.write("A", "1234");
        EXPECT_EQ(InChild([&] { append(true, sig); }), "signal " + std::to_string(sig));
        EXPECT_EQ(dir.read("A"), "12345678");
    }
    // Started with hang-ups ignored (nohup): they stay ignored.
    EXPECT_EQ(InChild([&] {
                  ::signal(SIGHUP, SIG_IGN);
                  InstallSignalCleanup();
                  RemoveOnSignal remove(path);
                  ::raise(SIGHUP);
              }),
              "");
    EXPECT_TRUE(FileExists(path));
}

// The program notes a signal for its event loop and goes on to end by it;
// any further signal meanwhile (a write that hangs) ends it at once, as the
// cleanup handler would. A program made anew has nothing noted.
TEST(SignalCleanupTest, TheProgramIsToldOfASignalAndAnyFurtherOneEndsIt)
{
    TempDir dir;
    const std::string temp = dir.write("T", "");
    EXPECT_EQ(InChild([&] {
                  InstallSignalNotice();
                  ::raise(SIGINT);
                  const int pipe = InstallSignalNotice();
                  RemoveOnSignal remove(temp);
                  if (TakeSignalNotice() != 0)
                      throw AppError("noted before");
                  ::raise(SIGHUP);
                  if (pipe < 0 || TakeSignalNotice() != SIGHUP || TakeSignalNotice() != SIGHUP || !FileExists(temp))
                      throw AppError("not noted");
                  ::raise(SIGTERM);
              }),
              "signal 15");
    EXPECT_FALSE(FileExists(temp));
    EXPECT_EQ(InChild([] { EndBySignal(SIGTERM); }), "signal 15");
}

} // namespace
} // namespace tessel
