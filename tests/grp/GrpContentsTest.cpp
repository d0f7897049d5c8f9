// An archive's entries read, replaced and opened as documents: the rest of
// the archive stays byte for byte, a failure midway leaves it whole, and the
// preview reads what the entries hold or says why it cannot.
#include <gtest/gtest.h>

#include "grp/EntryPreview.h"
#include "grp/GrpContents.h"
#include "grp/GrpTestSupport.h"
#include "support/BuildBytes.h"

namespace tessel {
namespace {

using namespace test;

TEST(GrpContentsTest, ReplacingAnEntryChangesItsSizeAndDataAlone)
{
    const std::string junk = "after the data";
    TempDir dir;
    const std::string path =
        dir.write("T.GRP", Grp({{"A.CON", 3, "aaa"}, {Del, 2, "dd"}, {"B.CON", 4, "bbbb"}, {"C.ART", 1, "c"},
                                {"B.CON", 2, "b2"}, {Res, 0}}) + junk);
    ReplaceEntryData(path, "B.CON", "a longer B");
    EXPECT_EQ(dir.read("T.GRP"), Grp({{"A.CON", 3, "aaa"}, {Del, 2, "dd"}, {"B.CON", 10, "a longer B"},
                                      {"C.ART", 1, "c"}, {"B.CON", 2, "b2"}, {Res, 0}}) + junk);
    EXPECT_FALSE(FileExists(dir.file("~tempT.GRP")));
    EXPECT_EQ(ErrorOf([&] { ReplaceEntryData(path, "D.CON", "x"); }), "D.CON is no longer in " + path);
    EXPECT_EQ(ErrorOf([&] { ReplaceEntryData(path, "**8Delete8**", "x"); }), "**8Delete8** is no longer in " + path);
    // Past the first reserved slot nothing is live.
    const std::string past = dir.write("P.GRP", Grp({{"A.CON", 1, "a"}, {Res, 0}, {"Z.CON", 1, "z"}}));
    EXPECT_EQ(ErrorOf([&] { ReplaceEntryData(past, "Z.CON", "x"); }), "Z.CON is no longer in " + past);
    // A tile with no width or no height has no picture.
    const std::string art = ArtBytes(0, 1, {{4, 0}, {0, 4}}, "");
    const std::string empty = dir.write("E.GRP", Grp({{"TILES000.ART", std::int32_t(art.size()), art}}));
    for (const int tile : {0, 1})
        EXPECT_NE(ErrorOf([&] { ArchiveTileImage(empty, tile, {}); }).find("is empty"), std::string::npos) << tile;
}

// The archive tests' faults: a file-size limit met midway and a signal at
// it; the archive stays as it was and no temporary file is left.
TEST(GrpContentsTest, AFailureMidwayLeavesTheArchiveAsItWas)
{
    std::string palette, pixels;
    for (int i = 0; i < 256; ++i)
        palette += std::string(3, char(i / 4));
    // Tile 1 keeps its size, so the new archive is as large as the old one.
    const std::string art = ArtBytes(0, 1, {{64, 64}, {8, 8}}, std::string(4096, 'x') + std::string(64, 'y'));
    const std::string grp = Grp({{"TILES000.ART", std::int32_t(art.size()), art}, {"PALETTE.DAT", 768, palette}});
    for (int i = 0; i < 64; ++i)
        pixels += "\x04\x04\x04\xff";   // colour 4 (to 7) of the palette
    const RgbaImage picture{8, 8, pixels};
    for (const ChildFault fault : {ChildFault{long(grp.size() / 2), 0, false}, ChildFault{long(grp.size() / 2), SIGTERM, false}}) {
        SCOPED_TRACE(fault.signalAtLimit);
        TempDir dir;
        const std::string path = dir.write("K.GRP", grp);
        EXPECT_EQ(InChild([&] { ReplaceArchiveTile(path, 1, picture); }, fault),
                  fault.signalAtLimit ? "signal 15" : "Disk full");
        EXPECT_TRUE(dir.read("K.GRP") == grp);
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"K.GRP"});
    }
    TempDir dir;
    const std::string path = dir.write("K.GRP", grp);
    ReplaceArchiveTile(path, 1, picture);
    EXPECT_EQ(ArchiveTileImage(path, 1, ArchivePalette(path).colors).rgba, picture.rgba);
}

