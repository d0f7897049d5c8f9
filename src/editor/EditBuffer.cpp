#include "editor/EditBuffer.h"

#include <algorithm>
#include <vector>

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

std::string_view EditBuffer::TextTail(int start) const
{
    const std::string_view text = TextView();
    return text.substr(static_cast<std::size_t>(std::clamp(start, 0, static_cast<int>(text.size()))));
}

int EditBuffer::FindText(std::string_view pattern, int from, int to, unsigned options) const
{
    // The whole-word test looks at the character before a match.
    const int base = std::clamp(from - 1, 0, TextLength());
    const int found = Find(TextTail(base), pattern, from - base, to - base, options);
    return found < 0 ? -1 : found + base;
}

void EditBuffer::CopyColors(int start, TColor* out, std::size_t count) const
{
    const int size = TextLength();
    for (std::size_t i = 0; i < count; ++i) {
        const long long offset = static_cast<long long>(start) + static_cast<long long>(i);
        if (offset >= 0 && offset < size)
            out[i] = ColorAt(static_cast<int>(offset));
    }
}

void EditBuffer::PaintRuns(const ColorRuns& runs, bool onBlack)
{
    const auto [first, last] = RunsExtent(runs, TextLength());
    if (first == last)
        return;
    std::vector<TColor> colors(static_cast<std::size_t>(last - first), clBlack);
    if (!onBlack)
        CopyColors(first, colors.data(), colors.size());
    ComposeRuns(runs, colors.data(), first, last);
    UpdateScope scope(*this);
    PaintColors(first, colors.data(), colors.size());
}

} // namespace tessel
