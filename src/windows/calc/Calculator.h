#pragma once
// The calculator window: the display lblCalculator and the buttons of a
// four-function calculator over the program's CalcState, driven by the
// keyboard as by its buttons. It is made on demand and discarded when closed;
// the state it worked on stays.
#include <QWidget>

#include "calc/CalcState.h"
#include "platform/Prompter.h"

class QLabel;

namespace tessel {

class TfrmCalculator : public QWidget {
    Q_OBJECT
public:
    TfrmCalculator(Prompter& prompter, CalcState& state, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Press(CalcInput input);
    void ShowInDisplay(const QString& text);

    Prompter& prompter_;
    CalcState& state_;
    QLabel* lblCalculator_ = nullptr;
};

} // namespace tessel
