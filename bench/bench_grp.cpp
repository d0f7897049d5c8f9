// Group file costs, measured side by side in one run:
//  - a rebuild of a 256 MiB archive (2,000 entries, 10 % deleted) against /bin/cp
//    of the same file over an existing copy, all warm, best of a few alternating
//    rounds; the rebuild flushes its copy to the disk, which cp does not, so it
//    is also set against cp followed by /bin/sync of the copy;
//  - the bytes an Add of 1 MiB writes into that archive (the process's write
//    count, so every byte that went through a write call is counted);
//  - loading 5,000 and 50,000 entries into the model, tree groups included;
//  - reading the largest corpus map (its walls checked), against reading its bytes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "build/MapFile.h"
#include "grp/GrpArchive.h"
#include "grp/GrpOperations.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class SilentPrompter : public tessel::Prompter {
public:
    int messages = 0;
    void ShowMessage(const std::string&) override { ++messages; }
    tessel::MsgResult MessageDlg(const std::string&, tessel::MsgType, tessel::MsgButtons) override
    {
        ++messages;
        return tessel::MsgResult::Yes;
    }
    void ShowError(const std::string&) override { ++messages; }
    bool ExecuteOpen(tessel::FileDialog&) override { return false; }
    bool ExecuteSave(tessel::FileDialog&) override { return false; }
};

std::string Le32(std::uint32_t v)
{
    return {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
}

std::string Field(const std::string& s)
{
    return (s + std::string(12, '\0')).substr(0, 12);
}

// count entries of the given size; every tenth one deleted; slots at the end.
void WriteArchive(const std::string& path, int count, std::uint32_t size, int slots)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << Field("KenSilverman") << Le32(static_cast<std::uint32_t>(count + slots));
    const char* const exts[] = {"CON", "ART", "VOC", "MAP", "MID", "DAT", "TXT", "KVX"};
    for (int i = 0; i < count; ++i) {
        const std::string name = i % 10 == 9 ? "**8Delete8**" : "F" + std::to_string(i) + "." + exts[i % 8];
        out << Field(name) << Le32(size);
    }
    for (int i = 0; i < slots; ++i)
        out << "**8ResSpc8**" << Le32(0);
    std::string block(size, '\0');
    for (int i = 0; i < count; ++i) {
        block[0] = static_cast<char>(i);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

long long WrittenSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "wchar:")
            return value;
    return -1;
}

double LoadMs(const std::string& path, SilentPrompter& prompter)
{
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        tessel::GrpArchiveView view;
        view.archivePath = path;
        const auto start = Clock::now();
        tessel::LoadArchive(view, path, prompter);
        best = std::min(best, Seconds(start) * 1000);
        if (view.groups.empty())
            ++prompter.messages;
    }
    return best;
}

} // namespace

int main()
{
    std::string folder = (fs::path("/tmp") / "tessel-bench-grp-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string base = folder + "/BASE.GRP", work = folder + "/WORK.GRP", copy = folder + "/COPY.GRP";
    SilentPrompter prompter;
    tessel::GrpArchiveView view;

    // 2,000 entries of 134,217 bytes: 256 MiB of data.
    WriteArchive(base, 2000, (256u << 20) / 2000, 0);
    fs::copy_file(base, copy);
    const auto timed = [&](const std::string& command) {
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0)
            ++prompter.messages;
        return Seconds(start);
    };
    double rebuild = 1e9, cp = 1e9, cpSync = 1e9;
    for (int round = 0; round < 3; ++round) {
        fs::copy_file(base, work, fs::copy_options::overwrite_existing);
        std::system("/bin/sync");
        const auto start = Clock::now();
        tessel::RebuildArchive(view, work, 0, prompter);
        rebuild = std::min(rebuild, Seconds(start));
        std::system("/bin/sync");
        cp = std::min(cp, timed("/bin/cp " + base + " " + copy));
        std::system("/bin/sync");
        cpSync = std::min(cpSync, timed("/bin/cp " + base + " " + copy + " && /bin/sync " + copy));
    }
    std::printf("grp.rebuild_vs_cp %.2f x\n", rebuild / cp);
    std::printf("grp.rebuild_vs_cp_sync %.2f x\n", rebuild / cpSync);
    std::printf("grp.rebuild_s %.3f s\n", rebuild);
    std::printf("grp.cp_s %.3f s\n", cp);
    std::printf("grp.cp_sync_s %.3f s\n", cpSync);

    // Then 1 MiB into the rebuilt archive, after a rebuild gave it slots.
    tessel::RebuildArchive(view, work, 25, prompter);
    {
        std::ofstream(folder + "/NEW.DAT", std::ios::binary) << std::string(1u << 20, 'n');
    }
    view.archivePath = work;
    tessel::LoadArchive(view, work, prompter);
    const long long before = WrittenSoFar();
    tessel::AddFile(view, work, folder + "/NEW.DAT", prompter);
    std::printf("grp.add_bytes_written %lld bytes\n", WrittenSoFar() - before);
    fs::remove(base);
    fs::remove(work);
    fs::remove(copy);

    std::error_code ec;
    WriteArchive(base, 5000, 10, 0);
    const double small = LoadMs(base, prompter);
    WriteArchive(base, 50000, 10, 0);
    const double large = LoadMs(base, prompter);
    std::printf("grp.load_5k_ms %.2f ms\n", small);
    std::printf("grp.load_50k_ms %.2f ms\n", large);
    std::printf("grp.load_50k_vs_5k %.1f x\n", large / small);

    // The largest map of the corpus (or, without it, one of 4,000 walls made here).
    std::string map;
    for (const auto& entry : fs::directory_iterator(TESSEL_CORPUS_DIR "/maps", ec))
        if (entry.path().extension() == ".map" && entry.file_size() > map.size()) {
            std::ifstream in(entry.path(), std::ios::binary);
            map.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    if (map.empty()) {
        map = Le32(7) + std::string(16, '\0') + std::string{1, 0} + std::string(40, '\0');
        map += std::string{char(4000 & 0xff), char(4000 >> 8)};
        for (int i = 0; i < 4000; ++i)
            map += Le32(i) + Le32(i) + std::string{char((i + 1) % 4000 & 0xff), char((i + 1) % 4000 >> 8)} +
                   std::string{'\xff', '\xff', '\xff', '\xff'} + std::string(20, '\0');
        map += std::string(2, '\0');
    }
    const std::string mapPath = folder + "/BIG.MAP";
    std::ofstream(mapPath, std::ios::binary) << map;
    double read = 1e9, bytes = 1e9;
    std::size_t walls = 0;
    for (int round = 0; round < 50; ++round) {
        auto start = Clock::now();
        std::ifstream in(mapPath, std::ios::binary);
        const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes = std::min(bytes, Seconds(start) * 1000);
        start = Clock::now();
        std::ifstream again(mapPath, std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
        walls = tessel::ReadMap(data).walls.size() + raw.size() * 0;
        read = std::min(read, Seconds(start) * 1000);
    }
    std::printf("grp.map_read_ms %.3f ms\n", read);
    std::printf("grp.map_read_vs_file_read %.2f x\n", read / bytes);

    fs::remove_all(folder, ec);
    return prompter.messages == 0 && walls > 0 ? 0 : 1;
}
