#include "editor/EditBuffer.h"

#include <algorithm>

#include "language/Find.h"

namespace tessel {

std::string EditBuffer::TextRange(int start, int length) const
{
    const std::string_view text = TextView();
    const int size = static_cast<int>(text.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    return std::string(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

int EditBuffer::FindText(std::string_view pattern, int from, int to, unsigned options) const
{
    return Find(TextView(), pattern, from, to, options);
}

} // namespace tessel
