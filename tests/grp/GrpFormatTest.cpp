#include "grp/GrpFormat.h"

#include <gtest/gtest.h>

#include "grp/GrpTestSupport.h"

namespace tessel {
namespace {

using namespace test;

TEST(GrpFormatTest, DirectoryReadingStopsAtTheFileEndHoweverLargeTheCount)
{
    TempDir dir;
    std::string bytes = Grp({{"A", 1}, {Res, 0}, {"B", 2}});
    bytes.replace(12, 4, Le32(INT32_MAX));
    File f(dir.write("big.grp", bytes), File::Mode::Read);
    const GrpDirectory all = ReadGrpDirectory(f, f.size(), INT32_MAX, false),
                       upToSlot = ReadGrpDirectory(f, f.size(), INT32_MAX, true);
    ASSERT_EQ(all.entries.size(), 3u);   // the three data bytes are no fourth entry
    EXPECT_TRUE(all.runsPastEnd && !all.stoppedAtSlot);
    EXPECT_EQ(GrpNameText(all.entries[2].name) + std::to_string(all.entries[2].size), "B2");
    EXPECT_TRUE(upToSlot.entries.size() == 1 && upToSlot.stoppedAtSlot && !upToSlot.runsPastEnd);
    for (const char* path : {"/mods/NEW.CON", "C:\\Games\\NEW.CON", "C:NEW.CON", "NEW.CON"})
        EXPECT_EQ(EntryNameOfPath(path), "NEW.CON") << path;
}

} // namespace
} // namespace tessel
