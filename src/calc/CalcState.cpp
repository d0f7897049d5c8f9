#include "calc/CalcState.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/Errors.h"

namespace tessel {

CalcInput CalcKeyInput(int virtualKey, bool shifted)
{
    if (virtualKey == vk::Back)
        return CalcInput::Back;
    if (shifted) {
        if (virtualKey == vk::Digit0 + 8)
            return CalcInput::Multiply;   // "*" above the 8
        if (virtualKey == vk::OemPlus)
            return CalcInput::Add;        // "+" above the "="
        return CalcInput::None;
    }
    if (virtualKey >= vk::Digit0 && virtualKey <= vk::Digit0 + 9)
        return static_cast<CalcInput>(static_cast<int>(CalcInput::Digit0) + virtualKey - vk::Digit0);
    if (virtualKey >= vk::Numpad0 && virtualKey <= vk::Numpad0 + 9)
        return static_cast<CalcInput>(static_cast<int>(CalcInput::Digit0) + virtualKey - vk::Numpad0);
    switch (virtualKey) {
    case vk::OemPeriod: return CalcInput::Period;
    case vk::Multiply: return CalcInput::Multiply;
    case vk::Add: return CalcInput::Add;
    case vk::OemMinus:
    case vk::Subtract: return CalcInput::Subtract;
    case vk::Oem2:
    case vk::Divide: return CalcInput::Divide;
    case vk::OemPlus:
    case vk::Return: return CalcInput::Equals;
    default: return CalcInput::None;
    }
}

std::string CalcFormat(long double value)
{
    if (value == 0)
        return "0";
    // d.dddddddddddddde±x: the 15 significant digits after rounding, and the
    // exponent that rounding may have raised.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    std::string sign;
    if (!text.empty() && text[0] == '-') {
        sign = "-";
        text.erase(0, 1);
    }
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const int exponent = std::atoi(text.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0)
            return sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole)
            return sign + digits + std::string(whole - digits.size(), '0');
        return sign + digits.substr(0, whole) + "." + digits.substr(whole);
    }
    std::string mantissa = digits.substr(0, 1);
    if (digits.size() > 1)
        mantissa += "." + digits.substr(1);
    return sign + mantissa + "E" + std::to_string(exponent);
}

namespace {

// [sign] digits [. digits] [E [sign] digits], at least one digit before the exponent.
bool IsNumberText(const std::string& s)
{
    std::size_t i = 0;
    const auto digitsFrom = [&] {
        const std::size_t start = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissa = digitsFrom();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digitsFrom();
    }
    if (mantissa == 0)
        return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (digitsFrom() == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

long double CalcConvert(const std::string& text)
{
    long double value = 0;
    if (IsNumberText(text)) {
        const char* first = text.data() + (text[0] == '+');
        const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
        if (ec == std::errc() && end == text.data() + text.size())
            return value;
    }
    throw ConvertError(FormatText("'%s' is not a valid floating point value", text));
}

std::string CalcState::Shown(const std::string& text) const
{
    std::string shown = text.empty() ? "0" : text;
    if (!periodTyped && shown.find('.') == std::string::npos)
        shown += '.';
    return shown;
}

std::optional<std::string> CalcState::Press(CalcInput input)
{
    switch (input) {
    case CalcInput::None:
        return std::nullopt;
    case CalcInput::Period: {
        if (periodTyped)
            return std::nullopt;
        // Only a "." that goes into the entry counts as typed: one refused by
        // the length limit must not block the next.
        std::optional<std::string> shown = Type(".");
        if (shown)
            periodTyped = true;
        return shown;
    }
    case CalcInput::Add: return Operator(opAdd);
    case CalcInput::Subtract: return Operator(opSubtract);
    case CalcInput::Multiply: return Operator(opMultiply);
    case CalcInput::Divide: return Operator(opDivide);
    case CalcInput::Equals: return Equals();
    case CalcInput::Back: return Back();
    case CalcInput::ClearEntry:
        Entry().clear();
        periodTyped = false;
        return std::string("0.");
    case CalcInput::Clear:
        *this = CalcState();
        return std::string("0.");
    case CalcInput::Negate: {
        std::string& entry = Entry();
        if (entry.empty())
            return std::nullopt;
        if (entry[0] == '-')
            entry.erase(0, 1);
        else
            entry.insert(0, 1, '-');
        return Shown(entry);
    }
    default:   // the digits
        return Type(std::string(1, static_cast<char>('0' + static_cast<int>(input) - static_cast<int>(CalcInput::Digit0))));
    }
}

std::optional<std::string> CalcState::Type(const std::string& text)
{
    std::string& entry = Entry();
    if (text == "0" && entry.empty())
        return std::nullopt;   // no leading zero
    if (entry.size() > 12)
        return std::nullopt;   // 13 characters at most
    entry += text;
    return Shown(entry);
}

std::optional<std::string> CalcState::Back()
{
    std::string& entry = Entry();
    if (!entry.empty()) {
        if (entry.back() == '.')
            periodTyped = false;
        entry.pop_back();
    }
    // Shown whatever its length: an entry made longer than the limit by its
    // sign must not leave the display showing a character that is gone.
    return Shown(entry);
}

long double CalcState::ApplyOperator() const
{
    const long double a = CalcConvert(firstOperand);
    const long double b = CalcConvert(secondOperand);
    long double r = result;
    switch (pendingOperator) {
    case opAdd: r = a + b; break;
    case opSubtract: r = a - b; break;
    case opMultiply: r = a * b; break;
    case opDivide:
        if (b == 0)
            throw AppError(a == 0 ? "Invalid floating point operation" : "Floating point division by zero");
        r = a / b;
        break;
    default: return result;
    }
    if (std::isinf(r))
        throw AppError("Floating point overflow");
    return r;
}

std::optional<std::string> CalcState::Operator(int op)
{
    std::optional<std::string> shown;
    if (pendingOperator != opNone) {
        if (firstOperand.empty() || secondOperand.empty())
            return std::nullopt;
        result = ApplyOperator();
        secondOperand.clear();
        enteringSecond = true;
        firstOperand = CalcFormat(result);
        shown = Shown(firstOperand);
    }
    periodTyped = false;
    pendingOperator = op;
    enteringSecond = true;
    return shown;
}

std::optional<std::string> CalcState::Equals()
{
    if (firstOperand.empty() || secondOperand.empty())
        return std::nullopt;
    result = ApplyOperator();
    firstOperand = CalcFormat(result);
    const std::string shown = Shown(firstOperand);
    periodTyped = false;
    secondOperand.clear();
    enteringSecond = true;
    pendingOperator = opNone;
    return shown;
}

} // namespace tessel
