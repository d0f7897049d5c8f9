#include "support/ReferenceColouring.h"

#include <algorithm>
#include <cctype>

namespace tessel::reference {

namespace {

bool WordChar(unsigned char c)
{
    return std::isalnum(c) || c == '_' || c >= 128;
}

} // namespace

int Find(const std::string& t, const std::string& pat, int from, int to, bool matchCase, bool wholeWord)
{
    const int n = static_cast<int>(pat.size());
    if (n == 0)
        return -1;
    for (int h = std::max(from, 0); h + n <= std::min<int>(to, t.size()); ++h) {
        bool same = true;
        for (int k = 0; k < n && same; ++k) {
            unsigned char a = t[h + k], b = pat[k];
            if (!matchCase && a < 128 && b < 128) {
                a = static_cast<unsigned char>(std::tolower(a));
                b = static_cast<unsigned char>(std::tolower(b));
            }
            same = a == b;
        }
        if (!same)
            continue;
        if (wholeWord && ((h > 0 && WordChar(t[h - 1])) || (h + n < static_cast<int>(t.size()) && WordChar(t[h + n]))))
            continue;
        return h;
    }
    return -1;
}

namespace {

void Keywords(const std::string& t, const KeywordTableType& table, int from, int to, bool matchCase,
                 ColorRuns& runs)
{
    for (const ConType& k : table)
        for (int p = from;;) {
            const int h = Find(t, k.Keyword, p, to, matchCase, true);
            if (h < 0)
                break;
            runs.push_back({h, k.KeywordLength, static_cast<std::uint32_t>(k.Color)});
            p = h + 1;
        }
}

// Each comment opening in [from, to), each search restarting one past the last
// opening: green from it to the first close after it (or the end), and
// closeLength more.
void Comments(const std::string& t, const char* open, const char* close, int closeLength, int from, int to,
              ColorRuns& runs)
{
    const int L = static_cast<int>(t.size());
    for (int p = from;;) {
        const int a = Find(t, open, p, to, true, false);
        if (a < 0)
            break;
        const int b = Find(t, close, a, L, true, false);
        runs.push_back({a, (b < 0 ? L : b) - a + closeLength, clGreen});
        p = a + 1;
    }
}

} // namespace

ColorRuns Whole(const std::string& t, const KeywordTableType& table)
{
    ColorRuns runs;
    Keywords(t, table, 0, t.size(), true, runs);
    Comments(t, "/*", "*/", 2, 0, t.size(), runs);
    Comments(t, "//", "\n", 0, 0, t.size(), runs);
    return runs;
}

ColorRuns Selection(const std::string& t, const KeywordTableType& table, int s, int n)
{
    ColorRuns runs{{s, n, clBlack}};
    Keywords(t, table, s, s + n, true, runs);
    Comments(t, "/*", "*/", 2, s, t.size(), runs);
    Comments(t, "//", "\n", 0, s, s + n, runs);
    return runs;
}

ColorRuns Line(const std::string& t, const KeywordTableType& table, int ls, int le)
{
    const int L = static_cast<int>(t.size());
    ColorRuns runs;
    Keywords(t, table, ls, le, false, runs);
    const int c = Find(t, "//", ls, le, true, false);
    if (c >= 0)
        runs.push_back({c, le - c, clGreen});
    const int a = Find(t, "/*", ls, le, true, false);
    const int b = Find(t, "*/", ls, L, true, false);
    if (a >= 0) {
        runs.push_back(b >= 0 && b > a ? ColorRun{a, b - a + 2, clGreen} : ColorRun{a, le - a, clGreen});
    } else {
        const int a2 = Find(t, "/*", ls, L, true, false);
        if (a2 < 0 && b >= 0)
            runs.push_back({ls, b - ls + 3, clGreen});
        else if (b >= 0 && a2 >= 0 && b < a2)
            runs.push_back({ls, le - ls + 2, clGreen});
    }
    return runs;
}

std::vector<std::uint32_t> Compose(const ColorRuns& runs, std::vector<std::uint32_t> colors)
{
    for (const ColorRun& r : runs)
        for (long long i = r.Start; i < static_cast<long long>(r.Start) + r.Length; ++i)
            if (i >= 0 && i < static_cast<long long>(colors.size()))
                colors[i] = r.Color;
    return colors;
}

} // namespace tessel::reference
