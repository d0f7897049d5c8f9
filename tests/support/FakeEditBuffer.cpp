#include "support/FakeEditBuffer.h"

#include <algorithm>

namespace tessel {

FakeEditBuffer::FakeEditBuffer(std::string text) : text_(std::move(text)), colors_(text_.size(), clBlack) {}

void FakeEditBuffer::SetSelection(int start, int length)
{
    selStart_ = std::clamp(start, 0, TextLength());
    selLength_ = std::clamp(length, 0, TextLength() - selStart_);
}

void FakeEditBuffer::Remember()
{
    if (undoDepth_ > 0 && groupRemembered_)
        return;
    history_.push_back({text_, colors_, selStart_, selLength_});
    groupRemembered_ = undoDepth_ > 0;
}

void FakeEditBuffer::BeginUndoAction()
{
    if (undoDepth_++ == 0)
        groupRemembered_ = false;
}

void FakeEditBuffer::ReplaceSelection(std::string_view text, TColor color)
{
    Remember();
    const auto at = static_cast<std::size_t>(selStart_);
    text_.replace(at, static_cast<std::size_t>(selLength_), text);
    colors_.erase(colors_.begin() + selStart_, colors_.begin() + selStart_ + selLength_);
    colors_.insert(colors_.begin() + selStart_, text.size(), color);
    selStart_ += static_cast<int>(text.size());
    selLength_ = 0;
    modified_ = true;
}

std::vector<int> FakeEditBuffer::LineStarts() const
{
    std::vector<int> starts{0};
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n')
            ++i;
        if (text_[i] == '\r' || text_[i] == '\n')
            starts.push_back(static_cast<int>(i + 1));
    }
    return starts;
}

int FakeEditBuffer::LineFromOffset(int offset) const
{
    const std::vector<int> starts = LineStarts();
    offset = std::clamp(offset, 0, TextLength());
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
}

int FakeEditBuffer::OffsetOfLine(int line) const
{
    const std::vector<int> starts = LineStarts();
    return line < 0 || line >= static_cast<int>(starts.size()) ? -1 : starts[static_cast<std::size_t>(line)];
}

int FakeEditBuffer::LineLength(int line) const
{
    const int start = OffsetOfLine(line);
    return start < 0 ? 0 : static_cast<int>(std::min(text_.find_first_of("\r\n", start), text_.size())) - start;
}

void FakeEditBuffer::PaintRange(int start, int length, TColor color)
{
    start = std::clamp(start, 0, TextLength());
    std::fill_n(colors_.begin() + start, std::clamp(length, 0, TextLength() - start), color);
}

void FakeEditBuffer::PaintColors(int start, const TColor* colors, std::size_t count)
{
    start = std::clamp(start, 0, TextLength());
    std::copy_n(colors, std::min(count, static_cast<std::size_t>(TextLength() - start)), colors_.begin() + start);
}

TColor FakeEditBuffer::ColorAt(int offset) const
{
    return offset < 0 || offset >= TextLength() ? clBlack : colors_[static_cast<std::size_t>(offset)];
}

void FakeEditBuffer::Undo()
{
    if (history_.empty())
        return;
    Snapshot& last = history_.back();
    text_ = std::move(last.text);
    colors_ = std::move(last.colors);
    selStart_ = last.selStart;
    selLength_ = last.selLength;
    history_.pop_back();
    modified_ = true;
}

std::string Paint(const std::vector<TColor>& colors)
{
    std::string s;
    for (const TColor c : colors)
        s += c == clBlack ? '.' : c == clRed ? 'r' : c == clGreen ? 'g' : c == clBlue ? 'b' : '?';
    return s;
}

} // namespace tessel
