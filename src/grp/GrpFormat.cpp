#include "grp/GrpFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/Errors.h"
#include "platform/Files.h"

namespace tessel {

namespace {
GrpName Marker(const char (&text)[GrpNameSize + 1])
{
    GrpName name;
    std::memcpy(name.data(), text, GrpNameSize);
    return name;
}
} // namespace

const GrpName ReservedSlotMarker = Marker("**8ResSpc8**");
const GrpName DeletedEntryMarker = Marker("**8Delete8**");

GrpName MakeGrpName(const std::string& text)
{
    GrpName field{};   // the NUL and the zero fill in one
    std::memcpy(field.data(), text.data(), std::min<std::size_t>(text.size(), GrpNameSize));
    return field;
}

std::string GrpNameText(const GrpName& field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    return std::string(field.begin(), end);
}

std::int32_t GetInt32LE(const unsigned char* p)
{
    const std::uint32_t u = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                            std::uint32_t(p[3]) << 24;
    return static_cast<std::int32_t>(u);
}

void PutInt32LE(unsigned char* p, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(u >> (8 * i));
}

std::string ExtensionKey(const std::string& name)
{
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string EntryNameOfPath(const std::string& path)
{
    const auto sep = path.find_last_of("/\\:");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '/' || c == '\\')
            return false;
    }
    return true;
}

GrpHeader ReadGrpHeader(File& file)
{
    unsigned char raw[GrpHeaderSize];
    file.readExactAt(raw, sizeof raw, 0);
    GrpHeader header;
    std::memcpy(header.signature.data(), raw, GrpNameSize);
    header.count = GetInt32LE(raw + GrpNameSize);
    return header;
}

GrpDirectory ReadGrpDirectory(File& file, std::int64_t fileSize, std::int32_t count, bool stopAtSlot)
{
    GrpDirectory dir;
    if (count <= 0)
        return dir;
    // Only whole entries that the file holds are read, a block at a time.
    const std::int64_t present = std::max<std::int64_t>(0, (fileSize - GrpHeaderSize) / GrpEntrySize);
    const std::int64_t wanted = std::min<std::int64_t>(count, present);
    constexpr std::int64_t Block = 4096;
    std::vector<unsigned char> raw;
    for (std::int64_t first = 0; first < wanted; first += Block) {
        const std::int64_t n = std::min(Block, wanted - first);
        raw.resize(static_cast<std::size_t>(n * GrpEntrySize));
        file.readExactAt(raw.data(), raw.size(), GrpHeaderSize + first * GrpEntrySize);
        for (std::int64_t i = 0; i < n; ++i) {
            GrpDirEntry e;
            const unsigned char* p = raw.data() + i * GrpEntrySize;
            std::memcpy(e.name.data(), p, GrpNameSize);
            e.size = GetInt32LE(p + GrpNameSize);
            if (stopAtSlot && e.isReservedSlot()) {
                dir.stoppedAtSlot = true;
                return dir;
            }
            dir.entries.push_back(e);
        }
    }
    dir.runsPastEnd = wanted < count;
    return dir;
}

std::vector<std::int64_t> GrpDataOffsets(const std::vector<GrpDirEntry>& entries, std::int32_t count)
{
    std::vector<std::int64_t> offsets;
    offsets.reserve(entries.size());
    std::int64_t offset = GrpDataStart(count);
    for (const auto& e : entries) {
        offsets.push_back(offset);
        offset += e.size;
    }
    return offsets;
}

void CheckDataInFile(std::int64_t offset, std::int32_t size, std::int64_t dataStart, std::int64_t fileSize)
{
    if (size < 0 || offset < dataStart || offset + size > fileSize)
        ThrowReadBeyondEnd();
}

} // namespace tessel
