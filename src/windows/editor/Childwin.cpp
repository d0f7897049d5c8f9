#include "windows/editor/Childwin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileSystemWatcher>
#include <QKeyEvent>
#include <QLabel>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <vector>

#include "editor/DocumentKinds.h"
#include "editor/DocumentStore.h"
#include "editor/EditorOptions.h"
#include "editor/Recovery.h"
#include "language/GameModes.h"
#include "language/LanguageTables.h"
#include "language/WizardMatch.h"
#include "platform/Errors.h"
#include "richtext/DocumentFile.h"
#include "session/DocumentNames.h"
#include "session/Session.h"
#include "ui/Guarded.h"
#include "ui/QtKeys.h"
#include "ui/QtPaths.h"
#include "ui/Shell.h"
#include "windows/editor/ColorizeDlg.h"
#include "windows/editor/ScriptEdit.h"

namespace tessel {

namespace {

const char* const Unnamed = "unnamed";
// How long after input the copy of the unsaved text is kept.
constexpr int RecoveryDelayMs = 3000;

// "a.qzt and a.con": the names of the files a save writes, for the status bar.
std::string FileNames(const std::vector<SaveTarget>& targets)
{
    std::string out;
    for (const SaveTarget& target : targets)
        out += (out.empty() ? "" : " and ") + ExtractFileName(target.path);
    return out;
}

} // namespace

// The editing control with this window's handlers around the control's own:
// key down and key press before it acts, key up and mouse down after.
class TfrmConEdit::RichEdit : public ScriptEdit {
public:
    RichEdit(TfrmConEdit& owner, QWidget* parent) : ScriptEdit(parent), owner_(owner) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        bool consumed = false;
        RunGuarded(owner_.prompter_, [&] {
            consumed = owner_.MainRichEditKeyDown(event->key(), event->modifiers()) ||
                       owner_.MainRichEditKeyPress(event->key(), event->modifiers());
        });
        if (consumed)
            event->accept();
        else
            ScriptEdit::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        ScriptEdit::keyReleaseEvent(event);
        RunGuarded(owner_.prompter_, [this] { owner_.MainRichEditKeyUp(); });
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        ScriptEdit::mousePressEvent(event);
        RunGuarded(owner_.prompter_, [this] { owner_.MainRichEditMouseDown(); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        ScriptEdit::mouseReleaseEvent(event);
        owner_.NoteInput();   // the end of a drag of text within the control
    }
    // Files dragged here from a file manager go on to the main window, which
    // opens them, instead of being pasted as their names.
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->ignore();
        else
            ScriptEdit::dragEnterEvent(event);
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->ignore();
        else
            ScriptEdit::dragMoveEvent(event);
    }
    void dropEvent(QDropEvent* event) override
    {
        if (event->mimeData()->hasUrls()) {
            event->ignore();
        } else {
            ScriptEdit::dropEvent(event);
            owner_.NoteInput();
        }
    }

private:
    TfrmConEdit& owner_;
};

TfrmConEdit::TfrmConEdit(Shell& shell, const EditorState& state, QWidget* parent)
    : QWidget(parent), shell_(shell), state_(state), prompter_(shell.Prompts())
{
    setObjectName("frmConEdit");
    setWindowTitle("VurAvozid");
    setFont(QFont("Courier"));

    edit_ = new RichEdit(*this, this);
    edit_->setObjectName("MainRichEdit");
    // The window's focus is its text's, also when the window gets it first.
    setFocusProxy(edit_);
    // The control signals the moment its modified flag is set (textChanged is
    // not signalled, see ScriptEdit).
    OnSignal(prompter_, edit_, &QsciScintilla::modificationChanged, this, [this] { MainRichEditChange(); });

    errorListBox_ = new QListWidget(this);
    errorListBox_->setObjectName("ErrorListBox");
    errorListBox_->setFixedHeight(62);
    errorListBox_->hide();
    errorListBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    OnSignal(prompter_, errorListBox_, &QListWidget::itemDoubleClicked, this, [this] { ErrorListBoxDblClick(); });
    listPopMenu_ = new QMenu(this);
    listPopMenu_->setObjectName("ListPopMenu");
    QAction* close = listPopMenu_->addAction("&Close");
    close->setObjectName("popClose");
    connect(close, &QAction::triggered, errorListBox_, &QWidget::hide);
    OnSignal(prompter_, errorListBox_, &QWidget::customContextMenuRequested, this,
             [this](const QPoint& at) { listPopMenu_->popup(errorListBox_->mapToGlobal(at)); });

    txtFile_ = new QLineEdit(Unnamed, this);
    txtFile_->setObjectName("txtFile");
    txtFile_->hide();
    for (const char* name : {"lblLastVisLine", "lblLinesColored"}) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->hide();
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_, 1);
    layout->addWidget(errorListBox_);

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setSingleShot(true);
    OnSignal(prompter_, timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    timer1_->start(1000);

    watcher_ = new QFileSystemWatcher(this);
    OnSignal(prompter_, watcher_, &QFileSystemWatcher::fileChanged, this, [this] { FileChanged(); });
    // Watched while the file is gone: one made again under its name is followed at once.
    OnSignal(prompter_, watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (watcher_->files().isEmpty() && FileExists(fileName_))
            FileChanged();
    });
    recoverySlot_ = state_.recovery.NewSlot();
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(RecoveryDelayMs);
    OnSignal(prompter_, recoveryTimer_, &QTimer::timeout, this, [this] {
        // A copy that cannot be kept must not interrupt the typing.
        try {
            KeepRecoveryCopy();
        } catch (const AppError& e) {
            shell_.SetStatusText(0, ToQString(std::string("No copy of the unsaved text: ") + e.what()));
        }
    });

