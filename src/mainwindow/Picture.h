#pragma once
// The picture viewer: a File menu to open a picture, shown at its natural size
// and centred, with scroll bars when it is larger than the window. Made once
// at start; the picture stays between showings.
#include <QMainWindow>
#include <string>

#include "platform/Prompter.h"

class QLabel;
class QScrollArea;

namespace tessel {

class TfrmPicture : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmPicture(Prompter& prompter, QWidget* parent = nullptr);

    // Replaces the picture shown by the file's. A file the loader refuses
    // throws AppError with the loader's text; the picture shown stays.
    void LoadPicture(const std::string& path);

    FileDialog OpenPictureDialog;

private:
    void mnuFileOpenClick();

    Prompter& prompter_;
    QScrollArea* scroller_ = nullptr;
    QLabel* imgMain_ = nullptr;
};

} // namespace tessel
