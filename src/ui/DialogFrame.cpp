#include "ui/DialogFrame.h"

#include <QDialog>
#include <QLayout>
#include <QScreen>
#include <QStyle>

namespace tessel {

void SetFixedDialogFrame(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog->adjustSize();
}

namespace {

QMargins FrameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry(), inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

} // namespace

void CentreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    // The window manager's frame counts: the window's own once it has shown,
    // before that the one around the window it belongs to (the same
    // decorations), so that it is centred and comes back to the same place.
    QMargins frame = FrameMargins(window);
    if (frame.isNull() && !(window->windowFlags() & Qt::FramelessWindowHint) && window->parentWidget())
        frame = FrameMargins(window->parentWidget()->window());
    const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size().grownBy(frame),
                                            screen->availableGeometry());
    window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window->size()));
    // The frame as the window system drew it, once known, may differ from the
    // one assumed: its middle is put on the screen's.
    if (window->frameGeometry() != window->geometry())
        window->move(window->pos() + screen->availableGeometry().center() - window->frameGeometry().center());
}

} // namespace tessel
