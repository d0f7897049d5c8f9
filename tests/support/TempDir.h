#pragma once
// A fresh temporary folder for one test, removed with everything in it.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace tessel {

class TempDir {
public:
    TempDir() : path_((std::filesystem::temp_directory_path() / "tessel-test-XXXXXX").string())
    {
        if (!::mkdtemp(path_.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ += "/";
    }
    ~TempDir()
    {
        // Tests may leave read-only folders behind; make everything removable first.
        namespace fs = std::filesystem;
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ec);
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }   // ends in a separator
    std::string file(const std::string& name) const { return path_ + name; }
    // Writes bytes to a file in the folder and returns its full path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ + name, std::ios::binary | std::ios::trunc) << bytes;
        return path_ + name;
    }
    std::string read(const std::string& name) const
    {
        std::ostringstream s;
        s << std::ifstream(path_ + name, std::ios::binary).rdbuf();
        return s.str();
    }

private:
    std::string path_;
};

// Makes dir the test's current folder (the program never changes its own).
inline void EnterFolder(const std::string& dir)
{
    if (::chdir(dir.c_str()) != 0)
        throw std::runtime_error("cannot enter " + dir);
}

} // namespace tessel
