#include "platform/Convert.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tessel;

namespace {

TEST(ConvertTest, AcceptedTexts)
{
    const struct { const char* text; int value; } cases[] = {
        {"0", 0}, {"007", 7}, {"+7", 7}, {"-7", -7}, {"   12", 12}, {" -12", -12}, {"-0", 0},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"$1F", 31}, {"$1f", 31}, {"x10", 16}, {"X10", 16}, {"0x10", 16}, {"0XaB", 171},
        {"-$10", -16}, {"+0x10", 16}, {"  $ff", 255}, {"$00000000FF", 255},
        // Hexadecimal covers the whole 32-bit pattern and wraps to signed.
        {"$7FFFFFFF", INT_MAX}, {"$80000000", INT_MIN}, {"$FFFFFFFF", -1}, {"-$FFFFFFFF", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int value = 12345;
        EXPECT_TRUE(TryStrToInt(c.text, value));
        EXPECT_EQ(c.value, value);
        EXPECT_EQ(c.value, StrToInt(c.text));
        EXPECT_EQ(c.value, StrToIntDef(c.text, -99));
    }
}

TEST(ConvertTest, RejectedTexts)
{
    const char* cases[] = {
        "", " ", "+", "-", "12 ", "1}", "abc", "\t12", "- 12", "+-1", "1.5", "1e3", "12abc",
        "2147483648", "-2147483649", "99999999999",
        "$", "x", "0x", "$100000000", "$FG", "0x1 ", "$-1",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        int value = 12345;
        EXPECT_FALSE(TryStrToInt(text, value));
        EXPECT_EQ(-99, StrToIntDef(text, -99));
        EXPECT_THROW(StrToInt(text), ConvertError);
    }
}

TEST(ConvertTest, ErrorTextQuotesTheOriginalText)
{
    for (const std::string text : {"1}", "abc", " 12 ", ""}) {
        SCOPED_TRACE(text);
        try {
            StrToInt(text);
            ADD_FAILURE() << "no exception";
        } catch (const ConvertError& e) {
            EXPECT_EQ("'" + text + "' is not a valid integer value", e.what());
        }
    }
}

} // namespace
