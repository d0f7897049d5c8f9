#pragma once
// The FAQ viewer: confaq40.rtf from the data folders, read by our RTF
// reader into a read-only rich-text view that keeps its formatting, with the
// caret's line and column in the status bar. Made on demand; closing it
// discards it, and the next one reads the file again.
#include <QWidget>
#include <string>

#include "platform/Prompter.h"

class QLabel;
class QTextBrowser;
class QTextDocument;

namespace tessel {

struct RtfDocument;

extern const char* const FaqFileName;   // "confaq40.rtf"

// Fills a Qt document with an RTF document's paragraphs, runs and links.
void FillTextDocument(QTextDocument& target, const RtfDocument& rtf);

class TfrmConFaq : public QWidget {
    Q_OBJECT
public:
    // Reads and shows the file path.
    TfrmConFaq(Prompter& prompter, const std::string& path, QWidget* parent = nullptr);

    // Panel 1: "Line: " n " ; Column: " m of the caret, counting from 1.
    void ShowCaretPosition();

private:
    void Load(const std::string& path);

    Prompter& prompter_;
    QTextBrowser* rchConFaq_ = nullptr;
    QLabel* panels_[2] = {};
};

} // namespace tessel
