#pragma once
// The splash window shown once at start: Tessel's picture in a raised frame,
// no border, centred on the screen. While it shows the main window takes no
// input; after 15 ticks of 100 ms it gives the main window back and hides.
// A message box that appears meanwhile (a start-up warning) ends it at once:
// the splash stays on top and would hide the box.
#include <QPixmap>
#include <QWidget>

#include "platform/Prompter.h"

class QTimer;

namespace tessel {

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    TfrmSplash(QWidget& mainForm, Prompter& prompter, QWidget* parent = nullptr);

    int SplashTicks = 0;   // ticks of Timer1 so far; never reset

    void FormActivate();
    void Timer1Timer();
    void Timer2Timer();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Finish();

    QWidget& mainForm_;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    QPixmap picture_;
};

} // namespace tessel
