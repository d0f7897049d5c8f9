#pragma once
// Table rows as cases of their own: RowsOf<Fixture, Row> is a parameterised
// suite whose body sees its row as `row`; TESSEL_ROWS names each case after
// the row's name ("left at the start" runs alone as '*/LeftAtTheStart').
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace tessel::test {

template <class Fixture, class Row>
class RowsOf : public Fixture, public ::testing::WithParamInterface<Row> {
protected:
    const Row& row = this->GetParam();
};

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

// What a failure or the case list shows of a row: its name.
template <class Row>
auto operator<<(std::ostream& out, const Row& row) -> decltype(row.name, out)
{
    return out << row.name;
}

} // namespace tessel::test

#define TESSEL_ROWS(Suite, rows)                                                                                       \
    using ::tessel::test::operator<<;                                                                                  \
    INSTANTIATE_TEST_SUITE_P(, Suite, ::testing::ValuesIn(rows),                                                       \
                             [](const auto& info) { return ::tessel::test::CaseName(info.param.name); })
