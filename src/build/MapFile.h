#pragma once
// Build maps (.MAP, versions 7 to 9): int32 version, int32 x, y, z of the
// start, int16 angle, int16 start sector; uint16 sector count and 40-byte
// sectors (int16 first wall, int16 wall count, ...); uint16 wall count and
// 32-byte walls (int32 x, y, int16 next point, other-side wall, other-side
// sector, ...); uint16 sprite count and 44-byte sprites (int32 x, y, z, ...).
#include <cstdint>
#include <string_view>
#include <vector>

namespace tessel {

struct MapSector {
    int firstWall = 0, wallCount = 0;
};
struct MapWall {
    std::int32_t x = 0, y = 0;
    int point2 = 0;       // the wall whose start ends this one
    int nextWall = -1;    // the other side's wall, -1 for a one-sided wall
    int nextSector = -1;
};
struct MapSprite {
    std::int32_t x = 0, y = 0, z = 0;
};

struct MapFile {
    int version = 0;
    std::int32_t x = 0, y = 0, z = 0;
    int angle = 0, startSector = 0;
    std::vector<MapSector> sectors;
    std::vector<MapWall> walls;
    std::vector<MapSprite> sprites;
};

// Reads a map. Refused (FormatError): another version, counts whose records
// are not in the file, a sector whose walls are not among the walls, a wall
// whose next point, other-side wall or other-side sector is out of range.
// Bytes after the sprites are ignored.
MapFile ReadMap(std::string_view bytes);

} // namespace tessel
