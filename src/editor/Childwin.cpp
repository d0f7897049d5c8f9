#include "editor/Childwin.h"

#include <QApplication>
#include <QCloseEvent>
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

#include "editor/ColorizeDlg.h"
#include "editor/DocumentKinds.h"
#include "editor/ScriptEdit.h"
#include "language/GameModes.h"
#include "language/WizardMatch.h"
#include "platform/Errors.h"
#include "platform/QtKeys.h"
#include "platform/QtPaths.h"
#include "richtext/DocumentFile.h"
#include "shell/Guarded.h"
#include "shell/Shell.h"
#include "shell/Workspace.h"

namespace tessel {

namespace {

const char* const Unnamed = "unnamed";

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
        if (event->mimeData()->hasUrls())
            event->ignore();
        else
            ScriptEdit::dropEvent(event);
    }

private:
    TfrmConEdit& owner_;
};

TfrmConEdit::TfrmConEdit(Shell& shell, QWidget* parent)
    : QWidget(parent), shell_(shell), state_(shell.State()), prompter_(shell.Prompts())
{
    setObjectName("frmConEdit");
    setWindowTitle("VurAvozid");
    setFont(QFont("Courier"));

    edit_ = new RichEdit(*this, this);
    edit_->setObjectName("MainRichEdit");
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
    // Nothing runs it again while it works (a wait window, a message box).
    if (activating_)
        return;
    QScopedValueRollback<bool> guard(activating_, true);
    shell_.SetStatusText(0, "Ready");
    shell_.SetEditorCommandsEnabled(true);
    lines_.LineClean = true;
    lines_.LineBlackened = false;
    shell_.SetStatusText(1, edit_->Modified() ? "Modified" : "");
    state_.EditorRequests.RightClickRequest = false;
    CarryOutRequests(*edit_, state_.EditorRequests, state_.PendingFileName, Context(), *this, prompter_);
}

void TfrmConEdit::FormDeactivate()
{
    LineColoringAtDeactivate(*edit_, Context());
}

EditContext TfrmConEdit::Context() const
{
    return {state_.KeywordTable, state_.NoColoring, state_.AutoIndent};
}

std::string TfrmConEdit::FileName() const
{
    return fileName_;
}

bool TfrmConEdit::Modified() const
{
    return edit_->Modified();
}

bool TfrmConEdit::Save(const std::string& name)
{
    return SaveDocument(name);
}

bool TfrmConEdit::FormCloseQuery()
{
    bool mayClose = false;
    RunGuarded(prompter_, [this, &mayClose] { mayClose = CloseQuery(); });
    return mayClose;
}

bool TfrmConEdit::CloseQuery()
{
    if (!edit_->Modified())
        return true;
    const std::string shown = fileName_.empty() ? Unnamed : fileName_;
    const MsgResult answer = prompter_.MessageDlg(shown + " is modified, do you want to save it?",
                                                  MsgType::Information, MsgButtons::YesNoCancel);
    if (answer == MsgResult::No)
        return true;
    if (answer != MsgResult::Yes)
        return false;
    std::string name = fileName_;
    if (name.empty()) {
        // Cancelling the dialog keeps the window and its text, as Cancel does.
        if (!prompter_.ExecuteSave(shell_.SaveDialog()))
            return false;
        name = shell_.SaveDialog().fileName;
    }
    state_.PendingFileName = name;
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
    event->accept();
}

// --- files ----------------------------------------------------------------------------------

bool TfrmConEdit::LoadDocument(const std::string& name)
{
    LoadedDocument loaded;
    try {
        loaded = ReadDocumentFile(name);
    } catch (const AppError&) {
        // The text the window holds stays.
        prompter_.ShowError(FormatText("Cannot open file %s", name));
        return false;
    }
    edit_->SetDocument(loaded.document);
    fileName_ = name;
    txtFile_->setText(ToQString(name));
    const GameModeInfo* mode = GameModeOf(state_.GameMode);
    setWindowTitle(QString(mode ? mode->captionPrefix : "VurAvozid - ") + ToQString(name));

    switch (LoadColoringOf(name, state_.NoColoring)) {
    case LoadColoring::ColorWhole: {
        UpdateScope scope(*edit_);
        ColorizeScope wait(this);
        ColorWholeDocument(*edit_, state_.KeywordTable, !loaded.richText);
        break;
    }
    case LoadColoring::Black:
        edit_->PaintRange(0, edit_->TextLength(), clBlack);
        edit_->SetSelection(0, 0);
        break;
    case LoadColoring::AsStored:
        break;
    }
    edit_->setFocus();
    edit_->SetModified(false);
    shell_.SetStatusText(1, "");
    return true;
}

bool TfrmConEdit::SaveDocument(const std::string& name)
{
    const ControlText document = edit_->Document();
    for (const SaveTarget& target : SaveTargets(name, state_.GameMode, state_.Saving)) {
        try {
            if (target.projectFile)
                SaveProjectFile(target.path, document, edit_->Colors());
            else
                SavePlainTextFile(target.path, document);
        } catch (const AppError&) {
            // The old file stays whole; the text stays modified.
            prompter_.ShowError(FormatText("Cannot create file %s", target.path));
            return false;
        }
    }
    // The document now belongs to the name it was saved under.
    fileName_ = name;
    txtFile_->setText(ToQString(name));
    edit_->SetModified(false);
    shell_.SetStatusText(1, "");
    edit_->setFocus();
    return true;
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
    const WizardTable& wizard = state_.Wizard;
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
    return EditorKeyDown(*edit_, KeyStrokeOf(key, modifiers), lines_, Context(), state_.Wizard.TypedWordMatch, *this);
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
}

void TfrmConEdit::MainRichEditMouseDown()
{
    ShowCaretPosition(CaretPositionText(*edit_));
    LineColoringAtMouseDown(*edit_, lines_, Context());
}

void TfrmConEdit::MainRichEditChange()
{
    if (edit_->Modified())
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
    WizardTable& wizard = state_.Wizard;
    const int entry = TypedWordMatch(edit_->TextRange(lineStart, caret - lineStart), caret - lineStart, wizard.IndexText);
    if (entry <= 0)
        return;
    wizard.TypedWordMatch = true;
    shell_.SelectWizardEntry(entry);
}

} // namespace tessel