    edit_->SetModified(false);
    shell_.SetStatusText(2, QString::fromStdString(CaretPositionText(*edit_)));
}

TfrmConEdit::~TfrmConEdit() = default;

ScriptEdit* TfrmConEdit::MainRichEdit() const
{
    return edit_;
}

QSize TfrmConEdit::sizeHint() const
{
    const std::string columns(80, '0');
    const int width = static_cast<int>(edit_->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                                            static_cast<uintptr_t>(QsciScintillaBase::STYLE_DEFAULT),
                                                            columns.c_str()));
    const int lineHeight = static_cast<int>(edit_->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
    const int margins = static_cast<int>(edit_->SendScintilla(QsciScintillaBase::SCI_GETMARGINLEFT) +
                                         edit_->SendScintilla(QsciScintillaBase::SCI_GETMARGINRIGHT));
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, edit_);
    const int frame = 2 * edit_->frameWidth();
    return QSize(width + margins + bar + frame, 25 * lineHeight + bar + frame);
}

// --- activation and closing ----------------------------------------------------------

void TfrmConEdit::FormActivate()
{
    EditorRequests none;
    TakeRequests(none);
}

void TfrmConEdit::TakeRequests(EditorRequests& requests)
{
    // Nothing runs it again while it works (a wait window, a message box).
    if (activating_)
        return;
    QScopedValueRollback<bool> guard(activating_, true);
    shell_.SetStatusText(0, "Ready");
    shell_.SetEditorCommandsEnabled(true);
    lines_.LineClean = true;
    lines_.LineBlackened = false;
    shell_.SetStatusText(1, Modified() ? "Modified" : "");
    requests.RightClickRequest = false;
    // A load reads the file afresh and a save asks on its own.
    if (!requests.LoadRequest && !requests.SaveRequest)
        CheckDisk();
    CarryOutRequests(*edit_, requests, Context(), *this, prompter_);
    NoteInput();
}

void TfrmConEdit::FormDeactivate()
{
    LineColoringAtDeactivate(*edit_, Context());
}

EditContext TfrmConEdit::Context() const
{
    return {state_.language.KeywordTable, state_.options.NoColoring, state_.options.AutoIndent};
}

std::string TfrmConEdit::FileName() const
{
    return fileName_;
}

bool TfrmConEdit::Modified() const
{
    return edit_->Modified() || restored_;
}

bool TfrmConEdit::FormCloseQuery()
{
    bool mayClose = false;
    RunGuarded(prompter_, [this, &mayClose] { mayClose = CloseQuery(); });
    return mayClose;
}

bool TfrmConEdit::CloseQuery()
{
    if (!Modified())
        return true;
    const std::string shown = fileName_.empty() ? Unnamed : fileName_;
    const MsgResult answer = prompter_.MessageDlg(shown + " is modified, do you want to save it?",
                                                  MsgType::Information, MsgButtons::YesNoCancel);
    if (answer == MsgResult::No)
        return true;
    if (answer != MsgResult::Yes)
        return false;
    // The name it was saved under last (after a Save As, that one).
    std::string name = fileName_;
    // Cancelling the dialog keeps the window and its text, as Cancel does.
    if (name.empty() && (name = shell_.AskSaveName()).empty())
        return false;
    return SaveDocument(name);   // a failed save keeps the window open
}

