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

void EncodeGrpEntry(unsigned char* out, const GrpName& name, std::int32_t size)
{
    std::memcpy(out, name.data(), GrpNameSize);
    PutInt32LE(out + GrpNameSize, size);
}

std::vector<unsigned char> EncodeGrpHead(const GrpName& signature, const std::vector<GrpDirEntry>& entries)
{
    std::vector<unsigned char> head(static_cast<std::size_t>(GrpDataStart(static_cast<std::int64_t>(entries.size()))));
    EncodeGrpEntry(head.data(), signature, static_cast<std::int32_t>(entries.size()));
    unsigned char* at = head.data() + GrpHeaderSize;
    for (const auto& e : entries) {
        EncodeGrpEntry(at, e.name, e.size);
        at += GrpEntrySize;
    }
    return head;
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

bool IsMarkerName(const std::string& name)
{
    return name.size() == GrpNameSize && (MakeGrpName(name) == ReservedSlotMarker ||
                                          MakeGrpName(name) == DeletedEntryMarker);
}

GrpHeader ReadGrpHeader(File& file)
{
    unsigned char raw[GrpHeaderSize];
    file.ReadExactAt(raw, sizeof raw, 0);
    GrpHeader header;
    std::memcpy(header.signature.data(), raw, GrpNameSize);
    header.count = GetInt32LE(raw + GrpNameSize);
    return header;
}

GrpDirectoryReader::GrpDirectoryReader(File& file, std::int64_t fileSize, std::int32_t count)
    : file_(file), count_(std::max<std::int32_t>(count, 0)),
      present_(std::min<std::int64_t>(count_, std::max<std::int64_t>(0, (fileSize - GrpHeaderSize) / GrpEntrySize)))
{
}

bool GrpDirectoryReader::Next(GrpDirEntry& entry)
{
    if (index_ >= present_)
        return false;
    const std::int64_t inBuffer = static_cast<std::int64_t>(buffer_.size()) / GrpEntrySize;
    if (index_ >= bufferFirst_ + inBuffer) {
        // Small first blocks for archives whose walk stops early, larger ones after.
        const std::int64_t n = std::min<std::int64_t>(present_ - index_, index_ == 0 ? 256 : 8192);
        buffer_.resize(static_cast<std::size_t>(n * GrpEntrySize));
        file_.ReadExactAt(buffer_.data(), buffer_.size(), GrpHeaderSize + index_ * GrpEntrySize);
        bufferFirst_ = index_;
    }
    const unsigned char* p = buffer_.data() + (index_ - bufferFirst_) * GrpEntrySize;
    std::memcpy(entry.name.data(), p, GrpNameSize);
    entry.size = GetInt32LE(p + GrpNameSize);
    ++index_;
    return true;
}

GrpDirectory ReadGrpDirectory(File& file, std::int64_t fileSize, std::int32_t count, bool stopAtSlot)
{
    GrpDirectory dir;
    GrpDirectoryReader reader(file, fileSize, count);
    GrpDirEntry e;
    while (reader.Next(e)) {
        if (stopAtSlot && e.IsReservedSlot()) {
            dir.stoppedAtSlot = true;
            return dir;
        }
        dir.entries.push_back(e);
    }
    dir.runsPastEnd = reader.RunsPastEnd();
    return dir;
}

std::vector<GrpDirEntry> ReadCheckedGrpDirectory(File& file, std::int64_t fileSize, std::int32_t count)
{
    const std::int64_t dataStart = GrpDataStart(count);
    if (count < 0 || dataStart > fileSize)
        ThrowReadBeyondEnd();
    GrpDirectory dir = ReadGrpDirectory(file, fileSize, count, false);
    std::int64_t dataEnd = dataStart;
    for (const auto& e : dir.entries) {
        if (e.size < 0)
            ThrowReadBeyondEnd();
        dataEnd += e.size;
    }
    if (dataEnd > fileSize)
        ThrowReadBeyondEnd();
    return std::move(dir.entries);
}

void CheckDataInFile(std::int64_t offset, std::int32_t size, std::int64_t dataStart, std::int64_t fileSize)
{
    if (size < 0 || offset < dataStart || offset + size > fileSize)
        ThrowReadBeyondEnd();
}

} // namespace tessel
