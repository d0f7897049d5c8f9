#include "session/SearchRequests.h"

namespace tessel {

std::uint8_t SearchOptionsFrom(bool wholeWord, bool matchCase)
{
    return static_cast<std::uint8_t>((wholeWord ? soWholeWord : 0) | (matchCase ? soMatchCase : 0));
}

bool FillSearchRequest(SearchMemory& memory, const std::string& text, std::uint8_t options, bool fromTop)
{
    if (text.empty())
        return false;
    UserFndTextType& find = memory.UserFndText;
    find.Go = true;
    find.Text = text;
    memory.SearchOptions = options;
    find.Position = fromTop ? 0 : -2;
    return true;
}

bool FillReplaceRequest(SearchMemory& memory, const std::string& findText, const std::string& replaceText,
                        std::uint8_t options, ReplaceFrom from, bool all)
{
    UserReplaceTextType& replace = memory.UserReplaceText;
    replace.All = all;
    if (findText.empty() || replaceText.empty())
        return false;
    replace.Go = true;
    replace.FindText = findText;
    replace.ReplaceText = replaceText;
    memory.SearchOptions = options;
    replace.Position = static_cast<int>(from);
    return true;
}

bool RepeatSearchRequest(SearchMemory& memory)
{
    UserFndTextType& find = memory.UserFndText;
    if (find.Text.empty())
        return false;
    ++find.Position;
    find.Go = true;
    return true;
}

bool RepeatReplaceRequest(SearchMemory& memory)
{
    UserReplaceTextType& replace = memory.UserReplaceText;
    if (replace.FindText.empty() || replace.ReplaceText.empty())
        return false;
    ++replace.Position;
    replace.Go = true;
    return true;
}

EditorRequests RequestsOf(const SearchMemory& memory)
{
    EditorRequests requests;
    requests.UserFndText = memory.UserFndText;
    requests.UserReplaceText = memory.UserReplaceText;
    requests.SearchOptions = memory.SearchOptions;
    return requests;
}

void Remember(SearchMemory& memory, const EditorRequests& done)
{
    memory.UserFndText.Position = done.UserFndText.Position;
    memory.UserReplaceText.Position = done.UserReplaceText.Position;
    memory.UserFndText.Go = memory.UserReplaceText.Go = false;
}

int GotoLineRequestFor(int typedLine)
{
    // Below 1 nothing is selected; -1 also keeps n - 1 from overflowing.
    return typedLine >= 1 ? typedLine - 1 : -1;
}

} // namespace tessel
