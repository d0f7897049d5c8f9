#pragma once
// The wait window of a whole-document colouring: "Colorizing Text, Please
// Wait..." in the middle of the screen, painted before the work starts and
// gone when it ends.
#include <QPointer>
#include <QWidget>

class QLabel;

namespace tessel {

class TfrmColorizeDlg : public QWidget {
    Q_OBJECT
public:
    // Shows itself, painted at once; the caller's work follows.
    explicit TfrmColorizeDlg(QWidget* parent = nullptr);
};

// The hourglass and the wait window for the life of the scope.
class ColorizeScope {
public:
    explicit ColorizeScope(QWidget* parent);
    ~ColorizeScope();
    ColorizeScope(const ColorizeScope&) = delete;
    ColorizeScope& operator=(const ColorizeScope&) = delete;

private:
    QPointer<QWidget> active_;   // the window that had the focus, to have it back
    TfrmColorizeDlg* dialog_;
};

} // namespace tessel
