#pragma once
// Failures the user sees in the application's error box, carrying the runtime's
// own texts ("File not found", "Disk full", "'x' is not a valid integer value").
#include <cerrno>
#include <stdexcept>
#include <string>

namespace tessel {

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed file operation; code is the system's error number (errno).
class IoError : public AppError {
public:
    IoError(const std::string& text, int code) : AppError(text), code_(code) {}
    int Code() const { return code_; }
    // No room for the write: the disk, the quota or the file-size limit.
    bool DiskFull() const { return code_ == ENOSPC || code_ == EDQUOT || code_ == EFBIG; }
private:
    int code_;
};

// A text that does not convert to a number.
class ConvertError : public AppError {
public:
    using AppError::AppError;
};

// The runtime's text for a system error number.
std::string IoErrorText(int err);
[[noreturn]] void ThrowIoError(int err);
// Short reads and writes have their own texts (no errno behind them).
[[noreturn]] void ThrowReadBeyondEnd();
[[noreturn]] void ThrowDiskFull();
// Only regular files are read as scripts, archives and sources: "<path> is a
// folder", or "<path> is not a regular file" for a device, a pipe or a socket.
[[noreturn]] void ThrowNotRegularFile(const std::string& path, bool folder);

// "Cannot open file %s" with %s replaced: the runtime's message templates.
std::string FormatText(const std::string& templ, const std::string& arg);

} // namespace tessel
