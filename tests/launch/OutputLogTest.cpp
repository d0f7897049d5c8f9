#include "launch/OutputLog.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using Texts = std::vector<std::string>;

// Feeds the pieces one after the other, then ends the run: the shown lines.
Texts Shown(OutputLog& log, const Texts& pieces)
{
    Texts out;
    for (const std::string& piece : pieces)
        for (const OutputLine& line : log.Take(piece))
            out.push_back(line.text);
    for (const OutputLine& line : log.Finish())
        out.push_back(line.text);
    return out;
}

TEST(OutputLogTest, LinesEndAtLfCrLfOrALoneCrInWhateverPiecesTheyArrive)
{
    const struct { const char* name; Texts pieces, lines; } cases[] = {
        {"CR LF split between pieces", {"a\r", "\nb\r\n"}, {"a", "b"}},
        {"lone CR, then an empty line", {"a\rb\n\nc"}, {"a", "b", "", "c"}},
        {"a line in three pieces, no end", {"ab", "c", "d"}, {"abcd"}},
        {"CR CR is two ends", {"a\r\rb"}, {"a", "", "b"}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        OutputLog log;
        EXPECT_EQ(Shown(log, c.pieces), c.lines) << c.name;
    }
}

TEST(OutputLogTest, LongLinesAndFloodsAreCutButCountedToTheEnd)
{
    OutputLog log;
    // A line without end longer than the cap, in pieces, cut inside a character.
    std::string longLine = "x.qc:1: error: " + std::string(OutputLog::MaxLineBytes - 16, 'a') + "\xE2\x82\xAC tail";
    const Texts lines = Shown(log, {longLine.substr(0, 100), longLine.substr(100)});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], longLine.substr(0, OutputLog::MaxLineBytes - 1) + " [...]");
    EXPECT_EQ(log.Errors(), 1);

    OutputLog flood;
    std::string bytes;
    for (std::size_t i = 0; i < OutputLog::MaxLines + 5; ++i)
        bytes += i % 2 ? "a.qc:3: warning: w\n" : "a.qc:3: error: e\n";
    std::vector<OutputLine> shown = flood.Take(bytes);
    ASSERT_EQ(shown.size(), OutputLog::MaxLines + 1);
    EXPECT_EQ(shown.back().text, "[Output past 10000 lines is not kept; the counts at its end take in all of it.]");
    EXPECT_TRUE(flood.Take("more\n").empty());
    EXPECT_EQ(flood.Lines(), OutputLog::MaxLines + 6);
    EXPECT_EQ(flood.Errors(), 5003);
    EXPECT_EQ(flood.Warnings(), 5002);
}

TEST(OutputLogTest, EntriesAreCountedByKindAndTheSummaryLineIsNoFaultOfItsOwn)
{
    OutputLog log;
    const std::vector<OutputLine> lines =
        log.Take("compiling main.qc\nmain.qc:5: error: Unknown value \"x\".\nmain.qc:6: warning: w\n"
                 "main.qc:4:    f  is defined here\n\x1b[31mError in main.qc on line 9\x1b[0m\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_FALSE(lines[0].message);
    ASSERT_TRUE(lines[1].message && lines[4].message);
    EXPECT_EQ(lines[1].message->line, 5);
    EXPECT_EQ(lines[4].text, "Error in main.qc on line 9");
    EXPECT_TRUE(lines[4].message->summary);
    EXPECT_EQ(log.Errors(), 1);
    EXPECT_EQ(log.Warnings(), 1);
}

TEST(OutputLogTest, TheSummarySaysHowTheRunEnded)
{
    using K = RunEnd::Kind;
    const struct { RunEnd end; int errors, warnings; double seconds; const char* summary; } rows[] = {
        {{K::Exited, 0, ""}, 0, 2, 0.8, "fteqcc: 0 errors, 2 warnings (0.8 s)"},
        {{K::Exited, 0, ""}, 1, 1, 0.04, "fteqcc: 1 error, 1 warning (0.0 s)"},
        {{K::Exited, 1, ""}, 3, 0, 12.36, "fteqcc failed (exit status 1): 3 errors, 0 warnings (12.4 s)"},
        {{K::Signalled, 11, ""}, 0, 0, 1, "fteqcc failed (signal 11): 0 errors, 0 warnings (1.0 s)"},
        {{K::Stopped, 0, ""}, 0, 0, 2.25, "fteqcc stopped: 0 errors, 0 warnings (2.3 s)"},
        {{K::NotStarted, 0, "it is no DOS or Windows program"}, 0, 0, 0,
         "fteqcc could not start: it is no DOS or Windows program"},
        {{K::NotStarted, 0, ""}, 0, 0, 0, "fteqcc could not start"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RunSummary("fteqcc", row.end, row.errors, row.warnings, row.seconds), row.summary);
    EXPECT_EQ(RunningText("/usr/bin/fteqcc", {"-Wall", "", "a b", "q\"\\", "\x1b"}, "/qc/"),
              "Running: /usr/bin/fteqcc -Wall \"\" \"a b\" \"q\\\"\\\\\" \\x1B (in /qc/)");
    EXPECT_EQ(MessageFilePath("/qc/", "sub/b.qc"), "/qc/sub/b.qc");
    EXPECT_EQ(MessageFilePath("/qc/", "/abs/b.qc"), "/abs/b.qc");
}

} // namespace
} // namespace tessel
