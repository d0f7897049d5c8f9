#pragma once
// What the explorer's preview pane shows of one entry, read from the archive
// and decoded without any widget (a worker thread does it while the list
// stays live). Reads are bounded: files that are drawn or played are read
// whole up to PreviewLimit, texts up to TextPreviewLimit, anything else its
// first HexPreviewLimit bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "build/ArtFile.h"
#include "build/EntryKind.h"
#include "build/MapFile.h"
#include "build/SoundFile.h"
#include "grp/GrpArchive.h"
#include "grp/GrpContents.h"
#include "language/ColorDefinitions.h"

namespace tessel {

constexpr std::int64_t PreviewLimit = 64 << 20;
constexpr std::int64_t TextPreviewLimit = 256 << 10;
constexpr std::int64_t HexPreviewLimit = 4096;

struct EntryPreview {
    GrpRow row;
    EntryKind kind = EntryKind::Other;
    std::string error;             // why it cannot be shown; empty when it can
    std::string info;              // one line about it: tiles and palette, map counts, sound format...
    ArtFile art;                   // Art
    PaletteChoice palette;         // Art: the colours; Palette: its own
    MapFile map;                   // Map
    PcmSound sound;                // Voc, Wav
    std::string bytes;             // Midi: the file; Text: its first bytes; Other: the first bytes
    std::vector<TColor> colors;    // Text of a known game's script: a colour a byte
    bool cut = false;              // Text, Other: only the first bytes are shown
};

// Reads and decodes the entry of row. others: the archives of the other
// explorer windows (palettes for the tiles); table: the keyword table of the
// entry's game when it is a script to colour (null: no colours). Failures of
// reading or decoding end up in error, never thrown.
EntryPreview ReadEntryPreview(const std::string& archivePath, const GrpRow& row, const std::vector<std::string>& others,
                              const KeywordTableType* table);

// Sixteen bytes a line: offset, the bytes in hexadecimal, and as text (dots
// for what is not printable ASCII).
std::string HexDump(std::string_view bytes);
// "Standard MIDI file, format 1, 9 tracks, 120 ticks a beat"; FormatError
// for a file without a whole MThd header.
std::string MidiDescription(std::string_view bytes);

} // namespace tessel
