#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "language/BraceChecker.h"

namespace tessel {
namespace {

std::vector<std::string> Messages(const BraceCheckResult& r)
{
    std::vector<std::string> m;
    for (const ErrorConType& e : r.ErrorList)
        m.push_back(e.Message);
    return m;
}

TEST(BraceCheckerTest, StopsAtAHundredErrors)
{
    const char* note =
        "Over 100 errors, terminating game file error checking... How did you pull this off in a game file!?!?!";
    const BraceCheckResult surplus = CheckBraces(std::string(150, '}') + "{");
    ASSERT_EQ(surplus.ErrorCount(), 100);
    EXPECT_EQ(surplus.ErrorList[98].Message, "ERROR #99: Extra Left Brace \"}\", offset: 98");
    EXPECT_EQ(surplus.ErrorList[99].Offset, -1);
    EXPECT_EQ(surplus.ErrorList[99].Message, note);

    // Exactly a hundred errors need no note.
    EXPECT_EQ(CheckBraces(std::string(100, '}')).ErrorList[99].Offset, 99);

    // More open braces than any fixed stack would hold.
    const BraceCheckResult open = CheckBraces(std::string(250, '{'));
    ASSERT_EQ(open.ErrorCount(), 100);
    EXPECT_EQ(open.ErrorList[0].Message, "ERROR #1: Extra right brace \"{\", offset:0");
    EXPECT_EQ(open.ErrorList[99].Message, note);
}

// The checker scans many bytes at a time; a plain search for the nearer brace
// must agree with it wherever the braces fall.
TEST(BraceCheckerTest, AgreesWithAPlainSearchOnRandomTexts)
{
    std::mt19937 rng(1206);
    const char alphabet[] = "{}{}ab \r\n/*";
    for (int round = 0; round < 3000; ++round) {
        std::string text(std::uniform_int_distribution<int>(0, 300)(rng), ' ');
        const int density = std::uniform_int_distribution<int>(1, 40)(rng);
        for (char& c : text)
            c = std::uniform_int_distribution<int>(0, density)(rng) == 0 ? alphabet[rng() % 11] : 'x';
        std::vector<std::string> expected;
        std::vector<int> stack;
        for (std::size_t p = 0;;) {
            const std::size_t a = text.find('{', p), b = text.find('}', p);
            if (a == std::string::npos && b == std::string::npos)
                break;
            if (a < b) {
                stack.push_back(a);
                p = a + 1;
            } else {
                if (stack.empty())
                    expected.push_back("ERROR #" + std::to_string(expected.size() + 1) +
                                       ": Extra Left Brace \"}\", offset: " + std::to_string(b));
                else
                    stack.pop_back();
                p = b + 1;
            }
        }
        for (int o : stack)
            expected.push_back("ERROR #" + std::to_string(expected.size() + 1) +
                               ": Extra right brace \"{\", offset:" + std::to_string(o));
        if (expected.size() > 100)
            continue;
        SCOPED_TRACE(text);
        ASSERT_EQ(Messages(CheckBraces(text)), expected);
    }
}

} // namespace
} // namespace tessel
