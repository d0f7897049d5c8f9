#include "platform/Convert.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/Errors.h"

namespace tessel {
namespace {

TEST(ConvertTest, AcceptedTextsGiveTheirValueTheRestTheDefaultOrTheRuntimeMessage)
{
    const std::pair<const char*, int> accepted[] = {
        {"007", 7},      {"+7", 7},         {"   -12", -12},       {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"$1f", 31},     {"x10", 16},       {"0XaB", 171},        {"-$10", -16},           {"$FFFFFFFF", -1},
        {"$80000000", INT_MIN}, {"X19aF", 6575}, {"+09", 9},
    };
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(StrToInt(text), value) << text;
    for (const std::string text : {"", "-", "12 ", "1}", "\t12", "- 12", "1.5", "2147483648", "-2147483649", "0x",
                                   "$100000000", "$FG"}) {
        EXPECT_EQ(StrToIntDef(text, -99), -99) << text;
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.what(), "'" + text + "' is not a valid integer value");
        }
    }
}

} // namespace
} // namespace tessel
