#pragma once
// The three colouring operations written literally, step by step: each keyword
// searched over the range, each search restarting one past the last match, and
// the runs painted byte by byte. Slow on purpose; the fast engine must agree
// with it on every input.
#include <cstdint>
#include <string>
#include <vector>

#include "language/ColorEngine.h"

namespace tessel::reference {

int Find(const std::string& t, const std::string& pat, int from, int to, bool matchCase, bool wholeWord);
ColorRuns Whole(const std::string& t, const KeywordTableType& table);
ColorRuns Selection(const std::string& t, const KeywordTableType& table, int s, int n);
ColorRuns Line(const std::string& t, const KeywordTableType& table, int ls, int le);
std::vector<std::uint32_t> Compose(const ColorRuns& runs, std::vector<std::uint32_t> colors);

} // namespace tessel::reference
