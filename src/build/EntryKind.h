#pragma once
// What a file inside a group file is, by its name and its first bytes: how
// the explorer's preview shows it.
#include <string>
#include <string_view>

namespace tessel {

enum class EntryKind { Art, Palette, Map, Voc, Wav, Midi, Text, Other };

// By the signature of the first bytes where the file has one (a VOC, a WAVE,
// a standard MIDI file), else by the name: .ART tiles, PALETTE.DAT, .MAP,
// .VOC, .WAV, .MID and .MIDI, and the texts (.CON, .DEF, .TXT, .INI, .CFG and
// the like), in any letter case.
EntryKind EntryKindOf(const std::string& name, std::string_view firstBytes);
// The game whose script the name is (1 Duke Nukem 3D .CON, 2 QuakeC .QC, 3
// Verge .VC, in any letter case); 0 for others.
int ScriptGameOf(const std::string& name);

} // namespace tessel
