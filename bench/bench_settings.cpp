// Settings costs, measured side by side in one run:
//  - a settings read next to just reading the file's bytes: a read of a
//    settled file looks at its stamp and at one section of what its accessor
//    parsed, so this ratio is well below 1 (a file changed in the last two
//    seconds is read again on every read: its times may not tell a change yet);
//  - the reads of program start-up (the main window's, each launcher's, the
//    editor options'), one accessor a window as the windows make them, in a
//    settings file of 15 MiB (a section of junk before the program's own, as
//    far as a settings file may grow): in milliseconds, against one plain read
//    of the file's bytes, and against each key read with an accessor of its
//    own (what every read cost when each read the whole file again);
//  - the keys written at program exit (the two launchers' options, the game
//    mode, the recent files) into a settings file as the program keeps it,
//    by the program's own writers into one edit, against a single ReplaceFile
//    of the same final bytes. Every round starts from the same file; the
//    figures are medians of alternating rounds.
#include "launch/DukeLaunch.h"
#include "launch/GameDirectories.h"
#include "launch/QuakeLaunch.h"
#include "platform/Files.h"
#include "platform/ProfileFile.h"
#include "session/Session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Iterations = 2000;
constexpr int WriteRounds = 41;

using Clock = std::chrono::steady_clock;

