#include "session/SearchRequests.h"

namespace tessel {

std::uint8_t SearchOptionsFrom(bool wholeWord, bool matchCase)
{
    return static_cast<std::uint8_t>((wholeWord ? soWholeWord : 0) | (matchCase ? soMatchCase : 0));
}

bool FillSearchRequest(EditorRequestsType& requests, const std::string& text, std::uint8_t options, bool fromTop)
{
    if (text.empty())
        return false;
    UserFndTextType& find = requests.UserFndText;
    find.Go = true;
    find.Text = text;
    requests.SearchOptions = options;
    find.Position = fromTop ? 0 : -2;
    return true;
}

bool FillReplaceRequest(EditorRequestsType& requests, const std::string& findText, const std::string& replaceText,
                        std::uint8_t options, ReplaceFrom from, bool all)
{
    UserReplaceTextType& replace = requests.UserReplaceText;
    replace.All = all;
    if (findText.empty() || replaceText.empty())
        return false;
    replace.Go = true;
    replace.FindText = findText;
    replace.ReplaceText = replaceText;
    requests.SearchOptions = options;
    replace.Position = static_cast<int>(from);
    return true;
}

bool RepeatSearchRequest(EditorRequestsType& requests)
{
    UserFndTextType& find = requests.UserFndText;
    if (find.Text.empty())
        return false;
    ++find.Position;
    find.Go = true;
    return true;
}

bool RepeatReplaceRequest(EditorRequestsType& requests)
{
    UserReplaceTextType& replace = requests.UserReplaceText;
    if (replace.FindText.empty() || replace.ReplaceText.empty())
        return false;
    ++replace.Position;
    replace.Go = true;
    return true;
}

int GotoLineRequestFor(int typedLine)
{
    // Below 1 nothing is selected; -1 also keeps n - 1 from overflowing.
    return typedLine >= 1 ? typedLine - 1 : -1;
}

} // namespace tessel
