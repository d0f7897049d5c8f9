#pragma once
// Build's files put together byte by byte from the format's facts, without
// the code under test: ART files, maps and Creative Voice files for the
// readers' tests, and the corpus archive's ART and palette.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace tessel::test {

inline std::string Le(std::int64_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i) & 0xff);
    return out;
}

// An ART file of tiles first.. with the given sizes; pixels follow as given.
inline std::string ArtBytes(std::int64_t first, std::int64_t last, const std::vector<std::pair<int, int>>& sizes,
                            const std::string& pixels, int version = 1)
{
    std::string out = Le(version, 4) + Le(0, 4) + Le(first, 4) + Le(last, 4);
    for (const auto& s : sizes)
        out += Le(s.first, 2);
    for (const auto& s : sizes)
        out += Le(s.second, 2);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        out += Le(0, 4);
    return out + pixels;
}

struct TestWall {
    int x, y, point2, nextWall = -1, nextSector = -1;
};
// A map: a header, sectors (first wall, wall count), walls and sprites.
inline std::string MapBytes(int version, const std::vector<std::pair<int, int>>& sectors,
                            const std::vector<TestWall>& walls, int sprites)
{
    std::string out = Le(version, 4) + Le(10, 4) + Le(20, 4) + Le(30, 4) + Le(512, 2) + Le(0, 2);
    out += Le(static_cast<std::int64_t>(sectors.size()), 2);
    for (const auto& s : sectors)
        out += Le(s.first, 2) + Le(s.second, 2) + std::string(36, '\0');
    out += Le(static_cast<std::int64_t>(walls.size()), 2);
    for (const auto& w : walls)
        out += Le(w.x, 4) + Le(w.y, 4) + Le(w.point2, 2) + Le(w.nextWall, 2) + Le(w.nextSector, 2) +
               std::string(18, '\0');
    out += Le(sprites, 2);
    for (int i = 0; i < sprites; ++i)
        out += Le(i, 4) + Le(2 * i, 4) + Le(3 * i, 4) + std::string(32, '\0');
    return out;
}

// A Creative Voice file: the signature, a 26-byte header, the blocks, the end.
inline std::string VocBytes(const std::string& blocks)
{
    return std::string("Creative Voice File\x1a", 20) + Le(26, 2) + Le(0x010a, 2) + Le(0x1129, 2) + blocks +
           std::string(1, '\0');
}
inline std::string VocBlock(int type, const std::string& body)
{
    return std::string(1, static_cast<char>(type)) + Le(static_cast<std::int64_t>(body.size()), 3) + body;
}

// A file's bytes; "" when it cannot be read.
inline std::string ReadPath(const std::string& path)
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}
// The corpus archive with a real TILES000.ART (at 128, 436347 bytes) and PALETTE.DAT (at 714805, 74498 bytes).
inline const std::string KenbuildGrp = TESSEL_CORPUS_DIR "/grp/kenbuild-stuff.grp";

} // namespace tessel::test
