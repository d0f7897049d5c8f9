#include "build/FormatError.h"

namespace tessel {

void ByteReader::Fail(const std::string& why) const
{
    throw FormatError(what_ + ": " + why);
}

void ByteReader::Need(std::size_t count, const std::string& field) const
{
    if (count > Left())
        Fail(field + " runs past the end (" + std::to_string(count) + " bytes needed at offset " +
             std::to_string(at_) + ", " + std::to_string(Left()) + " left)");
}

std::string_view ByteReader::Take(std::size_t count)
{
    Need(count, "the data");
    const std::string_view part = bytes_.substr(at_, count);
    at_ += count;
    return part;
}

std::uint8_t ByteReader::U8()
{
    return static_cast<std::uint8_t>(Take(1)[0]);
}

std::uint16_t ByteReader::U16()
{
    const std::string_view p = Take(2);
    return static_cast<std::uint16_t>(std::uint8_t(p[0]) | std::uint8_t(p[1]) << 8);
}

std::int16_t ByteReader::I16()
{
    return static_cast<std::int16_t>(U16());
}

std::uint32_t ByteReader::U24()
{
    const std::string_view p = Take(3);
    return std::uint32_t(std::uint8_t(p[0])) | std::uint32_t(std::uint8_t(p[1])) << 8 |
           std::uint32_t(std::uint8_t(p[2])) << 16;
}

std::uint32_t ByteReader::U32()
{
    const std::string_view p = Take(4);
    return std::uint32_t(std::uint8_t(p[0])) | std::uint32_t(std::uint8_t(p[1])) << 8 |
           std::uint32_t(std::uint8_t(p[2])) << 16 | std::uint32_t(std::uint8_t(p[3])) << 24;
}

std::int32_t ByteReader::I32()
{
    return static_cast<std::int32_t>(U32());
}

} // namespace tessel
