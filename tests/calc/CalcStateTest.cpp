#include "calc/CalcState.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "support/NonRegular.h"
#include "support/Rows.h"

namespace tessel {
namespace {

// Keys, one character each: digits, ".", "+", "-", "*", "/", "=", B(ack),
// E (clear entry), C(lear), N(egate).
CalcInput InputOf(char c)
{
    const std::string keys = ".+-*/=BECN";
    const CalcInput inputs[] = {CalcInput::Period,   CalcInput::Add,    CalcInput::Subtract, CalcInput::Multiply,
                                CalcInput::Divide,   CalcInput::Equals, CalcInput::Back,     CalcInput::ClearEntry,
                                CalcInput::Clear,    CalcInput::Negate};
    if (c >= '0' && c <= '9')
        return static_cast<CalcInput>(static_cast<int>(CalcInput::Digit0) + c - '0');
    return inputs[keys.find(c)];
}

bool SameState(const CalcState& a, const CalcState& b)
{
    return a.firstOperand == b.firstOperand && a.secondOperand == b.secondOperand &&
           a.pendingOperator == b.pendingOperator && a.enteringSecond == b.enteringSecond &&
           a.periodTyped == b.periodTyped && a.result == b.result;
}

// error: shown by the last key, which then changes nothing.
struct SequenceRow { const char* name, *keys, *display; int pending; const char* error; };
const SequenceRow SequenceRows[] = {
    {"sum shows a period", "12+3=", "15.", CalcState::opNone, ""},
    {"leading zero is not entered", "0", "0.", CalcState::opNone, ""},
    {"period then digit", "0.5", ".5", CalcState::opNone, ""},
    {"a second period is refused", "1..5", "1.5", CalcState::opNone, ""},
    {"each operand has its own period", "1.+.5=", "1.5", CalcState::opNone, ""},
    {"fraction has no extra period", "5/2=", "2.5", CalcState::opNone, ""},
    {"chained operator computes", "2+3*", "5.", CalcState::opMultiply, ""},
    {"the chained result is the next first operand", "2+3*4=", "20.", CalcState::opNone, ""},
    {"operator on an empty second keeps the pending one", "2+*", "2.", CalcState::opAdd, ""},
    {"clear", "2+3*C", "0.", CalcState::opNone, ""},
    {"clear forgets the operands", "2+3*C4+1=", "5.", CalcState::opNone, ""},
    {"fourteen digits keep thirteen", "12345678901234", "1234567890123.", CalcState::opNone, ""},
    {"back over the period allows another", "1.B.5", "1.5", CalcState::opNone, ""},
    {"clear entry forgets the period", "1.E.5", ".5", CalcState::opNone, ""},
    {"negate with nothing typed does nothing", "N5", "5.", CalcState::opNone, ""},
    {"negate twice", "5NN", "5.", CalcState::opNone, ""},
    {"negate passes the limit", "1234567890123N", "-1234567890123.", CalcState::opNone, ""},
    {"negated second", "3-5N=", "8.", CalcState::opNone, ""},
    {"a negative zero shows as zero", ".0*1N=", "0.", CalcState::opNone, ""},
    {"equals without an operator shows the result again", "2+3=7=", "5.", CalcState::opNone, ""},
    {"equals with an empty operand does nothing", "+3=", "3.", CalcState::opAdd, ""},
    {"an operator after equals goes on with the result", "2+3=*4=", "20.", CalcState::opNone, ""},
    {"back after equals acts on the second operand", "2+3=B", "0.", CalcState::opNone, ""},
    {"clear entry after equals keeps the result", "2+3=E*4=", "20.", CalcState::opNone, ""},
    {"a typed period still counts when the result shows", "1+2.=", "3", CalcState::opNone, ""},
    {"a period after equals starts the next entry", "1+2.=.5", ".5", CalcState::opNone, ""},
    {"division by zero", "5/.0=", ".0", CalcState::opDivide, "Floating point division by zero"},
    {"zero by zero", "3-3=/.0=", ".0", CalcState::opDivide, "Invalid floating point operation"},
    {"operator fails as equals does", "5/.0*", ".0", CalcState::opDivide, "Floating point division by zero"},
    {"operand a period", ".+5=", "5.", CalcState::opAdd, "'.' is not a valid floating point value"},
    {"operand a minus", "5+5NB=", "-.", CalcState::opAdd, "'-' is not a valid floating point value"},
    {"the first operand is converted first", ".+5NB=", "-.", CalcState::opAdd,
     "'.' is not a valid floating point value"},
    // Mends: a "." the limit refuses is not typed; back always shows what is left.
    {"refused period does not count", "1234567890123.BB.", "12345678901.", CalcState::opNone, ""},
    {"back after a negated full entry", "1234567890123NB", "-123456789012.", CalcState::opNone, ""},
};
using CalcStateKeys = test::RowsOf<::testing::Test, SequenceRow>;

TEST_P(CalcStateKeys, Sequences)
{
    CalcState state;
    std::string display = "0.", error;
    CalcState beforeLast;
    for (const char* k = row.keys; *k; ++k) {
        beforeLast = state;
        error += test::ErrorOf([&] {
            if (std::optional<std::string> shown = state.Press(InputOf(*k)))
                display = *shown;
        });
    }
    EXPECT_EQ(display, row.display);
    EXPECT_EQ(state.pendingOperator, row.pending);
    EXPECT_EQ(error, row.error);
    EXPECT_TRUE(!*row.error || SameState(state, beforeLast));
}
TESSEL_ROWS(CalcStateKeys, SequenceRows);

// The keyboard's keys: a digit or an operator, by the key and whether Shift alone is held.
TEST(CalcStateTest, KeysByTheirShiftState)
{
    using I = CalcInput;
    const bool shift = true, plain = false;
    const struct { int key; bool shifted; CalcInput input; } keys[] = {
        {vk::Back, plain, I::Back}, {vk::Back, shift, I::Back}, {vk::Digit0 + 8, shift, I::Multiply},
        {vk::Digit0 + 8, plain, I::Digit8}, {vk::OemPlus, shift, I::Add}, {vk::OemPlus, plain, I::Equals},
        {vk::Digit0 + 7, shift, I::None}, {vk::Digit0, plain, I::Digit0}, {vk::Digit0 + 9, plain, I::Digit9},
        {vk::Digit0 + 10, plain, I::None}, {vk::Numpad0, plain, I::Digit0}, {vk::Numpad0 + 9, plain, I::Digit9},
        {vk::OemPeriod, plain, I::Period}, {vk::Decimal, plain, I::None}, {vk::Multiply, plain, I::Multiply},
        {vk::Add, plain, I::Add}, {vk::OemMinus, plain, I::Subtract}, {vk::Subtract, plain, I::Subtract},
        {vk::Oem2, plain, I::Divide}, {vk::Divide, plain, I::Divide}, {vk::Return, plain, I::Equals},
    };
    for (const auto& k : keys)
        EXPECT_EQ(CalcKeyInput(k.key, k.shifted), k.input) << "key " << k.key << (k.shifted ? " shifted" : "");
}

TEST(CalcStateTest, OverflowBeyondTheExtendedRange)
{
    CalcState state;
    state.firstOperand = "1E4000";
    state.secondOperand = "1E1000";
    state.pendingOperator = CalcState::opMultiply;
    state.result = 7;
    EXPECT_EQ(test::ErrorOf([&] { state.Press(CalcInput::Equals); }), "Floating point overflow");
    EXPECT_EQ(state.result, 7);
    state.secondOperand = "1E-1000";
    EXPECT_EQ(state.Press(CalcInput::Equals), "1E3000.");
}

TEST(CalcStateTest, ResultFormatAndConversion)
{
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {0, "0"}, {15, "15"}, {-2.5L, "-2.5"}, {0.0001L, "0.0001"}, {0.00001L, "1E-5"}, {1e20L, "1E20"},
        {1.5e-7L, "1.5E-7"}, {1.0L / 3, "0.333333333333333"}, {2.0L / 3, "0.666666666666667"},
        {999999999999999.0L, "999999999999999"}, {1e15L, "1E15"}, {123456789012345678.0L, "1.23456789012346E17"},
        {0.1L + 0.2L, "0.3"}, {9.9999999999999999L, "10"}, {0.000099999999999999999L, "0.0001"},
        {1e-4000L, "1E-4000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CalcFormat(c.value), c.text);
        EXPECT_EQ(CalcFormat(CalcConvert(c.text)), c.text);
    }
    for (const char* text : {"", ".", "-", "-.", "1E", "E5", "1.2.3", "--5", "1 ", "inf", "nan", "0x10", "1E5000"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(CalcConvert(text), ConvertError);
    }
    EXPECT_EQ(CalcConvert("-.5"), -0.5L);
    EXPECT_EQ(CalcConvert("+5E+1"), 50);
}

} // namespace
} // namespace tessel
