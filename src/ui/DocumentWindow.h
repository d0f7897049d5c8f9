#pragma once
// What the main window needs of a document window (an editor or an explorer)
// held in its multiple-document area: its activation handlers, the requests
// it carries out (loading and saving among them), its close question, and what
// it answers for itself (its file, whether it is modified). Commands ask
// these; captions and status texts are outputs only.
#include <QList>
#include <memory>
#include <string>
#include <vector>

class QAction;

namespace tessel {

class DocumentStore;
struct EditorRequests;
struct RecoveryCopy;

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    // The activation handler: refreshes the main window's command states.
    virtual void FormActivate() = 0;
    // An activation that carries out the requests it takes, in their order;
    // they are left as it leaves them (the last match's position, say).
    virtual void TakeRequests(EditorRequests& /*requests*/) { FormActivate(); }
    virtual void FormDeactivate() {}
    // Whether the window may close (it may ask the user about unsaved work).
    virtual bool FormCloseQuery() { return true; }

    // The full name of the file it shows; "" while it shows none.
    virtual std::string FileName() const = 0;
    virtual bool Modified() const { return false; }
    // Whether it carries out the editor requests (load, save, find...).
    virtual bool TakesEditorRequests() const { return false; }
    // Takes a store whose Name the load and save requests then name instead
    // of a file; false for a window that holds no such document.
    virtual bool AttachStore(std::shared_ptr<DocumentStore> /*store*/) { return false; }
    // The menus that stand in the main window's bar in place of its own while
    // this window is current (with their shortcuts); none: the main menus stay.
    virtual QList<QAction*> DocumentMenus() const { return {}; }
    // A copy of the unsaved text kept now, for the next start should this run
    // end without saving it (nothing kept for an unmodified document); and a
    // copy from an earlier run taken in as this window's unsaved text.
    virtual void KeepRecoveryCopy() {}
    virtual void RestoreRecoveryCopy(const RecoveryCopy&) {}
    // Marks in its margin the lines (from 1) that a compile reported errors
    // and warnings on, in place of the earlier marks; none: no marks. A
    // window without text marks nothing.
    virtual void MarkMessageLines(const std::vector<int>& /*errors*/, const std::vector<int>& /*warnings*/) {}
};

} // namespace tessel
