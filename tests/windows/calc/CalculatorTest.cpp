#include "windows/calc/Calculator.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class CalculatorTest : public ProgramFixture {
protected:
    std::string display() const { return window.findChild<QLabel*>("lblCalculator")->text().toStdString(); }

    CalcState calc;
    TfrmCalculator window{prompter, calc};
};

// What each key sequence computes and refuses is CalcStateTest's; here, how a refusal shows.
TEST_F(CalculatorTest, ARefusedKeyIsAnErrorBoxAndKeepsTheDisplay)
{
    EXPECT_EQ(display(), "0.");
    QTest::keyClicks(&window, "5/.0");
    QTest::keyClick(&window, Qt::Key_Return);
    ASSERT_EQ(prompter.texts(), std::vector<std::string>{"Floating point division by zero"});
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(display(), ".0");
}

// A result in the 15-digit format runs to about 21 characters: each is shown
// whole. (How results are written is CalcStateTest's; here, the widest ones.)
TEST_F(CalculatorTest, LongResultsAreShownWhole)
{
    const struct {
        const char* keys;
        const char* display;
    } cases[] = {{"5-6=/7000=", "-0.000142857142857143"}, {"5-6=/7000=/7000=", "-2.04081632653061E-8"}};
    auto* label = window.findChild<QLabel*>("lblCalculator");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        calc = CalcState();
        QTest::keyClicks(&window, c.keys);
        EXPECT_EQ(display(), c.display);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width());
    }
}

TEST_F(CalculatorTest, KeysByTheirShiftState)
{
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* display;   // after 6, the key, 2 and "="
    } cases[] = {
        {"Shift 8 multiplies", Qt::Key_8, Qt::ShiftModifier, "12."},
        {"star as the keyboard sends it", Qt::Key_Asterisk, Qt::ShiftModifier, "12."},
        {"8 alone types", Qt::Key_8, Qt::NoModifier, "682."},
        {"Shift = adds", Qt::Key_Equal, Qt::ShiftModifier, "8."},
        {"plus as the keyboard sends it", Qt::Key_Plus, Qt::ShiftModifier, "8."},
        {"= alone computes", Qt::Key_Equal, Qt::NoModifier, "62."},
        {"pad minus", Qt::Key_Minus, Qt::KeypadModifier, "4."},
        {"pad digit", Qt::Key_7, Qt::KeypadModifier, "672."},
        {"pad decimal does nothing", Qt::Key_Period, Qt::KeypadModifier, "62."},
        {"period of the main keyboard", Qt::Key_Period, Qt::NoModifier, "6.2"},
        {"Backspace with Shift", Qt::Key_Backspace, Qt::ShiftModifier, "2."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        calc = CalcState();
        QTest::keyClick(&window, Qt::Key_6);
        QTest::keyClick(&window, c.key, c.modifiers);
        QTest::keyClick(&window, Qt::Key_2);
        QTest::keyClick(&window, Qt::Key_Equal);
        EXPECT_EQ(display(), c.display);
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(CalculatorTest, ButtonsActAsTheirKeys)
{
    const struct {
        const char* name;
        std::vector<const char*> buttons;
        const char* display;
    } cases[] = {
        {"operators", {"btn7", "btnMultiply", "btn8", "btnSubtraction", "btn9", "btnDivide", "btn4", "btnAddition",
                       "btn3", "btnEquals"}, "14.75"},
        {"period, negate, back, clear entry", {"btn0", "btnPeriod", "btn6", "btnNegate", "btnAddition", "btn2",
                                               "btn8", "btnBack", "btnClearEq", "btn1", "btnEquals"}, "0.4"},
        {"clear", {"btn5", "btnAddition", "btn6", "btnClear"}, "0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        calc = CalcState();
        for (const char* name : c.buttons)
            QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
        EXPECT_EQ(display(), c.display);
    }
    // The keys reach the window: no button takes the focus.
    for (QPushButton* b : window.findChildren<QPushButton*>())
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
}

} // namespace
} // namespace tessel
