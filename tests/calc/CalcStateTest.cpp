#include "calc/CalcState.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"

namespace tessel {
namespace {

// One character a key: digits, ".", "+", "-", "*", "/", "=", B(ack), E (clear
// entry), C(lear), N(egate).
CalcInput InputOf(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<CalcInput>(static_cast<int>(CalcInput::Digit0) + c - '0');
    switch (c) {
    case '.': return CalcInput::Period;
    case '+': return CalcInput::Add;
    case '-': return CalcInput::Subtract;
    case '*': return CalcInput::Multiply;
    case '/': return CalcInput::Divide;
    case '=': return CalcInput::Equals;
    case 'B': return CalcInput::Back;
    case 'E': return CalcInput::ClearEntry;
    case 'C': return CalcInput::Clear;
    case 'N': return CalcInput::Negate;
    }
    ADD_FAILURE() << "no key " << c;
    return CalcInput::None;
}

// Presses the keys as the window does: a failure abandons its key, its text
// is what the error box would show.
struct Calculator {
    CalcState state;
    std::string display = "0.";
    std::string errors;

    Calculator& press(const std::string& keys)
    {
        for (const char c : keys) {
            try {
                if (std::optional<std::string> shown = state.Press(InputOf(c)))
                    display = *shown;
            } catch (const AppError& e) {
                errors += std::string(errors.empty() ? "" : "|") + e.what();
            }
        }
        return *this;
    }
};

TEST(CalcStateTest, TypingAndTheDisplay)
{
    const struct {
        const char* name;
        const char* keys;
        const char* display;
        const char* first;
    } cases[] = {
        {"leading zero is not entered", "0", "0.", ""},
        {"period then digit", "0.5", ".5", ".5"},
        {"whole number gets a period", "5", "5.", "5"},
        {"second period ignored", "1.2.3", "1.23", "1.23"},
        {"fourteen digits keep thirteen", "12345678901234", "1234567890123.", "1234567890123"},
        {"period counts toward the limit", "123456789012.4", "123456789012.", "123456789012."},
        {"back over the period allows another", "1.B.5", "1.5", "1.5"},
        {"back to nothing shows zero", "7B", "0.", ""},
        {"back on nothing", "B", "0.", ""},
        {"negate and back", "5N", "-5.", "-5"},
        {"negate twice", "5NN", "5.", "5"},
        {"negate nothing", "N", "0.", ""},
        {"negate passes the limit", "1234567890123N", "-1234567890123.", "-1234567890123"},
        {"clear entry", "12.E3", "3.", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Calculator calc;
        calc.press(c.keys);
        EXPECT_EQ(calc.display, c.display);
        EXPECT_EQ(calc.state.firstOperand, c.first);
        EXPECT_EQ(calc.errors, "");
    }
}

TEST(CalcStateTest, OperatorsAndEquals)
{
    const struct {
        const char* name;
        const char* keys;
        const char* display;
        int pending;
    } cases[] = {
        {"sum", "12+3=", "15.", CalcState::opNone},
        {"fraction has no extra period", "5/2=", "2.5", CalcState::opNone},
        {"chained operator computes", "2+3*", "5.", CalcState::opMultiply},
        {"chained then equals", "2+3*4=", "20.", CalcState::opNone},
        {"operator on an empty second keeps the first", "2+*", "2.", CalcState::opAdd},
        {"subtract below zero", "3-5=", "-2.", CalcState::opNone},
        {"negated second", "3-5N=", "8.", CalcState::opNone},
        {"result is the next left operand", "2+3=*4=", "20.", CalcState::opNone},
        {"equals without an operator shows the result again", "2+3=7=", "5.", CalcState::opNone},
        {"equals with an empty operand does nothing", "5=", "5.", CalcState::opNone},
        {"first operand empty", "+3=", "3.", CalcState::opAdd},
        {"back acts on the second operand", "2+3=B", "0.", CalcState::opNone},
        {"clear entry acts on the second operand", "2+3=E*4=", "20.", CalcState::opNone},
        {"typed period stays on the shown result", "1+2.=", "3", CalcState::opNone},
        {"clear", "2+3C", "0.", CalcState::opNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Calculator calc;
        calc.press(c.keys);
        EXPECT_EQ(calc.display, c.display);
        EXPECT_EQ(calc.state.pendingOperator, c.pending);
        EXPECT_EQ(calc.errors, "");
    }
}

TEST(CalcStateTest, AfterEqualsDigitsGoToTheSecondOperand)
{
    Calculator calc;
    calc.press("12+3=");
    EXPECT_EQ(calc.state.firstOperand, "15");
    EXPECT_TRUE(calc.state.enteringSecond);
    calc.press("4");
    EXPECT_EQ(calc.state.secondOperand, "4");
    EXPECT_EQ(calc.state.firstOperand, "15");
    calc.press("C");
    EXPECT_EQ(calc.state.firstOperand, "");
    EXPECT_FALSE(calc.state.enteringSecond);
    EXPECT_EQ(calc.state.result, 0);
}

bool SameState(const CalcState& a, const CalcState& b)
{
    return a.firstOperand == b.firstOperand && a.secondOperand == b.secondOperand &&
           a.pendingOperator == b.pendingOperator && a.enteringSecond == b.enteringSecond &&
           a.periodTyped == b.periodTyped && a.result == b.result;
}

TEST(CalcStateTest, FailuresLeaveEverythingAsItWas)
{
    const struct {
        const char* name;
        const char* keys;   // the last one fails
        const char* error;
        const char* display;
    } cases[] = {
        {"division by zero", "5/.0=", "Floating point division by zero", ".0"},
        {"zero by zero", "3-3=/.0=", "Invalid floating point operation", ".0"},
        {"first operand a period", ".+5=", "'.' is not a valid floating point value", "5."},
        {"second operand a minus", "5+5NB=", "'-' is not a valid floating point value", "-."},
        {"both invalid names the first", ".+5NB=", "'.' is not a valid floating point value", "-."},
        {"operator fails as equals does", "5/.0*", "Floating point division by zero", ".0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Calculator calc;
        const std::string keys = c.keys;
        calc.press(keys.substr(0, keys.size() - 1));
        const CalcState before = calc.state;
        calc.press(keys.substr(keys.size() - 1));
        EXPECT_EQ(calc.errors, c.error);
        EXPECT_EQ(calc.display, c.display);
        EXPECT_TRUE(SameState(calc.state, before));
    }
    // The pending divide survives its failure and computes once the divisor is right.
    Calculator calc;
    calc.press("5/.0=2=");
    EXPECT_EQ(calc.display, "250");   // the typed period of ".02" is still counted when it shows
}

TEST(CalcStateTest, OverflowBeyondTheExtendedRange)
{
    Calculator calc;
    calc.state.firstOperand = "1E4000";
    calc.state.secondOperand = "1E1000";
    calc.state.pendingOperator = CalcState::opMultiply;
    calc.state.result = 7;
    calc.press("=");
    EXPECT_EQ(calc.errors, "Floating point overflow");
    EXPECT_EQ(calc.state.result, 7);
    EXPECT_EQ(calc.state.firstOperand, "1E4000");
    calc.state.secondOperand = "1E-1000";
    calc.press("=");
    EXPECT_EQ(calc.display, "1E3000.");
}

TEST(CalcStateTest, ResultFormat)
{
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {0, "0"},  {15, "15"},  {2.5L, "2.5"},  {-2.5L, "-2.5"},  {0.0001L, "0.0001"},  {0.00001L, "1E-5"},
        {1e20L, "1E20"},  {1.5e-7L, "1.5E-7"},  {-1.5e-7L, "-1.5E-7"},  {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},  {999999999999999.0L, "999999999999999"},  {1e15L, "1E15"},
        {123456789012345678.0L, "1.23456789012346E17"},  {0.1L + 0.2L, "0.3"},  {9.9999999999999999L, "10"},
        {0.000099999999999999999L, "0.0001"},  {1234.5e-4L, "0.12345"},  {1e-4000L, "1E-4000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CalcFormat(c.value), c.text);
        EXPECT_EQ(CalcFormat(CalcConvert(c.text)), c.text);
    }
}

TEST(CalcStateTest, ConversionAcceptsOnlyNumbers)
{
    for (const char* text : {"", ".", "-", "-.", "1E", "1E+", "E5", "1.2.3", "--5", "1 ", "inf", "nan", "0x10"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(CalcConvert(text), ConvertError);
    }
    EXPECT_EQ(CalcConvert("-.5"), -0.5L);
    EXPECT_EQ(CalcConvert("5."), 5.0L);
    EXPECT_EQ(CalcConvert("1.5E-7"), 1.5e-7L);
}

TEST(CalcStateTest, KeyTable)
{
    const struct {
        const char* name;
        int key;
        bool shifted;
        CalcInput input;
    } cases[] = {
        {"8", 56, false, CalcInput::Digit8},
        {"Shift 8", 56, true, CalcInput::Multiply},
        {"Shift 7", 55, true, CalcInput::None},
        {"=", 187, false, CalcInput::Equals},
        {"Shift =", 187, true, CalcInput::Add},
        {"Enter", 13, false, CalcInput::Equals},
        {"Shift Enter", 13, true, CalcInput::None},
        {"pad 0", 96, false, CalcInput::Digit0},
        {"pad 9", 105, false, CalcInput::Digit9},
        {"pad *", 106, false, CalcInput::Multiply},
        {"pad +", 107, false, CalcInput::Add},
        {"pad -", 109, false, CalcInput::Subtract},
        {"pad /", 111, false, CalcInput::Divide},
        {"pad decimal", 110, false, CalcInput::None},
        {"-", 189, false, CalcInput::Subtract},
        {"/", 191, false, CalcInput::Divide},
        {".", 190, false, CalcInput::Period},
        {"Shift .", 190, true, CalcInput::None},
        {"Backspace", 8, false, CalcInput::Back},
        {"Shift Backspace", 8, true, CalcInput::Back},
        {"A", 65, false, CalcInput::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CalcKeyInput(c.key, c.shifted), c.input);
    }
}

} // namespace
} // namespace tessel
