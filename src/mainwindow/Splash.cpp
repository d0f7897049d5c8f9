#include "mainwindow/Splash.h"

#include "ui/Guarded.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

#include "ui/DialogFrame.h"
#include "ui/Resources.h"

namespace tessel {

TfrmSplash::TfrmSplash(QWidget& mainForm, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), mainForm_(mainForm)
{
    setObjectName("frmSplash");
    setFixedSize(320, 201);
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer2_ = new QTimer(this);
    timer2_->setObjectName("Timer2");
    OnSignal(prompter, timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    OnSignal(prompter, timer2_, &QTimer::timeout, this, [this] { Timer2Timer(); });

    UseResources();
    picture_ = QPixmap(320, 200);
    picture_.fill(Qt::black);
    QPainter painter(&picture_);
    QSvgRenderer(QString(":/splash.svg")).render(&painter);
}

void TfrmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    CentreOnScreen(this);
    // Started as it appears rather than when the window manager activates
    // it: a splash that never got activated would keep the main window locked.
    FormActivate();
    qApp->installEventFilter(this);
}

bool TfrmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->isModal())
            Finish();
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmSplash::FormActivate()
{
    timer1_->start(100);
    timer2_->start(1);
    mainForm_.setEnabled(false);
}

void TfrmSplash::Timer1Timer()
{
    ++SplashTicks;
    if (!isActiveWindow())
        activateWindow();
    if (SplashTicks >= 15)
        Finish();
}

void TfrmSplash::Finish()
{
    qApp->removeEventFilter(this);
    mainForm_.setEnabled(true);
    timer1_->stop();
    timer2_->stop();
    hide();
}

void TfrmSplash::Timer2Timer()
{
    if (!isActiveWindow()) {
        activateWindow();
        timer2_->stop();
    }
}

void TfrmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, picture_);
    qDrawShadeRect(&painter, rect(), palette(), false, 1);
}

} // namespace tessel