template <typename F>
double SecondsFor(F&& body)
{
    const auto start = Clock::now();
    for (int i = 0; i < Iterations; ++i)
        body(i);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <typename F>
double SecondsOnce(F&& body)
{
    const auto start = Clock::now();
    body();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> samples)
{
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

void WritePlain(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadPlain(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A settings file after some use: every section the program keeps, 42 keys.
const char* const KeptSettings =
    "[ProgStartup]\r\nGameUp=1\r\n\r\n"
    "[RecentFiles]\r\nRecent1=/home/player/duke3d/mods/arena/GAME.CON\r\n"
    "Recent2=/home/player/duke3d/mods/arena/USER.CON\r\nRecent3=/home/player/quake/src/weapons.qc\r\n"
    "Recent4=/home/player/quake/src/client.qc\r\n\r\n"
    "[Directorys]\r\nDuke3DDir=/home/player/duke3d/\r\nConDir=/home/player/duke3d/mods/arena/\r\n"
    "BuildDir=/home/player/duke3d/build/\r\n\r\n"
    "[QuakeDirectorys]\r\nQuakeDir=/home/player/quake/\r\nQCDir=/home/player/quake/src/\r\n"
    "MainQMapEdProg=/home/player/quake/tools/qmaped.exe\r\nMainQCToolDir=/home/player/quake/tools/\r\n"
    "ProgsDir=/home/player/quake/src/\r\n\r\n"
    "[DukeStartup]\r\nSkill=3\r\nLaunchReg=0\r\nFakeMulti=0\r\nNoMon=1\r\nCopy=1\r\nRecordDemo=0\r\n"
    "AutoCopy=1\r\nUseTC=0\r\nLoadGameCon=1\r\nFakePlayers=1\r\nEpisode=2\r\nMap=4\r\n"
    "UserMap=/home/player/duke3d/maps/arena1.map\r\nAlternateEXE=\r\n\r\n"
    "[QuakeStartup]\r\nSkill=2\r\nLaunchReg=0\r\nCopy=0\r\nRecordDemo=0\r\nUseTC=1\r\nCheckUseAltExe=1\r\n"
    "Level=9\r\ncmbAltExeVal=0\r\nUserMap=\r\nTC=/home/player/quake/arena/\r\nSpefTCDir=/home/player/quake/arena/\r\n"
    "\r\n"
    "[GeneralSetup]\r\nQztCon=1\r\nColorGameFiles=1\r\n\r\n"
    "[GroupFileExplorer]\r\nTreeListEnable=0\r\n\r\n"
    "[Tessel]\r\nLastFolder=/home/player/duke3d/mods/arena/\r\n";

// What a session leaves for program exit: the launchers' options as their
// controls hold them (a few changed), the game mode and the recent files.
struct ExitState {
    tessel::QuakeOptions quake;
    tessel::DukeOptions duke;
    std::vector<std::string> recent = {"/home/player/quake/src/defs.qc", "/home/player/duke3d/mods/arena/GAME.CON",
                                       "/home/player/duke3d/mods/arena/USER.CON", "/home/player/quake/src/weapons.qc"};
};

ExitState SessionOf(const std::string& settings)
{
    ExitState s{tessel::ReadQuakeOptions(tessel::ProfileFile(settings)),
                tessel::ReadDukeOptions(tessel::ProfileFile(settings))};
    s.quake.level = 12;
    s.duke.skill = 4;
    tessel::ChangeDukeEpisode(s.duke, 3);
    s.duke.userMap = "/home/player/duke3d/maps/arena2.map";
    return s;
}

// The reads of program start-up, an accessor a window as the windows make them.
long long StartupReads(const std::string& path)
{
    long long seen = 0;
    {
        const tessel::ProfileFile ini(path);   // the main window
        seen += static_cast<long long>(tessel::ReadStartupSettings(ini, 4).recent.size());
        seen += static_cast<long long>(ini.Refusal().size());
    }
    tessel::GameDirectories dirs;
    {
        const tessel::ProfileFile ini(path);   // the Duke launcher
        tessel::ReadDukeDirectories(ini, dirs);
        seen += tessel::ReadDukeOptions(ini).skill;
    }
    {
        const tessel::ProfileFile ini(path);   // the Quake launcher
        tessel::ReadQuakeDirectories(ini, dirs);
        seen += tessel::ReadQuakeOptions(ini).level;
    }
    const tessel::ProfileFile ini(path);   // the editor options
    seen += ini.ReadBool("GeneralSetup", "QztCon", false) + ini.ReadBool("GeneralSetup", "ColorGameFiles", false);
    return seen + static_cast<long long>(dirs.QuakeDir.size());
}

// Every key of KeptSettings, each through an accessor of its own.
long long EachKeyAfresh(const std::string& path)
{
    long long seen = 0;
    std::istringstream lines(KeptSettings);
    std::string line, section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            section = line.substr(1, line.size() - 2);
        else if (line.find('=') != std::string::npos)
            seen += static_cast<long long>(
                tessel::ProfileFile(path).ReadString(section, line.substr(0, line.find('=')), "").size());
    }
    return seen;
}

// The writes of program exit, as the program makes them into one edit.
void WriteExitKeys(tessel::ProfileEdit& edit, const ExitState& s)
{
    tessel::WriteQuakeOptions(edit, s.quake);
    tessel::WriteDukeOptions(edit, s.duke);
    tessel::WriteSessionSettings(edit, 2, s.recent);
}

} // namespace

int main()
{
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "tessel-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string path = folder + "/settings.ini";

    // 200 lines: 20 sections of a header, 8 keys and a blank line.
    {
        std::ofstream out(path, std::ios::binary);
        for (int s = 0; s < 20; ++s) {
            out << "[Section" << s << "]\r\n";
            for (int k = 0; k < 8; ++k)
                out << "Key" << k << "=" << s * 100 + k << "\r\n";
            out << "\r\n";
        }
    }

    // A large settings file: 15 MiB of junk keys before the program's own.
    const std::string large = folder + "/large.ini";
    {
        std::ofstream out(large, std::ios::binary);
        out << "[Junk]\r\n";
        for (long i = 0; out.tellp() < 15L * 1024 * 1024; ++i)
            out << "key" << i << "=a value of some length, as a tool might leave it\r\n";
        out << KeptSettings;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));   // settled: see above

    tessel::ProfileFile ini(path);
    long long sum = 0;
    const double profile = SecondsFor([&](int i) {
        sum += ini.ReadInteger("Section" + std::to_string(i % 20), "Key" + std::to_string(i % 8), 0);
    });
    std::size_t bytes = 0;
    const double raw = SecondsFor([&](int) { bytes += ReadPlain(path).size(); });

    std::vector<double> startup, afresh, plain;
    long long seen = 0;
    for (int round = 0; round < 5; ++round) {
        startup.push_back(SecondsOnce([&] { seen += StartupReads(large); }));
        afresh.push_back(SecondsOnce([&] { seen += EachKeyAfresh(large); }));
        plain.push_back(SecondsOnce([&] { seen += static_cast<long long>(ReadPlain(large).size()); }));
    }

    // The final bytes of the exit writes.
    const std::string kept = folder + "/QztMain.ini";
    WritePlain(kept, KeptSettings);
    const ExitState session = SessionOf(kept);
    tessel::ProfileEdit check(kept);
    WriteExitKeys(check, session);
    check.Commit();
    const std::string final = ReadPlain(kept);
    if (final == KeptSettings) {
        std::fprintf(stderr, "the exit writes changed nothing\n");
        return 1;
    }

    std::vector<double> edited, replaced;
    for (int round = 0; round < WriteRounds; ++round) {
        WritePlain(kept, KeptSettings);
        edited.push_back(SecondsOnce([&] {
            tessel::ProfileEdit edit(kept);
            WriteExitKeys(edit, session);
            edit.Commit();
        }));
        WritePlain(kept, KeptSettings);
        replaced.push_back(SecondsOnce([&] { tessel::ReplaceFile(kept, final); }));
    }

    std::error_code ec;
    fs::remove_all(folder, ec);
    if (sum == 0 || bytes == 0 || seen == 0)
        return 1;   // also keeps the loops from being optimised away
    std::printf("settings.read_vs_raw %.2f x\n", profile / raw);
    std::printf("settings.startup_reads_15mib %.1f ms\n", Median(startup) * 1000);
    std::printf("settings.startup_reads_15mib_vs_one_read %.2f x\n", Median(startup) / Median(plain));
    std::printf("settings.startup_reads_15mib_each_key_afresh_vs_one_read %.2f x\n", Median(afresh) / Median(plain));
    std::printf("settings.exit_write_vs_one_replace %.2f x\n", Median(edited) / Median(replaced));
    return 0;
}
