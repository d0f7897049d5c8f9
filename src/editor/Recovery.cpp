#include "editor/Recovery.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <tuple>

#include "platform/Errors.h"
#include "platform/Paths.h"

namespace tessel {

namespace {

// A run holds "<run>.lock" and writes "<run>-<slot>.copy", each copy the
// document's file name, a NUL, its caption, a NUL and its text.
const std::string LockSuffix = ".lock";
const std::string CopySuffix = ".copy";

bool EndsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The folder and the ones above it, private: the copies are the user's text.
void MakeFolders(const std::string& dir)
{
    for (std::size_t at = dir.find(PathDelim, 1); at != std::string::npos; at = dir.find(PathDelim, at + 1))
        CreateDirectory(dir.substr(0, at), 0700);
}

// Nobody holds the run's lock: the run has ended (a copy without a lock file
// too, since a run takes its lock before its first copy).
bool RunEnded(const std::string& lockPath)
{
    if (!FileExists(lockPath))
        return true;
    FileLock probe;
    return probe.Acquire(lockPath);
}

} // namespace

std::string RecoveryStore::CopyPath(int slot) const
{
    return dir_ + run_ + "-" + std::to_string(slot) + CopySuffix;
}

void RecoveryStore::Write(int slot, const RecoveryCopy& copy)
{
    if (dir_.empty())
        return;
    if (run_.empty()) {
        MakeFolders(dir_);
        // A name no other run has had: the time, counted on past names in use.
        auto name = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch()).count();
        while (FileExists(dir_ + std::to_string(name) + LockSuffix))
            ++name;
        if (!lock_.Acquire(dir_ + std::to_string(name) + LockSuffix))
            ThrowIoError(EACCES);
        run_ = std::to_string(name);
    }
    std::string contents = copy.fileName;
    contents += '\0';
    contents += copy.caption;
    contents += '\0';
    contents += copy.bytes;
    ReplaceFile(CopyPath(slot), contents);
}

void RecoveryStore::Remove(int slot)
{
    if (!run_.empty())
        DeleteFile(CopyPath(slot));
}

void RecoveryStore::RemoveAll()
{
    if (run_.empty())
        return;
    for (int slot = 1; slot <= slots_; ++slot)
        Remove(slot);
    DeleteFile(dir_ + run_ + LockSuffix);
    lock_.Release();
    run_.clear();
}

std::vector<RecoveryCopy> RecoveryStore::Left() const
{
    std::vector<std::tuple<std::string, long, RecoveryCopy>> found;
    if (dir_.empty() || !DirectoryExists(dir_))
        return {};
    for (const std::string& name : ListFiles(dir_)) {
        const std::size_t dash = name.find('-');
        if (!EndsWith(name, CopySuffix) || dash == std::string::npos)
            continue;
        const std::string run = name.substr(0, dash);
        if (run == run_ || !RunEnded(dir_ + run + LockSuffix))
            continue;
        RecoveryCopy copy;
        copy.path = dir_ + name;
        std::string contents;
        if (!ReadWholeFile(copy.path, contents))
            continue;
        const std::size_t first = contents.find('\0');
        const std::size_t second = first == std::string::npos ? first : contents.find('\0', first + 1);
        if (second == std::string::npos)
            continue;   // not one of ours, or cut short
        copy.fileName = contents.substr(0, first);
        copy.caption = contents.substr(first + 1, second - first - 1);
        copy.bytes = contents.substr(second + 1);
        found.emplace_back(run, std::strtol(name.c_str() + dash + 1, nullptr, 10), std::move(copy));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<RecoveryCopy> copies;
    for (auto& f : found)
        copies.push_back(std::move(std::get<2>(f)));
    return copies;
}

void RecoveryStore::Forget(const std::vector<RecoveryCopy>& copies)
{
    for (const RecoveryCopy& copy : copies)
        DeleteFile(copy.path);
    if (dir_.empty() || !DirectoryExists(dir_))
        return;
    const std::vector<std::string> names = ListFiles(dir_);
    for (const std::string& name : names) {
        if (!EndsWith(name, LockSuffix))
            continue;
        const std::string run = name.substr(0, name.size() - LockSuffix.size());
        const bool copiesLeft = std::any_of(names.begin(), names.end(), [&](const std::string& other) {
            return other.compare(0, run.size() + 1, run + "-") == 0;
        });
        if (run != run_ && !copiesLeft && RunEnded(dir_ + name))
            DeleteFile(dir_ + name);
    }
}

} // namespace tessel
