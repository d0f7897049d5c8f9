#pragma once
// File-system services the rest of the program uses instead of POSIX calls.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessel {

// True only for an existing file, never for a directory.
bool FileExists(const std::string& name);
bool DirectoryExists(const std::string& name);
// Both names exist and denote the same file (device and inode), whatever the path text.
bool SameFile(const std::string& a, const std::string& b);
// A name fixed by the games ("Duke3D.exe") may exist in its folder under other
// letter case (folders copied from CD): the existing spelling, else the name unchanged.
std::string ResolveFileCase(const std::string& path);
// The platform's directory separator.
constexpr char PathDelim = '/';
std::string IncludeTrailingPathDelimiter(const std::string& dir);
std::string ExtractFileDir(const std::string& path);   // without trailing separator
std::string ExtractFileName(const std::string& path);  // after the last separator
std::string CurrentDirectory();

// An open file, closed on destruction. Every failure throws IoError with the
// runtime's text; a short read is "Read beyond end of file", a short write "Disk full".
class File {
public:
    enum class Mode { Read, ReadWrite, Create };   // Create truncates or makes the file
    File(const std::string& path, Mode mode);
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    void readExact(void* buffer, std::size_t count);
    std::size_t readSome(void* buffer, std::size_t count);   // 0 at end of file
    void write(const void* buffer, std::size_t count);
    void flush();        // to the disk, not only to the system's cache
    void close();        // reports a failure that a destructor would have to swallow
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

// Reads a whole file (throws IoError). Returns false when it does not exist.
bool ReadWholeFile(const std::string& path, std::string& contents);
// Replaces a file's contents atomically: a temporary file in the same folder,
// flushed, then renamed over it (keeping its permission bits). Throws IoError.
void WriteFileAtomically(const std::string& path, const std::string& contents);

} // namespace tessel
