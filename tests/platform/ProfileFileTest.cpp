#include "platform/Files.h"
#include "platform/ProfileFile.h"
#include "support/NonRegular.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

using namespace tessel;

namespace {

TEST(ProfileFileTest, ReadStringIntegerAndBool)
{
    const struct { const char *file, *section, *key, *expected; } strings[] = {
        {"[A]\nk=v\n", "A", "k", "v"},
        {"[main]\r\nKEY=v\r\n", "MAIN", "key", "v"},
        {"  [ A ]  \n \t k \t=  v w \t\n", "a", "K", "v w"},
        {"[Zz]\nzZ=v\n", " zZ ", "\tZz", "v"},             // names trimmed, every letter's case ignored
        {"[A]\nk=\"  x \"\n", "A", "k", "  x "},
        {"[A]\nk='x'\n", "A", "k", "x"},
        {"[A]\nk=\"\"\n", "A", "k", ""},
        {"[A]\nk=\n", "A", "k", ""},                       // present but empty: not the default
        {"[A]\n=v\n", "A", "", "v"},                       // an empty key name is a name
        {"[A]\nk=1\nk=2\n", "A", "k", "1"},                 // first key counts
        {"[A]\nk=1\r", "A", "k", "1"},                      // a final CR ends the line
        {"[A]\nk=1\n[A]\nk=2\n", "A", "k", "1"},            // first section counts
        {"k=v\n[A]\n", "A", "k", "DEF"},                    // before any header: no section
        {"[AB]\nk=1\n[A]\nk=2\n", "A", "k", "2"},          // a longer name is another section
        {"[A]\nkk=1\nk=2\n", "A", "k", "2"},               // and another key
        {"[A]\n[B\nk=v\n", "A", "k", "v"},                  // without its bracket no header
        {"[A]\n;k=v\n  ; k=v\n", "A", "k", "DEF"},
        {"[A]\n;k=v\n", "A", ";k", "DEF"},
    };
    TempDir dir;
    for (const auto& c : strings)
        EXPECT_EQ(c.expected, ProfileFile(dir.write("t.ini", c.file)).ReadString(c.section, c.key, "DEF")) << c.file;
    EXPECT_EQ("DEF", ProfileFile(dir.file("missing.ini")).ReadString("A", "k", "DEF"));
    // A file that cannot be read counts as missing.
    EXPECT_EQ("DEF", ProfileFile(dir.path()).ReadString("A", "k", "DEF"));
    const std::string longest(2047, 'a');
    EXPECT_EQ(longest, ProfileFile(dir.write("t.ini", "[A]\nk=" + longest + "cc\n")).ReadString("A", "k", ""));

    const struct { const char* value; int integer; bool boolean; } numbers[] = {
        {"7", 7, true}, {"0", 0, false}, {"-1", -1, true}, {"$10", 16, true}, {"0x2", 2, true}, {"0X1f", 31, true},
        {"\"12 \"", 42, true}, {"0x", 42, true}, {"abc", 42, true}, {"", 42, true},
    };
    for (const auto& c : numbers) {
        ProfileFile ini(dir.write("t.ini", std::string("[A]\nk=") + c.value + "\n"));
        EXPECT_EQ(c.integer, ini.ReadInteger("a", "K", 42)) << c.value;
        EXPECT_EQ(c.boolean, ini.ReadBool("A", "k", true)) << c.value;
    }
    EXPECT_FALSE(ProfileFile(dir.file("t.ini")).ReadBool("A", "missing", false));
}

// A literal that may hold NUL bytes.
template <size_t N>
std::string Bytes(const char (&text)[N]) { return std::string(text, N - 1); }

TEST(ProfileFileTest, WriteChangesOnlyWhatItMust)
{
    const struct { std::string before; const char *section, *key; std::string after; } cases[] = {
        // Replacing keeps the file's spelling of the key and the line's own end.
        {"; c\r\n[Main]\r\nFoo=1\r\nBar=2", "main", "FOO", "; c\r\n[Main]\r\nFoo=v\r\nBar=2"},
        {"[S]\n  Key  =  old  \r\nx=1", "S", "key", "[S]\nKey=v\r\nx=1"},
        {"[S]\nk=1\nk=2\n[S]\nk=3\n", "S", "k", "[S]\nk=v\nk=2\n[S]\nk=3\n"},
        {"  [ S ]  \n[T]\nk=1\n", "s", "k", "  [ S ]  \nk=v\n[T]\nk=1\n"},
        // A new key goes after the section's last non-blank line.
        {"[A]\nx=1\n\n \n[B]\ny=2\n", "A", "z", "[A]\nx=1\nz=v\n\n \n[B]\ny=2\n"},
        {"[S]\na=1\n\n[T]\n[S]\nk=3\n", "S", "k", "[S]\na=1\nk=v\n\n[T]\n[S]\nk=3\n"},
        {"[A]\nx=1", "A", "z", "[A]\nx=1\nz=v\n"},
        {"[A]\nk=x\r", "A", "z", "[A]\nk=x\r\nz=v\n"},
        {"\r\n[A]\nk=x\r", "A", "z", "\r\n[A]\nk=x\r\nz=v\r\n"},
        {"\r\n[A]\nk=x\r", "N", "z", "\r\n[A]\nk=x\r\n[N]\r\nz=v\r\n"},
        // A new section goes at the end, in the file's line-end style.
        {"; c\n[A]\nx=1", "N", "k", "; c\n[A]\nx=1\n[N]\nk=v\n"},
        {"[A]\r\nx=1\r\n", "N", "k", "[A]\r\nx=1\r\n[N]\r\nk=v\r\n"},
        {"no line end", "N", "k", "no line end\r\n[N]\r\nk=v\r\n"},
        {Bytes("\xff\0\x80=\n[A]\nk=1\n"), "A", "k", Bytes("\xff\0\x80=\n[A]\nk=v\n")},
    };
    TempDir dir;
    for (const auto& c : cases) {
        ProfileFile(dir.write("t.ini", c.before)).WriteString(c.section, c.key, "v");
        EXPECT_EQ(c.after, dir.read("t.ini")) << testing::PrintToString(c.before);
    }
}

// Random files and write sequences: one edit must leave the bytes that the
// same writes leave when made one at a time.
TEST(ProfileEditTest, OneCommitEqualsTheWritesOneByOne)
{
    std::mt19937 random(7);   // fixed, so that a failure repeats
    const auto pick = [&](const auto& items) { return items[random() % std::size(items)]; };
    // Mixed case, and now and then blanks around the name.
    const auto spell = [&](std::string name) {
        for (char& c : name)
            if (random() % 2)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return random() % 4 ? name : " " + name + "\t";
    };
    const char* const lines[] = {"[A]", " [ b ] ", "[C]", "[a]", "k=1", "  K = old ", "j=", "key2=x",
                                 "; k=comment", "", "  ", "junk", "[open", "=v"};
    const char* const sections[] = {"a", "b", "c", "d"};
    const char* const keys[] = {"k", "j", "key2", "new"};
    // The last value looks like a section: it must stay a value.
    const char* const values[] = {"", "1", " x y ", "0x10", "v=[d]"};

    TempDir dir;
    for (int round = 0; round < 150; ++round) {
        std::string start;
        const int style = static_cast<int>(random() % 3);   // CR LF, LF, either line by line
        for (int n = static_cast<int>(random() % 10); n > 0; --n)
            start += pick(lines) + std::string(style == 0 || (style == 2 && random() % 2) ? "\r\n" : "\n");
        // The last line's end: kept, cut off, left as a lone CR.
        if (const auto end = random() % 4; end == 1 || end == 2)
            start += pick(lines) + std::string(end == 2 ? "\r" : "");
        const bool missing = random() % 8 == 0;
        std::string trace = missing ? "(missing)" : testing::PrintToString(start);
        for (const char* name : {"each.ini", "batch.ini"})
            if (missing)
                DeleteFile(dir.file(name));
            else
                dir.write(name, start);

        ProfileFile each(dir.file("each.ini"));
        ProfileEdit batch(dir.file("batch.ini"));
        for (int n = 1 + static_cast<int>(random() % 8); n > 0; --n) {
            const std::string section = spell(pick(sections)), key = spell(pick(keys)), text = pick(values);
            const int kind = static_cast<int>(random() % 3), number = static_cast<int>(random() % 200) - 100;
            const auto write = [&](auto& to) {
                if (kind == 0)
                    to.WriteString(section, key, text);
                else if (kind == 1)
                    to.WriteInteger(section, key, number);
                else
                    to.WriteBool(section, key, number % 2 != 0);
            };
            write(each), write(batch);
            trace += " [" + section + "]" + key + "=" + (kind == 0 ? text : std::to_string(kind == 1 ? number : number % 2 != 0));
        }
        batch.Commit();
        ASSERT_EQ(dir.read("each.ini"), dir.read("batch.ini")) << trace;
    }
}

// A write that fails throws and leaves the file as it was; a commit touches nothing it need not.
TEST(ProfileEditTest, FailuresLeaveTheFileAloneAndCommitTouchesNothingItNeedNot)
{
    TempDir dir;
    // Without writes no file is made or replaced, not even where none could be.
    for (const std::string& name : {dir.file("t.ini"), dir.path() + "."})
        EXPECT_EQ(test::ErrorOf([&] { ProfileEdit(name).Commit(); }), "") << name;
    EXPECT_FALSE(FileExists(dir.file("t.ini")));
    for (ProfileFile unwritable : {ProfileFile(dir.path() + "."),
                                   ProfileFile(test::MakeNonRegular(dir, "pipe", test::NonRegular::Fifo))})
        EXPECT_EQ(test::ErrorOf([&] { unwritable.WriteString("A", "k", "v"); }),
                  "Unable to write to " + unwritable.FileName());

    // A failed commit keeps its writes for another try; a done one forgets them.
    dir.write("plain", "x");
    ProfileEdit edit(dir.file("plain/t.ini"));
    edit.WriteString("A", "k", "v");
    EXPECT_EQ(test::ErrorOf([&] { edit.Commit(); }), "Unable to write to " + edit.FileName());
    ASSERT_TRUE(DeleteFile(dir.file("plain")));
    CreateDirectory(dir.file("plain"));
    edit.Commit();
    EXPECT_EQ("[A]\r\nk=v\r\n", dir.read("plain/t.ini"));
    ASSERT_TRUE(DeleteFile(dir.file("plain/t.ini")));
    edit.Commit();
    EXPECT_FALSE(FileExists(dir.file("plain/t.ini")));

    // A file-size limit makes the replacement fail even for root.
    const std::string before = "[A]\nk=1\n; a comment long enough to pass the limit\n";
    const std::string path = dir.write("t.ini", before);
    const std::vector<std::string> entries = ListFiles(dir.path(), true);
    EXPECT_EQ(test::InChild([&] { ProfileFile(path).WriteString("A", "k", "new value"); }, {16}), "Disk full");
    EXPECT_EQ(before, dir.read("t.ini"));
    EXPECT_EQ(entries, ListFiles(dir.path(), true));   // no temporary file left behind

    // A file we may write but not read is never replaced by one holding only the writes.
    const test::ChildFault unprivileged{0, 0, true};
    if (::geteuid() == 0) {   // root reads anything: the child gives up root
        for (const std::string& name : {dir.path(), path})
            ASSERT_EQ(::chown(name.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(path.c_str(), 0222), 0);
    ProfileEdit unreadable(path);
    unreadable.WriteString("A", "k", "2"), unreadable.WriteString("B", "j", "3");
    EXPECT_EQ(test::InChild([&] { unreadable.Commit(); }, unprivileged), "Unable to write to " + path);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(before, dir.read("t.ini"));
}

// Nothing written makes a line of its own: a control character anywhere in a
// section, key or value refuses that write, naming the setting, and the rest
// goes on. Every other byte is stored and read back as it is, since values of
// the original program (Windows paths) hold backslashes of their own.
TEST(ProfileEditTest, ControlCharactersAreRefusedAndEverythingElseKeptAsItIs)
{
    TempDir dir;
    const std::string before = "[Tessel]\r\nLastFolder=C:\\DUKE3D\\\r\n";
    const std::string path = dir.write("t.ini", before);
    const std::string refused = "The setting [RecentFiles] Recent1 was not stored in " + path +
                                ": its text holds a line break or another control character.";
    const std::string controls[] = {"a\nb", "a\rb", Bytes("a\0b"), "\x01", "a\x1f", "a\x7f", "a\tb", "x\n"};
    for (const std::string& bad : controls) {
        SCOPED_TRACE(testing::PrintToString(bad));
        EXPECT_FALSE(StorableInProfile(bad));
        ProfileFile ini(path);
        EXPECT_EQ(test::ErrorOf([&] { ini.WriteString("RecentFiles", "Recent1", "level1" + bad); }), refused);
        EXPECT_NE(test::ErrorOf([&] { ini.WriteString("Recent" + bad, "k", "v"); }), "");
        EXPECT_NE(test::ErrorOf([&] { ini.WriteString("A", "k" + bad, "v"); }), "");
        EXPECT_EQ(dir.read("t.ini"), before);
    }

    // One edit: what can be stored is, then the refused ones are named; a
    // refused value the file holds already (read from it) loses nothing.
    dir.write("t.ini", "[A]\nkept=a\tb\n[Tessel]\nLastFolder=/m/\n");
    ProfileEdit edit(path);
    edit.WriteString("A", "kept", "a\tb");
    edit.WriteString("RecentFiles", "Recent1", "/m/level1\n[Tessel]\nDosProgram=sh -c \"id\"\n.con");
    edit.WriteString("A", "ok", "1");
    edit.WriteString("Tessel", "LastFolder", "/m/\r\n[Tessel]\r\n");
    EXPECT_EQ(test::ErrorOf([&] { edit.Commit(); }),
              "The settings [RecentFiles] Recent1, [Tessel] LastFolder were not stored in " + path +
                  ": their text holds a line break or another control character.");
    EXPECT_EQ(dir.read("t.ini"), "[A]\nkept=a\tb\nok=1\n[Tessel]\nLastFolder=/m/\n");
    EXPECT_TRUE(edit.Empty());
    EXPECT_EQ(test::ErrorOf([&] { edit.Commit(); }), "");   // reported once

    const std::string kept[] = {"C:\\DUKE3D\\", "\\n", "%PATH% & del *.* | more", "say \"hi\" 'x'",
                                "\xe9t\xe9 \xff\xfe", "\xc3\xa9", "[x]", "k=v", "; not a comment"};
    ProfileFile ini(dir.write("t.ini", ""));
    for (const std::string& value : kept) {
        EXPECT_TRUE(StorableInProfile(value)) << value;
        ini.WriteString("A", "k", value);
        EXPECT_EQ(ini.ReadString("A", "k", "DEF"), value);
    }
    EXPECT_EQ(dir.read("t.ini"), "[A]\r\nk=; not a comment\r\n");
}

// One accessor reads and parses the file once for many reads, yet every read
// sees the file as it is on disk: written in place (even to the same size at
// once), replaced by a rename, made or removed.
TEST(ProfileFileTest, ReadsFollowTheFileOnDisk)
{
    TempDir dir;
    const std::string path = dir.file("t.ini");
    const ProfileFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "k", "DEF"), "DEF");
    for (const char* text : {"[A]\nk=1\n", "[A]\nk=2\n", "[B]\nk=3\n[A]\nk=4\n"}) {
        dir.write("t.ini", text);
        EXPECT_EQ(ini.ReadString("A", "k", "DEF"), std::string(1, text[std::string(text).size() - 2])) << text;
        EXPECT_EQ(ini.ReadString("a", "K", "DEF"), ini.ReadString("A", "k", "DEF"));
    }
    dir.write("new.ini", "[A]\nk=5\n");
    RenameOver(dir.file("new.ini"), path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 5);
    ASSERT_TRUE(DeleteFile(path));
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 0);

}

