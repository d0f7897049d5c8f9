#include "grp/EntryPreview.h"

#include <cstdio>

#include "build/FormatError.h"
#include "build/Palette.h"
#include "language/ColorEngine.h"

namespace tessel {

namespace {

std::string Seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", s);
    return text;
}

void Decode(EntryPreview& p, const std::string& archivePath, const std::vector<std::string>& others,
            const KeywordTableType* table)
{
    const bool whole = p.kind != EntryKind::Text && p.kind != EntryKind::Other;
    const std::int64_t limit = whole ? PreviewLimit : p.kind == EntryKind::Text ? TextPreviewLimit : HexPreviewLimit;
    std::string data = ReadEntryData(archivePath, p.row, limit, !whole);
    p.cut = static_cast<std::int64_t>(data.size()) < p.row.size;
    switch (p.kind) {
    case EntryKind::Art: {
        p.art = ReadArt(data);
        p.palette = ArchivePalette(archivePath, others);
        p.info = std::to_string(p.art.Count()) + " tiles (" + std::to_string(p.art.first) + " to " +
                 std::to_string(p.art.last) + "); palette: " + p.palette.source;
        break;
    }
    case EntryKind::Palette: {
        const BuildPalette palette = ReadPalette(data);
        p.palette.colors = palette.colors;
        p.palette.found = true;
        p.palette.source = p.row.name;
        p.info = "256 colours, " + std::to_string(palette.shades) + " shade tables";
        break;
    }
    case EntryKind::Map: {
        p.map = ReadMap(data);
        const MapFile& m = p.map;
        p.info = "Build map version " + std::to_string(m.version) + "; start " + std::to_string(m.x) + ", " +
                 std::to_string(m.y) + ", " + std::to_string(m.z) + " (angle " + std::to_string(m.angle) +
                 ", sector " + std::to_string(m.startSector) + "); " + std::to_string(m.sectors.size()) +
                 " sectors, " + std::to_string(m.walls.size()) + " walls, " + std::to_string(m.sprites.size()) +
                 " sprites";
        break;
    }
    case EntryKind::Voc:
    case EntryKind::Wav: {
        p.sound = p.kind == EntryKind::Voc ? ReadVoc(data) : ReadWav(data);
        p.info = p.sound.format + ", " + std::to_string(p.sound.rate) + " Hz, " +
                 (p.sound.channels == 2 ? "stereo" : "mono") + ", " + Seconds(p.sound.Seconds()) + " s";
        break;
    }
    case EntryKind::Midi:
        p.info = MidiDescription(data);
        p.bytes = std::move(data);
        break;
    case EntryKind::Text:
        if (table)
            p.colors = ComposeOnBlack(ColorWholeDocument(data, *table), static_cast<int>(data.size()));
        p.bytes = std::move(data);
        p.info = std::to_string(p.row.size) + " bytes of text" +
                 (p.cut ? "; the first " + std::to_string(p.bytes.size()) + " are shown" : "");
        break;
    case EntryKind::Other:
        p.bytes = std::move(data);
        p.info = std::to_string(p.row.size) + " bytes" +
                 (p.cut ? "; the first " + std::to_string(p.bytes.size()) + " are shown" : "");
        break;
    }
}

} // namespace

EntryPreview ReadEntryPreview(const std::string& archivePath, const GrpRow& row, const std::vector<std::string>& others,
                              const KeywordTableType* table)
{
    EntryPreview p;
    p.row = row;
    try {
        const std::string head = ReadEntryData(archivePath, row, 16, true);
        p.kind = EntryKindOf(row.name, head);
        Decode(p, archivePath, others, table);
    } catch (const AppError& e) {
        p.error = e.what();
    } catch (const std::bad_alloc&) {
        p.error = OutOfMemoryText;
    }
    return p;
}

std::string HexDump(std::string_view bytes)
{
    std::string out;
    char text[32];
    for (std::size_t line = 0; line < bytes.size(); line += 16) {
        std::snprintf(text, sizeof text, "%08zx ", line);
        out += text;
        std::string chars;
        for (std::size_t i = line; i < line + 16; ++i) {
            if (i < bytes.size()) {
                const auto b = static_cast<unsigned char>(bytes[i]);
                std::snprintf(text, sizeof text, " %02x", b);
                out += text;
                chars += b >= 0x20 && b < 0x7f ? static_cast<char>(b) : '.';
            } else {
                out += "   ";
            }
        }
        out += "  " + chars + "\n";
    }
    return out;
}

std::string MidiDescription(std::string_view bytes)
{
    ByteReader in(bytes, "MIDI file");
    in.Need(14, "the MThd header");
    in.Skip(8);
    const auto be16 = [&] {
        const std::uint16_t le = in.U16();
        return static_cast<int>((le & 0xff) << 8 | le >> 8);
    };
    const int format = be16(), tracks = be16(), division = be16();
    std::string timing = division & 0x8000 ? "SMPTE timing" : std::to_string(division) + " ticks a beat";
    return "Standard MIDI file, format " + std::to_string(format) + ", " + std::to_string(tracks) + " tracks, " +
           timing;
}

} // namespace tessel
