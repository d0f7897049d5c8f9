#pragma once
// Fakes for the launcher tests: programs named like the games that record how
// they were started, a directory chooser that answers from a queue, the
// messages of a ScriptedPrompter in one line each, DOS and Windows executables,
// a guard that puts the current folder back, and the launch logic's fixture.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "launch/DirectoryChoice.h"
#include "launch/GameDirectories.h"
#include "launch/GameLaunch.h"
#include "platform/Files.h"
#include "platform/ProfileFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel::test {

using Strings = std::vector<std::string>;
using Starts = std::vector<std::optional<std::string>>;   // where each use of a chooser started

// Makes the folders names (a name of "" is base itself) under base.
inline void MakeFolders(const std::string& base, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        ::mkdir((base + name).c_str(), 0755);
}

// Writes a program at path that records its working folder and its arguments
// in path + ".run" (written whole, by a rename, once it has run).
inline std::string FakeProgram(const std::string& path)
{
    const std::string record = path + ".run";
    const std::string script = "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                               "{ pwd -P; for a in \"$@\"; do echo \"[$a]\"; done; } > \"" + record + ".tmp\"\n"
                               "mv \"" + record + ".tmp\" \"" + record + "\"\n";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << script;
    ::chmod(path.c_str(), 0755);
    return path;
}

// An MZ executable: a DOS header of 64 bytes (its new-header offset, at 0x3C,
// is newHeader), then the DOS image (entered at its start), then extra.
inline std::string MzExecutable(const std::string& image, std::uint32_t newHeader = 0, const std::string& extra = "")
{
    const std::size_t size = 64 + image.size();
    const std::uint16_t fields[] = {0x5A4D, std::uint16_t(size % 512), std::uint16_t((size + 511) / 512), 0,
                                    4, 0x20, 0xFFFF, 0, 0x200, 0, 0, 0, 0x40, 0};
    std::string header(64, '\0');
    for (std::size_t i = 0; i < std::size(fields); ++i)
        header[2 * i] = char(fields[i] & 0xFF), header[2 * i + 1] = char(fields[i] >> 8);
    for (int i = 0; i < 4; ++i)
        header[0x3C + i] = char(newHeader >> (8 * i));
    return header + image + extra;
}

struct StartRecord {
    std::string folder;                  // empty: the program never ran
    std::vector<std::string> arguments;
};

// A file's bytes once it has been made (whole: it is made by a rename), or
// nothing when it never is; a bound against hanging, not a timing check.
inline std::optional<std::string> WaitForFile(const std::string& path)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!FileExists(path) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::string bytes;
    return ReadWholeFile(path, bytes) ? std::optional(bytes) : std::nullopt;
}

// How the fake program at path was started, once it has (it runs on its own).
inline StartRecord WaitForStart(const std::string& path)
{
    StartRecord run;
    std::istringstream in(WaitForFile(path + ".run").value_or(""));
    std::string line;
    if (!std::getline(in, run.folder))
        return run;
    while (std::getline(in, line))
        run.arguments.push_back(line.substr(1, line.size() - 2));
    return run;
}

// The messages shown, one line each: "Tessel: text" for a plain message,
// "Information: text" (its kind) for a typed box, "Error box: text".
inline std::vector<std::string> Messages(const ScriptedPrompter& prompter)
{
    std::vector<std::string> out;
    for (const auto& s : prompter.shown) {
        const std::string kind = s.kind == ScriptedPrompter::Kind::Error ? "Error box" : s.caption;
        out.push_back(kind + (s.buttons == MsgButtons::YesNo ? " (Yes/No): " : ": ") + s.text);
    }
    return out;
}

class FakeChooser : public DirectoryChooser {
public:
    std::optional<std::string> ChooseDirectory(const std::optional<std::string>& start) override
    {
        starts.push_back(start);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected directory chooser";
            return std::nullopt;
        }
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> answers;   // a directory, or nullopt for Cancel
    Starts starts;
};

// A test that enters folders of its own puts the current one back.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() : saved_(CurrentDirectory()) {}
    ~CurrentFolderGuard() { EnterFolder(saved_); }
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

private:
    std::string saved_;
};

// Writes into the settings file through one edit, as the program does at exit.
template <class Write>
void WriteAtOnce(const ProfileFile& ini, Write write)
{
    ProfileEdit edit(ini.FileName());
    write(edit);
    edit.Commit();
}

// The launch logic's tests: a folder of the test's own with a settings file,
// the launchers' directories and a prompter. That folder is current meanwhile,
// so that an empty or relative name never reaches the caller's files.
class LaunchFixture : public ::testing::Test {
protected:
    LaunchFixture() { EnterFolder(dir.path()); }
    // A plan's copies, "source > destination; " each, named from the test's folder.
    std::string copies(const GameLaunch& launch) const
    {
        std::string out;
        for (const FileCopy& c : launch.copies)
            out += c.source.substr(dir.path().size()) + " > " + c.destination.substr(dir.path().size()) + "; ";
        return out;
    }
    // A row's text with "~/" standing for the test's folder.
    std::string local(std::string text) const
    {
        for (std::size_t at = text.find("~/"); at != std::string::npos; at = text.find("~/", at + dir.path().size()))
            text.replace(at, 2, dir.path());
        return text;
    }

    TempDir dir;
    ScriptedPrompter prompter;
    GameDirectories dirs;
    ProfileFile settings{dir.file("QztMain.ini")};
    CurrentFolderGuard folder;
};

// Carries a plan out the way a command does: an error ends in the error box.
inline LaunchOutcome CarryOutGuarded(const GameLaunch& launch, Prompter& prompter,
                                     const std::string& dosProgram = DefaultDosProgram)
{
    LaunchOutcome outcome;
    RunGuarded(prompter, [&] { outcome = CarryOut(launch, dosProgram); });
    return outcome;
}

} // namespace tessel::test
