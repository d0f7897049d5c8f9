#include "build/MapFile.h"

#include <string>

#include "build/FormatError.h"

namespace tessel {

namespace {
constexpr std::size_t SectorBytes = 40, WallBytes = 32, SpriteBytes = 44;

std::string Range(int value, std::size_t count)
{
    return std::to_string(value) + " (there are " + std::to_string(count) + ")";
}
} // namespace

MapFile ReadMap(std::string_view bytes)
{
    ByteReader in(bytes, "map");
    MapFile map;
    in.Need(22, "the header");
    map.version = in.I32();
    if (map.version < 7 || map.version > 9)
        in.Fail("version " + std::to_string(map.version) + " (Build maps of versions 7 to 9 are read)");
    map.x = in.I32();
    map.y = in.I32();
    map.z = in.I32();
    map.angle = in.I16();
    map.startSector = in.I16();

    const std::uint16_t sectors = in.U16();
    in.Need(sectors * SectorBytes, std::to_string(sectors) + " sectors");
    map.sectors.resize(sectors);
    for (auto& s : map.sectors) {
        ByteReader record(in.Take(SectorBytes), "sector");
        s.firstWall = record.I16();
        s.wallCount = record.I16();
    }
    in.Need(2, "the wall count");
    const std::uint16_t walls = in.U16();
    in.Need(walls * WallBytes, std::to_string(walls) + " walls");
    map.walls.resize(walls);
    for (auto& w : map.walls) {
        ByteReader record(in.Take(WallBytes), "wall");
        w.x = record.I32();
        w.y = record.I32();
        w.point2 = record.I16();
        w.nextWall = record.I16();
        w.nextSector = record.I16();
    }
    in.Need(2, "the sprite count");
    const std::uint16_t sprites = in.U16();
    in.Need(sprites * SpriteBytes, std::to_string(sprites) + " sprites");
    map.sprites.resize(sprites);
    for (auto& s : map.sprites) {
        ByteReader record(in.Take(SpriteBytes), "sprite");
        s.x = record.I32();
        s.y = record.I32();
        s.z = record.I32();
    }

    for (std::size_t i = 0; i < map.sectors.size(); ++i) {
        const MapSector& s = map.sectors[i];
        if (s.firstWall < 0 || s.wallCount < 0 || s.firstWall + s.wallCount > walls)
            in.Fail("sector " + std::to_string(i) + " names walls " + std::to_string(s.firstWall) + " to " +
                    std::to_string(s.firstWall + s.wallCount - 1) + " (there are " + std::to_string(walls) + ")");
    }
    for (std::size_t i = 0; i < map.walls.size(); ++i) {
        const MapWall& w = map.walls[i];
        const std::string wall = "wall " + std::to_string(i);
        if (w.point2 < 0 || w.point2 >= walls)
            in.Fail(wall + " goes on to wall " + Range(w.point2, walls));
        if (w.nextWall < -1 || w.nextWall >= walls)
            in.Fail(wall + " has its other side on wall " + Range(w.nextWall, walls));
        if (w.nextSector < -1 || w.nextSector >= sectors)
            in.Fail(wall + " has its other side in sector " + Range(w.nextSector, sectors));
    }
    return map;
}

} // namespace tessel