TEST(GrpContentsTest, AnEntryDocumentWritesBackAndAsksWhenItsEntryChangedMeanwhile)
{
    TempDir dir;
    const std::string path = dir.write("M.GRP", Grp({{"GAME.CON", 5, "hello"}, {"B", 1, "b"}}));
    GrpEntryDocument doc(path, "GAME.CON");
    EXPECT_EQ(doc.Name(), "GAME.CON in " + path);
    EXPECT_EQ(doc.Read(), "hello");
    ScriptedPrompter prompter;
    EXPECT_TRUE(doc.Write("hi!", prompter));
    EXPECT_EQ(dir.read("M.GRP"), Grp({{"GAME.CON", 3, "hi!"}, {"B", 1, "b"}}));
    EXPECT_EQ(doc.SavedText(), "Saved GAME.CON into M.GRP");

    // Another entry changed elsewhere: that change stays, no question.
    ReplaceEntryData(path, "B", "other");
    EXPECT_TRUE(doc.Write("one", prompter));
    EXPECT_EQ(dir.read("M.GRP"), Grp({{"GAME.CON", 3, "one"}, {"B", 5, "other"}}));
    // The entry itself changed elsewhere: asked; No writes nothing, Yes writes.
    ReplaceEntryData(path, "GAME.CON", "theirs");
    prompter.answers = {MsgResult::No, MsgResult::Yes};
    EXPECT_FALSE(doc.Write("mine", prompter));
    EXPECT_EQ(dir.read("M.GRP"), Grp({{"GAME.CON", 6, "theirs"}, {"B", 5, "other"}}));
    EXPECT_TRUE(doc.Write("mine", prompter));
    EXPECT_EQ(dir.read("M.GRP"), Grp({{"GAME.CON", 4, "mine"}, {"B", 5, "other"}}));
    // Gone from the archive: said so, nothing written.
    dir.write("M.GRP", Grp({{"B", 1, "b"}}));
    EXPECT_FALSE(doc.Write("lost?", prompter));
    const std::string changed =
        "GAME.CON in " + path + " was changed by another program since it was opened. Overwrite it?";
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{changed, changed,
                                        "GAME.CON is no longer in " + path + ", so it was not saved there."}));
}

TEST(GrpContentsTest, PalettesComeFromTheArchiveElseAnotherElseAGreyRamp)
{
    TempDir dir;
    std::string colors;
    for (int i = 0; i < 256; ++i)
        colors += std::string{char(i % 64), 0, 0};
    const std::string own = dir.write("A.GRP", Grp({{"palette.dat", 768, colors}})),
                      none = dir.write("B.GRP", Grp({{"X", 1}})),
                      damaged = dir.write("C.GRP", Grp({{"PALETTE.DAT", 5, "short"}}));
    EXPECT_EQ(ArchivePalette(own).source, "palette.dat of this archive");
    EXPECT_EQ(ArchivePalette(own).colors[1], 0xff040000u);
    EXPECT_EQ(ArchivePalette(none, {damaged, own}).source,
              "palette.dat of " + own + " (that of " + damaged +
                  " is damaged: PALETTE.DAT: palette: 5 bytes; a palette has 768 bytes of colours)");
    const PaletteChoice grey = ArchivePalette(none);
    EXPECT_FALSE(grey.found);
    EXPECT_EQ(grey.source, "a grey ramp: no palette in this archive or another open one");
    EXPECT_EQ(grey.colors[200], 0xffc8c8c8u);
}

