// Settings files are edited by hand, so the profile routines meet anything.
// Properties: nothing crashes; a written value reads back; every other key
// reads as before; no value is longer than 2047 characters.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/ProfileFile.h"

using tessel::ProfileFile;

namespace {

const char* const Sections[] = {"A", "a", "ProgStartup", "RecentFiles", "B b"};
const char* const Keys[] = {"k", "K", "GameUp", "Recent1", "x"};
const char* const Values[] = {"v", "", "0x2", "two words", "7"};

const std::string& FilePath()
{
    static const std::string path = [] {
        // In memory where possible: every write is flushed to the disk.
        char templ[] = "/dev/shm/tessel-fuzz-XXXXXX";
        if (!mkdtemp(templ))
            abort();
        return std::string(templ) + "/t.ini";
    }();
    return path;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const unsigned choice = data[0];
    const std::string section = Sections[choice % 5], key = Keys[(choice / 5) % 5],
                      value = Values[(choice / 25) % 5];
    std::ofstream(FilePath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

    ProfileFile ini(FilePath());
    std::string before[5][5];
    for (int s = 0; s < 5; ++s)
        for (int k = 0; k < 5; ++k) {
            before[s][k] = ini.ReadString(Sections[s], Keys[k], "\x01missing");
            if (before[s][k].size() > 2047)
                abort();
            ini.ReadInteger(Sections[s], Keys[k], 0);
        }
    ini.WriteString(section, key, value);
    if (ini.ReadString(section, key, "\x01missing") != value)
        abort();
    for (int s = 0; s < 5; ++s)
        for (int k = 0; k < 5; ++k) {
            if (SameName(Sections[s], section) && SameName(Keys[k], key))
                continue;
            if (ini.ReadString(Sections[s], Keys[k], "\x01missing") != before[s][k])
                abort();
        }
    return 0;
}
