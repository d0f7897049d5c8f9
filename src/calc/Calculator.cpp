#include "calc/Calculator.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "shell/Globals.h"

namespace tessel {

namespace {

// The Windows key code and shift state of a key event. Qt reports the
// character a key makes; "*" and "+" stand for the keys a US keyboard makes
// them with, Shift held, so that they act on any layout.
struct WinKey {
    int code = 0;
    bool shifted = false;
};

WinKey WinKeyOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool shiftAlone = modifiers == Qt::ShiftModifier;
    const bool noOtherModifier = !(modifiers & ~Qt::ShiftModifier);
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return {vk::Numpad0 + key - Qt::Key_0, shiftAlone};
        switch (key) {
        case Qt::Key_Asterisk: return {vk::Multiply, shiftAlone};
        case Qt::Key_Plus: return {vk::Add, shiftAlone};
        case Qt::Key_Minus: return {vk::Subtract, shiftAlone};
        case Qt::Key_Slash: return {vk::Divide, shiftAlone};
        case Qt::Key_Period:
        case Qt::Key_Comma: return {vk::Decimal, shiftAlone};
        case Qt::Key_Enter: return {vk::Return, shiftAlone};
        default: return {};
        }
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return {vk::Digit0 + key - Qt::Key_0, shiftAlone};
    switch (key) {
    case Qt::Key_Asterisk: return {vk::Digit0 + 8, noOtherModifier};
    case Qt::Key_Plus: return {vk::OemPlus, noOtherModifier};
    case Qt::Key_Equal: return {vk::OemPlus, shiftAlone};
    case Qt::Key_Minus: return {vk::OemMinus, shiftAlone};
    case Qt::Key_Slash: return {vk::Oem2, shiftAlone};
    case Qt::Key_Period: return {vk::OemPeriod, shiftAlone};
    case Qt::Key_Return:
    case Qt::Key_Enter: return {vk::Return, shiftAlone};
    case Qt::Key_Backspace: return {vk::Back, shiftAlone};
    default: return {};
    }
}

const QColor Maroon(0x80, 0x00, 0x00);
const QColor Navy(0x00, 0x00, 0x80);

} // namespace

TfrmCalculator::TfrmCalculator(Prompter& prompter, CalcState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      prompter_(prompter), state_(state)
{
    setObjectName("frmCalculator");
    setWindowTitle("Tessel Calculator");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(217, 234);
    // The keys go to the window itself: no button takes the focus.
    setFocusPolicy(Qt::StrongFocus);

    lblCalculator_ = new QLabel("0.", this);
    lblCalculator_->setObjectName("lblCalculator");
    lblCalculator_->setGeometry(2, 2, 213, 32);
    lblCalculator_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCalculator_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblCalculator_->setAutoFillBackground(true);
    QPalette face = lblCalculator_->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Midlight));
    lblCalculator_->setPalette(face);
    QFont displayFont = lblCalculator_->font();
    displayFont.setPointSize(14);
    lblCalculator_->setFont(displayFont);
    lblCalculator_->setContentsMargins(0, 0, 6, 0);

    const auto button = [this](const char* name, const char* caption, CalcInput input, QRect geometry,
                               const QColor* color) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(geometry);
        b->setFocusPolicy(Qt::NoFocus);
        if (color) {
            QPalette p = b->palette();
            p.setColor(QPalette::ButtonText, *color);
            b->setPalette(p);
            QFont f = b->font();
            f.setBold(true);
            b->setFont(f);
        }
        connect(b, &QPushButton::clicked, this, [this, input] { press(input); });
    };
    button("btnBack", "Back", CalcInput::Back, {2, 38, 70, 28}, nullptr);
    button("btnClearEq", "CE", CalcInput::ClearEntry, {74, 38, 70, 28}, nullptr);
    button("btnClear", "C", CalcInput::Clear, {146, 38, 69, 28}, nullptr);

    // The pad: 7 8 9 / 4 5 6 / 1 2 3 / 0 +/- . beside the operator column.
    const auto padCell = [](int row, int column) { return QRect(2 + column * 50, 70 + row * 34, 48, 32); };
    static const char* const digitNames[10] = {"btn0", "btn1", "btn2", "btn3", "btn4",
                                               "btn5", "btn6", "btn7", "btn8", "btn9"};
    static const char* const digitCaptions[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int digit = 1; digit <= 9; ++digit)
        button(digitNames[digit], digitCaptions[digit],
               static_cast<CalcInput>(static_cast<int>(CalcInput::Digit0) + digit),
               padCell(2 - (digit - 1) / 3, (digit - 1) % 3), &Maroon);
    button(digitNames[0], digitCaptions[0], CalcInput::Digit0, padCell(3, 0), &Maroon);
    button("btnNegate", "+/-", CalcInput::Negate, padCell(3, 1), &Maroon);
    button("btnPeriod", ".", CalcInput::Period, padCell(3, 2), &Maroon);

    const auto operatorCell = [](int row) { return QRect(156, 70 + row * 34, 59, 32); };
    button("btnDivide", "/", CalcInput::Divide, operatorCell(0), &Navy);
    button("btnMultiply", "*", CalcInput::Multiply, operatorCell(1), &Navy);
    button("btnSubtraction", "-", CalcInput::Subtract, operatorCell(2), &Navy);
    button("btnAddition", "+", CalcInput::Add, operatorCell(3), &Navy);
    button("btnEquals", "=", CalcInput::Equals, {2, 206, 213, 26}, nullptr);
}

void TfrmCalculator::press(CalcInput input)
{
    RunGuarded(prompter_, [&] {
        if (std::optional<std::string> shown = state_.Press(input))
            lblCalculator_->setText(QString::fromStdString(*shown));
    });
}

void TfrmCalculator::keyPressEvent(QKeyEvent* event)
{
    const WinKey key = WinKeyOf(*event);
    const CalcInput input = CalcKeyInput(key.code, key.shifted);
    if (input == CalcInput::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    press(input);
}

void TfrmCalculator::closeEvent(QCloseEvent* event)
{
    CalculatorOpen = false;
    event->accept();
}

} // namespace tessel
