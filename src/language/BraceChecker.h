#pragma once
// The brace checker: every "{" or "}" of a script without a partner, found by
// plain character search (comments and strings count like any other text).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

struct ErrorConType {
    std::int32_t Offset;   // of the brace; -1 for the closing note of a list cut at 100
    std::string Message;
};

struct BraceCheckResult {
    std::vector<ErrorConType> ErrorList;   // entry n of the list is ErrorList[n-1]
    int ErrorCount() const { return static_cast<int>(ErrorList.size()); }
    bool ErrorsFound() const { return !ErrorList.empty(); }
};

constexpr int MaxBraceErrors = 100;

BraceCheckResult CheckBraces(std::string_view text);

// The message box text that reports the outcome.
const char* BraceCheckOutcome(const BraceCheckResult& result);

} // namespace tessel
