#include "session/OpenMany.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(OpenManyTest, AsksOnlyBeyondTwoHundredNamingTheCount)
{
    const struct {
        std::size_t count;
        const char* question;
    } rows[] = {
        {0, ""}, {1, ""}, {200, ""}, {201, "Open 201 files?"}, {10000, "Open 10000 files?"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(OpenManyQuestion(row.count), row.question) << row.count;
}

} // namespace
} // namespace tessel
