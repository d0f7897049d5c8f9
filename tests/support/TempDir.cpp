#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>
#include <unistd.h>

namespace tessel {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string templ = (fs::temp_directory_path() / "tessel-test-XXXXXX").string();
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = templ + "/";
}

TempDir::~TempDir()
{
    // Tests may leave read-only folders behind; make everything removable first.
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(path_ + name, std::ios::binary | std::ios::trunc) << bytes;
    return path_ + name;
}

std::string TempDir::read(const std::string& name) const
{
    std::ostringstream s;
    s << std::ifstream(path_ + name, std::ios::binary).rdbuf();
    return s.str();
}

void EnterFolder(const std::string& dir)
{
    if (::chdir(dir.c_str()) != 0)
        throw std::runtime_error("cannot enter " + dir);
}

} // namespace tessel
