#include "language/Find.h"

#include <algorithm>
#include <cstring>

namespace tessel {

namespace {

unsigned char FoldCase(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool EqualNoCase(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

bool IsWordChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c >= 128;
}

bool IsWholeWordAt(std::string_view text, int h, int length)
{
    if (h > 0 && IsWordChar(static_cast<unsigned char>(text[h - 1])))
        return false;
    const std::size_t end = static_cast<std::size_t>(h) + static_cast<std::size_t>(length);
    return end >= text.size() || !IsWordChar(static_cast<unsigned char>(text[end]));
}

int Find(std::string_view text, std::string_view pattern, int from, int to, unsigned options)
{
    const int size = static_cast<int>(text.size());
    from = std::max(from, 0);
    to = std::min(to, size);
    const int n = static_cast<int>(pattern.size());
    if (n == 0 || to - from < n)
        return -1;
    const char* data = text.data();
    const int last = to - n;   // the last start that still fits
    const bool matchCase = options & foMatchCase;
    const unsigned char first = static_cast<unsigned char>(pattern[0]);
    const unsigned char firstFolded = FoldCase(first);
    const bool firstHasCase = !matchCase && ((first | 0x20) >= 'a' && (first | 0x20) <= 'z');
    for (int h = from; h <= last; ++h) {
        if (!firstHasCase) {
            // memchr finds the candidate starts; it is many times faster than a byte loop.
            const void* hit = std::memchr(data + h, first, static_cast<std::size_t>(last - h + 1));
            if (!hit)
                return -1;
            h = static_cast<int>(static_cast<const char*>(hit) - data);
        } else if (FoldCase(static_cast<unsigned char>(data[h])) != firstFolded) {
            continue;
        }
        const bool same = matchCase ? std::memcmp(data + h + 1, pattern.data() + 1, n - 1) == 0
                                    : EqualNoCase(data + h + 1, pattern.data() + 1, n - 1);
        if (same && (!(options & foWholeWord) || IsWholeWordAt(text, h, n)))
            return h;
    }
    return -1;
}

} // namespace tessel
