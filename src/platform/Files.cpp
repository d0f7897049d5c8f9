#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <strings.h>
#include <vector>

#include "platform/Errors.h"
#include "platform/SignalCleanup.h"

namespace tessel {

namespace {

// Repeats a read or write that may do part of the work until count bytes are
// done: call(done) makes one system call for the rest and returns its result.
// A call that moves no byte ends in atZero's exception.
template <typename Call>
void RepeatUntilDone(std::size_t count, Call call, void (*atZero)())
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = call(done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowIoError(errno);
        }
        if (n == 0)
            atZero();
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

bool FileExists(const std::string& name)
{
    struct stat st;
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& name)
{
    struct stat st;
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b)
{
    const FileStamp sa = StampOf(a), sb = StampOf(b);
    return sa.exists && sb.exists && sa.device == sb.device && sa.inode == sb.inode;
}

FileStamp StampOf(const std::string& path, bool followLinks)
{
    return VersionOf(path, followLinks).stamp;
}

FileVersion VersionOf(const std::string& path, bool followLinks)
{
    struct stat st;
    FileVersion version;
    if (path.empty() || (followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return version;
    FileStamp& stamp = version.stamp;
    stamp.exists = true;
    stamp.regular = S_ISREG(st.st_mode);
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    version.changed = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return version;
}

std::int64_t RealTimeNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::string ResolveFileCase(const std::string& path)
{
    if (path.empty() || ::access(path.c_str(), F_OK) == 0)
        return path;
    const std::string name = ExtractFileName(path);
    DIR* d = ::opendir(FolderOrCurrent(path).c_str());
    if (!d)
        return path;
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found.empty() ? path : FolderPrefix(path) + found;
}

std::string CurrentDirectory()
{
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf))
        ThrowIoError(errno);
    return buf;
}

void CheckFolder(const std::string& dir)
{
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0)
        ThrowIoError(errno);
    if (!S_ISDIR(st.st_mode))
        ThrowIoError(ENOTDIR);
    if (::access(dir.c_str(), X_OK) != 0)
        ThrowIoError(errno);
}

std::string AbsolutePath(const std::string& path)
{
    if (!path.empty() && path.front() == PathDelim)
        return path;
    const std::string here = CurrentDirectory();
    std::size_t skip = 0;
    while (path.compare(skip, 2, "./") == 0)
        skip += 2;
    return path.size() == skip ? here : IncludeTrailingPathDelimiter(here) + path.substr(skip);
}

// --- File --------------------------------------------------------------------

File::File(const std::string& path, Mode mode) : path_(path)
{
    // Not blocking while it is found out what the name is: opening a pipe
    // waits for its other end, and a device may never end.
    const bool regularOnly = mode == Mode::Read || mode == Mode::ReadWrite;
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read: flags |= O_RDONLY | O_NONBLOCK; break;
    case Mode::ReadWrite: flags |= O_RDWR | O_NONBLOCK; break;
    case Mode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case Mode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
    case Mode::Fresh: flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW; break;
    case Mode::Overwrite: flags |= O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW; break;
    case Mode::Output: flags |= O_WRONLY; break;
    }
    do {
        fd_ = ::open(path.c_str(), flags, mode == Mode::CreateNew ? 0600 : 0666);
    } while (fd_ < 0 && errno == EINTR);
    struct stat st;
    if (fd_ < 0) {
        const int err = errno;
        if (err == EISDIR)
            ThrowNotRegularFile(path, true);
        // A socket cannot be opened at all; say what it is rather than ENXIO.
        if (regularOnly && err != ENOENT && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            ThrowNotRegularFile(path, S_ISDIR(st.st_mode));
        ThrowIoError(err);
    }
    const bool statFailed = ::fstat(fd_, &st) != 0;
    const int statError = errno;
    if (statFailed || S_ISDIR(st.st_mode) || (regularOnly && !S_ISREG(st.st_mode))) {
        ::close(fd_);
        fd_ = -1;
        if (statFailed)
            ThrowIoError(statError);
        ThrowNotRegularFile(path, S_ISDIR(st.st_mode));
    }
    if (flags & O_NONBLOCK)
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    regular_ = S_ISREG(st.st_mode);
    stream_ = !regular_ && ::lseek(fd_, 0, SEEK_CUR) < 0;
}

File File::Temporary(std::string& pattern)
{
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        ThrowIoError(errno);
    return File(fd, pattern);
}

File::File(File&& other) noexcept
    : fd_(other.fd_), regular_(other.regular_), stream_(other.stream_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        regular_ = other.regular_;
        stream_ = other.stream_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

File::~File()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t File::ReadSome(void* buffer, std::size_t count)
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, count);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            ThrowIoError(errno);
    }
}

void File::ReadExact(void* buffer, std::size_t count)
{
    auto* p = static_cast<char*>(buffer);
    while (count > 0) {
        const std::size_t n = ReadSome(p, count);
        if (n == 0)
            ThrowReadBeyondEnd();
        p += n;
        count -= n;
    }
}

