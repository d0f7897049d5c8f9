#include "windows/calc/Calculator.h"

#include <QImage>
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

// A result in the 15-digit format runs to 21 characters: each is shown
// whole, its minus sign too, as drawn: nothing of it falls on the frame or
// beyond. (How results are written is CalcStateTest's; here, the widest ones.)
TEST_F(CalculatorTest, LongResultsAreShownWhole)
{
    auto* label = window.findChild<QLabel*>("lblCalculator");
    window.show();
    for (const auto& [keys, shown] :
         {std::pair{"5-6=/7000=", "-0.000142857142857143"}, {"5-6=/7000=/7000=", "-2.04081632653061E-8"}}) {
        SCOPED_TRACE(shown);
        calc = CalcState();
        QTest::keyClicks(&window, keys);
        ASSERT_EQ(display(), shown);
        // The leftmost column the text changes, against the same display empty.
        const QImage drawn = label->grab().toImage();
        const QString text = label->text();
        label->setText(QString());
        const QImage empty = label->grab().toImage();
        label->setText(text);
        int left = drawn.width();
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < left; ++x)
                if (drawn.pixel(x, y) != empty.pixel(x, y))
                    left = x;
        EXPECT_LT(left, drawn.width()) << "nothing drawn";
        EXPECT_GE(left, label->frameWidth()) << "the text runs onto the frame or beyond";
    }
}

TEST_F(CalculatorTest, KeysByTheirShiftState)
{
    // Which key makes which input is CalcStateTest's; here, what the toolkit's key events are taken for.
    const struct { const char* name; Qt::Key key; Qt::KeyboardModifiers modifiers; const char* display; } cases[] = {
        {"Shift 8 multiplies", Qt::Key_8, Qt::ShiftModifier, "12."},   // after 6, the key, 2 and =
        {"star as the keyboard sends it", Qt::Key_Asterisk, Qt::ShiftModifier, "12."},
        {"Shift = adds", Qt::Key_Equal, Qt::ShiftModifier, "8."},
        {"plus as the keyboard sends it", Qt::Key_Plus, Qt::ShiftModifier, "8."},
        {"= alone computes", Qt::Key_Equal, Qt::NoModifier, "62."},
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
    const struct { const char* name; std::vector<const char*> buttons; const char* display; } cases[] = {
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
