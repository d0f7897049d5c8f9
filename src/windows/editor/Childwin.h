#pragma once
// The editor document window: one script in a ScriptEdit (MainRichEdit) with
// the brace error list under it. It loads and saves the file kinds by their
// extension, carries out the shell's requests at every activation, keeps the
// "Modified" state and asks before a modified text is closed. Its key and
// mouse handlers turn events into the editing behaviour of editor/EditOps.
// It watches its file: what another program does to it is told, and never
// overwritten unasked; and a few seconds after input it keeps a copy of its
// unsaved text for the next start (RecoveryStore).
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditOps.h"
#include "language/BraceChecker.h"
#include "platform/Files.h"
#include "ui/DocumentWindow.h"

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTimer;

namespace tessel {

class RecoveryStore;
class ScriptEdit;
class Shell;
struct EditorOptions;
struct LanguageTables;
struct SessionState;

// What an editor window uses of the program's state: the game mode (its
// caption, the files a save writes), the editor options, the mode's language,
// and where the copies of its unsaved text go.
struct EditorState {
    const SessionState& session;
    const EditorOptions& options;
    const LanguageTables& language;
    RecoveryStore& recovery;
};

class TfrmConEdit : public QWidget, public DocumentWindow, private EditorHooks {
    Q_OBJECT
public:
    TfrmConEdit(Shell& shell, const EditorState& state, QWidget* parent = nullptr);
    ~TfrmConEdit() override;

    // Panel texts, the editor commands enabled, the line state reset; what
    // another program did to the file is told.
    void FormActivate() override;
    // The activation, then every request of the block in its order.
    void TakeRequests(EditorRequests& requests) override;
    // The caret's line gets its colours back.
    void FormDeactivate() override;
    // True when the window may close: unmodified, or the user answered No,
    // or Yes and the text was saved.
    bool FormCloseQuery() override;
    // The full name of the file loaded or saved last; "" until there is one.
    std::string FileName() const override;
    // The control's flag, or a text restored from a copy and not saved yet.
    bool Modified() const override;
    bool TakesEditorRequests() const override { return true; }
    // Load and save requests naming the store's Name read and write it; any
    // other name (a Save As) makes the window a file's again.
    bool AttachStore(std::shared_ptr<DocumentStore> store) override;
    void KeepRecoveryCopy() override;
    void RestoreRecoveryCopy(const RecoveryCopy& copy) override;
    void MarkMessageLines(const std::vector<int>& errors, const std::vector<int>& warnings) override;

    ScriptEdit* MainRichEdit() const;
    // Room for 80 columns and 25 lines of the script font.
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window active again: what another program did meanwhile is told.
    bool event(QEvent* event) override;

private:
    class RichEdit;

    // EditorHooks
    bool LoadDocument(const std::string& name) override;
    bool SaveDocument(const std::string& name) override;
    bool LoadStored();
    bool SaveStored();
    void ShowBraceErrors(const BraceCheckResult& result) override;
    void SetErrorListVisible(bool visible) override;
    void FocusText() override;
    void ShowCaretPosition(const std::string& text) override;
    std::string SelectedWizardEntry() override;
    void SelectFirstWizardEntry() override;
    void BeginBusy() override;
    void EndBusy() override;

    // The control's events; the key handlers return true when they consumed the key.
    bool MainRichEditKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool MainRichEditKeyPress(int key, Qt::KeyboardModifiers modifiers);
    void MainRichEditKeyUp();
    void MainRichEditMouseDown();
    void MainRichEditChange();
    void ErrorListBoxDblClick();
    void Timer1Timer();
    bool CloseQuery();
    EditContext Context() const;
    // The file named name (its full name) becomes the window's.
    void TakeName(const std::string& name, bool written);
    void ColorLoaded(const std::string& name, bool richText);
    // Tells the user, once for each change, what another program did to the
    // file since the window read or wrote it, and offers to read it afresh.
    void CheckDisk();
    // Watches the file, or its folder while the file is gone.
    void Watch();
    // The watch saw the file (or a new one of its name) change.
    void FileChanged();
    // Input may have changed the text: its copy is kept a few seconds later.
    void NoteInput();

    Shell& shell_;
    EditorState state_;
    Prompter& prompter_;
    LineState lines_;
    RichEdit* edit_ = nullptr;
    QListWidget* errorListBox_ = nullptr;
    QMenu* listPopMenu_ = nullptr;
    QLineEdit* txtFile_ = nullptr;
    QTimer* timer1_ = nullptr;
    std::string fileName_;
    std::shared_ptr<DocumentStore> store_;   // where the text comes from and goes to, instead of a file
    FileStamp stamp_;           // the file as the window last read or wrote it
    FileStamp told_;            // the file as the user was last told of it
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    int recoverySlot_ = 0;
    std::size_t copied_ = 0;    // a hash of the text the copy holds; 0: no copy
    bool restored_ = false;
    BraceCheckResult errors_;   // what the list shows
    bool activating_ = false;
};

} // namespace tessel
