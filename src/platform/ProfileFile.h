#pragma once
// An INI settings file read and written with the semantics of the Windows
// profile routines. Every call opens the file; every write goes to disk at once.
// Everything not written (comments, blank lines, unknown sections and keys,
// their order, line ends) stays byte for byte. ProfileEdit gathers many writes
// and puts them on disk in one replacement of the file.
#include <string>
#include <vector>

namespace tessel {

class ProfileFile {
public:
    explicit ProfileFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    // Section and key names match without regard to case; a value is read as
    // at most 2047 characters.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // "0x"/"0X" values of more than two characters are hexadecimal; a value that
    // does not convert yields the default.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Creates the file, section or key when missing. Throws AppError
    // "Unable to write to %s" when the file cannot be replaced. Each is a
    // ProfileEdit of one write.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string fileName_;
};

// Writes to one settings file, gathered in order and put on disk together: the
// file ends as the same writes made one by one through ProfileFile would leave
// it, but is read once and replaced once. A key written twice keeps the later
// value. Writes not committed are dropped.
class ProfileEdit {
public:
    explicit ProfileEdit(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    // Only note the write; the file is not touched before Commit.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    bool Empty() const { return writes_.empty(); }

    // Reads the file, applies every write in order and replaces the file once,
    // creating it when missing; without writes it does nothing at all. Throws
    // AppError "Unable to write to %s" when an existing file cannot be read or
    // the file cannot be replaced: the file is as it was then, and the writes
    // are kept. After success the edit is empty again.
    void Commit();

private:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };
    std::string fileName_;
    std::vector<Write> writes_;
};

} // namespace tessel
