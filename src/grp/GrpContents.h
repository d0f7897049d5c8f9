#pragma once
// What the entries of an archive hold: an entry's data read by name or by its
// row, an entry's data replaced (the rest of the archive byte for byte as it
// was), the tiles of its ART entries in the palette of its PALETTE.DAT, and an
// entry opened as a document that is written back into the archive.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/ArtFile.h"
#include "build/Palette.h"
#include "build/TilePicture.h"
#include "grp/GrpArchive.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tessel {

// The live entries as the list shows them: in order, up to the first reserved
// slot. Throws IoError ("Read beyond end of file" for a directory past the end).
std::vector<GrpRow> LiveEntries(const std::string& archivePath);
// The first live entry named name, compared exactly or, with anyCase, in any
// letter case (PALETTE.DAT); none: nullopt.
std::optional<GrpRow> FindEntry(const std::vector<GrpRow>& rows, const std::string& name, bool anyCase = false);
// The entry's data, at most limit bytes of it (a larger entry gives its first
// limit bytes when partial, else AppError "NAME is too large (N bytes) ...").
// Data outside the file is "Read beyond end of file".
std::string ReadEntryData(const std::string& archivePath, const GrpRow& entry, std::int64_t limit, bool partial = false);

// Replaces the data of the first live entry named name by bytes: a new
// archive is written beside it and renamed over it (see RebuildArchive), in
// which that entry's size and data are the only change; deleted entries,
// reserved slots and bytes after the data stay. AppError when the entry is not
// there, IoError when writing fails (the archive stays as it was).
void ReplaceEntryData(const std::string& archivePath, const std::string& name, std::string_view bytes);

// Every tile of the archive's ART entries (names ending in ".ART" in any
// case), entry by entry in directory order. FormatError names a damaged entry.
struct ArchiveTile {
    int number, width, height;
    std::string entry;
};
std::vector<ArchiveTile> ListArchiveTiles(const std::string& archivePath);

// The colours an archive's tiles are drawn in: its own PALETTE.DAT, else the
// first of others that has a good one, else a grey ramp; source says which
// ("PALETTE.DAT of this archive", "PALETTE.DAT of /x/DUKE3D.GRP", "a grey
// ramp: no palette in this archive or another open one"), naming a damaged
// palette that was passed over.
struct PaletteChoice {
    PaletteColors colors{};
    std::string source;
    bool found = false;   // a real palette, not the grey ramp
};
PaletteChoice ArchivePalette(const std::string& archivePath, const std::vector<std::string>& others = {});

// The ART entry that holds tile number (the first in directory order whose
// range holds it) read whole, with its name. AppError when none does.
struct ArtEntry {
    std::string name;
    ArtFile art;
};
ArtEntry ArtEntryOfTile(const std::string& archivePath, int number);
// Tile number as a picture in the colours (255 transparent). AppError for an
// empty tile (no pixels: no picture file can hold it).
RgbaImage ArchiveTileImage(const std::string& archivePath, int number, const PaletteColors& colors);
// Puts the picture in place of tile number, its pixels matched to the
// archive's own palette (refused without one), through ReplaceEntryData.
void ReplaceArchiveTile(const std::string& archivePath, int number, const RgbaImage& picture);

// An entry opened as a document (a script in an editor window): read whole,
// and written back into the archive by ReplaceEntryData.
class GrpEntryDocument {
public:
    GrpEntryDocument(std::string archivePath, std::string entryName);
    // "GAME.CON in /x/MOD.GRP": how the document is named to the user.
    std::string Name() const;
    // The entry's data (its first live entry of that name). Throws AppError
    // when it is not there or cannot be read.
    std::string Read();
    // Writes bytes as the entry's data. When the archive changed since Read
    // or the last Write: an entry that is gone is said so and nothing written;
    // one whose data changed is written only if the user says Yes to "NAME was
    // changed by another program since it was opened. Overwrite it?"; other
    // changes of the archive stay. False when nothing was written; IoError
    // when the write failed (the archive as it was).
    bool Write(std::string_view bytes, Prompter& prompter);
    // The status bar's text after a write: "Saved GAME.CON into MOD.GRP".
    std::string SavedText() const;
    const std::string& ArchivePath() const { return archivePath_; }
    const std::string& EntryName() const { return entryName_; }

private:
    std::string archivePath_, entryName_;
    FileStamp stamp_;     // the archive as read or written last
    std::string bytes_;   // the entry's data then
};

} // namespace tessel