// What the preview pane shows of each kind, and a damaged entry said in a
// line instead of shown (what each reader refuses: BuildFormatsTest).
TEST(GrpContentsTest, PreviewsReadWhatTheyShowAndSayWhyNot)
{
    TempDir dir;
    const std::string art = ArtBytes(0, 2, {{1, 1}, {0, 0}, {2, 1}}, "abc");
    const std::string map = MapBytes(7, {{0, 1}}, {{0, 0, 0}}, 2);
    const std::string voc = VocBytes(VocBlock(1, std::string("\x9c\x00", 2) + "ab"));
    const std::string mid = std::string("MThd\0\0\0\x06\0\x01\0\x09\0\x78", 14);
    const std::string badArt = ArtBytes(0, 0, {{32767, 32767}}, "x");
    const std::vector<Entry> entries = {
        {"TILES000.ART", std::int32_t(art.size()), art}, {"E1L1.MAP", std::int32_t(map.size()), map},
        {"S.VOC", std::int32_t(voc.size()), voc},        {"M.MID", 14, mid},
        {"GAME.CON", 6, "define"},                       {"DATA.BIN", 3, "\x01\x02z"},
        {"BAD.ART", std::int32_t(badArt.size()), badArt}, {"PALETTE.DAT", 7, "palette"}};
    const std::string path = dir.write("P.GRP", Grp(entries));
    const KeywordTableType table = {{"define", 6, clBlue}};
    const struct {
        const char* name;
        EntryKind kind;
        std::string info, error;
    } rows[] = {
        {"TILES000.ART", EntryKind::Art,
         "3 tiles (0 to 2); palette: a grey ramp: no palette in this archive or another open one (that of this "
         "archive is damaged: PALETTE.DAT: palette: 7 bytes; a palette has 768 bytes of colours)", ""},
        {"E1L1.MAP", EntryKind::Map,
         "Build map version 7; start 10, 20, 30 (angle 512, sector 0); 1 sectors, 1 walls, 2 sprites", ""},
        {"S.VOC", EntryKind::Voc, "Creative Voice File, 8-bit PCM, 10000 Hz, mono, 0.00 s", ""},
        {"M.MID", EntryKind::Midi, "Standard MIDI file, format 1, 9 tracks, 120 ticks a beat", ""},
        {"GAME.CON", EntryKind::Text, "6 bytes of text", ""},
        {"DATA.BIN", EntryKind::Other, "3 bytes", ""},
        {"BAD.ART", EntryKind::Art, "",
         "ART file: tile 0 (32767 x 32767) runs past the end: the tiles up to it need 1073676289 bytes of pixels, 1 "
         "are left"},
        {"PALETTE.DAT", EntryKind::Palette, "", "palette: 7 bytes; a palette has 768 bytes of colours"},
    };
    const std::vector<GrpRow> live = LiveEntries(path);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const EntryPreview p = ReadEntryPreview(path, *FindEntry(live, r.name), {}, &table);
        EXPECT_EQ(p.kind, r.kind);
        EXPECT_EQ(p.info, r.info);
        EXPECT_EQ(p.error.substr(0, r.error.size()), r.error);
    }
    const EntryPreview con = ReadEntryPreview(path, *FindEntry(live, "GAME.CON"), {}, &table);
    EXPECT_EQ(con.colors, std::vector<TColor>(6, clBlue));
    EXPECT_EQ(HexDump(ReadEntryPreview(path, *FindEntry(live, "DATA.BIN"), {}, nullptr).bytes),
              "00000000  01 02 7a                                         ..z\n");
    // An entry whose data the file does not hold is said so, not read.
    const std::string cut = dir.write("C.GRP", Grp({{"BIG.ART", 4000, "x"}}).substr(0, 40));
    EXPECT_EQ(ReadEntryPreview(cut, {"BIG.ART", 4000, 32}, {}, nullptr).error, "Read beyond end of file");
}

} // namespace
} // namespace tessel
