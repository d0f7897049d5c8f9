#include "build/EntryKind.h"

#include <algorithm>
#include <cctype>

namespace tessel {

namespace {

std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Extension(const std::string& name)
{
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Upper(name.substr(dot + 1));
}

bool StartsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

EntryKind EntryKindOf(const std::string& name, std::string_view firstBytes)
{
    if (StartsWith(firstBytes, "Creative Voice File\x1a"))
        return EntryKind::Voc;
    if (firstBytes.size() >= 12 && StartsWith(firstBytes, "RIFF") && firstBytes.substr(8, 4) == "WAVE")
        return EntryKind::Wav;
    if (StartsWith(firstBytes, "MThd"))
        return EntryKind::Midi;
    const std::string ext = Extension(name);
    if (ext == "ART")
        return EntryKind::Art;
    if (Upper(name) == "PALETTE.DAT")
        return EntryKind::Palette;
    if (ext == "MAP")
        return EntryKind::Map;
    if (ext == "VOC")
        return EntryKind::Voc;
    if (ext == "WAV")
        return EntryKind::Wav;
    if (ext == "MID" || ext == "MIDI")
        return EntryKind::Midi;
    static const char* const texts[] = {"CON", "DEF", "TXT", "INI", "CFG", "QC", "VC", "H", "C", "BAT",
                                        "LOG", "DOC", "ME", "1ST", "NFO", "DIZ", "MNU", "SRC", "INC"};
    for (const char* t : texts)
        if (ext == t)
            return EntryKind::Text;
    return EntryKind::Other;
}

int ScriptGameOf(const std::string& name)
{
    const std::string ext = Extension(name);
    return ext == "CON" ? 1 : ext == "QC" ? 2 : ext == "VC" ? 3 : 0;
}

} // namespace tessel
