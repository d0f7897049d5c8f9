#include "grp/GrpFormat.h"

#include <gtest/gtest.h>

#include "grp/GrpBytes.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using test::Grp;

std::string Bytes(const GrpName& n)
{
    return std::string(n.begin(), n.end());
}

TEST(GrpFormatTest, TextFieldsAreWrittenAndReadTheSameWay)
{
    struct Case {
        std::string text, field, readBack;
    } cases[] = {
        {"abc", std::string("abc") + std::string(9, '\0'), "abc"},
        {"ABCDEFGH.CON", "ABCDEFGH.CON", "ABCDEFGH.CON"},   // twelve: no NUL at all
        {"", std::string(12, '\0'), ""},
        {"ABCDEFGHI.CON", "ABCDEFGHI.CO", "ABCDEFGHI.CO"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Bytes(MakeGrpName(c.text)), c.field) << c.text;
        EXPECT_EQ(GrpNameText(MakeGrpName(c.text)), c.readBack) << c.text;
    }
    GrpName eightThenJunk;
    const std::string raw = std::string("TILES000") + '\0' + "XYZ";
    std::copy(raw.begin(), raw.end(), eightThenJunk.begin());
    EXPECT_EQ(GrpNameText(eightThenJunk), "TILES000");
    EXPECT_EQ(Bytes(ReservedSlotMarker), test::Res);
    EXPECT_EQ(Bytes(DeletedEntryMarker), test::Del);
}

TEST(GrpFormatTest, IntegersAreLittleEndianAndSigned)
{
    for (const std::int32_t v : {0, 1, 100, 0x01020304, -1, INT32_MIN, INT32_MAX}) {
        unsigned char b[4];
        PutInt32LE(b, v);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 4), test::Le32(v));
        EXPECT_EQ(GetInt32LE(b), v);
    }
}

TEST(GrpFormatTest, NamesKeysAndPlainFileNames)
{
    const std::pair<std::string, std::string> keys[] = {
        {"GAME.CON", "CON"}, {"a.b.c", "c"}, {"README", ""}, {"dot.", ""}, {".hidden", "hidden"}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(ExtensionKey(name), key) << name;

    const std::pair<std::string, std::string> paths[] = {{"/mods/NEW.CON", "NEW.CON"},
                                                         {"C:\\Games\\GAME.CON", "GAME.CON"},
                                                         {"C:USER.CON", "USER.CON"},
                                                         {"plain.art", "plain.art"}};
    for (const auto& [path, name] : paths)
        EXPECT_EQ(EntryNameOfPath(path), name) << path;

    for (const char* ok : {"GAME.CON", "a b", "...x", "\xe9t\xe9.txt"})
        EXPECT_TRUE(IsPlainFileName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b", "a\nb", "\x7f", "tab\tx"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(GrpFormatTest, DirectoryReadingStopsAtTheFileEndHoweverLargeTheCount)
{
    TempDir dir;
    std::string bytes = Grp({{"A", 1, ""}, {"B", 2, ""}});
    bytes.replace(12, 4, test::Le32(INT32_MAX));   // claims two billion entries
    File f(dir.write("big.grp", bytes), File::Mode::Read);
    const GrpDirectory read = ReadGrpDirectory(f, f.size(), INT32_MAX, false);
    // Two whole entries, then the data's three bytes are not a third one.
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_TRUE(read.runsPastEnd);
    EXPECT_EQ(GrpNameText(read.entries[1].name), "B");

    std::string slotFirst = Grp({{test::Res, 0, ""}});
    slotFirst.replace(12, 4, test::Le32(1000000));
    File g(dir.write("slot.grp", slotFirst), File::Mode::Read);
    const GrpDirectory stopped = ReadGrpDirectory(g, g.size(), 1000000, true);
    EXPECT_TRUE(stopped.entries.empty());
    EXPECT_TRUE(stopped.stoppedAtSlot);
    EXPECT_FALSE(stopped.runsPastEnd);
}

TEST(GrpFormatTest, DataMustLieInsideTheFile)
{
    EXPECT_NO_THROW(CheckDataInFile(48, 10, 48, 58));
    EXPECT_NO_THROW(CheckDataInFile(58, 0, 48, 58));
    for (const auto& [offset, size] : {std::pair<std::int64_t, std::int32_t>{48, 11}, {48, -1}, {40, 4}}) {
        try {
            CheckDataInFile(offset, size, 48, 58);
            ADD_FAILURE() << offset << " " << size;
        } catch (const IoError& e) {
            EXPECT_STREQ(e.what(), "Read beyond end of file");
        }
    }
}

} // namespace
} // namespace tessel