void TfrmConEdit::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    // The window goes: the commands are disabled before another editor
    // window's activation enables them again.
    shell_.SetEditorCommandsEnabled(false);
    shell_.SetStatusText(1, "");
    shell_.SetStatusText(0, "Ready");
    state_.recovery.Remove(recoverySlot_);   // saved, or given up by the user
    event->accept();
}

// --- files ----------------------------------------------------------------------------------

bool TfrmConEdit::AttachStore(std::shared_ptr<DocumentStore> store)
{
    store_ = std::move(store);
    return true;
}

bool TfrmConEdit::LoadStored()
{
    std::string bytes;
    try {
        bytes = store_->Read();
    } catch (const AppError& e) {
        prompter_.ShowError(e.what());   // the text the window holds stays
        return false;
    }
    edit_->SetDocument(ControlTextOfFile(bytes));
    stamp_ = told_ = FileStamp();   // no file of its own to watch: the store checks at the write
    TakeName(store_->Name(), false);
    ColorLoaded(store_->Name(), false);
    edit_->setFocus();
    edit_->SetModified(false);
    shell_.SetStatusText(1, "");
    return true;
}

bool TfrmConEdit::SaveStored()
{
    try {
        if (!store_->Write(edit_->Document().text, prompter_))
            return false;
    } catch (const AppError& e) {
        prompter_.ShowError(e.what());   // the store as it was; the text stays modified
        return false;
    }
    TakeName(store_->Name(), true);
    edit_->SetModified(false);
    shell_.SetStatusText(1, "");
    shell_.SetStatusText(0, ToQString(store_->SavedText()));
    edit_->setFocus();
    return true;
}

bool TfrmConEdit::LoadDocument(const std::string& name)
{
    if (store_ && name == store_->Name())
        return LoadStored();
    store_.reset();
    // Kept whole: a later change of the current folder must not move it.
    const std::string path = AbsolutePath(name);
    const FileStamp stamp = StampOf(path);   // before reading: a change meanwhile is told later
    LoadedDocument loaded;
    try {
        loaded = ReadDocumentFile(path);
    } catch (const AppError&) {
        // The text the window holds stays.
        prompter_.ShowError(FormatText("Cannot open file %s", path));
        return false;
    }
    edit_->SetDocument(loaded.document);
    stamp_ = told_ = stamp;
    TakeName(path, false);
    ColorLoaded(path, loaded.richText);
    edit_->setFocus();
    edit_->SetModified(false);
    shell_.SetStatusText(1, "");
    return true;
}

void TfrmConEdit::TakeName(const std::string& name, bool written)
{
    fileName_ = name;
    txtFile_->setText(ToQString(name));
    const GameModeInfo* mode = GameModeOf(state_.session.GameMode);
    if (!written)
        setWindowTitle(QString(mode ? mode->captionPrefix : EditorCaptionPrefix) + ToQString(name));
    restored_ = false;
    state_.recovery.Remove(recoverySlot_);
    copied_ = 0;
    Watch();
}

void TfrmConEdit::ColorLoaded(const std::string& name, bool richText)
{
    switch (LoadColoringOf(name, state_.options.NoColoring)) {
    case LoadColoring::ColorWhole: {
        UpdateScope scope(*edit_);
        ColorizeScope wait(this);
        ColorWholeDocument(*edit_, state_.language.KeywordTable, !richText);
        break;
    }
    case LoadColoring::Black:
        edit_->PaintRange(0, edit_->TextLength(), clBlack);
        edit_->SetSelection(0, 0);
        break;
    case LoadColoring::AsStored:
        break;
    }
}