// A file larger than any settings file is neither read nor written: the
// defaults stand, and it stays as it is.
TEST(ProfileFileTest, AFileLargerThanSixteenMebibytesIsLeftAlone)
{
    TempDir dir;
    const std::string head = "[A]\r\nk=7\r\n;";
    const std::string path = dir.write("t.ini", head + std::string(MaxProfileFileSize - head.size(), 'x'));
    ProfileFile ini(path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 7);   // exactly the limit is read
    EXPECT_EQ(ini.Refusal(), "");
    std::ofstream(path, std::ios::app) << 'x';
    const std::string refusal = "The settings file " + path +
                                " is larger than 16 MiB, more than any settings file holds: it is neither read nor "
                                "written.";
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 0);
    EXPECT_EQ(ini.Refusal(), refusal);
    EXPECT_EQ(test::ErrorOf([&] { ini.WriteString("A", "k", "8"); }), refusal);
    ProfileEdit edit(path);
    edit.WriteString("B", "j", "1");
    EXPECT_EQ(test::ErrorOf([&] { edit.Commit(); }), refusal);
    EXPECT_EQ(FileSize(path), MaxProfileFileSize + 1);
    EXPECT_EQ(ProfileFile(dir.file("missing.ini")).Refusal(), "");
}

} // namespace
