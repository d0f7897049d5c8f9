#include "language/BraceChecker.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessel {

namespace {

const char* const TooManyErrors =
    "Over 100 errors, terminating game file error checking... How did you pull this off in a game file!?!?!";

class Recorder {
public:
    explicit Recorder(BraceCheckResult& result) : result_(result) {}
    // False once the list is full: the 101st error turns entry 100 into the note.
    bool Add(std::int32_t offset, const char* text, const char* separator)
    {
        auto& list = result_.ErrorList;
        if (static_cast<int>(list.size()) == MaxBraceErrors) {
            list.back() = {-1, TooManyErrors};
            return false;
        }
        const int n = static_cast<int>(list.size()) + 1;
        list.push_back({offset, "ERROR #" + std::to_string(n) + text + separator + std::to_string(offset)});
        return true;
    }

private:
    BraceCheckResult& result_;
};

// Calls visit(offset, brace) for every "{" and "}" in text order until it
// returns false. Braces are sparse in scripts, so the scan looks at 64 bytes
// at a time and only stops where one of them is a brace.
template <typename Visit>
void ForEachBrace(std::string_view text, Visit visit)
{
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const auto braces = [&](std::size_t at) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        return _mm_or_si128(_mm_cmpeq_epi8(chunk, open), _mm_cmpeq_epi8(chunk, close));
    };
    for (; i + 64 <= size; i += 64) {
        const __m128i a = braces(i), b = braces(i + 16), c = braces(i + 32), d = braces(i + 48);
        if (!_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))))
            continue;
        std::uint64_t mask = static_cast<std::uint64_t>(_mm_movemask_epi8(a) & 0xFFFF) |
                             static_cast<std::uint64_t>(_mm_movemask_epi8(b) & 0xFFFF) << 16 |
                             static_cast<std::uint64_t>(_mm_movemask_epi8(c) & 0xFFFF) << 32 |
                             static_cast<std::uint64_t>(_mm_movemask_epi8(d) & 0xFFFF) << 48;
        while (mask) {
            const int bit = __builtin_ctzll(mask);
            if (!visit(i + bit, data[i + bit]))
                return;
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i)
        if ((data[i] == '{' || data[i] == '}') && !visit(i, data[i]))
            return;
}

} // namespace

BraceCheckResult CheckBraces(std::string_view text)
{
    BraceCheckResult result;
    Recorder record(result);
    std::vector<std::int32_t> open;   // unmatched "{", most recent last; it grows as needed
    bool full = false;
    ForEachBrace(text, [&](std::size_t offset, char brace) {
        if (brace == '{') {
            open.push_back(static_cast<std::int32_t>(offset));
        } else if (!open.empty()) {
            open.pop_back();
        } else if (!record.Add(static_cast<std::int32_t>(offset), ": Extra Left Brace \"}\", offset:", " ")) {
            full = true;
        }
        return !full;
    });
    if (!full)
        for (std::int32_t offset : open)
            if (!record.Add(offset, ": Extra right brace \"{\", offset:", ""))
                break;
    return result;
}

const char* BraceCheckOutcome(const BraceCheckResult& result)
{
    return result.ErrorsFound() ? "There were some errors found in the Con File."
                                : "No errors were found in the Con File.";
}

} // namespace tessel
