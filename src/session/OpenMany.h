#pragma once
// How many names may arrive at once (a start, a hand-over, a drop) before the
// user is asked: thousands of windows opened unasked would hold the program
// for minutes.
#include <cstddef>
#include <string>

namespace tessel {

// More names than this at once are opened only after a Yes.
constexpr std::size_t OpenWithoutAsking = 200;

// The question to ask before opening count names at once ("Open 201
// files?"); "" when count is small enough to open without asking.
std::string OpenManyQuestion(std::size_t count);

} // namespace tessel
