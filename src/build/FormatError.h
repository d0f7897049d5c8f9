#pragma once
// The files inside a game's group file come from anywhere: a reader that meets
// damaged bytes refuses them with a FormatError naming what is wrong, and
// never builds structure (or allocates) from what it could not check.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Errors.h"

namespace tessel {

class FormatError : public AppError {
public:
    using AppError::AppError;
};

// Little-endian fields read from a byte range, each checked against its end:
// a read past it throws FormatError("<what> ends after N bytes; ...").
class ByteReader {
public:
    ByteReader(std::string_view bytes, std::string what) : bytes_(bytes), what_(std::move(what)) {}

    std::uint8_t U8();
    std::int16_t I16();
    std::uint16_t U16();
    std::int32_t I32();
    std::uint32_t U32();
    std::uint32_t U24();
    // count bytes from here, which must be there.
    std::string_view Take(std::size_t count);
    void Skip(std::size_t count) { Take(count); }

    std::size_t Position() const { return at_; }
    std::size_t Left() const { return bytes_.size() - at_; }
    // Throws when fewer than count bytes are left, naming field.
    void Need(std::size_t count, const std::string& field) const;
    [[noreturn]] void Fail(const std::string& why) const;

private:
    std::string_view bytes_;
    std::string what_;
    std::size_t at_ = 0;
};

} // namespace tessel
