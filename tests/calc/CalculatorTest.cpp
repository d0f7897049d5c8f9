#include "calc/Calculator.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "shell/Globals.h"
#include "support/ScriptedPrompter.h"

namespace tessel {
namespace {

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); open(); }
    void TearDown() override
    {
        delete window.data();
        ResetGlobals();
    }
    void open()
    {
        window = new TfrmCalculator(prompter, CalculatorState);
        window->show();
    }
    QString display() const { return window->findChild<QLabel*>("lblCalculator")->text(); }
    void click(const char* name) { QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton); }

    ScriptedPrompter prompter;
    QPointer<TfrmCalculator> window;
};

TEST_F(CalculatorTest, TypedKeysComputeAndShow)
{
    QTest::keyClicks(window, "12+3=");
    EXPECT_EQ(display(), "15.");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(CalculatorTest, DivisionByZeroKeepsTheDisplayAndThePendingDivide)
{
    QTest::keyClicks(window, "5/.0");
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Floating point division by zero"});
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(display(), ".0");
    EXPECT_EQ(CalculatorState.pendingOperator, CalcState::opDivide);
    QTest::keyClicks(window, "2=");
    EXPECT_EQ(display(), "250");
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
        {"star as the keyboard sends it multiplies", Qt::Key_Asterisk, Qt::ShiftModifier, "12."},
        {"8 alone types", Qt::Key_8, Qt::NoModifier, "682."},
        {"Shift = adds", Qt::Key_Equal, Qt::ShiftModifier, "8."},
        {"plus as the keyboard sends it adds", Qt::Key_Plus, Qt::ShiftModifier, "8."},
        {"= alone computes", Qt::Key_Equal, Qt::NoModifier, "62."},
        {"pad star", Qt::Key_Asterisk, Qt::KeypadModifier, "12."},
        {"pad plus", Qt::Key_Plus, Qt::KeypadModifier, "8."},
        {"pad minus", Qt::Key_Minus, Qt::KeypadModifier, "4."},
        {"pad slash", Qt::Key_Slash, Qt::KeypadModifier, "3."},
        {"pad digit", Qt::Key_7, Qt::KeypadModifier, "672."},
        {"pad decimal does nothing", Qt::Key_Period, Qt::KeypadModifier, "62."},
        {"period of the main keyboard", Qt::Key_Period, Qt::NoModifier, "6.2"},
        {"Shift with a period does nothing", Qt::Key_Period, Qt::ShiftModifier, "62."},
        {"Backspace", Qt::Key_Backspace, Qt::ShiftModifier, "2."},
        {"another key does nothing", Qt::Key_A, Qt::NoModifier, "62."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorState = CalcState();
        QTest::keyClick(window, Qt::Key_6);
        QTest::keyClick(window, c.key, c.modifiers);
        QTest::keyClick(window, Qt::Key_2);
        QTest::keyClick(window, Qt::Key_Equal);
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
        {"sum", {"btn1", "btn2", "btnAddition", "btn3", "btnEquals"}, "15."},
        {"product", {"btn7", "btnMultiply", "btn8", "btnEquals"}, "56."},
        {"difference", {"btn4", "btnSubtraction", "btn9", "btnEquals"}, "-5."},
        {"quotient", {"btn5", "btnDivide", "btn2", "btnEquals"}, "2.5"},
        {"period and zero", {"btn0", "btnPeriod", "btn0", "btn6"}, ".06"},
        {"negate", {"btn5", "btnNegate"}, "-5."},
        {"back", {"btn5", "btn6", "btnBack"}, "5."},
        {"clear entry", {"btn5", "btnAddition", "btn6", "btnClearEq", "btn1", "btnEquals"}, "6."},
        {"clear", {"btn5", "btnAddition", "btn6", "btnClear"}, "0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorState = CalcState();
        for (const char* name : c.buttons)
            click(name);
        EXPECT_EQ(display(), c.display);
    }
    // No button takes the keyboard focus away from the window.
    for (QPushButton* b : window->findChildren<QPushButton*>())
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
}

TEST_F(CalculatorTest, StateOutlivesTheWindow)
{
    CalculatorOpen = true;
    QTest::keyClicks(window, "7+");
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(CalculatorOpen);
    open();
    EXPECT_EQ(display(), "0.");
    QTest::keyClicks(window, "3=");
    EXPECT_EQ(display(), "10.");
}

} // namespace
} // namespace tessel
