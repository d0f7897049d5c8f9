#include "session/CommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/NonRegular.h"

namespace tessel {
namespace {

using Strings = std::vector<std::string>;
using Action = CommandLine::Action;

TEST(CommandLineTest, OptionsAndFiles)
{
    const bool shared = false, ownInstance = true;   // newInstance
    struct Row {
        const char* name;
        Strings args;
        Action action;
        bool newInstance;
        Strings files;
    } rows[] = {
        {"nothing", {}, Action::Run, shared, {}},
        {"files in order, any kind", {"b.GRP", "a.con", "-"}, Action::Run, shared, {"b.GRP", "a.con", "-"}},
        {"a separate program", {"a.con", "--new-instance"}, Action::Run, ownInstance, {"a.con"}},
        {"after --, names that look like options", {"--", "--help", "-x"}, Action::Run, shared, {"--help", "-x"}},
        {"--help wins over files", {"a.con", "--help", "--version"}, Action::Help, shared, {"a.con"}},
        {"--version", {"--version"}, Action::Version, shared, {}},
        {"an option of no one", {"a.con", "-platform", "xcb"}, Action::BadUsage, shared, {"a.con"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CommandLine line = ParseCommandLine(r.args);
        EXPECT_EQ(line.action, r.action);
        EXPECT_EQ(line.newInstance, r.newInstance);
        EXPECT_EQ(line.files, r.files);
    }
    EXPECT_EQ(ParseCommandLine({"--bogus"}).error, "unknown option --bogus");
}

// What the start says of a name it does not open: a folder is called one.
TEST(CommandLineTest, ANameThatIsNoFileIsSaidWhatItIs)
{
    TempDir dir;
    const std::string file = dir.write("a.con", ""), folder = dir.path() + "mods";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const std::string pipe = test::MakeNonRegular(dir, "pipe", test::NonRegular::Fifo);
    EXPECT_EQ(StartFileProblem(file), "");
    EXPECT_EQ(StartFileProblem(folder), folder + " is a folder");
    EXPECT_EQ(StartFileProblem(pipe), pipe + " is not a regular file");
    EXPECT_EQ(StartFileProblem(dir.file("missing")), dir.file("missing") + ": no such file");
}

TEST(CommandLineTest, TheOpenRequestCarriesAnyNameWholeAndOnlyWhenComplete)
{
    const Strings names = {"/home/me/a b.con", "/x/new\nline.GRP", "/x/\xe9t\xe9.qc"};
    const std::string message = EncodeOpenRequest(names);
    Strings files;
    for (std::size_t cut = 0; cut < message.size(); ++cut)
        ASSERT_EQ(DecodeOpenRequest(message.substr(0, cut), files), RequestState::Incomplete) << cut;
    ASSERT_EQ(DecodeOpenRequest(message, files), RequestState::Complete);
    EXPECT_EQ(files, names);
    EXPECT_EQ(DecodeOpenRequest(EncodeOpenRequest({}), files), RequestState::Complete);
    EXPECT_EQ(files, Strings{});
    EXPECT_EQ(DecodeOpenRequest("GET / HTTP/1.0\r\n", files), RequestState::Invalid);
    EXPECT_EQ(DecodeOpenRequest(message + "more", files), RequestState::Invalid);
}

} // namespace
} // namespace tessel
