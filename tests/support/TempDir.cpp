#include "support/TempDir.h"

#include <QDir>
#include <filesystem>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tessel {

TempDir::TempDir()
{
    QTemporaryDir dir(QDir::tempPath() + "/tessel-test-XXXXXX");
    if (!dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    dir.setAutoRemove(false);
    path_ = dir.path().toStdString() + "/";
}

TempDir::~TempDir()
{
    // Tests may leave read-only folders behind; make everything removable first.
    namespace fs = std::filesystem;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const
{
    const std::string p = path_ + name;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + p);
    return p;
}

std::string TempDir::read(const std::string& name) const
{
    std::ifstream in(path_ + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace tessel
