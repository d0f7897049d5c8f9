#pragma once
// Table rows as test cases of their own: a parameterised suite over a
// fixture, whose cases GoogleTest names after each row's `name` ("left at the
// start" runs alone as --gtest_filter='*/LeftAtTheStart') and prints by it.
//
//   struct Row { const char* name; ... };
//   const Row Rows[] = {...};
//   using KeyRows = test::RowsOf<EditOpsTest, Row>;
//   TEST_P(KeyRows, EditOrLeaveTheLine) { const Row& r = GetParam(); ... }
//   TESSEL_ROWS(KeyRows, Rows);
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace tessel::test {

template <class Fixture, class Row>
class RowsOf : public Fixture, public ::testing::WithParamInterface<Row> {};

// A row's name as a case name: its words run together, each capitalised.
inline std::string CaseName(const std::string& text)
{
    std::string out;
    bool wordStart = true;
    for (const unsigned char c : text) {
        if (std::isalnum(c))
            out += static_cast<char>(wordStart ? std::toupper(c) : c);
        wordStart = !std::isalnum(c);
    }
    return out;
}

struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const
    {
        return CaseName(info.param.name);
    }
};

// What a failure or the case list shows of a row: its name.
template <class Row> auto operator<<(std::ostream& out, const Row& row) -> decltype(row.name, out)
{
    return out << row.name;
}

} // namespace tessel::test

// The cases of a RowsOf suite, one per row of the array.
#define TESSEL_ROWS(Suite, rows)                                                                                    \
    using ::tessel::test::operator<<;                                                                               \
    INSTANTIATE_TEST_SUITE_P(, Suite, ::testing::ValuesIn(rows), ::tessel::test::RowName())
