#pragma once
// An INI settings file read and written with the semantics of the Windows
// profile routines. Every call opens the file; every write goes to disk at once.
// Everything not written (comments, blank lines, unknown sections and keys,
// their order, line ends) stays byte for byte.
#include <string>

namespace tessel {

class ProfileFile {
public:
    explicit ProfileFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& fileName() const { return fileName_; }

    // Section and key names match without regard to case; a value is read as
    // at most 2047 characters.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // "0x"/"0X" values of more than two characters are hexadecimal; a value that
    // does not convert yields the default.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Creates the file, section or key when missing. Throws AppError
    // "Unable to write to %s" when the file cannot be replaced.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string fileName_;
};

} // namespace tessel
