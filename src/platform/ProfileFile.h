#pragma once
// An INI settings file read and written with the semantics of the Windows
// profile routines. Every read sees the file as it is on disk at that moment;
// every write goes to disk at once. Everything not written (comments, blank
// lines, unknown sections and keys, their order, line ends) stays byte for
// byte. ProfileEdit gathers many writes and puts them on disk in one
// replacement of the file.
//
// Nothing written can become a line of its own: a section, key or value that
// holds a line break or another control character is refused (the file is
// shared with the original program, whose values hold backslashes, so no
// escape could be told from a value of its own). A file larger than any real
// settings file is neither read nor written.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessel {

// Larger settings files are neither read (every key reads as its default) nor
// written: no real one comes near this, and each start would stall on one.
constexpr std::int64_t MaxProfileFileSize = 16 * 1024 * 1024;

// Whether text may be a section, key or value of the file: none of its bytes
// is a control character (0x00-0x1F, 0x7F), above all no line break that
// would start a section or key of its own. Other bytes, 8-bit ones included,
// are stored as they are.
bool StorableInProfile(const std::string& text);

class ProfileFile {
public:
    explicit ProfileFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    // Why the file is not used: "" when it is (or there is none), otherwise
    // that it is larger than MaxProfileFileSize.
    std::string Refusal() const;

    // Section and key names match without regard to case; a value is read as
    // at most 2047 characters. An accessor keeps what it parsed for as long as
    // the file on disk is provably the same, so that many reads in a row read
    // and parse it once.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // "0x"/"0X" values of more than two characters are hexadecimal; a value that
    // does not convert yields the default.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Creates the file, section or key when missing. Each is a ProfileEdit of
    // one write, and throws as its Commit does: a refused text, a file that
    // cannot be replaced, a full disk.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    struct Snapshot;
    // The file's content as on disk now, parsed; null when it is missing,
    // unreadable or refused.
    std::shared_ptr<const Snapshot> Current() const;
    std::string fileName_;
    mutable std::shared_ptr<Snapshot> cache_;
};

// Writes to one settings file, gathered in order and put on disk together: the
// file ends as the same writes made one by one through ProfileFile would leave
// it, but is read once and replaced once. A key written twice keeps the later
// value. Writes not committed are dropped.
class ProfileEdit {
public:
    explicit ProfileEdit(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    // Only note the write; the file is not touched before Commit. A write
    // whose section, key or value is not StorableInProfile is noted as refused.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    bool Empty() const { return writes_.empty(); }

    // Reads the file, applies every write in order and replaces the file once,
    // creating it when missing; without writes it does nothing at all. Throws
    // AppError "Unable to write to %s" when an existing file cannot be read or
    // the file cannot be replaced, IoError "Disk full" when there was no room,
    // and AppError Refusal() for a file too large: the file is as it was then,
    // and the writes are kept. Otherwise the edit is empty again afterwards;
    // when writes were refused (and the file does not hold their values
    // already), the others are on disk and then AppError names the refused
    // settings.
    void Commit();

private:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };
    std::string fileName_;
    std::vector<Write> writes_;
    std::vector<Write> refused_;
};

} // namespace tessel
