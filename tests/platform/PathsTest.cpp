#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(PathsTest, NamesSplitAtEitherSeparatorAndTheFirstFullStop)
{
    // What FileNamePart, FileExtPart (after the first full stop of the whole path), FileStemPart,
    // NamePartExtension (after the first full stop of the name part) and WithoutNamePartExtension give.
    struct Row { const char *name, *path, *namePart, *extPart, *stem, *nameExt, *withoutExt; } rows[] = {
        {"windows path", "D:\\scripts\\game.con", "game.con", "con", "D:\\scripts\\game", "con", "D:\\scripts\\game"},
        {"posix path", "/home/me/game.con", "game.con", "con", "/home/me/game", "con", "/home/me/game"},
        {"folder with a full stop", "C:\\my.maps\\city.grp", "city.grp", "maps\\city.grp", "C:\\my", "grp",
         "C:\\my.maps\\city"},
        {"trailing separators", "C:\\games\\/", "games", "C:\\games\\/", "", "", "C:\\games\\/"},
        {"two full stops", "archive.tar.gz", "archive.tar.gz", "tar.gz", "archive", "tar.gz", "archive"},
        {"no full stop in the name", "/a.b/test", "test", "b/test", "/a", "test", "/a.b/test"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(FileNamePart(r.path), r.namePart);
        EXPECT_EQ(FileExtPart(r.path), r.extPart);
        EXPECT_EQ(FileStemPart(r.path), r.stem);
        EXPECT_EQ(NamePartExtension(r.path), r.nameExt);
        EXPECT_EQ(WithoutNamePartExtension(r.path), r.withoutExt);
    }
}

TEST(PathsTest, EntryNamesAndLastDotExtensions)
{
    const std::pair<const char*, const char*> windowsNames[] = {
        {"/mods/NEW.CON", "NEW.CON"}, {"C:\\Games\\NEW.CON", "NEW.CON"}, {"C:NEW.CON", "NEW.CON"}, {"NEW.CON", "NEW.CON"}};
    for (const auto& [path, name] : windowsNames)
        EXPECT_EQ(WindowsFileName(path), name) << path;
    const std::pair<const char*, const char*> lastDot[] = {
        {"GAME.CON", "CON"}, {"a.tar.gz", "gz"}, {"NOEXT", ""}, {"DOT.", ""}, {".hidden", "hidden"}};
    for (const auto& [name, ext] : lastDot)
        EXPECT_EQ(LastDotExtension(name), ext) << name;
}

// Paths of this system: only '/' separates, and folder + name gives the path back.
TEST(PathsTest, SystemPathsSplitIntoFolderAndName)
{
    struct Row { const char *path, *dir, *name, *prefix; } rows[] = {
        {"/games/duke/GAME.CON", "/games/duke", "GAME.CON", "/games/duke/"},
        {"/GAME.CON", "/", "GAME.CON", "/"},
        {"GAME.CON", "", "GAME.CON", ""},   // a bare name stays in the current folder
        {"C:\\dos\\x", "", "C:\\dos\\x", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        EXPECT_EQ(ExtractFileDir(r.path), r.dir);
        EXPECT_EQ(ExtractFileName(r.path), r.name);
        EXPECT_EQ(FolderPrefix(r.path), r.prefix);
    }
    EXPECT_EQ(FolderOrCurrent("GAME.CON"), ".");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ChangeFileExt("/x.y/game.con", ".qzt"), "/x.y/game.qzt");
    EXPECT_EQ(ChangeFileExt("/x.y/game", ".qzt"), "/x.y/game.qzt");
    EXPECT_EQ(ChangeFileExt("/x.y/.hidden", ".qzt"), "/x.y/.hidden.qzt");
}

} // namespace
} // namespace tessel
