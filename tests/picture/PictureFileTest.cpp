#include "picture/PictureFile.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Errors.h"

namespace tessel {
namespace {

// A metafile that holds nothing: its header and the end record.
const std::string EmptyWmf("\x01\x00\x09\x00\x00\x03\x0c\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00"
                           "\x03\x00\x00\x00\x00\x00", 24);

// What MetafileToSvg says of the empty metafile in a child process whose view
// of the file system lacks libwmf's fonts: 0 "could not start", 1 no error,
// 2 another text, 77 no mount namespace of its own to be had.
int WithoutTheFonts()
{
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return 77;
    ::mount("none", "/usr/share/fonts/type1/urw-base35", "tmpfs", 0, nullptr);   // none installed: as good
    try {
        MetafileToSvg(PictureKind::Metafile, EmptyWmf);
        return 1;
    } catch (const AppError& e) {
        return std::string(e.what()).rfind("The metafile library could not start: ", 0) == 0 ? 0 : 2;
    }
}

// A missing library resource is no bad file.
TEST(PictureFileTest, AMetafileLibraryWithoutItsFontsSaysSo)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(WithoutTheFonts());
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no mount namespace of our own";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace tessel
