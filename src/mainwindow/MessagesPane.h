#pragma once
// The Messages pane: a dock under the documents that shows what the programs
// Tessel runs there print (the compile tool, a native engine): each run's
// command line, its output as it arrives and how it ended. A line that names
// a place in a file is an entry, coloured by its kind; Enter or a
// double-click on it (entryChosen), or the next and previous message
// commands (Step), follow it. It shows itself when output arrives.
#include <QDockWidget>
#include <string>
#include <vector>

#include "launch/CompilerMessages.h"
#include "launch/OutputLog.h"

class QListWidget;
class QListWidgetItem;

namespace tessel {

struct MessageEntry {
    std::string path;            // the file, absolute
    int line = 0, column = 0;    // from 1; 0: none given
    Severity severity = Severity::Error;
    bool summary = false;        // fteqcc's closing line: where it stopped
};

class TMessagesPane : public QDockWidget {
    Q_OBJECT
public:
    explicit TMessagesPane(QWidget* parent);

    // Empties the pane; its entries go too.
    void Clear();
    // A line of Tessel's own, in bold: a run's command line or how it ended.
    void AddNote(const std::string& text, bool failed = false);
    // Lines of a run's output; a relative file name counts from runFolder
    // (absolute, ending in a separator).
    void AddOutput(const std::vector<OutputLine>& lines, const std::string& runFolder);
    const std::vector<MessageEntry>& Entries() const { return entries_; }
    // Selects the first entry after the current line (step 1) or before it
    // (-1) and returns it; null, the selection kept, when there is none.
    const MessageEntry* Step(int step);

signals:
    // An entry chosen with Enter or a double-click: its index in Entries().
    void entryChosen(int entry);

private:
    QListWidgetItem* AddLine(const std::string& text);

    QListWidget* list_ = nullptr;
    std::vector<MessageEntry> entries_;
};

} // namespace tessel
