#pragma once
// The calculator's state machine: two operands kept as typed text, one pending
// operator and an extended-precision result. Keys and buttons become inputs;
// each input changes the state and may give the display a new text. Failures
// of conversion and arithmetic throw AppError with the runtime's texts before
// anything has changed, so the key is abandoned whole.
#include <optional>
#include <string>

#include "platform/VirtualKeys.h"

namespace tessel {

enum class CalcInput {
    None,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Period, Add, Subtract, Multiply, Divide, Equals, Back, ClearEntry, Clear, Negate
};


// What a key does: shifted means Shift held alone; any other state of the
// modifiers counts as not shifted.
CalcInput CalcKeyInput(int virtualKey, bool shifted);

// A value as the display writes it: 15 significant digits, plain notation for
// 0 and for magnitudes from 0.0001 with at most 15 digits before the point,
// otherwise "E" notation without "+" or leading zeros in the exponent.
std::string CalcFormat(long double value);
// An operand's text as a number; throws ConvertError
// "'%s' is not a valid floating point value".
long double CalcConvert(const std::string& text);

struct CalcState {
    enum Operator { opNone, opAdd, opSubtract, opMultiply, opDivide };

    std::string firstOperand;     // as typed, or the text of the last result
    std::string secondOperand;
    int pendingOperator = opNone;
    bool enteringSecond = false;  // typed characters go to the second operand
    bool periodTyped = false;     // the entry holds a typed "."
    long double result = 0;

    // The new display text, or nothing when the display stays as it is.
    std::optional<std::string> Press(CalcInput input);

    // The operand being typed.
    std::string& Entry() { return enteringSecond ? secondOperand : firstOperand; }
    // How the display shows a text: "0" for nothing, a "." appended to a
    // whole number unless one was typed.
    std::string Shown(const std::string& text) const;

private:
    std::optional<std::string> Type(const std::string& text);
    std::optional<std::string> Back();
    std::optional<std::string> Operator(int op);
    std::optional<std::string> Equals();
    long double ApplyOperator() const;
};

} // namespace tessel
