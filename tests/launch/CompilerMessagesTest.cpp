#include "launch/CompilerMessages.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

// A message as one line: "kind file:line:column text", "summary" before a
// closing line's file; "" for plain text.
std::string Entry(const std::string& printed)
{
    const auto m = ParseCompilerMessage(WithoutTerminalEscapes(printed));
    if (!m)
        return "";
    const char* kinds[] = {"error", "warning", "note"};
    return std::string(kinds[static_cast<int>(m->severity)]) + (m->summary ? " summary " : " ") + m->file + ":" +
           std::to_string(m->line) + ":" + std::to_string(m->column) + " " + m->text;
}

TEST(CompilerMessagesTest, LinesOfEachCompilerBecomeEntriesAndTheRestStaysText)
{
    const struct { const char* source; std::string printed, entry; } rows[] = {
        // fteqcc 3343 (Debian 12), captured from its runs.
        {"fteqcc", "main.qc:5: error: Unknown value \"undefinedthing\".",
         "error main.qc:5:0 Unknown value \"undefinedthing\"."},
        {"fteqcc", "sub/b.qc:9: warning: too many parameters", "warning sub/b.qc:9:0 too many parameters"},
        {"fteqcc", "sub/b.qc:8:    f  is defined here", "note sub/b.qc:8:0 f  is defined here"},
        {"fteqcc", "Error in sub/b.qc on line 9", "error summary sub/b.qc:9:0 the compile stopped here"},
        {"fteqcc", "in function main (line 1),", ""},
        {"fteqcc", "Warning: progs CRC not recognised from quake nor clones", ""},
        // fteqcc's Windows style and later fteqcc's coded warnings, from their format.
        {"fteqcc", "main.qc(5) : error: Unknown value \"x\".", "error main.qc:5:0 Unknown value \"x\"."},
        {"fteqcc", "defs.qc:12: warning F302: Unreferenced local variable unused",
         "warning defs.qc:12:0 Unreferenced local variable unused"},
        {"msvc", "C:\\quake\\qc\\ai.qc(12,4): error C2065: 'x': undeclared",
         "error C:\\quake\\qc\\ai.qc:12:4 'x': undeclared"},
        // gmqcc, from its format ("%s:%d:%d: %s: "), plain and in colour.
        {"gmqcc", "progs/weapons.qc:310:17: error: unexpected identifier",
         "error progs/weapons.qc:310:17 unexpected identifier"},
        {"gmqcc", "\x1b[0;36mmain.qc:5:9: \x1b[0;31merror: \x1b[0mundefined variable `y'",
         "error main.qc:5:9 undefined variable `y'"},
        // EDuke32's CON compiler, from its format ("%s:%d: error: ...").
        {"eduke32", "GAME.CON:1234: error: expected a keyword but found `gamevarr'.",
         "error GAME.CON:1234:0 expected a keyword but found `gamevarr'."},
        {"eduke32", "GAME.CON: In actor `APLAYER':", ""},
        {"eduke32", "Found 1 warning(s), 1 error(s).", ""},
        // Kinds in any case; a fatal error is an error.
        {"any", "a.qc:2: FATAL ERROR: out of memory", "error a.qc:2:0 out of memory"},
        {"any", "a.qc:2: Note: see here", "note a.qc:2:0 see here"},
        // What is not a place in a file.
        {"time", "12:34:56: backup done", ""},
        {"prefix", "Warning: main.qc:5: error: x", ""},
        {"prefix, Windows style", "Warning: x.qc(5) : error: y", ""},
        {"a kind without its colon", "a.qc:1: error : spaced", "note a.qc:1:0 error : spaced"},
        {"a longer word", "a.qc:3: errors follow", "note a.qc:3:0 errors follow"},
        {"a word for a column", "x.qc:12:30pm meeting", ""},
        {"windows, no closing bracket", "f(3 : error: x", ""},
        {"summary with more after it", "Error in main.qc on line 9 and more", ""},
        {"blank first", " main.qc:5: error: x", ""},
        {"ten digits", "main.qc:1234567890: error: x", ""},
        {"control byte", "a\x01" "b.qc:5: error: x", ""},
        {"no text", "main.qc:5:", ""},
        {"no file", ":5: error: x", ""},
        {"no line", "Error in main.qc on line ", ""},
        {"empty", "", ""},
        {"windows without a kind", "f(3) : nothing", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Entry(row.printed), row.entry) << row.source << ": " << row.printed;
}

TEST(CompilerMessagesTest, ShownTextKeepsUtf8AndTabsAndEscapesEverythingElse)
{
    const struct { std::string bytes, shown; } rows[] = {
        {"plain\ttext", "plain\ttext"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"bell\x07 nul" + std::string(1, '\0') + " del\x7F", "bell\\x07 nul\\x00 del\\x7F"},
        {"latin1 \xE9t\xE9", "latin1 \\xE9t\\xE9"},
        {"cut \xE2\x82", "cut \\xE2\\x82"},
        {"overlong \xC0\xAF \xE0\x80\xAF", "overlong \\xC0\\xAF \\xE0\\x80\\xAF"},
        {"surrogate \xED\xA0\x80", "surrogate \\xED\\xA0\\x80"},
        {"c1 \xC2\x85", "c1 \\u0085"},
        {"reversed \xE2\x80\xAEtxt.exe", "reversed \\u202Etxt.exe"},
        {"separator \xE2\x80\xA8", "separator \\u2028"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ShownText(row.bytes), row.shown) << row.bytes;
    EXPECT_EQ(WithoutTerminalEscapes("\x1b]0;title\x07" "a\x1b[1mb\x1b(B" "c\x1b]2;t\x1b\\d\x1b"), "abcd");
}

} // namespace
} // namespace tessel
