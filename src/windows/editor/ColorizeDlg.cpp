#include "windows/editor/ColorizeDlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace tessel {

TfrmColorizeDlg::TfrmColorizeDlg(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("frmColorizeDlg");
    setWindowTitle("Colorizing");
    // Nothing to type into: the window being loaded keeps the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* text = new QLabel("Colorizing Text, Please  Wait...", this);
    text->setObjectName("Label1");
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(text);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    // The work that follows keeps the event loop away: paint now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ColorizeScope::ColorizeScope(QWidget* parent) : active_(QApplication::activeWindow())
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    dialog_ = new TfrmColorizeDlg(parent);
}

ColorizeScope::~ColorizeScope()
{
    delete dialog_;
    // Some window systems activate every window shown, and nothing when it goes.
    if (active_ && QApplication::activeWindow() != active_)
        active_->activateWindow();
    QApplication::restoreOverrideCursor();
}

} // namespace tessel
