#pragma once
// What the main window needs of a document window (an editor or an explorer)
// held in its multiple-document area.

namespace tessel {

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    // The activation handler: refreshes the main window's command states and
    // carries out the pending requests of EditorRequests.
    virtual void FormActivate() = 0;
    virtual void FormDeactivate() {}
    // Whether the window may close (it may ask the user about unsaved work).
    virtual bool FormCloseQuery() { return true; }
};

} // namespace tessel
