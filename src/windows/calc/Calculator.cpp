#include "windows/calc/Calculator.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "ui/Guarded.h"
#include "ui/QtKeys.h"

namespace tessel {

namespace {

const QColor Maroon(0x80, 0x00, 0x00);
const QColor Navy(0x00, 0x00, 0x80);
constexpr int DisplayPointSize = 14;   // while the text fits
constexpr int DisplayIndent = 5;       // pixels from the right, as half an "x" of that size

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

    lblCalculator_ = new QLabel(this);
    lblCalculator_->setObjectName("lblCalculator");
    lblCalculator_->setGeometry(2, 2, 213, 32);
    lblCalculator_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCalculator_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblCalculator_->setAutoFillBackground(true);
    QPalette face = lblCalculator_->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Midlight));
    lblCalculator_->setPalette(face);
    lblCalculator_->setContentsMargins(0, 0, 6, 0);
    // A fixed indent: by default a framed label indents by half an "x" of
    // whatever font it has, which the fitting below would have to guess.
    lblCalculator_->setIndent(DisplayIndent);
    ShowInDisplay("0.");

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
        OnSignal(prompter_, b, &QPushButton::clicked, this, [this, input] { Press(input); });
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

void TfrmCalculator::Press(CalcInput input)
{
    RunGuarded(prompter_, [&] {
        if (std::optional<std::string> shown = state_.Press(input))
            ShowInDisplay(QString::fromStdString(*shown));
    });
}

void TfrmCalculator::ShowInDisplay(const QString& text)
{
    // A number is never cut: a text wider than the display (a result in the
    // 15-digit format runs to about 21 characters) shows in a smaller font.
    // The room is what the indent and the frame's left edge, which the
    // contents margins do not keep clear, leave of the contents.
    QFont font = lblCalculator_->font();
    font.setPointSize(DisplayPointSize);
    const int room = lblCalculator_->contentsRect().width() - lblCalculator_->indent() - lblCalculator_->frameWidth();
    while (font.pointSize() > 1 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSize(font.pointSize() - 1);
    lblCalculator_->setFont(font);
    lblCalculator_->setText(text);
}

void TfrmCalculator::keyPressEvent(QKeyEvent* event)
{
    const KeyStroke key = KeyStrokeOf(event->key(), event->modifiers());
    const CalcInput input = CalcKeyInput(key.key, key.shift);
    if (input == CalcInput::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    Press(input);
}

} // namespace tessel
