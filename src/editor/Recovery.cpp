#include "editor/Recovery.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <set>
#include <tuple>

#include "language/ColorEngine.h"
#include "platform/Errors.h"
#include "platform/Locations.h"
#include "platform/Paths.h"
#include "richtext/ControlText.h"

namespace tessel {

namespace {

// A run holds "<run>.lock" and writes "<run>-<slot>.copy" (run and slot in
// decimal digits). A copy is a header and the text:
//   "tessel recovery 2" NUL  file name NUL  caption NUL
//   "exists regular device inode size modified" NUL  the text's length NUL  text
// The name is "" or absolute; the caption is UTF-8; the numbers are decimal,
// the flags 0 or 1; the length is the rest of the file. Anything else is no
// copy of ours and is not offered.
const std::string LockSuffix = ".lock";
const std::string CopySuffix = ".copy";
const std::string Magic("tessel recovery 2", sizeof "tessel recovery 2");   // with its NUL
constexpr std::size_t MaxCaption = 2 * PATH_MAX;
const std::size_t MaxHeader = Magic.size() + PATH_MAX + MaxCaption + 128;

bool EndsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool Digits(const std::string& s, std::size_t most)
{
    return !s.empty() && s.size() <= most && s.find_first_not_of("0123456789") == std::string::npos;
}

// "<run>-<slot>.copy": run and slot; false for any other name.
bool CopyName(const std::string& name, std::string& run, long& slot)
{
    const std::size_t dash = name.find('-');
    if (!EndsWith(name, CopySuffix) || dash == std::string::npos)
        return false;
    run = name.substr(0, dash);
    const std::string number = name.substr(dash + 1, name.size() - CopySuffix.size() - dash - 1);
    if (!Digits(run, 20) || !Digits(number, 9))
        return false;
    slot = std::stol(number);
    return true;
}

std::string StampText(const FileStamp& s)
{
    char text[128];
    std::snprintf(text, sizeof text, "%d %d %llu %llu %lld %lld", s.exists ? 1 : 0, s.regular ? 1 : 0,
                  static_cast<unsigned long long>(s.device), static_cast<unsigned long long>(s.inode),
                  static_cast<long long>(s.size), static_cast<long long>(s.modified));
    return text;
}

// One number of a field, up to the next blank or the end; false unless it is all digits (a "-" first where signed).
template <typename Number>
bool TakeNumber(const std::string& text, std::size_t& at, Number& value)
{
    const char* first = text.data() + at;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end == first || (end != last && *end != ' '))
        return false;
    at = static_cast<std::size_t>(end - text.data()) + (end != last);
    return true;
}

bool ParseStamp(const std::string& text, FileStamp& stamp)
{
    std::size_t at = 0;
    int exists = -1, regular = -1;
    long long size = 0, modified = 0;
    if (!TakeNumber(text, at, exists) || !TakeNumber(text, at, regular) || !TakeNumber(text, at, stamp.device) ||
        !TakeNumber(text, at, stamp.inode) || !TakeNumber(text, at, size) || !TakeNumber(text, at, modified) ||
        exists < 0 || exists > 1 || regular < 0 || regular > 1)
        return false;
    stamp.exists = exists == 1;
    stamp.regular = regular == 1;
    stamp.size = size;
    stamp.modified = modified;
    return StampText(stamp) == text;   // one spelling only, and nothing after it
}

// Reads and checks a copy's header: "" and the copy's fields, with the
// header's length, or why it is not offered.
std::string ReadHeader(const std::string& path, RecoveryCopy& copy, std::size_t& headerSize)
{
    const std::string notOurs = path + " is not a recovery copy of Tessel's";
    const FileStamp own = StampOf(path, false);
    if (!own.regular)
        return notOurs;
    File in(path, File::Mode::Read);
    std::string head(MaxHeader, '\0');
    std::size_t got = 0;
    while (got < head.size()) {
        const std::size_t n = in.ReadSome(&head[got], head.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    head.resize(got);
    if (head.compare(0, Magic.size(), Magic) != 0)
        return notOurs;
    std::string fields[4];
    std::size_t at = Magic.size();
    for (std::string& field : fields) {
        const std::size_t end = head.find('\0', at);
        if (end == std::string::npos)
            return notOurs;
        field = head.substr(at, end - at);
        at = end + 1;
    }
    copy.path = path;
    copy.fileName = fields[0];
    copy.caption = fields[1];
    const bool nameFits =
        copy.fileName.empty() || (copy.fileName.front() == PathDelim && copy.fileName.size() < PATH_MAX);
    if (!nameFits || copy.caption.empty() || copy.caption.size() > MaxCaption || !IsValidUtf8(copy.caption) ||
        !ParseStamp(fields[2], copy.stamp) || !Digits(fields[3], 18))
        return notOurs;
    copy.length = std::stoll(fields[3]);
    if (copy.length > MaxScriptLength)
        return path + " holds a text of " + fields[3] + " bytes, more than the " + std::to_string(MaxScriptLength) +
               " a script may have";
    headerSize = at;
    if (in.Size() != static_cast<std::int64_t>(headerSize) + copy.length)
        return notOurs;   // cut short, or more than it says
    return std::string();
}

// Nobody holds the run's lock: the run has ended (a copy without a lock file
// too, since a run takes its lock before its first copy).
bool RunEnded(const std::string& lockPath)
{
    if (!StampOf(lockPath, false).exists)
        return true;
    FileLock probe;
    return probe.Acquire(lockPath);
}

} // namespace

RecoveryStore::RecoveryStore(std::string dir) : dir_(std::move(dir)) {}

RecoveryStore::~RecoveryStore() = default;

const std::string& RecoveryStore::Problem()
{
    if (!checked_) {
        checked_ = true;
        problem_ = PrivateFolderProblem(dir_, true);
    }
    return problem_;
}

std::string RecoveryStore::CopyPath(int slot) const
{
    return dir_ + run_ + "-" + std::to_string(slot) + CopySuffix;
}

void RecoveryStore::Write(int slot, const RecoveryCopy& copy)
{
    if (dir_.empty())
        return;
    if (!Problem().empty()) {
        if (told_)
            return;
        told_ = true;
        throw AppError(problem_);
    }
    if (static_cast<std::int64_t>(copy.bytes.size()) > MaxScriptLength)
        throw AppError("the text is longer than the " + std::to_string(MaxScriptLength) + " bytes a script may have");
    if (run_.empty()) {
        // A name no other run has had: the time, counted on past names in use.
        auto name = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch()).count();
        while (StampOf(dir_ + std::to_string(name) + LockSuffix, false).exists)
            ++name;
        if (!lock_.Acquire(dir_ + std::to_string(name) + LockSuffix))
            ThrowIoError(EACCES);
        run_ = std::to_string(name);
    }
    std::string header = Magic + copy.fileName + '\0' + copy.caption + '\0' + StampText(copy.stamp) + '\0' +
                         std::to_string(copy.bytes.size()) + '\0';
    ReplaceFile(CopyPath(slot), [&](File& out) {
        out.Write(header.data(), header.size());
        out.Write(copy.bytes.data(), copy.bytes.size());
    }, ReplaceTarget::Private);
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

std::vector<RecoveryCopy> RecoveryStore::Claim(std::vector<std::string>& refused, std::string& problem)
{
    refused.clear();
    problem.clear();
    if (dir_.empty())
        return {};
    if (!Problem().empty()) {
        told_ = true;
        problem = problem_;
        return {};
    }
    std::vector<std::tuple<std::string, long, RecoveryCopy>> found;
    std::set<std::string> running;   // runs whose lock another holds
    for (const std::string& name : ListFiles(dir_)) {
        std::string run;
        long slot = 0;
        if (!CopyName(name, run, slot) || run == run_ || running.count(run) != 0)
            continue;
        if (claimed_.count(run) == 0) {
            auto lock = std::make_unique<FileLock>();
            if (!lock->Acquire(dir_ + run + LockSuffix)) {
                running.insert(run);   // running, or taken by another start
                continue;
            }
            claimed_[run] = std::move(lock);
        }
        RecoveryCopy copy;
        std::size_t headerSize = 0;
        std::string why;
        try {
            why = ReadHeader(dir_ + name, copy, headerSize);
        } catch (const AppError& e) {
            why = dir_ + name + ": " + e.what();
        }
        if (why.empty())
            found.emplace_back(run, slot, std::move(copy));
        else
            refused.push_back(why);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<RecoveryCopy> copies;
    for (auto& f : found)
        copies.push_back(std::move(std::get<2>(f)));
    return copies;
}

void RecoveryStore::ReadText(RecoveryCopy& copy) const
{
    RecoveryCopy now;
    std::size_t headerSize = 0;
    const std::string why = ReadHeader(copy.path, now, headerSize);
    if (!why.empty() || now.fileName != copy.fileName || now.caption != copy.caption || now.stamp != copy.stamp ||
        now.length != copy.length)
        throw AppError(why.empty() ? copy.path + " was changed since it was offered" : why);
    File in(copy.path, File::Mode::Read);
    copy.bytes.resize(static_cast<std::size_t>(copy.length));
    in.ReadExactAt(copy.bytes.data(), copy.bytes.size(), static_cast<std::int64_t>(headerSize));
}

void RecoveryStore::Forget(const std::vector<RecoveryCopy>& copies)
{
    for (const RecoveryCopy& copy : copies)
        DeleteFile(copy.path);
    if (!dir_.empty() && DirectoryExists(dir_)) {
        const std::vector<std::string> names = ListFiles(dir_);
        for (const std::string& name : names) {
            if (!EndsWith(name, LockSuffix))
                continue;
            const std::string run = name.substr(0, name.size() - LockSuffix.size());
            const bool copiesLeft = std::any_of(names.begin(), names.end(), [&](const std::string& other) {
                return other.compare(0, run.size() + 1, run + "-") == 0;
            });
            // A claimed run's mark goes while it is still held, so that no
            // other start takes it up in between.
            if (run != run_ && !copiesLeft && (claimed_.count(run) != 0 || RunEnded(dir_ + name)))
                DeleteFile(dir_ + name);
        }
    }
    Unclaim();
}

void RecoveryStore::Unclaim()
{
    claimed_.clear();
}

} // namespace tessel