bool TfrmConEdit::SaveDocument(const std::string& name)
{
    if (store_ && name == store_->Name())
        return SaveStored();
    std::vector<SaveTarget> targets = SaveTargets(name, state_.session.GameMode, state_.options.Saving);
    if (SavesElsewhere(name, state_.session.GameMode, state_.options.Saving)) {
        const std::vector<SaveTarget> own = SaveTargets(name, ScriptMode(name), state_.options.Saving);
        switch (prompter_.MessageDlg(name + " is a script of another game than the mode's, which saves it as " +
                                         FileNames(targets) + ". Save it so? (No: as " + FileNames(own) + ".)",
                                     MsgType::Confirm, MsgButtons::YesNoCancel)) {
        case MsgResult::Yes: break;
        case MsgResult::No: targets = own; break;
        default: return false;
        }
    }
    for (const SaveTarget& target : targets) {
        if (target.projectFile || !HoldsRichText(target.path))
            continue;
        // Its fonts and links would be lost: the text goes to a project file of its own.
        prompter_.MessageDlg(target.path + " is a rich-text document and is not replaced by plain text. Choose a "
                             "name for a project file of it.",
                             MsgType::Information, MsgButtons::Ok);
        const std::string other = shell_.AskSaveName(WithoutNamePartExtension(target.path) + ".qzt");
        if (other.empty() || !SaveDocument(other))
            return false;
        setWindowTitle(ToQString(EditorCaption(other)));
        return true;
    }
    if (name == fileName_ && stamp_.exists) {
        const FileStamp now = StampOf(name);
        if (now.exists && now != stamp_ &&
            prompter_.MessageDlg(name + " was changed by another program since it was opened. Overwrite it?",
                                 MsgType::Confirm, MsgButtons::YesNo) != MsgResult::Yes)
            return false;
    }

    const ControlText document = edit_->Document();
    bool ownFileWritten = false;
    for (const SaveTarget& target : targets) {
        try {
            if (target.projectFile)
                SaveProjectFile(target.path, document, edit_->Colors());
            else
                SavePlainTextFile(target.path, document);
        } catch (const AppError& e) {
            // The old file stays whole; the text stays modified.
            const auto* io = dynamic_cast<const IoError*>(&e);
            const bool full = io && io->DiskFull();
            prompter_.ShowError(full ? std::string(e.what()) : FormatText("Cannot create file %s", target.path));
            return false;
        }
        ownFileWritten = ownFileWritten || target.path == name;
    }
    // The document now belongs to the name it was saved under.
    store_.reset();
    if (ownFileWritten || name != fileName_)
        stamp_ = told_ = StampOf(name);
    TakeName(name, true);
    edit_->SetModified(false);
    shell_.SetStatusText(1, "");
    shell_.SetStatusText(0, ToQString("Saved " + FileNames(targets)));
    edit_->setFocus();
    return true;
}

// --- the file on disk, and the copy of the unsaved text ---------------------------------------

void TfrmConEdit::Watch()
{
    const QStringList watched = watcher_->files() + watcher_->directories();
    if (!watched.isEmpty())
        watcher_->removePaths(watched);
    if (fileName_.empty())
        return;
    if (FileExists(fileName_))
        watcher_->addPath(ToQString(fileName_));
    else if (DirectoryExists(ExtractFileDir(fileName_)))
        watcher_->addPath(ToQString(ExtractFileDir(fileName_)));
}

void TfrmConEdit::FileChanged()
{
    Watch();   // a file replaced by a rename, or gone, is watched no more
    // Told now only where the user looks; otherwise when the window is active
    // again (a modal dialog closed, the user came back from another program).
    if (shell_.ActiveDocument() == this && isActiveWindow() && !activating_)
        CheckDisk();
}

bool TfrmConEdit::event(QEvent* event)
{
    // After the event: the check may ask in a message box of its own.
    if (event->type() == QEvent::WindowActivate && !fileName_.empty())
        QTimer::singleShot(0, this, [this] {
            if (shell_.ActiveDocument() == this && isActiveWindow() && !activating_)
                RunGuarded(prompter_, [this] { CheckDisk(); });
        });
    return QWidget::event(event);
}

void TfrmConEdit::CheckDisk()
{
    if (fileName_.empty())
        return;
    const FileStamp now = StampOf(fileName_);
    if (now == stamp_ || now == told_)
        return;
    told_ = now;
    Watch();
    if (!now.exists)
        prompter_.MessageDlg(fileName_ + " is no longer on disk; saving writes it anew.", MsgType::Information,
                             MsgButtons::Ok);
    else if (Modified())
        prompter_.MessageDlg(fileName_ + " was changed by another program since it was opened.",
                             MsgType::Warning, MsgButtons::Ok);
    else if (prompter_.MessageDlg(fileName_ + " was changed by another program. Do you want to read it again?",
                                  MsgType::Confirm, MsgButtons::YesNo) == MsgResult::Yes)
        LoadDocument(fileName_);
}

void TfrmConEdit::NoteInput()
{
    if (!recoveryTimer_->isActive())
        recoveryTimer_->start();
}

void TfrmConEdit::KeepRecoveryCopy()
{
    if (!Modified()) {
        if (copied_ != 0)
            state_.recovery.Remove(recoverySlot_);
        copied_ = 0;
        return;
    }
    std::string bytes = edit_->Document().text;
    const std::size_t hash = std::hash<std::string>{}(bytes) | 1;
    if (hash == copied_)
        return;
    // With the file as the window read or wrote it: a save after a restore
    // asks before it overwrites a change made on disk since. A stored
    // document comes back as an unnamed window with its caption: its store
    // is gone with this run.
    RecoveryCopy copy;
    copy.caption = FromQString(windowTitle());
    if (!store_) {
        copy.fileName = fileName_;
        copy.stamp = stamp_;
    }
    copy.bytes = std::move(bytes);
    state_.recovery.Write(recoverySlot_, copy);
    copied_ = hash;
}

