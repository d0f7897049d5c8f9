#include "platform/Files.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/Errors.h"
#include "support/NonRegular.h"

namespace tessel {
namespace {

using namespace test;

const std::string Exists = "I/O error " + std::to_string(EEXIST);

TEST(FilesTest, FilesFoldersAndOneFileUnderSeveralNames)
{
    TempDir dir;
    const std::string file = dir.write("game.con", "x"), sub = dir.file("sub"), missing = dir.file("missing.con");
    EXPECT_TRUE(FileExists(file) && !DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(dir.path()) && !FileExists(dir.path()));
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
    ASSERT_EQ(::symlink(file.c_str(), dir.file("link.con").c_str()), 0);
    ASSERT_EQ(::link(file.c_str(), dir.file("hard.con").c_str()), 0);
    for (const char* other : {"sub/../game.con", "link.con", "hard.con"}) {
        EXPECT_TRUE(SameFile(file, dir.file(other))) << other;
        EXPECT_EQ(StampOf(dir.file(other)), StampOf(file)) << other;
    }
    const FileStamp before = StampOf(file);
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    const auto rewrite = [&](const char* bytes, long nanoseconds) {
        dir.write("game.con", bytes);
        const timespec times[2] = {{0, UTIME_OMIT}, {st.st_mtim.tv_sec, nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
        EXPECT_NE(StampOf(file), before) << bytes;
    };
    rewrite("yy", st.st_mtim.tv_nsec);                          // the same time: the size tells
    rewrite("y", (st.st_mtim.tv_nsec + 1) % 1000000000);   // the same size, within the same second: the time tells
    EXPECT_TRUE(before.exists && before.regular && !StampOf(missing).exists);
    EXPECT_FALSE(StampOf(sub).regular);
    EXPECT_FALSE(SameFile(file, dir.write("copy.con", "x")));
    EXPECT_FALSE(SameFile(file, missing));
    EXPECT_EQ(FileSize(file), 1);
    EXPECT_EQ(FileSize(sub), -1);
    EXPECT_EQ(FileSize(missing), -1);
    CreateDirectory(sub);   // there already: fine
    EXPECT_EQ(ErrorOf([&] { CreateDirectory(file); }), Exists);
}

TEST(FilesTest, ResolveFileCaseFindsTheNameUnderOtherCase)
{
    TempDir dir;
    dir.write("DUKE3D.EXE", "");
    dir.write("BUILD.EXE.BAK", "");
    EXPECT_EQ(ResolveFileCase(dir.file("Duke3D.exe")), dir.file("DUKE3D.EXE"));
    EXPECT_EQ(ResolveFileCase(dir.file("build.exe")), dir.file("build.exe"));
    // A name spelt exactly as it is there is that file, whatever else differs only in case.
    for (const char* name : {"GAME.CON", "Game.con", "game.con"})
        dir.write(name, name);
    for (const char* name : {"GAME.CON", "Game.con", "game.con"})
        EXPECT_EQ(ResolveFileCase(dir.file(name)), dir.file(name));
}

TEST(FilesTest, FoldersAreCheckedAsEnteringThemWouldBeAndRelativeNamesCountFromTheCurrentOne)
{
    TempDir dir;
    const std::string before = CurrentDirectory();
    const std::string file = dir.write("Duke3D.exe", "x");
    for (const std::string& bad : {std::string(), dir.file("missing"), file})
        EXPECT_EQ(ErrorOf([&] { CheckFolder(bad); }), bad == file ? "Invalid filename" : "File not found") << bad;
    CheckFolder(dir.path());
    EXPECT_EQ(CurrentDirectory(), before);
    EnterFolder(dir.path());
    const std::string inside = AbsolutePath("./Duke3D.exe"), here = AbsolutePath(""), cwd = CurrentDirectory();
    const std::string absolute = AbsolutePath(file);
    EnterFolder(before);
    EXPECT_EQ(inside, IncludeTrailingPathDelimiter(cwd) + "Duke3D.exe");
    EXPECT_TRUE(SameFile(here, dir.path()));
    EXPECT_EQ(here, cwd);
    EXPECT_EQ(absolute, file);
}

TEST(FilesTest, FailuresCarryTheRuntimeTexts)
{
    TempDir dir;
    const std::string file = dir.write("four", "1234");
    for (const bool positioned : {false, true}) {
        EXPECT_EQ(ErrorOf([&] {
                      File f(file, File::Mode::Read);
                      char buf[8];
                      positioned ? f.ReadExactAt(buf, 8, 0) : f.ReadExact(buf, 8);
                  }),
                  "Read beyond end of file")
            << (positioned ? "at a position" : "in turn");
    }
    // The modes that write what the user named: never through a link, Fresh never over anything.
    const std::string link = dir.file("link");
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    const struct {
        const char* name;
        File::Mode mode;
        std::string overFile, overLink;
    } modes[] = {{"Fresh", File::Mode::Fresh, Exists, Exists}, {"CreateNew", File::Mode::CreateNew, Exists, Exists},
                 {"Overwrite", File::Mode::Overwrite, "", "Invalid filename"}};
    for (const auto& m : modes) {
        EXPECT_EQ(ErrorOf([&] { File f(file, m.mode); }), m.overFile) << m.name;
        EXPECT_EQ(ErrorOf([&] { File f(link, m.mode); }), m.overLink) << m.name;
    }
    EXPECT_EQ(dir.read("four"), "");   // only Overwrite emptied it
}

TEST(FilesTest, AtomicWriteReplacesContentsAndKeepsPermissions)
{
    TempDir dir;
    const std::string file = dir.write("QztMain.ini", "old contents");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;   // then it also keeps the owner
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    }
    std::vector<std::string> during;   // the temporary file is hidden beside the target
    ReplaceFile(file, [&](File& out) { during = ListFiles(dir.path()), out.Write("new", 3); });
    EXPECT_EQ(dir.read("QztMain.ini"), "new");
    ASSERT_EQ(during.size(), 2u);
    EXPECT_EQ(during[0].substr(0, 13), ".QztMain.ini.");
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(!root || st.st_uid == 65534);
    // A new file gets the usual bits under the process's mask.
    const mode_t mask = ::umask(027);
    ReplaceFile(dir.file("new.ini"), "x");
    ::umask(mask);
    ASSERT_EQ(::stat(dir.file("new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    ASSERT_EQ(::symlink(file.c_str(), dir.file("link.ini").c_str()), 0);
    ReplaceFile(dir.file("link.ini"), "through the link");
    EXPECT_EQ(dir.read("QztMain.ini"), "through the link");
    EXPECT_EQ(ErrorOf([&] { ReplaceFile(dir.file("no/such/folder"), "x"); }), "File not found");
}

TEST(FilesTest, ADocumentKeepsItsOtherNamesAndAnyNameThatFitsTheFolderSaves)
{
    TempDir dir;
    const std::string file = dir.write("a.con", "older"), hard = dir.file("b.con");
    ASSERT_EQ(::link(file.c_str(), hard.c_str()), 0);
    ReplaceFile(file, "new", ReplaceTarget::Document);
    EXPECT_TRUE(SameFile(file, hard));
    EXPECT_EQ(dir.read("b.con"), "new");
    ReplaceFile(file, "atomic");   // other files are replaced whole, whatever their names
    EXPECT_EQ(dir.read("b.con"), "new");
    const std::string name(255, 'n'), longest = dir.file(name);
    ReplaceFile(longest, "x", ReplaceTarget::Document);
    ReplaceFile(longest, "y", ReplaceTarget::Document);
    EXPECT_EQ(dir.read(name), "y");
    ReplaceFile(longest, [](File& out) { out.Write("z", 1); }, ReplaceTarget::AnyOutput, "~temp" + name);
    EXPECT_EQ(dir.read(name), "z");
    // A file the user may write in a folder the user may not.
    TempDir locked;
    const std::string inLocked = locked.write("c.con", "old");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(inLocked.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(locked.path().c_str(), 0555), 0);
    const ChildFault unprivileged{0, 0, true};
    EXPECT_EQ(InChild([&] { ReplaceFile(inLocked, "settings", ReplaceTarget::AnyOutput); }, unprivileged),
              "File access denied");
    EXPECT_EQ(InChild([&] { ReplaceFile(inLocked, "in place", ReplaceTarget::Document); }, unprivileged), "");
    EXPECT_EQ(locked.read("c.con"), "in place");
    // A pipe is refused without waiting for a reader.
    const std::string pipe = MakeNonRegular(dir, "pipe", NonRegular::Fifo);
    for (const ReplaceTarget kind : {ReplaceTarget::RegularFile, ReplaceTarget::Document})
        EXPECT_EQ(ErrorOf([&] { ReplaceFile(pipe, "x", kind); }), pipe + " is not a regular file")
            << (kind == ReplaceTarget::Document ? "as a document" : "as a regular file");
}

// A file of the program's own (a recovery copy) replaces its name, whatever
// stands there, and is the owner's alone.
TEST(FilesTest, APrivateFileReplacesItsNameAndNeverWritesThroughIt)
{
    TempDir dir;
    const std::string victim = dir.write("victim.txt", "the user's"), copy = dir.file("1-1.copy");
    const mode_t mask = ::umask(0);
    enum class Standing { Nothing, Link, Pipe, FileOthersRead };
    for (const Standing standing : {Standing::Nothing, Standing::Link, Standing::Pipe, Standing::FileOthersRead}) {
        SCOPED_TRACE(static_cast<int>(standing));
        ::unlink(copy.c_str());
        if (standing == Standing::Link) {
            ASSERT_EQ(::symlink(victim.c_str(), copy.c_str()), 0);
        } else if (standing == Standing::Pipe) {
            MakeNonRegular(dir, "1-1.copy", NonRegular::Fifo);
        } else if (standing == Standing::FileOthersRead) {
            dir.write("1-1.copy", "old");
            ASSERT_EQ(::chmod(copy.c_str(), 0644), 0);
        }
        ReplaceFile(copy, "text", ReplaceTarget::Private);
        const FileStamp own = StampOf(copy, false);
        EXPECT_TRUE(own.regular);
        EXPECT_EQ(dir.read("1-1.copy"), "text");
        struct stat st;
        ASSERT_EQ(::stat(copy.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
    ::umask(mask);
    EXPECT_EQ(dir.read("victim.txt"), "the user's");
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"1-1.copy", "victim.txt"}));
    EXPECT_EQ(ErrorOf([&] { ReplaceFile(dir.path() + ".", "x", ReplaceTarget::Private); }),
              dir.path() + ". is a folder");
}

TEST(FilesTest, OnlyRegularFilesAreOpenedToBeRead)
{
    TempDir dir;
    const std::pair<const char*, NonRegular> cases[] = {
        {"folder", NonRegular::Folder}, {"pipe", NonRegular::Fifo},   // the pipe without waiting for a writer
        {"socket", NonRegular::Socket}, {"null", NonRegular::Null}, {"zero", NonRegular::Zero}};   // zero never ends
    for (const auto& [name, kind] : cases) {
        const std::string path = MakeNonRegular(dir, name, kind);
        const std::string says = path + (kind == NonRegular::Folder ? " is a folder" : " is not a regular file");
        for (const File::Mode mode : {File::Mode::Read, File::Mode::ReadWrite})
            EXPECT_EQ(ErrorOf([&] { File f(path, mode); }), says);
        std::string contents;
        if (kind != NonRegular::Folder)
            EXPECT_EQ(ErrorOf([&] { ReadWholeFile(path, contents); }), says);
        else   // as no file there at all
            EXPECT_FALSE(ReadWholeFile(path, contents));
    }
    std::string contents = "stale";
    EXPECT_FALSE(ReadWholeFile(dir.file("none"), contents));
    EXPECT_EQ(contents, "");
    EXPECT_TRUE(DevicesIntact());
}

TEST(FilesTest, ReplaceFileWritesDevicesAndPipesAsTheyAre)
{
    TempDir dir;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    // A pipe as a shell hands it over: through /proc, as /dev/stdout would be.
    const std::string pipeLink = dir.file("stdout");
    ASSERT_EQ(::symlink(("/proc/self/fd/" + std::to_string(fds[1])).c_str(), pipeLink.c_str()), 0);
    // More than the pipe holds, so that it is taken in parts: text, then a copy of more than one buffer.
    std::string text(100000, 't'), copied(1500000, 'c');
    text.back() = 'T', copied.back() = 'C';
    const std::string source = dir.write("source", copied);
    std::string got;
    std::thread reader([&] {
        char buf[65536];
        for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
            got.append(buf, static_cast<std::size_t>(n));
    });
    ReplaceFile(pipeLink, [&](File& out) {
        File in(source, File::Mode::Read);
        out.Write(text.data(), text.size());
        out.CopyFrom(in, 0, 0, in.Size());
    });
    ::close(fds[1]);
    reader.join();
    ::close(fds[0]);
    EXPECT_TRUE(got == text + copied);
    DeleteFile(source);
    EXPECT_EQ(ErrorOf([&] { ReplaceFile(MakeNonRegular(dir, "full", NonRegular::Full), "x"); }), "Disk full");
    EXPECT_EQ(ErrorOf([&] { ReplaceFile(MakeNonRegular(dir, "null", NonRegular::Null), "x"); }), "");
    const std::string folder = MakeNonRegular(dir, "folder", NonRegular::Folder);
    EXPECT_EQ(ErrorOf([&] { ReplaceFile(folder, "x"); }), folder + " is a folder");
    EXPECT_TRUE(DevicesIntact());
    struct stat st;
    EXPECT_TRUE(::lstat(pipeLink.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"full", "null"}));   // no temporary file left
}

TEST(FilesTest, CopyWholeFileCopiesEveryByteOrNamesTheFileItCannot)
{
    TempDir dir;
    std::string data(3 * 8192 + 17, '\0');   // bytes that tell a block copied to the wrong place
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7919 % 251);
    const std::string source = dir.write("GAME.CON", data);
    dir.write("copy.con", std::string(40000, 'x'));
    CopyWholeFile(source, dir.file("copy.con"));
    EXPECT_EQ(dir.read("copy.con"), data);
    ASSERT_EQ(::mkdir(dir.file("duke").c_str(), 0755), 0);
    CopyWholeFile(source, dir.file("duke"));
    EXPECT_EQ(dir.read("duke/GAME.CON"), data);
    // A file-size limit stands in for a full disk.
    EXPECT_EQ(InChild([&] { CopyWholeFile(source, dir.file("out.con")); }, {10000}), "Disk full");
    // Refusals name their file; a copy onto itself keeps it.
    const auto copyError = [](const std::string& from, const std::string& to) {
        return ErrorOf([&] { CopyWholeFile(from, to); });
    };
    ASSERT_EQ(::symlink(source.c_str(), dir.file("link.con").c_str()), 0);
    for (const std::string& other : {source, dir.file("link.con")}) {
        EXPECT_EQ(copyError(source, other), "Cannot create file " + other);
        EXPECT_EQ(dir.read("GAME.CON"), data);
    }
    EXPECT_EQ(copyError(source, dir.path()), "Cannot create file " + source);
    EXPECT_EQ(copyError(dir.file("missing.con"), dir.file("out.con")), "Cannot open file " + dir.file("missing.con"));
    EXPECT_EQ(copyError(source, dir.file("no/out.con")), "Cannot create file " + dir.file("no/out.con"));
}

} // namespace
} // namespace tessel
