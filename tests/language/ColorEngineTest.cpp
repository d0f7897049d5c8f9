// The colour engine against a literal, step-by-step implementation of the three
// colouring operations (keyword by keyword, search by search), on hand-made
// cases, many thousands of random texts and tables and the real scripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "language/ColorDefinitions.h"
#include "language/ColorEngine.h"
#include "support/FakeEditBuffer.h"
#include "support/ReferenceColouring.h"
#include "support/ScriptedPrompter.h"

namespace tessel {
namespace {

bool SameRuns(const ColorRuns& a, const ColorRuns& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ColorRun& x, const ColorRun& y) {
        return x.Start == y.Start && x.Length == y.Length && x.Color == y.Color;
    });
}

// The rules themselves, stated by hand (the comparisons below hold the engine to a reference).
TEST(ColorEngineTest, WholeDocumentCases)
{
    const KeywordTableType table{Kw("if", clBlue), Kw("a", clRed), Kw("", clRed), Kw("else if", clRed)};
    struct Case { std::string text, paint; } cases[] = {
        {"x /* a */ y // b", "..ggggggg...gggg"},   // keywords inside comments end up green
        {"/*/ if", "ggg.bb"},                     // "/*/" is a whole comment of three
        {"if /* open\r\nif", "bb.ggggggggggg"},    // unterminated: to the end
        {"// c\r\nif", "ggggg.bb"},                // a line comment covers the CR, not the LF
        {"If ifx _if if_ iF", "................."}, // exact case, whole words only
        {"else if\r\nelse  if", "rrrrrrr........bb"},
        {"a/**/a", "rggggr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Paint(ComposeOnBlack(ColorWholeDocument(c.text, table), c.text.size())), c.paint);
    }
    // An empty table still colours comments.
    EXPECT_EQ(Paint(ComposeOnBlack(ColorWholeDocument("a // b", {}), 6)), "..gggg");
}

TEST(ColorEngineTest, SelectionSeesNoCommentOpenedBeforeIt)
{
    const std::string text = "/* long\r\ncomment if */ if";
    std::vector<std::uint32_t> colors =
        ComposeOnBlack(ColorWholeDocument(text, {Kw("if", clBlue)}), text.size());
    const ColorRuns runs = ColorSelection(text, {Kw("if", clBlue)}, 9, 10);
    ComposeRuns(runs, colors.data(), 0, text.size());
    EXPECT_EQ(Paint(colors), "ggggggggg........bbggg.bb");
}

TEST(ColorEngineTest, RecolorLineCases)
{
    const KeywordTableType table{Kw("if", clBlue)};
    struct Case { std::string text; int ls, le; std::string paint; } cases[] = {
        {"If x", 0, 4, "bb.."},                                  // any case on a line
        {"/* a\r\nin\r\nb */ c", 6, 8, "......ggggggggg."},        // inside a comment: through "*/" + 3
        {"x\r\n/* a */", 0, 1, ".........."},                   // only a later, complete comment: no change
        {"x\r\n*/ /* a", 0, 1, "ggg......."},                  // "*/" then "/*" below: the line and its break
        {"a // b /* c */", 0, 14, "..gggggggggggg"},
        {"/* a\r\n*/", 0, 4, "gggggggg"},                         // runs over the following line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Paint(ComposeOnBlack(RecolorLine(c.text, table, c.ls, c.le), c.text.size())), c.paint);
    }
}

class RandomScripts {
public:
    explicit RandomScripts(unsigned seed) : rng_(seed) {}

    std::string Text()
    {
        static const std::vector<std::string> pieces = {
            "if", "If", "IF", "AZ", "az", "else", "ifx", "_if", "a", "ab", "abc", "move", "ai", "x1", "\xE9t\xE9",
            "\xC3\xA9", " ", " ", "  ", "\t", ",", "/", "*", "/*", "*/", "//", "/*/", "{", "}", "(", ")", ";", "\"", "-",
            "\r\n", "\r\n", "\n", "\r", "0", "42", "_"};
        std::string t;
        const int count = Pick(0, 60);
        for (int i = 0; i < count; ++i)
            t += pieces[Pick(0, pieces.size() - 1)];
        return t;
    }

    KeywordTableType Table(const std::string& text)
    {
        static const std::vector<std::string> words = {
            "if", "If", "Za", "else", "a", "ab", "abc", "move", "x1", "ai", "\xE9t\xE9", "else if", "a,b", " if", "if ",
            "-", "--", "/*", "//", "*", ",", "if(", "(if", "_", "42", ""};
        static const std::uint32_t colors[] = {clRed, clGreen, clBlue, clBlack, 0x123456};
        KeywordTableType table;
        const int count = Pick(0, 12);
        for (int i = 0; i < count; ++i) {
            std::string w;
            if (!text.empty() && Pick(0, 3) == 0) {   // a piece of the text itself
                const int s = Pick(0, text.size() - 1);
                w = text.substr(s, Pick(1, 4));
            } else {
                w = words[Pick(0, words.size() - 1)];
            }
            ConType k = Kw(w, colors[Pick(0, 4)]);
            if (Pick(0, 15) == 0)
                k.KeywordLength = Pick(0, 6);   // a length that disagrees with the word
            table.push_back(k);
        }
        return table;
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::mt19937 rng_;
};

void ExpectSame(const ColorRuns& fast, const ColorRuns& ref, const std::string& text, const char* what)
{
    ASSERT_TRUE(SameRuns(fast, ref)) << what << " runs differ on: " << text;
    const std::vector<std::uint32_t> black(text.size(), clBlack);
    ASSERT_EQ(ComposeOnBlack(fast, text.size()), reference::Compose(ref, black)) << what << " colours differ on: " << text;
}

TEST(ColorEngineTest, AgreesWithTheLiteralAlgorithmsOnRandomScripts)
{
    RandomScripts gen(20261206);
    for (int round = 0; round < 20000; ++round) {
        const std::string text = gen.Text();
        const KeywordTableType table = gen.Table(text);
        const int L = static_cast<int>(text.size());
        ExpectSame(ColorWholeDocument(text, table), reference::Whole(text, table), text, "whole");

        const int s = gen.Pick(0, L);
        const int n = gen.Pick(0, L - s);
        const ColorRuns selection = ColorSelection(text, table, s, n);
        ExpectSame(selection, reference::Selection(text, table, s, n), text, "selection");
        // Composed over colours already there, handed only the touched extent
        // as an editor is for one line: what the runs do not touch keeps its colour.
        std::vector<std::uint32_t> before(L);
        for (auto& c : before)
            c = gen.Pick(0, 3);
        const auto [first, last] = RunsExtent(selection, L);
        std::vector<std::uint32_t> after = before;
        ComposeRuns(selection, after.data() + first, first, last);
        ASSERT_EQ(after, reference::Compose(selection, before)) << text;

        // A real line of the text, and now and then any range.
        int ls = gen.Pick(0, L), le;
        if (gen.Pick(0, 3) > 0) {
            while (ls > 0 && text[ls - 1] != '\n')
                --ls;
            le = ls;
            while (le < L && text[le] != '\r' && text[le] != '\n')
                ++le;
        } else {
            le = gen.Pick(ls, L);
        }
        ExpectSame(RecolorLine(text, table, ls, le), reference::Line(text, table, ls, le), text, "line");
        if (HasFatalFailure())
            return;
    }
}

TEST(ColorEngineTest, RealScriptsAgreeWithTheLiteralAlgorithm)
{
    namespace fs = std::filesystem;
    const fs::path corpus = fs::path(TESSEL_CORPUS_DIR) / "scripts";
    if (!fs::is_directory(corpus))
        GTEST_SKIP() << "no script corpus";
    const std::pair<const char*, int> modes[] = {{"con", 1}, {"qc", 2}, {"vc", 3}};
    for (const auto& [dir, mode] : modes) {
        ScriptedPrompter prompter;
        KeywordTableType table;
        ASSERT_TRUE(LoadColorDefinitions(mode, std::string(TESSEL_SOURCE_DIR) + "/data/", table, prompter));
        for (const auto& entry : fs::directory_iterator(corpus / dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ExpectSame(ColorWholeDocument(text, table), reference::Whole(text, table), entry.path().string(), "whole");
            const int L = text.size();
            ExpectSame(ColorSelection(text, table, L / 3, L / 3), reference::Selection(text, table, L / 3, L / 3),
                       entry.path().string(), "selection");
        }
    }
}

} // namespace
} // namespace tessel
