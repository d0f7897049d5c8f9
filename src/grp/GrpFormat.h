#pragma once
// The group file layout: a 16-byte header (12-byte signature, entry count), a
// directory of 16-byte entries (12-byte name, size), then every entry's data
// back to back in directory order. Integers are 32-bit little-endian, signed.
// Offsets are never stored: an entry's data starts after the directory plus
// the sizes of all entries before it, deleted entries and reserved slots included.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessel {

class File;

constexpr int GrpHeaderSize = 16;
constexpr int GrpEntrySize = 16;
constexpr int GrpNameSize = 12;

using GrpName = std::array<char, GrpNameSize>;

// A spare directory entry that a later Add fills without moving data.
extern const GrpName ReservedSlotMarker;   // "**8ResSpc8**"
// The name a deleted entry gets; its size and data stay until a rebuild.
extern const GrpName DeletedEntryMarker;   // "**8Delete8**"

struct GrpDirEntry {
    GrpName name{};
    std::int32_t size = 0;

    bool IsReservedSlot() const { return name == ReservedSlotMarker; }
    bool IsDeleted() const { return name == DeletedEntryMarker; }
};

// A 12-byte text field: the text, one NUL when shorter, zero bytes to the end.
// Texts longer than 12 bytes are cut (callers check the length first).
GrpName MakeGrpName(const std::string& text);
// A field read as text: up to its first NUL, or all 12 bytes.
std::string GrpNameText(const GrpName& field);

std::int32_t GetInt32LE(const unsigned char* p);
void PutInt32LE(unsigned char* p, std::int32_t value);

// The 16 bytes of a directory entry (or, with the count for a size, of the header).
void EncodeGrpEntry(unsigned char* out, const GrpName& name, std::int32_t size);
// The header and directory of an archive: the signature, the count of
// entries, then each entry; the data follows them in the file.
std::vector<unsigned char> EncodeGrpHead(const GrpName& signature, const std::vector<GrpDirEntry>& entries);

// Where the data of entry 0 starts for a directory of count entries.
inline std::int64_t GrpDataStart(std::int64_t count) { return GrpEntrySize * (count + 1); }

// An entry name that can be written as a file inside a folder and nowhere else.
bool IsPlainFileName(const std::string& name);
// A name that the directory would read as a marker, not as the file's name.
bool IsMarkerName(const std::string& name);

struct GrpHeader {
    GrpName signature{};
    std::int32_t count = 0;
};

// Reads the 16-byte header ("Read beyond end of file" for a shorter file).
GrpHeader ReadGrpHeader(File& file);

// Walks the directory a block at a time, never past the file's end however
// large the stored count is.
class GrpDirectoryReader {
public:
    GrpDirectoryReader(File& file, std::int64_t fileSize, std::int32_t count);
    // The next entry; false after the last one, or where the file ends first.
    bool Next(GrpDirEntry& entry);
    // The file ended before the stored count of entries did.
    bool RunsPastEnd() const { return present_ < count_; }
    // How many entries the file holds of those the count announces.
    std::int64_t present() const { return present_; }

private:
    File& file_;
    std::int64_t count_, present_;
    std::int64_t index_ = 0, bufferFirst_ = 0;
    std::vector<unsigned char> buffer_;
};

// Directory entries as far as they are wanted and present in the file.
struct GrpDirectory {
    std::vector<GrpDirEntry> entries;   // in order, without the slot it stopped at
    bool stoppedAtSlot = false;         // a reserved slot ended the walk
    bool runsPastEnd = false;           // the file ended before the wanted entries did
};
GrpDirectory ReadGrpDirectory(File& file, std::int64_t fileSize, std::int32_t count, bool stopAtSlot);

// The whole directory, reserved slots and whatever follows them included,
// checked against the file before anything is written to it: a count of 0 or
// more, every entry within the file, no negative size, and the data of all
// entries within the file. Anything else throws "Read beyond end of file",
// since a write placed by such a directory would land on other data.
std::vector<GrpDirEntry> ReadCheckedGrpDirectory(File& file, std::int64_t fileSize, std::int32_t count);

// Throws "Read beyond end of file" unless [offset, offset + size) lies within
// the data area of a file of fileSize bytes.
void CheckDataInFile(std::int64_t offset, std::int32_t size, std::int64_t dataStart, std::int64_t fileSize);

} // namespace tessel