void File::Write(const void* buffer, std::size_t count)
{
    const auto* p = static_cast<const char*>(buffer);
    RepeatUntilDone(count, [&](std::size_t done) { return ::write(fd_, p + done, count - done); }, ThrowDiskFull);
}

void File::ReadExactAt(void* buffer, std::size_t count, std::int64_t offset)
{
    auto* p = static_cast<char*>(buffer);
    RepeatUntilDone(count, [&](std::size_t done) {
        return ::pread(fd_, p + done, count - done, static_cast<off_t>(offset + done));
    }, ThrowReadBeyondEnd);
}

void File::WriteAt(const void* buffer, std::size_t count, std::int64_t offset)
{
    if (stream_) {
        Write(buffer, count);
        return;
    }
    const auto* p = static_cast<const char*>(buffer);
    RepeatUntilDone(count, [&](std::size_t done) {
        return ::pwrite(fd_, p + done, count - done, static_cast<off_t>(offset + done));
    }, ThrowDiskFull);
}

void File::CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t offset, std::int64_t count)
{
    off_t in = static_cast<off_t>(sourceOffset), out = static_cast<off_t>(offset);
    const off_t end = out + static_cast<off_t>(count);
    bool kernelCopy = !stream_;
    while (out < end && kernelCopy) {
        const ssize_t n = ::copy_file_range(source.fd_, &in, fd_, &out, static_cast<std::size_t>(end - out), 0);
        if (n == 0)
            ThrowReadBeyondEnd();
        if (n < 0) {
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
                kernelCopy = false;   // not between these files: copy through a buffer
            else if (errno != EINTR)
                ThrowIoError(errno);
        }
    }
    std::vector<char> buffer(out < end ? static_cast<std::size_t>(std::min<off_t>(end - out, 1 << 20)) : 0);
    while (out < end) {
        const auto n = static_cast<std::size_t>(std::min<off_t>(end - out, static_cast<off_t>(buffer.size())));
        source.ReadExactAt(buffer.data(), n, in);
        WriteAt(buffer.data(), n, out);
        in += static_cast<off_t>(n);
        out += static_cast<off_t>(n);
    }
    // Start writing the range to the disk now, so that a later flush waits less.
    ::sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(count), SYNC_FILE_RANGE_WRITE);
}

std::int64_t File::Size() const
{
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        ThrowIoError(errno);
    return st.st_size;
}

void File::Truncate(std::int64_t length)
{
    while (::ftruncate(fd_, static_cast<off_t>(length)) != 0)
        if (errno != EINTR)
            ThrowIoError(errno);
}

void File::CopyModeFrom(const std::string& other)
{
    struct stat st;
    if (::stat(other.c_str(), &st) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd_, 0666 & ~mask) != 0)
            ThrowIoError(errno);
        return;
    }
    // Owner and group too where we may (we may when we own it or are root);
    // first, since a change of owner clears set-id bits.
    if (::fchown(fd_, st.st_uid, st.st_gid) != 0) { /* keep ours */ }
    if (::fchmod(fd_, st.st_mode & 07777) != 0)
        ThrowIoError(errno);
}

void File::Flush()
{
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        ThrowIoError(errno);
}

void File::Close()
{
    if (fd_ < 0)
        return;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowIoError(errno);
}

std::int64_t FileSize(const std::string& path)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return st.st_size;
}

std::string ResolvePath(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out = real;
    ::free(real);
    return out;
}

bool DeleteFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

void CreateDirectory(const std::string& path, unsigned mode)
{
    if (::mkdir(path.c_str(), static_cast<mode_t>(mode)) != 0 && !(errno == EEXIST && DirectoryExists(path)))
        ThrowIoError(errno);
}

