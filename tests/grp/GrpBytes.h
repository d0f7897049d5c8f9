#pragma once
// Archives for tests, put together byte by byte without the code under test.
#include <cstdint>
#include <string>
#include <vector>

namespace tessel::test {

inline const std::string Res = "**8ResSpc8**";
inline const std::string Del = "**8Delete8**";

inline std::string Le32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {char(u & 0xff), char(u >> 8 & 0xff), char(u >> 16 & 0xff), char(u >> 24 & 0xff)};
}

inline std::string Field(const std::string& text)
{
    return (text + std::string(12, '\0')).substr(0, 12);
}

struct Entry {
    std::string name;   // up to 12 bytes, zero-filled
    std::int32_t size;
    std::string data;   // empty: size bytes of a pattern that differs per entry
};

inline std::string DataOf(const Entry& e, std::size_t index)
{
    if (!e.data.empty() || e.size <= 0)
        return e.data;
    std::string d(static_cast<std::size_t>(e.size), '\0');
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = static_cast<char>('a' + (index * 7 + i) % 26);
    return d;
}

// Header, directory and the data of every entry in order.
inline std::string Grp(const std::vector<Entry>& entries, const std::string& signature = "KenSilverman")
{
    std::string out = Field(signature) + Le32(static_cast<std::int32_t>(entries.size()));
    for (const auto& e : entries)
        out += Field(e.name) + Le32(e.size);
    for (std::size_t i = 0; i < entries.size(); ++i)
        out += DataOf(entries[i], i);
    return out;
}

inline std::int32_t Int32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = u << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(u);
}

} // namespace tessel::test
