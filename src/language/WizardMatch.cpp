#include "language/WizardMatch.h"

#include <algorithm>

#include "platform/Convert.h"

namespace tessel {

std::string_view WordBeforeCaret(std::string_view text, int caret)
{
    caret = std::clamp(caret, 0, static_cast<int>(text.size()));
    if (caret == 0 || text[caret - 1] == '\n')
        return {};
    int start = caret - 1;
    while (start > 0 && text[start - 1] != ' ' && text[start - 1] != '\n')
        --start;
    return text.substr(start, caret - start);
}

int TypedWordMatch(std::string_view text, int caret, std::string_view indexText)
{
    const std::string_view word = WordBeforeCaret(text, caret);
    if (word.empty())
        return 0;
    for (std::size_t at = indexText.find(word); at != std::string_view::npos; at = indexText.find(word, at + 1)) {
        if (at == 0 || indexText[at - 1] != '/')
            continue;
        // The entry number stands between the ";" and the "/": at most ten characters.
        const std::size_t slash = at - 1;
        std::size_t digits = slash;
        while (digits > 0 && slash - digits < 10 && indexText[digits - 1] != ';')
            --digits;
        int number = 0;
        return TryStrToInt(std::string(indexText.substr(digits, slash - digits)), number) && number > 0 ? number : 0;
    }
    return 0;
}

} // namespace tessel