std::vector<std::string> ListFiles(const std::string& dir, bool withFolders)
{
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        ThrowIoError(errno);
    std::vector<std::string> names;
    const std::string prefix = IncludeTrailingPathDelimiter(dir);
    while (dirent* e = ::readdir(d))
        if (withFolders ? std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0
                        : FileExists(prefix + e->d_name))
            names.emplace_back(e->d_name);
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

void RenameOver(const std::string& from, const std::string& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        ThrowIoError(errno);
    // The new directory entry reaches the disk too, not only the file's data.
    const int fd = ::open(FolderOrCurrent(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void ReportFileSizeLimitAsError()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

bool FileLock::Acquire(const std::string& path, int* error)
{
    Release();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        if (error)
            *error = errno;
        return false;
    }
    // flock: held by this open file, so another FileLock of this process is refused too.
    int held;
    while ((held = ::flock(fd_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    const int err = held != 0 && errno != EWOULDBLOCK ? errno : 0;
    if (held != 0)
        Release();
    if (error)
        *error = err;
    return fd_ >= 0;
}

void FileLock::Release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool ReadWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    if (!FileExists(path))
        return false;
    File f(path, File::Mode::Read);
    contents.reserve(static_cast<std::size_t>(f.Size()));
    char buf[65536];
    for (;;) {
        const std::size_t n = f.ReadSome(buf, sizeof buf);
        if (n == 0)
            break;
        contents.append(buf, n);
    }
    return true;
}

namespace {

// The longest name the folder takes.
std::size_t NameMax(const std::string& path)
{
    const long max = ::pathconf(FolderOrCurrent(path).c_str(), _PC_NAME_MAX);
    return max > 0 ? static_cast<std::size_t>(max) : NAME_MAX;
}

bool FolderWritable(const std::string& path)
{
    return ::faccessat(AT_FDCWD, FolderOrCurrent(path).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

void ReplaceFile(const std::string& target, const FileWriter& writer, ReplaceTarget kind, const std::string& tempName)
{
    // A private file's name is replaced as it stands; other names are replaced
    // where their links lead.
    const bool own = kind == ReplaceTarget::Private;
    const std::string path = own ? target : ResolvePath(target);
    struct stat st;
    if (own && ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        ThrowNotRegularFile(target, true);
    if (!own && ::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || (kind != ReplaceTarget::AnyOutput && !S_ISREG(st.st_mode)))
            ThrowNotRegularFile(target, S_ISDIR(st.st_mode));
        if (!S_ISREG(st.st_mode)) {
            // A device or a pipe: renaming a file over it would put a file in
            // its place and never reach whoever reads it.
            File out(path, File::Mode::Output);
            writer(out);
            out.Flush();
            out.Close();
            return;
        }
        // Replacing by a rename needs only the folder; writing in place, as
        // the user may expect of a read-only file, would be refused.
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            ThrowIoError(errno);
        // A rename would part the file from its other names, and a folder we
        // may not write takes no temporary file: write it where it is.
        if (kind == ReplaceTarget::Document && (st.st_nlink > 1 || !FolderWritable(path))) {
            File out(path, File::Mode::ReadWrite);   // not waiting, should a pipe take its place meanwhile
            out.Truncate(0);
            writer(out);
            out.Flush();
            out.Close();
            return;
        }
    }
    const std::string folder = FolderPrefix(path);
    const std::size_t nameMax = NameMax(path);
    const bool named = !tempName.empty() && tempName.size() <= nameMax;
    std::string temp;
    std::optional<File> out;
    auto hold = std::make_unique<HoldSignals>();   // the temporary file is made and registered together
    if (!named) {
        // "." + name + ".XXXXXX", the name cut short so that the whole fits;
        // kept open from its making, so that nothing put at its name is written.
        const std::size_t room = nameMax > 8 ? nameMax - 8 : 0;
        temp = folder + "." + ExtractFileName(path).substr(0, room) + ".XXXXXX";
        out.emplace(File::Temporary(temp));
    } else {
        temp = folder + tempName;
        DeleteFile(temp);   // a leftover of an interrupted run, or a link that must not be written through
    }
    RemoveOnSignal removeOnSignal(temp);
    hold.reset();
    try {
        if (!out)
            out.emplace(temp, File::Mode::CreateNew);
        writer(*out);
        if (!own)
            out->CopyModeFrom(path);   // a private file stays the owner's alone, as made
        out->Flush();
        out->Close();
        // Renamed and forgotten in one step: a signal in between would remove
        // the file that now holds the target's contents.
        HoldSignals hold;
        RenameOver(temp, path);
        removeOnSignal.Release();
    } catch (...) {
        DeleteFile(temp);
        throw;
    }
}

void ReplaceFile(const std::string& target, std::string_view contents, ReplaceTarget kind)
{
    ReplaceFile(target, [contents](File& out) { out.Write(contents.data(), contents.size()); }, kind);
}

// --- copying a whole file -----------------------------------------------------

namespace {
// The copy's own messages name the file that could not be opened or created.
File OpenNamingFailure(const std::string& path, File::Mode mode, const char* message)
{
    try {
        return File(path, mode);
    } catch (const IoError&) {
        throw AppError(FormatText(message, path));
    }
}
} // namespace

void CopyWholeFile(const std::string& source, const std::string& destination)
{
    std::string target = destination;
    if (DirectoryExists(target))
        target = IncludeTrailingPathDelimiter(target) + ExtractFileName(source);

    File in = OpenNamingFailure(source, File::Mode::Read, "Cannot open file %s");
    // Nothing locks the open source here, so creating the destination would
    // truncate it when both names denote one file.
    if (SameFile(source, target))
        throw AppError(FormatText("Cannot create file %s", target));
    File out = OpenNamingFailure(target, File::Mode::Create, "Cannot create file %s");
    char buffer[8192];
    for (;;) {
        const std::size_t n = in.ReadSome(buffer, sizeof buffer);
        if (n == 0)
            break;
        out.Write(buffer, n);
    }
    out.Close();
}

} // namespace tessel
