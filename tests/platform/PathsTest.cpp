#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <array>

namespace tessel {
namespace {

TEST(PathsTest, NamePartsSplitAtEitherSeparatorAndTheFirstFullStop)
{
    const std::array<const char*, 4> cases[] = {
        // path, FileNamePart, FileExtPart, FileStemPart
        {"D:\\scripts\\game.con", "game.con", "con", "D:\\scripts\\game"},
        {"/home/me/game.con", "game.con", "con", "/home/me/game"},
        {"C:\\my.maps\\city.grp", "city.grp", "maps\\city.grp", "C:\\my"},
        {"C:\\games\\/", "games", "C:\\games\\/", ""},
        {"archive.tar.gz", "archive.tar.gz", "tar.gz", "archive"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNamePart(c[0]), c[1]) << c[0];
        EXPECT_EQ(FileExtPart(c[0]), c[2]) << c[0];
        EXPECT_EQ(FileStemPart(c[0]), c[3]) << c[0];
    }
}

} // namespace
} // namespace tessel
