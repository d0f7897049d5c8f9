#pragma once
// A section of the settings file described as a table: each row ties a key to
// a field of a plain struct of options (bool, int or text). A field's default
// is its value in a default-constructed struct; an int row may carry a range
// that says what a stored value outside it reads as, and whether the key is
// written only while the value lies within it. Reading fills a struct from the
// file, writing puts a struct into a ProfileEdit in table order. Rules that
// tie one key to another are the caller's, after the table is read.
#include <algorithm>
#include <optional>
#include <string>
#include <variant>

#include "platform/ProfileFile.h"

namespace tessel {

// What an int read outside its row's range becomes.
enum class OutOfRange {
    Clamp,     // the nearer end of the range (a spin field's limits)
    Default,   // the field's default
    Value,     // a value given with the range (a list's "nothing selected")
};

struct IntRange {
    int low = 0;
    int high = 0;
    OutOfRange outside = OutOfRange::Clamp;
    int outsideValue = 0;              // what OutOfRange::Value reads as
    bool writtenOnlyWithin = false;    // otherwise the key is always written

    bool Holds(int value) const { return value >= low && value <= high; }
};

// low..high, a value outside read as the nearer end.
constexpr IntRange Clamped(int low, int high)
{
    return {low, high, OutOfRange::Clamp, 0, false};
}

// low..high, a value outside read as the field's default.
constexpr IntRange DefaultOutside(int low, int high)
{
    return {low, high, OutOfRange::Default, 0, false};
}

// low..high, a value outside read as outsideValue.
constexpr IntRange ValueOutside(int low, int high, int outsideValue)
{
    return {low, high, OutOfRange::Value, outsideValue, false};
}

// The same range, its key written only while the value lies within it (so an
// earlier value stays stored while there is none to keep).
constexpr IntRange WrittenOnlyWithin(IntRange range)
{
    range.writtenOnlyWithin = true;
    return range;
}

template <typename T>
struct SettingRow {
    const char* key;
    std::variant<bool T::*, int T::*, std::string T::*> field;
    std::optional<IntRange> range;   // int fields only
};

template <typename T>
constexpr SettingRow<T> Setting(const char* key, bool T::*field)
{
    return {key, field, std::nullopt};
}

template <typename T>
constexpr SettingRow<T> Setting(const char* key, std::string T::*field)
{
    return {key, field, std::nullopt};
}

template <typename T>
constexpr SettingRow<T> Setting(const char* key, int T::*field, std::optional<IntRange> range = std::nullopt)
{
    return {key, field, range};
}

// GCC 12 sees the text branches of a table without text fields as reading
// past the struct, though no row can reach them there.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

// Every row's field takes its key's value in section. A missing key, and an
// int that does not convert, give the field's default; an int outside the
// row's range then becomes what the range says. Fields without a row are left
// as they are.
template <typename T, typename Rows>
void ReadSettings(const ProfileFile& ini, const std::string& section, const Rows& rows, T& into)
{
    const T defaults{};
    for (const SettingRow<T>& row : rows) {
        if (const auto flag = std::get_if<bool T::*>(&row.field)) {
            into.*(*flag) = ini.ReadBool(section, row.key, defaults.*(*flag));
        } else if (const auto text = std::get_if<std::string T::*>(&row.field)) {
            into.*(*text) = ini.ReadString(section, row.key, defaults.*(*text));
        } else {
            const auto number = std::get<int T::*>(row.field);
            int value = ini.ReadInteger(section, row.key, defaults.*number);
            if (row.range && !row.range->Holds(value)) {
                switch (row.range->outside) {
                case OutOfRange::Clamp: value = std::clamp(value, row.range->low, row.range->high); break;
                case OutOfRange::Default: value = defaults.*number; break;
                case OutOfRange::Value: value = row.range->outsideValue; break;
                }
            }
            into.*number = value;
        }
    }
}

// Every row's key from its field, in the order of the rows; an int whose range
// is written only within it is left out while outside.
template <typename T, typename Rows>
void WriteSettings(ProfileEdit& edit, const std::string& section, const Rows& rows, const T& from)
{
    for (const SettingRow<T>& row : rows) {
        if (const auto flag = std::get_if<bool T::*>(&row.field)) {
            edit.WriteBool(section, row.key, from.*(*flag));
        } else if (const auto text = std::get_if<std::string T::*>(&row.field)) {
            edit.WriteString(section, row.key, from.*(*text));
        } else {
            const int value = from.*std::get<int T::*>(row.field);
            if (!row.range || !row.range->writtenOnlyWithin || row.range->Holds(value))
                edit.WriteInteger(section, row.key, value);
        }
    }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

} // namespace tessel
