#pragma once
// The frames every dialog of the program shares: the fixed frame of the small
// dialogs and centring on the screen.

class QDialog;
class QWidget;

namespace tessel {

// The frame of the search, replace and go-to-line dialogs: a title bar with a close button only, a size
// that follows the contents and cannot be changed.
void SetFixedDialogFrame(QDialog* dialog);
// Puts a window, with its frame, in the middle of the screen it is on; the
// windows centred on the screen call it as they show.
void CentreOnScreen(QWidget* window);

} // namespace tessel
