#pragma once
// A fresh temporary folder for one test, removed with everything in it.
#include <string>

namespace tessel {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }   // ends in a separator
    std::string file(const std::string& name) const { return path_ + name; }
    // Writes bytes to a file in the folder and returns its full path.
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// Makes dir the test's current folder (the program never changes its own).
void EnterFolder(const std::string& dir);

} // namespace tessel