void TfrmConEdit::RestoreRecoveryCopy(const RecoveryCopy& copy)
{
    edit_->SetDocument(ControlTextOfFile(copy.bytes));
    if (copy.fileName.empty()) {
        setWindowTitle(ToQString(copy.caption));
    } else {
        stamp_ = told_ = copy.stamp;   // not the file as it is now: a change since is told
        TakeName(copy.fileName, false);
    }
    ColorLoaded(copy.fileName, false);
    restored_ = true;
    shell_.SetStatusText(1, "Modified");
}

void TfrmConEdit::MarkMessageLines(const std::vector<int>& errors, const std::vector<int>& warnings)
{
    auto fromZero = [](const std::vector<int>& lines) {
        std::vector<int> out;
        for (const int line : lines)
            out.push_back(line - 1);
        return out;
    };
    edit_->MarkLines(fromZero(errors), fromZero(warnings));
}

// --- the error list -----------------------------------------------------------------------------

void TfrmConEdit::ShowBraceErrors(const BraceCheckResult& result)
{
    errors_ = result;
    errorListBox_->clear();
    for (const ErrorConType& error : result.ErrorList)
        errorListBox_->addItem(QString::fromStdString(error.Message));
}

void TfrmConEdit::SetErrorListVisible(bool visible)
{
    errorListBox_->setVisible(visible);
}

void TfrmConEdit::ErrorListBoxDblClick()
{
    const int row = errorListBox_->currentRow();
    if (row < 0 || row >= errors_.ErrorCount() || errors_.ErrorList[static_cast<std::size_t>(row)].Offset < 0)
        return;   // the closing note of a cut list names no brace
    edit_->SetSelection(errors_.ErrorList[static_cast<std::size_t>(row)].Offset, 1);
    edit_->setFocus();
}

// --- hooks ---------------------------------------------------------------------------------------

void TfrmConEdit::FocusText()
{
    edit_->setFocus();
}

void TfrmConEdit::ShowCaretPosition(const std::string& text)
{
    shell_.SetStatusText(2, QString::fromStdString(text));
}

std::string TfrmConEdit::SelectedWizardEntry()
{
    const WizardTable& wizard = state_.language.Wizard;
    const int k = shell_.SelectedWizardEntry();
    return k >= 1 && k <= wizard.WizardCount() ? wizard.Names[static_cast<std::size_t>(k - 1)] : std::string();
}

void TfrmConEdit::SelectFirstWizardEntry()
{
    // MovConWiz, which the wizard keys would hide, is never shown.
    shell_.SelectWizardEntry(1);
}

void TfrmConEdit::BeginBusy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TfrmConEdit::EndBusy()
{
    QApplication::restoreOverrideCursor();
}

// --- the control's events ------------------------------------------------------------------------------

bool TfrmConEdit::MainRichEditKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return EditorKeyDown(*edit_, KeyStrokeOf(key, modifiers), lines_, Context(), shell_.WizardTypedWordMatch(), *this);
}

bool TfrmConEdit::MainRichEditKeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    return enter && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)) && EditorKeyPress(*edit_, '\r', Context());
}

void TfrmConEdit::MainRichEditKeyUp()
{
    ShowCaretPosition(CaretPositionText(*edit_));
    timer1_->start(500);
    NoteInput();
}

void TfrmConEdit::MainRichEditMouseDown()
{
    ShowCaretPosition(CaretPositionText(*edit_));
    LineColoringAtMouseDown(*edit_, lines_, Context());
    NoteInput();
}

void TfrmConEdit::MainRichEditChange()
{
    if (Modified())
        shell_.SetStatusText(1, "Modified");
}

void TfrmConEdit::Timer1Timer()
{
    // The typed-word match belongs to the window being typed in.
    if (shell_.ActiveDocument() != this)
        return;
    const int caret = edit_->SelStart();
    const int lineStart = edit_->OffsetOfLine(edit_->LineFromOffset(caret));
    if (caret == 0 || caret == lineStart)
        return;
    const int entry = TypedWordMatch(edit_->TextRange(lineStart, caret - lineStart), caret - lineStart,
                                     state_.language.Wizard.IndexText);
    if (entry <= 0)
        return;
    shell_.WizardTypedWordMatch() = true;
    shell_.SelectWizardEntry(entry);
}

} // namespace tessel
