#pragma once
// File-system services the rest of the program uses instead of POSIX calls.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Paths.h"

namespace tessel {

// True only for an existing file, never for a directory.
bool FileExists(const std::string& name);
bool DirectoryExists(const std::string& name);
// Both names exist and denote the same file (device and inode), whatever the path text.
bool SameFile(const std::string& a, const std::string& b);

// What a file is and how it was when looked at: its identity (device and
// inode, the same under every name and link) and its stamp (size and
// modification time). Two equal stamps: nobody wrote the file in between.
struct FileStamp {
    bool exists = false;
    bool regular = false;                  // a file, not a folder, a device or a pipe
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0, modified = 0;   // modification time in nanoseconds
    bool operator==(const FileStamp& o) const
    {
        return exists == o.exists && regular == o.regular && device == o.device && inode == o.inode &&
               size == o.size && modified == o.modified;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};
// The stamp of what path names now (following links, unless followLinks is
// false: then a link's own); exists false when nothing is there.
FileStamp StampOf(const std::string& path, bool followLinks = true);
// A stamp with the time the file's status last changed (its bytes, size, name,
// links or mode), in nanoseconds of the real-time clock. No program can set
// that time back as it can the modification time, so a file whose version is
// the same as at a moment clearly after its change time was not written since.
struct FileVersion {
    FileStamp stamp;
    std::int64_t changed = 0;
    bool operator==(const FileVersion& o) const { return stamp == o.stamp && changed == o.changed; }
    bool operator!=(const FileVersion& o) const { return !(*this == o); }
};
// The version of what path names now, following links (or not, as for StampOf).
FileVersion VersionOf(const std::string& path, bool followLinks = true);
// The real-time clock now, in nanoseconds: the clock of the file times.
std::int64_t RealTimeNow();
// A name fixed by the games ("Duke3D.exe") may exist in its folder under other
// letter case (folders copied from CD): the existing spelling, else the name unchanged.
std::string ResolveFileCase(const std::string& path);
std::string CurrentDirectory();
// Whether a program could start in dir, without making it current (the
// program's own folder never changes). Throws IoError as entering it would:
// "File not found" for a missing folder or an empty name, "Invalid filename"
// for a file, "File access denied" for a folder that may not be entered.
void CheckFolder(const std::string& dir);
// path counted from the current folder when it is relative (without its
// leading "./"); the current folder for "". Names are made absolute as they
// come in, so that a later change of the current folder moves nothing.
std::string AbsolutePath(const std::string& path);

// An open file, closed on destruction. Every failure throws IoError with the
// runtime's text; a short read is "Read beyond end of file", a short write "Disk full".
class File {
public:
    // Read and ReadWrite open regular files only: a folder, a device, a pipe or
    // a socket is refused ("... is not a regular file") without waiting on it.
    // Create truncates or makes the file; CreateNew makes a file that must not
    // exist yet (owner-only until the caller says otherwise). Fresh and
    // Overwrite write what the user asked for under a name, never through a
    // symbolic link standing at that name: Fresh only where nothing has the
    // name yet, Overwrite also over an existing file (the user said yes).
    // Output writes to an existing device or pipe as it is. No mode opens a
    // folder ("... is a folder").
    enum class Mode { Read, ReadWrite, Create, CreateNew, Fresh, Overwrite, Output };
    File(const std::string& path, Mode mode);
    // A new file under a name of its own: pattern ends in "XXXXXX", which is
    // replaced by what makes the name unique. It is made owner-only and never
    // through a symbolic link, and stays open, so that nothing put at the name
    // later is written. Throws IoError.
    static File Temporary(std::string& pattern);
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    void ReadExact(void* buffer, std::size_t count);
    std::size_t ReadSome(void* buffer, std::size_t count);   // 0 at end of file
    void Write(const void* buffer, std::size_t count);
    // Positioned block reads and writes; they leave the sequential position alone.
    // On a pipe or a terminal, which have no positions, writeAt writes at the
    // end of what was written: whole files are written from the start onward.
    void ReadExactAt(void* buffer, std::size_t count, std::int64_t offset);
    void WriteAt(const void* buffer, std::size_t count, std::int64_t offset);
    // Copies count bytes at sourceOffset of source to offset of this file, in
    // the kernel where it can. A source that ends early is "Read beyond end of file".
    void CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t offset, std::int64_t count);
    std::int64_t Size() const;
    void Truncate(std::int64_t length);
    // Gives the file the permission bits (and, where allowed, the owner) of
    // another that it is to replace; a new file's usual bits when there is none.
    void CopyModeFrom(const std::string& other);
    void Flush();        // to the disk, not only to the system's cache
    void Close();        // reports a failure that a destructor would have to swallow
    const std::string& Path() const { return path_; }
    // A regular file (not a device or a pipe the user named as an output).
    bool IsRegular() const { return regular_; }

private:
    friend class TruncateOnSignal;
    File(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_ = -1;
    bool regular_ = true;
    bool stream_ = false;   // no positions: positioned writes go on in order
    std::string path_;
};

// The size of an existing file in bytes; -1 when there is none.
std::int64_t FileSize(const std::string& path);
// The path with symbolic links and "." / ".." resolved; the path itself when it does not exist.
std::string ResolvePath(const std::string& path);
// Removes a file (not a folder); false when it could not be removed.
bool DeleteFile(const std::string& path);
// Makes one folder (with mode under the process's mask); throws IoError unless it exists afterwards.
void CreateDirectory(const std::string& path, unsigned mode = 0777);
// The names of what a folder holds but its folders (with withFolders, those
// too), sorted bytewise (whether each is a regular file is for the one who
// opens it). Throws IoError.
std::vector<std::string> ListFiles(const std::string& dir, bool withFolders = false);
// Renames from over to in one step (same file system) and makes the rename
// itself durable. Throws IoError; to is untouched then.
void RenameOver(const std::string& from, const std::string& to);
// A file-size limit makes a write fail with "Disk full" instead of killing the process.
void ReportFileSizeLimitAsError();

// An exclusive lock on a file, held until released or the object goes, and
// in every case when the process ends, however it ends.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Takes the lock, making the file (owner-only, never through a link)
    // when missing; false when another holds it (another object of this
    // process too) or there is no file to lock. error, when given, is 0 when
    // another holds it, else the system's error number.
    bool Acquire(const std::string& path, int* error = nullptr);
    void Release();

private:
    int fd_ = -1;
};

// Reads a whole file (throws IoError). Returns false when it does not exist.
bool ReadWholeFile(const std::string& path, std::string& contents);

// The one way a file is written whole (settings, scripts, project files, new
// and rebuilt archives). The writer fills a temporary file in the target's
// folder; it is flushed to the disk, given the permission bits of the file it
// replaces (the usual ones for a new file), renamed over the target and the
// folder synced: a crash, a full disk or an interrupting signal leaves the old
// file whole. Through a symbolic link the file it names is replaced. A file
// that the user may not write is not replaced ("File access denied"), as
// writing it in place would be refused. What the target may be:
// - AnyOutput: a device or a pipe (after following links) is written
//   directly, as there is no file to replace;
// - RegularFile: anything but a regular file is refused ("... is not a
//   regular file") without being opened, since a window must never wait on a pipe;
// - Document: as RegularFile, and a file with more than one name (hard links)
//   or in a folder the user may not write is written in place: its other
//   names stay, but a failure on the way leaves it half written;
// - Private: a file of the program's own in a folder of its own (a recovery
//   copy): the name itself is replaced, whatever stands there (a symbolic link
//   is replaced, never followed), and the file is the owner's alone (0600).
// tempName, when given, names the temporary file inside that folder (a
// leftover of that name is removed first; a unique name when it would not
// fit); otherwise a unique hidden name short enough for any name that fits
// the folder. Throws IoError; the temporary file is gone afterwards whatever happened.
using FileWriter = std::function<void(File& out)>;
enum class ReplaceTarget { AnyOutput, RegularFile, Document, Private };
void ReplaceFile(const std::string& target, const FileWriter& writer, ReplaceTarget kind = ReplaceTarget::AnyOutput,
                 const std::string& tempName = std::string());
void ReplaceFile(const std::string& target, std::string_view contents, ReplaceTarget kind = ReplaceTarget::AnyOutput);

// Copies source to destination (a folder gets the source's file name appended),
// 8192 bytes at a time, replacing an existing file. Throws AppError
// "Cannot open file %s" / "Cannot create file %s", or IoError while copying.
// A copy of a file onto itself is refused before anything is truncated.
void CopyWholeFile(const std::string& source, const std::string& destination);

} // namespace tessel
